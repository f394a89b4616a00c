#include "shell/fieldline.h"
#include "shell/money.h"
#include "testmain.h"

#include <QTest>

namespace {
// The reading order every hostile-input row below is read in.
struct Schema {
    QString name;
    qint64 count = 0;
    bool flag = false;
    QDate day;
    Money amount;
    bool ok = true;
    bool atEnd = false;
};

Schema readSchema(const QByteArray& bytes) {
    FieldReader r(bytes);
    Schema s;
    s.name = r.str();
    s.count = r.integer();
    s.flag = r.boolean();
    s.day = r.date();
    s.amount = r.money();
    s.ok = r.ok();
    s.atEnd = r.atEnd();
    return s;
}
}  // namespace

class TestFieldLine : public QObject {
    Q_OBJECT
private slots:
    void writerGoldenBytes() {
        FieldWriter w;
        w.str(QStringLiteral("Tolvar")).num(qint64(1001)).boolean(true).date(QDate(2026, 12, 5));
        w.endLine();
        w.money(Money::fromRaw(12345000)).money(Money()).money(Money::fromRaw(-700)).boolean(false);
        w.endLine();
        QCOMPARE(w.bytes(), QByteArray("\"Tolvar\",1001,#TRUE#,#2026-12-05#\r\n"
                                       "1234.5,0,-0.07,#FALSE#\r\n"));
    }

