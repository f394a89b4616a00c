#include "dialer/phonefeatures.h"
#include "ptymodem.h"
#include "settings/settings.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QTest>

namespace {
enum class Kind { Silent, Modem, OneChar, Held };

// Ports given as "kind@number", e.g. {Silent@1, Modem@3}.
using PortList = QList<QPair<int, int>>;
}  // namespace

Q_DECLARE_METATYPE(PortList)

class TestModemProbe : public QObject {
    Q_OBJECT
private slots:
    void findsFirstAnsweringPort_data() {
        QTest::addColumn<PortList>("ports");
        QTest::addColumn<int>("expected");
        const auto p = [](Kind k, int n) { return qMakePair(int(k), n); };
        QTest::newRow("modem on 3, 1 and 2 silent")
            << PortList{p(Kind::Silent, 1), p(Kind::Silent, 2), p(Kind::Modem, 3)} << 3;
        QTest::newRow("two modems: the lower wins")
            << PortList{p(Kind::Modem, 5), p(Kind::Silent, 1), p(Kind::Modem, 2)} << 2;
        QTest::newRow("last port of the map")
            << PortList{p(Kind::Silent, 15), p(Kind::Modem, 16)} << 16;
        QTest::newRow("one character is no modem")
            << PortList{p(Kind::OneChar, 1), p(Kind::Modem, 4)} << 4;
        QTest::newRow("port held by another program is skipped")
            << PortList{p(Kind::Held, 1), p(Kind::Modem, 6)} << 6;
        QTest::newRow("only silent ports") << PortList{p(Kind::Silent, 1), p(Kind::Silent, 9)} << 0;
        QTest::newRow("no ports at all") << PortList{} << 0;
        // However many ports exist, they share one wait.
        PortList sixteen;
        for (int n = 1; n <= 16; ++n) {
            sixteen << p(Kind::Silent, n);
        }
        QTest::newRow("sixteen silent ports") << sixteen << 0;
    }
    void findsFirstAnsweringPort() {
        QFETCH(PortList, ports);
        QFETCH(int, expected);
        PtyRig rig;
        std::vector<std::unique_ptr<SystemSerialPort>> holders;
        for (const auto& [kind, n] : ports) {
            PtyModem& m = rig.add(n);
            QVERIFY(m.isValid());
            if (Kind(kind) == Kind::Modem || Kind(kind) == Kind::Held) {
                m.answerAttention();
            } else if (Kind(kind) == Kind::OneChar) {
                m.setResponder([](const QByteArray&) { return QList<QByteArray>{"A"}; });
            }
            if (Kind(kind) == Kind::Held) {
                holders.push_back(rig.makePort());
                holders.back()->setPortNumber(n);
                QVERIFY(holders.back()->open());
            }
        }
        auto port = rig.makePort();
        PhoneFeatures shown;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(FindModem(*rig.app.ctx, *port, &shown), expected);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(rig.app.ctx->vars().ModemPort, expected);

        // The other ports were asked once and let go again.
        for (const auto& [kind, n] : ports) {
            if (n == expected || Kind(kind) == Kind::Held) {
                continue;
            }
            QVERIFY(!rig.modems[n]->commands().contains("AT#CID=1"));
            if (Kind(kind) == Kind::Silent) {
                QCOMPARE(rig.modems[n]->commands(), QList<QByteArray>{"AT"});
            }
            auto again = rig.makePort();
            again->setPortNumber(n);
            QVERIFY2(again->open(), "a probed port stayed open");
        }
        if (expected == 0) {
            QCOMPARE(shown.modemStatus, QStringLiteral("Modem Not Detected Or In Use."));
            QVERIFY(shown.modemPortBox.isEmpty());
            QVERIFY(!shown.phoneImageVisible && !shown.phonePageEnabled && !port->isOpen());
            return;
        }
        QCOMPARE(shown.modemStatus, QStringLiteral("Your Modem Comm Port Is %1.").arg(expected));
        QCOMPARE(shown.portCaption, QStringLiteral("COM Port # %1").arg(expected));
        QCOMPARE(shown.modemPortBox, QString::number(expected));
        QVERIFY(shown.phoneImageVisible && shown.phonePageEnabled);
        QVERIFY(port->isOpen());
        QCOMPARE(port->portNumber(), expected);
        PtyModem& modem = *rig.modems[expected];
        QVERIFY(modem.waitForCommand("AT#CID=1"));
        QCOMPARE(modem.commands(), (QList<QByteArray>{"AT", "AT#CID=1"}));
    }

    // The dialer's own open port is not asked again; every other port is.
    void ownOpenPortIsNotAskedAgain() {
        PtyRig rig;
        rig.add(1);
        rig.add(4).answerAttention();
        auto port = rig.makePort();
        port->setPortNumber(1);
        QVERIFY(port->open());
        QCOMPARE(FindModem(*rig.app.ctx, *port, nullptr), 4);
        QVERIFY(rig.modems[1]->commands().isEmpty());
        QCOMPARE(port->portNumber(), 4);
    }

