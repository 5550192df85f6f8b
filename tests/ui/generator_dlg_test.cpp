// The main dialog driven as a person would, with the pickers and message boxes answered by
// fakes and real files under a temporary folder.
#include "ui/generator_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/messages.h"
#include "platform/qt/module.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/win_app.h"
#include "res/resource.h"
#include "support/qt_fakes.h"
#include "support/temp_dir.h"

using quillet::CGeneratorDlg;
using quillet::FileDialogRequest;
using quillet::testing::Fakes;
using quillet::testing::ReadFile;
using quillet::testing::TempDir;
using quillet::testing::WriteFile;

namespace {

constexpr int kEnded = -1;  // marker in tables: the dialog ended with IDCANCEL

// The defaults, spelled out here on their own: 69 and 57 bytes.
std::string Header69() {
    return ";---- HEADER\r\nCMDDIA 0\r\nFILEDIA 0\r\nPROXYNOTICE 0\r\n;---- MAIN SCRIPT\r\n";
}
std::string Footer57() {
    return ";---- FOOTER\r\nNEW .\r\nPROXYNOTICE 1\r\nFILEDIA 1\r\nCMDDIA 1\r\n";
}

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a message box showed: its text and type, for comparing whole sequences.
QString Shown(const QString& text, unsigned type) {
    return text + QStringLiteral(" | 0x") + QString::number(type, 16);
}

}  // namespace

class GeneratorDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsWithDefaultsAndFocusOnGenerate();
    void tabCyclesThroughEightStopsInTemplateOrder();
    void controlsSitWhereTheTemplatePutsThem();
    void opensCentredOnThePrimaryWorkArea();
    void keys_data();
    void keys();
    void pathEditsAreReadOnlyButCopyable();
    void pickersWriteOnlyTheControls();
    void cancelledPickersChangeNothing();
    void runs_data();
    void runs();
    void editedTextsReachTheRunExactly();
    void closeBoxEndsTheDialog();
    void helpKey_data();
    void helpKey();
    void helpThatCannotStartSaysSo();

private:
    [[nodiscard]] QWidget* Item(int id) const { return m_dialog->GetDlgItem(id); }
    [[nodiscard]] QString Text(int id) const;
    void Focus(int id);
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    [[nodiscard]] QStringList ShownBoxes() const;
    // Picks a base script and a target folder through the "..." buttons.
    void Choose(const std::string& base, const std::string& folder);

    std::unique_ptr<quillet::CWinApp> m_app;
    std::unique_ptr<Fakes> m_fakes;
    std::unique_ptr<CGeneratorDlg> m_dialog;
    std::unique_ptr<TempDir> m_dir;
    std::filesystem::path m_startDirectory;
};

void GeneratorDlgTest::initTestCase() {
    quillet::SetModuleResources(&quillet::res::Resources());
    quillet::InstallFontSubstitutions();
    m_startDirectory = std::filesystem::current_path();
}

void GeneratorDlgTest::init() {
    m_app = std::make_unique<quillet::CWinApp>();
    m_app->SetModulePath("/opt/tools/gen2.bin");
    m_app->m_memoryLimit = 1U << 30U;
    m_fakes = std::make_unique<Fakes>(*m_app);
    m_dir = std::make_unique<TempDir>();
    m_dialog = std::make_unique<CGeneratorDlg>();
    m_app->m_pMainWnd = m_dialog.get();
    QVERIFY(m_dialog->Create());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void GeneratorDlgTest::cleanup() {
    m_dialog.reset();
    m_fakes.reset();
    m_app.reset();
    std::filesystem::current_path(m_startDirectory);
    m_dir.reset();
}

QString GeneratorDlgTest::Text(int id) const {
    QWidget* item = Item(id);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(item)) {
        return edit->toPlainText();
    }
    return qobject_cast<QLineEdit*>(item)->text();
}

void GeneratorDlgTest::Focus(int id) {
    Item(id)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), Item(id));
}

