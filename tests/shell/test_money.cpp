#include "shell/money.h"
#include "testmain.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void fromDoubleRoundsHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("plain") << 12.5 << qint64(125000);
        QTest::newRow("half even down") << 0.03125 << qint64(312);
        QTest::newRow("half even up") << 0.09375 << qint64(938);
        QTest::newRow("negative") << -3.5 << qint64(-35000);
    }
    void fromDoubleRoundsHalfToEven() {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QCOMPARE(Money::fromDouble(value).raw(), raw);
    }

    void displayRoundsHalfAwayFromZero_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("$0.00");
        QTest::newRow("grouping") << qint64(12345000) << QStringLiteral("$1,234.50");
        QTest::newRow("2.675 up") << qint64(26750) << QStringLiteral("$2.68");
        QTest::newRow("2.665 up") << qint64(26650) << QStringLiteral("$2.67");
        QTest::newRow("negative") << qint64(-35000) << QStringLiteral("($3.50)");
        QTest::newRow("negative half") << qint64(-26750) << QStringLiteral("($2.68)");
    }
    void displayRoundsHalfAwayFromZero() {
        QFETCH(qint64, raw);
        QFETCH(QString, shown);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(Money::fromRaw(raw).display(us), shown);
        bool ok = false;
        QCOMPARE(Money::parseDisplay(shown, &ok, us), Money::fromRaw(raw).roundedToCents());
        QVERIFY(ok);
    }

    void germanRoundTrip() {
        const QLocale de(QLocale::German, QLocale::Germany);
        const Money m = Money::fromCents(123450);
        const QString shown = m.display(de);
        QVERIFY2(shown.startsWith(QStringLiteral("1.234,50")), qPrintable(shown));
        bool ok = false;
        QCOMPARE(Money::parseDisplay(shown, &ok, de), m);
        QVERIFY(ok);
    }

    void plainForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<bool>("valid");
        QTest::newRow("whole") << QStringLiteral("1000") << qint64(10000000) << true;
        QTest::newRow("fraction") << QStringLiteral("12.5") << qint64(125000) << true;
        QTest::newRow("leading dot") << QStringLiteral(".25") << qint64(2500) << true;
        QTest::newRow("negative") << QStringLiteral("-0.07") << qint64(-700) << true;
        QTest::newRow("fifth place even") << QStringLiteral("0.00005") << qint64(0) << true;
        QTest::newRow("fifth place odd") << QStringLiteral("0.00015") << qint64(2) << true;
        QTest::newRow("letters") << QStringLiteral("12a") << qint64(0) << false;
        QTest::newRow("empty") << QString() << qint64(0) << false;
        QTest::newRow("huge") << QStringLiteral("999999999999999999") << qint64(0) << false;
    }
    void plainForm() {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QFETCH(bool, valid);
        bool ok = !valid;
        QCOMPARE(Money::fromPlainString(text, &ok).raw(), raw);
        QCOMPARE(ok, valid);
        if (valid && !text.contains(QLatin1String("00005")) && !text.contains(QLatin1String("00015"))) {
            QCOMPARE(Money::fromRaw(raw).toPlainString(),
                     text.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + text : text);
        }
    }
};

TOLVAR_TEST(TestMoney)
#include "test_money.moc"
