#pragma once

#include "shell/iostatus.h"
#include "shell/money.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class FileStore;

// The 18 fields of a proposal header file, in file order.
struct ProposalHeader {
    QString number;  // "1001", "FP1001" (field proposal), "1001P" (invoiced)
    Money proposedPrice;
    QDate creationDate;
    QString accountKey;  // telephone (writer) or account number (field proposal)
    QString customerName;
    QString customerAddress1;
    QString customerAddress2;
    QString customerCity;        // address #3
    QString customerState;       // address #4
    QString customerPostalCode;  // address #5
    QString customerTelephone;
    QString siteName;
    QString siteAddress1;
    QString siteAddress2;
    QString siteCity;
    QString siteState;
    QString sitePostalCode;
    QString siteTelephone;

    // A field proposal's number field contains "FP".
    bool isFieldProposal() const;
    // An invoiced proposal's number field ends in "P".
    bool isInvoiced() const;
    // The number without its "FP" and "P" marks ("FP1001" -> "1001").
    QString plainNumber() const;

    // Fields 5-11 and 12-18 as seven lines each (name, address #1, address #2,
    // city, state, postal code, telephone); missing lines are blank.
    QStringList customerLines() const;
    QStringList siteLines() const;
    void setCustomerLines(const QStringList& lines);
    void setSiteLines(const QStringList& lines);

    bool operator==(const ProposalHeader&) const = default;
};

// Where the line ends fall when a header is written; the fields and their
// order are the same in every form, and every form reads back alike.
enum class HeaderForm {
    Writer,    // 16 lines: fields 1-3, field 4, then fields 5-18 one per line
    Finalize,  // 15 lines: fields 1-4, then fields 5-18 one per line
    Invoiced,  // 4 lines, ending after fields 3, 4, 11 and 18
};

// A header as read back, and whether all 18 fields were there and of their type.
struct ParsedHeader {
    ProposalHeader header;
    bool complete = false;
};

// What reading one file gave: its content, or nothing when it is missing
// (status ok) or could not be restored or read (status says why).
template <typename T>
struct [[nodiscard]] FileRead {
    std::optional<T> value;
    IoStatus status;
};

struct StoredProposal {
    QString fileName;  // "1001.txt"
    ProposalHeader header;
};

// Money and dates in the payments, financials and receivable files take one
// form whatever the user's locale ("$1,234.50", "12/5/2026"): other programs
// read these files byte for byte, and a folder moved to a machine with
// another locale must read the same.
namespace FileText {
QString money(Money amount);
// The file form; failing that the user's locale form, which older files
// written under that locale hold.
std::optional<Money> money(const QString& text);
QString date(const QDate& date);
QDate date(const QString& text);
}  // namespace FileText

// The record files keep money as 10 characters of text, so "$10,000,000.00"
// and more would come back cut ("$12,345,67"): such amounts are refused
// where they are entered.
inline constexpr Money MaxStoredAmount = Money::fromCents(999'999'999);
bool FitsStoredAmount(Money amount);
// "Amounts of $10,000,000.00 and more cannot be stored", in the user's form.
QString TooLargeAmountMessage();

struct ScheduledPayment {
    Money amount;
    QDate dueDate;

    bool operator==(const ScheduledPayment&) const = default;
};

inline constexpr int MaxScheduledPayments = 8;

struct ProposalPayments {
    Money total;
    QList<ScheduledPayment> payments;

    Money sum() const;
    bool operator==(const ProposalPayments&) const = default;
};

// How the payment count is written: "2" (writer) or " 2 " (finalize).
enum class PaymentCountForm { Plain, Padded };

enum class PaymentsProblem {
    None,
    Missing,    // no such file
    Failed,     // it could not be read (see status)
    BadCount,   // the count is not a whole number from 1 to 8: no payments read
    Truncated,  // fewer amount and date pairs than the count: the good pairs are read
};

struct [[nodiscard]] PaymentsReading {
    ProposalPayments payments;
    PaymentsProblem problem = PaymentsProblem::None;
    int promisedCount = 0;  // the count as read (0 when unreadable)
    IoStatus status;
};

struct ProposalFinancials {
    Money priceBeforeTaxes;
    Money total;
    Money firstTax;
    Money secondTax;

    bool operator==(const ProposalFinancials&) const = default;
};

enum class FinancialsProblem {
    None,
    Missing,     // no such file
    Failed,      // it could not be read (see status)
    Incomplete,  // fewer than four amounts: the others read as zero
};

struct [[nodiscard]] FinancialsReading {
    ProposalFinancials financials;
    FinancialsProblem problem = FinancialsProblem::None;
    IoStatus status;
};