    void writerNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("whole") << 1440.0 << QByteArray("1440\r\n");
        QTest::newRow("fraction") << 4.5 << QByteArray("4.5\r\n");
        QTest::newRow("negative") << -0.25 << QByteArray("-0.25\r\n");
        QTest::newRow("no float noise") << 0.1 + 0.2 << QByteArray("0.3\r\n");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0\r\n");
    }
    void writerNumbers() {
        QFETCH(double, value);
        QFETCH(QByteArray, bytes);
        FieldWriter w;
        w.num(value).endLine();
        QCOMPARE(w.bytes(), bytes);
    }

    // The print colours file: five lines of one field each.
    void writerOneFieldPerLine() {
        FieldWriter w;
        w.num(qint64(255)).endLine().num(qint64(0)).endLine().line(QStringLiteral("Arial"));
        w.boolean(true).endLine().num(qint64(3)).endLine();
        QCOMPARE(w.bytes(), QByteArray("255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n"));
    }

    void writerReplacesDoubleQuotes_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("inside") << QStringLiteral("Say \"hi\"") << QByteArray("\"Say 'hi'\"\r\n");
        QTest::newRow("only a quote") << QStringLiteral("\"") << QByteArray("\"'\"\r\n");
        QTest::newRow("comma kept")
            << QStringLiteral("Smith, Jo") << QByteArray("\"Smith, Jo\"\r\n");
        QTest::newRow("selection mark")
            << QStringLiteral("\u00ab Roof") << QByteArray("\"\xab Roof\"\r\n");
        QTest::newRow("empty") << QString() << QByteArray("\"\"\r\n");
        QTest::newRow("line break kept")
            << QStringLiteral("A\r\nB") << QByteArray("\"A\r\nB\"\r\n");
    }
    void writerReplacesDoubleQuotes() {
        QFETCH(QString, value);
        QFETCH(QByteArray, bytes);
        FieldWriter w;
        w.line(value);
        QCOMPARE(w.bytes(), bytes);
        // Whatever got in, the file reads back as one field.
        FieldReader r(w.bytes());
        QCOMPARE(r.str(), QString(value).replace(QLatin1Char('"'), QLatin1Char('\'')));
        QVERIFY(r.ok());
        QVERIFY(r.atEnd());
    }

    void readerHostileInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<qint64>("amountRaw");
        QTest::addColumn<bool>("ok");
        const QDate d(2026, 12, 5);
        QTest::newRow("clean line") << QByteArray("\"A\",2,#TRUE#,#2026-12-05#,12.5\r\n") << "A"
                                    << qint64(2) << true << d << qint64(125000) << true;
        QTest::newRow("one per line")
            << QByteArray("\"A\"\r\n2\r\n#TRUE#\r\n#2026-12-05#\r\n12.5\r\n") << "A" << qint64(2)
            << true << d << qint64(125000) << true;
        QTest::newRow("blank lines, no final end")
            << QByteArray("\"A\"\r\n\r\n2,#TRUE#\r\n\r\n#2026-12-05#,12.5") << "A" << qint64(2)
            << true << d << qint64(125000) << true;
        QTest::newRow("blanks around") << QByteArray(" \"A\" , 2 ,#TRUE#,\t#2026-12-05# ,12.5 ")
                                       << "A" << qint64(2) << true << d << qint64(125000) << true;
        QTest::newRow("lf only") << QByteArray("\"A\"\n2\n#TRUE#\n#2026-12-05#\n12.5\n") << "A"
                                 << qint64(2) << true << d << qint64(125000) << true;
        QTest::newRow("numeric boolean") << QByteArray("\"A\",2,-1,#2026-12-05#,12.5") << "A"
                                         << qint64(2) << true << d << qint64(125000) << true;
        QTest::newRow("ctrl-z at end") << QByteArray("\"A\",2,#TRUE#,#2026-12-05#,12.5\r\n\x1a")
                                       << "A" << qint64(2) << true << d << qint64(125000) << true;
        QTest::newRow("string over two lines")
            << QByteArray("\"A\r\nB\",2,#TRUE#,#2026-12-05#,12.5") << "A\r\nB" << qint64(2) << true
            << d << qint64(125000) << true;
        QTest::newRow("junk after closing quote")
            << QByteArray("\"A\"junk,2,#TRUE#,#2026-12-05#,12.5") << "A" << qint64(2) << true << d
            << qint64(125000) << true;
        QTest::newRow("half goes to even")
            << QByteArray("\"A\",2.5,#TRUE#,#2026-12-05#,12.5") << "A" << qint64(2) << true << d
            << qint64(125000) << true;
        QTest::newRow("empty file")
            << QByteArray() << "" << qint64(0) << false << QDate() << qint64(0) << false;
        QTest::newRow("only line ends")
            << QByteArray("\r\n\r\n") << "" << qint64(0) << false << QDate() << qint64(0) << false;
        QTest::newRow("too few fields") << QByteArray("\"A\",2\r\n") << "A" << qint64(2) << false
                                        << QDate() << qint64(0) << false;
        QTest::newRow("wrong types") << QByteArray("2,\"x\",maybe,#2026-13-45#,abc\r\n") << "2"
                                     << qint64(0) << false << QDate() << qint64(0) << false;
        QTest::newRow("empty fields") << QByteArray("\"A\",,,,\r\n") << "A" << qint64(0) << false
                                      << QDate() << qint64(0) << false;
        QTest::newRow("unterminated quote") << QByteArray("\"A,2,#TRUE#\r\n") << "A,2,#TRUE#\r\n"
                                            << qint64(0) << false << QDate() << qint64(0) << false;
        QTest::newRow("huge number") << QByteArray("\"A\",1e300,#TRUE#,#2026-12-05#,12.5") << "A"
                                     << qint64(0) << true << d << qint64(125000) << false;
        QTest::newRow("not a number") << QByteArray("\"A\",nan,#TRUE#,#2026-12-05#,12.5") << "A"
                                      << qint64(0) << true << d << qint64(125000) << false;
    }
    void readerHostileInput() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(qint64, count);
        QFETCH(bool, flag);
        QFETCH(QDate, day);
        QFETCH(qint64, amountRaw);
        QFETCH(bool, ok);
        const Schema s = readSchema(bytes);
        QCOMPARE(s.name, name);
        QCOMPARE(s.count, count);
        QCOMPARE(s.flag, flag);
        QCOMPARE(s.day, day);
        QCOMPARE(s.amount.raw(), amountRaw);
        QCOMPARE(s.ok, ok);
        QVERIFY(s.atEnd);
    }

    void readerNeverRunsPastGarbage() {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i) {
            garbage.append(static_cast<char>((i * 37) % 256));
        }
        FieldReader r(garbage);
        int reads = 0;
        while (!r.atEnd() && reads < 10000) {
            r.str();
            ++reads;
        }
        QVERIFY(r.atEnd());
        QVERIFY(reads < 10000);
        // Reading past the end keeps giving blanks.
        QCOMPARE(r.str(), QString());
        QCOMPARE(r.num(), 0.0);
        QVERIFY(!r.ok());
    }

    void booleansAsNumbers() {
        FieldReader r("#TRUE#,#FALSE#,#true#");
        QCOMPARE(r.num(), -1.0);
        QCOMPARE(r.num(), 0.0);
        QCOMPARE(r.integer(), qint64(-1));
        QVERIFY(r.ok());
    }

    // The nine business strings: write, read, write again.
    void roundTripIsByteIdentical() {
        const QStringList values{QStringLiteral("Brenlow \"Best\" Roofing"),
                                 QStringLiteral("12 Elm St."),
                                 QString(),
                                 QStringLiteral("Springfield"),
                                 QStringLiteral("IL"),
                                 QStringLiteral("62704"),
                                 QStringLiteral("555-123-4567"),
                                 QStringLiteral("info@example.com, \u00ab web"),
                                 QStringLiteral("12-3456789")};
        FieldWriter first;
        for (const QString& v : values) {
            first.str(v);
        }
        first.endLine();
        QCOMPARE(first.bytes(),
                 QByteArray("\"Brenlow 'Best' Roofing\",\"12 Elm St.\",\"\",\"Springfield\","
                            "\"IL\",\"62704\",\"555-123-4567\",\"info@example.com, \xab web\","
                            "\"12-3456789\"\r\n"));
        FieldReader r(first.bytes());
        FieldWriter second;
        for (int i = 0; i < values.size(); ++i) {
            second.str(r.str());
        }
        second.endLine();
        QVERIFY(r.ok());
        QVERIFY(r.atEnd());
        QCOMPARE(second.bytes(), first.bytes());
    }

    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 32767.0 << "32767";
        QTest::newRow("rate") << 7.25 << "7.25";
        QTest::newRow("tiny") << 0.0001 << "0.0001";
        QTest::newRow("big whole") << 123456789012.0 << "123456789012";
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FieldNumberText(value), text);
        FieldReader r(text.toLatin1());
        QCOMPARE(r.num(), value);
    }
};

TOLVAR_TEST(TestFieldLine)
#include "test_fieldline.moc"
