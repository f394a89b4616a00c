#include "proposals/pricing.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kNotEqual = QStringLiteral("The total of payments do not equal Proposed Amount");
const QString kNoDate = QStringLiteral("You must enter a Payment Date for each Payment");
const QString kNoAmount = QStringLiteral("Enter a Payment Amount");
const QString kEarlier = QStringLiteral("The Selected date is less than or equal a previous date");

Money cents(qint64 c) {
    return Money::fromCents(c);
}

TaxRates rates(double r1, double r2) {
    return TaxRates{r1, r2, r1 > 0, r2 > 0};
}

QString focusText(WriterFocus f) {
    return QStringLiteral("%1:%2").arg(int(f.control)).arg(f.index);
}

// The names of the controls shown, enabled or checked.
QString flags(const Pricing::View& v) {
    const QList<std::pair<bool, const char*>> all{{v.taxFrame, "taxFrame"},
                                                  {v.applyTaxEnabled, "applyEnabled"},
                                                  {v.applyTaxChecked, "applyChecked"},
                                                  {v.tax1Checked, "tax1"},
                                                  {v.tax2Checked, "tax2"},
                                                  {v.taxItemsEnabled, "itemsEnabled"},
                                                  {v.taxItemsChecked, "items"},
                                                  {v.optionsFrame, "options"},
                                                  {v.optionsEnabled, "optionsEnabled"},
                                                  {v.createSchedule, "create"},
                                                  {v.countHint, "hint"},
                                                  {v.countEnabled, "countEnabled"},
                                                  {v.paymentsFrame, "payments"},
                                                  {v.boxesShown, "boxes"},
                                                  {v.calendarFrame, "calendar"},
                                                  {v.calendarEnabled, "calendarEnabled"},
                                                  {v.reviewNote, "review"},
                                                  {v.continueEnabled, "continue"},
                                                  {v.schedule.allEqual, "equal"}};
    QStringList on;
    for (const auto& [set, name] : all) {
        if (set) {
            on << QLatin1String(name);
        }
    }
    return on.join(QLatin1Char(' '));
}

// One user action, written "what:argument[:argument]".
void run(Pricing& p, const QString& step) {
    const QStringList a = step.split(QLatin1Char(':'));
    const QString what = a.at(0);
    const bool on = a.value(1) == QLatin1String("1");
    if (what == QLatin1String("pre")) {
        p.leavePreAmount(a.at(1));
    } else if (what == QLatin1String("tax1") || what == QLatin1String("tax2")) {
        p.setTaxApplied(
            what.endsWith(QLatin1Char('1')) ? Pricing::Tax::First : Pricing::Tax::Second, on);
    } else if (what == QLatin1String("items")) {
        p.setTaxItems(on);
    } else if (what == QLatin1String("option")) {
        p.chooseOption(Pricing::Option(a.at(1).toInt()));
    } else if (what == QLatin1String("count")) {
        p.chooseCount(a.at(1).toInt());
    } else if (what == QLatin1String("equal")) {
        p.setAllEqual(on);
    } else if (what == QLatin1String("pay")) {
        p.leavePayment(a.at(1).toInt(), a.at(2));
    } else if (what == QLatin1String("date")) {
        p.pickDate(QDate::fromString(a.at(1), Qt::ISODate));
    } else if (what == QLatin1String("press")) {
        p.press(Pricing::Button(a.at(1).toInt()));
    } else {
        QFAIL(qPrintable(step));
    }
}

