#include "accounts/receivable.h"

#include "proposals/proposalfiles.h"
#include "shell/appfolder.h"
#include "shell/clock.h"
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

const RecordLayout& ReceivableEntry::layout() {
    static const RecordLayout l = RecordLayout()
                                      .text(kName, 45)
                                      .text(kAccount, 25)
                                      .text(kDate, 15)
                                      .text(kDescription, 60)
                                      .text(kAmount, 10);
    return l;
}

QByteArray ReceivableEntry::toBytes() const {
    Record r(layout());
    r.setText(kName, name);
    r.setText(kAccount, account);
    r.setText(kDate, date);
    r.setText(kDescription, description);
    r.setText(kAmount, amount);
    return r.bytes();
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

AccountRoutines::AccountRoutines(FileStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {}

QString AccountRoutines::today() const {
    return FileText::date(m_clock.today());
}

AccountRoutines::AccountFile AccountRoutines::accountFile(const QString& account) {
    const QString path = ReceivablePaths::accountFile(account);
    if (m_store.FileExists(path)) {
        return {{}, true};
    }
    if (m_store.folder().isFile(ReceivablePaths::accountBackup(account))) {
        return {IoStatus::failure(m_store.fullPath(path),
                                  QStringLiteral("it could not be restored from its backup")),
                false};
    }
    return {{}, false};
}

IoStatus AccountRoutines::prepareAccount(const QString& account) {
    const QString live = ReceivablePaths::accountFile(account);
    if (live.isEmpty()) {
        return IoStatus::failure(ReceivablePaths::accountsFolder() + QLatin1Char('\\') + account,
                                 QStringLiteral("the account key is not a valid file name"));
    }
    // The start-up tree does not include these folders; the first posting makes them.
    for (const QString& folder : {ReceivablePaths::accountsFolder(), QStringLiteral("\\Backup"),
                                  AppFolder::backupPathOf(ReceivablePaths::accountsFolder())}) {
        if (const IoStatus s = m_store.MakeFolder(folder); !s) {
            return s;
        }
    }
    for (const QString& path :
         {live, ReceivablePaths::accountBackup(account), ReceivablePaths::history()}) {
        if (const IoStatus s = checkWritable(m_store, path); !s) {
            return s;
        }
    }
    return accountFile(account).status;
}

void AccountRoutines::CreateAccountFile(PostingPlan& plan, const QString& account,
                                        const QString& name) const {
    const ReceivableEntry opening{name, account.trimmed(), today(),
                                  QStringLiteral("Previous Balance"), FileText::money(Money())};
    plan.putRecord(ReceivablePaths::accountFile(account), 1, opening.toBytes());
}

IoStatus AccountRoutines::AppendAccountEntry(PostingPlan& plan, const QString& account,
                                             const QString& name, Money amount,
                                             const QString& description, const QDate& date) {
    const AccountFile file = accountFile(account);
    if (!file.status) {
        return file.status;
    }
    if (!file.exists) {
        CreateAccountFile(plan, account, name);
    }
    const ReceivableEntry entry{name, account.trimmed(), FileText::date(date), description,
                                FileText::money(amount)};
    plan.appendRecord(ReceivablePaths::accountFile(account), entry.toBytes());
    return {};
}

void AccountRoutines::RefreshAccountBackup(PostingPlan& plan, const QString& account) const {
    // The copy replaces the old backup in one step, so a failed copy keeps it.
    plan.copyFile(ReceivablePaths::accountFile(account), ReceivablePaths::accountBackup(account));
}

void AccountRoutines::AppendHistory(PostingPlan& plan, const QString& account, const QString& name,
                                    Money amount, const QString& dateText,
                                    const QString& description) const {
    const ReceivableEntry entry{name, account.trimmed(), dateText, description,
                                FileText::money(amount)};
    plan.appendRecord(ReceivablePaths::history(), entry.toBytes());
}

void AccountRoutines::WriteTaxRecord(PostingPlan& plan, const QString& tax,
                                     const QString& reference, Money amount) const {
    const TaxEntry entry{tax, today(), reference, FileText::money(amount)};
    plan.appendRecord(ReceivablePaths::taxRecords(), entry.toBytes());
}

void AccountRoutines::AppendSalesJournal(PostingPlan& plan, const SalesJournalEntry& entry) const {
    plan.appendRecord(ReceivablePaths::salesJournal(), entry.toBytes());
}
