// The application object: the dialog runs modally inside InitInstance, and the program ends
// when it ends.
#include "app/generator_app.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include "core/prompter.h"
#include "support/modal.h"
#include "ui/generator_dlg.h"

class GeneratorAppTest : public QObject {
    Q_OBJECT

private slots:
    void escapeEndsTheProgram_data();
    void escapeEndsTheProgram();
};

void GeneratorAppTest::escapeEndsTheProgram_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("close box") << 0;
}

void GeneratorAppTest::escapeEndsTheProgram() {
    QFETCH(int, key);
    quillet::CGeneratorApp app;
    QString caption;
    bool wasMainWindow = false;
    quillet::testing::WhenModalUp([&](QWidget* modal) {
        auto* dialog = dynamic_cast<quillet::CGeneratorDlg*>(modal);
        if (dialog == nullptr) {
            if (modal != nullptr) {
                modal->close();
            }
            return;
        }
        caption = dialog->windowTitle();
        wasMainWindow = app.m_pMainWnd.data() == dialog;
        if (key == 0) {
            dialog->close();
        } else {
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        }
    });
    QVERIFY(!app.InitInstance());
    QCOMPARE(caption, QStringLiteral("Quillet"));
    QVERIFY(wasMainWindow);
    QVERIFY(app.m_pMainWnd.isNull());
    QCOMPARE(app.ExitInstance(), 0);
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            !QApplication::topLevelWidgets().front()->isVisible());
}

QTEST_MAIN(GeneratorAppTest)
#include "generator_app_test.moc"
