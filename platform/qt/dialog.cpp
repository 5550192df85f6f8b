#include "platform/qt/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>
#include <algorithm>
#include <utility>

#include "core/prompter.h"
#include "platform/qt/module.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/win_app.h"

namespace quillet {
namespace {

// A multi-line edit. Without ES_WANTRETURN, Enter belongs to the dialog (its default button).
class MultiLineEdit final : public QPlainTextEdit {
public:
    MultiLineEdit(bool wantReturn, QWidget* parent)
        : QPlainTextEdit(parent), m_wantReturn(wantReturn) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !m_wantReturn) {
            event->ignore();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

private:
    bool m_wantReturn;
};

// A control owned by its parent widget, which deletes it with itself.
template <typename Control, typename... Args>
Control* MakeChild(Args&&... args) {
    return new Control(std::forward<Args>(args)...);  // NOLINT(cppcoreguidelines-owning-memory)
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Has(std::uint32_t style, std::uint32_t flag) {
    return (style & flag) == flag;
}

Qt::Alignment TextAlignment(std::uint32_t style) {
    switch (style & 0x3U) {
        case ES_CENTER:
            return Qt::AlignHCenter;
        case ES_RIGHT:
            return Qt::AlignRight;
        default:
            return Qt::AlignLeft;
    }
}

QWidget* MakeButton(const DialogItemTemplate& item, QWidget* parent) {
    const QString text = Utf8(item.text.text);
    switch (item.style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            return MakeChild<QCheckBox>(text, parent);
        case BS_GROUPBOX:
            return MakeChild<QGroupBox>(text, parent);
        default: {
            auto* button = MakeChild<QPushButton>(text, parent);
            // A focused push button takes Enter, as in every dialog of the platform.
            button->setAutoDefault(true);
            button->setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            return button;
        }
    }
}

QWidget* MakeEdit(const DialogItemTemplate& item, QWidget* parent) {
    if (Has(item.style, ES_MULTILINE)) {
        auto* edit = MakeChild<MultiLineEdit>(Has(item.style, ES_WANTRETURN), parent);
        edit->setReadOnly(Has(item.style, ES_READONLY));
        edit->setTabChangesFocus(true);
        edit->setLineWrapMode(Has(item.style, ES_AUTOHSCROLL) || Has(item.style, WS_HSCROLL)
                                  ? QPlainTextEdit::NoWrap
                                  : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Has(item.style, WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Has(item.style, WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
        edit->setFrameShape(Has(item.style, WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        edit->document()->setDocumentMargin(2);
        edit->setPlainText(Utf8(item.text.text));
        return edit;
    }
    auto* edit = MakeChild<QLineEdit>(Utf8(item.text.text), parent);
    edit->setReadOnly(Has(item.style, ES_READONLY));
    edit->setFrame(Has(item.style, WS_BORDER));
    edit->setAlignment(TextAlignment(item.style) | Qt::AlignVCenter);
    if (Has(item.style, ES_PASSWORD)) {
        edit->setEchoMode(QLineEdit::Password);
    }
    return edit;
}

QWidget* MakeStatic(const DialogItemTemplate& item, QWidget* parent) {
    auto* label = MakeChild<QLabel>(parent);
    const std::uint32_t type = item.style & SS_TYPEMASK;
    if (type == SS_ICON || type == SS_BITMAP) {
        const QPixmap picture = type == SS_ICON ? LoadIcon(item.text.resource).pixmap(QSize(32, 32))
                                                : LoadBitmap(item.text.resource);
        label->setPixmap(picture);
        label->setAlignment(Has(item.style, SS_CENTERIMAGE) ? Qt::AlignCenter
                                                            : Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    label->setText(Utf8(item.text.text));
    label->setAlignment(TextAlignment(type) | Qt::AlignTop);
    return label;
}

QWidget* MakeControl(const DialogItemTemplate& item, QWidget* parent) {
    if (item.windowClass == "BUTTON") {
        return MakeButton(item, parent);
    }
    if (item.windowClass == "EDIT") {
        return MakeEdit(item, parent);
    }
    return MakeStatic(item, parent);
}

// The close entry every system menu starts with; Alt+F4 is the window manager's key for it.
constexpr std::string_view kCloseEntry = "閉じる(&C)\tAlt+F4";

bool IsPicture(const DialogItemTemplate& item) {
    const std::uint32_t type = item.style & SS_TYPEMASK;
    return item.windowClass == "STATIC" && (type == SS_ICON || type == SS_BITMAP);
}

Qt::FocusPolicy FocusPolicyOf(const DialogItemTemplate& item) {
    if (item.windowClass == "STATIC" ||
        (item.windowClass == "BUTTON" && (item.style & BS_TYPEMASK) == BS_GROUPBOX)) {
        return Qt::NoFocus;
    }
    return Has(item.style, WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    QWidget* control = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = GetWindowText(control);
    } else {
        SetWindowText(control, value);
    }
}

std::string GetWindowText(const QWidget* control) {
    const TextCodec& codec = LocaleTextCodec();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(control)) {
        return codec.FromUnicode(LineFeedsToCrLf(edit->toPlainText()));
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return codec.FromUnicode(edit->text());
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return codec.FromUnicode(button->text());
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return codec.FromUnicode(label->text());
    }
    return codec.FromUnicode(control->windowTitle());
}

void SetWindowText(QWidget* control, std::string_view text) {
    const QString unicode = LocaleTextCodec().ToUnicode(text);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        edit->setPlainText(CrLfToLineFeeds(unicode));
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setText(unicode);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(unicode);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(unicode);
    } else {
        control->setWindowTitle(unicode);
    }
}

CDialog::CDialog(int templateId, QWidget* pParentWnd)
    : QDialog(pParentWnd), m_templateId(templateId) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    // Made without a parent, the dialog is owned by the window it is opened from: the modal
    // one on screen, else the application's main window. That one is disabled meanwhile and
    // the dialog opens centred over it.
    if (parentWidget() == nullptr && !m_created) {
        QWidget* owner = QApplication::activeModalWidget();
        if (owner == nullptr || owner == this) {
            owner = AfxGetMainWnd();
        }
        if (owner != nullptr && owner != this && owner->isVisible()) {
            setParent(owner, windowFlags());
        }
    }
    if (!Create()) {
        return -1;
    }
    return exec();
}

bool CDialog::Create() {
    if (m_created) {
        return true;
    }
    if (!BuildFromTemplate()) {
        return false;
    }
    m_created = true;
    if (OnInitDialog()) {
        const auto first = std::find_if(m_items.begin(), m_items.end(), [](const auto& item) {
            return item.second->focusPolicy() == Qt::StrongFocus && item.second->isEnabled();
        });
        if (first != m_items.end()) {
            first->second->setFocus(Qt::TabFocusReason);
        }
    }
    if (!Has(m_template->style, DS_CENTER) && m_template->x == 0 && m_template->y == 0) {
        CentreWindow();
    }
    return true;
}

bool CDialog::BuildFromTemplate() {
    m_template = FindDialogTemplate(m_templateId);
    if (m_template == nullptr) {
        return false;
    }
    const DialogTemplate& dialog = *m_template;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (Has(dialog.style, WS_CAPTION)) {
        flags |= Qt::WindowTitleHint;
    }
    if (Has(dialog.style, WS_SYSMENU)) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (Has(dialog.style, WS_MINIMIZEBOX)) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (Has(dialog.style, WS_MAXIMIZEBOX)) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    if (!Has(dialog.style, WS_THICKFRAME)) {
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    }
    setWindowFlags(flags);
    setWindowTitle(Utf8(dialog.caption));
    if (Has(dialog.style, WS_SYSMENU)) {
        ResetSystemMenu();
        // Where the desktop lets the key through; the title bar's own menu is the window
        // manager's, which the program cannot add to.
        auto* key = MakeChild<QShortcut>(QKeySequence(Qt::AltModifier | Qt::Key_Space), this);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this,
                [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
    }

    if (Has(dialog.style, DS_SETFONT)) {
        setFont(TemplateFont(dialog.font));
    }
    m_units = BaseUnitsOf(font());
    const QRect client = MapDialogRect(m_units, 0, 0, dialog.cx, dialog.cy);
    if (Has(dialog.style, WS_THICKFRAME)) {
        resize(client.size());
    } else {
        setFixedSize(client.size());
    }

    QWidget* previous = nullptr;
    for (const DialogItemTemplate& item : dialog.items) {
        QWidget* control = MakeControl(item, this);
        control->setObjectName(QStringLiteral("control%1").arg(item.id));
        control->setGeometry(MapDialogRect(m_units, item.x, item.y, item.cx, item.cy));
        if (IsPicture(item) && !Has(item.style, SS_CENTERIMAGE)) {
            // A picture control takes its picture's own size; the template's is nominal.
            const QPixmap picture = qobject_cast<QLabel*>(control)->pixmap();
            if (!picture.isNull()) {
                control->resize(picture.deviceIndependentSize().toSize());
            }
        }
        control->setFocusPolicy(FocusPolicyOf(item));
        control->setEnabled(!Has(item.style, WS_DISABLED));
        control->setVisible(Has(item.style, WS_VISIBLE));
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const int id = item.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                setTabOrder(previous, control);
            }
            previous = control;
        }
        m_items.emplace_back(item.id, control);
    }
    return true;
}

void CDialog::CentreWindow() {
    // Over an owner that is on screen, otherwise on the primary display's work area; either
    // way within the work area of the display that holds the owner.
    QRect area;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QWidget* owner = parentWidget();
    if (owner != nullptr && owner->isVisible() && owner->isEnabled()) {
        area = owner->window()->frameGeometry();
        if (owner->window()->screen() != nullptr) {
            screen = owner->window()->screen();
        }
    } else if (screen != nullptr) {
        area = screen->availableGeometry();
    }
    if (area.isEmpty()) {
        return;
    }
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(area.center());
    if (screen != nullptr) {
        const QRect work = screen->availableGeometry();
        placed.moveRight(std::min(placed.right(), work.right()));
        placed.moveBottom(std::min(placed.bottom(), work.bottom()));
        placed.moveLeft(std::max(placed.left(), work.left()));
        placed.moveTop(std::max(placed.top(), work.top()));
    }
    move(placed.topLeft());
}

void CDialog::ResetSystemMenu() {
    m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, LocaleTextCodec().FromUnicode(Utf8(kCloseEntry)));
}

CMenu* CDialog::GetSystemMenu(bool bRevert) {
    if (m_template == nullptr || !Has(m_template->style, WS_SYSMENU)) {
        return nullptr;
    }
    if (bRevert) {
        ResetSystemMenu();
        return nullptr;
    }
    return m_systemMenu.get();
}

void CDialog::ShowSystemMenu(const QPoint& globalPos) {
    if (m_systemMenu == nullptr) {
        return;
    }
    const unsigned command = m_systemMenu->TrackPopupMenu(globalPos, this);
    if (command != 0) {
        OnSysCommand(command, 0);
    }
}

void CDialog::EndDialog(int nResult) {
    m_ending = true;
    done(nResult);
    m_ending = false;
}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return true;
}

QWidget* CDialog::GetDlgItem(int nID) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [nID](const auto& item) { return item.first == nID; });
    return found == m_items.end() ? nullptr : found->second;
}

unsigned CDialog::HelpContext() const {
    return HID_BASE_RESOURCE + static_cast<unsigned>(m_templateId);
}

bool CDialog::OnCommand(int nID) {
    switch (nID) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

void CDialog::OnSysCommand(unsigned nID, std::intptr_t lParam) {
    (void)lParam;
    if ((nID & 0xFFF0U) == SC_CLOSE) {
        OnCommand(IDCANCEL);
    }
}

void CDialog::DoDataExchange(CDataExchange* pDX) {
    (void)pDX;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        event->accept();
        // F1 with Shift, Ctrl or Alt held asks for nothing.
        if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
            0) {
            SendHelpCommand();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::closeEvent(QCloseEvent* event) {
    if (m_ending || !isVisible()) {
        event->accept();
        return;
    }
    // The close box: a system command, which ends the dialog as IDCANCEL does.
    event->ignore();
    OnSysCommand(SC_CLOSE, 0);
}

void CDialog::contextMenuEvent(QContextMenuEvent* event) {
    // A right-click that no control took for a menu of its own: the dialog's background, a
    // text or a picture.
    event->accept();
    ShowSystemMenu(event->globalPos());
}

void CDialog::reject() {
    // Escape.
    OnCommand(IDCANCEL);
}

void CDialog::accept() {
    OnCommand(IDOK);
}

}  // namespace quillet
