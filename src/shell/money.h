#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>

class Percent;

// Fixed-point amount counting 1/10000 of the currency unit. All sums, taxes and
// splits are exact; doubles come in only where a value is explicitly a
// floating-point number, converted with round-half-to-even at four places.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw) { return Money(raw); }
    static constexpr Money fromCents(qint64 cents) { return Money(cents * 100); }
    // Nothing for a value that is not a number or does not fit.
    static std::optional<Money> fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / 10000.0; }
    // Whole cents, halves away from zero (the display rounding).
    qint64 roundedCents() const;
    Money roundedToCents() const { return fromCents(roundedCents()); }
    // The exact product with the rate, rounded once to cents, halves away from
    // zero: $1.03 at 8.25 % is $0.08.
    Money percentOf(Percent rate) const;

    // The locale's currency form with two decimals ("$1,234.50", "($3.50)").
    QString display(const QLocale& locale = QLocale()) const;
    // Reads what the display form shows, or what a user types, in that
    // locale: symbol, grouping, no-break spaces and parentheses may be there.
    // Grouping counts only in groups of three, so under de_DE "12.50" is
    // twelve and a half (the plain form), never 1250. Nothing when the text
    // is no amount.
    static std::optional<Money> parseDisplay(const QString& text,
                                             const QLocale& locale = QLocale());
    // "1234.5": the bare number form of field-line files, whatever the locale.
    QString toPlainString() const;
    static std::optional<Money> fromPlainString(const QString& text);

    bool isZero() const { return m_raw == 0; }

    constexpr Money operator+(Money o) const { return Money(m_raw + o.m_raw); }
    constexpr Money operator-(Money o) const { return Money(m_raw - o.m_raw); }
    constexpr Money operator-() const { return Money(-m_raw); }
    constexpr Money operator*(qint64 n) const { return Money(m_raw * n); }
    Money& operator+=(Money o) {
        m_raw += o.m_raw;
        return *this;
    }
    Money& operator-=(Money o) {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};

// A rate in percent, 0 to 100, exact to a millionth of a percent.
class Percent {
public:
    constexpr Percent() = default;
    static constexpr Percent fromMillionths(qint64 m) { return Percent(m); }
    // A rate as typed or stored: "7.0", "7,0", " 6 ", "6%", "8.25". Nothing
    // for text that is no rate, exponents ("1e20") and rates outside 0-100.
    static std::optional<Percent> parse(const QString& text);

    constexpr qint64 millionths() const { return m_millionths; }
    double toDouble() const { return static_cast<double>(m_millionths) / 1e6; }
    constexpr auto operator<=>(const Percent&) const = default;

private:
    constexpr explicit Percent(qint64 m) : m_millionths(m) {}
    qint64 m_millionths = 0;
};

// The locale money amounts are shown in: the system's, or en_US where the
// system has only the C/POSIX locale.
QLocale MoneyLocale();

// Money::display for many amounts in one locale, its symbol looked up once.
class MoneyDisplay {
public:
    explicit MoneyDisplay(const QLocale& locale = MoneyLocale());
    QString operator()(const Money& amount) const;

private:
    QLocale m_locale;
    QString m_symbol;
};
