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
    void optionsCarryCaptionsAndToolTips_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("0") << 0 << "Create a Proposal"
                           << "Create a New Proposal";
        QTest::newRow("5") << 5 << "Finalize a Field Proposal"
                           << "Add Body and Schedule to a Field Proposal";
    }
    void optionsCarryCaptionsAndToolTips() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        QRadioButton* o = option(s, index);
        QVERIFY(o);
        QCOMPARE(o->text(), caption);
        QCOMPARE(o->toolTip(), toolTip);
        QVERIFY(!o->isChecked());
        // A routine is offered once its screen is part of the program: the
        // customer screen is, the finalize screen is not yet.
        QCOMPARE(o->isEnabled(), index == 0);
    }

    void otherControls() {
        ScreenApp s;
        Screen* menu = s.screens->show(QStringLiteral("frmStartup"));
        QCOMPARE(menu->windowTitle(), QStringLiteral("Tolvar Proposals"));
        auto* start = child<QPushButton>(s, "frmStartup", "cmdStart");
        QCOMPARE(start->text(), QStringLiteral("&Go to Selected Routine"));
        QCOMPARE(start->toolTip(), QStringLiteral("Starts the Selected Routine"));
        QVERIFY(!start->isEnabled());
        auto* logo = child<QWidget>(s, "frmStartup", "Image1");
        QCOMPARE(logo->toolTip(), QStringLiteral("Displays the Setup Screen"));
        QVERIFY(!logo->isEnabled());
        auto* timer = child<QTimer>(s, "frmStartup", "Timer1");
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isActive());
    }

    void menuBar() {
        ScreenApp s;
        Screen* menu = s.screens->show(QStringLiteral("frmStartup"));
        QStringList top;
        for (QAction* a : menu->menuBar()->actions()) {
            top << a->text();
        }
        QCOMPARE(top, (QStringList{"Files", "Order Forms", "About"}));
        const QList<QPair<QString, QString>> items{{"mnuCreate", "Create/Modify"},
                                                   {"mnuExit", "&Exit"},
                                                   {"mnuDeluxe", "Checks/ Envelopes"},
                                                   {"mnuDepositSlips", "Deposit Slips"},
                                                   {"mnuPPaper", "Plain Paper"},
                                                   {"mnuPPPaper", "Perforated Paper"},
                                                   {"mnuAddress", "Address Labels"},
                                                   {"mnuLabels", "Shipping Labels"},
                                                   {"mnuAbout", "About"},
                                                   {"mnuDeluxeForms", "Deluxe Forms"}};
        for (const auto& [name, caption] : items) {
            QAction* a = action(s, name);
            QVERIFY2(a, qPrintable(name));
            QCOMPARE(a->text(), caption);
        }
        auto* deluxe = child<QMenu>(s, "frmStartup", "mnuDeluxeForms");
        QCOMPARE(deluxe->actions().size(), 2);
        // No setup screen yet; no supplier page for proposal sets.
        QVERIFY(!action(s, "mnuCreate")->isEnabled());
        QVERIFY(!action(s, "mnuGraytex"));
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

    void goWithoutAChoiceKeepsTheMenu() {
        ScreenApp s;
        for (const QString& n : kRoutineScreens) {
            s.provide(n);
        }
        auto* menu = qobject_cast<frmStartup*>(s.screens->show(QStringLiteral("frmStartup")));
        menu->startSelectedRoutine();
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.screens->loaded(), QStringList{"frmStartup"});
    }

    void aRoutineNotBuiltCannotStart() {
        ScreenApp s;
        s.app.ctx->vars().SelectedRoutine = 5;
        auto* menu = qobject_cast<frmStartup*>(s.screens->show(QStringLiteral("frmStartup")));
        QVERIFY(!child<QPushButton>(s, "frmStartup", "cmdStart")->isEnabled());
        menu->startSelectedRoutine();
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
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

    void supplierPrompt_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        const QString plain =
            "Use Plain Paper for Reports (etc)\r\nClick Yes to connect to a Supplier";
        QTest::newRow("plain paper, no") << "mnuPPaper"
                                         << "Order Paper" << plain << int(Answer::No);
        QTest::newRow("plain paper, yes") << "mnuPPaper"
                                          << "Order Paper" << plain << int(Answer::Yes);
    }
    void supplierPrompt() {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, answer);
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        s.app.prompter.expectQuestion(text, title, Buttons::YesNo, Icon::None, Answer(answer));
        action(s, item)->trigger();
        QCOMPARE(s.opened.size(), answer == int(Answer::Yes) ? 1 : 0);
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
    }

    void chequesOpenAtOnce() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        action(s, "mnuDeluxe")->trigger();
        action(s, "mnuDepositSlips")->trigger();
        QCOMPARE(s.opened.size(), 2);
        // Nothing is left behind in the application folder.
        QVERIFY(!s.app.exists("Temp.url"));
    }

    void aboutBoxAndBack() {
        ScreenApp s;
        s.screens->show(QStringLiteral("frmStartup"));
        action(s, "mnuAbout")->trigger();
        QVERIFY(s.screens->isLoaded(QStringLiteral("frmStartup")));
        QVERIFY(!s.visible(QStringLiteral("frmStartup")));
        QVERIFY(s.visible(QStringLiteral("frmAbout")));
        Screen* about = s.screens->find(QStringLiteral("frmAbout"));
        QCOMPARE(about->windowTitle(), QStringLiteral("Tolvar Proposals by BRENLOW"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("Tolvar Proposals"));
        QVERIFY(!about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        auto* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("&Menu"));
        QCOMPARE(ok->toolTip(), QStringLiteral("Return to Main Menu"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmAbout")));
        QVERIFY(s.visible(QStringLiteral("frmSplash")));
        // Continue with the settings in place returns to the hidden menu.
        s.app.write("MyBusinessData.txt", "x");
        s.app.write("PrintColors.txt", "x");
        QTest::mouseClick(child<QPushButton>(s, "frmSplash", "cmdContinue"), Qt::LeftButton);
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.quits, 0);
    }

    void exitBacksUpTheElevenFiles() {
        ScreenApp s;
        writeEleven(s);
        s.screens->show(QStringLiteral("frmStartup"));
        s.screens->load(QStringLiteral("frmSplash"));
        action(s, "mnuExit")->trigger();
        QCOMPARE(s.quits, 1);
        expectElevenBackedUp(s);
        QVERIFY(s.screens->loaded().isEmpty());
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

    void closeButtonsBackUpTheElevenFiles_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("main menu") << "frmStartup";
        QTest::newRow("about box, menu hidden") << "frmAbout";
        QTest::newRow("start-up screen") << "frmSplash";
    }
    void closeButtonsBackUpTheElevenFiles() {
        QFETCH(QString, screen);
        ScreenApp s;
        writeEleven(s);
        s.screens->show(QStringLiteral("frmStartup"));
        if (screen == QLatin1String("frmAbout")) {
            action(s, "mnuAbout")->trigger();
        } else {
            s.screens->show(screen);
        }
        QVERIFY(s.screens->find(screen)->close());
        QCOMPARE(s.quits, 1);
        expectElevenBackedUp(s);
        QVERIFY(s.screens->loaded().isEmpty());
        ScreenApp::settle();
    }
};

TOLVAR_TEST(TestMainMenu)
#include "test_mainmenu.moc"
