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

Money Money::fromDouble(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    // nearbyint rounds half to even in the default rounding mode.
    return Money(static_cast<qint64>(std::nearbyint(value * 10000.0)));
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

QString Money::display(const QLocale& locale) const {
    const QLocale l = locale.language() == QLocale::C ? MoneyLocale() : locale;
    return l.toCurrencyString(static_cast<double>(roundedCents()) / 100.0, l.currencySymbol(), 2);
}

Money Money::parseDisplay(const QString& text, bool* ok, const QLocale& locale) {
    const QLocale l = locale.language() == QLocale::C ? MoneyLocale() : locale;
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    t.remove(l.currencySymbol());
    t.remove(QChar(0x00A0));
    t.remove(QChar(0x202F));
    t = t.trimmed();
    if (t.startsWith(l.negativeSign()) || t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t = t.mid(1).trimmed();
    }
    t.remove(l.groupSeparator());
    t.replace(l.decimalPoint(), QStringLiteral("."));
    t.remove(QLatin1Char(' '));
    bool good = false;
    Money m = fromPlainString(t, &good);
    if (ok) {
        *ok = good;
    }
    return negative ? -m : m;
}

QString Money::toPlainString() const {
    const bool negative = m_raw < 0;
    const qint64 a = negative ? -m_raw : m_raw;
    QString s = QString::number(a / 10000);
    qint64 frac = a % 10000;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0'))) {
            f.chop(1);
        }
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

Money Money::fromPlainString(const QString& text, bool* ok) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t = t.mid(1);
    } else if (t.startsWith(QLatin1Char('+'))) {
        t = t.mid(1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? t : t.left(dot);
    QString frac = dot < 0 ? QString() : t.mid(dot + 1);
    bool good = !t.isEmpty() && (whole.size() + frac.size() > 0) && whole.size() <= 14;
    for (QChar c : whole + frac) {
        if (!c.isDigit()) {
            good = false;
        }
    }
    if (!good) {
        if (ok) {
            *ok = false;
        }
        return {};
    }
    // Beyond four places: round half to even on the fifth digit and the rest.
    qint64 raw = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    const QString four = (frac + QStringLiteral("0000")).left(4);
    raw += four.toLongLong();
    if (frac.size() > 4) {
        const QString rest = frac.mid(4);
        const int first = rest.at(0).digitValue();
        const bool beyond = rest.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (first > 5 || (first == 5 && (beyond || (raw % 2) == 1))) {
            ++raw;
        }
    }
    if (ok) {
        *ok = true;
    }
    return Money(negative ? -raw : raw);
}
