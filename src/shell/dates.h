#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace Dates {

// The locale's short date with the year widened to four digits
// ("12/5/2026", "05.12.2026"). Qt's own short form has two-digit years,
// which would read back a century early.
QString shortFormat(const QLocale& locale = QLocale());
QString toShort(const QDate& date, const QLocale& locale = QLocale());
// toShort for many dates in one locale, its format looked up once (a list
// of thousands of proposals).
class ShortDates {
public:
    explicit ShortDates(const QLocale& locale = QLocale());
    QString operator()(const QDate& date) const;

private:
    QLocale m_locale;
    QString m_format;
};
// Reads the short form back; also accepts a two-digit year form and ISO.
QDate fromShort(const QString& text, const QLocale& locale = QLocale());

// Day counts from 1899-12-30, as record files keep dates.
double toDayCount(const QDate& date);
QDate fromDayCount(double days);

// "Monday" and so on, in English as the data files keep them.
QString weekdayName(const QDate& date);

}  // namespace Dates
