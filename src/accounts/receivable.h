#pragma once

#include "accounts/postings.h"
#include "shell/iostatus.h"
#include "shell/money.h"
#include "shell/recordfile.h"

#include <QDate>
#include <QString>

class Clock;
class FileStore;

// The record files that invoice runs post to. Other programs read them, so
// the layouts are fixed byte for byte; amounts and dates kept as text take
// the file form of FileText.

// 155 bytes: the receivable account files and the history across accounts
// (the record other programs know as AccountEntry).
struct ReceivableEntry {
    QString name;         // 45
    QString account;      // 25
    QString date;         // 15, short date text
    QString description;  // 60, "Previous Balance" or the invoice number
    QString amount;       // 10, currency text

    static const RecordLayout& layout();
    QByteArray toBytes() const;
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
};

// 75 bytes: one record per tax amount posted.
struct TaxEntry {
    QString tax;        // 20, the tax heading
    QString date;       // 15, short date text
    QString reference;  // 30, the invoice number
    QString amount;     // 10, currency text

    static const RecordLayout& layout();
    QByteArray toBytes() const;
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

// The appends of an invoice run, planned into the run's writes: each record
// goes to the slot after the file's last record as it stands when planned.
class AccountRoutines {
public:
    AccountRoutines(FileStore& store, const Clock& clock);

    // The opening entry as record 1 of a new account file.
    void CreateAccountFile(PostingPlan& plan, const QString& account, const QString& name) const;
    // Opens the account file first when it does not exist.
    [[nodiscard]] IoStatus AppendAccountEntry(PostingPlan& plan, const QString& account,
                                              const QString& name, Money amount,
                                              const QString& description, const QDate& date);
    void RefreshAccountBackup(PostingPlan& plan, const QString& account) const;
    void AppendHistory(PostingPlan& plan, const QString& account, const QString& name, Money amount,
                       const QString& dateText, const QString& description) const;
    void WriteTaxRecord(PostingPlan& plan, const QString& tax, const QString& reference,
                        Money amount) const;
    void AppendSalesJournal(PostingPlan& plan, const SalesJournalEntry& entry) const;

    // Makes the folders of the account files and their backups, and checks
    // that every file a posting to `account` writes can be written.
    [[nodiscard]] IoStatus prepareAccount(const QString& account);

private:
    // Whether the account file exists, after a restore from its backup copy
    // was tried. A copy that exists but could not be restored is a failure:
    // a new opening entry would later replace the postings it holds.
    struct [[nodiscard]] AccountFile {
        IoStatus status;
        bool exists = false;
    };
    AccountFile accountFile(const QString& account);
    QString today() const;

    FileStore& m_store;
    const Clock& m_clock;
};
