#include "accounts/invoicerun.h"

#include "accounts/invoicenumber.h"
#include "print/printtarget.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/dates.h"

#include <QDir>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString shown(Money m) {
    return m.display(MoneyLocale());
}
}  // namespace

ManagePayments::ManagePayments(AppContext& ctx) : m_ctx(ctx) {}

QStringList ManagePayments::gridHeadings() {
    const auto padded = [](const char* text, int width) {
        return QString::fromLatin1(text).leftJustified(width);
    };
    return {padded("Proposal No", 11), padded("Date", 18), padded("Customer Information", 46),
            padded("Amount", 16)};
}

InvoiceRunLog ManagePayments::log() {
    return {m_ctx.store(), m_apply};
}

bool ManagePayments::report(const IoStatus& status) {
    m_ctx.reportIoError(status);
    return status.ok();
}

// --- The table ---

bool ManagePayments::activate() {
    if (!m_filled) {
        recover();
        m_table = ProposalTable::read(m_ctx.store());
        if (!m_table.anyFiles) {
            m_ctx.prompter().message(ProposalFiles::noProposalsMessage(),
                                     AppContext::applicationTitle());
            return false;
        }
        m_filled = true;
        m_view.rows = m_table.rows();
    }
    setUseRemittance(m_view.useRemittance);
    return true;
}

bool ManagePayments::recover() {
    const InvoiceRunLog::Recovery r = log().recover();
    for (const QString& name : r.finished) {
        m_ctx.prompter().message(
            QStringLiteral("The interrupted posting of the Invoices for Proposal %1 has been "
                           "completed")
                .arg(QString::number(ProposalFiles::numberOf(name))),
            AppContext::applicationTitle(), Buttons::Ok, Icon::Information);
        dropRow(name);
    }
    return report(r.status);
}

void ManagePayments::dropRow(const QString& fileName) {
    for (qsizetype i = 0; i < m_table.proposals.size(); ++i) {
        if (m_table.proposals.at(i).fileName != fileName) {
            continue;
        }
        if (i == m_selectedRow) {
            clearSelection();
        } else if (i < m_selectedRow) {
            --m_selectedRow;
        }
        m_table.proposals.removeAt(i);
        m_view.rows.removeAt(i);
        return;
    }
}

void ManagePayments::setUseRemittance(bool on) {
    m_view.useRemittance = on;
    m_view.perforatedPaper = on;
    m_view.instruction =
        on ? QStringLiteral("Load Perforated Response Paper to your printer and Click to Print")
           : QStringLiteral("Load Blank Paper to your printer and Click to Print");
    m_view.paperFrame = on ? QStringLiteral("Perforated Response") : QStringLiteral("Blank Paper");
}

void ManagePayments::tick() {
    if (m_view.blinking) {
        m_view.warningShown = !m_view.warningShown;
    }
}

void ManagePayments::clickWarning() {
    m_view.blinking = false;
    m_view.warningShown = true;
}

// --- Picking a proposal ---

void ManagePayments::clearSelection() {
    m_selectedRow = -1;
    m_selected = Selected();
    m_resume.reset();
    m_view.details = false;
    m_view.payments.clear();
}

ManagePayments::Pick ManagePayments::pick(int row) {
    clickWarning();
    if (row < 0 || row >= m_table.proposals.size()) {
        return Pick::Nothing;
    }
    clearSelection();
    const StoredProposal p = m_table.proposals.at(row);
    if (p.header.isFieldProposal()) {
        const Answer a = m_ctx.prompter().message(
            QStringLiteral("This Proposal is a Field Proposal") + kCrLf +
                QStringLiteral("You can Print Invoices after it has been finalized") + kCrLf +
                QStringLiteral("Would you like to Finalize it now?"),
            AppContext::applicationTitle(), Buttons::YesNo, Icon::Question);
        if (a != Answer::Yes) {
            return Pick::FieldProposal;
        }
        m_ctx.vars().SelectedRoutine = 6;
        return Pick::GoToFinalize;
    }
    if (p.header.isInvoiced()) {
        m_ctx.prompter().message(QStringLiteral("Invoices for this Proposal ") + kCrLf +
                                     QStringLiteral("Have been printed"),
                                 AppContext::applicationTitle());
        return Pick::AlreadyInvoiced;
    }
    if (!loadDetails(p)) {
        clearSelection();
        return Pick::Refused;
    }
    m_selectedRow = row;
    return Pick::Shown;
}

