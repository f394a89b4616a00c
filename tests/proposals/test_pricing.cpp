#include "proposals/pricing.h"
#include "proposalsfixture.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

Money cents(qint64 c) {
    return Money::fromCents(c);
}

TaxRates rates(double r1, double r2) {
    return TaxRates{r1, r2, r1 > 0, r2 > 0};
}

QString focusName(WriterFocus f) {
    static const QStringList names{
        "None",         "SiteName",  "Body",         "TaxStatement", "ItemDescription", "ItemPrice",
        "ItemQuantity", "PreAmount", "PaymentCount", "Payment",      "ClearSchedule"};
    const QString name = names.at(f.control);
    return f.control == WriterFocus::Payment ? name + QLatin1Char(' ') + QString::number(f.index)
                                             : name;
}

// The names of the controls shown, enabled or checked.
QString flags(const Pricing::View& v) {
    const bool set[] = {v.taxFrame,       v.applyTaxEnabled, v.applyTaxChecked,  v.tax1Checked,
                        v.tax2Checked,    v.taxItemsEnabled, v.taxItemsChecked,  v.optionsFrame,
                        v.optionsEnabled, v.createSchedule,  v.countHint,        v.countEnabled,
                        v.paymentsFrame,  v.boxesShown,      v.calendarFrame,    v.calendarEnabled,
                        v.reviewNote,     v.continueEnabled, v.schedule.allEqual};
    static const QStringList names{
        "taxFrame",       "applyEnabled", "applyChecked", "tax1",
        "tax2",           "itemsEnabled", "items",        "options",
        "optionsEnabled", "create",       "hint",         "countEnabled",
        "payments",       "boxes",        "calendar",     "calendarEnabled",
        "review",         "continue",     "equal"};
    QStringList on;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (set[i]) {
            on << names.at(i);
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
    } else if (what == QLatin1String("enterpay")) {
        p.enterPayment(a.at(1).toInt());
    } else if (what == QLatin1String("keypay")) {
        p.keyPayment(a.at(1).toInt());
    } else if (what == QLatin1String("key")) {
        p.keyPreAmount();
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

    void steps_data() {
        QTest::addColumn<Scenario>("scenario");
        for (const auto& [name, scenario] : scenarios(QStringLiteral("pricing_steps.txt"))) {
            QTest::newRow(qPrintable(name)) << scenario;
        }
    }
    void steps() {
        QFETCH(Scenario, scenario);
        TempApp app;
        app.prompter.setStrictBeeps(true);
        for (const QString& said : listOf(scenario.value(QStringLiteral("said")))) {
            if (said == QLatin1String("beep")) {
                app.prompter.expectBeep();
            } else if (!said.isEmpty()) {
                const bool loud = said.startsWith(QLatin1String("! "));
                app.prompter.expectMessage(loud ? said.mid(2) : said, kTitle,
                                           loud ? Icon::Exclamation : Icon::None);
            }
        }
        const QStringList r = scenario.value(QStringLiteral("rates")).split(QLatin1Char(' '));
        const TaxRates taxes = rates(r.at(0).toDouble(), r.at(1).toDouble());
        Pricing p(*app.ctx);
        p.prepare(taxes, cents(r.at(2).toLongLong()));
        WriterFocus focus = p.takeFocus();
        bool checked = true;
        for (const QString& step : listOf(scenario.value(QStringLiteral("do")))) {
            if (step.isEmpty()) {
                continue;
            }
            if (step == QLatin1String("check")) {
                checked = p.checkSchedule();
            } else if (step == QLatin1String("prepare")) {
                p.prepare(taxes, Money());
            } else {
                run(p, step);
            }
            focus = p.takeFocus();
        }
        const Pricing::View v = p.view();
        QCOMPARE(v.total, p.shown(p.total()));
        const Scenario shown{
            {"flags", flags(v)},
            {"total", v.total},
            {"box", v.preAmount},
            {"amounts", firstN(v.schedule.amounts, v.schedule.count).join(QStringLiteral(" | "))},
            {"labels", firstN(v.schedule.dateLabels, v.schedule.count).join(QStringLiteral(" | "))},
            {"focus", focusName(focus)},
            {"checked", checked ? QStringLiteral("yes") : QStringLiteral("no")}};
        for (auto it = shown.begin(); it != shown.end(); ++it) {
            if (scenario.contains(it.key())) {
                const QString want = scenario.value(it.key());
                QVERIFY2(listOf(it.value()) == listOf(want),
                         qPrintable(it.key() + ": " + it.value() + " instead of " + want));
            }
        }
    }

    // A decimal-comma locale types, shows and splits its own forms.
    void germanAmounts() {
        TempApp app;
        Pricing p(*app.ctx, QLocale(QLocale::German, QLocale::Germany));
        p.prepare(TaxRates{TaxRates::parseRate(QStringLiteral("7,0")), 0, true, false}, Money());
        p.leavePreAmount(QStringLiteral("1.000,00"));
        p.setTaxApplied(Pricing::Tax::First, true);
        p.chooseOption(Pricing::Option::InFull);
        p.chooseOption(Pricing::Option::Multiple);
        QVERIFY(!p.view().paymentsFrame);  // until the number of payments is chosen
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
