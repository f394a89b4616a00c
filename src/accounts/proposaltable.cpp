#include "accounts/proposaltable.h"

#include "shell/dates.h"

ProposalRow ProposalRow::of(const ProposalHeader& h, const Dates::ShortDates& dates,
                            const MoneyDisplay& money) {
    return {h.number, dates(h.creationDate), h.customerName, money(h.proposedPrice)};
}

ProposalTable ProposalTable::read(FileStore& store) {
    ProposalTable table;
    const QList<ProposalFiles::ListedHeader> all = ProposalFiles::readListedHeaders(store);
    table.anyFiles = !all.isEmpty();
    table.proposals.reserve(all.size());
    for (const ProposalFiles::ListedHeader& h : all) {
        if (h.header && h.header->complete) {
            table.proposals.append({h.fileName, h.header->header});
        } else {
            table.skipped << h.fileName;
        }
    }
    return table;
}

QList<ProposalRow> ProposalTable::rows() const {
    QList<ProposalRow> out;
    out.reserve(proposals.size());
    const Dates::ShortDates dates;
    const MoneyDisplay money;
    for (const StoredProposal& p : proposals) {
        out << ProposalRow::of(p.header, dates, money);
    }
    return out;
}
