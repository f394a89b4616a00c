#pragma once

#include "shell/iostatus.h"

#include <QString>

class AppContext;
class FileStore;

// The proposal counter \TProposalCounter.txt holds, as one field line, the
// number the proposal being written now receives: always the number after
// the last confirmed proposal. Files stored under it are the unconfirmed
// proposal of the moment (a print not yet confirmed, a cancelled field
// proposal print) and the next store replaces them; a confirmed proposal is
// never stored under the counter's number. Numbers are 16-bit signed, so the
// last one is 32767; once it is confirmed the counter holds 32768 and no new
// proposal can be stored until Setup sets a free number.
namespace ProposalCounter {

inline constexpr int First = 1001;
inline constexpr int Last = 32767;
inline constexpr int Exhausted = Last + 1;

QString path();  // "\TProposalCounter.txt"
// What Setup may make the next number: 1 to 32767.
bool isValidNumber(int number);
// A proposal header is stored under the number (a plain look at the folder,
// restoring nothing).
bool isStored(const FileStore& store, int number);

struct [[nodiscard]] Loaded {
    int number = First;
    IoStatus status;  // failure of reading the file, or of writing a new one
};

// Reads the counter (restoring it from \Backup if need be). A missing or
// unusable counter is written again with 1001, or with the number after the
// highest stored proposal when that is higher, so that no stored proposal is
// replaced by the next one. A counter that exists but cannot be read is left
// as it is.
Loaded load(FileStore& store);

// Writes `number` (1 to 32768) as the counter.
[[nodiscard]] IoStatus write(FileStore& store, int number);

struct [[nodiscard]] Advanced {
    int number = First;  // the counter after the call; unchanged on a failure
    IoStatus status;
};

// After `current` was confirmed: the next number that no stored proposal
// holds (32768 when none is left) is written as the counter.
Advanced advance(FileStore& store, int current);

QString exhaustedMessage();

// --- The same on the program's shared number, telling the user.

void loadCurrent(AppContext& ctx);
// Before a proposal is stored: false, once the user has been told, when no
// number is left.
bool numberLeft(AppContext& ctx);
// After a confirmed print. The user is told when the counter could not be
// written (false: the proposal stays the unconfirmed one) and when this used
// up the last number.
bool advanceCurrent(AppContext& ctx);
// For Setup's "Save Proposal No": another stored proposal holds the number.
// The current number's own files are unconfirmed and do not hold it.
bool isTaken(AppContext& ctx, int number);

}  // namespace ProposalCounter
