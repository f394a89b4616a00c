#include "accounts/invoicelayout.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
constexpr quint32 Green = 32768;

InvoicePageInput sampleInvoice(bool perPayment, int index = 1) {
    InvoicePageInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, Green};
    in.business.fields = {QStringLiteral("Harbor Roofing"),
                          QStringLiteral("12 Dock St"),
                          QString(),
                          QStringLiteral("Portland"),
                          QStringLiteral("ME"),
                          QStringLiteral("04101"),
                          QStringLiteral("207-555-0100"),
                          QString(),
                          QString()};
    in.taxHeading1 = QStringLiteral("Sales Tax");
    in.taxHeading2 = QStringLiteral("Tax");
    in.proposalNumber = QStringLiteral("1001");
    in.accountKey = QStringLiteral("207-555-0111");
    in.customerName = QStringLiteral("Mr. John Smith");
    in.address1 = QStringLiteral("4 Elm St");
    in.city = QStringLiteral("Bangor");
    in.state = QStringLiteral("VT");
    in.postalCode = QStringLiteral("04401");
    in.priceBeforeTaxes = Money::fromCents(100000);
    in.tax1 = Money::fromCents(4000);
    in.tax2 = Money::fromCents(2500);
    in.total = Money::fromCents(106500);
    in.payments = {{QStringLiteral("12/10/2026"), Money::fromCents(35500)},
                   {QStringLiteral("1/10/2027"), Money::fromCents(35400)},
                   {QStringLiteral("2/10/2027"), Money::fromCents(35600)}};
    in.invoiceNumber = QStringLiteral("20260007");
    in.index = index;
    in.perPayment = perPayment;
    in.today = QDate(2026, 12, 5);
    return in;
}

std::shared_ptr<Recording> record(const InvoicePageInput& in) {
    auto rec = std::make_shared<Recording>();
    RecordingDevice device(rec);
    PrintInvoice(device, in);
    return rec;
}

int heightOf(const PrintFont& f) {
    RecordingDevice d(std::make_shared<Recording>());
    return d.textHeight(f);
}

int y(double inches) {
    return qRound(inches * 1440);
}

const PrintFont Bold10{QStringLiteral("Arial"), 10, true, false};
const PrintFont Regular10{QStringLiteral("Arial"), 10, false, false};
const PrintFont Bold12{QStringLiteral("Arial"), 12, true, false};
}  // namespace

class TestInvoiceLayout : public QObject {
    Q_OBJECT
private slots:
    void framesAndRules_data() {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<quint32>("border");
        QTest::newRow("colour on") << true << Green;
        QTest::newRow("colour off") << false << Ink::Black;
    }
    void framesAndRules() {
        QFETCH(bool, colour);
        QFETCH(quint32, border);
        InvoicePageInput in = sampleInvoice(false);
        in.style.colour = colour;
        const auto rec = record(in);
        QCOMPARE(rec->pages, 1);
        QVERIFY(!rec->landscape);
        const RecordedLine slip = rec->lines.first();
        QVERIFY(slip.box);
        QCOMPARE(QRect(slip.from, slip.to), QRect(QPoint(360, 504), QPoint(11880, 5040)));
        QCOMPARE(slip.width, 6);
        QList<QLine> horizontal, vertical;
        for (const RecordedLine& l : rec->lines.mid(1)) {
            QVERIFY(!l.box);
            QCOMPARE(l.ink, border);
            (l.from.y() == l.to.y() ? horizontal : vertical) << QLine(l.from, l.to);
        }
        for (const RecordedLine& l : rec->lines) {
            QCOMPARE(l.ink, border);
        }
        QList<QLine> wantH;
        for (int yy : {5760, 6120, 6480, 6840, 12240, 13680, 14400}) {
            wantH << QLine(360, yy, 11880, yy);
        }
        for (int yy = 12600; yy <= 14040; yy += 360) {
            wantH << QLine(7920, yy, 11880, yy);
        }
        QList<QLine> wantV;
        for (int x : {360, 1800, 7920, 10080, 11880}) {
            wantV << QLine(x, 5760, x, 14400);
        }
        wantV << QLine(3240, 5760, 3240, 12240);
        QCOMPARE(horizontal, wantH);
        QCOMPARE(vertical, wantV);
    }

