#include "customers/customerfiles.h"

#include "shell/appcontext.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"
#include "shell/textcodec.h"

namespace CustomerFiles {

namespace {

// A missing record file is first restored from its backup copy; opening it
// creates it when there is none.
QByteArray readRecord(FileStore& store, const QString& path, int length, int number) {
    store.FileExists(path);
    RecordFile& f = store.OpenRandom(path, length);
    const QByteArray bytes = f.read(number);
    store.CloseAll();
    return bytes;
}

IoStatus writeRecord(FileStore& store, const QString& path, int length, int number,
                     const QByteArray& bytes) {
    store.FileExists(path);
    RecordFile& f = store.OpenRandom(path, length);
    IoStatus s = f.status();
    if (s) {
        s = f.write(number, bytes);
    }
    store.CloseAll();
    return s;
}

// The file's records but number `skip`, each at its full length.
QByteArray withoutRecord(FileStore& store, const QString& path, int length, int skip) {
    const int count = store.RecordCount(path, length);
    if (count == 0) {
        return {};
    }
    QByteArray all = store.OpenForInput(path).value_or(QByteArray());
    all.resize(qsizetype(count) * length, '\0');
    if (skip >= 1 && skip <= count) {
        all.remove(qsizetype(skip - 1) * length, length);
    }
    return all;
}

IoStatus compact(FileStore& store, const QString& path, int length, int skip, bool dropBackup) {
    const QByteArray rest = withoutRecord(store, path, length, skip);
    if (dropBackup) {
        const IoStatus s = store.DeleteDataFile(AppFolder::backupPathOf(path));
        if (!s) {
            return s;
        }
    }
    return store.OpenForOutput(path, rest);
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

IoStatus writeCustomer(FileStore& store, int number, const CustomerRecord& record) {
    return writeRecord(store, kCustomerData, CustomerRecord::kSize, number, record.toBytes());
}

QByteArray readContract(FileStore& store, int number) {
    return readRecord(store, kContractInfo, CompanionRecords::kContractSize, number);
}

IoStatus writeContract(FileStore& store, int number, const QByteArray& record) {
    return writeRecord(store, kContractInfo, CompanionRecords::kContractSize, number, record);
}

QByteArray readCycle(FileStore& store, int number) {
    return readRecord(store, kCycleInfo, CompanionRecords::kCycleSize, number);
}

IoStatus writeCycle(FileStore& store, int number, const QByteArray& record) {
    return writeRecord(store, kCycleInfo, CompanionRecords::kCycleSize, number, record);
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
    return CustomerRecord::textAt(bytes, qsizetype(number - 1) * CustomerRecord::kSize, f);
}

std::optional<CustomerBytes> readAllCustomerBytes(FileStore& store) {
    const int count = customerCount(store);
    if (count == 0 && !store.FileExists(kCustomerData)) {
        return std::nullopt;
    }
    CustomerBytes all;
    all.count = count;
    all.bytes = store.OpenForInput(kCustomerData).value_or(QByteArray());
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

IoStatus deleteCustomer(FileStore& store, int number, const QString& account) {
    const QString acct = account.trimmed();
    if (IsSafeFileName(acct)) {
        const IoStatus s = store.DeleteWithBackup(QStringLiteral("/TIActiveAccounts/") + acct +
                                                  QStringLiteral(".txt"));
        if (!s) {
            return s;
        }
    }
    IoStatus s = compact(store, kCustomerData, CustomerRecord::kSize, number, false);
    if (s) {
        s = compact(store, kCycleInfo, CompanionRecords::kCycleSize, number, true);
    }
    if (s) {
        s = compact(store, kContractInfo, CompanionRecords::kContractSize, number, true);
    }
    return s;
}

void BuildContractInfo(AppContext& ctx, int RecPointer, const QByteArray& record) {
    FileStore& store = ctx.store();
    if (!store.FileExists(kCustomerData)) {
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
    if (!store.FileExists(kCustomerData)) {
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
        if (store.FileExists(path)) {
            boxes[i] = Text::splitLines(store.OpenForInput(path).value_or(QByteArray()))
                           .join(QLatin1Char('\n'));
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
    if (!store.FileExists(kAuxHeadings)) {
        return std::nullopt;
    }
    QStringList lines = Text::splitLines(store.OpenForInput(kAuxHeadings).value_or(QByteArray()));
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
    if (!store.FileExists(kStatesList)) {
        return states;
    }
    FieldReader r(store.OpenForInput(kStatesList).value_or(QByteArray()));
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
        if (n != except && all->field(n, name) == typed) {
            return true;
        }
    }
    return false;
}

}  // namespace CustomerFiles
