#include "testmain.h"
#include "ui/frmdialer.h"
#include "uitesthelpers.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {
const QString kDialer = QStringLiteral("frmDialer");
}  // namespace

class TestDialerScreen : public QObject {
    Q_OBJECT
private slots:
    // Calls to a modem on port 3, which the probe found.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        for (const char* flow : {"dialer-call", "speed-dial", "speed-dial-hand-edited"}) {
            QTest::newRow(flow) << QString::fromLatin1(flow);
        }
    }
    void flows() {
        UiRig rig;
        rig.flow(fetched<QString>("flow"));
        // Long captions do not widen the window; a call after another takes
        // the port again.
        auto* dialer = qobject_cast<frmDialer*>(rig.screens.find(kDialer));
        QVERIFY(dialer && dialer->width() < 800 && dialer->serialPort().isOpen());
    }

    // The modem stays silent; while the dialer waits the user hangs up,
    // closes the window (ending the program), or the modem goes away. The
    // wait ends at once, and a modem that is still there is hung up.
    void theWaitNeverFreezesTheWindow_data() {
        QTest::addColumn<QString>("action");  // a flow step, or the modem vanishing
        QTest::addColumn<QString>("after");
        QTest::newRow("Disconnect/Cancel") << "click cmdHangup"
                                           << "dialer-hung-up";
        QTest::newRow("window closed") << "close frmDialer"
                                       << "dialer-closed";
        QTest::newRow("modem vanishes") << "vanish"
                                        << "dialer-modem-vanished";
    }
    void theWaitNeverFreezesTheWindow() {
        QFETCH(QString, action);
        UiRig rig;
        rig.flow("dialer-silent");
        PtyModem& modem = *rig.pty.modems.at(3);
        QString shownWhileWaiting;
        QTimer::singleShot(150, &modem, [&] {
            shownWhileWaiting = rig.text("lblStatus");
            const QString verb = action.section(QLatin1Char(' '), 0, 0);
            verb == QLatin1String("vanish")
                ? modem.vanish()
                : void(rig.step(verb, {action.section(QLatin1Char(' '), 1)}));
        });
        QElapsedTimer clock;
        clock.start();
        rig.click("cmdNewDial");
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(shownWhileWaiting, QStringLiteral("Dialing..... 555-1234"));
        rig.flow(fetched<QString>("after"));
    }

    // The probe at start-up runs on the dialer's own port and leaves it open
    // for the first call.
    void probeRunsOnTheDialersPort_data() {
        QTest::addColumn<bool>("modem");
        QTest::addColumn<QString>("text1");
        QTest::newRow("modem on port 3") << true << "Your Modem Comm Port Is 3.";
        QTest::newRow("no modem") << false << "Modem Not Detected Or In Use.";
    }
    void probeRunsOnTheDialersPort() {
        const bool modem = fetched<bool>("modem");
        UiRig rig;
        PtyModem& port3 = rig.pty.add(3);
        if (modem) {
            port3.answerAttention();
        }
        const PhoneFeatures shown = ProbeModem(rig.ctx, rig.screens);
        auto* dialer = qobject_cast<frmDialer*>(rig.screens.find(kDialer));
        QVERIFY(dialer && !dialer->isVisible());
        QCOMPARE(rig.text("Text1"), fetched<QString>("text1"));
        QCOMPARE((QList<bool>{shown.phoneImageVisible, dialer->serialPort().isOpen()}),
                 (QList<bool>{modem, modem}));
    }
};

TOLVAR_TEST(TestDialerScreen)
#include "test_dialerscreen.moc"
