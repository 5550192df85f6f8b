#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/code_page.h"

namespace quillet {

class CDialog;
class FilePickerService;
class HelpViewer;
class MessageBoxPresenter;

// The text shown when the help engine cannot be started.
inline constexpr std::string_view kHelpLaunchFailed = "ﾍﾙﾌﾟの起動に失敗しました。";

// The application object: its names, its main window, and the services every window of the
// program uses (message boxes, pickers, help). Exactly one exists at a time; the program
// derives its own and AfxWinMain runs it.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    CWinApp(CWinApp&&) = delete;
    CWinApp& operator=(CWinApp&&) = delete;

    // Start-up; returning false skips the message loop and goes straight to ExitInstance.
    virtual bool InitInstance();
    // The process's exit status.
    virtual int ExitInstance();

    // Every AfxMessageBox ends here: owner, icon rule, caption; returns the button pressed.
    virtual int DoMessageBox(std::string_view prompt, unsigned nType);
    // Commands that no window handled (ID_HELP).
    virtual bool OnCmdMsg(int nID);
    void OnHelp();
    void WinHelp(unsigned context);

    // Derives the names from the executable's path (see platform/module_names.h).
    void SetModulePath(const std::string& modulePath);

    FilePickerService& FilePickers();
    HelpViewer& Help();
    MessageBoxPresenter& MessageBoxes();
    void SetFilePickers(std::unique_ptr<FilePickerService> pickers);
    void SetHelpViewer(std::unique_ptr<HelpViewer> viewer);
    void SetMessageBoxPresenter(std::unique_ptr<MessageBoxPresenter> presenter);

    std::string m_pszExeName;
    std::string m_pszAppName;
    std::string m_pszHelpFilePath;
    // The main window while it exists: the owner of message boxes, target of the help command.
    QPointer<CDialog> m_pMainWnd;
    // The character walk of the locale, and the largest base script a run will hold.
    CodePage m_codePage = CodePage::None;
    std::uint64_t m_memoryLimit = 0;

private:
    std::unique_ptr<FilePickerService> m_pickers;
    std::unique_ptr<HelpViewer> m_help;
    std::unique_ptr<MessageBoxPresenter> m_messageBoxes;
};

CWinApp* AfxGetApp();
// The application's main window, or nullptr.
QWidget* AfxGetMainWnd();
// A message box through the application object (UTF-8 text, MB_* type).
int AfxMessageBox(std::string_view text, unsigned nType = 0);
// F1: the help command to the main window, and on to the application object.
void SendHelpCommand();

// The program's entry: a display, the application object's start-up and exit. Returns the
// exit status; 1 with one line on standard error when there is no display to show a window on.
int AfxWinMain(int argc, char** argv);

}  // namespace quillet
