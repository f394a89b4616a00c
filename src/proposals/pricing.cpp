#include "proposals/pricing.h"

#include "shell/appcontext.h"

#include <utility>

double TaxRates::parseRate(const QString& text) {
    // The rate lists offer "7,0" beside "7.0" for decimal-comma users.
    return Percent::parse(text).value_or(Percent()).toDouble();
}

namespace PricingMath {

Money percentOf(Money amount, double rate) {
    // The rate came from a decimal text exact to a millionth of a percent;
    // the product is taken exactly and rounded once, to cents.
    return amount.percentOf(Percent::fromMillionths(qRound64(rate * 1e6)));
}

Money roundCentsHalfEven(Money m) {
    const qint64 raw = m.raw();
    qint64 cents = raw / 100;
    const qint64 rest = raw % 100;
    const qint64 away = rest < 0 ? -1 : 1;
    const qint64 half = rest < 0 ? -rest : rest;
    if (half > 50 || (half == 50 && cents % 2 != 0)) {
        cents += away;
    }
    return Money::fromCents(cents);
}

Money itemTax(Money extension, double rate) {
    const Money extra = Money::fromDouble(extension.toDouble() * rate / 100.0).value_or(Money());
    return roundCentsHalfEven(extra + Money::fromRaw(50));
}

}  // namespace PricingMath

Pricing::Pricing(AppContext& ctx, QLocale locale)
    : m_ctx(ctx), m_locale(locale), m_preText(shown(Money())), m_schedule(std::move(locale)) {}

QString Pricing::tooLargeMessage(const QLocale& locale) {
    return QStringLiteral("Amounts of %1 and more cannot be stored: enter a smaller Amount")
        .arg(AmountLimit.display(locale));
}

Pricing::View Pricing::view() const {
    View v = m_view;
    v.preAmount = m_preText;
    v.tax1 = shown(m_tax1);
    v.tax2 = shown(m_tax2);
    v.total = shown(total());
    v.schedule = m_schedule.view();
    return v;
}

WriterFocus Pricing::takeFocus() {
    return std::exchange(m_focus, WriterFocus());
}

Money Pricing::taxFor(bool applied, double rate) const {
    // No price, no tax: a cleared amount clears both taxes with it.
    if (!applied || m_pre.isZero()) {
        return {};
    }
    Money tax = PricingMath::percentOf(m_pre, rate);
    if (m_view.taxItemsChecked) {
        tax += PricingMath::itemTax(m_lastExtension, rate);
    }
    return tax;
}

void Pricing::recompute() {
    m_tax1 = taxFor(m_view.tax1Checked, m_rates.rate1);
    m_tax2 = taxFor(m_view.tax2Checked, m_rates.rate2);
    m_view.continueEnabled = !total().isZero();
}

bool Pricing::fits(Money amount) const {
    return amount < AmountLimit && -amount < AmountLimit;
}

void Pricing::tellTooLarge() {
    m_ctx.alarm();
    m_ctx.prompter().message(tooLargeMessage(m_locale), AppContext::applicationTitle(), Buttons::Ok,
                             Icon::Exclamation);
}

void Pricing::setupTaxBoxes(const TaxRates& rates) {
    m_rates = rates;
    m_view.tax1Checked = false;
    m_view.tax2Checked = false;
    m_view.taxItemsChecked = false;
    recompute();
    const bool any = rates.apply1 || rates.apply2;
    m_view.taxFrame = any;
    m_view.applyTaxEnabled = any;
    m_view.applyTaxChecked = any;
}

void Pricing::prepare(const TaxRates& rates, Money lastItemExtension) {
    m_lastExtension = lastItemExtension;
    setupTaxBoxes(rates);
    m_view.option = Option::None;
    m_view.paymentsFrame = false;
    if (!m_schedule.amount(0) && !m_schedule.date(0)) {
        clearSchedule();
    }
    clearAmounts();
}

void Pricing::clearAmounts() {
    m_pre = Money();
    m_preText = shown(m_pre);
    recompute();
    focus(WriterFocus::PreAmount);
}

void Pricing::press(Button button) {
    switch (button) {
        case Button::PostTaxes:
            m_view.taxFrame = false;
            m_view.optionsFrame = true;
            return;
        case Button::ClearAmount:
            clearAmounts();
            m_view.boxesShown = false;
            m_view.optionsEnabled = false;
            return;
        case Button::CreateSchedule:
            m_view.paymentsFrame = true;
            m_view.optionsFrame = false;
            return;
        case Button::ClearSchedule:
            clearSchedule();
            return;
        case Button::Redo:
            redo();
            return;
    }
}

void Pricing::keyPreAmount() {
    if (m_preText == shown(Money())) {
        m_preText.clear();
    }
}

void Pricing::leavePreAmount(const QString& text) {
    const std::optional<Money> read = Money::parseDisplay(text, m_locale);
    const Money typed = read.value_or(Money()).roundedToCents();
    if (!read || typed < Money()) {
        clearAmounts();
        return;
    }
    const Money before = m_pre;
    m_pre = typed;
    recompute();
    if (!fits(total())) {
        m_pre = before;
        recompute();
        tellTooLarge();
        focus(WriterFocus::PreAmount);
        return;
    }
    m_preText = shown(m_pre);
    m_view.optionsFrame = true;
    m_view.optionsEnabled = true;
    m_view.priceLabel = shown(total());
    m_view.taxItemsEnabled = m_lastExtension > Money();
}

