#include "proposals/proposalstore.h"

#include "shell/filestore.h"

namespace ProposalStore {

namespace {

// The body, payments and financials files, going on past a failure so that
// as little as possible is left; the first failure comes back.
IoStatus deleteCompanions(FileStore& store, const QString& fileName) {
    IoStatus first;
    for (const QString& path :
         {ProposalFiles::bodyPath(fileName), ProposalFiles::paymentsPath(fileName),
          ProposalFiles::financialsPath(fileName)}) {
        const IoStatus s = store.DeleteDataFile(path);
        if (first.ok() && !s.ok()) {
            first = s;
        }
    }
    return first;
}

IoStatus writeCompanions(FileStore& store, const QString& fileName, const ProposalContents& c) {
    IoStatus s = c.body ? ProposalFiles::writeBody(store, fileName, *c.body)
                        : store.DeleteDataFile(ProposalFiles::bodyPath(fileName));
    if (s) {
        s = c.payments ? ProposalFiles::writePayments(store, fileName, *c.payments)
                       : store.DeleteDataFile(ProposalFiles::paymentsPath(fileName));
    }
    if (s) {
        s = c.financials ? ProposalFiles::writeFinancials(store, fileName, *c.financials)
                         : store.DeleteDataFile(ProposalFiles::financialsPath(fileName));
    }
    return s;
}

}  // namespace

IoStatus store(FileStore& store, const QString& fileName, const ProposalContents& contents) {
    IoStatus s = store.DeleteDataFile(ProposalFiles::headerPath(fileName));
    if (!s) {
        return s;
    }
    s = writeCompanions(store, fileName, contents);
    if (s) {
        s = ProposalFiles::writeHeader(store, fileName, contents.header);
    }
    if (!s) {
        // Without a header these files are unreachable; removing them is
        // tidiness, and the failure that matters is the one reported.
        static_cast<void>(deleteCompanions(store, fileName));
    }
    return s;
}

IoStatus remove(FileStore& store, const QString& fileName) {
    const IoStatus s = store.DeleteDataFile(ProposalFiles::headerPath(fileName));
    return s ? deleteCompanions(store, fileName) : s;
}

}  // namespace ProposalStore
