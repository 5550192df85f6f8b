// The dialog layer on its own: dialogs from templates, data exchange, the message-box rule
// and the real boxes and pickers, fonts, help addresses and the icon.
#include <QApplication>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/prompter.h"
#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/help.h"
#include "platform/qt/message_box.h"
#include "platform/qt/module.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/win_app.h"
#include "res/resource.h"
#include "support/modal.h"
#include "support/qt_fakes.h"
#include "support/temp_dir.h"

using namespace quillet;

namespace {

// A small classic template with what the program's own does not use: a picture, a
// multi-line edit without ES_WANTRETURN, a disabled button, a button without a tab stop.
constexpr int IDD_SAMPLE = 300;
constexpr int IDC_PICTURE = 10;
constexpr int IDC_NOTES = 11;
constexpr int IDC_DISABLED = 12;
constexpr int IDC_NO_TABSTOP = 13;
constexpr int IDC_CHECK = 14;
constexpr int IDC_NAME = 15;
constexpr int IDB_SAMPLE = 400;

constexpr std::array kSampleItems{
    DialogItemTemplate{IDC_PICTURE,
                       "STATIC",
                       {"", IDB_SAMPLE},
                       WS_CHILD | WS_VISIBLE | SS_BITMAP,
                       0,
                       4,
                       4,
                       20,
                       20,
                       0},
    DialogItemTemplate{IDC_NAME,
                       "EDIT",
                       {"name"},
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                       0,
                       30,
                       4,
                       60,
                       12,
                       0},
    DialogItemTemplate{IDC_NOTES,
                       "EDIT",
                       {""},
                       WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_BORDER | WS_TABSTOP,
                       0,
                       30,
                       20,
                       60,
                       30,
                       0},
    DialogItemTemplate{IDC_DISABLED,
                       "BUTTON",
                       {"&Off"},
                       WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP,
                       0,
                       4,
                       60,
                       30,
                       14,
                       0},
    DialogItemTemplate{
        IDC_NO_TABSTOP, "BUTTON", {"Skip"}, WS_CHILD | WS_VISIBLE, 0, 40, 60, 30, 14, 0},
    DialogItemTemplate{IDC_CHECK,
                       "BUTTON",
                       {"Check"},
                       WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP,
                       0,
                       4,
                       78,
                       40,
                       10,
                       0},
    DialogItemTemplate{IDOK,
                       "BUTTON",
                       {"OK"},
                       WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP,
                       0,
                       80,
                       78,
                       30,
                       14,
                       0},
};
constexpr std::array kSampleDialogs{
    DialogTemplate{IDD_SAMPLE, TemplateKind::Classic, LANG_JAPANESE_JAPAN, "Sample",
                   WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 120,
                   100, "", "", DialogFont{9, "ＭＳ Ｐゴシック", 0, false, DEFAULT_CHARSET},
                   kSampleItems},
};
constexpr std::array kSampleBitmaps{
    ImageResource{IDB_SAMPLE, LANG_JAPANESE_JAPAN, ":/quillet/res/app_icon.ico"},
};
constexpr ModuleResources kSampleResources{kSampleDialogs, {}, kSampleBitmaps, {}, nullptr};

// A dialog whose members are exchanged with the sample's two edits.
class SampleDialog final : public CDialog {
public:
    SampleDialog() : CDialog(IDD_SAMPLE) {}
    bool OnCommand(int nID) override {
        commands.push_back(nID);
        return CDialog::OnCommand(nID);
    }
    std::string m_strName;
    std::string m_strNotes;
    std::vector<int> commands;
    int oks = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_NOTES, m_strNotes);
    }
    void OnOK() override { ++oks; }
};

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class DialogLayerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mulDivRoundsHalvesAway_data();
    void mulDivRoundsHalvesAway();
    void templateFontIsAnInstalledJapaneseGothic();
    void templateBuildsEveryControlKind();
    void enterWithoutWantReturnGoesToTheDefaultButton();
    void dataExchange_data();
    void dataExchange();
    void codecFollowsTheLocalesCharacterSet();
    void defaultIcon_data();
    void defaultIcon();
    void messageBoxesGoThroughTheApplication();
    void builtMessageBoxes_data();
    void builtMessageBoxes();
    void realMessageBoxAnswers_data();
    void realMessageBoxAnswers();
    void fileDialogsAreConfiguredFromTheRequest();
    void realPickerShowsNamesWithoutADot();
    void pickedFolderPaths_data();
    void pickedFolderPaths();
    void helpAddressPointsAtTheContext();
    void iconHoldsTwoSixteenColourImages();