    void phoneOptions_data() {
        QTest::addColumn<bool>("modem");
        QTest::addColumn<QByteArray>("phone");
        QTest::addColumn<QByteArray>("callId");
        QTest::addColumn<bool>("daisy");
        QTest::addColumn<bool>("callerId");
        QTest::newRow("true and 2, probe found 3")
            << true << QByteArray("#TRUE#,2\r\n") << QByteArray() << true << false;
        QTest::newRow("false, caller ID on")
            << true << QByteArray("#FALSE#,3\r\n") << QByteArray("#TRUE#\r\n") << false << true;
        QTest::newRow("no port field")
            << true << QByteArray("#TRUE#") << QByteArray() << true << false;
        QTest::newRow("wrong types")
            << true << QByteArray("\"yes\",x\r\n") << QByteArray("#maybe#\r\n") << false << false;
        QTest::newRow("no files") << true << QByteArray() << QByteArray() << false << false;
        QTest::newRow("no modem, options still read")
            << false << QByteArray("#TRUE#,1\r\n") << QByteArray("#TRUE#\r\n") << true << true;
    }
    void phoneOptions() {
        QFETCH(bool, modem);
        QFETCH(QByteArray, phone);
        QFETCH(QByteArray, callId);
        QFETCH(bool, daisy);
        QFETCH(bool, callerId);
        PtyRig rig;
        rig.add(2);
        if (modem) {
            rig.add(3).answerAttention();
        }
        if (!phone.isNull()) {
            rig.app.write("Phone.txt", phone);
        }
        if (!callId.isNull()) {
            rig.app.write("CallID.txt", callId);
        }
        auto port = rig.makePort();
        PhoneFeatures shown;
        LoadPhoneSettings(*rig.app.ctx, *port, &shown);
        const CommonVariables& vars = rig.app.ctx->vars();
        QCOMPARE(vars.ModemPort, modem ? 3 : 0);
        QCOMPARE(shown.modemPortBox, modem ? QStringLiteral("3") : QString());
        QCOMPARE(port->isOpen(), modem);
        QCOMPARE(vars.PhoneDaisyChained && rig.app.ctx->settings().phoneDaisyChained, daisy);
        QCOMPARE(vars.CallerIDOn && rig.app.ctx->settings().callerIdOn, callerId);
        QCOMPARE(shown.phonePageEnabled, modem);
    }

    void aPhoneFileThatCannotBeRestoredIsReported() {
        TempApp app;
        app.mkdir("Phone.txt");
        app.write("Backup/Phone.txt", "#TRUE#,2\r\n");
        app.prompter.expectMessage(
            QStringLiteral(
                "The file %1 could not be used: it could not be restored from the Backup "
                "folder: Filename refers to a directory")
                .arg(app.path("Phone.txt")),
            "Tolvar Proposals", Icon::Critical);
        SystemSerialPort port([](int) { return QString(); });
        PhoneFeatures shown;
        LoadPhoneSettings(*app.ctx, port, &shown);
        QVERIFY(!app.ctx->vars().PhoneDaisyChained);
    }

    void featuresOff() {
        TempApp app;
        app.ctx->vars().PhoneDaisyChained = app.ctx->settings().phoneDaisyChained = true;
        app.ctx->vars().CallerIDOn = app.ctx->settings().callerIdOn = true;
        PhoneFeatures shown;
        PhoneFeaturesOff(*app.ctx, &shown);
        QVERIFY(!shown.phoneImageVisible);
        QVERIFY(!shown.phonePageEnabled);
        QVERIFY(!app.ctx->vars().PhoneDaisyChained && !app.ctx->settings().phoneDaisyChained);
        QVERIFY(!app.ctx->vars().CallerIDOn && !app.ctx->settings().callerIdOn);
    }

    void probeWithNothingToShow() {
        TempApp app;
        app.ctx->vars().ModemPort = 4;
        app.ctx->vars().PhoneDaisyChained = app.ctx->settings().phoneDaisyChained = true;
        SystemSerialPort port([](int) { return QString(); });
        QCOMPARE(FindModem(*app.ctx, port, nullptr, 1), 0);
        QCOMPARE(app.ctx->vars().ModemPort, 0);
        QVERIFY(!app.ctx->vars().PhoneDaisyChained);
    }

    void portNumberMap_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("1") << 1 << "/dev/ttyS0";
        QTest::newRow("5") << 5 << "/dev/ttyUSB0";
        QTest::newRow("16") << 16 << "/dev/rfcomm3";
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("17") << 17 << QString();
    }
    void portNumberMap() {
        QFETCH(int, port);
        QFETCH(QString, device);
        QCOMPARE(SerialPort::systemName(port), device);
    }
};

TOLVAR_TEST(TestModemProbe)
#include "test_modemprobe.moc"
