#pragma once

#include "proposals/proposalfiles.h"
#include "shell/iostatus.h"

#include <QString>

#include <array>
#include <optional>

class FileStore;

// Everything stored for one proposal. The writer's proposal has all four
// parts; a field proposal is its header alone until it is finalized.
struct ProposalContents {
    ProposalHeader header;
    std::optional<QString> body;
    std::optional<ProposalPayments> payments;
    std::optional<ProposalFinancials> financials;
};

// A proposal exists through its header: only the header is listed, invoiced
// and counted as holding a number, and the other three files are reached
// through it. So a store writes the header last and a removal deletes it
// first. A store first keeps the four new files in a journal beside the
// header, so that a program that dies part way has the store completed at
// its next start (finishInterrupted), which also removes what a removal cut
// short left without its header. Running either again after a failure
// neither loses nor doubles anything.
namespace ProposalStore {

// What each of the body, payments, financials and header files is to hold,
// in that order; nothing where the file is to go.
using Parts = std::array<std::optional<QByteArray>, 4>;

// Replaces whatever is stored under `fileName` ("1001.txt") by `contents`:
// the old header goes first, then the body, payments and financials are
// written (or deleted where the proposal has none), then the header. On a
// failure what the call wrote goes again and the failure comes back.
[[nodiscard]] IoStatus store(FileStore& store, const QString& fileName,
                             const ProposalContents& contents);

// Deletes the four files, the header first. When the header cannot be
// deleted the proposal stays whole and nothing else is touched.
[[nodiscard]] IoStatus remove(FileStore& store, const QString& fileName);

// Writes (or deletes) the four files in order, the header last, through the
// journal: a program that dies part way has them all written at its next
// start. On a failure the files written so far stay; the caller decides.
[[nodiscard]] IoStatus writeJournaled(FileStore& store, const QString& fileName,
                                      const Parts& parts);

// At start-up: completes every store a journal records, then deletes body,
// payments and financials files that have no header.
[[nodiscard]] IoStatus finishInterrupted(FileStore& store);
// ".store": "\TolvarProposals\1001.txt.store" is the journal of 1001.txt.
QString journalSuffix();

}  // namespace ProposalStore
