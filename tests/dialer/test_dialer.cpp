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
const QString kReady = QStringLiteral("Ready to Dial......");
const QString kNoReply = QStringLiteral("The Modem did not Reply - Check it and Dial Again");
const QString kLost = QStringLiteral("The Modem was Disconnected - Check it and Dial Again");
const QString kNoModem = QStringLiteral("Modem Not Detected Or In Use.");

// A modem on port 3 answering the dial command with `pieces`, the port box
// holding `box`.
struct Line {
    explicit Line(QList<QByteArray> pieces = {"\r\nOK\r\n"},
                  const QString& box = QStringLiteral("3"))
        : modem(rig.add(3)), port(rig.makePort()), dialer(*rig.app.ctx, *port) {
        modem.setResponder([pieces](const QByteArray& c) {
            return c.startsWith("ATDT") ? pieces : QList<QByteArray>{};
        });
        dialer.setRecipient(QStringLiteral("Pat Doe"), QStringLiteral("555-1234"));
        dialer.setReplyTimeout(500);
        dialer.activate(box);
    }
    PtyRig rig;
    PtyModem& modem;
    std::unique_ptr<SystemSerialPort> port;
    Dialer dialer;
};

// The dialer of a screen without a modem, on SpeedNumbers.txt.
struct Screen {
    Screen() : port([](int) { return QString(); }), dialer(*app.ctx, port) {}
    void open(const QByteArray& file) {
        app.write("SpeedNumbers.txt", file);
        dialer.activate(QString());
    }
    TempApp app;
    SystemSerialPort port;
    Dialer dialer;
};

const QByteArray kFive =
    "Al\r\n555-0001\r\nBo\r\n555-0002\r\nCy\r\n555-0003\r\n"
    "Di\r\n555-0004\r\nEd\r\n555-0005\r\n";

QByteArray fiveWithout(const QByteArray& entry) {
    return QByteArray(kFive).replace(entry, QByteArray());
}
}  // namespace

class TestDialer : public QObject {
    Q_OBJECT
private slots:
    void prefixToggle_data() { addCases(kCases, "prefix"); }
    void prefixToggle() {
        QFETCH(Case, c);
        Screen s;
        s.dialer.setRecipient(QStringLiteral("Pat"), str(c[0]));
        s.dialer.setPrefix(c[1] == "1");
        QCOMPARE(s.dialer.number(), str(c[2]));
    }

    void activationOpensThePortBoxPort_data() { addCases(kCases, "box"); }
    void activationOpensThePortBoxPort() {
        QFETCH(Case, c);
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
    void replyJudgedOnAllReadsOfTheDial_data() { addCases(kCases, "reply"); }
    void replyJudgedOnAllReadsOfTheDial() {
        QFETCH(Case, c);
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

    void silentModemTimesOut() {
        Line line(QList<QByteArray>{});
        QElapsedTimer clock;
        clock.start();
        line.dialer.dial();
        QVERIFY(clock.elapsed() >= 450 && clock.elapsed() < 2000);
        QCOMPARE(line.dialer.status(), kNoReply);
        QVERIFY(line.dialer.dialShown() && !line.dialer.talkShown());
        QVERIFY(line.modem.waitForCommand("ATH"));
        QVERIFY(line.port->isOpen());
        QVERIFY(!line.dialer.isDialing());
    }

    // Hanging up, or the modem going away, ends a long wait at once.
    void waitEndsEarly() {
        for (const bool vanish : {false, true}) {
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
            QCOMPARE(finished.count(), vanish ? 0 : 1);
            QCOMPARE(line.dialer.status(), vanish ? kLost : kReady);
            QVERIFY(line.dialer.dialShown());
            QCOMPARE(line.modem.waitForCommand("ATH", vanish ? 0 : 2000), !vanish);
        }
    }

    // Dialing again after the modem went away finds no device and does not wait.
    void modemVanishesWhileIdle() {
        Line line;
        QSignalSpy changed(&line.dialer, &Dialer::changed);
        line.modem.vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!line.port->isOpen(), 2000);
        QCOMPARE(line.dialer.status(), kLost);
        QVERIFY(changed.count() >= 1);
        line.dialer.dial();
        QCOMPARE(line.dialer.status(), kNoModem);
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

    void load_data() { addCases(kCases, "speed"); }
    void load() {
        QFETCH(Case, c);
        QList<QPair<QString, QString>> expected(SpeedDialTable::kSlots);  // from slot 0
        for (qsizetype i = 1; i + 1 < c.size(); i += 2) {
            expected[i / 2] = qMakePair(str(c[i]), str(c[i + 1]));
        }
        Screen s;
        if (c[0] != "none") {
            s.app.write("SpeedNumbers.txt", c[0]);
        }
        s.dialer.activate(QString());
        QList<QPair<QString, QString>> loaded;
        for (int i = 0; i < SpeedDialTable::kSlots; ++i) {
            loaded << qMakePair(s.dialer.speedDial().at(i).name, s.dialer.speedDial().at(i).number);
        }
        QCOMPARE(loaded, expected);
        QCOMPARE(s.dialer.speedCaption(0), expected.at(0).first);
    }

    // Saved in slot order without the free slots; an empty name frees its
    // slot.
    void saveWritesSlotOrderWithoutFreeSlots() {
        Screen s;
        s.open(kFive);
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
        QCOMPARE(s.app.read("SpeedNumbers.txt"),
                 fiveWithout("Bo\r\n555-0002\r\n") + "Go X\r\n555-0007\r\nFy\r\n1-555-0009\r\n");
        s.dialer.activate(QString());
        QCOMPARE(s.dialer.speedDial().usedSlots(), 6);
        QVERIFY(s.dialer.speedDial().isFree(6));
    }

    void deleteMovesTheRestUp() {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            Screen s;
            s.open(kFive);
            s.dialer.selectSpeedDial(2);
            QVERIFY(s.dialer.deleteEnabled());
            s.app.prompter.expectQuestion(
                QStringLiteral("This will delete SpeedDial entry  Cy\r\nAre you Sure"),
                QStringLiteral("Delete Speed Dial"), Buttons::YesNo, Icon::Question, answer);
            s.dialer.deleteSpeedDial();
            QVERIFY(!s.dialer.deleteEnabled());
            const bool yes = answer == Answer::Yes;
            QCOMPARE(s.app.read("SpeedNumbers.txt"),
                     yes ? fiveWithout("Cy\r\n555-0003\r\n") : kFive);
            QCOMPARE(s.dialer.speedCaption(2), yes ? QStringLiteral("Di") : QStringLiteral("Cy"));
            QCOMPARE(s.dialer.speedDial().usedSlots(), yes ? 4 : 5);
        }
    }

    // A failed write stores nothing: the slot stays free and the typed entry
    // stays in the boxes to try again.
    void failedSaveKeepsEverything() {
        Screen s;
        s.app.mkdir("SpeedNumbers.txt");
        s.dialer.activate(QString());
        s.dialer.selectSpeedDial(0);
        s.dialer.setNameBox(QStringLiteral("Ann"));
        s.dialer.setNumberBox(QStringLiteral("555-1"));
        expectUnusable(s.app, "SpeedNumbers.txt");
        s.dialer.saveSpeedDial();
        QVERIFY(s.dialer.speedDial().isFree(0));
        QVERIFY(s.dialer.speedFrameShown());
        QCOMPARE(s.dialer.nameBox(), QStringLiteral("Ann"));
    }
};

TOLVAR_TEST(TestDialer)
#include "test_dialer.moc"
