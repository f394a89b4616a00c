#include "casefile.h"
#include "dialer/dialer.h"
#include "dialer/systemserialport.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
using Entries = QList<QPair<QString, QString>>;

Entries slotsOf(const SpeedDialTable& table) {
    Entries out;
    for (int i = 0; i < SpeedDialTable::kSlots; ++i) {
        out << qMakePair(table.at(i).name, table.at(i).number);
    }
    return out;
}

const QByteArray kFive =
    "Al\r\n555-0001\r\nBo\r\n555-0002\r\nCy\r\n555-0003\r\n"
    "Di\r\n555-0004\r\nEd\r\n555-0005\r\n";

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
}  // namespace

class TestSpeedDial : public QObject {
    Q_OBJECT
private slots:
    void load_data() { addCases(QStringLiteral("dialer/cases.txt"), "speed"); }
    void load() {
        QFETCH(Case, c);
        Entries expected(SpeedDialTable::kSlots);  // the entries from slot 0, the rest free
        for (qsizetype i = 1; i + 1 < c.size(); i += 2) {
            expected[i / 2] = qMakePair(str(c[i]), str(c[i + 1]));
        }
        Screen s;
        if (c[0] != "none") {
            s.app.write("SpeedNumbers.txt", c[0]);
        }
        s.dialer.activate(QString());
        QCOMPARE(slotsOf(s.dialer.speedDial()), expected);
        QCOMPARE(s.dialer.speedCaption(0), expected.at(0).first);
    }

    void saveWritesSlotOrderWithoutFreeSlots() {
        Screen s;
        s.open("Al\r\n555-0001\r\n");
        for (const auto& [slot, name, number] :
             {std::tuple{3, "Di", "1-555-0004"}, std::tuple{1, "Bo\r\nX", "555-0002"}}) {
            s.dialer.selectSpeedDial(slot);
            QVERIFY(s.dialer.speedFrameShown());
            s.dialer.setNameBox(QString::fromLatin1(name));
            s.dialer.setNumberBox(QString::fromLatin1(number));
            s.dialer.saveSpeedDial();
            QVERIFY(!s.dialer.speedFrameShown());
            QVERIFY(s.dialer.nameBox().isEmpty() && s.dialer.numberBox().isEmpty());
        }
        QCOMPARE(s.app.read("SpeedNumbers.txt"),
                 QByteArray("Al\r\n555-0001\r\nBo X\r\n555-0002\r\nDi\r\n1-555-0004\r\n"));
    }

    void savingAnEmptyNameFreesTheSlot() {
        Screen s;
        s.open(kFive);
        s.dialer.selectSpeedDial(1);
        s.dialer.setNameBox(QString());
        s.dialer.setNumberBox(QStringLiteral("555-9999"));
        s.dialer.saveSpeedDial();
        QCOMPARE(
            s.app.read("SpeedNumbers.txt"),
            QByteArray("Al\r\n555-0001\r\nCy\r\n555-0003\r\nDi\r\n555-0004\r\nEd\r\n555-0005\r\n"));
        s.dialer.activate(QString());
        QCOMPARE(s.dialer.speedDial().usedSlots(), 4);
        QVERIFY(s.dialer.speedDial().isFree(4));
    }

    void deleteMovesTheRestUp_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Answer::Yes);
        QTest::newRow("no") << int(Answer::No);
    }
    void deleteMovesTheRestUp() {
        QFETCH(int, answer);
        Screen s;
        s.open(kFive);
        s.dialer.selectSpeedDial(2);
        QVERIFY(s.dialer.deleteEnabled());
        s.app.prompter.expectQuestion(
            QStringLiteral("This will delete SpeedDial entry  Cy\r\nAre you Sure"),
            QStringLiteral("Delete Speed Dial"), Buttons::YesNo, Icon::Question, Answer(answer));
        s.dialer.deleteSpeedDial();
        QVERIFY(!s.dialer.deleteEnabled());
        if (Answer(answer) == Answer::No) {
            QCOMPARE(s.app.read("SpeedNumbers.txt"), kFive);
            QCOMPARE(s.dialer.speedCaption(2), QStringLiteral("Cy"));
            return;
        }
        QCOMPARE(
            s.app.read("SpeedNumbers.txt"),
            QByteArray("Al\r\n555-0001\r\nBo\r\n555-0002\r\nDi\r\n555-0004\r\nEd\r\n555-0005\r\n"));
        QCOMPARE(s.dialer.speedCaption(2), QStringLiteral("Di"));
        QCOMPARE(s.dialer.speedDial().usedSlots(), 4);
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
        s.app.prompter.expectMessage(
            QStringLiteral("The file %1 could not be used: Filename refers to a directory")
                .arg(s.app.path("SpeedNumbers.txt")),
            "Tolvar Proposals", Icon::Critical);
        s.dialer.saveSpeedDial();
        QVERIFY(s.dialer.speedDial().isFree(0));
        QVERIFY(s.dialer.speedFrameShown());
        QCOMPARE(s.dialer.nameBox(), QStringLiteral("Ann"));
    }

    // A chosen speed-dial entry is dialled instead of the customer until the
    // customer is restored; the customer can also be stored in a free slot.
    void customerAndSpeedDialEntries() {
        Screen s;
        s.open(kFive);
        s.dialer.setRecipient(QStringLiteral("Pat Doe"), QStringLiteral("555-7777"));
        s.dialer.selectSpeedDial(0);
        s.dialer.selectSpeedDial(3);
        QCOMPARE(s.dialer.name(), QStringLiteral("Di"));
        QCOMPARE(s.dialer.number(), QStringLiteral("555-0004"));
        s.dialer.restoreRecipient();
        QCOMPARE(s.dialer.name(), QStringLiteral("Pat Doe"));
        QCOMPARE(s.dialer.number(), QStringLiteral("555-7777"));
        s.dialer.selectSpeedDial(7);
        s.dialer.loadCurrentRecipient();
        QCOMPARE(s.app.read("SpeedNumbers.txt"), kFive + QByteArray("Pat Doe\r\n555-7777\r\n"));
        s.dialer.activate(QString());
        QCOMPARE(s.dialer.speedCaption(5), QStringLiteral("Pat Doe"));
    }
};

TOLVAR_TEST(TestSpeedDial)
#include "test_speeddial.moc"
