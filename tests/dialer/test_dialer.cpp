#include "casefile.h"
#include "dialer/dialer.h"
#include "dialer/phonefeatures.h"
#include "ptymodem.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
const QString kCases = QStringLiteral("dialer/cases.txt");

// A modem on port 3 answering the dial command with `pieces`.
struct Line {
    explicit Line(QList<QByteArray> pieces = {"\r\nOK\r\n"}, int gapMs = 60)
        : modem(rig.add(3)), port(rig.makePort()), dialer(*rig.app.ctx, *port) {
        modem.setResponder(
            [pieces](const QByteArray& c) {
                return c.startsWith("ATDT") ? pieces : QList<QByteArray>{};
            },
            gapMs);
        dialer.setRecipient(QStringLiteral("Pat Doe"), QStringLiteral("555-1234"));
        dialer.setReplyTimeout(500);
        dialer.activate(QStringLiteral("3"));
    }
    PtyRig rig;
    PtyModem& modem;
    std::unique_ptr<SystemSerialPort> port;
    Dialer dialer;
};
}  // namespace

class TestDialer : public QObject {
    Q_OBJECT
private slots:
    void prefixToggle_data() { addCases(kCases, "prefix"); }
    void prefixToggle() {
        QFETCH(Case, c);
        TempApp app;
        SystemSerialPort port([](int) { return QString(); });
        Dialer dialer(*app.ctx, port);
        dialer.setRecipient(QStringLiteral("Pat"), str(c[0]));
        dialer.setPrefix(c[1] == "1");
        QCOMPARE(dialer.number(), str(c[2]));
    }

    void activationOpensThePortBoxPort_data() { addCases(kCases, "box"); }
    void activationOpensThePortBoxPort() {
        QFETCH(Case, c);
        const bool opens = c[1] == "1";
        PtyRig rig;
        rig.add(3);
        auto port = rig.makePort();
        Dialer dialer(*rig.app.ctx, *port);
        dialer.activate(str(c[0]));
        QCOMPARE(port->isOpen(), opens);
        QCOMPARE(port->portNumber(), opens ? 3 : 0);
        QCOMPARE(dialer.status(), QStringLiteral("Ready to Dial......"));
        QVERIFY(dialer.dialShown() && !dialer.talkShown() && !dialer.deleteEnabled());
        if (!opens) {
            // Nothing to dial on, and no wait.
            QElapsedTimer clock;
            clock.start();
            dialer.dial();
            QVERIFY(clock.elapsed() < 500);
            QCOMPARE(dialer.status(), QStringLiteral("Modem Not Detected Or In Use."));
            QVERIFY(dialer.dialShown());
        }
        QVERIFY(rig.modems[3]->received().isEmpty());
    }

    void dialsAndConnects() {
        Line line;
        QSignalSpy focus(&line.dialer, &Dialer::focusRequested);
        line.dialer.dial();
        QCOMPARE(line.modem.commands(), QList<QByteArray>{"ATDT555-1234;"});
        QCOMPARE(line.dialer.status(), QStringLiteral("Pickup Receiver - Then Click Hangup"));
        QVERIFY(line.dialer.talkShown() && !line.dialer.dialShown());
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.at(0).at(0).value<Dialer::Focus>(), Dialer::Focus::TalkButton);

        QSignalSpy finished(&line.dialer, &Dialer::finished);
        line.dialer.talk();
        QVERIFY(line.modem.waitForCommand("ATH"));
        QVERIFY(!line.port->isOpen());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(line.dialer.status(), QStringLiteral("Ready to Dial......"));
        // The next activation takes the port again.
        line.dialer.activate(QStringLiteral("3"));
        QVERIFY(line.port->isOpen());
    }

    void replyJudgedOnAllReadsOfTheDial_data() { addCases(kCases, "reply"); }
    void replyJudgedOnAllReadsOfTheDial() {
        QFETCH(Case, c);
        const bool connected = c[0] == "1";
        Line line(c.mid(2));
        line.dialer.dial();
        QCOMPARE(line.dialer.lastReply(), str(c[1]));
        QCOMPARE(line.dialer.talkShown(), connected);
        QCOMPARE(line.dialer.dialShown(), !connected);
        QCOMPARE(line.dialer.status(),
                 connected ? QStringLiteral("Pickup Receiver - Then Click Hangup")
                           : QStringLiteral("The Modem did not Reply - Check it and Dial Again"));
    }

    void silentModemTimesOut() {
        Line line(QList<QByteArray>{});
        QElapsedTimer clock;
        clock.start();
        line.dialer.dial();
        QVERIFY(clock.elapsed() >= 450 && clock.elapsed() < 2000);
        QCOMPARE(line.dialer.status(),
                 QStringLiteral("The Modem did not Reply - Check it and Dial Again"));
        QVERIFY(line.dialer.dialShown() && !line.dialer.talkShown());
        QVERIFY(line.modem.waitForCommand("ATH"));
        QVERIFY(line.port->isOpen());
        QVERIFY(!line.dialer.isDialing());
    }

    // Hanging up, or the modem going away, ends a long wait at once.
    void waitEndsEarly_data() {
        QTest::addColumn<bool>("vanish");
        QTest::newRow("hang up") << false;
        QTest::newRow("modem vanishes") << true;
    }
    void waitEndsEarly() {
        QFETCH(bool, vanish);
        Line line(QList<QByteArray>{});
        line.dialer.setReplyTimeout(10000);
        QSignalSpy finished(&line.dialer, &Dialer::finished);
        QTimer::singleShot(100, &line.modem,
                           [&] { vanish ? line.modem.vanish() : line.dialer.hangUp(); });
        QElapsedTimer clock;
        clock.start();
        line.dialer.dial();
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!line.port->isOpen());
        if (!vanish) {
            QCOMPARE(finished.count(), 1);
            QVERIFY(line.modem.waitForCommand("ATH"));
            QCOMPARE(line.dialer.status(), QStringLiteral("Ready to Dial......"));
            return;
        }
        QCOMPARE(line.dialer.status(),
                 QStringLiteral("The Modem was Disconnected - Check it and Dial Again"));
        QVERIFY(line.dialer.dialShown());
        // Dialing again finds no device and does not wait.
        line.dialer.dial();
        QCOMPARE(line.dialer.status(), QStringLiteral("Modem Not Detected Or In Use."));
    }

    void modemVanishesWhileIdle() {
        Line line;
        QSignalSpy changed(&line.dialer, &Dialer::changed);
        line.modem.vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!line.port->isOpen(), 2000);
        QCOMPARE(line.dialer.status(),
                 QStringLiteral("The Modem was Disconnected - Check it and Dial Again"));
        QVERIFY(changed.count() >= 1);
    }

    void screenClosedDuringTheWait() {
        PtyRig rig;
        rig.add(3);
        auto port = rig.makePort();
        auto* dialer = new Dialer(*rig.app.ctx, *port);
        dialer->setRecipient(QStringLiteral("Pat"), QStringLiteral("555"));
        dialer->activate(QStringLiteral("3"));
        QTimer::singleShot(100, port.get(), [dialer] { delete dialer; });
        QElapsedTimer clock;
        clock.start();
        dialer->dial();
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(rig.modems[3]->commands().contains("ATDT555;"));
    }
};

TOLVAR_TEST(TestDialer)
#include "test_dialer.moc"
