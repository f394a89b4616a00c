#pragma once

#include "accounts/invoicelayout.h"
#include "accounts/invoicerunrecord.h"
#include "accounts/proposaltable.h"
#include "accounts/receivable.h"
#include "shell/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;
class PrintTarget;

// The logic of the payments screen: the proposal table, the picked
// proposal's details and schedule, and the invoice run that prints, asks
// after each page and posts what was billed. The screen shows view() and
// forwards each user action to one call.
class ManagePayments {
public:
    enum class Pick {
        Nothing,          // no such row
        GoToFinalize,     // a field proposal the user wants to finalize now
        FieldProposal,    // a field proposal left as it is
        AlreadyInvoiced,  // "Have been printed"
        Refused,          // its files cannot be invoiced (message shown)
        Shown,            // details and schedule loaded
    };

    enum class [[nodiscard]] Run{
        NotStarted,  // refused, or the print dialog was cancelled: nothing printed or posted
        Stopped,  // ended before the last page: confirmed pages kept, nothing posted to receivable
        Failed,   // a write failed (shown); the next attempt completes what was begun
        Completed,  // posted and marked
    };

    // optPrint(0) and optPrint(1).
    enum class PrintOption { AllInvoices = 0, SingleInvoice = 1 };

    static constexpr quint32 Red = 255;
    static constexpr quint32 Green = 32768;
    static constexpr quint32 DateInk = 65535;  // the payment dates' own colour

    struct PaymentLine {
        QString date;    // lblPayDate(k-1)
        QString amount;  // lblPayAmount(k-1)
        quint32 dateInk = DateInk;

        bool operator==(const PaymentLine&) const = default;
    };

    struct View {
        QList<ProposalRow> rows;                          // fgProposals
        bool details = false;                             // fraDetails
        QStringList labels = QStringList(11, QString());  // lblCustomerInfo(0..10)
        QList<PaymentLine> payments;
        quint32 warningInk = 0;  // lblCustomerInfo(7): red while a payment is due later
        bool warningShown = true;
        bool blinking = false;  // Timer1
        bool allInvoicesEnabled = false;
        bool singleInvoiceEnabled = true;
        PrintOption option = PrintOption::SingleInvoice;
        bool useRemittance = false;    // ckUseRimmitance
        QString instruction;           // Label1(1)
        QString paperFrame;            // fraInvoice
        bool perforatedPaper = false;  // the paper picture
    };

    explicit ManagePayments(AppContext& ctx);

    // Each activation. The first one completes interrupted runs and fills
    // the table; false when there are no header files ("No Proposals Exist"
    // shown, the screen goes back to the menu).
    bool activate();
    Pick pick(int row);
    void choose(PrintOption option);
    void setUseRemittance(bool on);
    void tick();          // Timer1
    void clickWarning();  // lblCustomerInfo(7): the blinking stops, the label stays
    // imgPrinter: the whole run over the print target.
    Run print(PrintTarget& target);
    // The invoices the run would print now, in the chosen mode and with the
    // numbers they would carry, drawn without asking or posting anything
    // (preview and PDF). False when nothing is picked or the target failed.
    bool drawInvoices(PrintTarget& target);
    // What the preview window and the PDF are called.
    QString documentTitle() const;

    const View& view() const { return m_view; }
    static QStringList gridHeadings();

    // Every write of a run goes through here.
    void setWriteApplier(WriteApplier apply) { m_apply = std::move(apply); }

private:
    enum class Page { Confirmed, Stop, Abort };

    struct Selected {
        StoredProposal proposal;
        ProposalFinancials financials;
        QList<ScheduledPayment> payments;
    };

    InvoiceRunLog log();
    bool recover();
    void dropRow(const QString& fileName);
    void clearSelection();
    bool loadDetails(const StoredProposal& proposal);
    bool readFiles(const StoredProposal& proposal);
    void refuse(const StoredProposal& proposal, const QString& reason);
    void fillView();
    void offerOptions();
    void tellResume();
    int pages(const InvoiceRunRecord& run) const;
    bool refuseUnsafeAccount();
    IoStatus checkFiles(const InvoiceRunRecord& run, bool printing);
    bool startRun(InvoiceRunRecord& run);
    InvoiceRunRecord currentRun() const;
    PrintRequest printRequest() const;
    Page printPage(PrintTarget& target, const PrintRequest& request, const InvoiceRunRecord& run,
                   int index);
    InvoicePageInput pageInput(const InvoiceRunRecord& run, int index) const;
    SalesJournalEntry journalEntry(const InvoiceRunRecord& run, int index) const;
    bool confirmPage(InvoiceRunRecord& run, int index);
    bool post(InvoiceRunRecord& run);
    bool report(const IoStatus& status);

    AppContext& m_ctx;
    WriteApplier m_apply = applyWrite;
    ProposalTable m_table;
    bool m_filled = false;
    int m_selectedRow = -1;
    Selected m_selected;
    std::optional<InvoiceRunRecord> m_resume;
    QString m_counter;
    View m_view;
};