void ManagePayments::refuse(const StoredProposal& proposal, const QString& reason) {
    m_ctx.prompter().message(QStringLiteral("Invoices for Proposal %1 cannot be printed")
                                     .arg(proposal.header.plainNumber()) +
                                 kCrLf + reason,
                             AppContext::applicationTitle(), Buttons::Ok, Icon::Exclamation);
}

// A proposal is invoiced only from amounts that are all there and agree:
// a missing total would be posted as $0.00, and a schedule that does not add
// up to it would bill the journal and the account different sums.
bool ManagePayments::readFiles(const StoredProposal& proposal) {
    FileStore& store = m_ctx.store();
    const auto fileOf = [&](const QString& path) {
        return QDir::toNativeSeparators(store.fullPath(path));
    };
    const FinancialsReading f = ProposalFiles::readFinancials(store, proposal.fileName);
    const QString financials = fileOf(ProposalFiles::financialsPath(proposal.fileName));
    switch (f.problem) {
        case FinancialsProblem::None:
            break;
        case FinancialsProblem::Missing:
            refuse(proposal, QStringLiteral("The file %1 was not found").arg(financials));
            return false;
        case FinancialsProblem::Incomplete:
            refuse(proposal,
                   QStringLiteral("The file %1 does not hold its amounts").arg(financials));
            return false;
        case FinancialsProblem::Failed:
            refuse(proposal, f.status.message());
            return false;
    }
    const PaymentsReading p = ProposalFiles::readPayments(store, proposal.fileName);
    if (p.problem == PaymentsProblem::Failed) {
        refuse(proposal, p.status.message());
        return false;
    }
    const Money sum = p.payments.sum();
    if (p.problem == PaymentsProblem::None && sum != f.financials.total) {
        refuse(proposal, QStringLiteral("The payments in %1 add up to %2, not to its total of %3")
                             .arg(fileOf(ProposalFiles::paymentsPath(proposal.fileName)),
                                  shown(sum), shown(f.financials.total)));
        return false;
    }
    if (p.problem != PaymentsProblem::None) {
        m_ctx.prompter().message(
            QStringLiteral("The Payment Schedule of this Proposal could not be read") + kCrLf +
                QStringLiteral("Only a Single Invoice can be printed"),
            AppContext::applicationTitle());
    }
    m_selected = {
        proposal, f.financials,
        p.problem == PaymentsProblem::None ? p.payments.payments : QList<ScheduledPayment>()};
    return true;
}

bool ManagePayments::loadDetails(const StoredProposal& proposal) {
    if (!readFiles(proposal)) {
        return false;
    }
    m_resume = log().find(proposal);
    if (m_resume && m_resume->confirmed == 0 && !m_resume->posting) {
        // A run that ended before its first page was confirmed left nothing to go on with.
        m_resume.reset();
    }
    fillView();
    tellResume();
    return true;
}

void ManagePayments::fillView() {
    const ProposalHeader& h = m_selected.proposal.header;
    QStringList& l = m_view.labels;
    l = QStringList(11, QString());
    l[0] = h.customerName;
    l[1] = h.customerAddress1;
    l[8] = h.customerAddress2;
    if (m_ctx.settings().addressStyle == AddressStyle::Usa) {
        l[2] = h.customerCity + QStringLiteral(", ") + h.customerState;
        l[9] = h.customerPostalCode;
    } else {
        l[2] = h.customerCity;
        l[9] = h.customerState;
    }
    l[3] = h.customerTelephone;
    l[4] = Dates::toShort(h.creationDate);
    l[5] = shown(m_selected.financials.total);
    l[6] = QString::number(m_selected.payments.size());
    l[7] = QStringLiteral("If invoice due date is later than today,");
    l[10] = QStringLiteral("it will not show in reports until due date");
    const QDate today = m_ctx.clock().today();
    m_view.warningInk = 0;
    m_view.payments.clear();
    for (const ScheduledPayment& p : m_selected.payments) {
        const bool later = p.dueDate > today;
        m_view.payments << PaymentLine{Dates::toShort(p.dueDate), shown(p.amount),
                                       later ? Red : DateInk};
        if (later) {
            m_view.warningInk = Red;
            m_view.blinking = true;
        }
    }
    offerOptions();
    m_view.details = true;
}

