#include "../print/casefile.h"
#include "proposals/bodybuilder.h"
#include "proposals/terms.h"
#include "testmain.h"

#include <QBuffer>
#include <QTest>

namespace {
const QString kGeneric = Terms::GenericTerms();
const QString kHeading = QStringLiteral("  Qty  Description        Price      Extension");
}  // namespace

class TestBodyBuilder : public QObject {
    Q_OBJECT
private slots:
    // A refused line leaves the body as it was; a second line shares the heading.
    void itemLines_data() { cases::load(QStringLiteral("proposals/item_lines.txt")); }
    void itemLines() {
        const cases::Row c = cases::row();
        const QString line = c.text(3);
        BodyBuilder body(kGeneric);
        body.setText("Work");
        body.addItemLine(ItemLine::build(c.text(0), c.text(1), c.text(2)));
        QCOMPARE(body.text(), line.isEmpty() ? "Work" : "Work\r\n" + kHeading + "\r\n" + line);
        QCOMPARE(body.lastItemExtension(), Money::fromCents(c.big(4)));
        const ItemLine second = ItemLine::build("12", "Downspout", "$8.00");
        body.addItemLine(second);
        QCOMPARE(second.text, QStringLiteral(" 12    Downspout           $8.00       $96.00"));
        QVERIFY(body.text().endsWith(kHeading + "\r\n" + (line.isEmpty() ? "" : line + "\r\n") +
                                     second.text));
        QCOMPARE(body.lastItemExtension(), Money::fromCents(9600));
    }

    // Only the body's 49 lines of a document are read; bytes that are no text are refused.
    void documentHead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("readUpTo");
        QTest::addColumn<bool>("text");
        QByteArray lines;
        for (int i = 1; i <= 5000; ++i) {
            lines += "Line " + QByteArray::number(i) + "\n";
        }
        QTest::newRow("many lines") << lines << qint64(lines.indexOf("Line 50\n")) << true;
        QTest::newRow("one endless line")
            << QByteArray(1 << 20, 'x') << BodyText::MaxDocumentBytes << true;
        QTest::newRow("short") << QByteArray("Roof\r\nGutters") << qint64(13) << true;
        QTest::newRow("not text") << QByteArray("PK\x03\x04\0\0data\n", 11) << qint64(11) << false;
    }
    void documentHead() {
        QFETCH(QByteArray, file);
        QFETCH(qint64, readUpTo);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const std::optional<QByteArray> head = BodyText::readDocumentHead(buffer);
        QCOMPARE(buffer.pos(), readUpTo);
        QTEST(head.has_value(), "text");
        QCOMPARE(head.value_or(file.left(readUpTo)), file.left(readUpTo));
    }

    void documentTakesFirst49Lines() {
        QByteArray file;
        QString expected;
        for (int i = 1; i <= 60; ++i) {
            file += "Line " + QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
            expected += i <= 49 ? QStringLiteral("Line %1\r\n").arg(i) : QString();
        }
        QCOMPARE(BodyText::fromDocument(file), expected);
        QCOMPARE(BodyText::fromDocument(QByteArray()), QString());
    }

    // The generic terms go in once; custom terms once, and only with their file.
    void terms_data() { cases::load(QStringLiteral("proposals/body_terms.txt")); }
    void terms() {
        const cases::Row c = cases::row();
        const bool customFile = c.yes(0);
        const int choice = c.number(1);
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(customFile);
        QCOMPARE(body.termsOptions(),
                 (TermsOptions{customFile ? TermsOptions::Custom : TermsOptions::Generic, true,
                               customFile, true}));
        body.selectTerms(TermsOptions::Choice(choice));
        body.setText("Roof");
        const auto text = c.text(2) == "-" ? std::nullopt : std::optional<QString>(c.text(2));
        body.addTerms(text);
        QVERIFY(!body.addTerms(text) || choice != int(TermsOptions::Custom));
        QCOMPARE(body.text(), c.text(3).replace(QStringLiteral("<generic>"), kGeneric));
        const bool on = c.yes(5);
        QCOMPARE(body.termsOptions(),
                 (TermsOptions{TermsOptions::Choice(c.number(4)), on, on, on}));
    }

    // "Clear the Body and Redo" starts the body, its flags and the last item's extension over.
    void clearStartsOver() {
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(true);
        body.addHeader();
        QVERIFY(!body.headerEnabled());
        QCOMPARE(body.text(), QStringLiteral("We hereby propose to furnish the materials and "
                                             "perform the labor necessary for the completion of "));
        body.addItemLine(ItemLine::build("5", "Gutter guard", "$12.50"));
        body.addTerms(QStringLiteral("Custom"));
        body.clear(false);
        QVERIFY(body.isEmpty() && body.headerEnabled() && !body.customTermsAdded());
        QCOMPARE(body.lastItemExtension(), Money());
        QCOMPARE(body.termsOptions(), (TermsOptions{TermsOptions::Generic, true, false, true}));
    }

    // Appended once, and not at all when empty.
    void taxStatement_data() { cases::load(QStringLiteral("proposals/body_taxes.txt")); }
    void taxStatement() {
        const QString def = BodyText::defaultTaxStatement();
        const auto withDefault = [&](QString text) { return text.replace("<default>", def); };
        BodyBuilder b(kGeneric);
        b.setText(withDefault(cases::row().text(0)));
        b.addTaxStatement(withDefault(cases::row().text(1)));
        QCOMPARE(b.text(), withDefault(cases::row().text(2)));
    }

    // A custom text is one quoted field with CR LF line breaks inside, then CR LF; files
    // written elsewhere ("-" for the text) read as best they can.
    void customTextBytes_data() { cases::load(QStringLiteral("proposals/custom_texts.txt")); }
    void customTextBytes() {
        const cases::Row c = cases::row();
        if (c.text(0) != QLatin1String("-")) {
            QCOMPARE(Terms::customTextBytes(c.text(0)), c.bytes(1));
        }
        QCOMPARE(Terms::parseCustomText(c.bytes(1)), c.text(2));
    }
};

TOLVAR_TEST(TestBodyBuilder)
#include "test_bodybuilder.moc"
