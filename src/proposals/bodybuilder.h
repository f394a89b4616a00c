#pragma once

#include "shell/money.h"

#include <QByteArray>
#include <QIODevice>
#include <QLocale>
#include <QString>

#include <optional>

// Fixed texts and layouts of a proposal body.
namespace BodyText {

inline constexpr int MaxDocumentLines = 49;

// "We hereby propose to furnish ... completion of " (97 characters).
QString headerSentence();
// "The Proposed Price includes all applicable Taxes and Fees".
QString defaultTaxStatement();
// "  Qty  Description        Price      Extension".
QString itemHeading();
// The part of the heading that tells a body already has an item table.
QString itemHeadingMark();
// " %Q    %D                     %U           %E": where the item fields go.
QString itemTemplate();

// Item line columns (0-based): quantity, description, the last character of
// the unit price and of the extension; the line is 45 characters long.
inline constexpr int QuantityColumn = 1;
inline constexpr int DescriptionColumn = 7;
inline constexpr int PriceEndColumn = 31;
inline constexpr int ExtensionEndColumn = 44;
inline constexpr int ItemLineLength = 45;

// A text document as a body: its first 49 lines, each followed by CR LF.
QString fromDocument(const QByteArray& bytes);
// At most this much of a document is read when it has no line ends.
inline constexpr qint64 MaxDocumentBytes = 64 * 1024;
// The head of a document a body can take: reading stops after the body's
// lines or MaxDocumentBytes, so a huge file chosen by mistake is never read
// whole. Nothing when the bytes are not text.
std::optional<QByteArray> readDocumentHead(QIODevice& device);
// The quantity with its pad blanks: one below 100, two below 10.
QString padQuantity(const QString& quantity);

}  // namespace BodyText

// One priced line of the item table.
struct ItemLine {
    enum class Problem { None, NoQuantity, BadPrice };

    Problem problem = Problem::None;
    QString text;     // the line, without line end
    Money extension;  // quantity x unit price, to the cent as shown

    // Quantity, description and unit price laid out on the 45-character
    // template: the price and extension right-aligned to columns 31 and 44,
    // the description cut where it would run into the price.
    static ItemLine build(const QString& quantity, const QString& description,
                          const QString& unitPrice, const QLocale& locale = MoneyLocale());
};

// Which terms option is selected, and what the three controls allow.
struct TermsOptions {
    enum Choice { None = -1, Generic = 0, Custom = 1 };
    Choice selected = None;
    bool genericEnabled = false;  // optFooter(0)
    bool customEnabled = false;   // optFooter(1)
    bool addEnabled = false;      // cmdAddTerms
    bool operator==(const TermsOptions&) const = default;
};

// The text of the body box and the rules that add to it: the header
// sentence, the terms, the tax statement and the item lines.
class BodyBuilder {
public:
    explicit BodyBuilder(QString genericTerms);

    const QString& text() const { return m_text; }
    // What the user typed or a document or template put there.
    void setText(const QString& text) { m_text = text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    const QString& genericTerms() const { return m_genericTerms; }

    // cmdAddBasic: the body becomes the header sentence.
    void addHeader();
    bool headerEnabled() const { return m_headerEnabled; }
    // cmdWrite(1): the body, its flags and the last item's extension start over.
    void clear(bool customTermsFileExists);

    // The terms options as at load: custom terms chosen when their file exists.
    void resetTermsOptions(bool customTermsFileExists);
    void selectTerms(TermsOptions::Choice choice) { m_terms.selected = choice; }
    const TermsOptions& termsOptions() const { return m_terms; }
    // cmdAddTerms. `customTerms` is the text of the custom terms file, nothing
    // when there is none. False when nothing was done.
    bool addTerms(const std::optional<QString>& customTerms);
    bool customTermsAdded() const { return m_customTermsAdded; }
    // The generic terms appended unless the body holds them already.
    void ensureGenericTerms();

    // cmdTax(2): the statement appended unless the body holds it already.
    void addTaxStatement(const QString& statement);

    // Appends a line built by ItemLine::build, with the heading before the
    // first one, and remembers its extension.
    void addItemLine(const ItemLine& line);
    Money lastItemExtension() const { return m_lastExtension; }

private:
    void appendParagraph(const QString& paragraph);

    QString m_genericTerms;
    QString m_text;
    bool m_headerEnabled = true;
    bool m_customTermsAdded = false;
    TermsOptions m_terms;
    Money m_lastExtension;
};
