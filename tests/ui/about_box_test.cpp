// The main dialog's system menu and the About box it leads to, driven as a person would: the
// real menu and the real modal box, answered from the event loop they run.
#include "ui/about_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/qt/module.h"
#include "platform/qt/win_app.h"
#include "res/resource.h"
#include "support/qt_fakes.h"
#include "ui/generator_dlg.h"

using quillet::CAboutBox;
using quillet::CGeneratorDlg;
using quillet::testing::Fakes;

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Acts once on the first window that `find` returns, from inside the event loop that window
// runs (a modal box or a pop-up menu), and closes it afterwards if the action left it open.
class WhenShown {
public:
    WhenShown(std::function<QWidget*()> find, std::function<void(QWidget&)> act,
              std::function<void(QWidget&)> close)
        : m_find(std::move(find)), m_act(std::move(act)), m_close(std::move(close)) {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    [[nodiscard]] int Seen() const { return m_seen; }

private:
    void Poll() {
        QWidget* window = m_find();
        if (window == nullptr || !window->isVisible()) {
            return;
        }
        m_timer.stop();
        ++m_seen;
        m_act(*window);
        if (window->isVisible()) {
            m_close(*window);
        }
    }

    std::function<QWidget*()> m_find;
    std::function<void(QWidget&)> m_act;
    std::function<void(QWidget&)> m_close;
    QTimer m_timer;
    int m_seen = 0;
};

QWidget* ActiveAboutBox() {
    return dynamic_cast<CAboutBox*>(QApplication::activeModalWidget());
}

QWidget* ActiveMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// A box the test did not end: Escape's path, so a failing test cannot hang.
void CancelBox(QWidget& box) {
    static_cast<QDialog&>(box).reject();
}

void CloseMenu(QWidget& menu) {
    menu.close();
}

// Waits until the window is the active one and holds the keyboard focus.
void Activate(QWidget& window) {
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QTRY_VERIFY(window.isAncestorOf(QApplication::focusWidget()));
}

// Sent to the focused control, as a keyboard would.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// One visible text of a window: a label's.
bool ShowsText(const QWidget& window, const QString& text) {
    const auto labels = window.findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(),
                       [&text](const QLabel* label) { return label->text() == text; });
}

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void systemMenuEndsWithTheAboutEntry();
    void noEntryWithoutItsText();
    void openings_data();
    void openings();
    void boxShowsItsTemplate();
    void systemCommands_data();
    void systemCommands();
    void closings_data();
    void closings();
    void helpKeyInTheBox();
    void versionBlock();

private:
    struct Fields {
        QString baseScript;
        QString targetFolder;
        QString header;
        QString footer;
        std::string members;
        bool operator==(const Fields&) const = default;
    };
    [[nodiscard]] Fields MainFields() const;
    // Opens the About box through OnSysCommand and runs `act` on it.
    int RunBox(unsigned command, const std::function<void(QWidget&)>& act);

    std::unique_ptr<quillet::CWinApp> m_app;
    std::unique_ptr<Fakes> m_fakes;
    std::unique_ptr<CGeneratorDlg> m_dialog;
};

void AboutBoxTest::initTestCase() {
    quillet::SetModuleResources(&quillet::res::Resources());
    quillet::InstallFontSubstitutions();
}

void AboutBoxTest::init() {
    m_app = std::make_unique<quillet::CWinApp>();
    m_app->SetModulePath("/opt/tools/gen2.bin");
    m_fakes = std::make_unique<Fakes>(*m_app);
    m_dialog = std::make_unique<CGeneratorDlg>();
    m_app->m_pMainWnd = m_dialog.get();
    QVERIFY(m_dialog->Create());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    // Every field holds something of the user's, so a change would show.
    quillet::SetWindowText(m_dialog->GetDlgItem(quillet::IDC_BASE_SCRIPT), "/home/u/plot.scr");
    quillet::SetWindowText(m_dialog->GetDlgItem(quillet::IDC_TARGET_FOLDER), "/home/u/図面");
    quillet::SetWindowText(m_dialog->GetDlgItem(quillet::IDC_HEADER), "CMDDIA 0\r\nﾍｯﾀﾞ\r\n");
    quillet::SetWindowText(m_dialog->GetDlgItem(quillet::IDC_FOOTER), "CMDDIA 1");
    m_dialog->m_strBaseScript = "member";
}

