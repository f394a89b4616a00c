#include "customers/customerscreen.h"
#include "testmain.h"
#include "ui/frmdialer.h"
#include "uitesthelpers.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace {
const QString kDialer = QStringLiteral("frmDialer");

// A fake modem on port 3, which the probe found; it answers a dial command
// with `reply`.
struct DialerRig : UiRig {
    explicit DialerRig(QList<QByteArray> reply = {"\r\nO", "K\r\n"}) : modem(pty.add(3)) {
        modem.answerDial(reply);
        ctx.vars().ModemPort = 3;
    }
    frmDialer* call() {
        ShowDialer(screens, DialRequest{QStringLiteral("Pat Doe"), QStringLiteral("555-1234")});
        return qobject_cast<frmDialer*>(screens.find(kDialer));
    }

    PtyModem& modem;
};
}  // namespace

class TestDialerScreen : public QObject {
    Q_OBJECT
private slots:
    void dialsTalksAndHangsUp() {
        DialerRig rig;
        QPointer<frmDialer> dialer = rig.call();
        rig.flow("dialer-call");
        QVERIFY((!dialer || !dialer->serialPort().isOpen()) && rig.modem.waitForCommand("ATH"));
        QCOMPARE(rig.modem.commands(), (QList<QByteArray>{"ATDT1-555-1234;", "ATH"}));
        UiRig::settle();
        QVERIFY(dialer.isNull());
        // The next call takes the port again.
        QVERIFY(rig.call()->serialPort().isOpen());
    }

    // The modem stays silent; while the dialer waits the user hangs up,
    // closes the window (ending the program), or the modem goes away. The
    // wait ends at once, and a modem that is still there is hung up.
    void theWaitNeverFreezesTheWindow_data() {
        QTest::addColumn<QString>("action");
        // A flow step, or the modem vanishing.
        QTest::newRow("Disconnect/Cancel") << "click cmdHangup";
        QTest::newRow("window closed") << "close frmDialer";
        QTest::newRow("modem vanishes") << "vanish";
    }
    void theWaitNeverFreezesTheWindow() {
        QFETCH(QString, action);
        DialerRig rig(QList<QByteArray>{});
        rig.call();
        QString shownWhileWaiting;
        QTimer::singleShot(150, &rig.modem, [&] {
            shownWhileWaiting = rig.text("lblStatus");
            const QString verb = action.section(QLatin1Char(' '), 0, 0);
            verb == QLatin1String("vanish")
                ? rig.modem.vanish()
                : void(rig.step(verb, {action.section(QLatin1Char(' '), 1)}));
        });
        QElapsedTimer clock;
        clock.start();
        rig.click("cmdNewDial");
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(shownWhileWaiting, QStringLiteral("Dialing..... 555-1234"));
        QCOMPARE(rig.quits, action.startsWith(QLatin1String("close")) ? 1 : 0);
        if (action != QLatin1String("vanish")) {
            QVERIFY(rig.modem.waitForCommand("ATH"));
            QVERIFY(!rig.screens.isLoaded(kDialer));
            return;
        }
        QCOMPARE(rig.modem.commands(), QList<QByteArray>{"ATDT555-1234;"});
        QCOMPARE(rig.text("lblStatus"),
                 QStringLiteral("The Modem was Disconnected - Check it and Dial Again"));
        QVERIFY(rig.w("cmdNewDial")->isVisible());
    }

    void speedDialSavedLoadedAndDeleted() {
        DialerRig rig;
        rig.call();
        rig.flow("speed-dial");
    }

    void handEditedSpeedDialFile() {
        DialerRig rig;
        rig.app.write("SpeedNumbers.txt", UiData("speednumbers-hand-edited.txt"));
        const frmDialer* w = rig.call();
        rig.flow("speed-dial-hand-edited");
        QVERIFY(rig.text("cmdDialer(0)").endsWith(QChar(0x2026)));
        QVERIFY(w->width() < 800);
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
        DialerRig rig;
        if (modem) {
            rig.modem.answerAttention();
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