    void slipHeadingAndDetachLine() {
        const auto rec = record(sampleInvoice(false));
        const RecordedText title = rec->first(QStringLiteral("INVOICE"));
        QCOMPARE(title.at, QPoint(7200, 720));
        QCOMPARE(title.font, (PrintFont{QStringLiteral("Arial"), 18, true, false}));
        QCOMPARE(title.ink, Ink::Blue);
        const QStringList lines{QStringLiteral("Date 12/5/2026"),
                                QStringLiteral("INVOICE NO: 20260007"),
                                QStringLiteral("Proposal No 1001"),
                                QStringLiteral("Amount Enclosed              _______________"),
                                QStringLiteral("Acct: 207-555-0111")};
        const int h = heightOf(Bold10);
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(7200, 1296 + i * h));
            QCOMPARE(t.font, Bold10);
            QCOMPARE(t.ink, Ink::Blue);
        }
        const RecordedText detach =
            rec->first(QStringLiteral("Detach Here and Return Top Section"));
        QCOMPARE(detach.at, QPoint(4320, 5184));
        QCOMPARE(detach.font, (PrintFont{QStringLiteral("Arial"), 6, true, false}));
        const QList<QPair<QString, int>> headings{{QStringLiteral("QTY"), 864},
                                                  {QStringLiteral("DATE"), 2160},
                                                  {QStringLiteral("DESCRIPTION"), 4464},
                                                  {QStringLiteral("PRICE"), 8784},
                                                  {QStringLiteral("TOTAL"), 10800}};
        for (const auto& [text, x] : headings) {
            const RecordedText t = rec->first(text);
            QCOMPARE(t.at, QPoint(x, 6552));
            QCOMPARE(t.font, Regular10);
            QCOMPARE(t.ink, Ink::Blue);
        }
        QCOMPARE(rec->first(QStringLiteral("Harbor Roofing")).at, QPoint(1080, 720));
    }

    void soldToBlock_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QString>("address2");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("usa, no address 2")
            << true << QStringLiteral("  ")
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Bangor, VT 04401")};
        QTest::newRow("international with address 2")
            << false << QStringLiteral("Flat 2")
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Flat 2"), QStringLiteral("Bangor"),
                           QStringLiteral("04401")};
    }
    void soldToBlock() {
        QFETCH(bool, usa);
        QFETCH(QString, address2);
        QFETCH(QStringList, lines);
        InvoicePageInput in = sampleInvoice(false);
        in.business.usaStyle = usa;
        in.address2 = address2;
        const auto rec = record(in);
        const RecordedText sold = rec->first(QStringLiteral("SOLD TO:"));
        QCOMPARE(sold.at, QPoint(1080, 2808));
        QCOMPARE(sold.ink, Ink::Blue);
        const int h = heightOf(sold.font);
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(1080, 2808 + (i + 1) * h));
            QCOMPARE(t.ink, Ink::Blue);
        }
    }

    void longCustomerNameWrapsInItsColumn() {
        InvoicePageInput in = sampleInvoice(false);
        in.customerName = QStringLiteral("Northern Maine Agricultural Cooperative Society");
        const auto rec = record(in);
        const RecordedText sold = rec->first(QStringLiteral("SOLD TO:"));
        QList<RecordedText> nameLines;
        for (const RecordedText& t : rec->texts) {
            if (t.at.x() == 1080 && t.at.y() > sold.at.y() && t.text != in.address1 &&
                t.at.y() < rec->first(in.address1).at.y()) {
                nameLines << t;
            }
        }
        QVERIFY(nameLines.size() > 1);
        QString joined;
        for (const RecordedText& t : nameLines) {
            QVERIFY(t.width <= 2500);
            joined += t.text;
        }
        QCOMPARE(joined, in.customerName);
    }

    void singleInvoiceLinesAndTotals_data() {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<quint32>("highlight");
        QTest::addColumn<quint32>("totalInk");
        QTest::newRow("colour on") << true << Ink::Blue << Ink::Red;
        QTest::newRow("colour off") << false << Ink::Black << Ink::Black;
    }
    void singleInvoiceLinesAndTotals() {
        QFETCH(bool, colour);
        QFETCH(quint32, highlight);
        QFETCH(quint32, totalInk);
        InvoicePageInput in = sampleInvoice(false);
        in.style.colour = colour;
        const auto rec = record(in);
        const RecordedText date = rec->find(QStringLiteral("12/5/2026")).first();
        QCOMPARE(date.at, QPoint(2160, 7200));
        QCOMPARE(date.font, Bold10);
        QCOMPARE(date.ink, Ink::Black);
        const RecordedText what = rec->first(QStringLiteral("Single Payment for Proposal # 1001"));
        QCOMPARE(what.at, QPoint(3600, 7200));
        QCOMPARE(what.ink, Ink::Black);
        const QList<RecordedText> totals = rec->find(QStringLiteral("$1,065.00"));
        QCOMPARE(totals.size(), 2);
        QCOMPARE(totals[0].at, QPoint(10800, 7200));
        QCOMPARE(totals[0].ink, Ink::Red);  // red is set explicitly on the item line
        QCOMPARE(totals[1].at, QPoint(11520 - totals[1].width, 14112));
        QCOMPARE(totals[1].font, Bold12);
        QCOMPARE(totals[1].ink, totalInk);
        const QList<QPair<QString, int>> amounts{{QStringLiteral("$1,000.00"), 12312},
                                                 {QStringLiteral("$40.00"), 12672},
                                                 {QStringLiteral("$25.00"), 13032}};
        for (const auto& [text, yy] : amounts) {
            const RecordedText t = rec->first(text);
            QCOMPARE(t.at, QPoint(11520 - t.width, yy));
            QCOMPARE(t.font, Bold10);
            QCOMPARE(t.ink, highlight);
        }
        QVERIFY(!rec->contains(QStringLiteral("Scheduled Payment")));
        if (!colour) {
            for (const RecordedText& t : rec->texts) {
                QVERIFY2(t.ink != Ink::Blue, qPrintable(t.text));
            }
        }
    }

    void perPaymentRunMarksItsOwnLine_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("first") << 1;
        QTest::newRow("second") << 2;
        QTest::newRow("third") << 3;
    }
    void perPaymentRunMarksItsOwnLine() {
        QFETCH(int, index);
        const InvoicePageInput in = sampleInvoice(true, index);
        const auto rec = record(in);
        const QList<RecordedText> lines = rec->find(QStringLiteral("Scheduled Payment"));
        QCOMPARE(lines.size(), 3);
        for (int k = 1; k <= 3; ++k) {
            const bool own = k == index;
            const int yy = y(5.0 + 0.25 * (k - 1));
            const RecordedText d = rec->first(in.payments[k - 1].date);
            QCOMPARE(d.at, QPoint(2160, yy));
            QCOMPARE(lines[k - 1].at, QPoint(3600, yy));
            const QString amountText =
                in.payments[k - 1].amount.display(QLocale(QLocale::English, QLocale::UnitedStates));
            const QList<RecordedText> amounts = rec->find(amountText);
            QCOMPARE(amounts.first().at, QPoint(8640, yy));
            for (const RecordedText& t : {d, lines[k - 1], amounts.first()}) {
                QCOMPARE(t.font.bold, own);
                QCOMPARE(t.ink, own ? Ink::Red : Ink::Black);
            }
            // The page's own amount again under TOTAL and as the amount due.
            QCOMPARE(amounts.size(), own ? 3 : 1);
            if (own) {
                QCOMPARE(amounts[1].at, QPoint(10800, yy));
                QCOMPARE(amounts[2].at, QPoint(11520 - amounts[2].width, y(9.78)));
                QCOMPARE(amounts[2].font, Bold12);
                QCOMPARE(amounts[2].ink, Ink::Red);
            }
        }
        QVERIFY(!rec->contains(QStringLiteral("$1,000.00")));
        QVERIFY(!rec->contains(QStringLiteral("$40.00")));
        QVERIFY(!rec->startingWith(QStringLiteral("Single Payment")).page);
    }

    void totalsLabelsAndEmptyTaxHeading() {
        InvoicePageInput in = sampleInvoice(false);
        in.taxHeading2.clear();
        const auto rec = record(in);
        QCOMPARE(rec->first(QStringLiteral("Sub-Total")).at, QPoint(8064, 12312));
        QCOMPARE(rec->first(QStringLiteral("Sales Tax")).at, QPoint(8064, 12672));
        QCOMPARE(rec->first(QStringLiteral("Total")).at, QPoint(8064, 14112));
        QCOMPARE(rec->first(QStringLiteral("Total")).font, Bold10);
        for (const RecordedText& t : rec->texts) {
            QVERIFY2(!(t.at.x() == 8064 && t.at.y() == 13032), qPrintable(t.text));
        }
        // The second tax's amount is still printed.
        QCOMPARE(rec->first(QStringLiteral("$25.00")).at.y(), 13032);
    }

    void footer() {
        const auto rec = record(sampleInvoice(false));
        const QStringList lines{QStringLiteral("Proposal Number  1001"),
                                QStringLiteral("Invoice Number  20260007"),
                                QStringLiteral("Invoice Date:  12/5/2026"),
                                QStringLiteral("Your Account Number 207-555-0111")};
        const int h = heightOf(Bold10);
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(1872, 12528 + i * h));
            QCOMPARE(t.font, Bold10);
            QCOMPARE(t.ink, Ink::Black);
        }
        QCOMPARE(rec->first(QStringLiteral("From: Harbor Roofing")).at, QPoint(1872, 13680));
        QCOMPARE(rec->first(QStringLiteral("Thank you for your Business")).at,
                 QPoint(1872, 13680 + h));
    }

    void logoAtHalfAnInch() {
        InvoicePageInput in = sampleInvoice(false);
        in.logo.picture = QImage(20, 20, QImage::Format_RGB32);
        in.logo.width = 1000;
        in.logo.height = 2000;
        const auto rec = record(in);
        QCOMPARE(rec->pictures.size(), 1);
        QCOMPARE(rec->pictures[0].target, QRect((11520 - 1000) / 2, 720, 1000, 1800));
    }
};

TOLVAR_TEST(TestInvoiceLayout)
#include "test_invoicelayout.moc"
