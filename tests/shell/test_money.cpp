#include "shell/money.h"
#include "testmain.h"

#include <QTest>

#include <limits>

using Amount = std::optional<Money>;

// Found by argument-dependent lookup, so a failing compare shows the amounts.
char* toString(const Amount& m) {
    return qstrdup(m ? qPrintable(m->toPlainString()) : "nothing");
}

namespace {
const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kDe(QLocale::German, QLocale::Germany);
Amount cents(qint64 c) {
    return Money::fromCents(c);
}
Amount raw(qint64 r) {
    return Money::fromRaw(r);
}
}  // namespace

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void fromDoubleRoundsHalfToEvenWithinRange_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<Amount>("money");
        QTest::newRow("half even down") << 0.03125 << raw(312);
        QTest::newRow("half even up") << -0.09375 << raw(-938);
        QTest::newRow("largest") << 9.2e14 << raw(9200000000000000000);
        QTest::newRow("too big") << 9.3e14 << Amount();
        QTest::newRow("hostile") << -1e20 << Amount();
        QTest::newRow("not a number") << std::nan("") << Amount();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << Amount();
    }
    void fromDoubleRoundsHalfToEvenWithinRange() {
        QFETCH(double, value);
        QFETCH(Amount, money);
        QCOMPARE(Money::fromDouble(value), money);
    }

    void displayRoundsHalfAwayFromZero_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << kUs << qint64(0) << "$0.00";
        QTest::newRow("2.675 up") << kUs << qint64(26750) << "$2.68";
        QTest::newRow("2.6749 down") << kUs << qint64(26749) << "$2.67";
        QTest::newRow("negative half") << kUs << qint64(-26750) << "($2.68)";
        QTest::newRow("de_DE") << kDe << qint64(12345000) << "1.234,50\u00a0\u20ac";
        QTest::newRow("C gives en_US") << QLocale::c() << qint64(12345000) << "$1,234.50";
    }
    void displayRoundsHalfAwayFromZero() {
        QFETCH(QLocale, locale);
        QFETCH(qint64, raw);
        QFETCH(QString, shown);
        QCOMPARE(Money::fromRaw(raw).display(locale), shown);
        QCOMPARE(Money::parseDisplay(shown, locale), Money::fromRaw(raw).roundedToCents());
    }

    // What a user types, in the user's locale.
    void parseDisplay_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Amount>("money");
        QTest::newRow("de comma") << kDe << "12,50" << cents(1250);
        QTest::newRow("de plain point") << kDe << "12.50" << cents(1250);
        QTest::newRow("de grouping") << kDe << "1.250" << cents(125000);
        QTest::newRow("de both") << kDe << "1.234.567,8" << cents(123456780);
        QTest::newRow("de two points") << kDe << "1.25.0" << Amount();
        QTest::newRow("us grouping") << kUs << " $1,075.00 " << cents(107500);
        QTest::newRow("us comma is no decimal mark") << kUs << "12,50" << Amount();
        QTest::newRow("us minus") << kUs << "-$0.07" << cents(-7);
        QTest::newRow("trailing point") << kUs << "12." << cents(1200);
        QTest::newRow("letters") << kUs << "12a" << Amount();
        QTest::newRow("point only") << kUs << "." << Amount();
    }
    void parseDisplay() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(Amount, money);
        QCOMPARE(Money::parseDisplay(text, locale), money);
    }

    // The files' own form, whatever the locale.
    void plainForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Amount>("money");
        QTest::addColumn<QString>("written");
        QTest::newRow("leading dot") << ".25" << raw(2500) << "0.25";
        QTest::newRow("negative") << "-1234.07" << raw(-12340700) << "-1234.07";
        QTest::newRow("fifth place even") << "0.00005" << raw(0) << "0";
        QTest::newRow("fifth place odd") << "0.00015" << raw(2) << "0.0002";
        QTest::newRow("beyond half") << "0.000051" << raw(1) << "0.0001";
        QTest::newRow("comma") << "12,5" << Amount() << "";
        QTest::newRow("huge") << "999999999999999" << Amount() << "";
    }
    void plainForm() {
        QFETCH(QString, text);
        QFETCH(Amount, money);
        QFETCH(QString, written);
        QLocale::setDefault(kDe);
        const Amount read = Money::fromPlainString(text);
        QLocale::setDefault(kUs);
        QCOMPARE(read, money);
        QCOMPARE(money ? money->toPlainString() : QString(), written);
    }

    void percentOfRoundsOnceToCents_data() {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<qint64>("tax");
        QTest::newRow("1.03 at 8.25") << qint64(103) << "8.25" << qint64(8);
        QTest::newRow("500.99 at 0.5") << qint64(50099) << "0.5" << qint64(250);
        QTest::newRow("half a cent up") << qint64(100) << "0.5" << qint64(1);
        QTest::newRow("negative half away") << qint64(-100) << "0,5" << qint64(-1);
        QTest::newRow("just under half") << qint64(9999) << "0.005" << qint64(0);
        QTest::newRow("largest") << qint64(92233720368547758) << "100" << qint64(92233720368547758);
    }
    void percentOfRoundsOnceToCents() {
        QFETCH(qint64, cents);
        QFETCH(QString, rate);
        QFETCH(qint64, tax);
        QCOMPARE(Money::fromCents(cents).percentOf(*Percent::parse(rate)), Money::fromCents(tax));
    }

    void percentParse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("millionths");  // -1: refused
        QTest::newRow("point") << "7.0" << qint64(7000000);
        QTest::newRow("comma") << "7,0" << qint64(7000000);
        QTest::newRow("blanks and sign") << " 6 % " << qint64(6000000);
        QTest::newRow("seventh place to even") << "8.3333335" << qint64(8333334);
        QTest::newRow("hundred") << "100.000000" << qint64(100000000);
        QTest::newRow("over a hundred") << "100.000001" << qint64(-1);
        QTest::newRow("exponent") << "1e20" << qint64(-1);
        QTest::newRow("negative") << "-1" << qint64(-1);
        QTest::newRow("two marks") << "7.0,5" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }
    void percentParse() {
        QFETCH(QString, text);
        QFETCH(qint64, millionths);
        const std::optional<Percent> p = Percent::parse(text);
        QCOMPARE(p ? p->millionths() : -1, millionths);
        QCOMPARE(p ? p->toDouble() : -1, millionths < 0 ? -1 : millionths / 1e6);
    }
};

TOLVAR_TEST(TestMoney)
#include "test_money.moc"