// A run already begun goes on in its own mode, so no invoice is billed twice.
void ManagePayments::offerOptions() {
    const bool several = m_selected.payments.size() >= 2;
    m_view.allInvoicesEnabled = m_resume ? m_resume->allInvoices : several;
    m_view.singleInvoiceEnabled = !m_resume || !m_resume->allInvoices;
    m_view.option =
        m_view.allInvoicesEnabled ? PrintOption::AllInvoices : PrintOption::SingleInvoice;
}

void ManagePayments::tellResume() {
    if (!m_resume) {
        return;
    }
    const int done = m_resume->confirmed;
    const QString text =
        done < pages(*m_resume)
            ? QString::number(done) +
                  QStringLiteral(" invoice(s) of this Proposal were Printed before") + kCrLf +
                  QStringLiteral("Printing goes on with Invoice %1").arg(done + 1)
            : QStringLiteral("The Invoices of this Proposal were Printed before") + kCrLf +
                  QStringLiteral("Printing posts them without printing them again");
    m_ctx.prompter().message(text, AppContext::applicationTitle(), Buttons::Ok, Icon::Information);
}

void ManagePayments::choose(PrintOption option) {
    const bool all = option == PrintOption::AllInvoices;
    if (all ? m_view.allInvoicesEnabled : m_view.singleInvoiceEnabled) {
        m_view.option = option;
    }
}

int ManagePayments::pages(const InvoiceRunRecord& run) const {
    return run.allInvoices ? int(m_selected.payments.size()) : 1;
}

// --- The run ---

bool ManagePayments::refuseUnsafeAccount() {
    const QString key = m_selected.proposal.header.accountKey;
    if (IsSafeAccountKey(key)) {
        return false;
    }
    m_ctx.prompter().message(
        QStringLiteral("The Account No \"%1\" of this Proposal cannot be used as a file name")
                .arg(key) +
            kCrLf + QStringLiteral("No Invoices were printed"),
        AppContext::applicationTitle(), Buttons::Ok, Icon::Exclamation);
    return true;
}

// Every file the run will write, checked before the first page prints, so a
// run that cannot be posted is not printed.
IoStatus ManagePayments::checkFiles(const InvoiceRunRecord& run, bool printing) {
    FileStore& store = m_ctx.store();
    if (const IoStatus s = store.MakeFolder(InvoiceRunLog::folder()); !s) {
        return s;
    }
    QStringList paths{InvoiceRunLog::pathOf(run.fileName), ProposalFiles::headerPath(run.fileName)};
    if (printing) {
        paths << InvoiceNumbers::path() << ReceivablePaths::salesJournal();
    }
    const ProposalFinancials& f = m_selected.financials;
    if (!f.firstTax.roundedToCents().isZero() || !f.secondTax.roundedToCents().isZero()) {
        paths << ReceivablePaths::taxRecords();
    }
    for (const QString& path : paths) {
        if (const IoStatus s = checkWritable(store, path); !s) {
            return s;
        }
    }
    return AccountRoutines(store, m_ctx.clock()).prepareAccount(run.accountKey);
}

bool ManagePayments::startRun(InvoiceRunRecord& run) {
    m_counter = InvoiceNumbers(m_ctx.store(), m_ctx.clock()).ReadInvoiceNumber();
    if (run.firstNumber.isEmpty()) {
        run.firstNumber = m_counter;
    }
    PostingPlan plan(m_ctx.store());
    InvoiceNumbers::SaveInvoiceNumber(plan, m_counter);
    return report(log().commit(run, plan.writes(), false));
}

