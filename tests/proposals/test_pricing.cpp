#include "proposals/pricing.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kNotEqual = QStringLiteral("The total of payments do not equal Proposed Amount");
const QString kNoDate = QStringLiteral("You must enter a Payment Date for each Payment");
const QString kEarlier = QStringLiteral("The Selected date is less than or equal a previous date");

Money cents(qint64 c) {
    return Money::fromCents(c);
}

TaxRates rates(double r1, double r2) {
    TaxRates t;
    t.rate1 = r1;
    t.rate2 = r2;
    t.apply1 = r1 > 0;
    t.apply2 = r2 > 0;
    return t;
}

// A pricing step entered from the body with the price typed and left.
void enterPrice(Pricing& p, const QString& typed) {
    p.prepare();
    QVERIFY(p.leavePreAmount(typed));
}

void multiple(Pricing& p, const QString& typed, int count) {
    enterPrice(p, typed);
    p.chooseOption(Pricing::Multiple);
    p.chooseCount(count);
}

QStringList amounts(const Pricing& p) {
    QStringList out;
    for (int k = 0; k < p.schedule().count(); ++k) {
        out << p.schedule().amountText(k);
    }
    return out;
}

QStringList dateLabels(const Pricing& p) {
    QStringList out;
    for (int k = 0; k < p.schedule().count(); ++k) {
        out << p.schedule().dateLabel(k);
    }
    return out;
}

void pickDays(Pricing& p, AppContext& ctx, const QList<QDate>& days) {
    for (const QDate& d : days) {
        p.pickDate(d, ctx);
    }
}