void GeneratorDlgTest::Press(int key, Qt::KeyboardModifiers modifiers) {
    // To the focused control, as a keyboard would: sent to the dialog, the key would reach
    // the default button wherever the focus is.
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

QStringList GeneratorDlgTest::ShownBoxes() const {
    QStringList shown;
    for (const quillet::MessageBoxRequest& request : m_fakes->boxes->shown) {
        shown << Shown(request.text, request.type);
    }
    return shown;
}

void GeneratorDlgTest::Choose(const std::string& base, const std::string& folder) {
    m_fakes->pickers->answers = {base, folder};
    qobject_cast<QAbstractButton*>(Item(quillet::IDC_BROWSE_BASE_SCRIPT))->click();
    qobject_cast<QAbstractButton*>(Item(quillet::IDC_BROWSE_TARGET_FOLDER))->click();
}

void GeneratorDlgTest::startsWithDefaultsAndFocusOnGenerate() {
    QCOMPARE(Header69().size(), 69U);
    QCOMPARE(Footer57().size(), 57U);
    m_dialog->UpdateData(true);
    QCOMPARE(m_dialog->m_strHeader, Header69());
    QCOMPARE(m_dialog->m_strFooter, Footer57());
    QVERIFY(m_dialog->m_strBaseScript.empty());
    QVERIFY(m_dialog->m_strTargetFolder.empty());
    QCOMPARE(
        Text(quillet::IDC_HEADER),
        QStringLiteral(";---- HEADER\nCMDDIA 0\nFILEDIA 0\nPROXYNOTICE 0\n;---- MAIN SCRIPT\n"));

    QCOMPARE(QApplication::focusWidget(), Item(quillet::IDOK));
    auto* generate = qobject_cast<QPushButton*>(Item(quillet::IDOK));
    QVERIFY(generate->isDefault());
    QCOMPARE(generate->text(), QStringLiteral("ｽｸﾘﾌﾟﾄ生成"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Quillet"));
    QVERIFY(!m_dialog->windowIcon().isNull());
    QVERIFY(m_dialog->windowIcon().availableSizes().contains(QSize(32, 32)));
    QVERIFY(m_dialog->windowIcon().availableSizes().contains(QSize(16, 16)));
    // An immediate Enter starts a run.
    Press(Qt::Key_Return);
    QCOMPARE(m_fakes->pickers->Count(FileDialogRequest::Kind::Save), 1);
}

void GeneratorDlgTest::tabCyclesThroughEightStopsInTemplateOrder() {
    const std::vector<int> forward{quillet::IDCANCEL,
                                   quillet::IDC_BASE_SCRIPT,
                                   quillet::IDC_TARGET_FOLDER,
                                   quillet::IDC_BROWSE_BASE_SCRIPT,
                                   quillet::IDC_BROWSE_TARGET_FOLDER,
                                   quillet::IDC_HEADER,
                                   quillet::IDC_FOOTER,
                                   quillet::IDOK};
    for (const int id : forward) {
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Item(id));
    }
    for (auto it = forward.rbegin() + 1; it != forward.rend(); ++it) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), Item(*it));
    }
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Item(quillet::IDOK));
    // Tab in the header and footer moved on above and inserted nothing.
    m_dialog->UpdateData(true);
    QCOMPARE(m_dialog->m_strHeader, Header69());
    QCOMPARE(m_dialog->m_strFooter, Footer57());
}