void AboutBoxTest::cleanup() {
    m_dialog.reset();
    m_fakes.reset();
    m_app.reset();
    quillet::SetModuleResources(&quillet::res::Resources());
}

AboutBoxTest::Fields AboutBoxTest::MainFields() const {
    const auto text = [this](int id) {
        QWidget* item = m_dialog->GetDlgItem(id);
        if (auto* edit = qobject_cast<QPlainTextEdit*>(item)) {
            return edit->toPlainText();
        }
        return qobject_cast<QLineEdit*>(item)->text();
    };
    return Fields{text(quillet::IDC_BASE_SCRIPT), text(quillet::IDC_TARGET_FOLDER),
                  text(quillet::IDC_HEADER), text(quillet::IDC_FOOTER),
                  m_dialog->m_strBaseScript + "|" + m_dialog->m_strTargetFolder + "|" +
                      m_dialog->m_strHeader + "|" + m_dialog->m_strFooter};
}

int AboutBoxTest::RunBox(unsigned command, const std::function<void(QWidget&)>& act) {
    const WhenShown box(ActiveAboutBox, act, CancelBox);
    m_dialog->OnSysCommand(command, 0);
    return box.Seen();
}

void AboutBoxTest::systemMenuEndsWithTheAboutEntry() {
    quillet::CMenu* menu = m_dialog->GetSystemMenu(false);
    QVERIFY(menu != nullptr);
    // The standard close entry, then the separator and the About entry.
    QCOMPARE(menu->GetMenuItemCount(), 3);
    QCOMPARE(menu->GetMenuItemID(0), quillet::SC_CLOSE);
    QCOMPARE(menu->GetMenuState(1), quillet::MF_SEPARATOR);
    QCOMPARE(menu->GetMenuItemID(1), 0U);
    QCOMPARE(menu->GetMenuState(2), quillet::MF_STRING);
    QCOMPARE(menu->GetMenuItemID(2), 0x0010U);
    QCOMPARE(Q(menu->GetMenuString(2)), QStringLiteral("About Quillet(&A)..."));
    // Reverting gives the standard menu back, without the entry.
    QVERIFY(m_dialog->GetSystemMenu(true) == nullptr);
    QCOMPARE(m_dialog->GetSystemMenu(false)->GetMenuItemCount(), 1);
}

void AboutBoxTest::noEntryWithoutItsText() {
    // The program's resources without the string table: neither separator nor entry.
    quillet::ModuleResources withoutStrings = quillet::res::Resources();
    withoutStrings.strings = {};
    quillet::SetModuleResources(&withoutStrings);
    CGeneratorDlg dialog;
    QVERIFY(dialog.Create());
    quillet::CMenu* menu = dialog.GetSystemMenu(false);
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->GetMenuItemCount(), 1);
    QCOMPARE(menu->GetMenuItemID(0), quillet::SC_CLOSE);
    quillet::SetModuleResources(&quillet::res::Resources());
}

void AboutBoxTest::openings_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("accessKey");
    QTest::addColumn<bool>("opensBox");
    QTest::newRow("right-click on the background, A") << "background" << int(Qt::Key_A) << true;
    QTest::newRow("right-click on a label, A") << "label" << int(Qt::Key_A) << true;
    QTest::newRow("Alt+Space, A") << "keys" << int(Qt::Key_A) << true;
    QTest::newRow("Alt+Space in the header, A") << "header" << int(Qt::Key_A) << true;
    QTest::newRow("Alt+Space, C closes") << "keys" << int(Qt::Key_C) << false;
}

