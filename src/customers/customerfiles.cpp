#include "customers/customerfiles.h"

#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"
#include "shell/textcodec.h"

#include <QFile>
#include <QFileInfo>

#include <optional>
#include <utility>

namespace CustomerFiles {

bool exists(FileStore& store, const QString& path) {
    return store.FileExists(path);
}

namespace {

// A missing record file is first restored from its backup copy; opening it
// creates it when there is none.
QByteArray readRecord(FileStore& store, const QString& path, int length, int number) {
    (void)exists(store, path);
    RecordFile& f = store.OpenRandom(path, length);
    const QByteArray bytes = f.read(number).value_or(QByteArray());
    store.CloseAll();
    return bytes;
}

// The whole file; empty when it does not exist, a failure when it exists and
// could not be read (never taken for an empty file).
struct Contents {
    IoStatus status;
    QByteArray bytes;
};

Contents readWhole(FileStore& store, const QString& path) {
    if (!exists(store, path)) {
        return {};
    }
    const IoResult<QByteArray> bytes = store.OpenForInput(path);
    if (!bytes) {
        return {bytes.status(), {}};
    }
    return {{}, *bytes};
}

// The records of `bytes` but number `skip`, each at its full length (a short
// last record is completed with zeros, as a read of it gives).
QByteArray withoutRecord(QByteArray bytes, int length, int skip) {
    const int count = RecordCountOf(bytes.size(), length);
    bytes.resize(qsizetype(count) * length, '\0');
    if (skip >= 1 && skip <= count) {
        bytes.remove(qsizetype(skip - 1) * length, length);
    }
    return bytes;
}

// One record of a record file at the number a save works on.
struct Slot {
    QString path;
    int length;
    QByteArray bytes;
};

// What a slot held before a save wrote it: its bytes and the file's length.
struct Before {
    QByteArray bytes;
    qint64 size = 0;
};

IoStatus writeSlot(FileStore& store, const Slot& slot, int number, Before* before) {
    (void)exists(store, slot.path);
    RecordFile& f = store.OpenRandom(slot.path, slot.length);
    IoStatus s = f.status();
    if (s) {
        const IoResult<QByteArray> old = f.read(number);
        s = old.status();
        if (s) {
            *before = {*old, QFileInfo(store.fullPath(slot.path)).size()};
            s = f.write(number, slot.bytes);
        }
    }
    store.CloseAll();
    return s;
}

// Puts a slot back as it was, cutting off a record the save appended.
void undoSlot(FileStore& store, const Slot& slot, int number, const Before& before) {
    Before ignored;
    (void)writeSlot(store, {slot.path, slot.length, before.bytes}, number, &ignored);
    if (before.size < qint64(number) * slot.length) {
        QFile::resize(store.fullPath(slot.path), before.size);
    }
}

// The three record files of a delete, the customer file first: once it is
// replaced the customer is gone, and the others follow it.
struct Compacted {
    QString path;
    int length;
    QString temp;
    bool dropBackup;  // a stale backup would be restored out of line
};

const QList<Compacted>& compactedFiles() {
    static const QList<Compacted> files = {
        {kCustomerData, CustomerRecord::kSize, QStringLiteral("/CUSTOMER.TMP"), false},
        {kContractInfo, CompanionRecords::kContractSize, QStringLiteral("/CONTRACT.TMP"), true},
        {kCycleInfo, CompanionRecords::kCycleSize, QStringLiteral("/CYCLE.TMP"), true}};
    return files;
}

void dropTemporaries(FileStore& store) {
    for (const Compacted& f : compactedFiles()) {
        (void)store.DeleteDataFile(f.temp);
    }
}

const QString kAccountsFolder = QStringLiteral("\\TIActiveAccounts");

QString receivablePath(const QString& account) {
    return kAccountsFolder + QLatin1Char('\\') + account + QStringLiteral(".txt");
}

// The part of a delete that only goes forward: the temporaries replace their
// files, then the stale backups and the receivable file go, then the intent.
// `replaced` tells whether the customer file has been replaced.
IoStatus completeDelete(FileStore& store, const QString& account, bool* replaced) {
    for (const Compacted& f : compactedFiles()) {
        if (store.folder().isFile(f.temp)) {
            const IoStatus s = store.ReplaceDataFile(f.temp, f.path);
            if (!s) {
                return s;
            }
        }
        *replaced = true;
        if (f.dropBackup) {
            const IoStatus s = store.DeleteDataFile(AppFolder::backupPathOf(f.path));
            if (!s) {
                return s;
            }
        }
    }
    if (IsSafeFileName(account)) {
        const IoStatus s = store.DeleteWithBackup(receivablePath(account));
        if (!s) {
            return s;
        }
    }
    return store.DeleteDataFile(kDeleteIntent);
}

struct Prepared {
    IoStatus status;
    QString account;
};

// The stored account number of record `number` of the customer file's bytes.
QString accountOf(const QByteArray& bytes, int number) {
    return CustomerRecord::textAt(bytes, qsizetype(number - 1) * CustomerRecord::kSize,
                                  CustomerRecord::layout().field(QStringLiteral("AccountNumber")));
}

// Reads the three files and writes their compacted forms as temporaries.
Prepared prepareDelete(FileStore& store, int number) {
    Prepared p;
    for (const Compacted& f : compactedFiles()) {
        const Contents c = readWhole(store, f.path);
        if (!c.status) {
            return {c.status, {}};
        }
        if (f.path == kCustomerData) {
            if (number < 1 || number > RecordCountOf(c.bytes.size(), f.length)) {
                return {IoStatus::failure(store.fullPath(f.path),
                                          QStringLiteral("it holds no customer %1").arg(number)),
                        {}};
            }
            p.account = accountOf(c.bytes, number);
        }
        p.status = store.OpenForOutput(f.temp, withoutRecord(c.bytes, f.length, number));
        if (!p.status) {
            return p;
        }
    }
    return p;
}

// `record` repeated in slots 1 to `count`.
QByteArray filled(const QByteArray& record, int length, int count) {
    QByteArray one = record.left(length);
    one.append(QByteArray(length - one.size(), '\0'));
    return one.repeated(qMax(0, count));
}

IoStatus rebuild(FileStore& store, const QString& path, int length, const QByteArray& record,
                 int count) {
    const IoStatus s = store.DeleteDataFile(AppFolder::backupPathOf(path));
    if (!s) {
        return s;
    }
    return store.OpenForOutput(path, filled(record, length, count));
}

QString missingMessage(const QString& which) {
    return QStringLiteral(
               "Your Customer Information File is missing\r\nThe %1 File can not be rebuilt")
        .arg(which);
}

IoStatus makeFolders(FileStore& store, const QString& account) {
    const QString base = QStringLiteral("/AuxFiles/") + account;
    QStringList folders = {QStringLiteral("/AuxFiles"), base};
    for (int i = 0; i < kAuxBoxes; ++i) {
        folders << base + QStringLiteral("/AuxFile%1").arg(i);
    }
    for (const QString& f : folders) {
        const IoStatus s = store.MakeFolder(f);
        if (!s) {
            return s;
        }
    }
    return {};
}

// Box text with "\n" (or CR LF) between lines, as raw lines for the file.
QStringList linesOf(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

}  // namespace

int customerCount(FileStore& store) {
    return store.RecordCount(kCustomerData, CustomerRecord::kSize);
}

CustomerRecord readCustomer(FileStore& store, int number) {
    return CustomerRecord::fromBytes(
        readRecord(store, kCustomerData, CustomerRecord::kSize, number));
}

QByteArray readContract(FileStore& store, int number) {
    return readRecord(store, kContractInfo, CompanionRecords::kContractSize, number);
}

QByteArray readCycle(FileStore& store, int number) {
    return readRecord(store, kCycleInfo, CompanionRecords::kCycleSize, number);
}

namespace {
QList<Slot> saveSlots(const QByteArray& contract, const QByteArray& cycle,
                      const QByteArray& customer) {
    return {{kContractInfo, CompanionRecords::kContractSize, contract},
            {kCycleInfo, CompanionRecords::kCycleSize, cycle},
            {kCustomerData, CustomerRecord::kSize, customer}};
}

// The save journal: the record number on its own line, then the three
// records at their full lengths, in the order they are written.
QByteArray journalOf(int number, const QList<Slot>& parts) {
    QByteArray out = QByteArray::number(number) + "\r\n";
    for (const Slot& slot : parts) {
        QByteArray rec = slot.bytes.left(slot.length);
        rec.append(QByteArray(slot.length - rec.size(), '\0'));
        out += rec;
    }
    return out;
}

// The number and the three parts a journal holds; nothing when it is not
// one this program wrote.
std::optional<std::pair<int, QList<Slot>>> parseJournal(const QByteArray& bytes) {
    const qsizetype eol = bytes.indexOf("\r\n");
    bool ok = false;
    const int number = eol > 0 ? bytes.left(eol).toInt(&ok) : 0;
    const qsizetype at = eol + 2;
    const int length =
        CompanionRecords::kContractSize + CompanionRecords::kCycleSize + CustomerRecord::kSize;
    if (!ok || number < 1 || number > kMaxCustomers || bytes.size() - at != length) {
        return std::nullopt;
    }
    return std::make_pair(
        number,
        saveSlots(bytes.mid(at, CompanionRecords::kContractSize),
                  bytes.mid(at + CompanionRecords::kContractSize, CompanionRecords::kCycleSize),
                  bytes.mid(at + CompanionRecords::kContractSize + CompanionRecords::kCycleSize)));
}

IoStatus writeSlots(FileStore& store, int number, const QList<Slot>& parts) {
    QList<Before> written;
    for (const Slot& slot : parts) {
        Before old;
        const IoStatus s = writeSlot(store, slot, number, &old);
        if (!s) {
            for (qsizetype i = 0; i < written.size(); ++i) {
                undoSlot(store, parts[i], number, written[i]);
            }
            return s;
        }
        written << old;
    }
    return {};
}
}  // namespace

IoStatus saveCustomer(FileStore& store, int number, const CustomerRecord& record,
                      const QByteArray& contract, const QByteArray& cycle) {
    if (number < 1 || number > kMaxCustomers) {
        return IoStatus::failure(
            store.fullPath(kCustomerData),
            QStringLiteral("it can hold no more than %1 customers").arg(kMaxCustomers));
    }
    const QList<Slot> parts = saveSlots(contract, cycle, record.toBytes());
    // The journal goes first: a program that dies while the three records
    // are written has them all written at its next start.
    IoStatus s = store.OpenForOutput(kSaveJournal, journalOf(number, parts));
    if (!s) {
        return s;
    }
    s = writeSlots(store, number, parts);
    // Once written the journal only repeats what is there; after a failure
    // that was undone it must not bring the save back. Should it stay (the
    // disk refusing even that), the next start completes the save.
    static_cast<void>(store.DeleteDataFile(kSaveJournal));
    return s;
}

IoStatus finishInterruptedSave(FileStore& store) {
    if (!store.folder().isFile(kSaveJournal)) {
        return {};
    }
    const Contents journal = readWhole(store, kSaveJournal);
    if (!journal.status) {
        return journal.status;
    }
    if (const auto saved = parseJournal(journal.bytes)) {
        const IoStatus s = writeSlots(store, saved->first, saved->second);
        if (!s) {
            return s;
        }
    }
    return store.DeleteDataFile(kSaveJournal);
}

QByteArray CustomerBytes::record(int number) const {
    QByteArray rec =
        bytes.mid(qsizetype(number - 1) * CustomerRecord::kSize, CustomerRecord::kSize);
    rec.append(QByteArray(CustomerRecord::kSize - rec.size(), '\0'));
    return rec;
}

QString CustomerBytes::field(int number, const QString& name) const {
    return field(number, CustomerRecord::layout().field(name));
}

CustomerRecord CustomerBytes::recordAt(int number, quint32 textFields) const {
    return CustomerRecord::fromBytesAt(bytes, qsizetype(number - 1) * CustomerRecord::kSize,
                                       textFields);
}

QString CustomerBytes::field(int number, const RecordField& f) const {
    return CustomerRecord::textOf(stored(number, f));
}

QByteArrayView CustomerBytes::stored(int number, const RecordField& f) const {
    return CustomerRecord::bytesAt(bytes, qsizetype(number - 1) * CustomerRecord::kSize, f);
}

std::optional<CustomerBytes> readAllCustomerBytes(FileStore& store) {
    const int count = customerCount(store);
    if (count == 0 && !exists(store, kCustomerData)) {
        return std::nullopt;
    }
    CustomerBytes all;
    all.count = count;
    all.bytes = readWhole(store, kCustomerData).bytes;
    return all;
}

QList<CustomerRecord> readAllCustomers(FileStore& store) {
    QList<CustomerRecord> out;
    const std::optional<CustomerBytes> all = readAllCustomerBytes(store);
    if (!all) {
        return out;
    }
    out.reserve(all->count);
    for (int n = 1; n <= all->count; ++n) {
        out << all->recordAt(n);
    }
    return out;
}

DeleteResult deleteCustomer(FileStore& store, int number) {
    const Prepared p = prepareDelete(store, number);
    IoStatus s = p.status;
    if (s) {
        s = store.OpenForOutput(kDeleteIntent,
                                Text::joinLines({QString::number(number), p.account}));
    }
    if (!s) {
        dropTemporaries(store);
        return {s, false};
    }
    bool replaced = false;
    s = completeDelete(store, p.account, &replaced);
    if (!s && !replaced) {
        // Nothing was replaced yet: the delete is undone, not left to finish.
        (void)store.DeleteDataFile(kDeleteIntent);
        dropTemporaries(store);
    }
    return {s, replaced};
}

IoStatus finishInterruptedDelete(FileStore& store) {
    for (const QString& folder : {QString(), AppFolder::backupFolder(), kAccountsFolder}) {
        store.RemoveUnfinishedWrites(folder);
    }
    // A save cut short is finished first: it may be the record the delete
    // then removes.
    const IoStatus saved = finishInterruptedSave(store);
    if (!saved) {
        return saved;
    }
    if (!store.folder().isFile(kDeleteIntent)) {
        dropTemporaries(store);
        return {};
    }
    const Contents intent = readWhole(store, kDeleteIntent);
    if (!intent.status) {
        return intent.status;
    }
    bool replaced = false;
    return completeDelete(store, Text::splitLines(intent.bytes).value(1).trimmed(), &replaced);
}

void BuildContractInfo(AppContext& ctx, int RecPointer, const QByteArray& record) {
    FileStore& store = ctx.store();
    if (!exists(store, kCustomerData)) {
        ctx.prompter().message(missingMessage(QStringLiteral("Contract")),
                               QStringLiteral("No Customer File Found"));
        return;
    }
    Q_UNUSED(RecPointer);
    // Every slot gets the record, also those below RecPointer, so that no
    // customer is left with a zero contract record.
    ctx.reportIoError(rebuild(store, kContractInfo, CompanionRecords::kContractSize, record,
                              customerCount(store)));
}

void BuildCycleInfo(AppContext& ctx, int customerCount, const QByteArray& record) {
    FileStore& store = ctx.store();
    if (!exists(store, kCustomerData)) {
        ctx.prompter().message(missingMessage(QStringLiteral("Cycle")),
                               QStringLiteral("No Customer File Found"));
        return;
    }
    ctx.prompter().message(
        QStringLiteral("Your Billing Information File will be Built with Default Values"),
        QStringLiteral("Building Billing Info"));
    ctx.reportIoError(
        rebuild(store, kCycleInfo, CompanionRecords::kCycleSize, record, customerCount));
}

QString auxDataPath(const QString& account, int box) {
    return QStringLiteral("/AuxFiles/%1/AuxFile%2/Data.txt").arg(account.trimmed()).arg(box);
}

QStringList loadAuxData(FileStore& store, const QString& account) {
    QStringList boxes(kAuxBoxes, QString());
    if (!IsSafeFileName(account.trimmed())) {
        return boxes;
    }
    for (int i = 0; i < kAuxBoxes; ++i) {
        const QString path = auxDataPath(account, i);
        if (exists(store, path)) {
            boxes[i] = Text::splitLines(readWhole(store, path).bytes).join(QLatin1Char('\n'));
        }
    }
    return boxes;
}

IoStatus saveAuxData(FileStore& store, const QString& account, const QStringList& boxes) {
    const QString acct = account.trimmed();
    if (!IsSafeFileName(acct)) {
        return IoStatus::failure(acct, QStringLiteral("an account number can not name a folder"));
    }
    IoStatus s = makeFolders(store, acct);
    for (int i = 0; s && i < kAuxBoxes; ++i) {
        s = store.OpenForOutput(auxDataPath(acct, i), Text::joinLines(linesOf(boxes.value(i))));
    }
    return s;
}

std::optional<QStringList> loadHeadings(FileStore& store) {
    if (!exists(store, kAuxHeadings)) {
        return std::nullopt;
    }
    QStringList lines = Text::splitLines(readWhole(store, kAuxHeadings).bytes);
    lines.resize(kAuxBoxes);
    return lines;
}

IoStatus saveHeadings(FileStore& store, const QStringList& headings) {
    QStringList lines;
    for (int i = 0; i < kAuxBoxes; ++i) {
        lines << linesOf(headings.value(i)).join(QLatin1Char(' '));
    }
    const IoStatus s = store.DeleteDataFile(AppFolder::backupPathOf(kAuxHeadings));
    return s ? store.OpenForOutput(kAuxHeadings, Text::joinLines(lines)) : s;
}

QStringList loadStates(FileStore& store) {
    QStringList states;
    if (!exists(store, kStatesList)) {
        return states;
    }
    FieldReader r(readWhole(store, kStatesList).bytes);
    while (states.size() < kStatesLoaded && !r.atEnd()) {
        const QString s = r.str().trimmed();
        if (!s.isEmpty()) {
            states << s;
        }
    }
    return states;
}

bool accountNumberTaken(FileStore& store, const QString& typed, int except) {
    const std::optional<CustomerBytes> all = readAllCustomerBytes(store);
    if (!all) {
        return false;
    }
    const QString name = QStringLiteral("AccountNumber");
    for (int n = 1; n <= all->count; ++n) {
        if (n != except && all->field(n, name).compare(typed, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace CustomerFiles
