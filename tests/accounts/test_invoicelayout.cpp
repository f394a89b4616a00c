#include "accounts/invoicelayout.h"
#include "accountstest.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
constexpr quint32 Green = 32768;

InvoicePageInput sampleInvoice() {
    InvoicePageInput in;
    in.style = PrintStyle{"Arial", true, Green};
    in.business.fields = {"Harbor Roofing", "12 Dock St",   "", "Portland", "ME",
                          "04101",          "207-555-0100", "", ""};
    in.taxHeading1 = "Sales Tax";
    in.taxHeading2 = "Tax";
    in.proposalNumber = "1001";
    in.accountKey = "207-555-0111";
    in.customerName = "Mr. John Smith";
    in.address1 = "4 Elm St";
    in.address2 = "  ";
    in.city = "Bangor";
    in.state = "VT";
    in.postalCode = "04401";
    in.priceBeforeTaxes = Money::fromCents(100000);
    in.tax1 = Money::fromCents(4000);
    in.tax2 = Money::fromCents(2500);
    in.total = Money::fromCents(106500);
    in.payments = {{"12/10/2026", Money::fromCents(35500)},
                   {"1/10/2027", Money::fromCents(35400)},
                   {"2/10/2027", Money::fromCents(35600)}};
    in.invoiceNumber = "20260007";
    in.today = QDate(2026, 12, 5);
    return in;
}

// One line per item drawn, in drawing order: texts (font name, size, bold,
// underline), then lines and boxes, then pictures.
QByteArray dump(const Recording& r) {
    QString out =
        QString::asprintf("pages %d landscape %d ended %d\n", r.pages, r.landscape, r.ended);
    for (const RecordedText& t : r.texts) {
        out += QString::asprintf("text %d,%d %s %d %d %d ink %u \"%s\"\n", t.at.x(), t.at.y(),
                                 qUtf8Printable(t.font.name), t.font.size, t.font.bold,
                                 t.font.underline, t.ink, qUtf8Printable(t.text));
    }
    for (const RecordedLine& l : r.lines) {
        out += QString::asprintf("%s %d,%d %d,%d width %d ink %u\n", l.box ? "box" : "line",
                                 l.from.x(), l.from.y(), l.to.x(), l.to.y(), l.width, l.ink);
    }
    for (const RecordedPicture& p : r.pictures) {
        out += QString::asprintf("picture %d,%d %dx%d\n", p.target.x(), p.target.y(),
                                 p.target.width(), p.target.height());
    }
    return out.toUtf8();
}
}  // namespace

Q_DECLARE_METATYPE(InvoicePageInput)

// Whole pages against recordings checked by hand against the invoice layout
// (tests/data/accounts/invoice-*.txt): fonts, inks, texts, and positions in
// twips from the printable corner of a page inset by 0.25 in, that is the
// sheet positions of the layout less 360.
class TestInvoiceLayout : public QObject {
    Q_OBJECT
private slots:
    void pages_data() {
        QTest::addColumn<InvoicePageInput>("input");
        QTest::addColumn<QString>("golden");
        // Blue highlights, a red total, the logo; no address #2 line.
        InvoicePageInput single = sampleInvoice();
        single.logo.picture = QImage(20, 20, QImage::Format_RGB32);
        single.logo.width = 1000;
        single.logo.height = 2000;
        QTest::newRow("single, colour") << single << "invoice-single.txt";
        // Black only, an international address with address #2, a wrapped
        // name and no second tax heading (its amount still printed).
        InvoicePageInput plain = sampleInvoice();
        plain.style.colour = false;
        plain.business.usaStyle = false;
        plain.address2 = "Flat 2";
        plain.customerName = "Northern Maine Agricultural Cooperative Society";
        plain.taxHeading2.clear();
        QTest::newRow("single, black") << plain << "invoice-plain.txt";
        // Page 2 of 3: its own line bold and red, its amount repeated.
        InvoicePageInput second = sampleInvoice();
        second.perPayment = true;
        second.index = 2;
        second.invoiceNumber = "20260007 - 2";
        QTest::newRow("second of three") << second << "invoice-second.txt";
    }
    void pages() {
        QFETCH(InvoicePageInput, input);
        QFETCH(QString, golden);
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        QVERIFY(PrintInvoice(device, input));
        QCOMPARE(dump(*rec), Golden::read(golden));
        // Nothing is inked past 8.25 in on the sheet, so the page fits
        // inside a laser printer's quarter-inch margin.
        const int limit = 11880 - LetterInset.x();
        for (const RecordedText& t : rec->texts) {
            QVERIFY2(t.at.x() + t.width <= limit, qPrintable(t.text));
        }
        for (const RecordedLine& l : rec->lines) {
            QVERIFY(qMax(l.from.x(), l.to.x()) <= limit);
        }
    }

    // An invoice that is none of the stored payments repeats no payment amount.
    void noPaymentAmountPastTheSchedule() {
        const int amountRow = qRound(9.78 * 1440) - LetterInset.y();  // "$354.00" on page 2
        for (int index : {0, 4}) {
            InvoicePageInput in = sampleInvoice();
            in.perPayment = true;
            in.index = index;
            auto rec = std::make_shared<Recording>();
            RecordingDevice device(rec);
            QVERIFY(PrintInvoice(device, in));
            for (const RecordedText& t : rec->texts) {
                QVERIFY2(t.at.y() != amountRow, qPrintable(t.text));
            }
        }
    }
};

TOLVAR_TEST(TestInvoiceLayout)
#include "test_invoicelayout.moc"