void GeneratorDlgTest::controlsSitWhereTheTemplatePutsThem() {
    const quillet::DialogTemplate* dialog = quillet::FindDialogTemplate(quillet::IDD_MAIN_DIALOG);
    QVERIFY(dialog != nullptr);
    const QFontInfo font(m_dialog->font());
    QVERIFY2(font.family() == QStringLiteral("IPAPGothic") ||
                 font.family() == QStringLiteral("Noto Sans CJK JP"),
             qPrintable(font.family()));
    QCOMPARE(m_dialog->font().pointSize(), 9);
    // Base units from the 52 letters, not from the CJK font's average width.
    const QFontMetrics metrics(m_dialog->font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const quillet::DialogBaseUnits units = m_dialog->BaseUnits();
    QCOMPARE(units.x, (letters / 26 + 1) / 2);
    QCOMPARE(units.y, metrics.height());
    const auto px = [&](int value, int base, int parts) {
        return (value * base + parts / 2) / parts;
    };
    QCOMPARE(m_dialog->size(), QSize(px(251, units.x, 4), px(153, units.y, 8)));
    QCOMPARE(static_cast<int>(dialog->items.size()), 12);
    for (const quillet::DialogItemTemplate& item : dialog->items) {
        QWidget* control = Item(item.id);
        QVERIFY2(control != nullptr, qPrintable(QString::number(item.id)));
        QCOMPARE(control->geometry(), QRect(px(item.x, units.x, 4), px(item.y, units.y, 8),
                                            px(item.cx, units.x, 4), px(item.cy, units.y, 8)));
    }
    auto* header = qobject_cast<QPlainTextEdit*>(Item(quillet::IDC_HEADER));
    QVERIFY(header != nullptr);
    QCOMPARE(header->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(qobject_cast<QLineEdit*>(Item(quillet::IDC_BASE_SCRIPT))->isReadOnly());
    QCOMPARE(qobject_cast<QLabel*>(Item(quillet::IDC_BASE_SCRIPT_LABEL))->text(),
             QStringLiteral("ﾍﾞｰｽｽｸﾘﾌﾟﾄﾌｧｲﾙ :"));
}

void GeneratorDlgTest::opensCentredOnThePrimaryWorkArea() {
    // Centred as a whole; the frame, whose size the desktop decides, may move it a little.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = m_dialog->geometry().center() - area.center();
    QVERIFY2(std::abs(offset.x()) <= 4 && std::abs(offset.y()) <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

void GeneratorDlgTest::keys_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("key");
    // What the key does: a run (a save prompt), a picker, a line break, or the end.
    QTest::addColumn<int>("saves");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("folders");
    QTest::addColumn<int>("lineBreaks");
    QTest::addColumn<int>("result");

    using namespace quillet;
    QTest::newRow("Enter on the generate button runs")
        << IDOK << int(Qt::Key_Return) << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("Enter in the base script path runs")
        << IDC_BASE_SCRIPT << int(Qt::Key_Return) << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("keypad Enter in the folder path runs")
        << IDC_TARGET_FOLDER << int(Qt::Key_Enter) << 1 << 0 << 0 << 0 << 0;
    QTest::newRow("Enter in the header breaks the line")
        << IDC_HEADER << int(Qt::Key_Return) << 0 << 0 << 0 << 1 << 0;
    QTest::newRow("Enter in the footer breaks the line")
        << IDC_FOOTER << int(Qt::Key_Return) << 0 << 0 << 0 << 1 << 0;
    QTest::newRow("Enter on the base picker button picks")
        << IDC_BROWSE_BASE_SCRIPT << int(Qt::Key_Return) << 0 << 1 << 0 << 0 << 0;
    QTest::newRow("Enter on the folder picker button picks")
        << IDC_BROWSE_TARGET_FOLDER << int(Qt::Key_Return) << 0 << 0 << 1 << 0 << 0;
    QTest::newRow("Enter on the exit button ends")
        << IDCANCEL << int(Qt::Key_Return) << 0 << 0 << 0 << 0 << kEnded;
    QTest::newRow("Space on the exit button ends")
        << IDCANCEL << int(Qt::Key_Space) << 0 << 0 << 0 << 0 << kEnded;
    for (const int id : {IDOK, IDCANCEL, IDC_BASE_SCRIPT, IDC_TARGET_FOLDER, IDC_BROWSE_BASE_SCRIPT,
                         IDC_BROWSE_TARGET_FOLDER, IDC_HEADER, IDC_FOOTER}) {
        QTest::addRow("Escape in control %d ends", id)
            << id << int(Qt::Key_Escape) << 0 << 0 << 0 << 0 << kEnded;
    }
}

void GeneratorDlgTest::keys() {
    QFETCH(int, control);
    QFETCH(int, key);
    QFETCH(int, saves);
    QFETCH(int, opens);
    QFETCH(int, folders);
    QFETCH(int, lineBreaks);
    QFETCH(int, result);

    Focus(control);
    const QString before =
        qobject_cast<QPlainTextEdit*>(Item(control)) != nullptr ? Text(control) : QString();
    Press(key);
    QCOMPARE(m_fakes->pickers->Count(FileDialogRequest::Kind::Save), saves);
    QCOMPARE(m_fakes->pickers->Count(FileDialogRequest::Kind::Open), opens);
    QCOMPARE(m_fakes->pickers->Count(FileDialogRequest::Kind::Folder), folders);
    if (saves > 0) {
        // The save dialog was cancelled: the run says so, and the dialog stays.
        QCOMPARE(ShownBoxes(), QStringList{Shown(Q(quillet::messages::kCancelled), 0x30)});
    } else {
        QVERIFY(m_fakes->boxes->shown.empty());
    }
    if (lineBreaks > 0) {
        QCOMPARE(Text(control), QStringLiteral("\n") + before);
    }
    if (result == kEnded) {
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), quillet::IDCANCEL);
    } else {
        QVERIFY(m_dialog->isVisible());
    }
}

void GeneratorDlgTest::pathEditsAreReadOnlyButCopyable() {
    Choose(m_dir->Path() + "/base.scr", m_dir->Path());
    Focus(quillet::IDC_BASE_SCRIPT);
    QTest::keyClicks(QApplication::focusWidget(), "xyz");
    Press(Qt::Key_Backspace);
    QCOMPARE(Text(quillet::IDC_BASE_SCRIPT), Q(m_dir->Path() + "/base.scr"));
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), Q(m_dir->Path() + "/base.scr"));
}

