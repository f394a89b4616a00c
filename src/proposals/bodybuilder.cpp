#include "proposals/bodybuilder.h"

#include "shell/textcodec.h"

#include <algorithm>

namespace {
const QString kLineEnd = QStringLiteral("\r\n");

// Writes `part` over `line` from `column` on, widening the line if needed.
void overwrite(QString& line, int column, const QString& part) {
    const int end = column + static_cast<int>(part.size());
    if (line.size() < end) {
        line = line.leftJustified(end, QLatin1Char(' '));
    }
    line.replace(column, part.size(), part);
}

// quantity x price exactly, rounded half to even at four places; nothing
// when the product does not fit.
std::optional<Money> multiply(Money quantity, Money price) {
    qint64 product = 0;
    if (__builtin_mul_overflow(quantity.raw(), price.raw(), &product)) {
        return std::nullopt;
    }
    qint64 whole = product / 10000;
    const qint64 rest = product % 10000;
    const qint64 half = rest < 0 ? -rest : rest;
    if (half > 5000 || (half == 5000 && whole % 2 != 0)) {
        whole += rest < 0 ? -1 : 1;
    }
    return Money::fromRaw(whole);
}
}  // namespace

namespace BodyText {

QString headerSentence() {
    return QStringLiteral(
        "We hereby propose to furnish the materials and perform the labor necessary for the "
        "completion of ");
}

QString defaultTaxStatement() {
    return QStringLiteral("The Proposed Price includes all applicable Taxes and Fees");
}

QString itemHeading() {
    return QStringLiteral("  Qty  Description        Price      Extension");
}

QString itemHeadingMark() {
    return QStringLiteral("Qty  Description");
}

QString itemTemplate() {
    return QStringLiteral(" %Q    %D                     %U           %E");
}

QString fromDocument(const QByteArray& bytes) {
    const QStringList lines = Text::splitLines(bytes);
    QString body;
    for (const QString& line : lines.mid(0, MaxDocumentLines)) {
        body += line + kLineEnd;
    }
    return body;
}

std::optional<QByteArray> readDocumentHead(QIODevice& device) {
    QByteArray head;
    int lines = 0;
    while (lines < MaxDocumentLines && head.size() < MaxDocumentBytes && !device.atEnd()) {
        const QByteArray line = device.readLine(MaxDocumentBytes - head.size() + 1);
        if (line.isEmpty()) {
            break;
        }
        if (line.endsWith('\n')) {
            ++lines;
        }
        head += line;
    }
    // Text documents hold no NUL bytes; word processor and picture files do.
    if (head.contains('\0')) {
        return std::nullopt;
    }
    return head;
}

QString padQuantity(const QString& quantity) {
    QString padded = quantity;
    // Text that is no number counts as 0, as the box's value would.
    const Money n = Money::fromPlainString(quantity).value_or(Money());
    if (n < Money::fromCents(10000)) {
        padded += QLatin1Char(' ');
    }
    if (n < Money::fromCents(1000)) {
        padded += QLatin1Char(' ');
    }
    return padded;
}

}  // namespace BodyText

ItemLine ItemLine::build(const QString& quantity, const QString& description,
                         const QString& unitPrice, const QLocale& locale) {
    ItemLine item;
    const std::optional<Money> typedCount = Money::fromPlainString(quantity.trimmed());
    if (quantity.trimmed().isEmpty() || !typedCount) {
        item.problem = Problem::NoQuantity;
        return item;
    }
    const Money count = *typedCount;
    const std::optional<Money> price = Money::parseDisplay(unitPrice, locale);
    const std::optional<Money> product = price ? multiply(count, *price) : std::nullopt;
    if (!product) {
        item.problem = Problem::BadPrice;
        return item;
    }
    item.extension = product->roundedToCents();
    const QString qty = BodyText::padQuantity(quantity.trimmed());
    const QString priceText = price->display(locale);
    const QString extText = item.extension.display(locale);

    QString line(BodyText::ItemLineLength, QLatin1Char(' '));
    overwrite(line, BodyText::QuantityColumn, qty);
    const int descStart =
        std::max<int>(BodyText::DescriptionColumn, BodyText::QuantityColumn + qty.size() + 1);
    const int priceStart =
        std::max<int>(descStart, BodyText::PriceEndColumn + 1 - priceText.size());
    // One blank at least between the description and the price.
    const int room = std::max(0, priceStart - 1 - descStart);
    overwrite(line, descStart, description.trimmed().left(room));
    overwrite(line, priceStart, priceText);
    const int priceEnd = priceStart + static_cast<int>(priceText.size());
    const int extStart =
        std::max<int>(priceEnd + 1, BodyText::ExtensionEndColumn + 1 - extText.size());
    overwrite(line, extStart, extText);
    item.text = line;
    return item;
}

BodyBuilder::BodyBuilder(QString genericTerms) : m_genericTerms(std::move(genericTerms)) {}

void BodyBuilder::addHeader() {
    m_text = BodyText::headerSentence();
    m_headerEnabled = false;
}

void BodyBuilder::clear(bool customTermsFileExists) {
    m_headerEnabled = true;
    m_text.clear();
    m_terms = TermsOptions();
    m_customTermsAdded = false;
    // The items went with the body; their tax must not outlive them.
    m_lastExtension = Money();
    resetTermsOptions(customTermsFileExists);
}

void BodyBuilder::resetTermsOptions(bool customTermsFileExists) {
    m_terms.genericEnabled = true;
    m_terms.customEnabled = customTermsFileExists;
    m_terms.selected = customTermsFileExists ? TermsOptions::Custom : TermsOptions::Generic;
    m_terms.addEnabled = true;
}

void BodyBuilder::appendParagraph(const QString& paragraph) {
    m_text += kLineEnd + kLineEnd + paragraph;
}

void BodyBuilder::ensureGenericTerms() {
    if (!m_text.contains(m_genericTerms)) {
        appendParagraph(m_genericTerms);
    }
}

bool BodyBuilder::addTerms(const std::optional<QString>& customTerms) {
    if (m_terms.selected != TermsOptions::Custom) {
        ensureGenericTerms();
    } else if (m_customTermsAdded || !customTerms) {
        return false;
    } else {
        appendParagraph(*customTerms);
        m_customTermsAdded = true;
    }
    m_terms.genericEnabled = false;
    m_terms.customEnabled = false;
    m_terms.addEnabled = false;
    return true;
}

void BodyBuilder::addTaxStatement(const QString& statement) {
    if (!m_text.contains(statement)) {
        m_text += kLineEnd + statement;
    }
}

void BodyBuilder::addItemLine(const ItemLine& line) {
    if (line.problem != ItemLine::Problem::None) {
        return;
    }
    if (!m_text.contains(BodyText::itemHeadingMark())) {
        m_text += kLineEnd + BodyText::itemHeading();
    }
    m_text += kLineEnd + line.text;
    m_lastExtension = line.extension;
}
