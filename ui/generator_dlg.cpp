#include "ui/generator_dlg.h"

#include <QString>
#include <optional>

#include "core/default_texts.h"
#include "core/generation.h"
#include "platform/posix_file_system.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/module.h"
#include "platform/qt/win_app.h"
#include "ui/about_box.h"
#include "ui/dialog_prompter.h"
#include "ui/strings.h"

namespace quillet {
const std::array<CommandEntry<CGeneratorDlg>, 2> CGeneratorDlg::kMessageMap{{
    {IDC_BROWSE_TARGET_FOLDER, &CGeneratorDlg::OnBrowseTargetFolder},
    {IDC_BROWSE_BASE_SCRIPT, &CGeneratorDlg::OnBrowseBaseScript},
}};

CGeneratorDlg::CGeneratorDlg(QWidget* pParent)
    : CDialog(IDD, pParent), m_hAppIcon(LoadIcon(IDI_APP_ICON)) {}

bool CGeneratorDlg::OnCommand(int nID) {
    return DispatchCommand<CGeneratorDlg>(*this, kMessageMap, nID) || CDialog::OnCommand(nID);
}

void CGeneratorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BASE_SCRIPT, m_strBaseScript);
    DDX_Text(pDX, IDC_TARGET_FOLDER, m_strTargetFolder);
    DDX_Text(pDX, IDC_HEADER, m_strHeader);
    DDX_Text(pDX, IDC_FOOTER, m_strFooter);
}

bool CGeneratorDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The About entry at the end of the system menu, after a separator; neither without its
    // text.
    if (CMenu* pSysMenu = GetSystemMenu(false); pSysMenu != nullptr) {
        const std::string strAboutMenu = LoadString(IDS_ABOUT_MENU);
        if (!strAboutMenu.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUT_BOX, strAboutMenu);
        }
    }

    // The same icon serves as the big and the small one; the desktop picks the size it needs.
    setWindowIcon(m_hAppIcon);
    m_strHeader = std::string(kDefaultHeader);
    m_strFooter = std::string(kDefaultFooter);
    UpdateData(false);
    return true;
}

void CGeneratorDlg::OnSysCommand(unsigned nID, std::intptr_t lParam) {
    // The platform keeps the four low bits of a system command for itself.
    if ((nID & 0xFFF0U) == IDM_ABOUT_BOX) {
        CAboutBox dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CGeneratorDlg::OnOK() {
    UpdateData(true);
    const GenerationSettings settings{m_strBaseScript, m_strTargetFolder, m_strHeader, m_strFooter};
    DialogPrompter prompter;
    platform::PosixFileSystem fileSystem;
    const CWinApp* app = AfxGetApp();
    const RunEnvironment environment{prompter, fileSystem,
                                     app != nullptr ? app->m_codePage : CodePage::None,
                                     app != nullptr ? app->m_memoryLimit : 0};
    GenerateScript(settings, environment);
    // The dialog stays open: the user may run again at once.
}

void CGeneratorDlg::OnBrowseTargetFolder() {
    const std::optional<std::string> folder = BrowseForFolder(
        this,
        QString::fromUtf8(strings::kTargetFolderTitle.data(),
                          static_cast<qsizetype>(strings::kTargetFolderTitle.size())),
        BIF_RETURNONLYFSDIRS);
    if (folder) {
        SetWindowText(GetDlgItem(IDC_TARGET_FOLDER), *folder);
    }
}

void CGeneratorDlg::OnBrowseBaseScript() {
    CFileDialog dialog(true, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       strings::kScriptFilter);
    if (dialog.DoModal() == IDOK) {
        SetWindowText(GetDlgItem(IDC_BASE_SCRIPT), dialog.GetPathName());
    }
}

}  // namespace quillet
