#pragma once

#include "shell/recordfile.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// One customer of CustomerData.txt: a 328-byte record of blank-padded
// single-byte text fields and two 16-bit integers. Read values are trimmed;
// values longer than their field are cut when stored.
struct CustomerRecord {
    static constexpr int kSize = 328;
    static const RecordLayout& layout();

    QString AccountNumber;   // 20; the key: names the receivable file and aux folder
    QString AccountName;     // 45; business name (or the composed name)
    QString Address1;        // 35
    QString Address2;        // 25
    QString CityOrAddress3;  // 25; USA style the city, else "Address 3"
    QString CityText;        // 20; the city box, whatever the style
    QString State;           // 2; USA style only
    QString ZipCode;         // 10
    QString ZipOrAddress4;   // 25; USA style the postal code again, else "Address 4"
    QString Phone;           // 13
    QString CellPhone;       // 13
    QString Other;           // 30; fax, e-mail, ...
    QString Title;           // 10
    QString FirstName;       // 15
    QString MiddleInitial;   // 1; always stored blank
    QString LastName;        // 25
    QString AccountType;     // 10; "Business" or "Individual"
    qint16 NewFlag = 0;
    qint16 Spare = 0;

    bool operator==(const CustomerRecord&) const = default;

    static CustomerRecord fromBytes(const QByteArray& bytes);
    // One text field, trimmed, of the record that starts at `start` in
    // `bytes` (a whole file); the part past the end of `bytes` reads blank.
    static QString textAt(const QByteArray& bytes, qsizetype start, const RecordField& field);
    // The stored bytes of that field without the blanks, zeros and white space
    // around it.
    static QByteArrayView bytesAt(const QByteArray& bytes, qsizetype start,
                                  const RecordField& field);
    // The text of those bytes, as textAt gives it.
    static QString textOf(QByteArrayView stored);
    // The record that starts at `start` in `bytes`, reading only the text
    // fields whose bits are set in `textFields` (bit i: the i-th text field;
    // see fieldMask) and leaving the others blank.
    static CustomerRecord fromBytesAt(const QByteArray& bytes, qsizetype start,
                                      quint32 textFields = ~0u);
    static quint32 fieldMask(const QStringList& names);
    QByteArray toBytes() const;
    // The record as it reads back once stored (fields cut and trimmed).
    CustomerRecord stored() const { return fromBytes(toBytes()); }

    bool isBusiness() const { return AccountType == business(); }
    // Account list entry: the business name, or "Last, First".
    QString displayName() const;
    // "Mr. John Smith": title, first and last name, each present part
    // followed by one blank but the last.
    QString composedName() const;
    // The postal code to show: ZipCode, or ZipOrAddress4 when that is blank.
    QString shownPostalCode() const;

    static QString business() { return QStringLiteral("Business"); }
    static QString individual() { return QStringLiteral("Individual"); }
    static constexpr int kAccountNumberWidth = 20;
};

// The companion records: one per customer at the same record number. This
// program only creates, aligns, compacts and rebuilds them, so they stay
// bytes laid out as below.
namespace CompanionRecords {

constexpr int kContractSize = 386;
constexpr int kCycleSize = 69;
const RecordLayout& contractLayout();
const RecordLayout& cycleLayout();

// The contract defaults of a new customer: "None Selected", "None", today's
// weekday name and date. Field 14 is not reset: it keeps what `previous`
// holds there (blank when `previous` is empty).
QByteArray defaultContract(const QDate& today, const QByteArray& previous = {});
QByteArray defaultCycle();

}  // namespace CompanionRecords
