#include "proposals/proposalstore.h"

#include "shell/filestore.h"

#include <QDir>

#include <array>
#include <optional>

namespace ProposalStore {

namespace {

// The four files of a proposal, the header last.
std::array<QString, 4> pathsOf(const QString& fileName) {
    return {ProposalFiles::bodyPath(fileName), ProposalFiles::paymentsPath(fileName),
            ProposalFiles::financialsPath(fileName), ProposalFiles::headerPath(fileName)};
}

QString journalPath(const QString& fileName) {
    return ProposalFiles::folder() + QLatin1Char('\\') + fileName + journalSuffix();
}

// Per part a line with its length ("-" for none), then its bytes.
QByteArray journalOf(const Parts& parts) {
    QByteArray out;
    for (const std::optional<QByteArray>& p : parts) {
        out += (p ? QByteArray::number(p->size()) : QByteArray("-")) + "\r\n";
        if (p) {
            out += *p;
        }
    }
    return out;
}

std::optional<Parts> parseJournal(const QByteArray& bytes) {
    Parts parts;
    qsizetype at = 0;
    for (std::optional<QByteArray>& p : parts) {
        const qsizetype eol = bytes.indexOf("\r\n", at);
        if (eol < 0) {
            return std::nullopt;
        }
        const QByteArray size = bytes.mid(at, eol - at);
        at = eol + 2;
        if (size == "-") {
            continue;
        }
        bool ok = false;
        const qsizetype n = size.toLongLong(&ok);
        if (!ok || n < 0 || n > bytes.size() - at) {
            return std::nullopt;
        }
        p = bytes.mid(at, n);
        at += n;
    }
    return at == bytes.size() ? std::optional<Parts>(parts) : std::nullopt;
}

// Writes or deletes the four files in order; the first failure stops it.
IoStatus apply(FileStore& store, const QString& fileName, const Parts& parts) {
    const std::array<QString, 4> paths = pathsOf(fileName);
    for (size_t i = 0; i < paths.size(); ++i) {
        const IoStatus s =
            parts[i] ? store.OpenForOutput(paths[i], *parts[i]) : store.DeleteDataFile(paths[i]);
        if (!s) {
            return s;
        }
    }
    return {};
}

// The body, payments and financials files, going on past a failure so that
// as little as possible is left; the first failure comes back.
IoStatus deleteCompanions(FileStore& store, const QString& fileName) {
    IoStatus first;
    const std::array<QString, 4> paths = pathsOf(fileName);
    for (size_t i = 0; i + 1 < paths.size(); ++i) {
        const IoStatus s = store.DeleteDataFile(paths[i]);
        if (first.ok() && !s.ok()) {
            first = s;
        }
    }
    return first;
}

QStringList txtNamesIn(const FileStore& store, const QString& folder) {
    return QDir(store.fullPath(folder)).entryList({QStringLiteral("*.txt")}, QDir::Files);
}

}  // namespace

QString journalSuffix() {
    return QStringLiteral(".store");
}

IoStatus store(FileStore& store, const QString& fileName, const ProposalContents& contents) {
    Parts parts;
    if (contents.body) {
        parts[0] = ProposalFiles::bodyBytes(*contents.body);
    }
    if (contents.payments) {
        const qsizetype n = contents.payments->payments.size();
        if (n < 1 || n > MaxScheduledPayments) {
            return IoStatus::failure(store.fullPath(ProposalFiles::paymentsPath(fileName)),
                                     QStringLiteral("a payment schedule holds 1 to 8 payments"));
        }
        parts[1] = ProposalFiles::paymentsBytes(*contents.payments);
    }
    if (contents.financials) {
        parts[2] = ProposalFiles::financialsBytes(*contents.financials);
    }
    parts[3] = ProposalFiles::headerBytes(contents.header);
    // The journal keeps the new files until all four are written, so that a
    // program that dies part way has them written at its next start and the
    // old proposal is never left half replaced.
    IoStatus s = store.OpenForOutput(journalPath(fileName), journalOf(parts));
    if (!s) {
        return s;
    }
    s = store.DeleteDataFile(ProposalFiles::headerPath(fileName));
    if (s) {
        s = apply(store, fileName, parts);
    }
    if (!s) {
        // Without a header these files are unreachable; removing them is
        // tidiness, and the failure that matters is the one reported.
        static_cast<void>(deleteCompanions(store, fileName));
    }
    static_cast<void>(store.DeleteDataFile(journalPath(fileName)));
    return s;
}

IoStatus writeJournaled(FileStore& store, const QString& fileName, const Parts& parts) {
    IoStatus s = store.OpenForOutput(journalPath(fileName), journalOf(parts));
    if (s) {
        s = apply(store, fileName, parts);
        static_cast<void>(store.DeleteDataFile(journalPath(fileName)));
    }
    return s;
}

IoStatus remove(FileStore& store, const QString& fileName) {
    const IoStatus s = store.DeleteDataFile(ProposalFiles::headerPath(fileName));
    return s ? deleteCompanions(store, fileName) : s;
}

IoStatus finishInterrupted(FileStore& store) {
    IoStatus first;
    const QString folder = ProposalFiles::folder();
    // The folders of the body, payments and financials files.
    const QStringList companions{ProposalFiles::bodyPath(QString()).chopped(1),
                                 ProposalFiles::paymentsPath(QString()).chopped(1),
                                 ProposalFiles::financialsPath(QString()).chopped(1)};
    for (const QString& written :
         companions + QStringList{folder, ProposalFiles::templatesFolder()}) {
        store.RemoveUnfinishedWrites(written);
    }
    const QStringList journals =
        QDir(store.fullPath(folder))
            .entryList({QStringLiteral("*.txt") + journalSuffix()}, QDir::Files);
    for (const QString& journal : journals) {
        const QString fileName = journal.chopped(journalSuffix().size());
        const IoResult<QByteArray> bytes = store.OpenForInput(folder + QLatin1Char('\\') + journal);
        if (!bytes) {
            first = first.ok() ? bytes.status() : first;
            continue;
        }
        const std::optional<Parts> parts = parseJournal(*bytes);
        const IoStatus s = parts ? apply(store, fileName, *parts) : IoStatus();
        first = first.ok() ? s : first;
        if (s) {
            static_cast<void>(store.DeleteDataFile(folder + QLatin1Char('\\') + journal));
        }
    }
    // What a store or a removal cut short left without its header: nothing
    // reaches it, and it would be taken for part of the next proposal of
    // that number.
    const QStringList headers = txtNamesIn(store, folder);
    for (const QString& sub : companions) {
        for (const QString& name : txtNamesIn(store, sub)) {
            if (!headers.contains(name, Qt::CaseInsensitive) && ProposalFiles::numberOf(name) > 0) {
                const IoStatus s = store.DeleteDataFile(sub + QLatin1Char('\\') + name);
                first = first.ok() ? s : first;
            }
        }
    }
    return first;
}

}  // namespace ProposalStore
