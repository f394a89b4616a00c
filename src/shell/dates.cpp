#include "shell/dates.h"

#include <cmath>

namespace Dates {

namespace {
const QDate kEpoch(1899, 12, 30);

QLocale effective(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return locale;
}
}  // namespace

QString shortFormat(const QLocale& locale) {
    QString f = effective(locale).dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy"))) {
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    }
    return f;
}

ShortDates::ShortDates(const QLocale& locale)
    : m_locale(effective(locale)), m_format(shortFormat(locale)) {}

QString ShortDates::operator()(const QDate& date) const {
    return date.isValid() ? m_locale.toString(date, m_format) : QString();
}

QString toShort(const QDate& date, const QLocale& locale) {
    return ShortDates(locale)(date);
}

QDate fromShort(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    const QLocale l = effective(locale);
    QDate d = l.toDate(t, shortFormat(locale));
    if (!d.isValid()) {
        d = l.toDate(t, l.dateFormat(QLocale::ShortFormat));
        if (d.isValid() && d.year() < 1950) {
            d = d.addYears(100);
        }
    }
    if (!d.isValid()) {
        d = QDate::fromString(t, Qt::ISODate);
    }
    return d;
}

double toDayCount(const QDate& date) {
    if (!date.isValid()) {
        return 0;
    }
    return static_cast<double>(kEpoch.daysTo(date));
}

QDate fromDayCount(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) {
        return {};
    }
    // The whole part is the day and the fraction the time of day, also before
    // the epoch: -1.25 is 1899-12-29 at 6 o'clock, so the day is truncated.
    return kEpoch.addDays(static_cast<qint64>(std::trunc(days)));
}

QString weekdayName(const QDate& date) {
    return QLocale(QLocale::English, QLocale::UnitedStates).dayName(date.dayOfWeek());
}

}  // namespace Dates
