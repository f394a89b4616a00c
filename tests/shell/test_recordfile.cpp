#include "shell/dates.h"
#include "shell/recordfile.h"
#include "tempapp.h"
#include "testmain.h"

#include <QFile>
#include <QTest>

#include <limits>

namespace {
// One field of every kind, 46 bytes.
RecordLayout everyKind() {
    RecordLayout l;
    l.text(QStringLiteral("Name"), 10)
        .int16(QStringLiteral("Count"))
        .int32(QStringLiteral("Big"))
        .single(QStringLiteral("Rate"))
        .real(QStringLiteral("Value"))
        .money(QStringLiteral("Price"))
        .date(QStringLiteral("Day"))
        .flag(QStringLiteral("Done"));
    return l;
}

// Written out by hand: little-endian throughout, text blank-padded.
const QByteArray kGolden(
    "\xab"
    "AB       "                         // Name: «AB and seven blanks
    "\xfe\xff"                          // Count: -2
    "\xa0\x86\x01\x00"                  // Big: 100000
    "\x00\x00\xc0\x3f"                  // Rate: 1.5f
    "\x00\x00\x00\x00\x00\x00\x00\xc0"  // Value: -2.0
    "\x48\xe8\x01\x00\x00\x00\x00\x00"  // Price: 12.5 = 125000 / 10000
    "\x00\x00\x00\x00\x20\xa3\xe6\x40"  // Day: 46361.0 = 2026-12-05
    "\xff\xff",                         // Done: -1
    46);

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestRecordFile : public QObject {
    Q_OBJECT
private slots:
    void writesGoldenBytes() {
        const RecordLayout l = everyKind();
        Record r(l);
        r.setText(QStringLiteral("Name"), QStringLiteral("\u00abAB"));
        r.setInteger(QStringLiteral("Count"), -2);
        r.setInteger(QStringLiteral("Big"), 100000);
        r.setReal(QStringLiteral("Rate"), 1.5);
        r.setReal(QStringLiteral("Value"), -2.0);
        r.setMoney(QStringLiteral("Price"), Money::fromRaw(125000));
        r.setDate(QStringLiteral("Day"), QDate(2026, 12, 5));
        r.setFlag(QStringLiteral("Done"), true);
        QCOMPARE(r.bytes(), kGolden);
    }

    void readsGoldenBytes() {
        const RecordLayout l = everyKind();
        const Record r(l, kGolden);
        QCOMPARE(r.text(QStringLiteral("Name")), QStringLiteral("\u00abAB       "));
        QCOMPARE(r.trimmed(QStringLiteral("Name")), QStringLiteral("\u00abAB"));
        QCOMPARE(r.integer(QStringLiteral("Count")), qint64(-2));
        QCOMPARE(r.integer(QStringLiteral("Big")), qint64(100000));
        QCOMPARE(r.real(QStringLiteral("Rate")), 1.5);
        QCOMPARE(r.real(QStringLiteral("Value")), -2.0);
        QCOMPARE(r.money(QStringLiteral("Price")).raw(), qint64(125000));
        QCOMPARE(r.date(QStringLiteral("Day")), QDate(2026, 12, 5));
        QVERIFY(r.flag(QStringLiteral("Done")));
    }

    void newRecordIsBlankTextAndZeros() {
        const RecordLayout l = everyKind();
        const Record r(l);
        QByteArray expected(46, '\0');
        expected.replace(0, 10, QByteArray(10, ' '));
        QCOMPARE(r.bytes(), expected);
        QVERIFY(!r.date(QStringLiteral("Day")).isValid());
        QVERIFY(!r.flag(QStringLiteral("Done")));
    }

    void textIsCutAtItsWidth_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("exact") << QStringLiteral("0123456789") << QByteArray("0123456789");
        QTest::newRow("too long") << QStringLiteral("0123456789AB") << QByteArray("0123456789");
        QTest::newRow("leading blanks kept") << QStringLiteral("  x") << QByteArray("  x       ");
        QTest::newRow("empty") << QString() << QByteArray("          ");
        QTest::newRow("wide character") << QStringLiteral("\u4e2d") << QByteArray("?         ");
    }
    void textIsCutAtItsWidth() {
        QFETCH(QString, value);
        QFETCH(QByteArray, bytes);
        const RecordLayout l = everyKind();
        Record r(l);
        r.setInteger(QStringLiteral("Count"), 7);
        r.setText(QStringLiteral("Name"), value);
        QCOMPARE(r.bytes().left(10), bytes);
        // The neighbouring field is untouched.
        QCOMPARE(r.integer(QStringLiteral("Count")), qint64(7));
    }

    void zeroAndShortRecordsReadAsBlanks() {
        const RecordLayout l = everyKind();
        const QList<QPair<QByteArray, QString>> cases{
            {QByteArray(46, '\0'), QString()}, {QByteArray("ab"), QStringLiteral("ab")}, {{}, {}}};
        for (const auto& [bytes, name] : cases) {
            const Record r(l, bytes);
            QCOMPARE(r.bytes().size(), 46);
            QCOMPARE(r.text(QStringLiteral("Name")).size(), 10);
            QCOMPARE(r.trimmed(QStringLiteral("Name")), name);
            QCOMPARE(r.integer(QStringLiteral("Big")), qint64(0));
            QVERIFY(r.money(QStringLiteral("Price")).isZero());
            QVERIFY(!r.date(QStringLiteral("Day")).isValid());
        }
    }