void GeneratorDlgTest::pickersWriteOnlyTheControls() {
    const std::string base = m_dir->Path() + "/ﾍﾞｰｽ.scr";
    const std::string folder = m_dir->Path() + "/dwg";
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/a.dwg", "a");
    WriteFile(base, "OPEN <TARGET_FILEPATH>\r\n");
    Choose(m_dir->Path() + "/first.scr", m_dir->Path());
    Choose(base, folder);  // choosing again replaces the whole text

    const auto& requests = m_fakes->pickers->requests;
    QCOMPARE(requests.size(), 4U);
    QCOMPARE(requests[0].kind, FileDialogRequest::Kind::Open);
    QCOMPARE(requests[0].filter, QStringLiteral("ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)|*.*|"));
    QCOMPARE(requests[0].flags, quillet::OFN_FILEMUSTEXIST | quillet::OFN_HIDEREADONLY);
    QVERIFY(requests[0].title.isEmpty());
    QCOMPARE(requests[0].owner.data(), static_cast<QWidget*>(m_dialog.get()));
    QCOMPARE(requests[1].kind, FileDialogRequest::Kind::Folder);
    QCOMPARE(requests[1].title, QStringLiteral("処理対象ﾌｫﾙﾀﾞを選択"));
    QCOMPARE(requests[1].flags, quillet::BIF_RETURNONLYFSDIRS);

    QCOMPARE(Text(quillet::IDC_BASE_SCRIPT), Q(base));
    QCOMPARE(Text(quillet::IDC_TARGET_FOLDER), Q(folder));
    QVERIFY(m_dialog->m_strBaseScript.empty());
    QVERIFY(m_dialog->m_strTargetFolder.empty());

    // The next run reads what the pickers wrote.
    m_fakes->pickers->answers = {m_dir->Path() + "/out.scr"};
    Press(Qt::Key_Return);
    QCOMPARE(m_dialog->m_strBaseScript, base);
    QCOMPARE(m_dialog->m_strTargetFolder, folder);
    QCOMPARE(ReadFile(m_dir->Path() + "/out.scr"),
             Header69() + "OPEN " + folder + "/a.dwg\r\n" + Footer57());
    const FileDialogRequest& save = m_fakes->pickers->requests.back();
    QCOMPARE(save.kind, FileDialogRequest::Kind::Save);
    QCOMPARE(save.title, QStringLiteral("保存ｽｸﾘﾌﾟﾄﾌｧｲﾙを指定"));
    QCOMPARE(save.filter, QStringLiteral("ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)|*.*|"));
    QCOMPARE(save.flags, quillet::OFN_HIDEREADONLY);
}

void GeneratorDlgTest::cancelledPickersChangeNothing() {
    Choose("/somewhere/base.scr", "/somewhere");
    Choose("/elsewhere/base.scr", "/elsewhere");
    m_fakes->pickers->answers = {std::nullopt, std::nullopt};
    qobject_cast<QAbstractButton*>(Item(quillet::IDC_BROWSE_BASE_SCRIPT))->click();
    qobject_cast<QAbstractButton*>(Item(quillet::IDC_BROWSE_TARGET_FOLDER))->click();
    QCOMPARE(Text(quillet::IDC_BASE_SCRIPT), QStringLiteral("/elsewhere/base.scr"));
    QCOMPARE(Text(quillet::IDC_TARGET_FOLDER), QStringLiteral("/elsewhere"));
    QVERIFY(m_fakes->boxes->shown.empty());
}

