#include "platform/qt/win_app.h"

#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/prompter.h"
#include "platform/module_names.h"
#include "platform/qt/dialog.h"
#include "platform/qt/dialog_units.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/help.h"
#include "platform/qt/message_box.h"
#include "platform/system_info.h"

namespace quillet {
namespace {

CWinApp* g_app = nullptr;

// Restores the normal cursor when the help engine has been asked.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    WaitCursor(WaitCursor&&) = delete;
    WaitCursor& operator=(WaitCursor&&) = delete;
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

CDialog* DialogOf(QWidget* widget) {
    return widget != nullptr ? dynamic_cast<CDialog*>(widget->window()) : nullptr;
}

// Qt aborts when its display cannot be opened; the program ends with one clear line instead.
bool g_startingUp = false;
void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    (void)context;
    if (!g_startingUp) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "quillet: cannot open the display%s%s: no window can be shown\n",
                     display != nullptr ? " " : "", display != nullptr ? display : "");
        std::fflush(stderr);
        ::_exit(1);
    }
}

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

CWinApp::CWinApp()
    : m_pickers(std::make_unique<QtFilePickerService>()),
      m_help(std::make_unique<DesktopHelpViewer>()),
      m_messageBoxes(std::make_unique<QtMessageBoxPresenter>()) {
    if (g_app == nullptr) {
        g_app = this;
    }
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::DoMessageBox(std::string_view prompt, unsigned nType) {
    MessageBoxRequest request;
    // The window the program last activated: the main dialog, or a dialog it opened.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = QApplication::activeWindow();
    }
    if (owner == nullptr) {
        owner = m_pMainWnd.data();
    }
    request.owner = owner;
    request.caption = QString::fromStdString(m_pszAppName);
    request.text = QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size()));
    request.type = WithDefaultIcon(nType);
    return m_messageBoxes->Present(request);
}

bool CWinApp::OnCmdMsg(int nID) {
    if (nID == ID_HELP) {
        OnHelp();
        return true;
    }
    return false;
}

void CWinApp::OnHelp() {
    // The dialog that holds the focus answers; else the active one; else the main window.
    CDialog* dialog = DialogOf(QApplication::focusWidget());
    if (dialog == nullptr) {
        dialog = DialogOf(QApplication::activeModalWidget());
    }
    if (dialog == nullptr) {
        dialog = DialogOf(QApplication::activeWindow());
    }
    if (dialog == nullptr) {
        dialog = m_pMainWnd.data();
    }
    if (dialog == nullptr) {
        return;
    }
    WinHelp(dialog->HelpContext());
}

void CWinApp::WinHelp(unsigned context) {
    bool started = false;
    {
        const WaitCursor wait;
        started = m_help->ShowHelp(m_pszHelpFilePath, context);
    }
    if (!started) {
        AfxMessageBox(kHelpLaunchFailed, MB_OK);
    }
}

void CWinApp::SetModulePath(const std::string& modulePath) {
    const platform::ModuleNames names = platform::NamesFromModulePath(modulePath, m_codePage);
    m_pszExeName = names.exeName;
    m_pszAppName = names.appTitle;
    m_pszHelpFilePath = names.helpFilePath;
}

FilePickerService& CWinApp::FilePickers() {
    return *m_pickers;
}

HelpViewer& CWinApp::Help() {
    return *m_help;
}

MessageBoxPresenter& CWinApp::MessageBoxes() {
    return *m_messageBoxes;
}

void CWinApp::SetFilePickers(std::unique_ptr<FilePickerService> pickers) {
    m_pickers = std::move(pickers);
}

void CWinApp::SetHelpViewer(std::unique_ptr<HelpViewer> viewer) {
    m_help = std::move(viewer);
}

void CWinApp::SetMessageBoxPresenter(std::unique_ptr<MessageBoxPresenter> presenter) {
    m_messageBoxes = std::move(presenter);
}

CWinApp* AfxGetApp() {
    return g_app;
}

QWidget* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd.data() : nullptr;
}

int AfxMessageBox(std::string_view text, unsigned nType) {
    return g_app != nullptr ? g_app->DoMessageBox(text, nType) : IDCANCEL;
}

void SendHelpCommand() {
    if (g_app == nullptr) {
        return;
    }
    if (CDialog* main = g_app->m_pMainWnd.data(); main != nullptr && main->OnCommand(ID_HELP)) {
        return;
    }
    g_app->OnCmdMsg(ID_HELP);
}

int AfxWinMain(int argc, char** argv) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "quillet: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): no "
                     "window can be shown\n");
        return 1;
    }
    // The program reads no command line: Qt is given the program's name alone, so none of its
    // own options (-platform, -style, ...) act either.
    std::string programName = argc > 0 && argv[0] != nullptr ? argv[0] : "quillet";
    int qtArgc = 1;
    std::array<char*, 2> qtArgv{programName.data(), nullptr};
    g_startingUp = true;
    qInstallMessageHandler(StartUpMessages);
    QApplication application(qtArgc, qtArgv.data());
    g_startingUp = false;
    qInstallMessageHandler(nullptr);

    app->m_codePage = platform::CodePageFromLocale();
    app->m_memoryLimit = platform::PhysicalMemoryBytes();
    app->SetModulePath(platform::ModulePath(programName));

    InstallFontSubstitutions();
    QApplication::setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    // The pickers' own texts in Japanese, as every other text of the program.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
    }
    // The program ends when its dialog ends, not when its last window closes in between.
    QApplication::setQuitOnLastWindowClosed(false);

    if (app->InitInstance()) {
        QApplication::exec();
    }
    return app->ExitInstance();
}

}  // namespace quillet
