#include "accounts/receivable.h"

#include "shell/appfolder.h"
#include "shell/clock.h"
#include "shell/dates.h"
#include "shell/filestore.h"

namespace {
const QString kName = QStringLiteral("name");
const QString kAccount = QStringLiteral("account");
const QString kDate = QStringLiteral("date");
const QString kDescription = QStringLiteral("description");
const QString kAmount = QStringLiteral("amount");
const QString kInvoice = QStringLiteral("invoice");
const QString kAmountA = QStringLiteral("amountA");
const QString kAmountB = QStringLiteral("amountB");
const QString kAmountC = QStringLiteral("amountC");
const QString kTax = QStringLiteral("Tax");
const QString kReference = QStringLiteral("Reference");
const QString kTaxAmount = QStringLiteral("Amount");
}  // namespace

const RecordLayout& AccountEntry::layout() {
    static const RecordLayout l = RecordLayout()
                                      .text(kName, 45)
                                      .text(kAccount, 25)
                                      .text(kDate, 15)
                                      .text(kDescription, 60)
                                      .text(kAmount, 10);
    return l;
}

QByteArray AccountEntry::toBytes() const {
    Record r(layout());
    r.setText(kName, name);
    r.setText(kAccount, account);
    r.setText(kDate, date);
    r.setText(kDescription, description);
    r.setText(kAmount, amount);
    return r.bytes();
}

AccountEntry AccountEntry::fromBytes(const QByteArray& bytes) {
    const Record r(layout(), bytes);
    return {r.trimmed(kName), r.trimmed(kAccount), r.trimmed(kDate), r.trimmed(kDescription),
            r.trimmed(kAmount)};
}

const RecordLayout& SalesJournalEntry::layout() {
    static const RecordLayout l = RecordLayout()
                                      .text(kName, 45)
                                      .text(kAccount, 20)
                                      .text(kInvoice, 20)
                                      .date(kDate)
                                      .money(kAmountA)
                                      .money(kAmountB)
                                      .money(kAmountC)
                                      .money(kAmount);
    return l;
}

QByteArray SalesJournalEntry::toBytes() const {
    Record r(layout());
    r.setText(kName, name);
    r.setText(kAccount, account);
    r.setText(kInvoice, invoiceNumber);
    r.setDate(kDate, date);
    r.setMoney(kAmountA, amountA);
    r.setMoney(kAmountB, amountB);
    r.setMoney(kAmountC, amountC);
    r.setMoney(kAmount, amount);
    return r.bytes();
}

SalesJournalEntry SalesJournalEntry::fromBytes(const QByteArray& bytes) {
    const Record r(layout(), bytes);
    return {r.trimmed(kName),  r.trimmed(kAccount), r.trimmed(kInvoice), r.date(kDate),
            r.money(kAmountA), r.money(kAmountB),   r.money(kAmountC),   r.money(kAmount)};
}

const RecordLayout& TaxEntry::layout() {
    static const RecordLayout l =
        RecordLayout().text(kTax, 20).text(kDate, 15).text(kReference, 30).text(kTaxAmount, 10);
    return l;
}

QByteArray TaxEntry::toBytes() const {
    Record r(layout());
    r.setText(kTax, tax);
    r.setText(kDate, date);
    r.setText(kReference, reference);
    r.setText(kTaxAmount, amount);
    return r.bytes();
}

TaxEntry TaxEntry::fromBytes(const QByteArray& bytes) {
    const Record r(layout(), bytes);
    return {r.trimmed(kTax), r.trimmed(kDate), r.trimmed(kReference), r.trimmed(kTaxAmount)};
}

bool IsSafeAccountKey(const QString& account) {
    return IsSafeFileName(account.trimmed());
}

namespace ReceivablePaths {
QString history() {
    return QStringLiteral("\\TAHistory.txt");
}
QString salesJournal() {
    return QStringLiteral("\\InvoiceSalesJournal.txt");
}
QString taxRecords() {
    return QStringLiteral("\\TaxRecords.txt");
}
QString accountsFolder() {
    return QStringLiteral("\\TIActiveAccounts");
}

QString accountFile(const QString& account) {
    if (!IsSafeAccountKey(account)) {
        return {};
    }
    return accountsFolder() + QLatin1Char('\\') + account.trimmed() + QStringLiteral(".txt");
}

QString accountBackup(const QString& account) {
    const QString live = accountFile(account);
    return live.isEmpty() ? QString() : AppFolder::backupPathOf(live);
}
}  // namespace ReceivablePaths

namespace {
IoStatus unsafeKey(const QString& account) {
    return IoStatus::failure(ReceivablePaths::accountsFolder() + QLatin1Char('\\') + account,
                             QStringLiteral("the account key is not a valid file name"));
}
}  // namespace

