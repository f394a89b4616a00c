#pragma once

#include "customers/customerrecord.h"
#include "shell/iostatus.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;
class FileStore;

// The customer record file, its two companion files, the auxiliary data of
// each customer, their headings and the state list. Record numbers count
// from 1; a read past the end gives a blank record.
namespace CustomerFiles {

inline const QString kCustomerData = QStringLiteral("/CustomerData.txt");
inline const QString kContractInfo = QStringLiteral("/ContractInfo.txt");
inline const QString kCycleInfo = QStringLiteral("/CycleInfo.txt");
inline const QString kAuxHeadings = QStringLiteral("/AuxHeadings.txt");
inline const QString kStatesList = QStringLiteral("/StatesList.txt");
constexpr int kAuxBoxes = 6;
constexpr int kStatesLoaded = 50;

// Whether a data file exists, restored from its backup copy when missing.
bool exists(FileStore& store, const QString& path);

// Number of customer records; 0 when there is no customer file.
int customerCount(FileStore& store);

// The record file holds at most this many records (a 16-bit count).
constexpr int kMaxCustomers = 32767;

CustomerRecord readCustomer(FileStore& store, int number);
QByteArray readContract(FileStore& store, int number);
QByteArray readCycle(FileStore& store, int number);

// Writes the customer with its contract and cycle records at `number`, all
// three or none: the three records are first kept in a journal, then the
// companions are written and the customer record last; a failure puts back
// what was already written, and a program that dies part way has the save
// completed from the journal at its next start (finishInterruptedDelete).
[[nodiscard]] IoStatus saveCustomer(FileStore& store, int number, const CustomerRecord& record,
                                    const QByteArray& contract, const QByteArray& cycle);

// The whole customer file in one read (for lists and searches); nothing when
// there is no customer file. Each record of `count` starts at (n-1) x 328;
// the last one may be short.
struct CustomerBytes {
    QByteArray bytes;
    int count = 0;
    // Record n (from 1), zero-padded to its full length.
    QByteArray record(int number) const;
    // One trimmed text field of record n, decoded without the others.
    QString field(int number, const QString& name) const;
    QString field(int number, const RecordField& f) const;
    // The stored bytes of that field, without the blanks, zeros and white
    // space around it.
    QByteArrayView stored(int number, const RecordField& f) const;
    // Record n, only the text fields of `textFields` read (fieldMask).
    CustomerRecord recordAt(int number, quint32 textFields = ~0u) const;
};
std::optional<CustomerBytes> readAllCustomerBytes(FileStore& store);
QList<CustomerRecord> readAllCustomers(FileStore& store);

// Removes customer `number` from all three record files, which close up
// behind it, and then deletes the receivable file (and its backup copy) of
// the account stored in that record. The aux folder stays.
//
// All three compacted files are written beside the originals first; an
// intent file naming the record is written before the first replacement, so
// that a delete cut short is finished by finishInterruptedDelete and the
// companion files never shift against the customer file. A failure before
// the intent leaves every file as it was.
struct [[nodiscard]] DeleteResult {
    IoStatus status;
    bool removed = false;  // the record files no longer hold the customer
};
[[nodiscard]] DeleteResult deleteCustomer(FileStore& store, int number);
// At start-up: completes a save its journal records, then a delete that an
// intent file records, or drops the temporaries of one that never reached
// its intent.
[[nodiscard]] IoStatus finishInterruptedDelete(FileStore& store);
[[nodiscard]] IoStatus finishInterruptedSave(FileStore& store);
inline const QString kDeleteIntent = QStringLiteral("/CUSTOMER.DEL");
inline const QString kSaveJournal = QStringLiteral("/CUSTOMER.SAV");

// Rebuild a missing companion file with `record` in every slot, when the
// customer file exists; otherwise tell the user and change nothing.
void BuildContractInfo(AppContext& ctx, int RecPointer, const QByteArray& record);
void BuildCycleInfo(AppContext& ctx, int customerCount, const QByteArray& record);

// The data path of aux box `box` of an account.
QString auxDataPath(const QString& account, int box);
// The six boxes of an account ("\n" between lines); empty for missing files.
QStringList loadAuxData(FileStore& store, const QString& account);
// Writes the six boxes, creating the account's folders when missing. An
// account that is not a usable folder name is refused.
[[nodiscard]] IoStatus saveAuxData(FileStore& store, const QString& account,
                                   const QStringList& boxes);

// The six headings, or nothing when there is no headings file.
std::optional<QStringList> loadHeadings(FileStore& store);
[[nodiscard]] IoStatus saveHeadings(FileStore& store, const QStringList& headings);

// The first 50 state codes of the state list (fewer when the file has fewer).
QStringList loadStates(FileStore& store);

// Whether another record than `except` holds this account number: the typed
// text, untrimmed, against each record's trimmed account number, ignoring
// letter case (the folder and receivable file it names are found that way).
bool accountNumberTaken(FileStore& store, const QString& typed, int except);

}  // namespace CustomerFiles
