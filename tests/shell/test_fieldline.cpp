#include "cases.h"
#include "shell/fieldline.h"
#include "shell/money.h"
#include "shell/textcodec.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

using Amount = std::optional<Money>;

// Found by argument-dependent lookup, so a failing compare shows the amounts.
char* toString(const Amount& m) {
    return qstrdup(m ? qPrintable(m->toPlainString()) : "nothing");
}

namespace {
const QString kMoneyCases = QStringLiteral("shell/money.txt");

Amount raw(const QByteArray& field) {
    return field == "none" ? Amount() : Money::fromRaw(field.toLongLong());
}
Amount cents(const QByteArray& field) {
    return field == "none" ? Amount() : Money::fromCents(field.toLongLong());
}

// A hostile row read in its order, each field as the case file writes it,
// and whether the reader is still all right.
QStringList readFields(const QByteArray& bytes) {
    FieldReader r(bytes);
    QStringList read{r.str(), QString::number(r.integer()), QString::number(r.boolean()),
                     r.date().toString(Qt::ISODate), QString::number(r.money().raw())};
    read << QString::number(r.ok());
    return r.atEnd() ? read : QStringList{QStringLiteral("not at the end")};
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

    void readerHostileInput_data() { cases::load("shell/fields.txt", "read"); }
    void readerHostileInput() {
        const cases::Row c = cases::row();
        QCOMPARE(readFields(c[0]), strs(c.mid(1)));
    }

    void readerNeverRunsPastGarbage() {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i) {
            garbage.append(static_cast<char>((i * 37) % 256));
        }
        FieldReader r(garbage);
        int reads = 0;
        for (; !r.atEnd() && reads < 10000; ++reads) {
            r.str();
        }
        QVERIFY(reads < 10000);
        QCOMPARE(r.num(), 0.0);
        QVERIFY(!r.ok());
    }

    void booleansAsNumbers() {
        FieldReader r("#TRUE#,#FALSE#");
        QCOMPARE(r.num(), -1.0);
        QVERIFY(!r.atEnd());  // a field is left
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

    void fromDoubleRoundsHalfToEvenWithinRange_data() { cases::load(kMoneyCases, "double"); }
    void fromDoubleRoundsHalfToEvenWithinRange() {
        const cases::Row c = cases::row();
        QCOMPARE(Money::fromDouble(c[0].toDouble()), raw(c[1]));
    }

    void displayRoundsHalfAwayFromZero_data() { cases::load(kMoneyCases, "display"); }
    void displayRoundsHalfAwayFromZero() {
        const cases::Row c = cases::row();
        const QLocale locale(str(c[0]));
        const Money money = *raw(c[1]);
        QCOMPARE(money.display(locale), str(c[2]));
        QCOMPARE(Money::parseDisplay(str(c[2]), locale), money.roundedToCents());
    }

    void parseDisplay_data() { cases::load(kMoneyCases, "parse"); }
    void parseDisplay() {
        const cases::Row c = cases::row();
        QCOMPARE(Money::parseDisplay(str(c[1]), QLocale(str(c[0]))), cents(c[2]));
    }

    void plainForm_data() { cases::load(kMoneyCases, "plain"); }
    void plainForm() {
        const cases::Row c = cases::row();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const Amount read = Money::fromPlainString(str(c[0]));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(read, raw(c[1]));
        QCOMPARE(read ? read->toPlainString() : QString(), str(c[2]));
    }

    void percentOfRoundsOnceToCents_data() { cases::load(kMoneyCases, "percentOf"); }
    void percentOfRoundsOnceToCents() {
        const cases::Row c = cases::row();
        QCOMPARE(cents(c[0])->percentOf(*Percent::parse(str(c[1]))), *cents(c[2]));
    }

    void percentParse_data() { cases::load(kMoneyCases, "percent"); }
    void percentParse() {
        const cases::Row c = cases::row();
        const qint64 millionths = c[1] == "none" ? -1 : c[1].toLongLong();
        const std::optional<Percent> p = Percent::parse(str(c[0]));
        QCOMPARE(p ? p->millionths() : -1, millionths);
        QCOMPARE(p ? p->toDouble() : -1, millionths < 0 ? -1 : millionths / 1e6);
    }

    void everyByteSurvivesDecodeAndEncode() {
        QByteArray all;
        for (int i = 0; i < 256; ++i) {
            all.append(static_cast<char>(i));
        }
        QCOMPARE(Text::decode(all).size(), 256);
        QCOMPARE(Text::encode(Text::decode(all)), all);
        const QString loneSurrogate(QChar(0xd800));
        QCOMPARE(Text::encode(loneSurrogate + QLatin1Char('z')), QByteArray("?z"));
    }

    void encode_data() { cases::load("shell/text.txt", "encode"); }
    void encode() {
        const cases::Row c = cases::row();
        QCOMPARE(Text::encode(str(c[0])), c[1]);
    }

    void splitLines_data() { cases::load("shell/text.txt", "split"); }
    void splitLines() {
        const cases::Row c = cases::row();
        QCOMPARE(Text::splitLines(c[0]), strs(c.mid(1)));
    }

    void joinLinesEndsEveryLineWithCrLf() {
        QCOMPARE(Text::joinLines(
                     {QStringLiteral("[InternetShortcut]"), QString(), QStringLiteral("\u00ab x")}),
                 QByteArray("[InternetShortcut]\r\n\r\n\xab x\r\n"));
        QCOMPARE(Text::joinLines({}), QByteArray());
    }
};

TOLVAR_TEST(TestFieldLine)
#include "test_fieldline.moc"
