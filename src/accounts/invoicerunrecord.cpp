#include "accounts/invoicerunrecord.h"

#include "shell/fieldline.h"
#include "shell/filestore.h"

#include <QDir>

namespace {
// More writes than any run makes (eight journal pages are made one by one).
constexpr int MaxPending = 32;

void writeOne(FieldWriter& w, const PlannedWrite& p) {
    w.num(qint64(p.kind)).str(p.path).num(qint64(p.slot));
    w.str(QString::fromLatin1(p.bytes.toHex())).str(p.from).endLine();
}

std::optional<PlannedWrite> readOne(FieldReader& r) {
    PlannedWrite p;
    const qint64 kind = r.integer();
    p.path = r.str();
    p.slot = int(r.integer());
    p.bytes = QByteArray::fromHex(r.str().toLatin1());
    p.from = r.str();
    if (kind < 0 || kind > qint64(PlannedWrite::Kind::Remove) || p.path.isEmpty()) {
        return std::nullopt;
    }
    p.kind = PlannedWrite::Kind(kind);
    return p;
}
}  // namespace

bool InvoiceRunRecord::belongsTo(const StoredProposal& proposal) const {
    return fileName == proposal.fileName && accountKey == proposal.header.accountKey.trimmed() &&
           creationDate == proposal.header.creationDate;
}

QByteArray InvoiceRunRecord::toBytes() const {
    FieldWriter w;
    w.str(fileName).str(accountKey).date(creationDate).str(firstNumber);
    w.boolean(allInvoices).num(qint64(confirmed)).boolean(posting).endLine();
    w.num(qint64(pending.size())).endLine();
    for (const PlannedWrite& p : pending) {
        writeOne(w, p);
    }
    return w.bytes();
}

std::optional<InvoiceRunRecord> InvoiceRunRecord::parse(const QByteArray& bytes) {
    FieldReader r(bytes);
    InvoiceRunRecord rec;
    rec.fileName = r.str();
    rec.accountKey = r.str();
    rec.creationDate = r.date();
    rec.firstNumber = r.str();
    rec.allInvoices = r.boolean();
    rec.confirmed = int(r.integer());
    rec.posting = r.boolean();
    const qint64 count = r.integer();
    if (!r.ok() || count < 0 || count > MaxPending || rec.confirmed < 0) {
        return std::nullopt;
    }
    for (qint64 i = 0; i < count; ++i) {
        const std::optional<PlannedWrite> p = readOne(r);
        if (!p) {
            return std::nullopt;
        }
        rec.pending << *p;
    }
    return r.ok() ? std::optional(rec) : std::nullopt;
}

QString InvoiceRunLog::folder() {
    return QStringLiteral("\\TIInvoiceRuns");
}

QString InvoiceRunLog::pathOf(const QString& fileName) {
    return folder() + QLatin1Char('\\') + fileName;
}

std::optional<InvoiceRunRecord> InvoiceRunLog::find(const StoredProposal& proposal) {
    const QString path = pathOf(proposal.fileName);
    if (!m_store.folder().isFile(path)) {
        return std::nullopt;
    }
    const IoResult<QByteArray> bytes = m_store.OpenForInput(path);
    std::optional<InvoiceRunRecord> rec = bytes ? InvoiceRunRecord::parse(*bytes) : std::nullopt;
    return rec && rec->belongsTo(proposal) ? rec : std::nullopt;
}

IoStatus InvoiceRunLog::commit(InvoiceRunRecord& record, const QList<PlannedWrite>& writes,
                               bool finish) {
    InvoiceRunRecord next = record;
    next.pending = writes;
    const PlannedWrite save{
        PlannedWrite::Kind::File, pathOf(record.fileName), 0, next.toBytes(), {}};
    if (const IoStatus s = m_apply(m_store, save); !s) {
        return s;
    }
    record = next;
    return complete(record, finish);
}

IoStatus InvoiceRunLog::complete(InvoiceRunRecord& record, bool finish) {
    for (const PlannedWrite& w : std::as_const(record.pending)) {
        if (const IoStatus s = m_apply(m_store, w); !s) {
            return s;
        }
    }
    InvoiceRunRecord done = record;
    done.pending.clear();
    const QString path = pathOf(record.fileName);
    const IoStatus s =
        finish ? m_apply(m_store, {PlannedWrite::Kind::Remove, path, 0, {}, {}})
               : m_apply(m_store, {PlannedWrite::Kind::File, path, 0, done.toBytes(), {}});
    if (s) {
        record = done;
    }
    return s;
}

IoStatus InvoiceRunLog::discard(const InvoiceRunRecord& record) {
    return m_apply(m_store, {PlannedWrite::Kind::Remove, pathOf(record.fileName), 0, {}, {}});
}

InvoiceRunLog::Recovery InvoiceRunLog::recover() {
    // A run record's write cut short leaves its temporary beside it.
    m_store.RemoveUnfinishedWrites(folder());
    Recovery out;
    const QDir dir(m_store.fullPath(folder()));
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const IoResult<QByteArray> bytes = m_store.OpenForInput(pathOf(name));
        std::optional<InvoiceRunRecord> rec =
            bytes ? InvoiceRunRecord::parse(*bytes) : std::nullopt;
        if (!rec || rec->pending.isEmpty()) {
            continue;
        }
        const IoStatus s = complete(*rec, rec->posting);
        if (!s && out.status) {
            out.status = s;
        } else if (s && rec->posting) {
            out.finished << rec->fileName;
        }
    }
    return out;
}
