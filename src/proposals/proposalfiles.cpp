#include "proposals/proposalfiles.h"

#include "shell/dates.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"
#include "shell/textcodec.h"

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

// --- ProposalHeader ---

namespace {

const QString kFieldMark = QStringLiteral("FP");

using TextMember = QString ProposalHeader::*;

constexpr std::array<TextMember, 7> kCustomerFields = {
    &ProposalHeader::customerName,      &ProposalHeader::customerAddress1,
    &ProposalHeader::customerAddress2,  &ProposalHeader::customerCity,
    &ProposalHeader::customerState,     &ProposalHeader::customerPostalCode,
    &ProposalHeader::customerTelephone,
};

constexpr std::array<TextMember, 7> kSiteFields = {
    &ProposalHeader::siteName,      &ProposalHeader::siteAddress1, &ProposalHeader::siteAddress2,
    &ProposalHeader::siteCity,      &ProposalHeader::siteState,    &ProposalHeader::sitePostalCode,
    &ProposalHeader::siteTelephone,
};

QStringList linesOf(const ProposalHeader& h, const std::array<TextMember, 7>& fields) {
    QStringList out;
    for (TextMember m : fields) {
        out << h.*m;
    }
    return out;
}

void setLines(ProposalHeader& h, const std::array<TextMember, 7>& fields,
              const QStringList& lines) {
    for (size_t i = 0; i < fields.size(); ++i) {
        const qsizetype at = static_cast<qsizetype>(i);
        h.*fields[i] = at < lines.size() ? lines.at(at) : QString();
    }
}

}  // namespace

bool ProposalHeader::isFieldProposal() const {
    return number.contains(kFieldMark);
}

bool ProposalHeader::isInvoiced() const {
    const QString n = number.trimmed();
    return n.endsWith(QLatin1Char('P')) && !n.endsWith(kFieldMark);
}

QString ProposalHeader::plainNumber() const {
    QString n = number.trimmed();
    n.remove(kFieldMark);
    if (n.endsWith(QLatin1Char('P'))) {
        n.chop(1);
    }
    return n;
}

QStringList ProposalHeader::customerLines() const {
    return linesOf(*this, kCustomerFields);
}
QStringList ProposalHeader::siteLines() const {
    return linesOf(*this, kSiteFields);
}
void ProposalHeader::setCustomerLines(const QStringList& lines) {
    setLines(*this, kCustomerFields, lines);
}
void ProposalHeader::setSiteLines(const QStringList& lines) {
    setLines(*this, kSiteFields, lines);
}

// --- Money and dates in the files ---

namespace FileText {
namespace {
const QLocale& fileLocale() {
    static const QLocale l(QLocale::English, QLocale::UnitedStates);
    return l;
}
}  // namespace

QString money(Money amount) {
    return amount.display(fileLocale());
}

std::optional<Money> money(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    for (const QLocale& l : {fileLocale(), MoneyLocale()}) {
        if (const std::optional<Money> m = Money::parseDisplay(text, l)) {
            return m;
        }
    }
    return std::nullopt;
}

QString date(const QDate& date) {
    return Dates::toShort(date, fileLocale());
}

QDate date(const QString& text) {
    const QDate d = Dates::fromShort(text, fileLocale());
    return d.isValid() ? d : Dates::fromShort(text, MoneyLocale());
}
}  // namespace FileText

bool FitsStoredAmount(Money amount) {
    return amount.raw() <= MaxStoredAmount.raw() && amount.raw() >= -MaxStoredAmount.raw();
}

QString TooLargeAmountMessage() {
    return QStringLiteral("Amounts of %1 and more cannot be stored")
        .arg((MaxStoredAmount + Money::fromCents(1)).display(MoneyLocale()));
}

Money ProposalPayments::sum() const {
    Money s;
    for (const ScheduledPayment& p : payments) {
        s += p.amount;
    }
    return s;
}