void Pricing::setTaxApplied(Tax tax, bool on) {
    bool& checked = tax == Tax::First ? m_view.tax1Checked : m_view.tax2Checked;
    checked = on;
    recompute();
    if (!fits(total())) {
        checked = false;
        recompute();
        tellTooLarge();
    }
}

void Pricing::setTaxItems(bool on) {
    m_view.taxItemsChecked = on;
    recompute();
    if (!fits(total())) {
        m_view.taxItemsChecked = false;
        recompute();
        tellTooLarge();
    }
}

void Pricing::chooseOption(Option option) {
    m_view.option = option;
    m_view.createSchedule = false;
    chooseCount(5);
    m_view.paymentsFrame = true;
    m_view.calendarFrame = true;
    m_view.countHint = false;
    if (option == Option::DownAndFinal || option == Option::InFull) {
        chooseCount(option == Option::DownAndFinal ? 2 : 1);
        m_view.countEnabled = false;
        setAllEqual(option == Option::InFull);
        m_view.optionsFrame = false;
    } else if (option == Option::Multiple) {
        m_view.countHint = true;
        m_view.countEnabled = true;
        clearSchedule();
        m_view.paymentsFrame = false;
        focus(WriterFocus::PaymentCount);
        m_view.createSchedule = true;
    }
    if (m_view.paymentsFrame && !m_schedule.allEqual()) {
        focus(WriterFocus::Payment, 0);
    }
}

void Pricing::chooseCount(int n) {
    m_schedule.setCount(n);
    m_view.boxesShown = true;
    if (total().isZero()) {
        clearAmounts();
    } else if (m_schedule.allEqual()) {
        // A split made for another count would no longer add up.
        runAllEqual();
    }
}

void Pricing::setAllEqual(bool on) {
    m_schedule.setAllEqual(on);
    runAllEqual();
}

void Pricing::runAllEqual() {
    if (m_pre.isZero()) {
        clearAmounts();
        return;
    }
    if (!m_schedule.allEqual()) {
        focus(WriterFocus::Payment, 0);
        m_schedule.emptyAmounts();
        return;
    }
    m_schedule.splitEqually(m_pre, m_tax1, m_tax2);
    m_view.paymentsFrame = true;
    m_view.calendarEnabled = true;
}

void Pricing::enterPayment(int k) {
    if (total().isZero()) {
        clearAmounts();
    }
    keyPayment(k);
}

void Pricing::keyPayment(int k) {
    if (m_schedule.isZeroShown(k)) {
        m_schedule.setAmountText(k, QString());
    }
}

void Pricing::leavePayment(int k, const QString& text) {
    m_schedule.setAmountText(k, text);
    if (const std::optional<Money> amount = m_schedule.amount(k); amount && !fits(*amount)) {
        m_schedule.setAmountText(k, QString());
        tellTooLarge();
        focus(WriterFocus::Payment, k);
        return;
    }
    m_schedule.formatAmount(k);
    if (k + 1 == m_schedule.count()) {
        m_view.paymentsFrame = true;
    }
}

void Pricing::pickDate(const QDate& day) {
    if (m_schedule.pickDate(day, m_ctx.prompter()) != PaymentSchedule::Pick::Completed) {
        return;
    }
    m_view.reviewNote = true;
    m_view.calendarFrame = false;
    m_view.calendarEnabled = false;
    focus(WriterFocus::ClearSchedule);
    if (m_schedule.amountText(0).isEmpty()) {
        focus(WriterFocus::Payment, 0);
    }
}

void Pricing::clearSchedule() {
    m_schedule.clear();
    m_view.reviewNote = false;
    // Dates can be picked again once the old ones are gone.
    m_view.calendarEnabled = true;
}

void Pricing::redo() {
    clearSchedule();
    m_view.paymentsFrame = false;
    m_view.calendarFrame = true;
    m_view.option = Option::None;
    // With no option chosen the options must be on screen to choose again.
    m_view.optionsFrame = true;
}

bool Pricing::checkSchedule() {
    Prompter& p = m_ctx.prompter();
    if (!m_schedule.checkDates(p)) {
        return false;
    }
    bool added = !total().isZero();
    if (!added) {
        clearAmounts();
    }
    Money sum;
    for (int k = 0; added && k < m_schedule.count(); ++k) {
        if (const std::optional<Money> amount = m_schedule.amount(k)) {
            sum += *amount;
            continue;
        }
        m_ctx.alarm();
        p.message(QStringLiteral("Enter a Payment Amount"), AppContext::applicationTitle());
        focus(WriterFocus::Payment, k);
        added = false;
    }
    if (!added || sum != total()) {
        p.message(QStringLiteral("The total of payments do not equal Proposed Amount"),
                  AppContext::applicationTitle());
        return false;
    }
    return true;
}
