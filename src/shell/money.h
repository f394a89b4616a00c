#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>

// Fixed-point amount counting 1/10000 of the currency unit. All sums, taxes and
// splits are exact; doubles come in only where a value is explicitly a
// floating-point number, converted with round-half-to-even at four places.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw) { return Money(raw); }
    static constexpr Money fromCents(qint64 cents) { return Money(cents * 100); }
    static Money fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / 10000.0; }
    // Whole cents, halves away from zero (the display rounding).
    qint64 roundedCents() const;
    Money roundedToCents() const { return fromCents(roundedCents()); }

    // The locale's currency form with two decimals ("$1,234.50", "($3.50)").
    QString display(const QLocale& locale = QLocale()) const;
    // Reads a display form back (symbol, grouping, no-break spaces and
    // parentheses stripped). Plain numbers are accepted too.
    static Money parseDisplay(const QString& text, bool* ok = nullptr,
                              const QLocale& locale = QLocale());
    // "1234.5": the bare number form of field-line files.
    QString toPlainString() const;
    static Money fromPlainString(const QString& text, bool* ok = nullptr);

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

// The locale money amounts are shown in: the system's, or en_US where the
// system has only the C/POSIX locale.
QLocale MoneyLocale();
