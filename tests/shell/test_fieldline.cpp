#include "casefile.h"
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

    void readerHostileInput_data() { addCases(QStringLiteral("shell/fields.txt"), "read"); }
    void readerHostileInput() {
        QFETCH(Case, c);
        const Schema read{str(c[1]),
                          c[2].toLongLong(),
                          c[3] == "1",
                          QDate::fromString(str(c[4]), Qt::ISODate),
                          Money::fromRaw(c[5].toLongLong()),
                          c[6] == "1"};
        QCOMPARE(readSchema(c[0]), read);
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
