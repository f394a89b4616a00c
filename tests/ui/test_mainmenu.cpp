#include "shell/startup.h"
#include "testmain.h"
#include "ui/frmstartup.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QAction>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLockFile>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace {
const QString kMenu = QStringLiteral("frmStartup");
const QString kSplash = QStringLiteral("frmSplash");
const QStringList kEleven{"CompanyLogo", "CustomerData",   "AuxHeadings", "LogoSettings",
                          "Phone",       "MyBusinessData", "PrintColors", "SoldItems",
                          "MyWebSite",   "TaxRecords",     "SpeedNumbers"};

// The main menu shown, the screens of the routines standing in.
struct MenuRig : UiRig {
    MenuRig() {
        for (const char* n : {"frmCustomer", "frmTerms", "frmManagePayments", "frmProposalReport",
                              "frmFinalize", "frmSetup"}) {
            provide(QLatin1String(n));
        }
        screens.show(kMenu);
    }
    // On the option's mark, where a user clicks; a radio button takes no
    // clicks in the empty width beside its caption.
    void doubleClickOption(int i) {
        auto* option = w(QStringLiteral("optProgramRoutine(%1)").arg(i));
        QTest::mouseDClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
};

QStringList tree(const TempApp& app) {
    QStringList out;
    QDirIterator it(app.dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out << it.next().mid(app.dir.path().size() + 1);
    }
    out.sort();
    return out;
}
}  // namespace

class TestMainMenu : public QObject {
    Q_OBJECT
private slots:
    void routinesAndMenus() {
        UiRig s;
        s.flow("main-menu");
    }

    // Go with no routine chosen, or with one out of range, keeps the menu.
    void goWithoutARoutineKeepsTheMenu() {
        for (int routine : {0, 7}) {
            MenuRig s;
            s.ctx.vars().SelectedRoutine = routine;
            qobject_cast<frmStartup*>(s.screens.find(kMenu))->startSelectedRoutine();
            QVERIFY(s.visible(kMenu));
            QCOMPARE(s.screens.loaded(), QStringList{kMenu});
        }
    }

    void goAfterReturningStartsTheLastRoutine() {
        MenuRig s;
        s.flow("menu-again");
    }

    void doubleClickStartsAfterHalfASecond() {
        MenuRig s;
        QVERIFY(QTest::qWaitForWindowExposed(s.screens.find(kMenu)));
        QElapsedTimer clock;
        clock.start();
        s.doubleClickOption(4);
        QCOMPARE(s.ctx.vars().SelectedRoutine, 5);
        QVERIFY(s.w<QRadioButton>("optProgramRoutine(4)")->isChecked());
        QTest::qWait(250);
        QVERIFY(!s.screens.isLoaded("frmProposalReport"));
        QTRY_VERIFY_WITH_TIMEOUT(s.visible("frmProposalReport"), 3000);
        QVERIFY(clock.elapsed() >= 480);
        QVERIFY(!s.screens.isLoaded(kMenu));
    }

    void showingTheMenuAgainForgetsAPendingDoubleClick() {
        MenuRig s;
        s.doubleClickOption(4);
        auto* timer = s.w<QTimer>("Timer1");
        QVERIFY(timer->isActive());
        s.screens.find(kMenu)->hide();
        s.screens.find(kMenu)->show();
        QVERIFY(!timer->isActive());
        QTest::qWait(700);
        QVERIFY(!s.screens.isLoaded("frmProposalReport"));
    }

    void orderForms() {
        UiRig s;
        s.flow("order-forms");
    }

    void aboutBoxAndBack() {
        UiRig s;
        s.flow("about");
    }

