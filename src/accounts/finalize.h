#pragma once

#include "accounts/proposaltable.h"
#include "shell/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class AppContext;

// The logic of the finalize screen: it turns a field proposal (header only,
// price 0) into a basic proposal with body, payments and financials. The
// screen shows view(), forwards each user action to one call and focuses
// what takeFocus() names.
class FinalizeFieldProposal {
public:
    // optPayment(0) and optPayment(1).
    enum class Plan { None = -1, InFull = 0, TwoPayments = 1 };
    // cmdField(0..4).
    enum class Button { Menu = 0, Reselect = 1, Continue = 2, CopyToSite = 3, ClearSite = 4 };
    enum class AmountBox { PreAmount, Payment1, Payment2 };  // txtpreAmount, txtPayment(0..1)
    enum class Focus { None, Body, PreAmount, Payment1, FirstDate };

    enum class PriceLeft {
        Accepted,   // put into display form, totals computed
        LeftEmpty,  // the user chose to exit without updating
        StayInBox,  // the user goes on typing (or the amount was refused)
    };

    struct View {
        QList<ProposalRow> rows;                           // fgProposals
        bool accountFrame = false;                         // fraAccount
        bool detailsFrame = false;                         // fraProposalDetails
        QStringList customer = QStringList(7, QString());  // lblCustomerInfo(1..7)
        QStringList site = QStringList(7, QString());      // txtCustomerInfo(1..7)
        QString body;                                      // txtBody
        QString preAmount;                                 // txtpreAmount
        QString tax1;                                      // txtTax1
        QString tax2;                                      // txtTax2
        QString grandTotal;                                // txtAmount
        std::array<QString, 2> payment;                    // txtPayment(0..1)
        std::array<QDate, 2> date;                         // dtDatePicker(0..1)
        bool apply1 = false;                               // ckApply1stTax
        bool apply2 = false;                               // ckApply2ndTax
        bool apply1Enabled = false;                        // with txtTax1
        bool apply2Enabled = false;                        // with txtTax2
        QString apply1Caption = QStringLiteral("Apply 1st Tax");
        QString apply2Caption = QStringLiteral("Apply 2nd Tax");
        Plan plan = Plan::None;
        bool datePanel = false;         // picDate
        bool acceptPrompt = false;      // "(Click to Accept)"
        bool secondPayment = false;     // txtPayment(1), dtDatePicker(1) and its prompt enabled
        bool twoPaymentsPanel = false;  // "Create Two Payments" and picTotal shown
        bool finalizeEnabled = false;   // cmdFinalize
    };

    explicit FinalizeFieldProposal(AppContext& ctx);

    // fgProposals: "^Centred|<Left" columns, the blanks setting their widths.
    static QString gridLayout();

    // Screen loaded: both pickers on today, details hidden.
    void load();
    // Screen activated. False when there are no header files at all: "No
    // Proposals Exist" has been shown and the screen goes back to the menu.
    bool activate();
    // A click on data row `row` (from 0). False when the list is empty (the
    // screen then behaves as "&Menu").
    bool pick(int row);
    // True when the screen goes back to the main menu.
    bool press(Button button);

    void editSite(int line, const QString& text);  // line 0..6
    void editBody(const QString& text);
    // A key goes down in an amount box: one that shows zero is emptied first.
    void startTyping(AmountBox box);
    void editAmount(AmountBox box, const QString& text);
    void setApplyTax(int tax, bool on);  // tax 1 or 2
    PriceLeft leavePreAmount();
    void choosePlan(Plan plan);
    // Leaving txtPayment(index). False when the two payments did not add up
    // to the grand total (message shown, both reset to zero).
    bool leavePayment(int index);
    // A date chosen in picker 0 or 1; `changed` for a mere change report.
    void pickDate(int picker, const QDate& date, bool changed = false);
    // Writes the four files, all or none. False when they were not written;
    // a failure has been shown and the proposal is still a field proposal.
    bool finalize();

    const View& view() const { return m_view; }
    Focus takeFocus();

private:
    void setUpTaxes();
    void clearAmounts();
    void recompute();
    void reselect();
    void continueToDetails();
    QString* box(AmountBox box);
    QString zero() const;
    bool showsZero(const QString& text) const;
    Money value(const QString& text) const;
    QString shown(const QString& text) const;
    bool paymentsAddUp() const;
    void resetPayments();
    bool writeFiles(const StoredProposal& proposal);

    AppContext& m_ctx;
    ProposalTable m_table;
    int m_selected = -1;
    View m_view;
    Focus m_focus = Focus::None;
};
