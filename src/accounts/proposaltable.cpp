#include "accounts/proposaltable.h"

#include "shell/dates.h"

ProposalRow ProposalRow::of(const ProposalHeader& h) {
    return {h.number, Dates::toShort(h.creationDate), h.customerName,
            h.proposedPrice.display(MoneyLocale())};
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
    for (const StoredProposal& p : proposals) {
        out << ProposalRow::of(p.header);
    }
    return out;
}