    // Every control is laid out inside its window with room for its text.
    void screensLayOutTheirControls_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("about box") << "frmAbout";
        QTest::newRow("start-up screen") << "frmSplash";
    }
    void screensLayOutTheirControls() {
        const QString screen = fetched<QString>("screen");
        UiRig s;
        QVERIFY(QTest::qWaitForWindowExposed(s.screens.show(screen)));
        CheckLayout(s.screens.find(screen), screen);
        // The about box shows the program's icon.
        QVERIFY(screen != QLatin1String("frmAbout") || !s.w<QLabel>("picIcon")->pixmap().isNull());
    }

    // Exit and every close button back up the eleven files and end the program.
    void closeButtonsBackUpTheElevenFiles_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("main menu") << "frmStartup";
        QTest::newRow("about box, menu hidden") << "frmAbout";
        QTest::newRow("start-up screen") << "frmSplash";
        QTest::newRow("exit from the menu") << "mnuExit";
        QTest::newRow("a routine's screen") << "frmCustomer";
    }
    void closeButtonsBackUpTheElevenFiles() {
        const QString screen = fetched<QString>("screen");
        MenuRig s;
        for (const QString& n : kEleven) {
            s.app.write(n + ".txt", n.toLatin1() + "\r\n");
        }
        s.screens.load(kSplash);
        if (screen == QLatin1String("mnuExit")) {
            s.trigger("mnuExit");
        } else if (screen == QLatin1String("frmAbout")) {
            s.trigger("mnuAbout");
        } else {
            s.screens.show(screen);
        }
        QVERIFY(screen == QLatin1String("mnuExit") || s.screens.find(screen)->close());
        QCOMPARE(s.quits, 1);
        for (const QString& n : kEleven) {
            QCOMPARE(s.app.read("Backup/" + n + ".txt"), n.toLatin1() + "\r\n");
        }
        QVERIFY(s.screens.loaded().isEmpty());
    }

    void continueShowsWelcomeOrMenu_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("menu");
        QTest::newRow("first run") << QStringList() << false;
        QTest::newRow("no print colours") << QStringList{"MyBusinessData.txt"} << false;
        QTest::newRow("no business data") << QStringList{"PrintColors.txt"} << false;
        QTest::newRow("both") << QStringList{"MyBusinessData.txt", "PrintColors.txt"} << true;
        QTest::newRow("colours in the backup")
            << QStringList{"MyBusinessData.txt", "Backup/PrintColors.txt"} << true;
    }
    void continueShowsWelcomeOrMenu() {
        const bool menu = fetched<bool>("menu");
        UiRig s;
        for (const QString& f : fetched<QStringList>("files")) {
            s.app.write(f, "x\r\n");
        }
        s.screens.show(kSplash);
        s.click("cmdContinue");
        QCOMPARE(s.visible(kMenu), menu);
        QCOMPARE(s.screens.isLoaded(kSplash), !menu);
        // The welcome panel, or the colours brought back from the backup.
        QVERIFY(menu ? s.app.exists("PrintColors.txt")
                     : s.visible(kSplash) && s.w("fraWelcome")->isVisible());
        QCOMPARE(s.quits, 0);
    }

    // Either logo, the splash's or the welcome panel's, opens the setup screen.
    void logoLeadsToTheSetupScreen() {
        for (const char* logo : {"Image1(0)", "Image1(1)"}) {
            UiRig s;
            s.provide("frmSetup");
            s.screens.show(kSplash);
            s.click("cmdContinue");
            QVERIFY(s.w("fraWelcome")->isVisible() && s.w(logo)->isEnabled());
            s.click(logo);
            QVERIFY2(s.visible("frmSetup"), logo);
            QVERIFY(!s.screens.isLoaded(kSplash));
            QCOMPARE(s.quits, 0);
        }
    }

    void theLogoIsDrawn() {
        UiRig s;
        s.screens.show(kSplash);
        auto* logo = s.w<QToolButton>("Image1(0)");
        const QImage picture = logo->icon().pixmap(logo->iconSize()).toImage();
        QVERIFY(!picture.isNull());
        // The left edge of the logo is its dark blue ground, not a blank.
        const QColor edge = picture.pixelColor(picture.width() / 10, picture.height() / 2);
        QCOMPARE(edge.alpha(), 255);
        QVERIFY(edge.blue() > edge.red());
    }
};

