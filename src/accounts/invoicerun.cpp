#include "accounts/invoicerun.h"

#include "accounts/invoicenumber.h"
#include "accounts/receivable.h"
#include "print/printtarget.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/dates.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

const Settings& settingsOf(const AppContext& ctx) {
    static const Settings defaults;
    return ctx.settings ? *ctx.settings : defaults;
}

Money moneyOf(const QString& text) {
    bool ok = false;
    const Money m = Money::parseDisplay(text, &ok, MoneyLocale());
    return ok ? m : Money();
}
}  // namespace

ManagePayments::ManagePayments(AppContext& ctx) : m_ctx(ctx) {}

QString ManagePayments::fieldProposalQuestion() {
    return QStringLiteral("This Proposal is a Field Proposal") + kCrLf +
           QStringLiteral("You can Print Invoices after it has been finalized") + kCrLf +
           QStringLiteral("Would you like to Finalize it now?");
}

QString ManagePayments::alreadyPrintedMessage() {
    return QStringLiteral("Invoices for this Proposal ") + kCrLf +
           QStringLiteral("Have been printed");
}

QString ManagePayments::printedCorrectlyQuestion() {
    return QStringLiteral("Was the Invoice Printed Correctly?");
}

QString ManagePayments::retryMessage() {
    return QStringLiteral("Correct the printing problem and click OK");
}

QStringList ManagePayments::gridHeadings() {
    const auto padded = [](const char* text, int width) {
        return QString::fromLatin1(text).leftJustified(width);
    };
    return {padded("Proposal No", 11), padded("Date", 18), padded("Customer Information", 46),
            padded("Amount", 16)};
}

ManagePayments::Remittance ManagePayments::remittance(bool useRemittanceForm) {
    if (useRemittanceForm) {
        return {QStringLiteral("Load Perforated Response Paper to your printer and Click to Print"),
                QStringLiteral("Perforated Response"), true};
    }
    return {QStringLiteral("Load Blank Paper to your printer and Click to Print"),
            QStringLiteral("Blank Paper"), false};
}

bool ManagePayments::fillTable() {
    m_table = ProposalTable::read(m_ctx.store());
    m_selectedRow = -1;
    if (!m_table.anyFiles) {
        m_ctx.prompter().message(ProposalFiles::noProposalsMessage(),
                                 AppContext::applicationTitle());
        return false;
    }
    return true;
}

QStringList ManagePayments::rowCells(int row) const {
    if (row < 0 || row >= m_table.rows.size()) {
        return {};
    }
    const ProposalHeader& h = m_table.rows.at(row).header;
    return {h.number, Dates::toShort(h.creationDate), h.customerName,
            h.proposedPrice.display(MoneyLocale())};
}

ManagePayments::Pick ManagePayments::pick(int row) {
    m_blinking = false;
    if (row < 0 || row >= m_table.rows.size()) {
        return Pick::Nothing;
    }
    const StoredProposal& p = m_table.rows.at(row);
    if (p.header.isFieldProposal()) {
        const Answer a =
            m_ctx.prompter().message(fieldProposalQuestion(), AppContext::applicationTitle(),
                                     Buttons::YesNo, Icon::Question);
        if (a != Answer::Yes) {
            return Pick::FieldProposal;
        }
        m_ctx.vars().SelectedRoutine = 6;
        return Pick::GoToFinalize;
    }
    if (p.header.isInvoiced()) {
        m_ctx.prompter().message(alreadyPrintedMessage(), AppContext::applicationTitle());
        return Pick::AlreadyInvoiced;
    }
    m_selectedRow = -1;
    if (!loadDetails(p)) {
        return Pick::Nothing;
    }
    m_selectedRow = row;
    return Pick::Shown;
}

void ManagePayments::fillLabels(const ProposalHeader& h) {
    QStringList& l = m_selected.labels;
    l = QStringList(11, QString());
    l[0] = h.customerName;
    l[1] = h.customerAddress1;
    l[8] = h.customerAddress2;
    if (settingsOf(m_ctx).addressStyle == AddressStyle::Usa) {
        l[2] = h.customerCity + QStringLiteral(", ") + h.customerState;
        l[9] = h.customerPostalCode;
    } else {
        l[2] = h.customerCity;
        l[9] = h.customerState;
    }
    l[3] = h.customerTelephone;
    l[4] = Dates::toShort(h.creationDate);
    l[7] = QStringLiteral("If invoice due date is later than today,");
    l[10] = QStringLiteral("it will not show in reports until due date");
}