    void dayCounts_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QDate>("date");
        QTest::newRow("epoch") << 0.0 << QDate(1899, 12, 30);
        QTest::newRow("1900-01-01") << 2.0 << QDate(1900, 1, 1);
        QTest::newRow("no 1900 leap day") << 60.0 << QDate(1900, 2, 28);
        QTest::newRow("2000-01-01") << 36526.0 << QDate(2000, 1, 1);
        QTest::newRow("with time of day") << 46361.75 << QDate(2026, 12, 5);
        QTest::newRow("before epoch, time of day") << -1.25 << QDate(1899, 12, 29);
        QTest::newRow("before epoch") << -3.0 << QDate(1899, 12, 27);
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QDate();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QDate();
        QTest::newRow("absurd") << 1e12 << QDate();
    }
    void dayCounts() {
        QFETCH(double, days);
        QFETCH(QDate, date);
        QCOMPARE(Dates::fromDayCount(days), date);
        if (date.isValid() && days == std::trunc(days)) {
            QCOMPARE(Dates::toDayCount(date), days);
        }
    }

    void recordCountRoundsHalfToEven_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("two records") << qint64(656) << 328 << 2;
        QTest::newRow("1.5 up to 2") << qint64(492) << 328 << 2;
        QTest::newRow("2.5 down to 2") << qint64(820) << 328 << 2;
        QTest::newRow("3.5 up to 4") << qint64(1148) << 328 << 4;
        QTest::newRow("0.5 down to 0") << qint64(164) << 328 << 0;
        QTest::newRow("0.4") << qint64(131) << 328 << 0;
        QTest::newRow("0.6") << qint64(197) << 328 << 1;
        QTest::newRow("empty") << qint64(0) << 328 << 0;
        QTest::newRow("items") << qint64(1040) << 104 << 10;
        QTest::newRow("16-bit limit") << qint64(32767) * 328 << 328 << 32767;
        QTest::newRow("beyond the limit") << qint64(40000) * 328 << 328 << 32767;
        QTest::newRow("no length") << qint64(656) << 0 << 0;
    }
    void recordCountRoundsHalfToEven() {
        QFETCH(qint64, bytes);
        QFETCH(int, length);
        QFETCH(int, count);
        QCOMPARE(RecordCountOf(bytes, length), count);
    }

    void writePastTheEndLeavesNoGap() {
        TempApp app;
        const QString path = app.path(QStringLiteral("Items.txt"));
        RecordFile f(path, 4);
        QVERIFY(f.status().ok());
        QVERIFY(f.write(3, "CCCC").ok());
        QCOMPARE(fileBytes(path), QByteArray("\0\0\0\0\0\0\0\0CCCC", 12));
        QCOMPARE(f.count(), 3);
        // A short record is filled with zeros, a long one cut.
        QVERIFY(f.write(1, "A").ok());
        QVERIFY(f.write(2, "BBBBBB").ok());
        QCOMPARE(fileBytes(path), QByteArray("A\0\0\0BBBBCCCC", 12));
    }

    void writeTouchesOnlyItsRecord() {
        TempApp app;
        app.write(QStringLiteral("R.txt"), "aaaabbbbcccc");
        RecordFile f(app.path(QStringLiteral("R.txt")), 4);
        QVERIFY(f.write(2, "XXXX").ok());
        // Flushed at once: visible to another reader before the file closes.
        QCOMPARE(fileBytes(app.path(QStringLiteral("R.txt"))), QByteArray("aaaaXXXXcccc"));
    }

    void readsPastTheEndAndPartialRecords() {
        TempApp app;
        app.write(QStringLiteral("Odd.txt"), "aaaabb");  // 1.5 records
        RecordFile f(app.path(QStringLiteral("Odd.txt")), 4);
        QCOMPARE(f.count(), 2);
        QCOMPARE(f.read(1), QByteArray("aaaa"));
        QCOMPARE(f.read(2), QByteArray("bb\0\0", 4));
        QCOMPARE(f.read(3), QByteArray(4, '\0'));
        QCOMPARE(f.read(0), QByteArray(4, '\0'));
        QCOMPARE(f.read(-5), QByteArray(4, '\0'));
        QVERIFY(!f.write(0, "zzzz").ok());
        QCOMPARE(fileBytes(app.path(QStringLiteral("Odd.txt"))), QByteArray("aaaabb"));
    }

    void truncateCutsToWholeRecords() {
        TempApp app;
        app.write(QStringLiteral("T.txt"), "aaaabbbbcc");
        RecordFile f(app.path(QStringLiteral("T.txt")), 4);
        QVERIFY(f.truncate(1).ok());
        QCOMPARE(fileBytes(app.path(QStringLiteral("T.txt"))), QByteArray("aaaa"));
        QCOMPARE(f.count(), 1);
    }

    void fileThatCannotBeOpened() {
        TempApp app;
        app.mkdir(QStringLiteral("ADir"));
        RecordFile f(app.path(QStringLiteral("ADir")), 4);
        QVERIFY(!f.isOpen());
        QVERIFY(!f.status().ok());
        QCOMPARE(f.read(1), QByteArray(4, '\0'));
        const IoStatus s = f.write(1, "abcd");
        QVERIFY(!s.ok());
        QVERIFY(s.file().endsWith(QLatin1String("ADir")));
        RecordFile missingFolder(app.path(QStringLiteral("No/Such.txt")), 4);
        QVERIFY(!missingFolder.status().ok());
        QVERIFY(!missingFolder.write(1, "abcd").ok());
    }
};

TOLVAR_TEST(TestRecordFile)
#include "test_recordfile.moc"
