#include "proposals/proposalreport.h"

#include "proposals/proposalstore.h"
#include "shell/appcontext.h"
#include "shell/dates.h"

#include <algorithm>

QStringList ProposalReportRow::cells() const {
    return {selected ? ProposalReport::selectionMark() : QString(),
            creationDate,
            number,
            accountKey,
            name,
            amount};
}

ProposalReport::ProposalReport(AppContext& ctx) : m_ctx(ctx) {}

QString ProposalReport::gridLayout() {
    return QStringLiteral(
        "^Select|^Creation Date|^Proposal No  |^Account No      |<Name                          "
        "                  |>     Amount");
}

QString ProposalReport::selectionMark() {
    return QString(QChar(0xAB)) + QStringLiteral("  ");
}

QString ProposalReport::noPaymentNote() {
    return QString(53, QLatin1Char(' ')) + QStringLiteral("No Payment data was found");
}

QString ProposalReport::fieldProposalMessage() {
    return QStringLiteral(
        "This Proposal is a Field Proposal\r\nUse the Finalize Routine to add\r\nBody Data, "
        "Pricing and Scheduling");
}

ProposalReportRow ProposalReport::rowFor(const ProposalFiles::ListedHeader& listed,
                                         const Dates::ShortDates& dates,
                                         const MoneyDisplay& money) {
    ProposalReportRow row;
    row.fileName = listed.fileName;
    if (!listed.header) {
        // Listed all the same, so that a file no one can read can still be deleted.
        row.number = listed.fileName.chopped(4);
        return row;
    }
    const ProposalHeader& h = listed.header->header;
    row.creationDate = dates(h.creationDate);
    row.number = h.number;
    row.accountKey = h.accountKey;
    row.name = h.customerName;
    row.amount = money(h.proposedPrice);
    return row;
}

bool ProposalReport::fill() {
    m_rows.clear();
    const QList<ProposalFiles::ListedHeader> all = ProposalFiles::readListedHeaders(m_ctx.store());
    if (all.isEmpty()) {
        m_ctx.prompter().message(ProposalFiles::noProposalsMessage(),
                                 AppContext::applicationTitle());
        return false;
    }
    m_rows.reserve(all.size());
    const Dates::ShortDates dates;
    const MoneyDisplay money;
    for (const ProposalFiles::ListedHeader& h : all) {
        m_rows << rowFor(h, dates, money);
    }
    return true;
}

ProposalReport::Click ProposalReport::click(int gridRow, int column) {
    if (gridRow < 1 || gridRow > m_rows.size()) {
        return Click::Nothing;
    }
    ProposalReportRow& row = m_rows[gridRow - 1];
    if (column == Select) {
        row.selected = !row.selected;
        return Click::Toggled;
    }
    if (column != ProposalNo) {
        return Click::Nothing;
    }
    if (row.isFieldProposal()) {
        m_ctx.prompter().message(fieldProposalMessage(), AppContext::applicationTitle());
        return Click::FieldProposal;
    }
    openDetails(row);
    return Click::Details;
}

void ProposalReport::openDetails(const ProposalReportRow& row) {
    // The files are named after the plain number, so an invoiced proposal
    // ("1001P") finds its body and schedule under the row's file name.
    m_details = ProposalReportDetails();
    m_details.fileName = row.fileName;
    m_detailsShown = true;
    const FileRead<QStringList> body = ProposalFiles::readBodyLines(m_ctx.store(), row.fileName);
    if (body.value) {
        m_details.body = ProposalFiles::joinBodyLines(*body.value);
    }
    loadSchedule(row.fileName);
}

void ProposalReport::loadSchedule(const QString& fileName) {
    const PaymentsReading r = ProposalFiles::readPayments(m_ctx.store(), fileName);
    if (r.problem == PaymentsProblem::Missing) {
        m_details.noPaymentData = true;
        return;
    }
    m_details.proposedAmount = r.payments.total.display(MoneyLocale());
    m_details.paymentCount = QString::number(r.promisedCount);
    if (r.problem == PaymentsProblem::BadCount) {
        // More payments than the panel has lines for, or no count at all.
        m_details.noPaymentData = true;
        return;
    }
    for (const ScheduledPayment& p : r.payments.payments) {
        m_details.payments << ReportPayment{p.amount.display(MoneyLocale()),
                                            Dates::toShort(p.dueDate)};
    }
}

QString ProposalReport::deleteQuestion(int count) {
    return count == 1 ? QStringLiteral("Delete the selected Proposal and all of its files?")
                      : QStringLiteral("Delete the %1 selected Proposals and all of their files?")
                            .arg(count);
}

int ProposalReport::selectedCount() const {
    return int(std::count_if(m_rows.cbegin(), m_rows.cend(),
                             [](const ProposalReportRow& r) { return r.selected; }));
}

bool ProposalReport::deleteSelected() {
    // One slip of the mouse must not cost a month of proposals: the user
    // confirms once, told how many go.
    const int count = selectedCount();
    Prompter& p = m_ctx.prompter();
    if (count == 0) {
        p.message(QStringLiteral("No Proposals are selected") + QStringLiteral("\r\n") +
                      QStringLiteral("Click the Select Column to mark the Proposals to delete"),
                  AppContext::applicationTitle());
        return true;
    }
    if (p.message(deleteQuestion(count), QStringLiteral("Delete Proposals"), Buttons::YesNo,
                  Icon::Question) != Answer::Yes) {
        return true;
    }
    QStringList failures;
    for (const ProposalReportRow& row : std::as_const(m_rows)) {
        if (!row.selected) {
            continue;
        }
        const IoStatus s = ProposalStore::remove(m_ctx.store(), row.fileName);
        if (!s) {
            failures << s.message();
        }
        if (m_details.fileName == row.fileName) {
            m_detailsShown = false;
        }
    }
    if (!failures.isEmpty()) {
        m_ctx.prompter().message(failures.join(QStringLiteral("\r\n")),
                                 AppContext::applicationTitle(), Buttons::Ok, Icon::Critical);
    }
    return fill();
}