InvoicePageInput ManagePayments::pageInput(const InvoiceRunRecord& run, int index) const {
    const Settings& s = m_ctx.settings();
    const ProposalHeader& h = m_selected.proposal.header;
    const ProposalFinancials& f = m_selected.financials;
    InvoicePageInput in;
    in.style = PrintStyle{s.fontName, s.printInColour, s.borderColour};
    in.business.fields = m_ctx.vars().BusinessData;
    in.business.usaStyle = s.addressStyle == AddressStyle::Usa;
    if (!s.webAddress.isEmpty()) {
        in.business.webAddress = s.webAddress;
    }
    in.logo = LogoInfo{s.logo, s.logoWidth, s.logoHeight};
    in.taxHeading1 = s.taxHeading1;
    in.taxHeading2 = s.taxHeading2;
    in.proposalNumber = h.number;
    in.accountKey = h.accountKey;
    in.customerName = h.customerName;
    in.address1 = h.customerAddress1;
    in.address2 = h.customerAddress2;
    in.city = h.customerCity;
    in.state = h.customerState;
    in.postalCode = h.customerPostalCode;
    in.priceBeforeTaxes = f.priceBeforeTaxes;
    in.total = f.total;
    in.tax1 = f.firstTax;
    in.tax2 = f.secondTax;
    for (const ScheduledPayment& p : m_selected.payments) {
        in.payments << InvoicePayment{Dates::toShort(p.dueDate), p.amount};
    }
    in.invoiceNumber = PrintedInvoiceNumber(run.firstNumber, index, run.allInvoices);
    in.index = index;
    in.perPayment = run.allInvoices;
    in.today = m_ctx.clock().today();
    return in;
}

ManagePayments::Page ManagePayments::printPage(PrintTarget& target, const PrintRequest& request,
                                               const InvoiceRunRecord& run, int index) {
    const InvoicePageInput input = pageInput(run, index);
    Prompter& p = m_ctx.prompter();
    for (;;) {
        std::unique_ptr<PageDevice> device = target.open(request);
        const bool printed = device && PrintInvoice(*device, input, request.copies);
        if (!printed) {
            const QString error = device ? device->error() : target.error();
            const Answer a = p.message(
                QStringLiteral("Invoice %1 could not be printed").arg(input.invoiceNumber) + kCrLf +
                    error,
                QStringLiteral("Print Error"), Buttons::RetryCancel, Icon::Critical);
            if (a == Answer::Retry) {
                continue;
            }
            return Page::Abort;
        }
        const Answer a = p.message(QStringLiteral("Was the Invoice Printed Correctly?"),
                                   QStringLiteral("Print Confirmation"), Buttons::YesNoCancel,
                                   Icon::Exclamation);
        if (a == Answer::No) {
            p.message(QStringLiteral("Correct the printing problem and click OK"),
                      QStringLiteral("Retry Printing"));
            continue;
        }
        // Cancel on the last page leaves nothing unprinted: the run is complete.
        return a == Answer::Cancel && index < pages(run) ? Page::Stop : Page::Confirmed;
    }
}

SalesJournalEntry ManagePayments::journalEntry(const InvoiceRunRecord& run, int index) const {
    const ProposalHeader& h = m_selected.proposal.header;
    const QList<ScheduledPayment>& pays = m_selected.payments;
    const qsizetype k = run.allInvoices ? index - 1 : 0;
    SalesJournalEntry e;
    e.name = h.customerName;
    e.account = h.accountKey.trimmed();
    e.invoiceNumber = PrintedInvoiceNumber(run.firstNumber, index, run.allInvoices);
    // A single invoice shows the whole price, so that is what it bills.
    e.amount = run.allInvoices ? pays.value(k).amount : m_selected.financials.total;
    e.date = pays.value(k).dueDate;
    if (!e.date.isValid()) {
        e.date = m_ctx.clock().today();
    }
    return e;
}

bool ManagePayments::confirmPage(InvoiceRunRecord& run, int index) {
    PostingPlan plan(m_ctx.store());
    AccountRoutines(m_ctx.store(), m_ctx.clock())
        .AppendSalesJournal(plan, journalEntry(run, index));
    m_counter = InvoiceNumbers::NextInvoiceNumber(m_counter);
    InvoiceNumbers::SaveInvoiceNumber(plan, m_counter);
    InvoiceRunRecord next = run;
    next.confirmed = index;
    const IoStatus s = log().commit(next, plan.writes(), false);
    run = next;
    return report(s);
}

