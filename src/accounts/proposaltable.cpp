#include "accounts/proposaltable.h"

#include "shell/dates.h"

ProposalRow ProposalRow::of(const ProposalHeader& h) {
    return {h.number, Dates::toShort(h.creationDate), h.customerName,
            h.proposedPrice.display(MoneyLocale())};
}

ProposalTable ProposalTable::read(FileStore& store) {
    ProposalTable table;
    const QStringList names = ProposalFiles::listHeaders(store);
    table.anyFiles = !names.isEmpty();
    for (const QString& name : names) {
        const FileRead<ParsedHeader> read = ProposalFiles::readHeader(store, name);
        if (read.value && read.value->complete) {
            table.proposals.append({name, read.value->header});
        } else {
            table.skipped << name;
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