AccountRoutines::AccountRoutines(FileStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {}

QString AccountRoutines::today() const {
    return Dates::toShort(m_clock.today());
}

IoStatus AccountRoutines::append(const QString& dataPath, const QByteArray& record) {
    const int count = m_store.RecordCount(dataPath, static_cast<int>(record.size()));
    RecordFile& file = m_store.OpenRandom(dataPath, static_cast<int>(record.size()));
    const IoStatus s = file.write(count + 1, record);
    file.close();
    return s;
}

QList<QByteArray> AccountRoutines::records(const QString& dataPath, int length) {
    QList<QByteArray> out;
    if (dataPath.isEmpty() || !m_store.FileExists(dataPath)) {
        return out;
    }
    const std::optional<QByteArray> bytes = m_store.OpenForInput(dataPath);
    if (!bytes) {
        return out;
    }
    const int count = RecordCountOf(bytes->size(), length);
    for (int i = 0; i < count; ++i) {
        out << bytes->mid(static_cast<qsizetype>(i) * length, length);
    }
    return out;
}

IoStatus AccountRoutines::makeAccountFolders() {
    // The start-up tree does not include these folders; the first posting makes them.
    for (const QString& folder : {ReceivablePaths::accountsFolder(), QStringLiteral("\\Backup"),
                                  AppFolder::backupPathOf(ReceivablePaths::accountsFolder())}) {
        const IoStatus s = m_store.MakeFolder(folder);
        if (!s) {
            return s;
        }
    }
    return {};
}

IoStatus AccountRoutines::CreateAccountFile(const QString& account, const QString& name) {
    const QString path = ReceivablePaths::accountFile(account);
    if (path.isEmpty()) {
        return unsafeKey(account);
    }
    IoStatus s = makeAccountFolders();
    if (!s) {
        return s;
    }
    const AccountEntry opening{name, account.trimmed(), today(), QStringLiteral("Previous Balance"),
                               Money().display()};
    RecordFile& file = m_store.OpenRandom(path, AccountEntry::layout().size());
    s = file.write(1, opening.toBytes());
    file.close();
    return s;
}

IoStatus AccountRoutines::AppendAccountEntry(const QString& account, const QString& name,
                                             const QString& amountText, const QString& description,
                                             const QDate& date) {
    const QString path = ReceivablePaths::accountFile(account);
    if (path.isEmpty()) {
        return unsafeKey(account);
    }
    if (!m_store.FileExists(path)) {
        const QString backup = ReceivablePaths::accountBackup(account);
        if (m_store.folder().isFile(backup)) {
            // A fresh opening entry would later replace the backup that still
            // holds the account's postings.
            return IoStatus::failure(m_store.fullPath(path),
                                     QStringLiteral("it could not be restored from its backup"));
        }
        const IoStatus s = CreateAccountFile(account, name);
        if (!s) {
            return s;
        }
    }
    const AccountEntry entry{name, account.trimmed(), Dates::toShort(date), description,
                             amountText};
    return append(path, entry.toBytes());
}

IoStatus AccountRoutines::RefreshAccountBackup(const QString& account) {
    const QString path = ReceivablePaths::accountFile(account);
    if (path.isEmpty()) {
        return unsafeKey(account);
    }
    const IoStatus s = makeAccountFolders();
    if (!s) {
        return s;
    }
    // The copy replaces the old backup in one step, so a failed copy keeps it.
    return m_store.CopyDataFile(path, ReceivablePaths::accountBackup(account));
}

IoStatus AccountRoutines::AppendHistory(const QString& account, const QString& name,
                                        const Money& amount, const QString& dateText,
                                        const QString& description) {
    const AccountEntry entry{name, account.trimmed(), dateText, description, amount.display()};
    return append(ReceivablePaths::history(), entry.toBytes());
}

IoStatus AccountRoutines::WriteTaxRecord(const QString& tax, const QString& reference,
                                         const QString& amount) {
    const TaxEntry entry{tax, today(), reference, amount};
    return append(ReceivablePaths::taxRecords(), entry.toBytes());
}

IoStatus AccountRoutines::AppendSalesJournal(const SalesJournalEntry& entry) {
    return append(ReceivablePaths::salesJournal(), entry.toBytes());
}

QList<AccountEntry> AccountRoutines::accountEntries(const QString& account) {
    QList<AccountEntry> out;
    const int length = AccountEntry::layout().size();
    for (const QByteArray& r : records(ReceivablePaths::accountFile(account), length)) {
        out << AccountEntry::fromBytes(r);
    }
    return out;
}

QList<AccountEntry> AccountRoutines::history() {
    QList<AccountEntry> out;
    for (const QByteArray& r : records(ReceivablePaths::history(), AccountEntry::layout().size())) {
        out << AccountEntry::fromBytes(r);
    }
    return out;
}

QList<SalesJournalEntry> AccountRoutines::salesJournal() {
    QList<SalesJournalEntry> out;
    const int length = SalesJournalEntry::layout().size();
    for (const QByteArray& r : records(ReceivablePaths::salesJournal(), length)) {
        out << SalesJournalEntry::fromBytes(r);
    }
    return out;
}

QList<TaxEntry> AccountRoutines::taxRecords() {
    QList<TaxEntry> out;
    for (const QByteArray& r : records(ReceivablePaths::taxRecords(), TaxEntry::layout().size())) {
        out << TaxEntry::fromBytes(r);
    }
    return out;
}
