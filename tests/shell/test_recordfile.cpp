#include "casefile.h"
#include "shell/recordfile.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
// One field of every kind, 46 bytes; shell/everykind.rec holds «AB, -2,
// 100000, 1.5f, -2.0, $12.50, 2026-12-05 and true, little-endian throughout.
RecordLayout everyKind() {
    return RecordLayout()
        .text("Name", 10)
        .int16("Count")
        .int32("Big")
        .single("Rate")
        .real("Value")
        .money("Price")
        .date("Day")
        .flag("Done");
}

Record filled() {
    Record r(everyKind());
    r.setText("Name", QStringLiteral("\u00abAB"));
    r.setInteger("Count", -2);
    r.setInteger("Big", 100000);
    r.setReal("Rate", 1.5);
    r.setReal("Value", -2.0);
    r.setMoney("Price", Money::fromCents(1250));
    r.setDate("Day", QDate(2026, 12, 5));
    r.setFlag("Done", true);
    return r;
}
}  // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    void goldenRecordWritesAndReads() {
        const QByteArray golden = testData("shell/everykind.rec");
        QCOMPARE(filled().bytes(), golden);
        // A temporary layout: the record keeps its own copy.
        const Record r(everyKind(), golden);
        QCOMPARE(r.text("Name"), QStringLiteral("\u00abAB       "));
        QCOMPARE(QList<qint64>({r.integer("Count"), r.integer("Big"), r.integer("Value")}),
                 QList<qint64>({-2, 100000, -2}));
        QCOMPARE(r.real("Rate"), 1.5);
        QCOMPARE(r.money("Price"), Money::fromCents(1250));
        QCOMPARE(r.date("Day"), QDate(2026, 12, 5));
        QVERIFY(r.flag("Done"));
        Record cut = filled();
        cut.setText("Name", QStringLiteral("0123456789AB\u4e2d"));
        QCOMPARE(cut.bytes(), "0123456789" + golden.mid(10));
        cut.setText("Name", QStringLiteral("\u4e2d x"));
        QCOMPARE(cut.bytes().left(10), QByteArray("? x       "));
        QCOMPARE(Record(everyKind(), "ab").bytes(), "ab" + QByteArray(44, '\0'));
    }

    // Misuse reads as nothing and writes nothing, and never ends the program.
    void misuseIsRefused() {
        const QStringList names{"Nope", "Name", "Count", "Price", "Day"};
        QStringList taken;
        QStringList shown;
        for (const QString& name : names) {
            Record r = filled();
            taken << bits({r.setText(name, "x"), r.setInteger(name, 1), r.setFlag(name, false),
                           r.setMoney(name, Money::fromCents(1)),
                           r.setDate(name, QDate(2000, 1, 1))});
            r = Record(everyKind(), filled().bytes());
            shown << bits({!r.text(name).isEmpty(), r.integer(name) != 0, r.real(name) != 0,
                           !r.money(name).isZero(), r.date(name).isValid()});
        }
        QCOMPARE(taken, (QStringList{"00000", "10000", "01100", "00010", "00001"}));
        QCOMPARE(shown, (QStringList{"00000", "10000", "01100", "00010", "00001"}));
        QCOMPARE(everyKind().field("Nope").width, 0);
    }

    void numbersThatDoNotFitAreRefused_data() {
        addCases(QStringLiteral("shell/records.txt"), "setReal");
    }
    void numbersThatDoNotFitAreRefused() {
        QFETCH(Case, c);
        const QString name = str(c[0]);
        const double value = c[1].toDouble();
        const bool stored = c[2] == "1";
        Record r(everyKind());
        QCOMPARE(r.setReal(name, value), stored);
        QCOMPARE(r.real(name), stored ? std::nearbyint(value) : 0.0);
        if (value == std::trunc(value) && std::fabs(value) < 9e18) {
            QCOMPARE(r.setInteger(name, static_cast<qint64>(value)), stored);
        }
    }

    void recordCountRoundsHalfToEven() {
        QList<int> counts;
        for (qint64 bytes : {492, 820, 197, 164, 32767 * 328, 40000 * 328}) {
            counts << RecordCountOf(bytes, 328);
        }
        QCOMPARE(counts, QList<int>({2, 2, 1, 0, 32767, 32767}));
        QCOMPARE(RecordCountOf(656, 0), 0);
    }

    void readsAndWritesRecords() {
        TempApp app;
        app.write("R.txt", "aaaabb");  // 1.5 records
        RecordFile f(app.path("R.txt"), 4);
        QCOMPARE(f.count(), 2);
        QCOMPARE(*f.read(2), QByteArray("bb\0\0", 4));
        QCOMPARE(*f.read(3), QByteArray(4, '\0'));
        QVERIFY(!f.read(0));
        QVERIFY(!f.write(0, "zzzz"));
        // Flushed at once; a gap is filled with zeros, a long record cut.
        QVERIFY(f.write(4, "DDDDDD"));
        QCOMPARE(app.read("R.txt"), QByteArray("aaaabb\0\0\0\0\0\0DDDD", 16));
        QVERIFY(f.truncate(1));
        QCOMPARE(app.read("R.txt"), QByteArray("aaaa"));
    }

    void failuresAreReported() {
        TempApp app;
        app.mkdir("ADir");
        RecordFile folder(app.path("ADir"), 4);
        QVERIFY(!folder.status().ok());
        QCOMPARE(folder.read(1).status().file(), app.path("ADir"));
        QVERIFY(!folder.write(1, "abcd"));
        QVERIFY(!RecordFile(app.path("R.txt"), 0).status().ok());
        RecordFile refusing(app.path("R.txt"), 4,
                            [](FileStep s, const QString&) { return s == FileStep::RecordWrite; });
        QVERIFY(!refusing.write(1, "bbbb"));
        QCOMPARE(app.read("R.txt"), QByteArray());
    }
};

TOLVAR_TEST(TestRecordFile)
#include "test_recordfile.moc"
