#include "ui/about_box.h"

namespace quillet {

CAboutBox::CAboutBox() : CDialog(IDD) {}

void CAboutBox::DoDataExchange(CDataExchange* pDX) {
    // No control is bound to anything.
    (void)pDX;
}

}  // namespace quillet
