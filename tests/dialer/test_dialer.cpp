#include "cases.h"
#include "dialer/dialer.h"
#include "dialer/phonefeatures.h"
#include "ptymodem.h"
#include "settings/settings.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
const QString kCases = QStringLiteral("dialer/cases.txt");
const QString kReady = QStringLiteral("Ready to Dial......");
const QString kNoReply = QStringLiteral("The Modem did not Reply - Check it and Dial Again");
const QString kLost = QStringLiteral("The Modem was Disconnected - Check it and Dial Again");
const QString kNoModem = QStringLiteral("Modem Not Detected Or In Use.");

// A modem on port 3 answering the dial command with `pieces`, the port box
// holding `box`.
struct Line {
    explicit Line(QList<QByteArray> pieces = {"\r\nOK\r\n"},
                  const QString& box = QStringLiteral("3"))
        : modem(rig.add(3)),
          port(rig.makePort()),
          owned(std::make_unique<Dialer>(*rig.app.ctx, *port)),
          dialer(*owned) {
        modem.answerDial(pieces);
        dialer.setRecipient(QStringLiteral("Pat Doe"), QStringLiteral("555-1234"));
        dialer.setReplyTimeout(500);
        dialer.activate(box);
    }
    PtyRig rig;
    PtyModem& modem;
    std::unique_ptr<SystemSerialPort> port;
    std::unique_ptr<Dialer> owned;  // reset as the screen closing deletes it
    Dialer& dialer;
};

// The dialer of a screen without a modem, on SpeedNumbers.txt ("none": no
// file).
struct Screen {
    Screen() : port([](int) { return QString(); }), dialer(*app.ctx, port) {}
    void open(const QByteArray& file) {
        if (file != "none") {
            app.write("SpeedNumbers.txt", file);
        }
        dialer.activate(QString());
    }
    TempApp app;
    SystemSerialPort port;
    Dialer dialer;
};

// The kinds of port a probe meets.
enum class Kind { Silent, Modem, OneChar, Held, Own };
const QList<QByteArray> kKinds{"Silent", "Modem", "OneChar", "Held", "Own"};
}  // namespace

class TestDialer : public QObject {
    Q_OBJECT
private slots:
    void prefixToggle_data() { cases::load(kCases, "prefix"); }
    void prefixToggle() {
        const cases::Row c = cases::row();
        Screen s;
        s.dialer.setRecipient(QStringLiteral("Pat"), str(c[0]));
        s.dialer.setPrefix(c[1] == "1");
        QCOMPARE(s.dialer.number(), str(c[2]));
    }

    void activationOpensThePortBoxPort_data() { cases::load(kCases, "box"); }
    void activationOpensThePortBoxPort() {
        const cases::Row c = cases::row();
        const bool opens = c[1] == "1";
        Line line({}, str(c[0]));
        Dialer& dialer = line.dialer;
        QCOMPARE(line.port->isOpen(), opens);
        QCOMPARE(line.port->portNumber(), opens ? 3 : 0);
        QCOMPARE(dialer.status(), kReady);
        QVERIFY(dialer.dialShown() && !dialer.talkShown() && !dialer.deleteEnabled());
        if (!opens) {
            // Nothing to dial on, and no wait.
            QElapsedTimer clock;
            clock.start();
            dialer.dial();
            QVERIFY(clock.elapsed() < 500);
            QCOMPARE(dialer.status(), kNoModem);
            QVERIFY(dialer.dialShown());
        }
        QVERIFY(line.modem.received().isEmpty());
    }

    // A connected call asks for the talk button; talking hangs up, lets the
    // port go and finishes.
    void replyJudgedOnAllReadsOfTheDial_data() { cases::load(kCases, "reply"); }
    void replyJudgedOnAllReadsOfTheDial() {
        const cases::Row c = cases::row();
        const bool connected = c[0] == "1";
        Line line(c.mid(2));
        QSignalSpy focus(&line.dialer, &Dialer::focusRequested);
        QSignalSpy finished(&line.dialer, &Dialer::finished);
        line.dialer.dial();
        QCOMPARE(line.modem.commands(), QList<QByteArray>{"ATDT555-1234;"});
        QCOMPARE(line.dialer.lastReply(), str(c[1]));
        QCOMPARE(line.dialer.talkShown(), connected);
        QCOMPARE(line.dialer.dialShown(), !connected);
        QCOMPARE(line.dialer.status(),
                 connected ? QStringLiteral("Pickup Receiver - Then Click Hangup") : kNoReply);
        QCOMPARE(focus.count(), connected ? 1 : 0);
        if (!connected) {
            return;
        }
        QCOMPARE(focus.at(0).at(0).value<Dialer::Focus>(), Dialer::Focus::TalkButton);
        line.dialer.talk();
        QVERIFY(line.modem.waitForCommand("ATH"));
        QVERIFY(!line.port->isOpen());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(line.dialer.status(), kReady);
        line.dialer.activate(QStringLiteral("3"));
        QVERIFY(line.port->isOpen());
    }

