#include "accounts/invoicelayout.h"
#include "accountstest.h"
#include "print/recordingdevice.h"
#include "testmain.h"

#include <QTest>

namespace {
constexpr quint32 Green = 32768;

InvoicePageInput sampleInvoice() {
    InvoicePageInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, Green};
    in.business.fields = {QStringLiteral("Harbor Roofing"),
                          QStringLiteral("12 Dock St"),
                          {},
                          QStringLiteral("Portland"),
                          QStringLiteral("ME"),
                          QStringLiteral("04101"),
                          QStringLiteral("207-555-0100"),
                          {},
                          {}};
    in.taxHeading1 = QStringLiteral("Sales Tax");
    in.taxHeading2 = QStringLiteral("Tax");
    in.proposalNumber = QStringLiteral("1001");
    in.accountKey = QStringLiteral("207-555-0111");
    in.customerName = QStringLiteral("Mr. John Smith");
    in.address1 = QStringLiteral("4 Elm St");
    in.address2 = QStringLiteral("  ");
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
    in.today = QDate(2026, 12, 5);
    return in;
}

// One line per item drawn, in drawing order: texts, then lines, then pictures.
QByteArray dump(const Recording& r) {
    QStringList out{QStringLiteral("pages %1 landscape %2 ended %3")
                        .arg(r.pages)
                        .arg(int(r.landscape))
                        .arg(int(r.ended))};
    for (const RecordedText& t : r.texts) {
        out << QStringLiteral("text %1 %2,%3 %4 %5%6%7 ink %8 \"%9\"")
                   .arg(t.page)
                   .arg(t.at.x())
                   .arg(t.at.y())
                   .arg(t.font.name)
                   .arg(t.font.size)
                   .arg(t.font.bold ? QStringLiteral(" bold") : QString(),
                        t.font.underline ? QStringLiteral(" underline") : QString())
                   .arg(t.ink)
                   .arg(t.text);
    }
    for (const RecordedLine& l : r.lines) {
        out << QStringLiteral("%1 %2 %3,%4 %5,%6 width %7 ink %8")
                   .arg(l.box ? QStringLiteral("box") : QStringLiteral("line"))
                   .arg(l.page)
                   .arg(l.from.x())
                   .arg(l.from.y())
                   .arg(l.to.x())
                   .arg(l.to.y())
                   .arg(l.width)
                   .arg(l.ink);
    }
    for (const RecordedPicture& p : r.pictures) {
        out << QStringLiteral("picture %1 %2,%3 %4x%5")
                   .arg(p.page)
                   .arg(p.target.x())
                   .arg(p.target.y())
                   .arg(p.target.width())
                   .arg(p.target.height());
    }
    return out.join(QLatin1Char('\n')).toUtf8() + '\n';
}
}  // namespace

Q_DECLARE_METATYPE(InvoicePageInput)

// Whole pages against recordings checked by hand against the invoice layout
// (tests/data/accounts/invoice-*.txt): positions in twips, fonts, inks, texts.
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
        plain.address2 = QStringLiteral("Flat 2");
        plain.customerName = QStringLiteral("Northern Maine Agricultural Cooperative Society");
        plain.taxHeading2.clear();
        QTest::newRow("single, black") << plain << "invoice-plain.txt";
        // Page 2 of 3: its own line bold and red, its amount repeated.
        InvoicePageInput second = sampleInvoice();
        second.perPayment = true;
        second.index = 2;
        second.invoiceNumber = QStringLiteral("20260007 - 2");
        QTest::newRow("second of three") << second << "invoice-second.txt";
    }
    void pages() {
        QFETCH(InvoicePageInput, input);
        QFETCH(QString, golden);
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        QVERIFY(PrintInvoice(device, input));
        QCOMPARE_GOLDEN(dump(*rec), golden);
    }
};

TOLVAR_TEST(TestInvoiceLayout)
#include "test_invoicelayout.moc"
