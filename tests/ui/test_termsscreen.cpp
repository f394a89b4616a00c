#include "proposals/terms.h"
#include "testmain.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace {
const QString kTerms = QStringLiteral("frmTerms");
const QString kTitle = QStringLiteral("Tolvar Proposals");

template <typename T = QAbstractButton>
T* control(ScreenApp& s, const QString& name, const QString& screen = kTerms) {
    Screen* w = s.screens->find(screen);
    return w ? w->findChild<T*>(name) : nullptr;
}

void click(ScreenApp& s, int button) {
    QTest::mouseClick(control(s, QStringLiteral("Command1(%1)").arg(button)), Qt::LeftButton);
}

void typeInto(ScreenApp& s, int box, const QString& text) {
    auto* edit = control<QPlainTextEdit>(s, QStringLiteral("Text1(%1)").arg(box));
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString boxText(ScreenApp& s, int box) {
    return control<QPlainTextEdit>(s, QStringLiteral("Text1(%1)").arg(box))->toPlainText();
}
}  // namespace

class TestTermsScreen : public QObject {
    Q_OBJECT
private slots:
    // From the main menu: the saved disclaimer is there, terms are written,
    // saved, cleared, loaded back and deleted, and Menu returns.
    void customTermsFromTheMenu() {
        ScreenApp s;
        s.app.write("CustomDisclaimer.txt", "\"Paid in full,\r\nbefore work starts\"\r\n");
        s.screens->show(QStringLiteral("frmStartup"));
        auto* option = control<QRadioButton>(s, "optProgramRoutine(1)", "frmStartup");
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QTest::mouseClick(control(s, "cmdStart", "frmStartup"), Qt::LeftButton);
        Screen* terms = s.screens->find(kTerms);
        QVERIFY(QTest::qWaitForWindowExposed(terms));
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmStartup")));
        QCOMPARE(terms->windowTitle(),
                 QStringLiteral("Custom Terms and Disclaimer Creation Screen"));
        QCOMPARE(control<QLabel>(s, "Label1(1)")->text(), Terms::GenericTerms());
        QCOMPARE(control<QLabel>(s, "Label1(0)")->text(), Terms::GenericDisclaimer());
        QCOMPARE(boxText(s, 1), QStringLiteral("Paid in full,\nbefore work starts"));
        QStringList captions;
        for (int i = 0; i < 9; ++i) {
            captions << control(s, QStringLiteral("Command1(%1)").arg(i))->text();
        }
        QCOMPARE(captions, (QStringList{"Menu", "Save Terms", "Save Disclaimer",
                                        "Clear Custom Terms", "Clear Custom Disclaimer",
                                        "Load Custom Terms", "Load Custom Disclaimer",
                                        "Delete Custom Terms", "Delete Custom Disclaimer"}));
        CheckLayout(terms, kTerms);

        typeInto(s, 0, QStringLiteral("Net 30, \"as agreed\""));
        QTest::keyClick(control<QPlainTextEdit>(s, "Text1(0)"), Qt::Key_Return);
        QTest::keyClicks(control<QPlainTextEdit>(s, "Text1(0)"), QStringLiteral("in writing"));
        click(s, 1);
        QCOMPARE(s.app.read("CustomTerms.txt"),
                 QByteArray("\"Net 30, 'as agreed'\r\nin writing\"\r\n"));
        s.app.prompter.expectMessage(
            "The Custom Terms input box has been Cleared\r\nThe file Custom Terms has not been "
            "Deleted",
            "Input Box Cleared", Icon::None);
        click(s, 3);
        QCOMPARE(boxText(s, 0), QString());
        QVERIFY(s.app.exists("CustomTerms.txt"));
        click(s, 5);
        QCOMPARE(boxText(s, 0), QStringLiteral("Net 30, 'as agreed'\nin writing"));
        click(s, 7);
        click(s, 8);
        QVERIFY(!s.app.exists("CustomTerms.txt") && !s.app.exists("CustomDisclaimer.txt"));
        QCOMPARE(boxText(s, 1), QStringLiteral("Paid in full,\nbefore work starts"));

        // A folder that cannot be written: the save says so, the text stays.
        SetReadOnly(s.app.dir.path(), true);
        s.app.prompter.expectMessage(
            "The file " + QDir::toNativeSeparators(s.app.path("CustomDisclaimer.txt")) +
                " could not be used: Permission denied",
            kTitle, Icon::Critical);
        {
            const Unprivileged nobody;
            QVERIFY(nobody.ok);
            click(s, 2);
        }
        SetReadOnly(s.app.dir.path(), false);
        QCOMPARE(boxText(s, 1), QStringLiteral("Paid in full,\nbefore work starts"));
        QVERIFY(!s.app.exists("CustomDisclaimer.txt"));

        click(s, 0);
        QVERIFY(!terms->isVisible());
        QVERIFY(s.screens->isLoaded(kTerms));
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.quits, 0);
    }
};

TOLVAR_TEST(TestTermsScreen)
#include "test_termsscreen.moc"
