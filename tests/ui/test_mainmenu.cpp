#include "testmain.h"
#include "ui/frmstartup.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {
const QStringList kEleven{"CompanyLogo", "CustomerData",   "AuxHeadings", "LogoSettings",
                          "Phone",       "MyBusinessData", "PrintColors", "SoldItems",
                          "MyWebSite",   "TaxRecords",     "SpeedNumbers"};

const QStringList kRoutineScreens{"frmCustomer", "frmTerms", "frmManagePayments",
                                  "frmProposalReport", "frmFinalize"};

template <typename T>
T* child(ScreenApp& s, const QString& screen, const QString& name) {
    Screen* w = s.screens->find(screen);
    return w ? w->findChild<T*>(name) : nullptr;
}

QRadioButton* option(ScreenApp& s, int i) {
    return child<QRadioButton>(s, QStringLiteral("frmStartup"),
                               QStringLiteral("optProgramRoutine(%1)").arg(i));
}

QAction* action(ScreenApp& s, const QString& name) {
    return child<QAction>(s, QStringLiteral("frmStartup"), name);
}

// On the option's mark, where a user clicks; a radio button takes no clicks
// in the empty width beside its caption.
QPoint onMark(const QWidget* w) {
    return QPoint(6, w->height() / 2);
}

void clickOption(ScreenApp& s, int i) {
    QTest::mouseClick(option(s, i), Qt::LeftButton, {}, onMark(option(s, i)));
}

void doubleClickOption(ScreenApp& s, int i) {
    QTest::mouseDClick(option(s, i), Qt::LeftButton, {}, onMark(option(s, i)));
}

void writeEleven(ScreenApp& s) {
    for (const QString& n : kEleven) {
        s.app.write(n + ".txt", n.toLatin1() + "\r\n");
    }
}

