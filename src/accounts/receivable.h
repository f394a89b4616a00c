#pragma once

#include "shell/iostatus.h"
#include "shell/money.h"
#include "shell/recordfile.h"

#include <QDate>
#include <QList>
#include <QString>

class Clock;
class FileStore;

// The record files that invoice runs post to. Other programs read them, so
// the layouts are fixed byte for byte.

// 155 bytes: the receivable account files and the history across accounts.
struct AccountEntry {
    QString name;         // 45
    QString account;      // 25
    QString date;         // 15, short date text
    QString description;  // 60, "Previous Balance" or the invoice number
    QString amount;       // 10, currency text

    static const RecordLayout& layout();
    QByteArray toBytes() const;
    static AccountEntry fromBytes(const QByteArray& bytes);
};

// 125 bytes: one record per invoice confirmed as printed.
struct SalesJournalEntry {
    QString name;           // 45
    QString account;        // 20
    QString invoiceNumber;  // 20, as printed on the invoice
    QDate date;             // payment date, day count
    Money amountA;
    Money amountB;
    Money amountC;
    Money amount;  // the invoice's amount

    static const RecordLayout& layout();
    QByteArray toBytes() const;
    static SalesJournalEntry fromBytes(const QByteArray& bytes);
};

// 75 bytes: one record per tax amount posted.
struct TaxEntry {
    QString tax;        // 20, the tax heading
    QString date;       // 15, short date text
    QString reference;  // 30, the invoice number
    QString amount;     // 10, currency text

    static const RecordLayout& layout();
    QByteArray toBytes() const;
    static TaxEntry fromBytes(const QByteArray& bytes);
};

namespace ReceivablePaths {
QString history();       // "\TAHistory.txt"
QString salesJournal();  // "\InvoiceSalesJournal.txt"
QString taxRecords();    // "\TaxRecords.txt"
QString accountsFolder();
// "\TIActiveAccounts\<account>.txt" for the trimmed key, or empty when the key
// cannot be a file name (it would reach outside the folder).
QString accountFile(const QString& account);
QString accountBackup(const QString& account);
}  // namespace ReceivablePaths

// True when the trimmed account key may name a receivable file.
bool IsSafeAccountKey(const QString& account);

// Appends and reads of the receivable files. Every append writes the new
// record at count + 1 and closes the file again; a failure comes back as the
// status and nothing is reported as written.
class AccountRoutines {
public:
    AccountRoutines(FileStore& store, const Clock& clock);

    IoStatus CreateAccountFile(const QString& account, const QString& name);
    // Creates the file with its opening entry first when it does not exist
    // (after a restore from the backup copy was tried). The amount text is
    // stored as given.
    IoStatus AppendAccountEntry(const QString& account, const QString& name,
                                const QString& amountText, const QString& description,
                                const QDate& date);
    IoStatus RefreshAccountBackup(const QString& account);
    IoStatus AppendHistory(const QString& account, const QString& name, const Money& amount,
                           const QString& dateText, const QString& description);
    IoStatus WriteTaxRecord(const QString& tax, const QString& reference, const QString& amount);
    IoStatus AppendSalesJournal(const SalesJournalEntry& entry);

    QList<AccountEntry> accountEntries(const QString& account);
    QList<AccountEntry> history();
    QList<SalesJournalEntry> salesJournal();
    QList<TaxEntry> taxRecords();

private:
    IoStatus append(const QString& dataPath, const QByteArray& record);
    QList<QByteArray> records(const QString& dataPath, int length);
    IoStatus makeAccountFolders();
    QString today() const;

    FileStore& m_store;
    const Clock& m_clock;
};