bool ManagePayments::loadDetails(const StoredProposal& proposal) {
    m_selected = Selected();
    m_selected.proposal = proposal;
    FileStore& store = m_ctx.store();
    IoStatus status;
    bool found = false;
    m_selected.financials =
        ProposalFiles::readFinancials(store, proposal.fileName, &status, &found, MoneyLocale());
    if (!status) {
        return report(status);
    }
    if (!found) {
        m_ctx.prompter().message(QStringLiteral("The Financials of this Proposal were not found") +
                                     kCrLf + QStringLiteral("Invoices cannot be printed"),
                                 AppContext::applicationTitle());
        return false;
    }
    fillLabels(proposal.header);
    const PaymentsReading r = ProposalFiles::readPayments(store, proposal.fileName);
    if (!r.status) {
        return report(r.status);
    }
    if (r.problem == PaymentsProblem::BadCount) {
        m_ctx.prompter().message(
            QStringLiteral("The Payment Schedule of this Proposal could not be read") + kCrLf +
                QStringLiteral("Only a Single Invoice can be printed"),
            AppContext::applicationTitle());
    }
    m_selected.scheduleTotal = r.payments.total;
    const QDate today = m_ctx.clock().today();
    for (const ScheduledPayment& sp : r.payments.payments) {
        Payment p;
        p.date = sp.dueDate;
        p.value = sp.amountValue(MoneyLocale());
        p.amount = p.value.display(MoneyLocale());
        const QDate due = sp.dueDateValue(MoneyLocale());
        p.later = due.isValid() && due > today;
        m_blinking = m_blinking || p.later;
        m_selected.payments << p;
    }
    m_selected.labels[5] = r.payments.total;
    m_selected.labels[6] = QString::number(m_selected.payments.size());
    m_allInvoices = allInvoicesEnabled();
    return true;
}

bool ManagePayments::report(const IoStatus& status) {
    m_ctx.reportIoError(status);
    return status.ok();
}

InvoicePageInput ManagePayments::pageInput(const QString& invoiceNumber, int index) const {
    const Settings& s = settingsOf(m_ctx);
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
    in.priceBeforeTaxes = moneyOf(f.priceBeforeTaxes);
    in.total = moneyOf(f.total);
    in.tax1 = moneyOf(f.firstTax);
    in.tax2 = moneyOf(f.secondTax);
    for (const Payment& p : m_selected.payments) {
        in.payments << InvoicePayment{p.date, p.value};
    }
    in.invoiceNumber = invoiceNumber;
    in.index = index;
    in.perPayment = m_allInvoices;
    in.today = m_ctx.clock().today();
    return in;
}

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

ManagePayments::Page ManagePayments::printPage(PrintTarget& target, const PrintRequest& request,
                                               int index, int pages) {
    const QString number = PrintedInvoiceNumber(m_firstNumber, index, m_allInvoices);
    const InvoicePageInput input = pageInput(number, index);
    for (;;) {
        std::unique_ptr<PageDevice> device = target.open(request);
        bool printed = device != nullptr;
        QString error = device ? QString() : target.error();
        if (device) {
            PrintPen pen(*device, input.style);
            pen.PrinterSetup(QStringLiteral("Portrait"), input.style.colour);
            PrintInvoicePage(pen, input);
            printed = device->end();
            error = printed ? QString() : device->error();
        }
        if (!printed) {
            const Answer a = m_ctx.prompter().message(
                QStringLiteral("Invoice %1 could not be printed").arg(number) + kCrLf + error,
                QStringLiteral("Print Error"), Buttons::RetryCancel, Icon::Critical);
            if (a == Answer::Retry) {
                continue;
            }
            return Page::Abort;
        }
        const Answer a = m_ctx.prompter().message(printedCorrectlyQuestion(),
                                                  QStringLiteral("Print Confirmation"),
                                                  Buttons::YesNoCancel, Icon::Exclamation);
        if (a == Answer::No) {
            m_ctx.prompter().message(retryMessage(), QStringLiteral("Retry Printing"));
            continue;
        }
        if (a == Answer::Cancel && index < pages) {
            return Page::Stop;
        }
        // Cancel on the last page leaves nothing unprinted: the run is complete.
        return Page::Confirmed;
    }
}

