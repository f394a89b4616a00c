#include "proposals/proposalcounter.h"

#include "proposals/proposalfiles.h"
#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"

#include <optional>

namespace ProposalCounter {

namespace {

// The number a lost counter starts again from: 1001, or past the highest
// stored proposal so that the next one does not overwrite it.
int restartNumber(const FileStore& store) {
    int highest = 0;
    for (const QString& name : ProposalFiles::listHeaders(store)) {
        highest = qMax(highest, ProposalFiles::numberOf(name));
    }
    if (highest >= First && highest < Last) {
        return highest + 1;
    }
    return First;
}

std::optional<int> parse(const QByteArray& bytes) {
    FieldReader r(bytes);
    const qint64 n = r.integer();
    if (!r.ok() || n < 1 || n > Last) {
        return std::nullopt;
    }
    return static_cast<int>(n);
}

}  // namespace

QString path() {
    return QStringLiteral("\\TProposalCounter.txt");
}

bool isValidNumber(int number) {
    return number >= 1 && number <= Last;
}

Loaded load(FileStore& store) {
    Loaded out;
    if (store.FileExists(path())) {
        const std::optional<QByteArray> bytes = store.OpenForInput(path(), &out.status);
        if (!bytes) {
            // Unreadable but present: do not overwrite what may still be good.
            out.number = restartNumber(store);
            return out;
        }
        if (const std::optional<int> n = parse(*bytes)) {
            out.number = *n;
            return out;
        }
    }
    out.number = restartNumber(store);
    out.recreated = true;
    out.status = write(store, out.number);
    return out;
}

IoStatus write(FileStore& store, int number) {
    if (!isValidNumber(number)) {
        return IoStatus::failure(store.fullPath(path()),
                                 QStringLiteral("a proposal number runs from 1 to 32767"));
    }
    return store.OpenForOutput(path(), FieldWriter().num(qint64(number)).endLine().bytes());
}

QString lastNumberMessage() {
    return QStringLiteral(
        "Proposal Number 32767 is the highest this program can use.\r\n"
        "Set a new Next Proposal Number in Setup before writing another "
        "Proposal.");
}

Advanced advance(FileStore& store, int current) {
    Advanced out;
    out.number = current;
    if (current >= Last) {
        out.refusal = lastNumberMessage();
        return out;
    }
    out.status = write(store, current + 1);
    if (!out.status) {
        return out;
    }
    const Loaded reloaded = load(store);
    out.number = reloaded.number;
    out.status = reloaded.status;
    out.advanced = true;
    return out;
}

void loadCurrent(AppContext& ctx) {
    const Loaded l = load(ctx.store());
    ctx.vars().ProposalNumber = l.number;
    ctx.reportIoError(l.status);
}

bool advanceCurrent(AppContext& ctx) {
    const Advanced a = advance(ctx.store(), ctx.vars().ProposalNumber);
    ctx.vars().ProposalNumber = a.number;
    if (!a.refusal.isEmpty()) {
        ctx.prompter().message(a.refusal, AppContext::applicationTitle(), Buttons::Ok,
                               Icon::Exclamation);
    }
    ctx.reportIoError(a.status);
    return a.advanced;
}

}  // namespace ProposalCounter
