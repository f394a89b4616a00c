#include "proposals/proposalcounter.h"

#include "proposals/proposalfiles.h"
#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"

#include <optional>

namespace ProposalCounter {

namespace {

// The number a lost counter starts again from: 1001, or past the highest
// stored proposal so that the next one does not replace it.
int restartNumber(const FileStore& store) {
    int highest = 0;
    for (const QString& name : ProposalFiles::listHeaders(store)) {
        highest = qMax(highest, ProposalFiles::numberOf(name));
    }
    return highest >= First ? highest + 1 : First;
}

std::optional<int> parse(const QByteArray& bytes) {
    FieldReader r(bytes);
    const qint64 n = r.integer();
    if (!r.ok() || n < 1 || n > Exhausted) {
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

bool isStored(const FileStore& store, int number) {
    return store.folder().isFile(ProposalFiles::headerPath(number));
}

Loaded load(FileStore& store) {
    Loaded out;
    if (store.FileExists(path())) {
        const IoResult<QByteArray> bytes = store.OpenForInput(path());
        out.status = bytes.status();
        if (!bytes) {
            out.number = restartNumber(store);
            return out;
        }
        if (const std::optional<int> n = parse(*bytes)) {
            out.number = *n;
            return out;
        }
    }
    out.number = restartNumber(store);
    out.status = write(store, out.number);
    return out;
}

IoStatus write(FileStore& store, int number) {
    if (number < 1 || number > Exhausted) {
        return IoStatus::failure(store.fullPath(path()),
                                 QStringLiteral("a proposal number runs from 1 to 32767"));
    }
    return store.OpenForOutput(path(), FieldWriter().num(qint64(number)).endLine().bytes());
}

Advanced advance(FileStore& store, int current) {
    int next = current + 1;
    while (next <= Last && isStored(store, next)) {
        ++next;
    }
    const IoStatus s = write(store, next);
    return {s ? next : current, s};
}

QString exhaustedMessage() {
    return QStringLiteral(
        "Proposal Number 32767, the highest this program can use, has been used.\r\n"
        "No new Proposal can be stored until a new Next Proposal Number is set in Setup.");
}

void loadCurrent(AppContext& ctx) {
    const Loaded l = load(ctx.store());
    ctx.vars().ProposalNumber = l.number;
    ctx.reportIoError(l.status);
}

namespace {
void tellExhausted(AppContext& ctx) {
    ctx.prompter().message(exhaustedMessage(), AppContext::applicationTitle(), Buttons::Ok,
                           Icon::Exclamation);
}
}  // namespace

bool numberLeft(AppContext& ctx) {
    if (ctx.vars().ProposalNumber <= Last) {
        return true;
    }
    tellExhausted(ctx);
    return false;
}

bool advanceCurrent(AppContext& ctx) {
    const Advanced a = advance(ctx.store(), ctx.vars().ProposalNumber);
    if (!a.status) {
        ctx.reportIoError(a.status);
        return false;
    }
    ctx.vars().ProposalNumber = a.number;
    if (a.number == Exhausted) {
        tellExhausted(ctx);
    }
    return true;
}

bool isTaken(AppContext& ctx, int number) {
    return number != ctx.vars().ProposalNumber && isStored(ctx.store(), number);
}

}  // namespace ProposalCounter
