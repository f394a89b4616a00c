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
// due dates picked on the calendar, strictly increasing. The pricing step owns
// it and is the only one to change it.
class PaymentSchedule {
public:
    static constexpr int MaxPayments = 8;

    enum class Pick { Refused, Assigned, Completed };

    // What the schedule's controls show.
    struct View {
        int count = 1;                                // cboPayments: the count N
        std::array<QString, MaxPayments> amounts;     // txtPayment(k)
        std::array<QString, MaxPayments> dateLabels;  // lblPaymentDate(k)
        bool allEqual = false;                        // ckAllEqual
        QString allEqualCaption;                      // the form's caption for it
        bool operator==(const View&) const = default;
    };

    explicit PaymentSchedule(QLocale locale = MoneyLocale());

    View view() const;
    int count() const { return m_count; }
    QString amountText(int k) const;
    // The amount shown in box k; nothing when the box holds no number.
    std::optional<Money> amount(int k) const;
    std::optional<QDate> date(int k) const;
    // "due Date # 3" until a date is picked, then the date in short date form.
    QString dateLabel(int k) const;
    int dateIndex() const { return m_dateIndex; }
    bool allEqual() const { return m_allEqual; }
    bool isZeroShown(int k) const;

    // The equal split: all payments but the last equal, the last taking the
    // cents left over and both taxes.
    static QList<Money> EqualShares(Money preAmount, int count, Money tax1, Money tax2);

    // --- Changed by the pricing step.

    // The count N chosen in cboPayments, 1 to 8.
    void setCount(int n);
    void setAmountText(int k, const QString& text);
    // Leaving box k: a number is put into display form.
    void formatAmount(int k);
    // Empties boxes 0..N-1.
    void emptyAmounts();
    void splitEqually(Money preAmount, Money tax1, Money tax2);
    void setAllEqual(bool on) { m_allEqual = on; }
    // A date clicked on the calendar; refused with a message when it is not
    // after every date already picked.
    Pick pickDate(const QDate& day, Prompter& prompter);
    // cmdClearSchedule: amounts and dates emptied, the next date is the first.
    void clear();
    // True when payments 1..N all have a date; otherwise tells the user.
    bool checkDates(Prompter& prompter) const;

private:
    bool valid(int k) const { return k >= 0 && k < MaxPayments; }

    QLocale m_locale;
    int m_count = 1;
    std::array<QString, MaxPayments> m_amounts;
    std::array<std::optional<QDate>, MaxPayments> m_dates;
    int m_dateIndex = 0;
    bool m_restart = false;
    bool m_allEqual = false;
};
