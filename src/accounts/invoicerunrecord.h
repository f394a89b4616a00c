#pragma once

#include "accounts/postings.h"
#include "proposals/proposalfiles.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class FileStore;

// What an invoice run of one proposal has done and what it is doing, kept in
// \TIInvoiceRuns\<proposal file name> from the start of the run until its
// postings are complete. The writes of each step are saved in it before they
// are made, so a run cut short by a failure or by the end of the program is
// completed from here, never posted twice; a run the user stopped part way
// keeps its confirmed pages here, so a later run goes on after them.
struct InvoiceRunRecord {
    QString fileName;  // the proposal's "1001.txt"
    // With the creation date: the proposal the record belongs to, should a
    // new proposal ever take a deleted one's number.
    QString accountKey;
    QDate creationDate;
    QString firstNumber;  // the run's first invoice number
    bool allInvoices = false;
    int confirmed = 0;     // pages confirmed and in the sales journal
    bool posting = false;  // every page confirmed: receivable postings under way
    QList<PlannedWrite> pending;

    bool belongsTo(const StoredProposal& proposal) const;
    QByteArray toBytes() const;
    // nullopt when the bytes are not a whole record.
    static std::optional<InvoiceRunRecord> parse(const QByteArray& bytes);
    bool operator==(const InvoiceRunRecord&) const = default;
};

class InvoiceRunLog {
public:
    InvoiceRunLog(FileStore& store, WriteApplier apply)
        : m_store(store), m_apply(std::move(apply)) {}

    static QString folder();  // "\TIInvoiceRuns"
    static QString pathOf(const QString& fileName);

    // The open run of this proposal, if there is one.
    std::optional<InvoiceRunRecord> find(const StoredProposal& proposal);

    // The record is saved holding `writes`, then each write is made, then
    // the record is saved without them, or removed when `finish`. A failure
    // leaves the record holding them for recover(); `record` keeps the
    // writes until they are all made.
    [[nodiscard]] IoStatus commit(InvoiceRunRecord& record, const QList<PlannedWrite>& writes,
                                  bool finish);
    [[nodiscard]] IoStatus discard(const InvoiceRunRecord& record);

    struct [[nodiscard]] Recovery {
        IoStatus status;       // the first failure; the other records were still tried
        QStringList finished;  // proposals ("1001.txt") whose postings were completed
    };
    // Makes the writes that interrupted runs still hold.
    [[nodiscard]] Recovery recover();

private:
    IoStatus complete(InvoiceRunRecord& record, bool finish);

    FileStore& m_store;
    WriteApplier m_apply;
};
