#include "shell/startup.h"
#include "testmain.h"
#include "ui/frmstartup.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QDirIterator>
#include <QImage>
#include <QPointer>
#include <QToolButton>

namespace {
const QString kMenu = QStringLiteral("frmStartup");
const QString kSplash = QStringLiteral("frmSplash");

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
    // The main menu, the start-up screen, the about box, the terms screen and
    // ending the program, each flow over an empty folder.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        for (const char* flow :
             {"main-menu", "menu-again", "menu-double-click", "menu-double-click-forgotten",
              "order-forms", "about", "terms", "close-menu", "close-about", "close-splash",
              "close-exit", "close-routine", "continue-welcome", "continue-no-colours",
              "continue-no-business", "continue-to-menu", "continue-colours-in-backup",
              "logo-to-setup"}) {
            QTest::newRow(flow) << QString::fromLatin1(flow);
        }
    }
    void flows() { UiRig().flow(fetched<QString>("flow")); }

    // Go with no routine chosen, or with one out of range, keeps the menu.
    void goWithoutARoutineKeepsTheMenu() {
        for (int routine : {0, 7}) {
            UiRig s;
            s.ctx.vars().SelectedRoutine = routine;
            qobject_cast<frmStartup*>(s.screens.show(kMenu))->startSelectedRoutine();
            QVERIFY(s.visible(kMenu));
            QCOMPARE(s.screens.loaded(), QStringList{kMenu});
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
        QVERIFY(s.visible(kSplash) && lock.isHeld());
    }

    void savedDataIsLoaded() {
        UiRig s;
        s.app.write("TProposalCounter.txt", "1234\r\n");
        s.app.write("MyBusinessData.txt", UiData("setup-first-run/MyBusinessData.txt"));
        s.app.write("Prompts.txt", "#TRUE#,#FALSE#\r\n");
        s.startProgram();
        const CommonVariables& v = s.ctx.vars();
        QCOMPARE(
            QStringList({QString::number(v.ProposalNumber),
                         QString::fromLatin1(s.app.read("TProposalCounter.txt")),
                         v.BusinessData.value(0), v.BusinessData.value(5),
                         QVariant(v.SoundAlarms).toString(), QString::number(v.SelectedRoutine)}),
            QStringList({"1234", "1234\r\n", "Brenlow Roofing", "62704", "false", "0"}));
    }

    // A screen is made on first use and kept until it is unloaded; one not
    // built into the program is not available.
    void screensLoadOnFirstUseUntilUnloaded() {
        UiRig s;
        int made = 0;
        s.screens.add("frmCustomer", [&](AppContext& ctx, ScreenManager& m) {
            ++made;
            return new StandInScreen(ctx, m, QStringLiteral("frmCustomer"));
        });
        QVERIFY(!s.screens.isLoaded("frmCustomer"));
        QPointer<Screen> first = s.screens.load("frmCustomer");
        QVERIFY(first && !first->isVisible());
        QCOMPARE((QList<Screen*>{s.screens.load("frmCustomer"), s.screens.show("frmCustomer")}),
                 (QList<Screen*>{first, first}));
        QVERIFY(first->isVisible());
        s.screens.hide("frmCustomer");
        QVERIFY(!first->isVisible());
        QCOMPARE(QString::number(made) + first->objectName(), QStringLiteral("1frmCustomer"));
        s.screens.show("frmCustomer");
        s.screens.unload("frmCustomer");
        QVERIFY(!s.screens.isLoaded("frmCustomer") && !first->isVisible());
        UiRig::settle();
        QVERIFY(first.isNull() && s.screens.load("frmCustomer"));
        QCOMPARE(made, 2);
        QCOMPARE(s.screens.loaded(), QStringList{"frmCustomer"});
        // Nothing of this ends the program.
        QVERIFY(s.quits == 0 && !s.app.exists("Backup"));
        QVERIFY(!s.screens.isAvailable("frmNoSuchScreen") && !s.screens.isAvailable(QString()));
        QVERIFY(!s.screens.load("frmNoSuchScreen") && !s.screens.show("frmNoSuchScreen"));
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
