#include "proposals/paymentschedule.h"

#include "shell/appcontext.h"
#include "shell/dates.h"
#include "shell/prompter.h"

#include <algorithm>

PaymentSchedule::PaymentSchedule(QLocale locale) : m_locale(std::move(locale)) {}

PaymentSchedule::View PaymentSchedule::view() const {
    View v;
    v.count = m_count;
    v.amounts = m_amounts;
    for (int k = 0; k < MaxPayments; ++k) {
        v.dateLabels[k] = dateLabel(k);
    }
    v.allEqual = m_allEqual;
    v.allEqualCaption = m_allEqual ? QStringLiteral("Payment Amounts Made Equal")
                                   : QStringLiteral("Enter Payments Manually");
    return v;
}

void PaymentSchedule::setCount(int n) {
    m_count = std::clamp(n, 1, MaxPayments);
}

QString PaymentSchedule::amountText(int k) const {
    return valid(k) ? m_amounts[k] : QString();
}

void PaymentSchedule::setAmountText(int k, const QString& text) {
    if (valid(k)) {
        m_amounts[k] = text;
    }
}

std::optional<Money> PaymentSchedule::amount(int k) const {
    const QString text = amountText(k);
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return Money::parseDisplay(text, m_locale);
}

bool PaymentSchedule::isZeroShown(int k) const {
    return amountText(k) == Money().display(m_locale);
}

void PaymentSchedule::formatAmount(int k) {
    if (const auto m = amount(k)) {
        m_amounts[k] = m->display(m_locale);
    }
}

void PaymentSchedule::emptyAmounts() {
    for (int k = 0; k < m_count; ++k) {
        m_amounts[k].clear();
    }
}

std::optional<QDate> PaymentSchedule::date(int k) const {
    return valid(k) ? m_dates[k] : std::nullopt;
}

QString PaymentSchedule::dateLabel(int k) const {
    if (const auto d = date(k)) {
        return Dates::toShort(*d, m_locale);
    }
    return QStringLiteral("due Date # ") + QString::number(k + 1);
}

QList<Money> PaymentSchedule::EqualShares(Money preAmount, int count, Money tax1, Money tax2) {
    const int n = std::clamp(count, 1, MaxPayments);
    // The share is found in floating point and pulled down half a cent, so
    // that showing it (halves away from zero) never rounds it up.
    const Money share =
        Money::fromDouble(preAmount.toDouble() / n).value_or(Money()) - Money::fromRaw(50);
    QList<Money> shares(n, share.roundedToCents());
    Money sum;
    for (const Money& m : shares) {
        sum += m;
    }
    if (sum < preAmount) {
        shares.last() += preAmount - sum;
    }
    shares.last() += tax1;
    shares.last() += tax2;
    return shares;
}

void PaymentSchedule::splitEqually(Money preAmount, Money tax1, Money tax2) {
    const QList<Money> shares = EqualShares(preAmount, m_count, tax1, tax2);
    for (int k = 0; k < shares.size(); ++k) {
        m_amounts[k] = shares[k].display(m_locale);
    }
}

PaymentSchedule::Pick PaymentSchedule::pickDate(const QDate& day, Prompter& prompter) {
    // A count lowered after some dates were picked starts the dates over,
    // rather than running past the last payment.
    if (m_restart || m_dateIndex >= m_count) {
        m_dateIndex = 0;
        m_restart = false;
    }
    for (int k = 0; k < m_dateIndex; ++k) {
        if (m_dates[k] && *m_dates[k] >= day) {
            prompter.message(
                QStringLiteral("The Selected date is less than or equal a previous date"),
                AppContext::applicationTitle());
            return Pick::Refused;
        }
    }
    m_dates[m_dateIndex] = day;
    ++m_dateIndex;
    if (m_dateIndex < m_count) {
        return Pick::Assigned;
    }
    m_dateIndex = 0;
    return Pick::Completed;
}

void PaymentSchedule::clear() {
    emptyAmounts();
    m_dates.fill(std::nullopt);
    m_restart = true;
    m_allEqual = false;
}

bool PaymentSchedule::checkDates(Prompter& prompter) const {
    for (int k = 0; k < m_count; ++k) {
        if (!m_dates[k]) {
            prompter.message(QStringLiteral("You must enter a Payment Date for each Payment"),
                             AppContext::applicationTitle());
            return false;
        }
    }
    return true;
}
