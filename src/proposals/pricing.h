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
    // A rate as the settings keep it ("7.5", " 6 ", "6%"); unusable text is 0.
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

// The pricing step of the proposal writer: price before taxes, two taxes on
// it, the proposed price (always their sum), the payment option and the
// schedule. The screen feeds it the user's actions and shows what it holds;
// `focus()` names the control that should get the focus next.
class Pricing {
public:
    enum Option { NoOption = -1, DownAndFinal = 0, InFull = 1, Multiple = 2 };

    // Frames and controls of the step the screen shows or enables.
    struct View {
        bool taxFrame = false;         // fraTax
        bool applyTaxEnabled = false;  // ckApplyTax
        bool applyTaxChecked = false;
        bool optionsFrame = false;     // fraPaymentOptions
        bool optionsEnabled = false;   // optPayment(0..2)
        bool taxItemsEnabled = false;  // ckTaxItems
        bool continueEnabled = false;  // cmdContinue
        bool multiContinue = false;    // cmdMultiContinue
        bool countHint = false;        // Label2(3) and Image2(10)
        bool countEnabled = true;      // cboPayments
    };

    explicit Pricing(QLocale locale = MoneyLocale());

    void setRates(const TaxRates& rates) { m_rates = rates; }
    const TaxRates& rates() const { return m_rates; }
    // The extension of the item line added last in the body.
    void setLastItemExtension(Money extension) { m_lastExtension = extension; }

    // Both taxes zero and not applied; the tax frame shown when the settings
    // apply a tax. It resets the tax choices, so it belongs to entering the step.
    void setupTaxBoxes();
    // Entering the step from the body: everything starts from zero.
    void prepare();
    void clearAmounts();
    // cmdClearAmount: amounts cleared, payment boxes hidden, options disabled.
    void clearAmountsAndSchedule();
    // Leaving txtpreAmount with this text; false when it was not a number.
    bool leavePreAmount(const QString& text);

    void setTax1Applied(bool on);
    void setTax2Applied(bool on);
    void setTaxItems(bool on);
    // cmdPostTaxes.
    void postTaxes();

    void chooseOption(Option option);
    // cmdMultiContinue ("Create Schedule").
    void createSchedule();
    // cboPayments: the count N of payments.
    void chooseCount(int n);
    void setAllEqual(bool on);
    void enterPayment(int k);
    void leavePayment(int k, const QString& text);
    void pickDate(const QDate& day, AppContext& ctx);
    void clearSchedule();
    void redo();
    // The checks of the step's NEXT, messages included.
    bool checkSchedule(AppContext& ctx);

    Money preAmount() const { return m_pre; }
    Money tax1() const { return m_tax1; }
    Money tax2() const { return m_tax2; }
    Money total() const { return m_pre + m_tax1 + m_tax2; }
    bool tax1Applied() const { return m_tax1On; }
    bool tax2Applied() const { return m_tax2On; }
    bool taxItems() const { return m_taxItemsOn; }
    QString shown(Money m) const { return m.display(m_locale); }
    Option option() const { return m_option; }

    PaymentSchedule& schedule() { return m_schedule; }
    const PaymentSchedule& schedule() const { return m_schedule; }
    const View& view() const { return m_view; }
    // The objectName of the control to focus, emptied by reading it.
    QString takeFocus();
    QString focus() const { return m_focus; }

private:
    void recompute();
    Money taxFor(bool applied, double rate) const;
    void runAllEqual();
    void focusFirstPayment() { m_focus = QStringLiteral("txtPayment(0)"); }

    QLocale m_locale;
    TaxRates m_rates;
    Money m_lastExtension;
    Money m_pre;
    Money m_tax1;
    Money m_tax2;
    bool m_tax1On = false;
    bool m_tax2On = false;
    bool m_taxItemsOn = false;
    Option m_option = NoOption;
    PaymentSchedule m_schedule;
    View m_view;
    QString m_focus;
};