private:
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<testing::Fakes> m_fakes;
};

void DialogLayerTest::initTestCase() {
    InstallFontSubstitutions();
}

void DialogLayerTest::init() {
    SetModuleResources(&kSampleResources);
    m_app = std::make_unique<CWinApp>();
    m_app->SetModulePath("/usr/bin/gen2");
    m_fakes = std::make_unique<testing::Fakes>(*m_app);
}

void DialogLayerTest::cleanup() {
    m_fakes.reset();
    m_app.reset();
    SetModuleResources(nullptr);
}

void DialogLayerTest::mulDivRoundsHalvesAway_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 8 << 6 << 4 << 12;
    QTest::newRow("half up") << 1 << 6 << 4 << 2;
    QTest::newRow("below half down") << 5 << 5 << 8 << 3;
    QTest::newRow("above half up") << 3 << 7 << 4 << 5;
    QTest::newRow("negative half away") << -1 << 6 << 4 << -2;
    QTest::newRow("no overflow") << 2000000000 << 3 << 4 << 1500000000;
}

void DialogLayerTest::mulDivRoundsHalvesAway() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
}

void DialogLayerTest::templateFontIsAnInstalledJapaneseGothic() {
    const QFont font = TemplateFont(DialogFont{9, "ＭＳ Ｐゴシック", 0, false, DEFAULT_CHARSET});
    const QFontInfo info(font);
    QVERIFY2(info.family() == QStringLiteral("IPAPGothic") ||
                 info.family() == QStringLiteral("Noto Sans CJK JP"),
             qPrintable(info.family()));
    const QFontMetrics metrics(font);
    // Half-width katakana, kanji, Latin and the backslash all from the one face: no boxes.
    for (const char32_t ch : {U'ｽ', U'ﾞ', U'生', U'A', U'\\', U'.'}) {
        QVERIFY2(metrics.inFontUcs4(ch), qPrintable(QString::number(ch, 16)));
    }
    // The width measure is the 52 letters, which differs from a CJK face's average width.
    const DialogBaseUnits units = BaseUnitsOf(font);
    QVERIFY(units.x > 0);
    QCOMPARE(units.y, metrics.height());
}

void DialogLayerTest::templateBuildsEveryControlKind() {
    SampleDialog dialog;
    QVERIFY(dialog.Create());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sample"));
    auto* picture = qobject_cast<QLabel*>(dialog.GetDlgItem(IDC_PICTURE));
    if (picture == nullptr) {
        QFAIL("the picture is no label");
    }
    QVERIFY(!picture->pixmap().isNull());
    // A picture takes its own size, whatever the template's nominal 20 x 20 units.
    QCOMPARE(picture->size(), picture->pixmap().deviceIndependentSize().toSize());
    QVERIFY(picture->size() != MapDialogRect(dialog.BaseUnits(), 4, 4, 20, 20).size());
    QVERIFY(qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NAME)) != nullptr);
    QVERIFY(qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_NOTES)) != nullptr);
    QVERIFY(qobject_cast<QCheckBox*>(dialog.GetDlgItem(IDC_CHECK)) != nullptr);
    QVERIFY(!dialog.GetDlgItem(IDC_DISABLED)->isEnabled());
    QCOMPARE(dialog.GetDlgItem(IDC_NO_TABSTOP)->focusPolicy(), Qt::ClickFocus);
    QVERIFY(dialog.GetDlgItem(999) == nullptr);
    QCOMPARE(dialog.HelpContext(), 0x20000U + IDD_SAMPLE);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    // The first enabled tab stop has the focus; Tab skips the disabled and the non-stop.
    QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_NAME));
    const std::array order{IDC_NOTES, IDC_CHECK, IDOK, IDC_NAME};
    for (const int id : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(id));
    }
    // A button's click is a command with its number.
    qobject_cast<QAbstractButton*>(dialog.GetDlgItem(IDC_NO_TABSTOP))->click();
    QCOMPARE(dialog.commands, std::vector<int>{IDC_NO_TABSTOP});
}

