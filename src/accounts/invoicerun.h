#pragma once

#include "accounts/invoicelayout.h"
#include "accounts/proposaltable.h"
#include "shell/prompter.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class AppContext;
class PrintTarget;

// The logic of the payments screen: the proposal table, the picked
// proposal's details and schedule, and the invoice run that prints, asks
// after each page and posts what was billed.
class ManagePayments {
public:
    enum class Pick {
        Nothing,          // no such row, or its files could not be used (message shown)
        GoToFinalize,     // a field proposal the user wants to finalize now
        FieldProposal,    // a field proposal left as it is
        AlreadyInvoiced,  // "Have been printed"
        Shown,            // details and schedule loaded
    };

    enum class Run {
        NotStarted,  // refused or the print dialog was cancelled: nothing printed or posted
        Stopped,     // ended before the last page; nothing posted to receivable
        Failed,      // a posting could not be written (shown); later postings not made
        Completed,   // posted and marked
    };

    struct Payment {
        QString date;        // lblPayDate(k-1)
        QString amount;      // lblPayAmount(k-1), currency form
        bool later = false;  // due after today: shown red
        Money value;
    };

    struct Selected {
        StoredProposal proposal;
        ProposalFinancials financials;
        QString scheduleTotal;  // lblCustomerInfo(5)
        QList<Payment> payments;
        // lblCustomerInfo(0..10) as the details frame shows them.
        QStringList labels = QStringList(11, QString());
    };

    explicit ManagePayments(AppContext& ctx);

    // The first activation. False when there are no header files: "No
    // Proposals Exist" has been shown and the screen goes back to the menu.
    bool fillTable();
    const QList<StoredProposal>& proposals() const { return m_table.rows; }
    // Proposal No, Date, Customer Information, Amount.
    QStringList rowCells(int row) const;
    static QStringList gridHeadings();

    Pick pick(int row);
    bool hasSelection() const { return m_selectedRow >= 0; }
    const Selected& selected() const { return m_selected; }

    bool allInvoicesEnabled() const { return m_selected.payments.size() >= 2; }
    bool allInvoices() const { return m_allInvoices; }
    // optPrint(0) (true) or optPrint(1).
    void setAllInvoices(bool all) { m_allInvoices = all && allInvoicesEnabled(); }

    // The warning lblCustomerInfo(7) blinks while a payment is due after today.
    bool blinking() const { return m_blinking; }
    void stopBlinking() { m_blinking = false; }

    struct Remittance {
        QString instruction;  // Label1(1)
        QString frame;        // fraInvoice
        bool perforated;      // the paper picture
    };
    static Remittance remittance(bool useRemittanceForm);

    // The whole run over the print target: dialog, pages and their
    // confirmation, journal entries, counter, receivable, taxes, header mark.
    Run print(PrintTarget& target);

    // The run's first invoice number (valid after print()).
    const QString& firstInvoiceNumber() const { return m_firstNumber; }

    // The page input for invoice `index` of the picked proposal.
    InvoicePageInput pageInput(const QString& invoiceNumber, int index) const;

    static QString fieldProposalQuestion();
    static QString alreadyPrintedMessage();
    static QString printedCorrectlyQuestion();
    static QString retryMessage();

private:
    bool loadDetails(const StoredProposal& proposal);
    void fillLabels(const ProposalHeader& h);
    bool refuseUnsafeAccount();
    enum class Page { Confirmed, Stop, Abort };
    Page printPage(PrintTarget& target, const PrintRequest& request, int index, int pages);
    bool postJournal(int index);
    bool advanceCounter();
    bool WriteReceivable();
    bool postTaxes();
    bool markInvoiced();
    bool report(const IoStatus& status);

    AppContext& m_ctx;
    ProposalTable m_table;
    int m_selectedRow = -1;
    Selected m_selected;
    bool m_allInvoices = false;
    bool m_blinking = false;
    QString m_firstNumber;
    QString m_counter;
};