namespace ProposalFiles {

namespace {

QString under(const QString& sub, const QString& fileName) {
    return folder() + sub + QLatin1Char('\\') + fileName;
}

bool isTxt(const QString& name) {
    return name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

// The .txt files of one folder, sorted as the user would see them.
QStringList txtFilesIn(const FileStore& store, const QString& dataFolder) {
    QStringList names = store.ListFiles(dataFolder, QLatin1String(".txt"));
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

// The file's bytes when it exists (restored from the backup if need be). A
// plain missing file leaves `status` ok; a failed restore or read does not.
std::optional<QByteArray> readIfPresent(FileStore& store, const QString& dataPath,
                                        IoStatus* status) {
    if (status) {
        *status = {};
    }
    const Existence e = store.probe(dataPath);
    if (!e.isPresent()) {
        if (status) {
            *status = e.status();
        }
        return std::nullopt;
    }
    IoResult<QByteArray> bytes = store.OpenForInput(dataPath);
    if (!bytes) {
        if (status) {
            *status = bytes.status();
        }
        return std::nullopt;
    }
    return std::move(*bytes);
}

FileRead<QByteArray> readFile(FileStore& store, const QString& dataPath) {
    FileRead<QByteArray> r;
    r.value = readIfPresent(store, dataPath, &r.status);
    return r;
}

// The same read, its content turned into what the caller keeps.
template <typename T, typename Convert>
FileRead<T> readAs(FileStore& store, const QString& dataPath, Convert convert) {
    FileRead<QByteArray> bytes = readFile(store, dataPath);
    FileRead<T> r{std::nullopt, bytes.status};
    if (bytes.value) {
        r.value = convert(*bytes.value);
    }
    return r;
}

void writeTexts(FieldWriter& w, const QStringList& texts) {
    for (const QString& t : texts) {
        w.str(t.trimmed());
    }
}

}  // namespace

const QString& folder() {
    static const QString f = QStringLiteral("\\TolvarProposals");
    return f;
}

const QString& templatesFolder() {
    static const QString f = QStringLiteral("\\Templates\\Proposals");
    return f;
}

QString fileName(int number) {
    return QString::number(number) + QStringLiteral(".txt");
}

int numberOf(const QString& fileName) {
    if (!isTxt(fileName)) {
        return 0;
    }
    const QString stem = fileName.chopped(4);
    bool ok = false;
    const int n = stem.toInt(&ok);
    // Only the plain form: digits, no sign, no leading zeros.
    if (!ok || n <= 0 || QString::number(n) != stem) {
        return 0;
    }
    return n;
}

QString headerPath(const QString& fileName) {
    return folder() + QLatin1Char('\\') + fileName;
}
QString bodyPath(const QString& fileName) {
    return under(QStringLiteral("\\ProposalBody"), fileName);
}
QString paymentsPath(const QString& fileName) {
    return under(QStringLiteral("\\ProposalPayments"), fileName);
}
QString financialsPath(const QString& fileName) {
    return under(QStringLiteral("\\ProposalFinancials"), fileName);
}

// --- Header ---

QByteArray headerBytes(const ProposalHeader& h, HeaderForm form) {
    FieldWriter w;
    w.str(h.number.trimmed()).money(h.proposedPrice).date(h.creationDate);
    if (form != HeaderForm::Finalize) {
        w.endLine();
    }
    w.str(h.accountKey.trimmed()).endLine();
    if (form == HeaderForm::Invoiced) {
        writeTexts(w, h.customerLines());
        w.endLine();
        writeTexts(w, h.siteLines());
        w.endLine();
        return w.bytes();
    }
    for (const QString& t : h.customerLines() + h.siteLines()) {
        w.line(t.trimmed());
    }
    return w.bytes();
}

ParsedHeader parseHeader(const QByteArray& bytes) {
    FieldReader r(bytes);
    ProposalHeader h;
    h.number = r.str();
    h.proposedPrice = r.money();
    h.creationDate = r.date();
    h.accountKey = r.str();
    QStringList customer;
    QStringList site;
    for (int i = 0; i < 7; ++i) {
        customer << r.str();
    }
    for (int i = 0; i < 7; ++i) {
        site << r.str();
    }
    h.setCustomerLines(customer);
    h.setSiteLines(site);
    return {h, r.ok()};
}

IoStatus writeHeader(FileStore& store, const QString& fileName, const ProposalHeader& header,
                     HeaderForm form) {
    return store.OpenForOutput(headerPath(fileName), headerBytes(header, form));
}

FileRead<ParsedHeader> readHeader(FileStore& store, const QString& fileName) {
    return readAs<ParsedHeader>(store, headerPath(fileName), parseHeader);
}

QStringList listHeaders(const FileStore& store) {
    return txtFilesIn(store, folder());
}

QString noProposalsMessage() {
    return QStringLiteral("No Proposals Exist");
}

// Names just listed exist as spelled, so each is opened straight away: no
// case search and no restore, which keeps reading thousands of them quick.
// Thousands of small files are mostly waiting on the system, so a long
// listing is read on as many threads as there are cores; each fills its own
// stretch of the result, which keeps the listing order.
QList<ListedHeader> readListedHeaders(FileStore& store) {
    const QStringList names = listHeaders(store);
    const QString dir = store.fullPath(folder()) + QLatin1Char('/');
    QList<ListedHeader> out(names.size());
    ListedHeader* const into = out.data();
    const auto readStretch = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            into[i].fileName = names.at(i);
            if (const std::optional<QByteArray> bytes = FileStore::ReadListed(dir + names.at(i))) {
                into[i].header = parseHeader(*bytes);
            }
        }
    };
    constexpr qsizetype kFilesPerThread = 500;
    const qsizetype threads = std::clamp<qsizetype>(
        names.size() / kFilesPerThread, 1, std::max(1u, std::thread::hardware_concurrency()));
    const qsizetype stretch = (names.size() + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (qsizetype t = 1; t < threads; ++t) {
        helpers.emplace_back(readStretch, t * stretch, std::min(names.size(), (t + 1) * stretch));
    }
    readStretch(0, std::min(names.size(), stretch));
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return out;
}

QList<StoredProposal> readAllHeaders(FileStore& store) {
    QList<StoredProposal> out;
    const QList<ListedHeader> all = readListedHeaders(store);
    out.reserve(all.size());
    for (const ListedHeader& h : all) {
        if (h.header) {
            out.append({h.fileName, h.header->header});
        }
    }
    return out;
}

// --- Body ---

QByteArray bodyBytes(const QString& bodyText) {
    QString text = bodyText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return Text::encode(text) + "\r\n";
}

IoStatus writeBody(FileStore& store, const QString& fileName, const QString& bodyText) {
    return store.OpenForOutput(bodyPath(fileName), bodyBytes(bodyText));
}

FileRead<QStringList> readBodyLines(FileStore& store, const QString& fileName) {
    return readAs<QStringList>(store, bodyPath(fileName), Text::splitLines);
}

QString joinBodyLines(const QStringList& lines) {
    QString out;
    for (const QString& line : lines) {
        out += line + QStringLiteral("\r\n");
    }
    return out;
}

// --- Payments ---

QByteArray paymentsBytes(const ProposalPayments& payments, PaymentCountForm form) {
    const QString count = QString::number(payments.payments.size());
    QStringList lines{
        FileText::money(payments.total),
        form == PaymentCountForm::Padded ? QLatin1Char(' ') + count + QLatin1Char(' ') : count};
    for (const ScheduledPayment& p : payments.payments) {
        lines << FileText::money(p.amount) << FileText::date(p.dueDate);
    }
    return Text::joinLines(lines);
}

IoStatus writePayments(FileStore& store, const QString& fileName, const ProposalPayments& payments,
                       PaymentCountForm form) {
    const qsizetype n = payments.payments.size();
    if (n < 1 || n > MaxScheduledPayments) {
        return IoStatus::failure(store.fullPath(paymentsPath(fileName)),
                                 QStringLiteral("a payment schedule holds 1 to 8 payments"));
    }
    return store.OpenForOutput(paymentsPath(fileName), paymentsBytes(payments, form));
}

PaymentsReading parsePayments(const QByteArray& bytes) {
    PaymentsReading out;
    const QStringList lines = Text::splitLines(bytes);
    out.payments.total = FileText::money(lines.value(0)).value_or(Money());
    bool ok = false;
    const int n = lines.value(1).trimmed().toInt(&ok);
    out.promisedCount = ok ? n : 0;
    if (!ok || n < 1 || n > MaxScheduledPayments) {
        out.problem = PaymentsProblem::BadCount;
        return out;
    }
    for (int k = 0; k < n; ++k) {
        const qsizetype at = 2 + 2 * k;
        const std::optional<Money> amount = FileText::money(lines.value(at));
        const QDate due = FileText::date(lines.value(at + 1));
        if (!amount || !due.isValid()) {
            out.problem = PaymentsProblem::Truncated;
            break;
        }
        out.payments.payments.append({*amount, due});
    }
    return out;
}

PaymentsReading readPayments(FileStore& store, const QString& fileName) {
    IoStatus status;
    const std::optional<QByteArray> bytes = readIfPresent(store, paymentsPath(fileName), &status);
    if (!bytes) {
        PaymentsReading out;
        out.problem = status ? PaymentsProblem::Missing : PaymentsProblem::Failed;
        out.status = status;
        return out;
    }
    return parsePayments(*bytes);
}

// --- Financials ---

QByteArray financialsBytes(const ProposalFinancials& f) {
    return Text::joinLines({FileText::money(f.priceBeforeTaxes), FileText::money(f.total),
                            FileText::money(f.firstTax), FileText::money(f.secondTax)});
}

IoStatus writeFinancials(FileStore& store, const QString& fileName,
                         const ProposalFinancials& financials) {
    return store.OpenForOutput(financialsPath(fileName), financialsBytes(financials));
}

FinancialsReading parseFinancials(const QByteArray& bytes) {
    const QStringList lines = Text::splitLines(bytes);
    FinancialsReading out;
    ProposalFinancials& f = out.financials;
    const std::array<Money*, 4> targets = {&f.priceBeforeTaxes, &f.total, &f.firstTax,
                                           &f.secondTax};
    for (size_t i = 0; i < targets.size(); ++i) {
        const std::optional<Money> m = FileText::money(lines.value(static_cast<qsizetype>(i)));
        // A line that is not an amount must not be summed or posted as one.
        if (m) {
            *targets[i] = *m;
        } else {
            out.problem = FinancialsProblem::Incomplete;
        }
    }
    return out;
}

FinancialsReading readFinancials(FileStore& store, const QString& fileName) {
    IoStatus status;
    const std::optional<QByteArray> bytes = readIfPresent(store, financialsPath(fileName), &status);
    if (!bytes) {
        FinancialsReading out;
        out.problem = status ? FinancialsProblem::Missing : FinancialsProblem::Failed;
        out.status = status;
        return out;
    }
    return parseFinancials(*bytes);
}

// --- Templates ---

namespace {
IoStatus unusableTemplateName(const QString& name) {
    return IoStatus::failure(name, QStringLiteral("this is not a usable template name"));
}
}  // namespace

QString templatePath(const QString& name) {
    return templatesFolder() + QLatin1Char('\\') +
           (isTxt(name) ? name : name + QStringLiteral(".txt"));
}

bool templateExists(FileStore& store, const QString& name) {
    return IsSafeFileName(name) && store.FileExists(templatePath(name));
}

IoStatus saveTemplate(FileStore& store, const QString& name, const QString& bodyText) {
    if (!IsSafeFileName(name)) {
        return unusableTemplateName(name);
    }
    return store.OpenForOutput(templatePath(name), bodyBytes(bodyText));
}

FileRead<QString> loadTemplate(FileStore& store, const QString& name) {
    if (!IsSafeFileName(name)) {
        return {std::nullopt, unusableTemplateName(name)};
    }
    return readAs<QString>(store, templatePath(name), [](const QByteArray& bytes) {
        return joinBodyLines(Text::splitLines(bytes));
    });
}

IoStatus deleteTemplate(FileStore& store, const QString& name) {
    if (!IsSafeFileName(name)) {
        return unusableTemplateName(name);
    }
    return store.DeleteDataFile(templatePath(name));
}

QStringList listTemplates(const FileStore& store) {
    return txtFilesIn(store, templatesFolder());
}

}  // namespace ProposalFiles
