#include "accounts/invoicenumber.h"

#include "shell/appfolder.h"
#include "shell/clock.h"
#include "shell/fieldline.h"
#include "shell/filestore.h"

namespace {
// A counter value the numbering can work with: digits only, short enough to
// count on in 64 bits.
bool isWholeNumber(const QString& text, qint64* value) {
    if (text.isEmpty() || text.size() > 18) {
        return false;
    }
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 127) {
            return false;
        }
    }
    *value = text.toLongLong();
    return true;
}
}  // namespace

InvoiceNumbers::InvoiceNumbers(FileStore& store, const Clock& clock)
    : m_store(store), m_clock(clock) {}

QString InvoiceNumbers::stored() {
    if (!m_store.FileExists(path())) {
        return {};
    }
    const std::optional<QByteArray> bytes = m_store.OpenForInput(path());
    if (!bytes) {
        return {};
    }
    FieldReader reader(*bytes);
    const QString item = reader.str().trimmed();
    // A torn item (no closing quote) is not trusted as a number.
    return reader.ok() ? item : QString();
}

QString InvoiceNumbers::ReadInvoiceNumber(IoStatus* status) {
    const QString year = QString::number(m_clock.today().year());
    QString number;
    if (m_store.FileExists(path())) {
        number = stored();
        qint64 value = 0;
        if (!isWholeNumber(number, &value) || value == 0) {
            number = year + QStringLiteral("0000");
        }
    } else {
        number = year + QStringLiteral("0001");
    }
    if (number.left(4) < year) {
        number = year + QStringLiteral("0001");
    }
    const IoStatus s = SaveInvoiceNumber(number);
    if (status) {
        *status = s;
    }
    return number;
}

QString InvoiceNumbers::NextInvoiceNumber(const QString& current, IoStatus* status) {
    qint64 value = 0;
    if (!isWholeNumber(current.trimmed(), &value)) {
        value = 0;
    }
    const QString next = QString::number(value + 1);
    const IoStatus s = SaveInvoiceNumber(next);
    if (status) {
        *status = s;
    }
    return next;
}

IoStatus InvoiceNumbers::SaveInvoiceNumber(const QString& value) {
    const IoStatus s = m_store.OpenForOutput(path(), FieldWriter().line(value).bytes());
    if (!s) {
        return s;
    }
    // A stale backup copy would come back through FileExists if the counter
    // were ever lost, and restart the numbering at an old value.
    return m_store.DeleteDataFile(AppFolder::backupPathOf(path()));
}

QString PrintedInvoiceNumber(const QString& first, int index, bool allInvoices) {
    if (!allInvoices) {
        return first;
    }
    return first + QStringLiteral(" - ") + QString::number(index);
}
