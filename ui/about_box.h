#pragma once

#include "platform/qt/dialog.h"
#include "res/resource.h"

namespace quillet {

// The About box: the product's name and version, a picture and the copyright line. Reached
// only from the main dialog's system menu; a new one for every showing. It binds nothing:
// "OK" and Enter end it with IDOK, Escape and the close box with IDCANCEL.
class CAboutBox : public CDialog {
public:
    static constexpr int IDD = IDD_ABOUT_BOX;

    CAboutBox();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

}  // namespace quillet