void AboutBoxTest::openings() {
    QFETCH(QString, how);
    QFETCH(int, accessKey);
    QFETCH(bool, opensBox);
    const Fields before = MainFields();
    QStringList entries;
    const WhenShown menu(
        ActiveMenu,
        [&entries, accessKey](QWidget& shown) {
            for (const QAction* action : shown.actions()) {
                entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            QTest::keyClick(&shown, static_cast<Qt::Key>(accessKey));
        },
        CloseMenu);
    const WhenShown box(
        ActiveAboutBox,
        [](QWidget& shown) {
            Activate(shown);
            Press(Qt::Key_Escape);
        },
        CancelBox);

    if (how == "background" || how == "label") {
        const QPoint point =
            how == "background"
                ? QPoint(2, 2)
                : m_dialog->GetDlgItem(quillet::IDC_HEADER_LABEL)->geometry().center();
        QCOMPARE(m_dialog->childAt(point) == nullptr, how == "background");
        QTest::mouseClick(m_dialog->windowHandle(), Qt::RightButton, {}, point);
    } else {
        if (how == "header") {
            m_dialog->GetDlgItem(quillet::IDC_HEADER)->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(quillet::IDC_HEADER));
        }
        Press(Qt::Key_Space, Qt::AltModifier);
    }
    QTRY_COMPARE(menu.Seen(), 1);
    QCOMPARE(entries.size(), 3);
    QVERIFY(entries[0].startsWith(QStringLiteral("閉じる(&C)")));
    QCOMPARE(entries.mid(1), (QStringList{"-", "About Quillet(&A)..."}));
    if (opensBox) {
        QTRY_COMPARE(box.Seen(), 1);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(MainFields(), before);
    } else {
        QTRY_VERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), quillet::IDCANCEL);
        QCOMPARE(box.Seen(), 0);
    }
}

void AboutBoxTest::boxShowsItsTemplate() {
    const int seen = RunBox(quillet::IDM_ABOUT_BOX, [this](QWidget& shown) {
        auto& box = dynamic_cast<CAboutBox&>(shown);
        Activate(box);
        QCOMPARE(box.windowTitle(), QStringLiteral("Quilletのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(box.parentWidget(), m_dialog.get());
        QVERIFY(ShowsText(box, QStringLiteral("Quillet 1.0")));
        const quillet::VersionResource* version = quillet::FindVersionResource();
        QVERIFY(version != nullptr);
        QVERIFY(ShowsText(box, Q(version->strings[5].value)));

        // Every text whole within its control: a line cut off at the right is a fault.
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
            }
        }

        // "OK": where the template puts it, the default, the focus and the only tab stop.
        auto* ok = qobject_cast<QPushButton*>(box.GetDlgItem(quillet::IDOK));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->geometry(), quillet::MapDialogRect(box.BaseUnits(), 153, 30, 43, 14));
        QVERIFY(ok->isDefault());
        QCOMPARE(QApplication::focusWidget(), ok);
        for (const QWidget* child : box.findChildren<QWidget*>()) {
            QCOMPARE(child->focusPolicy() == Qt::StrongFocus, child == ok);
        }
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);

        // The picture at its own 91 x 55 pixels, not the template's 52 x 37 units.
        const auto labels = box.findChildren<QLabel*>();
        const auto picture = std::find_if(labels.begin(), labels.end(), [](const QLabel* label) {
            return !label->pixmap().isNull();
        });
        QVERIFY(picture != labels.end());
        QCOMPARE((*picture)->pixmap().size(), QSize(91, 55));
        QCOMPARE((*picture)->size(), QSize(91, 55));
        QCOMPARE((*picture)->pos(), quillet::MapDialogRect(box.BaseUnits(), 7, 7, 1, 1).topLeft());

        // Centred over the main dialog, give or take the rounding of odd sizes.
        const QPoint offset = box.geometry().center() - m_dialog->geometry().center();
        QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2,
                 qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
        Press(Qt::Key_Return);
    });
    QCOMPARE(seen, 1);
}

void AboutBoxTest::systemCommands_data() {
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<bool>("opensBox");
    QTest::addColumn<bool>("endsDialog");
    for (unsigned command = 0x0010; command <= 0x001F; ++command) {
        QTest::addRow("0x%04x", command) << command << true << false;
    }
    QTest::newRow("0x0000") << 0x0000U << false << false;
    QTest::newRow("0x0020") << 0x0020U << false << false;
    QTest::newRow("0x0110") << 0x0110U << false << false;
    QTest::newRow("move 0xF010") << 0xF010U << false << false;
    QTest::newRow("close 0xF060") << 0xF060U << false << true;
    QTest::newRow("close 0xF063") << 0xF063U << false << true;
}

void AboutBoxTest::systemCommands() {
    QFETCH(unsigned, command);
    QFETCH(bool, opensBox);
    QFETCH(bool, endsDialog);
    const int seen = RunBox(command, [](QWidget& shown) {
        Activate(shown);
        Press(Qt::Key_Escape);
    });
    QCOMPARE(seen, opensBox ? 1 : 0);
    QCOMPARE(m_dialog->isVisible(), !endsDialog);
    if (endsDialog) {
        QCOMPARE(m_dialog->result(), quillet::IDCANCEL);
    }
}

