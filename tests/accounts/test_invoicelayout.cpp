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
    in.proposalNumber = "1001";
    in.accountKey = "207-555-0111";
    in.address1 = "4 Elm St";
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

// Whole pages against recordings checked by hand against the invoice layout
// (tests/data/accounts/invoice-*.txt): fonts, inks, texts, and positions in
// twips from the printable corner of a page inset by 0.25 in, that is the
// sheet positions of the layout less 360.
class TestInvoiceLayout : public QObject {
    Q_OBJECT
private slots:
    void pages_data() { CaseFile::rows("accounts/invoicepages.txt"); }
    void pages() {
        using CaseFile::field;
        InvoicePageInput in = sampleInvoice();
        in.style.colour = field("colour") == "yes";
        in.business.usaStyle = field("usa") == "yes";
        if (field("logo") == "yes") {
            in.logo = {QImage(20, 20, QImage::Format_RGB32), 1000, 2000};
        }
        in.perPayment = field("per") == "yes";
        in.index = CaseFile::number("index");
        in.invoiceNumber = field("invoice");
        in.address2 = field("address2");
        in.customerName = field("customer");
        in.taxHeading2 = field("tax2");
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        QVERIFY(PrintInvoice(device, in));
        const bool golden = field("golden") != "-";
        if (golden) {
            QCOMPARE(dump(*rec), Golden::read(field("golden")));
        }
        // Nothing is inked past 8.25 in on the sheet, so the page fits inside
        // a laser printer's quarter-inch margin; an invoice of no payment has
        // nothing on the row of page 2's "$354.00".
        const int limit = 11880 - LetterInset.x();
        const int amountRow = qRound(9.78 * 1440) - LetterInset.y();
        for (const RecordedText& t : rec->texts) {
            QVERIFY2(t.at.x() + t.width <= limit && (golden || t.at.y() != amountRow),
                     qPrintable(t.text));
        }
        for (const RecordedLine& l : rec->lines) {
            QVERIFY(qMax(l.from.x(), l.to.x()) <= limit);
        }
    }
};

TOLVAR_TEST(TestInvoiceLayout)
#include "test_invoicelayout.moc"
