#include "proposals/bodybuilder.h"
#include "proposals/terms.h"
#include "testmain.h"

#include <QBuffer>
#include <QTest>

Q_DECLARE_METATYPE(TermsOptions)

namespace {
const QString kGeneric = Terms::GenericTerms();
const QString kHeading = QStringLiteral("  Qty  Description        Price      Extension");
}  // namespace

class TestBodyBuilder : public QObject {
    Q_OBJECT
private slots:
    void itemLines_data() {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("line");  // empty when refused
        QTest::addColumn<qint64>("cents");
        // Gutter guard at columns 7-18, $12.50 at 26-31, $62.50 at 39-44.
        QTest::newRow("gutter guard")
            << "5"
            << "Gutter guard"
            << "$12.50"
            << " 5     Gutter guard       $12.50       $62.50" << qint64(6250);
        QTest::newRow("two digits, one pad blank")
            << "12"
            << "Downspout"
            << "$8.00"
            << " 12    Downspout           $8.00       $96.00" << qint64(9600);
        QTest::newRow("three digits, grouped extension")
            << "125"
            << "Shingles bundle"
            << "$30.00"
            << " 125   Shingles bundle    $30.00    $3,750.00" << qint64(375000);
        // Cut where it would run into the price, one blank kept before it.
        QTest::newRow("long description")
            << "2"
            << "Seamless aluminium gutter, 6 inch"
            << "$12.50"
            << " 2     Seamless aluminium $12.50       $25.00" << qint64(2500);
        QTest::newRow("fraction, typed price")
            << "2.5"
            << "  Rope "
            << "10"
            << " 2.5   Rope               $10.00       $25.00" << qint64(2500);
        QTest::newRow("extension rounded")
            << "3"
            << "Nails"
            << "$0.335"
            << " 3     Nails               $0.34        $1.01" << qint64(101);
        // Too wide for its column, the extension moves right of the price.
        QTest::newRow("huge extension")
            << "1000"
            << "Crane rental"
            << "$1,500.00"
            << " 1000  Crane rental    $1,500.00 $1,500,000.00" << qint64(150000000);
        QTest::newRow("no quantity") << ""
                                     << "Thing"
                                     << "$1.00"
                                     << "" << qint64(0);
        QTest::newRow("letters") << "two"
                                 << "Thing"
                                 << "$1.00"
                                 << "" << qint64(0);
        QTest::newRow("bad price") << "2"
                                   << "Thing"
                                   << "$1.0.0"
                                   << "" << qint64(0);
        QTest::newRow("overflow") << "99999999999"
                                  << "Thing"
                                  << "99999999"
                                  << "" << qint64(0);
    }
    // A refused line leaves the body as it was.
    void itemLines() {
        QFETCH(QString, qty);
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, line);
        QFETCH(qint64, cents);
        const ItemLine item = ItemLine::build(qty, description, price);
        BodyBuilder body(kGeneric);
        body.setText(QStringLiteral("Work"));
        body.addItemLine(item);
        QCOMPARE(body.text(), line.isEmpty() ? "Work" : "Work\r\n" + kHeading + "\r\n" + line);
        QCOMPARE(body.lastItemExtension(), Money::fromCents(cents));
    }

    void twoItemsOneHeading() {
        BodyBuilder body(kGeneric);
        const ItemLine first = ItemLine::build("5", "Gutter guard", "$12.50");
        const ItemLine second = ItemLine::build("12", "Downspout", "$8.00");
        body.addItemLine(first);
        body.addItemLine(second);
        QCOMPARE(body.text(), "\r\n" + kHeading + "\r\n" + first.text + "\r\n" + second.text);
        QCOMPARE(body.lastItemExtension(), second.extension);
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

    // Only the body's share of a document is read; bytes that are no text are refused.
    void documentHead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("readUpTo");
        QTest::addColumn<bool>("text");
        QByteArray lines;
        for (int i = 1; i <= 5000; ++i) {
            lines += "Line " + QByteArray::number(i) + "\n";
        }
        const qint64 first49 = lines.indexOf("Line 50\n");
        QTest::newRow("many lines") << lines << first49 << true;
        QTest::newRow("one endless line")
            << QByteArray(1 << 20, 'x') << BodyText::MaxDocumentBytes << true;
        QTest::newRow("short") << QByteArray("Roof\r\nGutters") << qint64(13) << true;
        QTest::newRow("not text") << QByteArray("PK\x03\x04\0\0data\n", 11) << qint64(11) << false;
    }

    void documentHead() {
        QFETCH(QByteArray, file);
        QFETCH(qint64, readUpTo);
        QFETCH(bool, text);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const std::optional<QByteArray> head = BodyText::readDocumentHead(buffer);
        QCOMPARE(buffer.pos(), readUpTo);
        QCOMPARE(head.has_value(), text);
        if (head) {
            QCOMPARE(*head, file.left(readUpTo));
        }
    }

    // The generic terms go in once; custom terms once, and only with their file.
    void terms_data() {
        QTest::addColumn<bool>("customFile");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("custom");  // "-": no custom terms text
        QTest::addColumn<QString>("body");
        QTest::addColumn<TermsOptions>("after");
        const TermsOptions used{TermsOptions::Generic, false, false, false};
        QTest::newRow("generic") << false << int(TermsOptions::Generic) << "-"
                                 << "Roof\r\n\r\n" + kGeneric << used;
        QTest::newRow("neither option")
            << true << int(TermsOptions::None) << "-"
            << "Roof\r\n\r\n" + kGeneric << TermsOptions{TermsOptions::None, false, false, false};
        QTest::newRow("custom") << true << int(TermsOptions::Custom) << "Net 30"
                                << "Roof\r\n\r\nNet 30"
                                << TermsOptions{TermsOptions::Custom, false, false, false};
        QTest::newRow("custom without its text")
            << true << int(TermsOptions::Custom) << "-"
            << "Roof" << TermsOptions{TermsOptions::Custom, true, true, true};
    }
    void terms() {
        QFETCH(bool, customFile);
        QFETCH(int, choice);
        QFETCH(QString, custom);
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(customFile);
        QCOMPARE(body.termsOptions(),
                 (TermsOptions{customFile ? TermsOptions::Custom : TermsOptions::Generic, true,
                               customFile, true}));
        body.selectTerms(TermsOptions::Choice(choice));
        body.setText(QStringLiteral("Roof"));
        const std::optional<QString> text =
            custom == QLatin1String("-") ? std::nullopt : std::optional<QString>(custom);
        body.addTerms(text);
        QVERIFY(!body.addTerms(text) || choice != int(TermsOptions::Custom));
        QTEST(body.text(), "body");
        QTEST(body.termsOptions(), "after");
    }

    // "Clear the Body and Redo" starts the body, its flags and the last
    // item's extension over.
    void clearStartsOver() {
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(true);
        body.addHeader();
        QVERIFY(!body.headerEnabled());
        QCOMPARE(body.text(),
                 QStringLiteral("We hereby propose to furnish the materials and perform "
                                "the labor necessary for the completion of "));
        body.addItemLine(ItemLine::build("5", "Gutter guard", "$12.50"));
        body.addTerms(QStringLiteral("Custom"));
        body.clear(false);
        QVERIFY(body.isEmpty() && body.headerEnabled() && !body.customTermsAdded());
        QCOMPARE(body.lastItemExtension(), Money());
        QCOMPARE(body.termsOptions(), (TermsOptions{TermsOptions::Generic, true, false, true}));
    }

    void taxStatement_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("result");
        const QString def = BodyText::defaultTaxStatement();
        QTest::newRow("appended") << "Roof" << def << "Roof\r\n" + def;
        QTest::newRow("already there") << "Roof\r\n" + def << def << "Roof\r\n" + def;
        QTest::newRow("empty statement") << "Roof"
                                         << ""
                                         << "Roof";
    }
    void taxStatement() {
        QFETCH(QString, body);
        QFETCH(QString, statement);
        BodyBuilder b(kGeneric);
        b.setText(body);
        b.addTaxStatement(statement);
        QTEST(b.text(), "result");
    }
};

TOLVAR_TEST(TestBodyBuilder)
#include "test_bodybuilder.moc"