    // A silent modem is hung up once the reply time is over, the port kept
    // for the next dial; hanging up, the modem going away, or the screen
    // closing during the wait, ends a long wait at once.
    void waitEnds() {
        enum { TimedOut, HungUp, Vanished, Closed };
        for (const int end : {TimedOut, HungUp, Vanished, Closed}) {
            Line line(QList<QByteArray>{});
            QSignalSpy finished(&line.dialer, &Dialer::finished);
            if (end != TimedOut) {
                line.dialer.setReplyTimeout(10000);
                QTimer::singleShot(100, &line.modem, [&] {
                    end == Vanished ? line.modem.vanish()
                    : end == Closed ? line.owned.reset()
                                    : line.dialer.hangUp();
                });
            }
            QElapsedTimer clock;
            clock.start();
            line.dialer.dial();
            QVERIFY(clock.elapsed() < 2000 && (end != TimedOut || clock.elapsed() >= 450));
            if (end == Closed) {
                QCOMPARE(line.modem.commands(), QList<QByteArray>{"ATDT555-1234;"});
                continue;
            }
            QCOMPARE(line.port->isOpen(), end == TimedOut);
            QCOMPARE(finished.count(), end == HungUp ? 1 : 0);
            QCOMPARE(line.dialer.status(), (QList{kNoReply, kReady, kLost}.at(end)));
            QVERIFY(line.dialer.dialShown() && !line.dialer.talkShown());
            QVERIFY(!line.dialer.isDialing());
            QCOMPARE(line.modem.waitForCommand("ATH", end == Vanished ? 0 : 2000), end != Vanished);
        }
    }

