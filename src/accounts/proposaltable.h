#pragma once

#include "proposals/proposalfiles.h"

#include <QList>
#include <QStringList>

class FileStore;

// The stored proposals that the payments and finalize screens can work on:
// every header file that reads as all 18 fields, in listing order. A torn or
// short header is left out of the table (its name goes to `skipped`) rather
// than invoiced or finalized with blank fields.
struct ProposalTable {
    bool anyFiles = false;  // false: "No Proposals Exist"
    QList<StoredProposal> rows;
    QStringList skipped;

    static ProposalTable read(FileStore& store);
};
