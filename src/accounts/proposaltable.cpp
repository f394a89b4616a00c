#include "accounts/proposaltable.h"

ProposalTable ProposalTable::read(FileStore& store) {
    ProposalTable table;
    const QStringList names = ProposalFiles::listHeaders(store);
    table.anyFiles = !names.isEmpty();
    for (const QString& name : names) {
        bool complete = false;
        const std::optional<ProposalHeader> header =
            ProposalFiles::readHeader(store, name, nullptr, &complete);
        if (header && complete) {
            table.rows.append({name, *header});
        } else {
            table.skipped << name;
        }
    }
    return table;
}