bool ManagePayments::post(InvoiceRunRecord& run) {
    const ProposalHeader& h = m_selected.proposal.header;
    const ProposalFinancials& f = m_selected.financials;
    const Settings& s = m_ctx.settings();
    const QDate today = m_ctx.clock().today();
    PostingPlan plan(m_ctx.store());
    AccountRoutines acc(m_ctx.store(), m_ctx.clock());
    if (!report(acc.AppendAccountEntry(plan, h.accountKey, h.customerName, f.total, run.firstNumber,
                                       today))) {
        return false;
    }
    acc.RefreshAccountBackup(plan, h.accountKey);
    acc.AppendHistory(plan, h.accountKey, h.customerName, f.total, FileText::date(today),
                      run.firstNumber);
    if (!f.firstTax.roundedToCents().isZero()) {
        acc.WriteTaxRecord(plan, s.taxHeading1, run.firstNumber, f.firstTax);
    }
    if (!f.secondTax.roundedToCents().isZero()) {
        acc.WriteTaxRecord(plan, s.taxHeading2, run.firstNumber, f.secondTax);
    }
    ProposalHeader marked = h;
    marked.number += QLatin1Char('P');
    plan.replaceFile(ProposalFiles::headerPath(run.fileName),
                     ProposalFiles::headerBytes(marked, HeaderForm::Invoiced));
    run.posting = true;
    if (!report(log().commit(run, plan.writes(), true))) {
        return false;
    }
    dropRow(run.fileName);
    return true;
}

// The run a print goes on with: one begun earlier, else a new one in the chosen mode.
InvoiceRunRecord ManagePayments::currentRun() const {
    if (m_resume && (m_resume->confirmed > 0 || m_resume->posting)) {
        return *m_resume;
    }
    return {m_selected.proposal.fileName,
            m_selected.proposal.header.accountKey.trimmed(),
            m_selected.proposal.header.creationDate,
            {},
            m_view.option == PrintOption::AllInvoices,
            0,
            false,
            {}};
}

// Each page is confirmed on its own, so the dialog offers neither a page
// range nor a file to print to.
PrintRequest ManagePayments::printRequest() const {
    PrintRequest request;
    request.title = documentTitle();
    request.allowPrintToFile = false;
    request.allowPageRange = false;
    request.colour = m_ctx.settings().printInColour;
    return request;
}

QString ManagePayments::documentTitle() const {
    return QStringLiteral("Invoice");
}

bool ManagePayments::drawInvoices(PrintTarget& target) {
    if (m_selectedRow < 0) {
        return false;
    }
    InvoiceRunRecord run = currentRun();
    if (run.firstNumber.isEmpty()) {
        run.firstNumber = InvoiceNumbers(m_ctx.store(), m_ctx.clock()).ReadInvoiceNumber();
    }
    const PrintRequest request = printRequest();
    for (int i = 1; i <= pages(run); ++i) {
        std::unique_ptr<PageDevice> device = target.open(request);
        if (!device || !PrintInvoice(*device, pageInput(run, i))) {
            return false;
        }
    }
    return true;
}

ManagePayments::Run ManagePayments::print(PrintTarget& target) {
    clickWarning();
    m_view.warningInk = Green;
    for (PaymentLine& line : m_view.payments) {
        line.dateInk = DateInk;
    }
    if (m_selectedRow < 0 || !recover()) {
        return Run::NotStarted;
    }
    if (m_selectedRow < 0) {
        return Run::Completed;  // its interrupted posting has just been completed
    }
    if (refuseUnsafeAccount()) {
        return Run::NotStarted;
    }
    m_resume = log().find(m_selected.proposal);
    InvoiceRunRecord run = currentRun();
    const bool printing = run.confirmed < pages(run);
    PrintRequest request = printRequest();
    if (printing && !m_ctx.prompter().printDialog(&request)) {
        return Run::NotStarted;
    }
    if (!report(checkFiles(run, printing)) || (printing && !startRun(run))) {
        return run.confirmed > 0 ? Run::Failed : Run::NotStarted;
    }
    for (int i = run.confirmed + 1; i <= pages(run); ++i) {
        const Page page = printPage(target, request, run, i);
        if (page == Page::Abort) {
            if (run.confirmed > 0) {
                return Run::Stopped;
            }
            report(log().discard(run));
            return Run::NotStarted;
        }
        if (!confirmPage(run, i)) {
            return Run::Failed;
        }
        if (page == Page::Stop) {
            m_resume = run;
            offerOptions();
            m_ctx.prompter().message(QString::number(i) +
                                         QStringLiteral(" invoice(s) were Printed") + kCrLf +
                                         QStringLiteral("Remaining Invoices will not be printed"),
                                     AppContext::applicationTitle());
            return Run::Stopped;
        }
    }
    return post(run) ? Run::Completed : Run::Failed;
}
