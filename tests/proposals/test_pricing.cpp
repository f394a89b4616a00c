#include "proposals/pricing.h"
#include "proposalsfixture.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <functional>

namespace {

Money cents(qint64 c) {
    return Money::fromCents(c);
}

TaxRates rates(double r1, double r2) {
    return TaxRates{r1, r2, r1 > 0, r2 > 0};
}

// The names of the controls shown, enabled or checked.
QString flags(const Pricing::View& v) {
    const bool set[] = {v.taxFrame,       v.applyTaxEnabled, v.applyTaxChecked,  v.tax1Checked,
                        v.tax2Checked,    v.taxItemsEnabled, v.taxItemsChecked,  v.optionsFrame,
                        v.optionsEnabled, v.createSchedule,  v.countHint,        v.countEnabled,
                        v.paymentsFrame,  v.boxesShown,      v.calendarFrame,    v.calendarEnabled,
                        v.reviewNote,     v.continueEnabled, v.schedule.allEqual};
    static const QStringList names =
        QStringLiteral(
            "taxFrame applyEnabled applyChecked tax1 tax2 itemsEnabled items options "
            "optionsEnabled create hint countEnabled payments boxes calendar "
            "calendarEnabled review continue equal")
            .split(QLatin1Char(' '));
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
    const bool on = a.value(1) == QLatin1String("1");
    const int n = a.value(1).toInt();
    const QMap<QString, std::function<void()>> actions{
        {"pre", [&] { p.leavePreAmount(a.at(1)); }},
        {"tax1", [&] { p.setTaxApplied(Pricing::Tax::First, on); }},
        {"tax2", [&] { p.setTaxApplied(Pricing::Tax::Second, on); }},
        {"items", [&] { p.setTaxItems(on); }},
        {"option", [&] { p.chooseOption(Pricing::Option(n)); }},
        {"count", [&] { p.chooseCount(n); }},
        {"equal", [&] { p.setAllEqual(on); }},
        {"pay", [&] { p.leavePayment(n, a.at(2)); }},
        {"enterpay", [&] { p.enterPayment(n); }},
        {"keypay", [&] { p.keyPayment(n); }},
        {"key", [&] { p.keyPreAmount(); }},
        {"date", [&] { p.pickDate(QDate::fromString(a.at(1), Qt::ISODate)); }},
        {"press", [&] { p.press(Pricing::Button(n)); }}};
    QVERIFY2(actions.contains(a.at(0)), qPrintable(step));
    actions[a.at(0)]();
}

QStringList firstN(const std::array<QString, PaymentSchedule::MaxPayments>& all, int n) {
    return QStringList(all.begin(), all.begin() + n);
}
}  // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    // The cases of the money rules are in tests/data/proposals.
    void taxRules_data() { cases::load(QStringLiteral("proposals/tax_rules.txt")); }
    void taxRules() {
        const cases::Row c = cases::row();
        QCOMPARE(PricingMath::percentOf(cents(c.big(0)), c.real(1)), cents(c.big(2)));
        QCOMPARE(PricingMath::itemTax(cents(c.big(0)), c.real(1)), cents(c.big(3)));
    }

    void roundHalfEven_data() { cases::load(QStringLiteral("proposals/half_even.txt")); }
    void roundHalfEven() {
        const cases::Row c = cases::row();
        QCOMPARE(PricingMath::roundCentsHalfEven(Money::fromRaw(c.big(0))), cents(c.big(1)));
    }

    void parseRate_data() { cases::load(QStringLiteral("proposals/tax_rates.txt")); }
    void parseRate() {
        const cases::Row c = cases::row();
        QCOMPARE(TaxRates::parseRate(c.text(0)), c.real(1));
    }

    void equalShares_data() { cases::load(QStringLiteral("proposals/equal_shares.txt")); }
    void equalShares() {
        const cases::Row c = cases::row();
        QList<Money> expected;
        for (int s : c.numbers(3)) {
            expected << cents(s);
        }
        QCOMPARE(PaymentSchedule::EqualShares(cents(c.big(0)), int(expected.size()),
                                              cents(c.big(1)), cents(c.big(2))),
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
        const bool german = scenario.value(QStringLiteral("locale")) == QLatin1String("de");
        Pricing p(*app.ctx, german ? QLocale(QLocale::German, QLocale::Germany) : MoneyLocale());
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
};

TOLVAR_TEST(TestPricing)
#include "test_pricing.moc"
