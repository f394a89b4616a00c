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
// screen copies its boxes into boxes(), calls the action of each event and
// shows view(); focus() names the control to focus next.
class FinalizeFieldProposal {
public:
    enum class Plan { None, InFull, TwoPayments };

    // What the user types or picks, as the boxes show it.
    struct Boxes {
        QStringList site = QStringList(7, QString());  // txtCustomerInfo(1..7)
        QString body;                                  // txtBody
        QString preAmount;                             // txtpreAmount
        QString tax1;                                  // txtTax1
        QString tax2;                                  // txtTax2
        QString grandTotal;                            // txtAmount
        std::array<QString, 2> payment;                // txtPayment(0..1)
        std::array<QDate, 2> date;                     // dtDatePicker(0..1)
        bool apply1 = false;                           // ckApply1stTax
        bool apply2 = false;                           // ckApply2ndTax
    };

    struct View {
        bool accountFrame = false;  // fraAccount
        bool detailsFrame = false;  // fraProposalDetails
        bool apply1Enabled = false;
        bool apply2Enabled = false;
        QString apply1Caption = QStringLiteral("Apply 1st Tax");
        QString apply2Caption = QStringLiteral("Apply 2nd Tax");
        bool datePanel = false;         // picDate
        bool acceptPrompt = false;      // "(Click to Accept)"
        bool secondPayment = false;     // txtPayment(1), dtDatePicker(1) and its prompt
        bool twoPaymentsPanel = false;  // "Create Two Payments" and picTotal
        bool finalizeEnabled = false;   // cmdFinalize
    };

    enum class PriceLeft {
        Accepted,   // put into display form, totals computed
        LeftEmpty,  // the user chose to exit without updating
        StayInBox,  // the user chose to go on typing
    };

    explicit FinalizeFieldProposal(AppContext& ctx);

    // Screen loaded: both pickers on today, details hidden.
    void load();
    // Screen activated. False when there are no header files at all: "No
    // Proposals Exist" has been shown and the screen goes back to the menu.
    bool activate();

    const QList<StoredProposal>& proposals() const { return m_table.rows; }
    // Proposal No, Date, Customer Information, Amount.
    QStringList rowCells(int row) const;
    static QString gridLayout();

    // A click on data row `row` (from 0). False when the list is empty (the
    // screen then behaves as "&Menu").
    bool pick(int row);
    const QStringList& customerLines() const { return m_customer; }  // lblCustomerInfo(1..7)
    const StoredProposal* selected() const;

    void copyToSite();
    void clearSite();
    void continueToDetails();

    void setApplyTax(int tax, bool on);  // tax 1 or 2: an apply box was clicked
    PriceLeft leavePreAmount();
    void choosePlan(Plan plan);
    // Leaving txtPayment(index). False when the two payments did not add up
    // to the grand total (message shown, both reset to zero).
    bool leavePayment(int index);
    // A date chosen in picker 0 or 1; `changed` for a mere change report.
    void pickDate(int picker, const QDate& date, bool changed = false);

    // Writes the four files. False when nothing (or not all) could be
    // written; the failure has been shown and the header keeps its mark.
    bool finalize();
    void reselect();

    Boxes& boxes() { return m_boxes; }
    const Boxes& boxes() const { return m_boxes; }
    const View& view() const { return m_view; }
    Plan plan() const { return m_plan; }
    QString takeFocus();

private:
    void setUpTaxes();
    void clearAmounts();
    void recompute();
    QString zero() const;
    bool showsZero(const QString& text) const;
    Money value(const QString& text) const;
    QString shown(const QString& text) const;
    bool paymentsAddUp() const;
    void resetPayments();

    AppContext& m_ctx;
    ProposalTable m_table;
    int m_selected = -1;
    QStringList m_customer = QStringList(7, QString());
    Boxes m_boxes;
    View m_view;
    Plan m_plan = Plan::None;
    QString m_focus;
};
