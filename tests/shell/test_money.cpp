#include "casefile.h"
#include "shell/money.h"
#include "testmain.h"

#include <QTest>

using Amount = std::optional<Money>;

// Found by argument-dependent lookup, so a failing compare shows the amounts.
char* toString(const Amount& m) {
    return qstrdup(m ? qPrintable(m->toPlainString()) : "nothing");
}

namespace {
const QString kCases = QStringLiteral("shell/money.txt");

Amount raw(const QByteArray& field) {
    return field == "none" ? Amount() : Money::fromRaw(field.toLongLong());
}
Amount cents(const QByteArray& field) {
    return field == "none" ? Amount() : Money::fromCents(field.toLongLong());
}
}  // namespace

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void fromDoubleRoundsHalfToEvenWithinRange_data() { addCases(kCases, "double"); }
    void fromDoubleRoundsHalfToEvenWithinRange() {
        QFETCH(Case, c);
        QCOMPARE(Money::fromDouble(c[0].toDouble()), raw(c[1]));
    }

    void displayRoundsHalfAwayFromZero_data() { addCases(kCases, "display"); }
    void displayRoundsHalfAwayFromZero() {
        QFETCH(Case, c);
        const QLocale locale(str(c[0]));
        const Money money = *raw(c[1]);
        QCOMPARE(money.display(locale), str(c[2]));
        QCOMPARE(Money::parseDisplay(str(c[2]), locale), money.roundedToCents());
    }

    void parseDisplay_data() { addCases(kCases, "parse"); }
    void parseDisplay() {
        QFETCH(Case, c);
        QCOMPARE(Money::parseDisplay(str(c[1]), QLocale(str(c[0]))), cents(c[2]));
    }

    void plainForm_data() { addCases(kCases, "plain"); }
    void plainForm() {
        QFETCH(Case, c);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const Amount read = Money::fromPlainString(str(c[0]));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(read, raw(c[1]));
        QCOMPARE(read ? read->toPlainString() : QString(), str(c[2]));
    }

    void percentOfRoundsOnceToCents_data() { addCases(kCases, "percentOf"); }
    void percentOfRoundsOnceToCents() {
        QFETCH(Case, c);
        QCOMPARE(cents(c[0])->percentOf(*Percent::parse(str(c[1]))), *cents(c[2]));
    }

    void percentParse_data() { addCases(kCases, "percent"); }
    void percentParse() {
        QFETCH(Case, c);
        const qint64 millionths = c[1] == "none" ? -1 : c[1].toLongLong();
        const std::optional<Percent> p = Percent::parse(str(c[0]));
        QCOMPARE(p ? p->millionths() : -1, millionths);
        QCOMPARE(p ? p->toDouble() : -1, millionths < 0 ? -1 : millionths / 1e6);
    }
};

TOLVAR_TEST(TestMoney)
#include "test_money.moc"