void DialogLayerTest::enterWithoutWantReturnGoesToTheDefaultButton() {
    SampleDialog dialog;
    QVERIFY(dialog.Create());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.GetDlgItem(IDC_NOTES)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), dialog.GetDlgItem(IDC_NOTES));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.oks, 1);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_NOTES))->toPlainText(), QString());
}

void DialogLayerTest::dataExchange_data() {
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF lines") << QByteArray("one\r\ntwo\r\n") << QStringLiteral("one\ntwo\n");
    QTest::newRow("no final line break") << QByteArray("one\r\ntwo") << QStringLiteral("one\ntwo");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("Japanese in UTF-8")
        << QByteArray("ﾍｯﾀﾞ 生成\r\n") << QStringLiteral("ﾍｯﾀﾞ 生成\n");
}

void DialogLayerTest::dataExchange() {
    QFETCH(QByteArray, member);
    QFETCH(QString, shown);
    SampleDialog dialog;
    QVERIFY(dialog.Create());
    auto* notes = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_NOTES));
    auto* name = qobject_cast<QLineEdit*>(dialog.GetDlgItem(IDC_NAME));
    // The first exchange of the initialisation sent the empty members.
    QCOMPARE(name->text(), QString());

    dialog.m_strNotes = member.toStdString();
    dialog.m_strName = "名前";
    dialog.UpdateData(false);
    QCOMPARE(notes->toPlainText(), shown);
    QCOMPARE(name->text(), QStringLiteral("名前"));

    dialog.m_strNotes = "stale";
    dialog.m_strName = "stale";
    dialog.UpdateData(true);
    QCOMPARE(QByteArray::fromStdString(dialog.m_strNotes), member);
    QCOMPARE(dialog.m_strName, std::string("名前"));
}

void DialogLayerTest::codecFollowsTheLocalesCharacterSet() {
    QCOMPARE(LocaleTextCodec().Name(), std::string("UTF-8"));
    const TextCodec shiftJis("SHIFT_JIS");
    QCOMPARE(shiftJis.FromUnicode(QStringLiteral("ｽ生")), std::string("\xBD\x90\xB6"));
    QCOMPARE(shiftJis.ToUnicode("\x95\x5C"), QStringLiteral("表"));
    QCOMPARE(TextCodec("NO-SUCH-CHARSET").Name(), std::string("UTF-8"));
}