    // The modem going away after a call connected puts Dial back; dialing
    // again finds no device and does not wait.
    void modemVanishesWhileIdle() {
        Line line;
        line.dialer.dial();
        QVERIFY(line.dialer.talkShown());
        QSignalSpy changed(&line.dialer, &Dialer::changed);
        line.modem.vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!line.port->isOpen(), 2000);
        QCOMPARE(line.dialer.status(), kLost);
        QVERIFY(line.dialer.dialShown() && !line.dialer.talkShown());
        QVERIFY(changed.count() >= 1);
        line.dialer.dial();
        QCOMPARE(line.dialer.status(), kNoModem);
    }

    void load_data() { cases::load(kCases, "speed"); }
    void load() {
        const cases::Row c = cases::row();
        Screen s;
        s.open(c[0]);
        QStringList loaded;  // name and number of each slot
        for (int i = 0; i < SpeedDialTable::kSlots; ++i) {
            loaded << s.dialer.speedDial().at(i).name << s.dialer.speedDial().at(i).number;
        }
        QStringList expected = strs(c.mid(1));  // from slot 0, the rest free
        expected.resize(2 * SpeedDialTable::kSlots);
        QCOMPARE(loaded, expected);
        QCOMPARE(s.dialer.speedCaption(0), expected.at(0));
    }

    // Saved in slot order without the free slots; an empty name frees its
    // slot.
    void saveWritesSlotOrderWithoutFreeSlots() {
        Screen s;
        s.open(testData(QStringLiteral("dialer/speednumbers-five.txt")));
        for (const auto& [slot, name, number] :
             {std::tuple{8, "Fy", "1-555-0009"}, std::tuple{6, "Go\r\nX", "555-0007"},
              std::tuple{1, "", "555-9999"}}) {
            const bool free = s.dialer.speedDial().isFree(slot);
            s.dialer.selectSpeedDial(slot);
            QCOMPARE(s.dialer.speedFrameShown(), free);  // a used slot is dialled
            s.dialer.setNameBox(QString::fromLatin1(name));
            s.dialer.setNumberBox(QString::fromLatin1(number));
            s.dialer.saveSpeedDial();
            QVERIFY(!s.dialer.speedFrameShown());
            QVERIFY(s.dialer.nameBox().isEmpty() && s.dialer.numberBox().isEmpty());
        }
        // Bo gone, the name's line break a blank, slot 6 before slot 8.
        QCOMPARE(s.app.read("SpeedNumbers.txt"),
                 testData(QStringLiteral("dialer/speednumbers-five-saved.txt")));
        s.dialer.activate(QString());
        QCOMPARE(s.dialer.speedDial().usedSlots(), 6);
        QVERIFY(s.dialer.speedDial().isFree(6));
    }

    // A failed write stores nothing: the slot stays free and the typed entry
    // stays in the boxes to try again.
    void failedSaveKeepsEverything() {
        Screen s;
        s.app.mkdir("SpeedNumbers.txt");
        s.open("none");
        s.dialer.selectSpeedDial(0);
        s.dialer.setNameBox(QStringLiteral("Ann"));
        s.dialer.setNumberBox(QStringLiteral("555-1"));
        expectUnusable(s.app, "SpeedNumbers.txt");
        s.dialer.saveSpeedDial();
        QVERIFY(s.dialer.speedDial().isFree(0));
        QVERIFY(s.dialer.speedFrameShown());
        QCOMPARE(s.dialer.nameBox(), QStringLiteral("Ann"));
    }

    void findsFirstAnsweringPort_data() { cases::load(kCases, "probe"); }
    void findsFirstAnsweringPort() {
        const cases::Row c = cases::row();
        const int expected = c[0].toInt();
        QList<std::pair<Kind, int>> ports;
        for (const QByteArray& port : c.mid(1)) {
            const QList<QByteArray> kindAndNumber = port.split(' ');
            ports << std::pair(Kind(kKinds.indexOf(kindAndNumber[0])), kindAndNumber[1].toInt());
        }
        PtyRig rig;
        auto port = rig.makePort();
        std::vector<std::unique_ptr<SystemSerialPort>> holders;
        for (const auto& [kind, n] : ports) {
            PtyModem& m = rig.add(n);
            QVERIFY(m.isValid());
            if (kind == Kind::Own) {
                port->setPortNumber(n);
                QVERIFY(port->open());
            }
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
            if (kind == Kind::Silent || kind == Kind::Own) {
                QCOMPARE(rig.modems[n]->commands(),
                         kind == Kind::Own ? QList<QByteArray>{} : QList<QByteArray>{"AT"});
            }
            auto again = rig.makePort();
            again->setPortNumber(n);
            QVERIFY2(again->open(), "a probed port stayed open");
        }
        const bool found = expected != 0;
        QCOMPARE(shown.modemStatus,
                 found ? QStringLiteral("Your Modem Comm Port Is %1.").arg(expected) : kNoModem);
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

    void phoneOptions_data() { cases::load(kCases, "phone"); }
    void phoneOptions() {
        const cases::Row c = cases::row();
        const bool modem = c[0] == "1";
        PtyRig rig;
        rig.add(2);
        if (modem) {
            rig.add(3).answerAttention();
        }
        for (const auto& [name, bytes] :
             {std::pair("Phone.txt", c[1]), std::pair("CallID.txt", c[2])}) {
            if (bytes == "folder") {
                // Nor can the backup be put back in its place.
                rig.app.mkdir(QString::fromLatin1(name));
                rig.app.write(QStringLiteral("Backup/") + QLatin1String(name), "#TRUE#,2\r\n");
                expectUnusable(rig.app, QString::fromLatin1(name), true);
            } else if (bytes != "none") {
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
        const auto features = [&] {
            return bits({vars.PhoneDaisyChained, settings.phoneDaisyChained, vars.CallerIDOn,
                         settings.callerIdOn});
        };
        featuresOn();
        PhoneFeatures shown;
        shown.phoneImageVisible = shown.phonePageEnabled = true;
        PhoneFeaturesOff(*app.ctx, &shown);
        QCOMPARE(bits({shown.phoneImageVisible, shown.phonePageEnabled}) + features(), "000000");
        featuresOn();
        vars.ModemPort = 4;
        SystemSerialPort port([](int) { return QString(); });
        QCOMPARE(FindModem(*app.ctx, port, nullptr, 1), 0);
        QCOMPARE(vars.ModemPort, 0);
        QCOMPARE(features(), "0000");
    }

    void portNumberMap_data() { cases::load(kCases, "device"); }
    void portNumberMap() {
        const cases::Row c = cases::row();
        QCOMPARE(SerialPort::systemName(c[0].toInt()), str(c[1]));
    }
};

TOLVAR_TEST(TestDialer)
#include "test_dialer.moc"
