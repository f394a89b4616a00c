#include "proposals/pricing.h"

#include "shell/appcontext.h"

double TaxRates::parseRate(const QString& text) {
    QString t = text.trimmed();
    t.remove(QLatin1Char('%'));
    bool ok = false;
    const double rate = t.trimmed().toDouble(&ok);
    return ok && rate >= 0 ? rate : 0.0;
}

namespace PricingMath {

Money percentOf(Money amount, double rate) {
    return Money::fromDouble(amount.toDouble() * rate / 100.0).roundedToCents();
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
    const Money extra = Money::fromDouble(extension.toDouble() * rate / 100.0);
    return roundCentsHalfEven(extra + Money::fromRaw(50));
}

}  // namespace PricingMath

Pricing::Pricing(QLocale locale) : m_locale(locale), m_schedule(std::move(locale)) {}

QString Pricing::takeFocus() {
    QString f = m_focus;
    m_focus.clear();
    return f;
}

Money Pricing::taxFor(bool applied, double rate) const {
    // No price, no tax: a cleared amount clears both taxes with it.
    if (!applied || m_pre.isZero()) {
        return {};
    }
    Money tax = PricingMath::percentOf(m_pre, rate);
    if (m_taxItemsOn) {
        tax += PricingMath::itemTax(m_lastExtension, rate);
    }
    return tax;
}

void Pricing::recompute() {
    m_tax1 = taxFor(m_tax1On, m_rates.rate1);
    m_tax2 = taxFor(m_tax2On, m_rates.rate2);
    m_view.continueEnabled = !total().isZero();
}

void Pricing::setupTaxBoxes() {
    m_tax1On = false;
    m_tax2On = false;
    m_taxItemsOn = false;
    recompute();
    const bool any = m_rates.apply1 || m_rates.apply2;
    m_view.taxFrame = any;
    m_view.applyTaxEnabled = any;
    m_view.applyTaxChecked = any;
}

void Pricing::prepare() {
    setupTaxBoxes();
    m_option = NoOption;
    if (!m_schedule.amount(0) && !m_schedule.date(0)) {
        clearSchedule();
    }
    clearAmounts();
}

void Pricing::clearAmounts() {
    m_pre = Money();
    recompute();
    m_focus = QStringLiteral("txtpreAmount");
}

void Pricing::clearAmountsAndSchedule() {
    clearAmounts();
    m_schedule.view().boxesShown = false;
    m_view.optionsEnabled = false;
}

bool Pricing::leavePreAmount(const QString& text) {
    bool ok = false;
    const Money typed = Money::parseDisplay(text, &ok, m_locale);
    if (!ok || typed < Money()) {
        clearAmounts();
        return false;
    }
    m_pre = typed.roundedToCents();
    recompute();
    m_view.optionsFrame = true;
    m_view.optionsEnabled = true;
    m_view.taxItemsEnabled = m_lastExtension > Money();
    return true;
}

void Pricing::setTax1Applied(bool on) {
    m_tax1On = on;
    recompute();
}

void Pricing::setTax2Applied(bool on) {
    m_tax2On = on;
    recompute();
}

void Pricing::setTaxItems(bool on) {
    m_taxItemsOn = on;
    recompute();
}

void Pricing::postTaxes() {
    m_view.taxFrame = false;
    m_view.optionsFrame = true;
}

void Pricing::chooseOption(Option option) {
    PaymentSchedule::View& sv = m_schedule.view();
    m_option = option;
    m_view.multiContinue = false;
    chooseCount(5);
    sv.paymentsFrame = true;
    sv.calendarFrame = true;
    m_view.countHint = false;
    if (option == DownAndFinal || option == InFull) {
        chooseCount(option == DownAndFinal ? 2 : 1);
        m_view.countEnabled = false;
        setAllEqual(option == InFull);
        sv.paymentsFrame = true;
        m_view.optionsFrame = false;
    } else if (option == Multiple) {
        m_view.countHint = true;
        m_view.countEnabled = true;
        clearSchedule();
        sv.paymentsFrame = false;
        m_focus = QStringLiteral("cboPayments");
        m_view.multiContinue = true;
    }
    if (sv.paymentsFrame && !m_schedule.allEqual()) {
        focusFirstPayment();
    }
}

void Pricing::createSchedule() {
    m_schedule.view().paymentsFrame = true;
    m_view.optionsFrame = false;
}

void Pricing::chooseCount(int n) {
    m_schedule.setCount(n);
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
        focusFirstPayment();
        m_schedule.emptyAmounts();
        return;
    }
    m_schedule.splitEqually(m_pre, m_tax1, m_tax2);
    m_schedule.view().paymentsFrame = true;
    m_schedule.view().calendarEnabled = true;
}

void Pricing::enterPayment(int k) {
    if (total().isZero()) {
        clearAmounts();
    }
    if (m_schedule.isZeroShown(k)) {
        m_schedule.setAmountText(k, QString());
    }
}

void Pricing::leavePayment(int k, const QString& text) {
    m_schedule.setAmountText(k, text);
    if (!text.trimmed().isEmpty()) {
        m_schedule.formatAmount(k);
    }
    if (k + 1 == m_schedule.count()) {
        m_schedule.view().paymentsFrame = true;
    }
}

void Pricing::pickDate(const QDate& day, AppContext& ctx) {
    if (m_schedule.pickDate(day, ctx.prompter()) != PaymentSchedule::Pick::Completed) {
        return;
    }
    m_focus = QStringLiteral("cmdClearSchedule");
    if (m_schedule.amountText(0).isEmpty()) {
        focusFirstPayment();
    }
}

void Pricing::clearSchedule() {
    m_schedule.clear();
}

void Pricing::redo() {
    clearSchedule();
    m_schedule.view().paymentsFrame = false;
    m_schedule.view().calendarFrame = true;
    m_option = NoOption;
    // With no option chosen the options must be on screen to choose again.
    m_view.optionsFrame = true;
}

bool Pricing::checkSchedule(AppContext& ctx) {
    if (!m_schedule.checkDates(ctx.prompter())) {
        return false;
    }
    bool added = !total().isZero();
    if (!added) {
        clearAmounts();
    }
    Money sum;
    for (int k = 0; added && k < m_schedule.count(); ++k) {
        const auto amount = m_schedule.amount(k);
        if (!amount) {
            ctx.alarm();
            ctx.prompter().message(QStringLiteral("Enter a Payment Amount"),
                                   AppContext::applicationTitle());
            m_focus = QStringLiteral("txtPayment(%1)").arg(k);
            added = false;
        } else {
            sum += *amount;
        }
    }
    if (!added || sum != total()) {
        ctx.prompter().message(QStringLiteral("The total of payments do not equal Proposed Amount"),
                               AppContext::applicationTitle());
        return false;
    }
    return true;
}
