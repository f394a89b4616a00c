#include "proposals/bodybuilder.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kGeneric = QStringLiteral(
    "All material is guaranteed to be as specified, and the work to be performed in accordance "
    "with the drawings and specifications submitted for above work and completed in substantial "
    "workmanlike manner");
const QString kHeading = QStringLiteral("  Qty  Description        Price      Extension");
const QString kCrLf = QStringLiteral("\r\n");

ItemLine line(const char* qty, const char* description, const char* price) {
    return ItemLine::build(QString::fromLatin1(qty), QString::fromLatin1(description),
                           QString::fromLatin1(price));
}
}  // namespace

class TestBodyBuilder : public QObject {
    Q_OBJECT
private slots:
    void itemLines_data() {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<qint64>("extensionCents");
        // Gutter guard at columns 7-18, $12.50 at 26-31, $62.50 at 39-44.
        QTest::newRow("gutter guard")
            << QStringLiteral("5") << QStringLiteral("Gutter guard") << QStringLiteral("$12.50")
            << QStringLiteral(" 5     Gutter guard       $12.50       $62.50") << qint64(6250);
        QTest::newRow("three digits, grouped extension")
            << QStringLiteral("125") << QStringLiteral("Shingles bundle")
            << QStringLiteral("$30.00")
            << QStringLiteral(" 125   Shingles bundle    $30.00    $3,750.00") << qint64(375000);
        // Cut where it would run into the price, one blank kept before it.
        QTest::newRow("long description")
            << QStringLiteral("2") << QStringLiteral("Seamless aluminium gutter, 6 inch")
            << QStringLiteral("$12.50")
            << QStringLiteral(" 2     Seamless aluminium $12.50       $25.00") << qint64(2500);
        QTest::newRow("fraction, typed price")
            << QStringLiteral("2.5") << QStringLiteral("  Rope ") << QStringLiteral("10")
            << QStringLiteral(" 2.5   Rope               $10.00       $25.00") << qint64(2500);
        QTest::newRow("extension rounded")
            << QStringLiteral("3") << QStringLiteral("Nails") << QStringLiteral("$0.33")
            << QStringLiteral(" 3     Nails               $0.33        $0.99") << qint64(99);
    }
    void itemLines() {
        QFETCH(QString, qty);
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, expected);
        QFETCH(qint64, extensionCents);
        QCOMPARE(expected.size(), 45);
        const ItemLine item = ItemLine::build(qty, description, price);
        QCOMPARE(item.problem, ItemLine::Problem::None);
        QCOMPARE(item.text, expected);
        QCOMPARE(item.extension, Money::fromCents(extensionCents));
    }

    // An extension too wide for its column moves right rather than over the price.
    void hugeExtensionKeepsThePrice() {
        const ItemLine item = line("1000", "Crane rental", "$1,500.00");
        QCOMPARE(item.problem, ItemLine::Problem::None);
        QVERIFY2(item.text.contains(QStringLiteral("$1,500.00 $1,500,000.00")),
                 qPrintable(item.text));
        QCOMPARE(item.text.indexOf(QStringLiteral("$1,500.00")) + 9, BodyText::PriceEndColumn + 1);
    }

    void refusedItems_data() {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("problem");
        QTest::newRow("no quantity")
            << QString() << QStringLiteral("$1.00") << int(ItemLine::Problem::NoQuantity);
        QTest::newRow("letters") << QStringLiteral("two") << QStringLiteral("$1.00")
                                 << int(ItemLine::Problem::NoQuantity);
        QTest::newRow("bad price")
            << QStringLiteral("2") << QStringLiteral("$1.0.0") << int(ItemLine::Problem::BadPrice);
        QTest::newRow("overflow") << QStringLiteral("99999999999") << QStringLiteral("99999999")
                                  << int(ItemLine::Problem::BadPrice);
    }
    void refusedItems() {
        QFETCH(QString, qty);
        QFETCH(QString, price);
        QFETCH(int, problem);
        const ItemLine item = ItemLine::build(qty, QStringLiteral("Thing"), price);
        QCOMPARE(int(item.problem), problem);
        BodyBuilder body(kGeneric);
        body.setText(QStringLiteral("Work"));
        body.addItemLine(item);
        QCOMPARE(body.text(), QStringLiteral("Work"));
    }

    void twoItemsOneHeading() {
        BodyBuilder body(kGeneric);
        body.setText(QStringLiteral("Gutters"));
        const ItemLine first = line("5", "Gutter guard", "$12.50");
        const ItemLine second = line("12", "Downspout", "$8.00");
        body.addItemLine(first);
        body.addItemLine(second);
        QCOMPARE(body.text(), QStringLiteral("Gutters") + kCrLf + kHeading + kCrLf + first.text +
                                  kCrLf + second.text);
        QCOMPARE(body.lastItemExtension(), Money::fromCents(9600));
    }

    void documentTakesFirst49Lines_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("ending");
        QTest::addColumn<int>("kept");
        QTest::newRow("60 lines CR LF") << 60 << QByteArray("\r\n") << 49;
        QTest::newRow("empty") << 0 << QByteArray("\r\n") << 0;
    }
    void documentTakesFirst49Lines() {
        QFETCH(int, lines);
        QFETCH(QByteArray, ending);
        QFETCH(int, kept);
        QByteArray file;
        for (int i = 1; i <= lines; ++i) {
            file += "Line " + QByteArray::number(i) + ending;
        }
        QString expected;
        for (int i = 1; i <= kept; ++i) {
            expected += QStringLiteral("Line %1\r\n").arg(i);
        }
        QCOMPARE(BodyText::fromDocument(file), expected);
    }

    void genericTermsTwice() {
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(false);
        QCOMPARE(body.termsOptions().selected, TermsOptions::Generic);
        body.setText(QStringLiteral("Roof"));
        QVERIFY(body.addTerms(std::nullopt));
        QCOMPARE(body.text(), QStringLiteral("Roof\r\n\r\n") + kGeneric);
        QVERIFY(!body.termsOptions().addEnabled);
        QVERIFY(!body.termsOptions().genericEnabled);
        QVERIFY(!body.termsOptions().customEnabled);
        body.addTerms(std::nullopt);
        QCOMPARE(body.text().count(kGeneric), 1);
    }

    void customTerms_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("afterFirst");
        QTest::addColumn<bool>("disabled");
        QTest::newRow("file") << true << QStringLiteral("Roof\r\n\r\nNet 30, line two") << true;
        QTest::newRow("no file") << false << QStringLiteral("Roof") << false;
    }
    void customTerms() {
        QFETCH(bool, fileExists);
        QFETCH(QString, afterFirst);
        QFETCH(bool, disabled);
        const std::optional<QString> custom =
            fileExists ? std::optional<QString>(QStringLiteral("Net 30, line two")) : std::nullopt;
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(true);
        QCOMPARE(body.termsOptions().selected, TermsOptions::Custom);
        body.setText(QStringLiteral("Roof"));
        QCOMPARE(body.addTerms(custom), fileExists);
        QCOMPARE(body.text(), afterFirst);
        QCOMPARE(body.termsOptions().addEnabled, !disabled);
        QCOMPARE(body.customTermsAdded(), fileExists);
        // A second press adds nothing more.
        QVERIFY(!body.addTerms(custom));
        QCOMPARE(body.text(), afterFirst);
    }

    void clearStartsOver() {
        BodyBuilder body(kGeneric);
        body.resetTermsOptions(true);
        body.addHeader();
        QVERIFY(!body.headerEnabled());
        QCOMPARE(body.text(), BodyText::headerSentence());
        body.addTerms(QStringLiteral("Custom"));
        QVERIFY(body.customTermsAdded());
        body.clear(false);
        QVERIFY(body.isEmpty());
        QVERIFY(body.headerEnabled());
        QVERIFY(!body.customTermsAdded());
        QCOMPARE(body.termsOptions().selected, TermsOptions::Generic);
        QVERIFY(!body.termsOptions().customEnabled);
        QVERIFY(body.termsOptions().addEnabled);
        QVERIFY(body.addTerms(QStringLiteral("Custom")));
        QCOMPARE(body.text(), QStringLiteral("\r\n\r\n") + kGeneric);
    }

    void taxStatement_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("result");
        const QString def = BodyText::defaultTaxStatement();
        QTest::newRow("appended") << QStringLiteral("Roof") << def
                                  << QStringLiteral("Roof\r\n") + def;
        QTest::newRow("already there")
            << QStringLiteral("Roof\r\n") + def << def << QStringLiteral("Roof\r\n") + def;
        QTest::newRow("empty statement")
            << QStringLiteral("Roof") << QString() << QStringLiteral("Roof");
    }
    void taxStatement() {
        QFETCH(QString, body);
        QFETCH(QString, statement);
        QFETCH(QString, result);
        BodyBuilder b(kGeneric);
        b.setText(body);
        b.addTaxStatement(statement);
        QCOMPARE(b.text(), result);
    }
};

TOLVAR_TEST(TestBodyBuilder)
#include "test_bodybuilder.moc"
