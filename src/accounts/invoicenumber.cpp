#include "accounts/invoicenumber.h"

#include "accounts/postings.h"
#include "shell/appfolder.h"
#include "shell/clock.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"

#include <optional>

namespace {
// A counter value the numbering can work with: ASCII digits only, short
// enough to count on in 64 bits.
std::optional<qint64> wholeNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 18) {
        return std::nullopt;
    }
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    return text.toLongLong();
}
}  // namespace

InvoiceNumbers::InvoiceNumbers(FileStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {}

QString InvoiceNumbers::ReadInvoiceNumber() {
    const QString year = QString::number(m_clock.today().year());
    if (!m_store.FileExists(path())) {
        return year + QStringLiteral("0001");
    }
    const IoResult<QByteArray> bytes = m_store.OpenForInput(path());
    FieldReader reader(bytes.value_or(QByteArray()));
    QString number = reader.str().trimmed();
    // A torn item (no closing quote) is not trusted as a number.
    const std::optional<qint64> value = reader.ok() ? wholeNumber(number) : std::nullopt;
    if (value.value_or(0) == 0) {
        number = year + QStringLiteral("0000");
    }
    if (number.left(4) < year) {
        number = year + QStringLiteral("0001");
    }
    return number;
}

QString InvoiceNumbers::NextInvoiceNumber(const QString& current) {
    return QString::number(wholeNumber(current.trimmed()).value_or(0) + 1);
}

void InvoiceNumbers::SaveInvoiceNumber(PostingPlan& plan, const QString& value) {
    plan.replaceFile(path(), FieldWriter().line(value).bytes());
    plan.removeFile(AppFolder::backupPathOf(path()));
}

QString PrintedInvoiceNumber(const QString& first, int index, bool allInvoices) {
    if (!allInvoices) {
        return first;
    }
    return first + QStringLiteral(" - ") + QString::number(index);
}