class TestProgramStart : public QObject {
    Q_OBJECT
private slots:
    void freshFolder() {
        UiRig s;
        InstanceLock lock(s.ctx.folder());
        QVERIFY(Main(s.ctx, lock, ProgramStartupSteps(s.ctx, s.screens)));
        QCOMPARE(tree(s.app), QString::fromUtf8(UiData("fresh-folder-tree.txt"))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts));
        QCOMPARE(s.app.read("TProposalCounter.txt"), QByteArray("1001\r\n"));
        QCOMPARE(s.ctx.vars().ProposalNumber, 1001);
        QVERIFY(s.visible(kSplash));
        QVERIFY(lock.isHeld());
    }

    void savedDataIsLoaded() {
        UiRig s;
        s.app.write("TProposalCounter.txt", "1234\r\n");
        s.app.write("MyBusinessData.txt", UiData("setup-first-run/MyBusinessData.txt"));
        s.app.write("Prompts.txt", "#TRUE#,#FALSE#\r\n");
        s.startProgram();
        QCOMPARE(s.ctx.vars().ProposalNumber, 1234);
        QCOMPARE(s.app.read("TProposalCounter.txt"), QByteArray("1234\r\n"));
        const QStringList business = s.ctx.vars().BusinessData;
        QCOMPARE(business.value(0) + '|' + business.value(5), "Brenlow Roofing|62704");
        QVERIFY(!s.ctx.vars().SoundAlarms);
        QCOMPARE(s.ctx.vars().SelectedRoutine, 0);
    }

    void aSecondInstanceIsRefused() {
        UiRig s;
        QLockFile first(s.app.path(InstanceLock::fileName()));
        QVERIFY(first.tryLock(0));
        s.expect("Tolvar Proposals is already Running!", "Tolvar Proposals");
        InstanceLock lock(s.ctx.folder());
        QVERIFY(!Main(s.ctx, lock, ProgramStartupSteps(s.ctx, s.screens)));
        // Nothing made, nothing backed up, the first keeps its lock.
        QCOMPARE(tree(s.app), QStringList{});
        QVERIFY(first.isLocked());
        QCOMPARE(s.quits, 0);
    }

    void screensLoadOnFirstUseOnly() {
        UiRig s;
        int made = 0;
        s.screens.add("frmCustomer", [&](AppContext& ctx, ScreenManager& m) {
            ++made;
            return new StandInScreen(ctx, m, QStringLiteral("frmCustomer"));
        });
        QVERIFY(!s.screens.isLoaded("frmCustomer"));
        Screen* first = s.screens.load("frmCustomer");
        QVERIFY(first && !first->isVisible());
        QCOMPARE(s.screens.load("frmCustomer"), first);
        QCOMPARE(s.screens.show("frmCustomer"), first);
        QVERIFY(first->isVisible());
        s.screens.hide("frmCustomer");
        QVERIFY(!first->isVisible());
        QCOMPARE(made, 1);
        QCOMPARE(first->objectName(), QStringLiteral("frmCustomer"));
    }

    void unloadedScreensAreMadeAfresh() {
        UiRig s;
        s.provide("frmTerms");
        QPointer<Screen> first = s.screens.show("frmTerms");
        s.screens.unload("frmTerms");
        QVERIFY(!s.screens.isLoaded("frmTerms") && !first->isVisible());
        UiRig::settle();
        QVERIFY(first.isNull());
        QVERIFY(s.screens.load("frmTerms"));
        QCOMPARE(s.screens.loaded(), QStringList{"frmTerms"});
        // Nothing of this ends the program.
        QCOMPARE(s.quits, 0);
        QVERIFY(!s.app.exists("Backup"));
    }

    void unloadedScreensGoWithTheManager() {
        TempApp app;
        QPointer<Screen> about;
        {
            ScreenManager m(*app.ctx);
            RegisterScreens(m);
            about = m.show(QStringLiteral("frmAbout"));
            m.unload(QStringLiteral("frmAbout"));
            QVERIFY(!about.isNull());
        }
        // The event loop never ran, yet nothing is left behind.
        QVERIFY(about.isNull());
    }

    void screensNotBuiltAreNotAvailable() {
        UiRig s;
        QVERIFY(!s.screens.isAvailable("frmNoSuchScreen") && !s.screens.isAvailable(QString()));
        QVERIFY(!s.screens.load("frmNoSuchScreen") && !s.screens.show("frmNoSuchScreen"));
        QVERIFY(s.screens.loaded().isEmpty());
    }

    void unloadAllGoesFromTheLastLoaded() {
        UiRig s;
        QStringList gone;
        for (const char* n : {"frmSplashX", "frmCustomerX", "frmSetupX"}) {
            s.provide(QLatin1String(n));
            connect(s.screens.load(QLatin1String(n)), &QObject::destroyed, this,
                    [&gone, n] { gone << QLatin1String(n); });
        }
        s.screens.unloadAll();
        QVERIFY(s.screens.loaded().isEmpty());
        UiRig::settle();
        QCOMPARE(gone, (QStringList{"frmSetupX", "frmCustomerX", "frmSplashX"}));
    }
};

TOLVAR_TEST(TestMainMenu)
TOLVAR_TEST(TestProgramStart)
#include "test_mainmenu.moc"
