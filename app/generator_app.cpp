#include "app/generator_app.h"

#include "platform/qt/module.h"
#include "res/resource.h"
#include "ui/generator_dlg.h"

namespace quillet {

CGeneratorApp::CGeneratorApp() {
    SetModuleResources(&res::Resources());
}

bool CGeneratorApp::InitInstance() {
    CGeneratorDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

}  // namespace quillet