bool ManagePayments::postJournal(int index) {
    const ProposalHeader& h = m_selected.proposal.header;
    SalesJournalEntry e;
    e.name = h.customerName;
    e.account = h.accountKey.trimmed();
    e.invoiceNumber = PrintedInvoiceNumber(m_firstNumber, index, m_allInvoices);
    const QList<Payment>& pays = m_selected.payments;
    const qsizetype k = m_allInvoices ? index - 1 : 0;
    // A single invoice shows the whole price, so that is what it bills.
    e.amount = m_allInvoices ? pays.value(k).value : moneyOf(m_selected.financials.total);
    e.date = k < pays.size() ? Dates::fromShort(pays.at(k).date, MoneyLocale()) : QDate();
    if (!e.date.isValid()) {
        e.date = m_ctx.clock().today();
    }
    return report(AccountRoutines(m_ctx.store(), m_ctx.clock()).AppendSalesJournal(e));
}

bool ManagePayments::advanceCounter() {
    IoStatus s;
    m_counter = InvoiceNumbers(m_ctx.store(), m_ctx.clock()).NextInvoiceNumber(m_counter, &s);
    return report(s);
}

bool ManagePayments::WriteReceivable() {
    const ProposalHeader& h = m_selected.proposal.header;
    AccountRoutines acc(m_ctx.store(), m_ctx.clock());
    const QString& total = m_selected.financials.total;
    const QDate today = m_ctx.clock().today();
    return report(
               acc.AppendAccountEntry(h.accountKey, h.customerName, total, m_firstNumber, today)) &&
           report(acc.RefreshAccountBackup(h.accountKey)) &&
           report(acc.AppendHistory(h.accountKey, h.customerName, moneyOf(total),
                                    Dates::toShort(today), m_firstNumber));
}

bool ManagePayments::postTaxes() {
    const Settings& s = settingsOf(m_ctx);
    const QString zero = Money().display(MoneyLocale());
    AccountRoutines acc(m_ctx.store(), m_ctx.clock());
    const ProposalFinancials& f = m_selected.financials;
    if (f.firstTax != zero &&
        !report(acc.WriteTaxRecord(s.taxHeading1, m_firstNumber, f.firstTax))) {
        return false;
    }
    return f.secondTax == zero ||
           report(acc.WriteTaxRecord(s.taxHeading2, m_firstNumber, f.secondTax));
}

bool ManagePayments::markInvoiced() {
    ProposalHeader h = m_selected.proposal.header;
    h.number += QLatin1Char('P');
    if (!report(ProposalFiles::writeHeader(m_ctx.store(), m_selected.proposal.fileName, h,
                                           HeaderForm::Invoiced))) {
        return false;
    }
    m_table.rows.removeAt(m_selectedRow);
    m_selectedRow = -1;
    return true;
}

ManagePayments::Run ManagePayments::print(PrintTarget& target) {
    m_blinking = false;
    if (m_selectedRow < 0 || refuseUnsafeAccount()) {
        return Run::NotStarted;
    }
    PrintRequest request;
    request.title = QStringLiteral("Invoice");
    if (!m_ctx.prompter().printDialog(&request)) {
        return Run::NotStarted;
    }
    IoStatus s;
    m_firstNumber = InvoiceNumbers(m_ctx.store(), m_ctx.clock()).ReadInvoiceNumber(&s);
    m_counter = m_firstNumber;
    if (!report(s)) {
        return Run::NotStarted;
    }
    const int pages = m_allInvoices ? static_cast<int>(m_selected.payments.size()) : 1;
    for (int i = 1; i <= pages; ++i) {
        const Page page = printPage(target, request, i, pages);
        if (page == Page::Abort) {
            return i == 1 ? Run::NotStarted : Run::Stopped;
        }
        if (!postJournal(i) || !advanceCounter()) {
            return Run::Failed;
        }
        if (page == Page::Stop) {
            m_ctx.prompter().message(QString::number(i) +
                                         QStringLiteral(" invoice(s) were Printed") + kCrLf +
                                         QStringLiteral("Remaining Invoices will not be printed"),
                                     AppContext::applicationTitle());
            return Run::Stopped;
        }
    }
    if (!WriteReceivable() || !postTaxes() || !markInvoiced()) {
        return Run::Failed;
    }
    return Run::Completed;
}