void GeneratorDlgTest::runs_data() {
    QTest::addColumn<QString>("outputName");  // empty: the save dialog is cancelled
    QTest::addColumn<bool>("outputExists");
    QTest::addColumn<bool>("baseExists");
    QTest::addColumn<int>("questionAnswer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<unsigned>("lastType");
    QTest::addColumn<QString>("output");  // "script", "old", "empty" or "none"

    const QString question = Q(quillet::messages::kOverwriteQuestion);
    const QString success = Q(quillet::messages::kGenerated);
    const QString cancelled = Q(quillet::messages::kCancelled);
    const QString outputWarning = Q(quillet::messages::kOutputOpenFailed);
    const QString baseWarning = Q(quillet::messages::kBaseScriptOpenFailed);
    const unsigned info = quillet::MB_ICONINFORMATION;
    const unsigned exclamation = quillet::MB_ICONEXCLAMATION;

    QTest::newRow("new file: success")
        << "out.scr" << false << true << 0 << QStringList{success} << info << "script";
    QTest::newRow("save dialog cancelled")
        << "" << false << true << 0 << QStringList{cancelled} << exclamation << "none";
    QTest::newRow("overwrite answered OK") << "out.scr" << true << true << int(quillet::IDOK)
                                           << QStringList{question, success} << info << "script";
    QTest::newRow("overwrite answered Cancel")
        << "out.scr" << true << true << int(quillet::IDCANCEL) << QStringList{question, cancelled}
        << exclamation << "old";
    QTest::newRow("output folder missing")
        << "missing/out.scr" << false << true << 0 << QStringList{outputWarning, cancelled}
        << exclamation << "none";
    QTest::newRow("base script missing")
        << "out.scr" << false << false << 0 << QStringList{baseWarning, cancelled} << exclamation
        << "empty";
}

void GeneratorDlgTest::runs() {
    QFETCH(QString, outputName);
    QFETCH(bool, outputExists);
    QFETCH(bool, baseExists);
    QFETCH(int, questionAnswer);
    QFETCH(QStringList, messages);
    QFETCH(unsigned, lastType);
    QFETCH(QString, output);

    const std::string folder = m_dir->Path() + "/dwg";
    const std::string base = m_dir->Path() + "/plot.scr";
    const std::string outputPath = m_dir->Path() + "/" + outputName.toStdString();
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/b.dwg", "b");
    WriteFile(folder + "/a.dwg", "a");
    if (baseExists) {
        WriteFile(base, "OPEN \"<TARGET_FILEPATH>\" ; <TARGET_FNAMETITLE>\r\n");
    }
    if (outputExists) {
        WriteFile(outputPath, "old content");
    }
    Choose(base, folder);
    if (!outputName.isEmpty()) {
        m_fakes->pickers->answers = {outputPath};
    }
    if (questionAnswer != 0) {
        m_fakes->boxes->answers = {questionAnswer};
    }
    const QString headerBefore = Text(quillet::IDC_HEADER);

    Focus(quillet::IDOK);
    Press(Qt::Key_Return);

    QStringList texts;
    for (const quillet::MessageBoxRequest& request : m_fakes->boxes->shown) {
        texts << request.text;
        // Every box: the application's title as caption, owned by the dialog.
        QCOMPARE(request.caption, QStringLiteral("gen2"));
        QCOMPARE(request.owner.data(), static_cast<QWidget*>(m_dialog.get()));
    }
    QCOMPARE(texts, messages);
    QCOMPARE(m_fakes->boxes->shown.back().type, lastType);
    if (outputExists) {
        // The question: OK and Cancel, given the exclamation mark as it names no icon.
        QCOMPARE(m_fakes->boxes->shown.front().type,
                 quillet::MB_OKCANCEL | quillet::MB_ICONEXCLAMATION);
    }
    const std::string script = Header69() + "OPEN \"" + folder + "/a.dwg\" ; a\r\nOPEN \"" +
                               folder + "/b.dwg\" ; b\r\n" + Footer57();
    if (output == "script") {
        QCOMPARE(ReadFile(outputPath), script);
    } else if (output == "old") {
        QCOMPARE(ReadFile(outputPath), std::string("old content"));
    } else if (output == "empty") {
        QCOMPARE(ReadFile(outputPath), std::string());
    } else if (!outputName.isEmpty()) {
        QVERIFY(!std::filesystem::exists(outputPath));
    }

    // Still open, every field as it was, ready for the next run.
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(Text(quillet::IDC_BASE_SCRIPT), Q(base));
    QCOMPARE(Text(quillet::IDC_TARGET_FOLDER), Q(folder));
    QCOMPARE(Text(quillet::IDC_HEADER), headerBefore);
    m_dialog->UpdateData(true);
    QCOMPARE(m_dialog->m_strFooter, Footer57());
    if (baseExists) {
        m_fakes->boxes->shown.clear();
        m_fakes->pickers->answers = {m_dir->Path() + "/again.scr"};
        Press(Qt::Key_Return);
        QCOMPARE(ReadFile(m_dir->Path() + "/again.scr"), script);
        QCOMPARE(ShownBoxes(),
                 QStringList{Shown(Q(quillet::messages::kGenerated), quillet::MB_ICONINFORMATION)});
    }
}

void GeneratorDlgTest::editedTextsReachTheRunExactly() {
    const std::string folder = m_dir->Path() + "/empty";
    std::filesystem::create_directory(folder);
    WriteFile(m_dir->Path() + "/base.scr", "x");
    Choose(m_dir->Path() + "/base.scr", folder);

    // The user removes the header's last line break and types a Japanese line in the footer.
    auto* header = qobject_cast<QPlainTextEdit*>(Item(quillet::IDC_HEADER));
    Focus(quillet::IDC_HEADER);
    header->moveCursor(QTextCursor::End);
    Press(Qt::Key_Backspace);
    auto* footer = qobject_cast<QPlainTextEdit*>(Item(quillet::IDC_FOOTER));
    Focus(quillet::IDC_FOOTER);
    footer->moveCursor(QTextCursor::End);
    for (const QChar ch : QStringLiteral("終了ｺﾒﾝﾄ")) {
        // One event per character: keyClicks cannot type Japanese.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(footer, &press);
    }
    Press(Qt::Key_Return);

    m_fakes->pickers->answers = {m_dir->Path() + "/out.scr"};
    Focus(quillet::IDOK);
    Press(Qt::Key_Return);
    const std::string expectedHeader = Header69().substr(0, Header69().size() - 2);
    QCOMPARE(ReadFile(m_dir->Path() + "/out.scr"), expectedHeader + Footer57() + "終了ｺﾒﾝﾄ\r\n");
}

void GeneratorDlgTest::closeBoxEndsTheDialog() {
    m_dialog->close();
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), quillet::IDCANCEL);
    QVERIFY(m_fakes->boxes->shown.empty());
}

