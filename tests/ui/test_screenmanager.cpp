#include "testmain.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QSignalSpy>
#include <QTest>

class TestScreenManager : public QObject {
    Q_OBJECT
private slots:
    void loadsOnFirstUseOnly() {
        ScreenApp s;
        int made = 0;
        s.screens->add(QStringLiteral("frmCustomer"), [&](AppContext& ctx, ScreenManager& m) {
            ++made;
            return new StandInScreen(ctx, m, QStringLiteral("frmCustomer"));
        });
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmCustomer")));
        Screen* first = s.screens->load(QStringLiteral("frmCustomer"));
        QVERIFY(first);
        QVERIFY(!first->isVisible());
        QCOMPARE(s.screens->load(QStringLiteral("frmCustomer")), first);
        QCOMPARE(s.screens->show(QStringLiteral("frmCustomer")), first);
        QVERIFY(first->isVisible());
        s.screens->hide(QStringLiteral("frmCustomer"));
        QVERIFY(!first->isVisible());
        QCOMPARE(made, 1);
        QCOMPARE(first->objectName(), QStringLiteral("frmCustomer"));
    }

    void unloadedScreensAreMadeAfresh() {
        ScreenApp s;
        s.provide(QStringLiteral("frmTerms"));
        QPointer<Screen> first = s.screens->show(QStringLiteral("frmTerms"));
        s.screens->unload(QStringLiteral("frmTerms"));
        QVERIFY(!s.screens->isLoaded(QStringLiteral("frmTerms")));
        QVERIFY(!first->isVisible());
        ScreenApp::settle();
        QVERIFY(first.isNull());
        Screen* again = s.screens->load(QStringLiteral("frmTerms"));
        QVERIFY(again);
        QCOMPARE(s.screens->loaded(), QStringList{"frmTerms"});
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
        ScreenApp s;
        QVERIFY(!s.screens->isAvailable(QStringLiteral("frmNoSuchScreen")));
        QVERIFY(!s.screens->load(QStringLiteral("frmNoSuchScreen")));
        QVERIFY(!s.screens->show(QStringLiteral("frmNoSuchScreen")));
        QVERIFY(!s.screens->isAvailable(QString()));
        QVERIFY(s.screens->loaded().isEmpty());
    }

    void unloadAllGoesFromTheLastLoaded() {
        ScreenApp s;
        for (const char* n : {"frmSplash", "frmCustomer", "frmSetup"}) {
            s.provide(QString::fromLatin1(n) + QStringLiteral("X"));
        }
        QStringList gone;
        for (const char* n : {"frmSplashX", "frmCustomerX", "frmSetupX"}) {
            Screen* screen = s.screens->load(QString::fromLatin1(n));
            connect(screen, &QObject::destroyed, this,
                    [&gone, n] { gone << QString::fromLatin1(n); });
        }
        s.screens->unloadAll();
        QVERIFY(s.screens->loaded().isEmpty());
        ScreenApp::settle();
        QCOMPARE(gone, (QStringList{"frmSetupX", "frmCustomerX", "frmSplashX"}));
    }

    void closingAWindowEndsTheProgram() {
        ScreenApp s;
        s.provide(QStringLiteral("frmCustomer"));
        s.app.write("CustomerData.txt", QByteArray(328, 'A'));
        s.screens->show(QStringLiteral("frmCustomer"));
        s.screens->load(QStringLiteral("frmStartup"));
        QVERIFY(s.screens->find(QStringLiteral("frmCustomer"))->close());
        QCOMPARE(s.quits, 1);
        QCOMPARE(s.app.read("Backup/CustomerData.txt"), QByteArray(328, 'A'));
        QVERIFY(s.screens->loaded().isEmpty());
        ScreenApp::settle();
    }
};

TOLVAR_TEST(TestScreenManager)
#include "test_screenmanager.moc"
