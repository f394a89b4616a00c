#pragma once

#include "proposals/paymentschedule.h"
#include "shell/money.h"

#include <QLocale>
#include <QString>

class AppContext;

// The two tax rates in percent and whether the settings apply them.
struct TaxRates {
    double rate1 = 0;
    double rate2 = 0;
    bool apply1 = false;
    bool apply2 = false;
    // A rate as the settings keep it ("7.5", "7,5", " 6 ", "6%"); text that
    // is no rate from 0 to 100 gives 0.
    static double parseRate(const QString& text);
};

namespace PricingMath {
// The display form of (amount as a floating-point number x rate / 100).
Money percentOf(Money amount, double rate);
// The tax on an item line: money(extension x rate / 100) + 0.005, then
// rounded to cents with halves to even.
Money itemTax(Money extension, double rate);
Money roundCentsHalfEven(Money m);
}  // namespace PricingMath

// The control the writer wants focused next; the screen maps it to its
// widget. `index` is k of txtPayment(k).
struct WriterFocus {
    enum Control {
        None,
        SiteName,         // txtCustomerInfo(1)
        Body,             // txtBody
        TaxStatement,     // txtTaxation
        ItemDescription,  // txtItem(0)
        ItemPrice,        // txtItem(1)
        ItemQuantity,     // txtItem(2)
        PreAmount,        // txtpreAmount
        PaymentCount,     // cboPayments
        Payment,          // txtPayment(index)
        ClearSchedule,    // cmdClearSchedule
    };
    Control control = None;
    int index = 0;
    bool operator==(const WriterFocus&) const = default;
};

// The pricing step of the proposal writer (fraPricing): price before taxes,
// two taxes on it, the proposed price (always their sum), the payment option
// and the schedule. The screen copies view() into its controls and hands
// every user action to one call.
class Pricing {
public:
    // optPayment(0..2); None while no option is selected.
    enum class Option { None = -1, DownAndFinal = 0, InFull = 1, Multiple = 2 };
    enum class Tax { First, Second };  // ckApplytax1, ckApplytax2
    enum class Button {
        PostTaxes,       // cmdPostTaxes "Continue"
        ClearAmount,     // cmdClearAmount "Clear &Amount"
        CreateSchedule,  // cmdMultiContinue "Create Schedule"
        ClearSchedule,   // cmdClearSchedule "Clear &Payments"
        Redo,            // cmdRedo "Redo Payments"
    };

    // Amounts from here up do not fit the 10-character money text of the
    // record files, so they are refused where they are typed.
    static constexpr Money AmountLimit = Money::fromCents(1'000'000'000);

    struct View {
        QString preAmount;             // txtpreAmount
        QString tax1;                  // txtTax1
        QString tax2;                  // txtTax2
        QString total;                 // txtAmount
        QString priceLabel;            // Label2(4)
        bool taxFrame = false;         // fraTax
        bool applyTaxEnabled = false;  // ckApplyTax
        bool applyTaxChecked = false;
        bool tax1Checked = false;      // ckApplytax1
        bool tax2Checked = false;      // ckApplytax2
        bool taxItemsEnabled = false;  // ckTaxItems
        bool taxItemsChecked = false;
        bool optionsFrame = false;    // fraPaymentOptions
        bool optionsEnabled = false;  // optPayment(0..2)
        Option option = Option::None;
        bool createSchedule = false;  // cmdMultiContinue shown
        bool countHint = false;       // Label2(3) and Image2(10)
        bool countEnabled = true;     // cboPayments
        bool paymentsFrame = false;   // fraPayments
        // txtPayment(0..N-1) and lblPaymentDate(0..N-1); "Clear &Amount" hides them.
        bool boxesShown = true;
        bool calendarFrame = false;    // fraCalendar
        bool calendarEnabled = true;   // MonthView1
        bool reviewNote = false;       // lblWrite(9)
        bool continueEnabled = false;  // cmdContinue "Ready to Print"
        PaymentSchedule::View schedule;
        bool operator==(const View&) const = default;
    };

    explicit Pricing(AppContext& ctx, QLocale locale = MoneyLocale());

    View view() const;
    Money preAmount() const { return m_pre; }
    Money tax1() const { return m_tax1; }
    Money tax2() const { return m_tax2; }
    Money total() const { return m_pre + m_tax1 + m_tax2; }
    Option option() const { return m_view.option; }
    const PaymentSchedule& schedule() const { return m_schedule; }
    QString shown(Money m) const { return m.display(m_locale); }
    // The control to focus, emptied by reading it.
    WriterFocus takeFocus();

    // Both taxes zero and not applied; the tax frame shown when the settings
    // apply a tax. It resets the tax choices, so it belongs to entering the
    // step and to a fresh activation of the writer.
    void setupTaxBoxes(const TaxRates& rates);
    // Entering the step from the body: everything starts from zero.
    // `lastItemExtension` is that of the item line added last in the body.
    void prepare(const TaxRates& rates, Money lastItemExtension);

    void press(Button button);
    // A key in txtpreAmount: a zero shown is emptied first.
    void keyPreAmount();
    // Leaving txtpreAmount with this text.
    void leavePreAmount(const QString& text);
    void setTaxApplied(Tax tax, bool on);
    void setTaxItems(bool on);
    void chooseOption(Option option);
    // cboPayments: the count N of payments.
    void chooseCount(int n);
    void setAllEqual(bool on);
    // txtPayment(k) gets the focus, takes a key, loses the focus with `text`.
    void enterPayment(int k);
    void keyPayment(int k);
    void leavePayment(int k, const QString& text);
    // A date clicked on MonthView1.
    void pickDate(const QDate& day);
    // The checks of the step's NEXT, messages included.
    bool checkSchedule();

    static QString tooLargeMessage(const QLocale& locale = MoneyLocale());

private:
    void recompute();
    Money taxFor(bool applied, double rate) const;
    bool fits(Money amount) const;
    void tellTooLarge();
    void clearAmounts();
    void clearSchedule();
    void redo();
    void runAllEqual();
    void focus(WriterFocus::Control control, int index = 0) { m_focus = {control, index}; }

    AppContext& m_ctx;
    QLocale m_locale;
    TaxRates m_rates;
    Money m_lastExtension;
    Money m_pre;
    Money m_tax1;
    Money m_tax2;
    QString m_preText;
    PaymentSchedule m_schedule;
    View m_view;  // the flags; texts and the schedule are filled in by view()
    WriterFocus m_focus;
};