void expectElevenBackedUp(ScreenApp& s) {
    for (const QString& n : kEleven) {
        QCOMPARE(s.app.read("Backup/" + n + ".txt"), n.toLatin1() + "\r\n");
    }
}
}  // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    // Every routine has its screen; the menus are all there.
    void routinesAndMenus() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        QList<bool> enabled;
        for (int i = 0; i <= 5; ++i) {
            enabled << option(s, i)->isEnabled();
        }
        QCOMPARE(enabled, QList<bool>(6, true));
        QVERIFY(!child<QPushButton>(s, "frmStartup", "cmdStart")->isEnabled());
        for (const char* name : {"mnuCreate", "mnuExit", "mnuDeluxe", "mnuDepositSlips",
                                 "mnuPPaper", "mnuPPPaper", "mnuAddress", "mnuLabels", "mnuAbout",
                                 "mnuHelpContentsFile"}) {
            QVERIFY2(action(s, name) && action(s, name)->isEnabled(), name);
        }
    }

    void goStartsTheChosenRoutine_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("screen");
        QTest::newRow("proposal") << 0 << "frmCustomer";
        QTest::newRow("finalize") << 5 << "frmFinalize";
    }
    void goStartsTheChosenRoutine() {
        QFETCH(int, index);
        QFETCH(QString, screen);
        ScreenApp s;
        for (const QString& n : kRoutineScreens) {
            s.provide(n);
        }
        s.screens->show(QStringLiteral("frmStartup"));
        QVERIFY(option(s, index)->isEnabled());
        clickOption(s, index);
        QCOMPARE(s.app.ctx->vars().SelectedRoutine, index + 1);
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        auto* start = child<QPushButton>(s, "frmStartup", "cmdStart");
        QVERIFY(start->isEnabled());
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(s.visible(screen));
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmStartup")));
        QCOMPARE(s.quits, 0);
    }

    // Go with no routine chosen, or with one out of range, keeps the menu.
    void goWithoutARoutineKeepsTheMenu() {
        for (int routine : {0, 7}) {
            ScreenApp s;
            s.provide("frmCustomer");
            s.app.ctx->vars().SelectedRoutine = routine;
            auto* menu = qobject_cast<frmStartup*>(s.screens->show(QStringLiteral("frmStartup")));
            menu->startSelectedRoutine();
            QVERIFY(s.visible(QStringLiteral("frmStartup")));
            QCOMPARE(s.screens->loaded(), QStringList{"frmStartup"});
        }
    }

    void goAfterReturningStartsTheLastRoutine() {
        ScreenApp s;
        s.provide(QStringLiteral("frmManagePayments"));
        s.screens->show(QStringLiteral("frmStartup"));
        clickOption(s, 2);
        QTest::mouseClick(child<QPushButton>(s, "frmStartup", "cmdStart"), Qt::LeftButton);
        // The payments screen's return button shows the menu afresh.
        s.screens->unload(QStringLiteral("frmManagePayments"));
        s.screens->show(QStringLiteral("frmStartup"));
        ScreenApp::settle();
        QVERIFY(!option(s, 2)->isChecked());
        auto* start = child<QPushButton>(s, "frmStartup", "cmdStart");
        QVERIFY(start->isEnabled());
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(s.visible(QStringLiteral("frmManagePayments")));
    }

    void doubleClickStartsAfterHalfASecond() {
        ScreenApp s;
        s.provide(QStringLiteral("frmProposalReport"));
        Screen* menu = s.screens->show(QStringLiteral("frmStartup"));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QElapsedTimer clock;
        clock.start();
        doubleClickOption(s, 4);
        QCOMPARE(s.app.ctx->vars().SelectedRoutine, 5);
        QVERIFY(option(s, 4)->isChecked());
        QTest::qWait(250);
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmProposalReport")));
        QTRY_VERIFY_WITH_TIMEOUT(s.visible(QStringLiteral("frmProposalReport")), 3000);
        QVERIFY(clock.elapsed() >= 480);
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmStartup")));
    }

    void showingTheMenuAgainForgetsAPendingDoubleClick() {
        ScreenApp s;
        s.provide(QStringLiteral("frmProposalReport"));
        Screen* menu = s.screens->show(QStringLiteral("frmStartup"));
        doubleClickOption(s, 4);
        auto* timer = child<QTimer>(s, "frmStartup", "Timer1");
        QVERIFY(timer->isActive());
        menu->hide();
        menu->show();
        QVERIFY(!timer->isActive());
        QTest::qWait(700);
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmProposalReport")));
    }

    // Paper asks before it opens the supplier's page; cheques open at once.
    void orderForms() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        for (Answer a : {Answer::No, Answer::Yes}) {
            s.app.prompter.expectQuestion(
                "Use Plain Paper for Reports (etc)\r\nClick Yes to connect to a Supplier",
                "Order Paper", Buttons::YesNo, Icon::None, a);
            action(s, "mnuPPaper")->trigger();
        }
        QCOMPARE(s.opened.size(), 1);
        action(s, "mnuDeluxe")->trigger();
        action(s, "mnuDepositSlips")->trigger();
        QCOMPARE(s.opened.size(), 3);
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QVERIFY(!s.app.exists("Temp.url"));  // nothing left behind in the folder
    }

    void aboutBoxAndBack() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        action(s, "mnuAbout")->trigger();
        QVERIFY(s.screens->isLoaded(QStringLiteral("frmStartup")));
        QVERIFY(!s.visible(QStringLiteral("frmStartup")));
        QVERIFY(s.visible(QStringLiteral("frmAbout")));
        Screen* about = s.screens->find(QStringLiteral("frmAbout"));
        QVERIFY(!about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmAbout")));
        QVERIFY(s.visible(QStringLiteral("frmSplash")));
        // Continue with the settings in place returns to the hidden menu.
        s.app.write("MyBusinessData.txt", "x");
        s.app.write("PrintColors.txt", "x");
        QTest::mouseClick(child<QPushButton>(s, "frmSplash", "cmdContinue"), Qt::LeftButton);
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.quits, 0);
    }

    // Every control is laid out inside its window with room for its text.
    void screensLayOutTheirControls_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("main menu") << "frmStartup";
        QTest::newRow("about box") << "frmAbout";
        QTest::newRow("start-up screen") << "frmSplash";
    }
    void screensLayOutTheirControls() {
        QFETCH(QString, screen);
        ScreenApp s;
        Screen* w = s.screens->show(screen);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        CheckLayout(w, screen);
    }

    // Exit and every close button back up the eleven files and end the program.
    void closeButtonsBackUpTheElevenFiles_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("main menu") << "frmStartup";
        QTest::newRow("about box, menu hidden") << "frmAbout";
        QTest::newRow("start-up screen") << "frmSplash";
        QTest::newRow("exit from the menu") << "mnuExit";
    }
    void closeButtonsBackUpTheElevenFiles() {
        QFETCH(QString, screen);
        ScreenApp s;
        writeEleven(s);
        s.screens->show(QStringLiteral("frmStartup"));
        s.screens->load(QStringLiteral("frmSplash"));
        if (screen == QLatin1String("mnuExit")) {
            action(s, "mnuExit")->trigger();
        } else if (screen == QLatin1String("frmAbout")) {
            action(s, "mnuAbout")->trigger();
        } else {
            s.screens->show(screen);
        }
        QVERIFY(screen == QLatin1String("mnuExit") || s.screens->find(screen)->close());
        QCOMPARE(s.quits, 1);
        expectElevenBackedUp(s);
        QVERIFY(s.screens->loaded().isEmpty());
        ScreenApp::settle();
    }
};

TOLVAR_TEST(TestMainMenu)
#include "test_mainmenu.moc"