void AboutBoxTest::closings_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("OK clicked") << "click" << int(quillet::IDOK);
    QTest::newRow("Enter") << "enter" << int(quillet::IDOK);
    QTest::newRow("Escape") << "escape" << int(quillet::IDCANCEL);
    QTest::newRow("close box") << "close" << int(quillet::IDCANCEL);
}

void AboutBoxTest::closings() {
    QFETCH(QString, how);
    QFETCH(int, result);
    const Fields before = MainFields();
    int ended = 0;
    const int seen = RunBox(quillet::IDM_ABOUT_BOX, [&how, &ended](QWidget& shown) {
        auto& box = dynamic_cast<CAboutBox&>(shown);
        Activate(box);
        if (how == "click") {
            QTest::mouseClick(box.GetDlgItem(quillet::IDOK), Qt::LeftButton);
        } else if (how == "enter") {
            Press(Qt::Key_Return);
        } else if (how == "escape") {
            Press(Qt::Key_Escape);
        } else {
            box.close();
        }
        QVERIFY(!box.isVisible());
        ended = box.result();
    });
    QCOMPARE(seen, 1);
    QCOMPARE(ended, result);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), 0);
    QCOMPARE(MainFields(), before);
    QVERIFY(m_fakes->boxes->shown.empty());
}

void AboutBoxTest::helpKeyInTheBox() {
    const int seen = RunBox(quillet::IDM_ABOUT_BOX, [](QWidget& shown) {
        Activate(shown);
        Press(Qt::Key_F1);
        QVERIFY(shown.isVisible());
        Press(Qt::Key_Escape);
    });
    QCOMPARE(seen, 1);
    QCOMPARE(m_fakes->help->calls.size(), 1U);
    QCOMPARE(m_fakes->help->calls[0].first, std::string("/opt/tools/gen2.html"));
    QCOMPARE(m_fakes->help->calls[0].second, 0x20064U);
}

void AboutBoxTest::versionBlock() {
    const quillet::VersionResource* version = quillet::FindVersionResource();
    QVERIFY(version != nullptr);
    const std::array<std::uint16_t, 4> one{1, 0, 0, 0};
    QCOMPARE(version->fileVersion, one);
    QCOMPARE(version->productVersion, one);
    QCOMPARE(version->fileFlagsMask, 0x3FU);
    QCOMPARE(version->fileFlags, 0U);
    QCOMPARE(version->fileOS, 4U);
    QCOMPARE(version->fileType, 1U);
    QCOMPARE(Q(version->stringBlock), QStringLiteral("041104b0"));
    QCOMPARE(version->translationLanguage, 0x0411);
    QCOMPARE(version->translationCodePage, 1200);

    // The keys in their order; the values that are fixed, and the maker's two non-empty.
    const std::vector<std::pair<QString, QString>> fixed{
        {"Comments", ""},
        {"CompanyName", "*"},
        {"FileDescription", "Quillet ｱﾌﾟﾘｹｰｼｮﾝ"},
        {"FileVersion", "1, 0, 0, 0"},
        {"InternalName", "Quillet"},
        {"LegalCopyright", "*"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Quillet.EXE"},
        {"PrivateBuild", ""},
        {"ProductName", "Quillet ｱﾌﾟﾘｹｰｼｮﾝ"},
        {"ProductVersion", "1, 0, 0, 0"},
        {"SpecialBuild", ""},
    };
    QCOMPARE(version->strings.size(), fixed.size());
    for (std::size_t i = 0; i < fixed.size(); ++i) {
        const auto& [key, value] = fixed[i];
        QCOMPARE(Q(version->strings[i].key), key);
        if (value == "*") {
            QVERIFY(!version->strings[i].value.empty());
        } else {
            QCOMPARE(Q(version->strings[i].value), value);
        }
    }
    // The copyright line names the maker and a year.
    const QString copyright = Q(version->strings[5].value);
    QVERIFY(copyright.contains(Q(version->strings[1].value)));
    QVERIFY(copyright.contains(QRegularExpression(QStringLiteral("\\b20\\d\\d\\b"))));
}

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