void GeneratorDlgTest::helpKey_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("asks");
    using namespace quillet;
    for (const int id : {IDOK, IDC_BASE_SCRIPT, IDC_HEADER, IDC_BROWSE_TARGET_FOLDER}) {
        QTest::addRow("F1 in control %d", id) << id << int(Qt::NoModifier) << true;
    }
    QTest::newRow("Shift+F1") << int(IDC_HEADER) << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+F1") << int(IDOK) << int(Qt::ControlModifier) << false;
    QTest::newRow("Alt+F1") << int(IDC_BASE_SCRIPT) << int(Qt::AltModifier) << false;
}

void GeneratorDlgTest::helpKey() {
    QFETCH(int, control);
    QFETCH(int, modifiers);
    QFETCH(bool, asks);
    Focus(control);
    Press(Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
    if (asks) {
        QCOMPARE(m_fakes->help->calls.size(), 1U);
        QCOMPARE(m_fakes->help->calls[0].first, std::string("/opt/tools/gen2.html"));
        QCOMPARE(m_fakes->help->calls[0].second, 0x20066U);
    } else {
        QVERIFY(m_fakes->help->calls.empty());
    }
    QVERIFY(m_fakes->boxes->shown.empty());
    QVERIFY(m_fakes->pickers->requests.empty());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(QApplication::focusWidget(), Item(control));
}

void GeneratorDlgTest::helpThatCannotStartSaysSo() {
    m_fakes->help->starts = false;
    Press(Qt::Key_F1);
    QCOMPARE(m_fakes->help->calls.size(), 1U);
    QCOMPARE(ShownBoxes(), QStringList{Shown(QStringLiteral("ﾍﾙﾌﾟの起動に失敗しました。"),
                                             quillet::MB_ICONEXCLAMATION)});
    QVERIFY(m_dialog->isVisible());
}

QTEST_MAIN(GeneratorDlgTest)
#include "generator_dlg_test.moc"