// The first of each month from January 2027 on.
QList<QDate> monthly(int count) {
    QList<QDate> days;
    for (int k = 0; k < count; ++k) {
        days << QDate(2027, 1 + k, 1);
    }
    return days;
}
}  // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void taxRules_data() {
        QTest::addColumn<qint64>("amountCents");
        QTest::addColumn<double>("rate");
        QTest::addColumn<qint64>("percentCents");
        QTest::addColumn<qint64>("itemCents");
        // 62.50 x 6 % = 3.75; + 0.005 = 3.755, to even: 3.76.
        QTest::newRow("62.50 at 6") << qint64(6250) << 6.0 << qint64(375) << qint64(376);
        QTest::newRow("1000 at 7.5") << qint64(100000) << 7.5 << qint64(7500) << qint64(7500);
        // 10.00 x 5 % = 0.50; + 0.005 = 0.505, to even: 0.50.
        QTest::newRow("half to even down") << qint64(1000) << 5.0 << qint64(50) << qint64(50);
        // 0.30 x 5 % = 0.015: shown 0.02 (away from zero), item rule 0.02.
        QTest::newRow("display half up") << qint64(30) << 5.0 << qint64(2) << qint64(2);
    }
    void taxRules() {
        QFETCH(qint64, amountCents);
        QFETCH(double, rate);
        QFETCH(qint64, percentCents);
        QFETCH(qint64, itemCents);
        QCOMPARE(PricingMath::percentOf(cents(amountCents), rate), cents(percentCents));
        QCOMPARE(PricingMath::itemTax(cents(amountCents), rate), cents(itemCents));
    }

    void roundHalfEven_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("3.745 down to even") << qint64(37450) << qint64(374);
        QTest::newRow("3.7451 up") << qint64(37451) << qint64(375);
        QTest::newRow("negative half") << qint64(-37550) << qint64(-376);
    }
    void roundHalfEven() {
        QFETCH(qint64, raw);
        QFETCH(qint64, cents);
        QCOMPARE(PricingMath::roundCentsHalfEven(Money::fromRaw(raw)), Money::fromCents(cents));
    }

    void parseRate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("rate");
        QTest::newRow("blanks") << QStringLiteral(" 6 ") << 6.0;
        QTest::newRow("percent sign") << QStringLiteral("4.0%") << 4.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("negative") << QStringLiteral("-3") << 0.0;
    }
    void parseRate() {
        QFETCH(QString, text);
        QFETCH(double, rate);
        QCOMPARE(TaxRates::parseRate(text), rate);
    }

    // Splits the screen does not reach; the usual ones go through it below.
    void equalShares_data() {
        QTest::addColumn<qint64>("pre");
        QTest::addColumn<qint64>("tax1");
        QTest::addColumn<qint64>("tax2");
        QTest::addColumn<QList<qint64>>("shares");
        QTest::newRow("both taxes on the last")
            << qint64(10000) << qint64(600) << qint64(125) << QList<qint64>{5000, 5725};
        QTest::newRow("one cent in eight")
            << qint64(1) << qint64(0) << qint64(0) << QList<qint64>{0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("seven of 1000")
            << qint64(100000) << qint64(0) << qint64(0)
            << QList<qint64>{14285, 14285, 14285, 14285, 14285, 14285, 14290};
    }
    void equalShares() {
        QFETCH(qint64, pre);
        QFETCH(qint64, tax1);
        QFETCH(qint64, tax2);
        QFETCH(QList<qint64>, shares);
        QList<Money> expected;
        for (qint64 s : shares) {
            expected << cents(s);
        }
        QCOMPARE(
            PaymentSchedule::EqualShares(cents(pre), int(shares.size()), cents(tax1), cents(tax2)),
            expected);
    }

    // The whole price with a 7.5 % first tax, paid at once.
    void inFullWithTax() {
        TempApp app;
        Pricing p;
        p.setRates(rates(7.5, 0));
        enterPrice(p, QStringLiteral("1000"));
        QVERIFY(p.view().taxFrame);
        p.setTax1Applied(true);
        QCOMPARE(p.shown(p.tax1()), QStringLiteral("$75.00"));
        QCOMPARE(p.shown(p.total()), QStringLiteral("$1,075.00"));
        p.chooseOption(Pricing::InFull);
        QVERIFY(!p.view().countEnabled);
        QCOMPARE(amounts(p), QStringList{QStringLiteral("$1,075.00")});
        p.takeFocus();
        p.pickDate(QDate(2027, 1, 15), *app.ctx);
        QCOMPARE(p.schedule().dateLabel(0), QStringLiteral("1/15/2027"));
        QVERIFY(!p.schedule().view().calendarEnabled);
        // The split filled payment 1, so the clear button is next.
        QCOMPARE(p.takeFocus(), QStringLiteral("cmdClearSchedule"));
        QVERIFY(p.checkSchedule(*app.ctx));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void equalSplitsThroughTheScreen_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("rate1");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("four of 1000")
            << QStringLiteral("1000") << 0.0 << QStringList(4, QStringLiteral("$250.00"));
        QTest::newRow("three of 100")
            << QStringLiteral("$100.00") << 0.0
            << QStringList{QStringLiteral("$33.33"), QStringLiteral("$33.33"),
                           QStringLiteral("$33.34")};
        QTest::newRow("three of 1000 with 7 %")
            << QStringLiteral("1,000.00") << 7.0
            << QStringList{QStringLiteral("$333.33"), QStringLiteral("$333.33"),
                           QStringLiteral("$403.34")};
    }
    void equalSplitsThroughTheScreen() {
        QFETCH(QString, typed);
        QFETCH(double, rate1);
        QFETCH(QStringList, shown);
        TempApp app;
        Pricing p;
        p.setRates(rates(rate1, 0));
        enterPrice(p, typed);
        p.setTax1Applied(rate1 > 0);
        p.chooseOption(Pricing::Multiple);
        QCOMPARE(p.takeFocus(), QStringLiteral("cboPayments"));
        p.chooseCount(int(shown.size()));
        p.createSchedule();
        p.setAllEqual(true);
        QCOMPARE(p.schedule().allEqualCaption(), QStringLiteral("Payment Amounts Made Equal"));
        QCOMPARE(amounts(p), shown);
        pickDays(p, *app.ctx, monthly(int(shown.size())));
        QVERIFY(p.checkSchedule(*app.ctx));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void downAndFinalTyped() {
        TempApp app;
        Pricing p;
        enterPrice(p, QStringLiteral("500"));
        p.chooseOption(Pricing::DownAndFinal);
        QCOMPARE(p.takeFocus(), QStringLiteral("txtPayment(0)"));
        QCOMPARE(p.schedule().allEqualCaption(), QStringLiteral("Enter Payments Manually"));
        QCOMPARE(amounts(p), QStringList(2, QString()));
        p.leavePayment(0, QStringLiteral("100"));
        p.leavePayment(1, QStringLiteral("400.5"));
        QCOMPARE(amounts(p), (QStringList{QStringLiteral("$100.00"), QStringLiteral("$400.50")}));
        pickDays(p, *app.ctx, {QDate(2026, 12, 10), QDate(2027, 2, 1)});
        app.prompter.expectMessage(kNotEqual, kTitle);
        QVERIFY(!p.checkSchedule(*app.ctx));
        p.leavePayment(1, QStringLiteral("$400.00"));
        QVERIFY(p.checkSchedule(*app.ctx));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // The tax on the last item line is added to an applied tax only, and goes
    // again when the box is unchecked.
    void itemTax() {
        Pricing p;
        p.setRates(rates(6, 5));
        p.setLastItemExtension(cents(6250));
        enterPrice(p, QStringLiteral("1000"));
        QVERIFY(p.view().taxItemsEnabled);
        p.setTax1Applied(true);
        p.setTaxItems(true);
        QCOMPARE(p.tax1(), cents(6000 + 376));
        QCOMPARE(p.tax2(), Money());
        QCOMPARE(p.total(), cents(100000 + 6376));
        p.setTaxItems(false);
        QCOMPARE(p.shown(p.total()), QStringLiteral("$1,060.00"));
        p.setTax2Applied(true);
        p.setTaxItems(true);
        QCOMPARE(p.tax2(), cents(5000 + 313));
    }

    // Changing the price after the taxes were applied keeps the total the sum.
    void taxesFollowThePrice() {
        Pricing p;
        p.setRates(rates(6, 2));
        enterPrice(p, QStringLiteral("1000"));
        QVERIFY(!p.view().taxItemsEnabled);  // no item line
        p.setTax1Applied(true);
        p.setTax2Applied(true);
        QVERIFY(p.leavePreAmount(QStringLiteral("2000")));
        QCOMPARE(p.total(), cents(216000));
        p.setTax1Applied(false);
        QCOMPARE(p.total(), cents(204000));
    }

    void badPriceClearsAmounts_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("negative") << QStringLiteral("($5.00)");
    }
    void badPriceClearsAmounts() {
        QFETCH(QString, typed);
        Pricing p;
        p.setRates(rates(6, 0));
        enterPrice(p, QStringLiteral("1000"));
        p.setTax1Applied(true);
        QVERIFY(!p.leavePreAmount(typed));
        QCOMPARE(p.preAmount(), Money());
        QCOMPARE(p.tax1(), Money());
        QCOMPARE(p.total(), Money());
        QVERIFY(!p.view().continueEnabled);
        QCOMPARE(p.takeFocus(), QStringLiteral("txtpreAmount"));
    }

    void taxFrameFollowsSettings_data() {
        QTest::addColumn<bool>("apply1");
        QTest::addColumn<bool>("apply2");
        QTest::newRow("none") << false << false;
        QTest::newRow("second") << false << true;
    }
    void taxFrameFollowsSettings() {
        QFETCH(bool, apply1);
        QFETCH(bool, apply2);
        Pricing p;
        TaxRates r = rates(4, 3);
        r.apply1 = apply1;
        r.apply2 = apply2;
        p.setRates(r);
        p.prepare();
        QCOMPARE(p.view().taxFrame, apply1 || apply2);
        QCOMPARE(p.view().applyTaxChecked, apply1 || apply2);
    }

    void datesMustIncrease_data() {
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<int>("refusals");
        QTest::addColumn<QStringList>("labels");
        const QDate d1(2027, 1, 10);
        QTest::newRow("same twice")
            << QList<QDate>{d1, d1} << 1
            << QStringList{QStringLiteral("1/10/2027"), QStringLiteral("due Date # 2"),
                           QStringLiteral("due Date # 3")};
        QTest::newRow("earlier than the first")
            << QList<QDate>{d1, d1.addDays(5), d1.addDays(-1)} << 1
            << QStringList{QStringLiteral("1/10/2027"), QStringLiteral("1/15/2027"),
                           QStringLiteral("due Date # 3")};
        // No lower bound: a day before today is taken.
        QTest::newRow("increasing from the past")
            << QList<QDate>{QDate(2025, 3, 1), d1, d1.addDays(1)} << 0
            << QStringList{QStringLiteral("3/1/2025"), QStringLiteral("1/10/2027"),
                           QStringLiteral("1/11/2027")};
    }
    void datesMustIncrease() {
        QFETCH(QList<QDate>, days);
        QFETCH(int, refusals);
        TempApp app;
        for (int i = 0; i < refusals; ++i) {
            app.prompter.expectMessage(kEarlier, kTitle);
        }
        Pricing p;
        multiple(p, QStringLiteral("300"), 3);
        pickDays(p, *app.ctx, days);
        QTEST(dateLabels(p), "labels");
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void clearingAfterThreeDates() {
        TempApp app;
        Pricing p;
        multiple(p, QStringLiteral("300"), 4);
        pickDays(p, *app.ctx, monthly(3));
        QCOMPARE(p.schedule().dateIndex(), 3);
        p.clearSchedule();
        QCOMPARE(dateLabels(p),
                 (QStringList{QStringLiteral("due Date # 1"), QStringLiteral("due Date # 2"),
                              QStringLiteral("due Date # 3"), QStringLiteral("due Date # 4")}));
        // Earlier than the dates that were cleared: it is payment 1's now.
        p.pickDate(QDate(2026, 12, 20), *app.ctx);
        QCOMPARE(p.schedule().dateLabel(0), QStringLiteral("12/20/2026"));
        QCOMPARE(p.schedule().dateLabel(1), QStringLiteral("due Date # 2"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // After the last date the calendar is disabled; starting over lets the
    // user pick again, also when the amounts are typed by hand.
    void redoAfterCompletedDates() {
        TempApp app;
        Pricing p;
        enterPrice(p, QStringLiteral("200"));
        p.chooseOption(Pricing::DownAndFinal);
        pickDays(p, *app.ctx, {QDate(2027, 1, 1), QDate(2027, 2, 1)});
        QVERIFY(!p.schedule().view().calendarEnabled);
        p.redo();
        QVERIFY(p.view().optionsFrame);
        QCOMPARE(p.option(), Pricing::NoOption);
        p.chooseOption(Pricing::DownAndFinal);
        QVERIFY(p.schedule().view().calendarEnabled);
        pickDays(p, *app.ctx, {QDate(2027, 3, 1), QDate(2027, 4, 1)});
        QCOMPARE(p.schedule().dateLabel(1), QStringLiteral("4/1/2027"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // Fewer payments chosen after more dates were picked: the dates start
    // over instead of running past the last payment.
    void countLoweredAfterDates() {
        TempApp app;
        Pricing p;
        multiple(p, QStringLiteral("800"), 8);
        pickDays(p, *app.ctx, monthly(7));
        p.chooseCount(2);
        p.pickDate(QDate(2026, 12, 31), *app.ctx);
        QCOMPARE(p.schedule().dateLabel(0), QStringLiteral("12/31/2026"));
        QCOMPARE(p.schedule().dateIndex(), 1);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // The checks run in order: dates first, then amounts; a missing amount
    // beeps, names itself, and is followed by the sum message.
    void scheduleCheckMessages_data() {
        QTest::addColumn<int>("datesPicked");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("beep");
        QTest::addColumn<QString>("focus");
        const QString hundred = QStringLiteral("100");
        QTest::newRow("missing date") << 2 << QStringList{hundred, hundred, hundred}
                                      << QStringList{kNoDate} << false << QString();
        QTest::newRow("missing amount")
            << 3 << QStringList{hundred, QString(), QStringLiteral("200")}
            << QStringList{QStringLiteral("Enter a Payment Amount"), kNotEqual} << true
            << QStringLiteral("txtPayment(1)");
        QTest::newRow("not a number")
            << 3 << QStringList{hundred, QStringLiteral("1oo"), QStringLiteral("1")}
            << QStringList{QStringLiteral("Enter a Payment Amount"), kNotEqual} << true
            << QStringLiteral("txtPayment(1)");
        QTest::newRow("sum short") << 3 << QStringList{hundred, hundred, QStringLiteral("99.99")}
                                   << QStringList{kNotEqual} << false << QString();
    }
    void scheduleCheckMessages() {
        QFETCH(int, datesPicked);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, messages);
        QFETCH(bool, beep);
        TempApp app;
        Pricing p;
        multiple(p, QStringLiteral("300"), 3);
        p.createSchedule();
        for (int k = 0; k < 3; ++k) {
            p.leavePayment(k, typed[k]);
        }
        pickDays(p, *app.ctx, monthly(datesPicked));
        p.takeFocus();
        if (beep) {
            app.prompter.expectBeep();
        } else {
            app.prompter.setStrictBeeps(true);
        }
        for (const QString& m : messages) {
            app.prompter.expectMessage(m, kTitle);
        }
        QVERIFY(!p.checkSchedule(*app.ctx));
        QTEST(p.takeFocus(), "focus");
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void zeroTotalFailsTheCheck() {
        TempApp app;
        Pricing p;
        p.prepare();
        p.chooseOption(Pricing::InFull);
        p.pickDate(QDate(2027, 1, 1), *app.ctx);
        p.schedule().setAmountText(0, QStringLiteral("$0.00"));
        app.prompter.setStrictBeeps(true);
        app.prompter.expectMessage(kNotEqual, kTitle);
        QVERIFY(!p.checkSchedule(*app.ctx));
        QCOMPARE(p.takeFocus(), QStringLiteral("txtpreAmount"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void clearAmountButton() {
        Pricing p;
        enterPrice(p, QStringLiteral("100"));
        QVERIFY(p.view().optionsEnabled);
        p.clearAmountsAndSchedule();
        QVERIFY(!p.view().optionsEnabled);
        QVERIFY(!p.schedule().view().boxesShown);
        QCOMPARE(p.total(), Money());
    }

    void zeroShownIsEmptiedOnEntry() {
        Pricing p;
        enterPrice(p, QStringLiteral("100"));
        p.chooseOption(Pricing::DownAndFinal);
        p.schedule().setAmountText(1, QStringLiteral("$0.00"));
        p.enterPayment(1);
        QCOMPARE(p.schedule().amountText(1), QString());
        p.leavePayment(0, QStringLiteral("abc"));
        QCOMPARE(p.schedule().amountText(0), QStringLiteral("abc"));
    }

    // Entering the step again keeps a schedule that was begun.
    void prepareKeepsBegunSchedule() {
        TempApp app;
        Pricing p;
        enterPrice(p, QStringLiteral("100"));
        p.chooseOption(Pricing::InFull);
        p.pickDate(QDate(2027, 1, 1), *app.ctx);
        p.prepare();
        QCOMPARE(p.schedule().dateLabel(0), QStringLiteral("1/1/2027"));
        QCOMPARE(p.total(), Money());
        QCOMPARE(p.option(), Pricing::NoOption);
    }

    void germanDisplay() {
        Pricing p(QLocale(QLocale::German, QLocale::Germany));
        p.prepare();
        QVERIFY(p.leavePreAmount(QStringLiteral("1.000,00")));
        p.chooseOption(Pricing::Multiple);
        p.chooseCount(3);
        p.setAllEqual(true);
        QVERIFY2(p.schedule().amountText(2).startsWith(QStringLiteral("333,34")),
                 qPrintable(p.schedule().amountText(2)));
        QCOMPARE(p.schedule().amount(2), std::optional<Money>(cents(33334)));
    }
};

TOLVAR_TEST(TestPricing)
#include "test_pricing.moc"