void DialogLayerTest::defaultIcon_data() {
    QTest::addColumn<unsigned>("type");
    QTest::addColumn<unsigned>("expected");
    QTest::newRow("OK") << MB_OK << (MB_OK | MB_ICONEXCLAMATION);
    QTest::newRow("OK Cancel") << MB_OKCANCEL << (MB_OKCANCEL | MB_ICONEXCLAMATION);
    QTest::newRow("Yes No Cancel") << MB_YESNOCANCEL << (MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    QTest::newRow("Yes No") << MB_YESNO << (MB_YESNO | MB_ICONEXCLAMATION);
    QTest::newRow("Abort Retry Ignore") << MB_ABORTRETRYIGNORE << MB_ABORTRETRYIGNORE;
    QTest::newRow("Retry Cancel") << MB_RETRYCANCEL << MB_RETRYCANCEL;
    QTest::newRow("OK information") << (MB_OK | MB_ICONINFORMATION) << (MB_OK | MB_ICONINFORMATION);
    QTest::newRow("OK Cancel question")
        << (MB_OKCANCEL | MB_ICONQUESTION) << (MB_OKCANCEL | MB_ICONQUESTION);
}

void DialogLayerTest::defaultIcon() {
    QFETCH(unsigned, type);
    QFETCH(unsigned, expected);
    QCOMPARE(WithDefaultIcon(type), expected);
}

void DialogLayerTest::messageBoxesGoThroughTheApplication() {
    SampleDialog dialog;
    QVERIFY(dialog.Create());
    m_app->m_pMainWnd = &dialog;
    m_fakes->boxes->answers = {IDCANCEL};
    QCOMPARE(AfxMessageBox("上書き?", MB_OKCANCEL), IDCANCEL);
    QCOMPARE(AfxMessageBox("done", MB_OK | MB_ICONINFORMATION), IDOK);
    const auto& shown = m_fakes->boxes->shown;
    QCOMPARE(shown.size(), 2U);
    QCOMPARE(shown[0].text, QStringLiteral("上書き?"));
    QCOMPARE(shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
    QCOMPARE(shown[1].type, MB_OK | MB_ICONINFORMATION);
    // The executable's name, whatever the dialog's caption.
    QCOMPARE(shown[0].caption, QStringLiteral("gen2"));
    QCOMPARE(shown[0].owner.data(), static_cast<QWidget*>(&dialog));
}

void DialogLayerTest::builtMessageBoxes_data() {
    QTest::addColumn<unsigned>("type");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("escape");
    QTest::newRow("OK Cancel exclamation")
        << (MB_OKCANCEL | MB_ICONEXCLAMATION) << QStringList{"OK", "ｷｬﾝｾﾙ"}
        << int(QMessageBox::Warning) << QStringLiteral("ｷｬﾝｾﾙ");
    QTest::newRow("OK information") << (MB_OK | MB_ICONINFORMATION) << QStringList{"OK"}
                                    << int(QMessageBox::Information) << QStringLiteral("OK");
    QTest::newRow("Yes No has no escape")
        << (MB_YESNO | MB_ICONQUESTION) << QStringList{"はい(&Y)", "いいえ(&N)"}
        << int(QMessageBox::Question) << QString();
}

void DialogLayerTest::builtMessageBoxes() {
    QFETCH(unsigned, type);
    QFETCH(QStringList, buttons);
    QFETCH(int, icon);
    QFETCH(QString, escape);
    const auto box =
        BuildMessageBox({nullptr, QStringLiteral("gen2"), QStringLiteral("text"), type});
    QCOMPARE(box->windowTitle(), QStringLiteral("gen2"));
    QCOMPARE(int(box->icon()), icon);
    QStringList texts;
    for (const QAbstractButton* button : box->buttons()) {
        texts << button->text();
    }
    QCOMPARE(texts, buttons);
    QCOMPARE(box->defaultButton()->text(), buttons.front());
    QCOMPARE(box->escapeButton() ? box->escapeButton()->text() : QString(), escape);
}

void DialogLayerTest::realMessageBoxAnswers_data() {
    QTest::addColumn<unsigned>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter takes the first button") << MB_OKCANCEL << int(Qt::Key_Return) << IDOK;
    QTest::newRow("Escape cancels") << MB_OKCANCEL << int(Qt::Key_Escape) << IDCANCEL;
    QTest::newRow("Escape in an OK box is OK") << MB_OK << int(Qt::Key_Escape) << IDOK;
}

void DialogLayerTest::realMessageBoxAnswers() {
    QFETCH(unsigned, type);
    QFETCH(int, key);
    QFETCH(int, answer);
    // A real modal box, answered by a key as soon as it is up.
    QString seenTitle;
    bool sawBox = false;
    testing::WhenModalUp([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        sawBox = true;
        seenTitle = box->windowTitle();
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    });
    QtMessageBoxPresenter presenter;
    const int result = presenter.Present(
        {nullptr, QStringLiteral("gen2"), QStringLiteral("?"), WithDefaultIcon(type)});
    QVERIFY(sawBox);
    QCOMPARE(seenTitle, QStringLiteral("gen2"));
    QCOMPARE(result, answer);
}

void DialogLayerTest::fileDialogsAreConfiguredFromTheRequest() {
    FileDialogRequest save{FileDialogRequest::Kind::Save, nullptr, QStringLiteral("保存"),
                           QStringLiteral("ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)|*.*|"), OFN_HIDEREADONLY};
    const auto saver = BuildFileDialog(save);
    QCOMPARE(saver->windowTitle(), QStringLiteral("保存"));
    QCOMPARE(saver->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(saver->testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(saver->testOption(QFileDialog::DontConfirmOverwrite));
    QVERIFY(saver->defaultSuffix().isEmpty());
    QCOMPARE(saver->nameFilters(), QStringList{QStringLiteral("ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)")});
    QCOMPARE(saver->findChild<QFileSystemModel*>()->nameFilters(), QStringList{"*"});

    save.flags |= OFN_OVERWRITEPROMPT;
    QVERIFY(!BuildFileDialog(save)->testOption(QFileDialog::DontConfirmOverwrite));

    const auto opener = BuildFileDialog({FileDialogRequest::Kind::Open, nullptr, QString(),
                                         QStringLiteral("Scripts|*.scr;*.txt|"),
                                         OFN_FILEMUSTEXIST | OFN_HIDEREADONLY});
    QCOMPARE(opener->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(opener->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(opener->findChild<QFileSystemModel*>()->nameFilters(),
             (QStringList{"*.scr", "*.txt"}));

    const auto folder =
        BuildFileDialog({FileDialogRequest::Kind::Folder, nullptr,
                         QStringLiteral("処理対象ﾌｫﾙﾀﾞを選択"), QString(), BIF_RETURNONLYFSDIRS});
    QCOMPARE(folder->fileMode(), QFileDialog::Directory);
    QVERIFY(folder->testOption(QFileDialog::ShowDirsOnly));
    QCOMPARE(folder->windowTitle(), QStringLiteral("処理対象ﾌｫﾙﾀﾞを選択"));
}

void DialogLayerTest::realPickerShowsNamesWithoutADot() {
    testing::TempDir dir;
    testing::WriteFile(dir / "plot", "x");
    testing::WriteFile(dir / "a.scr", "x");
    int listed = -1;
    bool sawPicker = false;
    testing::WhenModalUp([&](QWidget* modal) {
        auto* picker = qobject_cast<QFileDialog*>(modal);
        if (picker == nullptr) {
            modal->close();
            return;
        }
        sawPicker = true;
        // Whatever happens below, the picker does not stay up.
        const auto closeAfter = qScopeGuard([picker] {
            if (picker->isVisible()) {
                picker->reject();
            }
        });
        picker->setDirectory(Q(dir.Path()));
        auto* model = picker->findChild<QFileSystemModel*>();
        // The model lists in the background: wait, bounded, for both names.
        QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(model->index(Q(dir.Path()))), 2, 10000);
        listed = model->rowCount(model->index(Q(dir.Path())));
        // Typed into the name box and confirmed, as a person would.
        auto* name = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(QStringLiteral("plot"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QtFilePickerService pickers;
    const std::optional<std::string> chosen =
        pickers.Pick({FileDialogRequest::Kind::Open, nullptr, QString(),
                      QStringLiteral("ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.*)|*.*|"), OFN_FILEMUSTEXIST});
    QVERIFY(sawPicker);
    QCOMPARE(listed, 2);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, dir / "plot");
}

void DialogLayerTest::pickedFolderPaths_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("plain") << QStringLiteral("/work/dwg") << QByteArray("/work/dwg");
    QTest::newRow("trailing slash") << QStringLiteral("/work/dwg/") << QByteArray("/work/dwg");
    QTest::newRow("root keeps its slash") << QStringLiteral("/") << QByteArray("/");
    QTest::newRow("Japanese as UTF-8") << QStringLiteral("/図面") << QByteArray("/図面");
}

void DialogLayerTest::pickedFolderPaths() {
    QFETCH(QString, chosen);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(PickedPath(chosen, FileDialogRequest::Kind::Folder)),
             expected);
}

void DialogLayerTest::helpAddressPointsAtTheContext() {
    const QUrl url = HelpUrl("/opt/q/quillet.html", 0x20066);
    QCOMPARE(url.toLocalFile(), QStringLiteral("/opt/q/quillet.html"));
    QCOMPARE(url.fragment(), QStringLiteral("context-20066"));
}

void DialogLayerTest::iconHoldsTwoSixteenColourImages() {
    SetModuleResources(&res::Resources());
    const QIcon icon = LoadIcon(IDI_APP_ICON);
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
    QImageReader reader(QStringLiteral(":/quillet/res/app_icon.ico"));
    QCOMPARE(reader.imageCount(), 2);
    for (int index = 0; index < 2; ++index) {
        QVERIFY(reader.jumpToImage(index));
        const QImage image = reader.read();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) != 0) {
                    colours.insert(pixel);
                }
            }
        }
        QVERIFY(colours.size() > 2);
        QVERIFY(colours.size() <= 16);
    }
}

QTEST_MAIN(DialogLayerTest)
#include "dialog_layer_test.moc"
