#include "casefile.h"
#include "dialer/phonefeatures.h"
#include "ptymodem.h"
#include "settings/settings.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QTest>

namespace {
const QString kCases = QStringLiteral("dialer/cases.txt");

enum class Kind { Silent, Modem, OneChar, Held };
const QList<QByteArray> kKinds{"Silent", "Modem", "OneChar", "Held"};
}  // namespace

class TestModemProbe : public QObject {
    Q_OBJECT
private slots:
    void findsFirstAnsweringPort_data() { addCases(kCases, "probe"); }
    void findsFirstAnsweringPort() {
        QFETCH(Case, c);
        const int expected = c[0].toInt();
        QList<std::pair<Kind, int>> ports;
        for (const QByteArray& port : c.mid(1)) {
            const QList<QByteArray> kindAndNumber = port.split(' ');
            ports << std::pair(Kind(kKinds.indexOf(kindAndNumber[0])), kindAndNumber[1].toInt());
        }
        PtyRig rig;
        std::vector<std::unique_ptr<SystemSerialPort>> holders;
        for (const auto& [kind, n] : ports) {
            PtyModem& m = rig.add(n);
            QVERIFY(m.isValid());
            if (kind == Kind::Modem || kind == Kind::Held) {
                m.answerAttention();
            } else if (kind == Kind::OneChar) {
                m.setResponder([](const QByteArray&) { return QList<QByteArray>{"A"}; });
            }
            if (kind == Kind::Held) {
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
            if (n == expected || kind == Kind::Held) {
                continue;
            }
            QVERIFY(!rig.modems[n]->commands().contains("AT#CID=1"));
            if (kind == Kind::Silent) {
                QCOMPARE(rig.modems[n]->commands(), QList<QByteArray>{"AT"});
            }
            auto again = rig.makePort();
            again->setPortNumber(n);
            QVERIFY2(again->open(), "a probed port stayed open");
        }
        const bool found = expected != 0;
        QCOMPARE(shown.modemStatus,
                 found ? QStringLiteral("Your Modem Comm Port Is %1.").arg(expected)
                       : QStringLiteral("Modem Not Detected Or In Use."));
        QCOMPARE(shown.modemPortBox, found ? QString::number(expected) : QString());
        QCOMPARE(QList<bool>({shown.phoneImageVisible, shown.phonePageEnabled, port->isOpen()}),
                 QList<bool>(3, found));
        if (!found) {
            return;
        }
        QCOMPARE(shown.portCaption, QStringLiteral("COM Port # %1").arg(expected));
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

    void phoneOptions_data() { addCases(kCases, "phone"); }
    void phoneOptions() {
        QFETCH(Case, c);
        const bool modem = c[0] == "1";
        PtyRig rig;
        rig.add(2);
        if (modem) {
            rig.add(3).answerAttention();
        }
        for (const auto& [name, bytes] :
             {std::pair("Phone.txt", c[1]), std::pair("CallID.txt", c[2])}) {
            if (bytes != "none") {
                rig.app.write(QString::fromLatin1(name), bytes);
            }
        }
        auto port = rig.makePort();
        PhoneFeatures shown;
        LoadPhoneSettings(*rig.app.ctx, *port, &shown);
        const CommonVariables& vars = rig.app.ctx->vars();
        QCOMPARE(vars.ModemPort, modem ? 3 : 0);
        QCOMPARE(shown.modemPortBox, modem ? QStringLiteral("3") : QString());
        QCOMPARE(port->isOpen(), modem);
        QCOMPARE(vars.PhoneDaisyChained && rig.app.ctx->settings().phoneDaisyChained, c[3] == "1");
        QCOMPARE(vars.CallerIDOn && rig.app.ctx->settings().callerIdOn, c[4] == "1");
        QCOMPARE(shown.phonePageEnabled, modem);
    }

    void aPhoneFileThatCannotBeRestoredIsReported() {
        TempApp app;
        app.mkdir("Phone.txt");
        app.write("Backup/Phone.txt", "#TRUE#,2\r\n");
        expectUnusable(app, "Phone.txt", true);
        SystemSerialPort port([](int) { return QString(); });
        PhoneFeatures shown;
        LoadPhoneSettings(*app.ctx, port, &shown);
        QVERIFY(!app.ctx->vars().PhoneDaisyChained);
    }

    // Turning the features off, and a probe that finds nothing, clear the
    // options in the shared values and in the model.
    void featuresOffAndAProbeWithNothingToShow() {
        TempApp app;
        CommonVariables& vars = app.ctx->vars();
        Settings& settings = app.ctx->settings();
        const auto featuresOn = [&] {
            vars.PhoneDaisyChained = settings.phoneDaisyChained = true;
            vars.CallerIDOn = settings.callerIdOn = true;
        };
        const auto featuresOff = [&] {
            return !vars.PhoneDaisyChained && !settings.phoneDaisyChained && !vars.CallerIDOn &&
                   !settings.callerIdOn;
        };
        featuresOn();
        PhoneFeatures shown;
        shown.phoneImageVisible = shown.phonePageEnabled = true;
        PhoneFeaturesOff(*app.ctx, &shown);
        QVERIFY(!shown.phoneImageVisible && !shown.phonePageEnabled && featuresOff());
        featuresOn();
        vars.ModemPort = 4;
        SystemSerialPort port([](int) { return QString(); });
        QCOMPARE(FindModem(*app.ctx, port, nullptr, 1), 0);
        QCOMPARE(vars.ModemPort, 0);
        QVERIFY(featuresOff());
    }

    void portNumberMap_data() { addCases(kCases, "device"); }
    void portNumberMap() {
        QFETCH(Case, c);
        QCOMPARE(SerialPort::systemName(c[0].toInt()), str(c[1]));
    }
};

TOLVAR_TEST(TestModemProbe)
#include "test_modemprobe.moc"
