#include "shell/fieldline.h"
#include "shell/money.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
// The reading order every hostile-input row is read in.
struct Schema {
    QString name;
    qint64 count = 0;
    bool flag = false;
    QDate day;
    Money amount;
    bool ok = true;
    bool operator==(const Schema&) const = default;
};

Schema readSchema(const QByteArray& bytes) {
    FieldReader r(bytes);
    Schema s{r.str(), r.integer(), r.boolean(), r.date(), r.money()};
    s.ok = r.ok();
    return r.atEnd() ? s : Schema{QStringLiteral("not at the end"), 0, false, {}, {}, false};
}

char* toString(const Schema& s) {
    return qstrdup(qPrintable(QStringLiteral("{%1, %2, %3, %4, %5, ok %6}")
                                  .arg(s.name)
                                  .arg(s.count)
                                  .arg(s.flag)
                                  .arg(s.day.toString(Qt::ISODate), s.amount.toPlainString())
                                  .arg(s.ok)));
}
}  // namespace

class TestFieldLine : public QObject {
    Q_OBJECT
private slots:
    void writerForms() {
        FieldWriter w;
        w.str(QStringLiteral("Say \"hi\"")).num(qint64(1001)).boolean(true);
        w.date(QDate(2026, 12, 5)).endLine();
        w.money(Money::fromRaw(12345000)).money(Money::fromRaw(-700)).boolean(false);
        w.num(0.1 + 0.2).num(-0.0).num(1440.0).endLine().line(QStringLiteral("\u00ab"));
        QCOMPARE(w.bytes(), QByteArray("\"Say 'hi'\",1001,#TRUE#,#2026-12-05#\r\n"
                                       "1234.5,-0.07,#FALSE#,0.3,0,1440\r\n\"\xab\"\r\n"));
    }

    void readerHostileInput_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Schema>("read");
        const QDate d(2026, 12, 5);
        const Schema good{"A", 2, true, d, Money::fromRaw(125000), true};
        QTest::newRow("one per line")
            << QByteArray("\"A\"\r\n2\r\n#TRUE#\r\n#2026-12-05#\r\n12.5\r\n") << good;
        QTest::newRow("blank lines, no final end")
            << QByteArray("\"A\"\r\n\r\n2,#TRUE#\r\n\r\n#2026-12-05#,12.5") << good;
        QTest::newRow("blanks around, lf only")
            << QByteArray(" \"A\" \n 2 ,#TRUE#,\t#2026-12-05# \n12.5 ") << good;
        QTest::newRow("numeric boolean, ctrl-z at end")
            << QByteArray("\"A\",2,-1,#2026-12-05#,12.5\r\n\x1a") << good;
        QTest::newRow("junk after closing quote")
            << QByteArray("\"A\"junk,2,#TRUE#,#2026-12-05#,12.5") << good;
        QTest::newRow("half goes to even")
            << QByteArray("\"A\",2.5,#true#,#2026-12-05#,12.5") << good;
        QTest::newRow("string over two lines")
            << QByteArray("\"A\r\nB\",2,#TRUE#,#2026-12-05#,12.5")
            << Schema{"A\r\nB", 2, true, d, Money::fromRaw(125000), true};
        QTest::newRow("empty file") << QByteArray() << Schema{"", 0, false, {}, {}, false};
        QTest::newRow("too few fields")
            << QByteArray("\"A\",2\r\n") << Schema{"A", 2, false, {}, {}, false};
        QTest::newRow("wrong types") << QByteArray("2,\"x\",maybe,#2026-13-45#,abc\r\n")
                                     << Schema{"2", 0, false, {}, {}, false};
        QTest::newRow("unterminated quote")
            << QByteArray("\"A,2,#TRUE#\r\n") << Schema{"A,2,#TRUE#\r\n", 0, false, {}, {}, false};
        QTest::newRow("huge number") << QByteArray("\"A\",1e300,#TRUE#,#2026-12-05#,12.5")
                                     << Schema{"A", 0, true, d, Money::fromRaw(125000), false};
        QTest::newRow("not a number") << QByteArray("\"A\",nan,#FALSE#,#2026-12-05#,12.5")
                                      << Schema{"A", 0, false, d, Money::fromRaw(125000), false};
    }
    void readerHostileInput() {
        QFETCH(QByteArray, bytes);
        QFETCH(Schema, read);
        QCOMPARE(readSchema(bytes), read);
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
        QVERIFY(reads < 10000);
        QCOMPARE(r.num(), 0.0);
        QVERIFY(!r.ok());
    }

    void booleansAsNumbers() {
        FieldReader r("#TRUE#,#FALSE#");
        QCOMPARE(r.num(), -1.0);
        QCOMPARE(r.integer(), qint64(0));
        QVERIFY(r.ok());
    }

    // Nine business strings: read, write again, identical bytes.
    void roundTripIsByteIdentical() {
        const QByteArray golden = testData(QStringLiteral("shell/businessdata.txt"));
        FieldReader r(golden);
        FieldWriter again;
        for (int i = 0; i < 9; ++i) {
            again.str(r.str());
        }
        again.endLine();
        QVERIFY(r.ok() && r.atEnd());
        QCOMPARE(again.bytes(), golden);
        QCOMPARE(FieldNumberText(123456789012.0), QStringLiteral("123456789012"));
        QCOMPARE(FieldNumberText(7.25), QStringLiteral("7.25"));
    }
};

TOLVAR_TEST(TestFieldLine)
#include "test_fieldline.moc"
