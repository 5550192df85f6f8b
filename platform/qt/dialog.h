#pragma once

#include <QDialog>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/qt/menu.h"
#include "platform/qt/resource_format.h"

class QCloseEvent;
class QContextMenuEvent;
class QKeyEvent;

namespace quillet {

class CDialog;

// System commands: the close box and the system menu's close entry send SC_CLOSE. The platform
// keeps the four low bits of a system command for itself; a window's own commands in the
// system menu are numbers below 0xF000 with those bits clear.
inline constexpr unsigned SC_CLOSE = 0xF060;
// The help command, sent to the application's main window by F1.
inline constexpr int ID_HELP = 0xE146;
// Help contexts of dialogs: this base plus the template number.
inline constexpr unsigned HID_BASE_RESOURCE = 0x20000;

// The direction and the dialog of one data exchange.
class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    bool m_bSaveAndValidate;  // true: controls into members
    CDialog* m_pDlgWnd;
};

// Exchanges a control's whole text with a byte string in the locale's character set. A
// multi-line edit's line breaks are CR LF in the string.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

// A control's text as the program's bytes, and the other way round.
std::string GetWindowText(const QWidget* control);
void SetWindowText(QWidget* control, std::string_view text);

// One entry of a dialog's command map: a button's click to a handler.
template <typename Dialog>
struct CommandEntry {
    int id;
    void (Dialog::*handler)();
};

template <typename Dialog>
bool DispatchCommand(Dialog& dialog, std::span<const CommandEntry<Dialog>> map, int id) {
    const auto entry = std::ranges::find_if(
        map, [id](const CommandEntry<Dialog>& candidate) { return candidate.id == id; });
    if (entry == map.end()) {
        return false;
    }
    (dialog.*(entry->handler))();
    return true;
}

// A dialog built from a template: controls by class, style and dialog units, template order as
// tab order, each control found by its number. Modal through DoModal.
class CDialog : public QDialog {
public:
    explicit CDialog(int templateId, QWidget* pParentWnd = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    CDialog(CDialog&&) = delete;
    CDialog& operator=(CDialog&&) = delete;

    // Builds the window, runs it modally and returns the value given to EndDialog; -1 when
    // the template is missing.
    virtual int DoModal();
    // Builds the window and initialises it (OnInitDialog) without showing it. Also what
    // DoModal does first.
    bool Create();
    void EndDialog(int nResult);

    // true: controls into members; false: members into controls.
    bool UpdateData(bool bSaveAndValidate = true);
    [[nodiscard]] QWidget* GetDlgItem(int nID) const;
    [[nodiscard]] int TemplateId() const { return m_templateId; }
    [[nodiscard]] const DialogTemplate* Template() const { return m_template; }
    [[nodiscard]] DialogBaseUnits BaseUnits() const { return m_units; }
    // The context F1 hands to the help engine while this dialog has the focus.
    [[nodiscard]] unsigned HelpContext() const;

    // A command from a control (a button's click) or from the keyboard; true when handled.
    virtual bool OnCommand(int nID);
    // A command of the window's frame or system menu.
    virtual void OnSysCommand(unsigned nID, std::intptr_t lParam);

    // The window's own system menu, which the dialog may add entries to; it holds the close
    // entry to begin with. nullptr for a template without WS_SYSMENU, and with bRevert, which
    // puts the standard menu back instead.
    CMenu* GetSystemMenu(bool bRevert);
    // Opens the system menu at a point of the screen; the entry chosen goes to OnSysCommand.
    // What Alt+Space and a right-click on the dialog's background do.
    void ShowSystemMenu(const QPoint& globalPos);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Returns true to put the focus on the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void reject() override;
    void accept() override;

private:
    bool BuildFromTemplate();
    void CentreWindow();
    void ResetSystemMenu();

    int m_templateId;
    const DialogTemplate* m_template = nullptr;
    DialogBaseUnits m_units{};
    std::vector<std::pair<int, QWidget*>> m_items;
    std::unique_ptr<CMenu> m_systemMenu;
    bool m_created = false;
    bool m_ending = false;
};

}  // namespace quillet
