#pragma once

#include "shell/money.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

class Prompter;

// The schedule of one to eight payments of a proposal: the amount boxes as the
// user sees them (text in money display form, or whatever was typed) and the
// due dates picked on the calendar, strictly increasing.
class PaymentSchedule {
public:
    static constexpr int MaxPayments = 8;

    enum class Pick { Refused, Assigned, Completed };

    // Frames and controls of the schedule the screen shows.
    struct View {
        bool boxesShown = true;       // txtPayment(0..N-1), lblPaymentDate(0..N-1)
        bool paymentsFrame = false;   // fraPayments
        bool calendarFrame = false;   // fraCalendar
        bool calendarEnabled = true;  // MonthView1
        bool reviewNote = false;      // lblWrite(9)
    };

    explicit PaymentSchedule(QLocale locale = MoneyLocale());

    int count() const { return m_count; }
    // The count N chosen in cboPayments (1 to 8); shows boxes 0..N-1.
    void setCount(int n);

    QString amountText(int k) const;
    void setAmountText(int k, const QString& text);
    // The amount shown in box k; nothing when the box holds no number.
    std::optional<Money> amount(int k) const;
    bool isZeroShown(int k) const;
    // Leaving box k: a number is put into display form.
    void formatAmount(int k);
    // Empties boxes 0..N-1.
    void emptyAmounts();

    std::optional<QDate> date(int k) const;
    // "due Date # 3" until a date is picked, then the date in short date form.
    QString dateLabel(int k) const;
    int dateIndex() const { return m_dateIndex; }

    // The equal split: all payments but the last equal, the last taking the
    // cents left over and both taxes.
    static QList<Money> EqualShares(Money preAmount, int count, Money tax1, Money tax2);
    void splitEqually(Money preAmount, Money tax1, Money tax2);

    bool allEqual() const { return m_allEqual; }
    void setAllEqual(bool on) { m_allEqual = on; }
    // ckAllEqual's caption for its state.
    QString allEqualCaption() const;

    // A date clicked on the calendar; refused with a message when it is not
    // after every date already picked.
    Pick pickDate(const QDate& day, Prompter& prompter);
    // cmdClearSchedule: amounts and dates emptied, the next date is the first.
    void clear();
    // True when payments 1..N all have a date; otherwise tells the user.
    bool checkDates(Prompter& prompter) const;

    View& view() { return m_view; }
    const View& view() const { return m_view; }
    const QLocale& locale() const { return m_locale; }

private:
    bool valid(int k) const { return k >= 0 && k < MaxPayments; }

    QLocale m_locale;
    int m_count = 1;
    std::array<QString, MaxPayments> m_amounts;
    std::array<std::optional<QDate>, MaxPayments> m_dates;
    int m_dateIndex = 0;
    bool m_restart = false;
    bool m_allEqual = false;
    View m_view;
};
