#include "proposals/pricing.h"
#include "proposalsfixture.h"

namespace {

Money cents(qint64 c) {
    return Money::fromCents(c);
}

// The names of the controls shown, enabled or checked.
QString flags(const Pricing::View& v) {
    const bool set[] = {v.taxFrame,       v.applyTaxEnabled, v.applyTaxChecked,  v.tax1Checked,
                        v.tax2Checked,    v.taxItemsEnabled, v.taxItemsChecked,  v.optionsFrame,
                        v.optionsEnabled, v.createSchedule,  v.countHint,        v.countEnabled,
                        v.paymentsFrame,  v.boxesShown,      v.calendarFrame,    v.calendarEnabled,
                        v.reviewNote,     v.continueEnabled, v.schedule.allEqual};
    // In the order of `set`.
    static const QStringList names{
        "taxFrame",       "applyEnabled", "applyChecked", "tax1",
        "tax2",           "itemsEnabled", "items",        "options",
        "optionsEnabled", "create",       "hint",         "countEnabled",
        "payments",       "boxes",        "calendar",     "calendarEnabled",
        "review",         "continue",     "equal"};
    QStringList on;
    for (qsizetype i = 0; i < names.size(); ++i) {
        on << (set[i] ? names[i] : QString());
    }
    on.removeAll(QString());
    return on.join(u' ');
}

QString firstN(const std::array<QString, PaymentSchedule::MaxPayments>& all, int n) {
    return QStringList(all.begin(), all.begin() + n).join(QStringLiteral(" | "));
}

// The pricing step with the rates of a script, and the user's actions on it.
struct PricingApp : ScriptApp {
    std::unique_ptr<Pricing> p;
    TaxRates taxes;
    bool german = false;
    bool checked = true;
    WriterFocus focus;

    // The steps of pricing_scripts.txt.
    PricingApp() : ScriptApp(false) {
        prompter.setStrictBeeps(true);
        const Steps actions{
            {"pre", [this] { p->leavePreAmount(arg); }},
            {"tax1", [this] { p->setTaxApplied(Pricing::Tax::First, n); }},
            {"tax2", [this] { p->setTaxApplied(Pricing::Tax::Second, n); }},
            {"items", [this] { p->setTaxItems(n); }},
            {"option", [this] { p->chooseOption(Pricing::Option(n)); }},
            {"count", [this] { p->chooseCount(n); }},
            {"equal", [this] { p->setAllEqual(n); }},
            {"pay", [this] { p->leavePayment(n, a.value(2)); }},
            {"enterpay", [this] { p->enterPayment(n); }},
            {"keypay", [this] { p->keyPayment(n); }},
            {"key", [this] { p->keyPreAmount(); }},
            {"date", [this] { p->pickDate(QDate::fromString(arg, Qt::ISODate)); }},
            {"press", [this] { p->press(Pricing::Button(n)); }},
            {"check", [this] { checked = p->checkSchedule(); }},
            {"prepare", [this] { p->prepare(taxes, Money()); }},
            {"rates", [this] {
                 const double first = arg.toDouble(), second = a.value(2).toDouble();
                 taxes = TaxRates{first, second, first > 0, second > 0};
                 p = std::make_unique<Pricing>(
                     *ctx, german ? QLocale(QLocale::German, QLocale::Germany) : MoneyLocale());
                 p->prepare(taxes, cents(a.value(3).toLongLong()));
             }}};
        for (auto it = actions.begin(); it != actions.end(); ++it) {
            steps.insert(it.key(), [this, act = it.value()] {
                act();
                focus = p->takeFocus();
            });
        }
        steps.insert(Steps{
            {"locale", [this] { german = arg == "de"; }},
            {"flags", [this] { shows(flags(p->view())); }},
            {"total", [this] { shows(p->view().total); }},
            {"box", [this] { shows(p->view().preAmount); }},
            {"amounts",
             [this] { shows(firstN(p->view().schedule.amounts, p->view().schedule.count)); }},
            {"labels",
             [this] { shows(firstN(p->view().schedule.dateLabels, p->view().schedule.count)); }},
            {"focus", [this] { shows(focusName(focus)); }},
            {"checked", [this] { shows(yes(checked)); }}});
    }

    // The current step's arguments are what the step shows, items trimmed.
    void shows(const QString& shown) const {
        QCOMPARE(listOf(shown), a.size() > 1 ? a.mid(1) : QStringList(QString()));
    }
};
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

    // The pricing step's controls after the user's actions.
    void steps_data() { loadScripts(QStringLiteral("pricing_scripts.txt")); }
    void steps() {
        PricingApp app;
        app.runScript();
        QVERIFY(app.p);
        QCOMPARE(app.p->view().total, app.p->shown(app.p->total()));
    }
};

TOLVAR_TEST(TestPricing)
#include "test_pricing.moc"
