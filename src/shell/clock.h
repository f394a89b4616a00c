#pragma once

#include <QDate>
#include <QDateTime>

// Where today comes from. Invoice numbers, file dates and printed dates depend
// on it, so tests set a fixed day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : m_at(std::move(at)) {}
    explicit FixedClock(QDate day) : m_at(day, QTime(9, 0)) {}
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = std::move(at); }

private:
    QDateTime m_at;
};
