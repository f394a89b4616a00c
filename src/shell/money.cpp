#include "shell/money.h"

#include <QRegularExpression>

#include <cmath>

QLocale MoneyLocale() {
    QLocale l;
    if (l.language() == QLocale::C) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return l;
}

namespace {

__extension__ typedef __int128 Wide;

bool allDigits(const QString& s) {
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

// whole.frac as a count of 10^-places, the rest rounded half to even. Nothing
// for a non-digit, no digits at all, or more than `maxWhole` whole digits.
std::optional<qint64> decimal(const QString& whole, const QString& frac, int places, int maxWhole) {
    if (whole.size() + frac.size() == 0 || whole.size() > maxWhole || !allDigits(whole) ||
        !allDigits(frac)) {
        return std::nullopt;
    }
    qint64 scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    qint64 n = whole.isEmpty() ? 0 : whole.toLongLong() * scale;
    const QString kept = (frac + QString(places, QLatin1Char('0'))).left(places);
    n += kept.isEmpty() ? 0 : kept.toLongLong();
    const QString rest = frac.mid(places);
    if (!rest.isEmpty()) {
        const int first = rest.at(0).digitValue();
        const bool beyond = rest.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (first > 5 || (first == 5 && (beyond || n % 2 == 1))) {
            ++n;
        }
    }
    return n;
}

// Splits "12.5" at its one decimal mark; nothing when there are two.
bool splitAt(const QString& t, const QString& mark, QString* whole, QString* frac) {
    const qsizetype at = t.indexOf(mark);
    if (at >= 0 && t.indexOf(mark, at + mark.size()) >= 0) {
        return false;
    }
    *whole = at < 0 ? t : t.left(at);
    *frac = at < 0 ? QString() : t.mid(at + mark.size());
    return true;
}

// Digits grouped in threes by `sep` ("1.234.567"), without the separators;
// nothing when the groups are of any other size.
std::optional<QString> ungrouped(const QString& whole, const QString& sep) {
    if (sep.isEmpty() || !whole.contains(sep)) {
        return whole;
    }
    const QStringList groups = whole.split(sep);
    if (groups.first().isEmpty() || groups.first().size() > 3) {
        return std::nullopt;
    }
    for (qsizetype i = 1; i < groups.size(); ++i) {
        if (groups.at(i).size() != 3) {
            return std::nullopt;
        }
    }
    return groups.join(QString());
}

QLocale effective(const QLocale& locale) {
    return locale.language() == QLocale::C ? MoneyLocale() : locale;
}

}  // namespace

std::optional<Money> Money::fromDouble(double value) {
    const double scaled = value * 10000.0;
    // 2^63: the first value a 64-bit count cannot hold.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9223372036854775808.0) {
        return std::nullopt;
    }
    // nearbyint rounds half to even in the default rounding mode.
    return Money(static_cast<qint64>(std::nearbyint(scaled)));
}

qint64 Money::roundedCents() const {
    const qint64 whole = m_raw / 100;
    const qint64 rest = m_raw % 100;
    if (rest >= 50) {
        return whole + 1;
    }
    if (rest <= -50) {
        return whole - 1;
    }
    return whole;
}

Money Money::percentOf(Percent rate) const {
    // raw / 10^4 units x millionths / 10^6 / 100 gives cents at 10^10.
    const Wide product = static_cast<Wide>(m_raw) * rate.millionths();
    const Wide divisor = 10000000000LL;
    Wide cents = product / divisor;
    const Wide rest = product % divisor;
    if (rest * 2 >= divisor) {
        ++cents;
    } else if (rest * 2 <= -divisor) {
        --cents;
    }
    return fromCents(static_cast<qint64>(cents));
}

QString Money::display(const QLocale& locale) const {
    return MoneyDisplay(locale)(*this);
}

MoneyDisplay::MoneyDisplay(const QLocale& locale)
    : m_locale(effective(locale)), m_symbol(m_locale.currencySymbol()) {}

QString MoneyDisplay::operator()(const Money& amount) const {
    return m_locale.toCurrencyString(static_cast<double>(amount.roundedCents()) / 100.0, m_symbol,
                                     2);
}

std::optional<Money> Money::parseDisplay(const QString& text, const QLocale& locale) {
    const QLocale l = effective(locale);
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    t.remove(l.currencySymbol());
    t.remove(QChar(0x00A0));
    t.remove(QChar(0x202F));
    t.remove(QLatin1Char(' '));
    if (t.startsWith(l.negativeSign()) || t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t = t.mid(1);
    }
    const QString point = l.decimalPoint();
    const QString group = l.groupSeparator();
    QString mark = point;
    // The plain form's "." is the decimal mark where the locale's own mark is
    // absent and "." does not group thousands ("12.50" under de_DE).
    if (!t.contains(point) && point != QLatin1String(".") && !ungrouped(t, group)) {
        mark = QStringLiteral(".");
    }
    QString whole;
    QString frac;
    if (!splitAt(t, mark, &whole, &frac)) {
        return std::nullopt;
    }
    if (mark == point) {
        const std::optional<QString> digits = ungrouped(whole, group);
        if (!digits) {
            return std::nullopt;
        }
        whole = *digits;
    }
    const std::optional<qint64> raw = decimal(whole, frac, 4, 14);
    if (!raw) {
        return std::nullopt;
    }
    return Money(negative ? -*raw : *raw);
}

QString Money::toPlainString() const {
    const bool negative = m_raw < 0;
    const quint64 a = negative ? 0 - static_cast<quint64>(m_raw) : static_cast<quint64>(m_raw);
    QString s = QString::number(a / 10000);
    const quint64 frac = a % 10000;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0'))) {
            f.chop(1);
        }
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

std::optional<Money> Money::fromPlainString(const QString& text) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    QString whole;
    QString frac;
    if (!splitAt(t, QStringLiteral("."), &whole, &frac)) {
        return std::nullopt;
    }
    const std::optional<qint64> raw = decimal(whole, frac, 4, 14);
    if (!raw) {
        return std::nullopt;
    }
    return Money(negative ? -*raw : *raw);
}

std::optional<Percent> Percent::parse(const QString& text) {
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('%'))) {
        t.chop(1);
        t = t.trimmed();
    }
    // Either mark is the decimal one: the rate choices offer "7,0" beside "7.0".
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    QString whole;
    QString frac;
    if (!splitAt(t, QStringLiteral("."), &whole, &frac)) {
        return std::nullopt;
    }
    const std::optional<qint64> m = decimal(whole, frac, 6, 3);
    if (!m || *m > 100000000) {
        return std::nullopt;
    }
    return Percent(*m);
}