// The four files of a stored proposal live under \TolvarProposals, each named
// after the proposal's file name: the plain number followed by ".txt"
// ("1001.txt"), whatever marks ("FP", "P") its header's number field carries.
// Every writer replaces its file atomically; failures come back as IoStatus.
namespace ProposalFiles {

const QString& folder();           // "\TolvarProposals"
const QString& templatesFolder();  // "\Templates\Proposals"

// "1001.txt"
QString fileName(int number);
// The number a file name stands for ("1001.txt" -> 1001); 0 when it is not
// a plain proposal number.
int numberOf(const QString& fileName);

// "\TolvarProposals\1001.txt" and the body, payments and financials files of
// the same name below it.
QString headerPath(const QString& fileName);
QString bodyPath(const QString& fileName);
QString paymentsPath(const QString& fileName);
QString financialsPath(const QString& fileName);
inline QString headerPath(int number) {
    return headerPath(fileName(number));
}
inline QString bodyPath(int number) {
    return bodyPath(fileName(number));
}
inline QString paymentsPath(int number) {
    return paymentsPath(fileName(number));
}
inline QString financialsPath(int number) {
    return financialsPath(fileName(number));
}

// --- Header ---

QByteArray headerBytes(const ProposalHeader& header, HeaderForm form = HeaderForm::Writer);
// Reads the fields in order, line ends counting as commas. Fields that are
// missing or of the wrong type stay blank; `complete` tells whether all 18
// were read cleanly.
ParsedHeader parseHeader(const QByteArray& bytes);
// Text fields are trimmed and double quotes become apostrophes, so the file
// always reads back.
[[nodiscard]] IoStatus writeHeader(FileStore& store, const QString& fileName,
                                   const ProposalHeader& header,
                                   HeaderForm form = HeaderForm::Writer);
// Nothing when the file is missing (status ok) or cannot be read (status says why).
FileRead<ParsedHeader> readHeader(FileStore& store, const QString& fileName);
// Every header file of one listing (see listHeaders), read as listed; a file
// that could not be read has no header.
struct ListedHeader {
    QString fileName;
    std::optional<ParsedHeader> header;
};
QList<ListedHeader> readListedHeaders(FileStore& store);

// The names ("1001.txt", ...) of the header files in \TolvarProposals, from one
// listing of the folder, sorted by name without regard to case. Empty when
// there are none; callers then show noProposalsMessage().
QStringList listHeaders(const FileStore& store);
QString noProposalsMessage();  // "No Proposals Exist"
// Every listed header, read in listing order; unreadable files are skipped.
QList<StoredProposal> readAllHeaders(FileStore& store);

// --- Body ---

// The body text with its lines ended by CR LF (a lone LF or CR in the text
// counts as a line end), followed by one CR LF.
QByteArray bodyBytes(const QString& bodyText);
[[nodiscard]] IoStatus writeBody(FileStore& store, const QString& fileName,
                                 const QString& bodyText);
// The body's lines; nothing when the file is missing or unreadable.
FileRead<QStringList> readBodyLines(FileStore& store, const QString& fileName);
// A body as loaded into the body box: each line followed by CR LF.
QString joinBodyLines(const QStringList& lines);

// --- Payments: the total, the count, then an amount and a due date per payment ---

QByteArray paymentsBytes(const ProposalPayments& payments,
                         PaymentCountForm form = PaymentCountForm::Plain);
// Refuses (nothing written) a schedule of no payments or more than eight.
[[nodiscard]] IoStatus writePayments(FileStore& store, const QString& fileName,
                                     const ProposalPayments& payments,
                                     PaymentCountForm form = PaymentCountForm::Plain);
PaymentsReading parsePayments(const QByteArray& bytes);
PaymentsReading readPayments(FileStore& store, const QString& fileName);

// --- Financials: price before taxes, total, first tax, second tax ---

QByteArray financialsBytes(const ProposalFinancials& financials);
[[nodiscard]] IoStatus writeFinancials(FileStore& store, const QString& fileName,
                                       const ProposalFinancials& financials);
FinancialsReading parseFinancials(const QByteArray& bytes);
FinancialsReading readFinancials(FileStore& store, const QString& fileName);

// --- Templates: body texts kept as \Templates\Proposals\<name>.txt ---

// `name` as typed, or a listed file name with its ".txt" (not doubled).
QString templatePath(const QString& name);
bool templateExists(FileStore& store, const QString& name);
// Written in the body file's form. A name that is not a safe file name is
// refused and nothing is written.
[[nodiscard]] IoStatus saveTemplate(FileStore& store, const QString& name, const QString& bodyText);
// The text as loaded into an empty body (each line + CR LF).
FileRead<QString> loadTemplate(FileStore& store, const QString& name);
[[nodiscard]] IoStatus deleteTemplate(FileStore& store, const QString& name);
// File names ("Roof.txt", ...) of the templates, sorted without regard to case.
QStringList listTemplates(const FileStore& store);

}  // namespace ProposalFiles