QStringList firstN(const std::array<QString, PaymentSchedule::MaxPayments>& all, int n) {
    return QStringList(all.begin(), all.begin() + n);
}
}  // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void taxRules_data() {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<qint64>("percent");
        QTest::addColumn<qint64>("item");
        // 62.50 x 6 % = 3.75; + 0.005 = 3.755, to even: 3.76.
        QTest::newRow("62.50 at 6") << qint64(6250) << 6.0 << qint64(375) << qint64(376);
        QTest::newRow("1000 at 7.5") << qint64(100000) << 7.5 << qint64(7500) << qint64(7500);
        // 10.00 x 5 % = 0.50; + 0.005 = 0.505, to even: 0.50.
        QTest::newRow("half to even down") << qint64(1000) << 5.0 << qint64(50) << qint64(50);
        // 0.30 x 5 % = 0.015: shown 0.02 (away from zero); 0.02 by the item rule.
        QTest::newRow("display half up") << qint64(30) << 5.0 << qint64(2) << qint64(2);
    }
    void taxRules() {
        QFETCH(qint64, amount);
        QFETCH(double, rate);
        QFETCH(qint64, percent);
        QFETCH(qint64, item);
        QCOMPARE(PricingMath::percentOf(cents(amount), rate), cents(percent));
        QCOMPARE(PricingMath::itemTax(cents(amount), rate), cents(item));
    }

    void roundHalfEven_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<qint64>("cents");
        QTest::newRow("3.745 down to even") << qint64(37450) << qint64(374);
        QTest::newRow("3.755 up to even") << qint64(37550) << qint64(376);
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
        QTest::newRow("point") << "7.0" << 7.0;
        QTest::newRow("decimal comma") << "7,0" << 7.0;
        QTest::newRow("comma fraction") << "5,25" << 5.25;
        QTest::newRow("blanks and percent") << " 6 % " << 6.0;
        QTest::newRow("all of it") << "100" << 100.0;
        QTest::newRow("past 100") << "100.01" << 0.0;
        QTest::newRow("hostile") << "1e20" << 0.0;
        QTest::newRow("negative") << "-3" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
    }
    void parseRate() {
        QFETCH(QString, text);
        QTEST(TaxRates::parseRate(text), "rate");
    }

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

    // The step entered from the body, then the user's actions, and what the
    // controls show after them.
    void steps_data() {
        QTest::addColumn<double>("rate1");
        QTest::addColumn<double>("rate2");
        QTest::addColumn<qint64>("lastItem");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("focus");
        const QString big = Pricing::tooLargeMessage();
        const auto f = [](WriterFocus::Control c, int k = 0) { return focusText({c, k}); };
        const QString none = f(WriterFocus::None);
        const QStringList due{"due Date # 1", "due Date # 2", "due Date # 3", "due Date # 4"};
        QTest::newRow("entered") << 0.0 << 0.0 << qint64(0) << QStringList{} << QStringList{}
                                 << "countEnabled boxes calendarEnabled"
                                 << "$0.00" << QStringList{""} << due.mid(0, 1)
                                 << f(WriterFocus::PreAmount);
        QTest::newRow("in full with 7.5 %")
            << 7.5 << 0.0 << qint64(0)
            << QStringList{"pre:1000", "tax1:1", "option:1", "date:2027-01-15"} << QStringList{}
            << "taxFrame applyEnabled applyChecked tax1 optionsEnabled payments boxes review "
               "continue equal"
            << "$1,075.00" << QStringList{"$1,075.00"} << QStringList{"1/15/2027"}
            << f(WriterFocus::ClearSchedule);
        QTest::newRow("three equal of 1000 with 7 %")
            << 7.0 << 0.0 << qint64(0)
            << QStringList{"pre:1,000.00", "tax1:1", "option:2", "count:3", "press:2", "equal:1"}
            << QStringList{}
            << "taxFrame applyEnabled applyChecked tax1 optionsEnabled create hint countEnabled "
               "payments boxes calendar calendarEnabled continue equal"
            << "$1,070.00" << QStringList{"$333.33", "$333.33", "$403.34"} << due.mid(0, 3) << none;
        QTest::newRow("three equal of 100")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:$100.00", "option:2", "count:3", "equal:1"} << QStringList{}
            << "options optionsEnabled create hint countEnabled payments boxes calendar "
               "calendarEnabled continue equal"
            << "$100.00" << QStringList{"$33.33", "$33.33", "$33.34"} << due.mid(0, 3) << none;
        QTest::newRow("down and final typed")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:500", "option:0", "pay:0:100", "pay:1:400.5", "pay:1:x1"}
            << QStringList{} << "optionsEnabled payments boxes calendar calendarEnabled continue"
            << "$500.00" << QStringList{"$100.00", "x1"} << due.mid(0, 2) << none;
        QTest::newRow("several payments chosen")
            << 0.0 << 0.0 << qint64(0) << QStringList{"pre:300", "option:2"} << QStringList{}
            << "options optionsEnabled create hint countEnabled boxes calendar calendarEnabled "
               "continue"
            << "$300.00" << QStringList(5, QString()) << (due + QStringList{"due Date # 5"})
            << f(WriterFocus::PaymentCount);
        QTest::newRow("item tax on an applied tax only")
            << 6.0 << 5.0 << qint64(6250) << QStringList{"pre:1000", "tax1:1", "items:1"}
            << QStringList{}
            << "taxFrame applyEnabled applyChecked tax1 itemsEnabled items options "
               "optionsEnabled countEnabled boxes calendarEnabled continue"
            << "$1,063.76" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("item tax off again")
            << 6.0 << 5.0 << qint64(6250)
            << QStringList{"pre:1000", "tax1:1", "tax2:1", "items:1", "items:0"} << QStringList{}
            << "taxFrame applyEnabled applyChecked tax1 tax2 itemsEnabled options optionsEnabled "
               "countEnabled boxes calendarEnabled continue"
            << "$1,110.00" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("taxes posted")
            << 0.0 << 3.0 << qint64(0) << QStringList{"pre:100", "press:0"} << QStringList{}
            << "applyEnabled applyChecked options optionsEnabled countEnabled boxes "
               "calendarEnabled continue"
            << "$100.00" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("amount cleared")
            << 0.0 << 0.0 << qint64(0) << QStringList{"pre:100", "press:1"} << QStringList{}
            << "options countEnabled calendarEnabled"
            << "$0.00" << QStringList{""} << due.mid(0, 1) << f(WriterFocus::PreAmount);
        QTest::newRow("not a number")
            << 6.0 << 0.0 << qint64(0) << QStringList{"pre:100", "tax1:1", "pre:abc"}
            << QStringList{}
            << "taxFrame applyEnabled applyChecked tax1 options optionsEnabled countEnabled "
               "boxes calendarEnabled"
            << "$0.00" << QStringList{""} << due.mid(0, 1) << f(WriterFocus::PreAmount);
        QTest::newRow("price too large")
            << 0.0 << 0.0 << qint64(0) << QStringList{"pre:100", "pre:10,000,000"}
            << QStringList{big}
            << "options optionsEnabled countEnabled boxes calendarEnabled "
               "continue"
            << "$100.00" << QStringList{""} << due.mid(0, 1) << f(WriterFocus::PreAmount);
        QTest::newRow("largest price")
            << 0.0 << 0.0 << qint64(0) << QStringList{"pre:9999999.99"} << QStringList{}
            << "options optionsEnabled countEnabled boxes "
               "calendarEnabled continue"
            << "$9,999,999.99" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("tax past the limit")
            << 7.5 << 0.0 << qint64(0) << QStringList{"pre:9500000", "tax1:1"} << QStringList{big}
            << "taxFrame applyEnabled applyChecked options optionsEnabled countEnabled boxes "
               "calendarEnabled continue"
            << "$9,500,000.00" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("item tax past the limit")
            << 50.0 << 0.0 << qint64(1000000000) << QStringList{"pre:5000000", "tax1:1", "items:1"}
            << QStringList{big}
            << "taxFrame applyEnabled applyChecked tax1 itemsEnabled options optionsEnabled "
               "countEnabled boxes calendarEnabled continue"
            << "$7,500,000.00" << QStringList{""} << due.mid(0, 1) << none;
        QTest::newRow("payment too large")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:100", "option:0", "pay:0:10000000", "pay:1:($10,000,000.00)"}
            << QStringList{big, big}
            << "optionsEnabled payments boxes calendar calendarEnabled continue"
            << "$100.00" << QStringList{"", ""} << due.mid(0, 2) << f(WriterFocus::Payment, 1);
        QTest::newRow("dates must increase")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:300",         "option:2",        "count:3",
                           "date:2027-01-10", "date:2027-01-10", "date:2027-01-15",
                           "date:2027-01-14"}
            << QStringList{kEarlier, kEarlier}
            << "options optionsEnabled create hint countEnabled boxes calendar calendarEnabled "
               "continue"
            << "$300.00" << QStringList(3, QString())
            << QStringList{"1/10/2027", "1/15/2027", "due Date # 3"} << none;
        QTest::newRow("no lower bound, cleared after three")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:300",         "option:2",        "count:4", "date:2025-03-01",
                           "date:2027-01-10", "date:2027-01-11", "press:3", "date:2026-12-20"}
            << QStringList{}
            << "options optionsEnabled create hint countEnabled boxes calendar calendarEnabled "
               "continue"
            << "$300.00" << QStringList(4, QString())
            << QStringList{"12/20/2026", "due Date # 2", "due Date # 3", "due Date # 4"} << none;
        QTest::newRow("count lowered after dates")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:800",         "option:2", "count:3",        "date:2027-01-01",
                           "date:2027-02-01", "count:2",  "date:2026-12-31"}
            << QStringList{}
            << "options optionsEnabled create hint countEnabled boxes calendar calendarEnabled "
               "continue"
            << "$800.00" << QStringList(2, QString()) << QStringList{"12/31/2026", "2/1/2027"}
            << none;
        QTest::newRow("redone after the dates")
            << 0.0 << 0.0 << qint64(0)
            << QStringList{"pre:200", "option:1", "date:2027-01-01", "press:4"} << QStringList{}
            << "options optionsEnabled boxes calendar calendarEnabled continue"
            << "$200.00" << QStringList{""} << due.mid(0, 1) << none;
    }
    void steps() {
        QFETCH(double, rate1);
        QFETCH(double, rate2);
        QFETCH(qint64, lastItem);
        QFETCH(QStringList, script);
        QFETCH(QStringList, messages);
        QFETCH(QString, total);
        TempApp app;
        for (const QString& m : messages) {
            const bool big = m == Pricing::tooLargeMessage();
            app.prompter.expectMessage(m, kTitle, big ? Icon::Exclamation : Icon::None);
        }
        Pricing p(*app.ctx);
        p.prepare(rates(rate1, rate2), cents(lastItem));
        WriterFocus focus = p.takeFocus();
        for (const QString& step : script) {
            run(p, step);
            focus = p.takeFocus();
        }
        const Pricing::View v = p.view();
        QTEST(flags(v), "flags");
        QCOMPARE(v.total, total);
        QCOMPARE(v.total, p.shown(p.total()));
        QTEST(firstN(v.schedule.amounts, v.schedule.count), "amounts");
        QTEST(firstN(v.schedule.dateLabels, v.schedule.count), "labels");
        QTEST(focusText(focus), "focus");
    }

    // fraTax and ckApplyTax follow the settings' two flags.
    void taxFrameFollowsSettings_data() {
        QTest::addColumn<bool>("apply1");
        QTest::addColumn<bool>("apply2");
        QTest::newRow("none") << false << false;
        QTest::newRow("first") << true << false;
        QTest::newRow("second") << false << true;
        QTest::newRow("both") << true << true;
    }
    void taxFrameFollowsSettings() {
        QFETCH(bool, apply1);
        QFETCH(bool, apply2);
        TempApp app;
        Pricing p(*app.ctx);
        p.prepare(TaxRates{4, 3, apply1, apply2}, Money());
        const bool any = apply1 || apply2;
        const Pricing::View v = p.view();
        QCOMPARE((QList<bool>{v.taxFrame, v.applyTaxEnabled, v.applyTaxChecked}),
                 QList<bool>(3, any));
    }

    // Dates first, then the amounts; a missing amount beeps, names itself and
    // is followed by the sum message.
    void scheduleChecks_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("dates");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("focus");
        const QString noFocus = focusText({});
        QTest::newRow("passes") << "300" << 3 << QStringList{"100", "100", "100"} << QStringList{}
                                << noFocus;
        QTest::newRow("missing date")
            << "300" << 2 << QStringList{"100", "100", "100"} << QStringList{kNoDate} << noFocus;
        QTest::newRow("missing amount")
            << "300" << 3 << QStringList{"100", "", "200"} << QStringList{kNoAmount, kNotEqual}
            << focusText({WriterFocus::Payment, 1});
        QTest::newRow("not a number")
            << "300" << 3 << QStringList{"100", "100", "1oo"} << QStringList{kNoAmount, kNotEqual}
            << focusText({WriterFocus::Payment, 2});
        QTest::newRow("a cent short") << "300" << 3 << QStringList{"100", "100", "99.99"}
                                      << QStringList{kNotEqual} << noFocus;
        QTest::newRow("zero total")
            << "0" << 3 << QStringList{"0", "0", "0"} << QStringList{kNotEqual}
            << focusText({WriterFocus::PreAmount});
    }
    void scheduleChecks() {
        QFETCH(QString, price);
        QFETCH(int, dates);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, messages);
        TempApp app;
        Pricing p(*app.ctx);
        p.prepare(rates(0, 0), Money());
        p.leavePreAmount(price);
        p.chooseOption(Pricing::Option::Multiple);
        p.chooseCount(3);
        for (int k = 0; k < 3; ++k) {
            p.leavePayment(k, typed[k]);
        }
        for (int d = 0; d < dates; ++d) {
            p.pickDate(QDate(2027, 1 + d, 1));
        }
        p.takeFocus();
        app.prompter.setStrictBeeps(true);
        for (const QString& m : messages) {
            if (m == kNoAmount) {
                app.prompter.expectBeep();
            }
            app.prompter.expectMessage(m, kTitle, Icon::None);
        }
        QCOMPARE(p.checkSchedule(), messages.isEmpty());
        QTEST(focusText(p.takeFocus()), "focus");
    }

    // Zero shown is emptied on entering a payment box or typing in one.
    void zeroShownIsEmptied() {
        TempApp app;
        Pricing p(*app.ctx);
        p.prepare(rates(0, 0), Money());
        p.keyPreAmount();
        QCOMPARE(p.view().preAmount, QString());
        p.leavePreAmount(QStringLiteral("100"));
        p.keyPreAmount();
        QCOMPARE(p.view().preAmount, QStringLiteral("$100.00"));
        p.chooseOption(Pricing::Option::DownAndFinal);
        p.leavePayment(0, QStringLiteral("0"));
        p.leavePayment(1, QStringLiteral("0"));
        p.enterPayment(0);
        p.keyPayment(1);
        QCOMPARE(firstN(p.view().schedule.amounts, 2), QStringList(2, QString()));
    }

    // Entering the step again keeps a schedule that was begun.
    void prepareKeepsBegunSchedule() {
        TempApp app;
        Pricing p(*app.ctx);
        p.prepare(rates(0, 0), Money());
        p.leavePreAmount(QStringLiteral("100"));
        p.chooseOption(Pricing::Option::InFull);
        p.pickDate(QDate(2027, 1, 1));
        p.prepare(rates(0, 0), Money());
        QCOMPARE(p.schedule().dateLabel(0), QStringLiteral("1/1/2027"));
        QCOMPARE(p.option(), Pricing::Option::None);
        QCOMPARE(p.total(), Money());
    }

    // A decimal-comma locale types, shows and splits its own forms.
    void germanAmounts() {
        TempApp app;
        Pricing p(*app.ctx, QLocale(QLocale::German, QLocale::Germany));
        p.prepare(TaxRates{TaxRates::parseRate(QStringLiteral("7,0")), 0, true, false}, Money());
        p.leavePreAmount(QStringLiteral("1.000,00"));
        p.setTaxApplied(Pricing::Tax::First, true);
        p.chooseOption(Pricing::Option::Multiple);
        p.chooseCount(3);
        p.setAllEqual(true);
        QCOMPARE(p.tax1(), cents(7000));
        QCOMPARE(p.schedule().amount(2), std::optional<Money>(cents(40334)));
        QVERIFY2(p.view().schedule.amounts[2].startsWith(QStringLiteral("403,34")),
                 qPrintable(p.view().schedule.amounts[2]));
    }
};

TOLVAR_TEST(TestPricing)
#include "test_pricing.moc"
