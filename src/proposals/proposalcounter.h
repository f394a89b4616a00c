#pragma once

#include "shell/iostatus.h"

#include <QString>

class AppContext;
class FileStore;

// The proposal counter \TProposalCounter.txt holds, as one field line, the
// number the proposal being written now receives. Numbers are 16-bit signed,
// so the last one is 32767.
namespace ProposalCounter {

inline constexpr int First = 1001;
inline constexpr int Last = 32767;

QString path();  // "\TProposalCounter.txt"
bool isValidNumber(int number);

struct Loaded {
    int number = First;
    // True when the file was missing or did not hold a usable number and a
    // fresh one was written.
    bool recreated = false;
    IoStatus status;  // failure of that write, or of reading the file
};

// Reads the counter (restoring it from \Backup if need be). A missing or
// unusable counter is recreated with 1001, or with the number after the
// highest stored proposal when that is higher, so that no stored proposal is
// overwritten by the next one.
Loaded load(FileStore& store);

// Writes `number` as the counter; numbers outside 1..32767 are refused.
IoStatus write(FileStore& store, int number);

struct Advanced {
    int number = First;  // the counter after the call (unchanged when refused)
    bool advanced = false;
    QString refusal;  // the message to show when the last number is in use
    IoStatus status;  // a failed write; the number then stays
};

// Adds 1 to `current`, writes and re-reads the counter. At 32767 nothing is
// written and `refusal` holds the message for the user.
Advanced advance(FileStore& store, int current);
QString lastNumberMessage();

// The same on the program's shared state: the current proposal number in
// ctx.vars(), messages and I/O failures shown through the prompter.
void loadCurrent(AppContext& ctx);
bool advanceCurrent(AppContext& ctx);

}  // namespace ProposalCounter
