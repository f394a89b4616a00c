// Writes one PDF of each printed document from fixed sample data, so that a
// person can look at the layouts: make_samples <output folder>.
#include "accounts/invoicelayout.h"
#include "customers/customerlist.h"
#include "print/pdftarget.h"
#include "proposals/fieldproposal.h"
#include "proposals/proposallayout.h"
#include "proposals/terms.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>

namespace {
const QDate SampleDay(2026, 12, 5);

// A drawn emblem stands in for the contractor's logo picture.
QImage sampleLogo() {
    QImage image(600, 400, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath roof;
    roof.moveTo(60, 220);
    roof.lineTo(300, 40);
    roof.lineTo(540, 220);
    roof.closeSubpath();
    p.fillPath(roof, QColor(150, 30, 30));
    p.fillRect(120, 220, 360, 150, QColor(30, 60, 120));
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(110);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(120, 220, 360, 150), Qt::AlignCenter, QStringLiteral("HR"));
    return image;
}

BusinessInfo sampleBusiness() {
    BusinessInfo b;
    b.fields = {QStringLiteral("Harbor Roofing & Siding"),
                QStringLiteral("12 Dock Street"),
                QStringLiteral("Suite 4"),
                QStringLiteral("Portland"),
                QStringLiteral("ME"),
                QStringLiteral("04101"),
                QStringLiteral("(207) 555-0100"),
                QStringLiteral("Licensed and Insured"),
                QStringLiteral("Since 1988")};
    b.usaStyle = true;
    b.webAddress = QStringLiteral("www.harborroofing.example");
    return b;
}

LogoInfo sampleLogoInfo() {
    LogoInfo logo;
    logo.picture = sampleLogo();
    logo.width = 1800;
    logo.height = 1200;
    return logo;
}

ProposalPrintInput sampleProposal(int bodyParagraphs) {
    ProposalPrintInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, 8388608};
    in.copies = 3;
    in.business = sampleBusiness();
    in.logo = sampleLogoInfo();
    in.today = SampleDay;
    in.customer = {
        QStringLiteral("Mr. John Q Smith"), QStringLiteral("4 Elm Street"), QString(),
        QStringLiteral("Bangor"),           QStringLiteral("ME"),           QStringLiteral("04401"),
        QStringLiteral("(207) 555-0111")};
    in.site = {
        QStringLiteral("Smith Farm Barn"), QStringLiteral("Route 2"), QStringLiteral("North Field"),
        QStringLiteral("Orono"),           QStringLiteral("ME"),      QStringLiteral("04473"),
        QStringLiteral("(207) 555-0122")};
    const QStringList paragraphs{
        QStringLiteral(
            "Remove the existing asphalt shingles and felt down to the deck, haul away all "
            "debris and leave the site broom clean at the end of every working day."),
        QStringLiteral(
            "Replace any rotted deck boards with 1/2 inch exterior plywood, at $65.00 per "
            "sheet installed."),
        QStringLiteral(
            "Install ice and water shield at the eaves and valleys, synthetic underlayment "
            "on the field, and 30 year architectural shingles in Weathered Wood."),
        QString(),
        QStringLiteral("Items:"),
        QStringLiteral("  40 sq  Architectural shingles           $4,200.00"),
        QStringLiteral("   6 rl  Ice and water shield               $540.00"),
        QStringLiteral("   1 ea  Ridge vent, 40 ft                  $310.00"),
        QString()};
    for (int i = 0; i < bodyParagraphs; ++i) {
        in.body << paragraphs.at(i % paragraphs.size());
    }
    in.body << Terms::GenericTerms();
    in.bodyTextSize = 8;
    in.price = QStringLiteral("$6,480.00");
    in.paymentOption = 2;
    in.payments = {{QStringLiteral("$2,160.00"), QStringLiteral("12/15/2026")},
                   {QStringLiteral("$2,160.00"), QStringLiteral("1/15/2027")},
                   {QStringLiteral("$2,160.00"), QStringLiteral("2/15/2027")}};
    in.days = QStringLiteral("30");
    in.genericDisclaimer = true;
    return in;
}

FieldCustomer sampleFieldCustomer() {
    FieldCustomer c;
    c.accountNumber = QStringLiteral("2075550111");
    c.accountType = QStringLiteral("Individual");
    c.title = QStringLiteral("Mr.");
    c.firstName = QStringLiteral("John");
    c.middleInitial = QStringLiteral("Q");
    c.lastName = QStringLiteral("Smith");
    c.address1 = QStringLiteral("4 Elm Street");
    c.cityOrAddress3 = QStringLiteral("Bangor");
    c.state = QStringLiteral("ME");
    c.zipOrAddress4 = QStringLiteral("04401");
    c.phone = QStringLiteral("(207) 555-0111");
    return c;
}

InvoicePageInput sampleInvoice(bool perPayment, int index) {
    InvoicePageInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, 8388608};
    in.business = sampleBusiness();
    in.logo = sampleLogoInfo();
    in.logo.width = 1440;
    in.logo.height = 960;
    in.taxHeading1 = QStringLiteral("Sales Tax");
    in.taxHeading2 = QStringLiteral("Tax");
    in.proposalNumber = QStringLiteral("1001");
    in.accountKey = QStringLiteral("(207) 555-0111");
    in.customerName = QStringLiteral("Mr. John Q Smith");
    in.address1 = QStringLiteral("4 Elm Street");
    in.city = QStringLiteral("Bangor");
    in.state = QStringLiteral("ME");
    in.postalCode = QStringLiteral("04401");
    in.priceBeforeTaxes = Money::fromCents(600000);
    in.tax1 = Money::fromCents(33000);
    in.tax2 = Money::fromCents(15000);
    in.total = Money::fromCents(648000);
    in.payments = {{QStringLiteral("12/15/2026"), Money::fromCents(216000)},
                   {QStringLiteral("1/15/2027"), Money::fromCents(216000)},
                   {QStringLiteral("2/15/2027"), Money::fromCents(216000)}};
    in.invoiceNumber = QStringLiteral("2026%1").arg(index + 6, 4, 10, QLatin1Char('0'));
    in.index = index;
    in.perPayment = perPayment;
    in.today = SampleDay;
    return in;
}

CustomerListInput sampleCustomers(int count, bool usa) {
    static const QStringList first{QStringLiteral("Ann"),   QStringLiteral("Bill"),
                                   QStringLiteral("Carla"), QStringLiteral("Dev"),
                                   QStringLiteral("Elena"), QStringLiteral("Frank"),
                                   QStringLiteral("Grace")};
    static const QStringList last{
        QStringLiteral("Adams"), QStringLiteral("Brook"), QStringLiteral("Cole"),
        QStringLiteral("Dunn"),  QStringLiteral("Ellis"), QStringLiteral("Ford"),
        QStringLiteral("Gray"),  QStringLiteral("Hale"),  QStringLiteral("Irwin")};
    static const QStringList towns{QStringLiteral("Bangor"), QStringLiteral("Orono"),
                                   QStringLiteral("Augusta"), QStringLiteral("Camden"),
                                   QStringLiteral("Bath")};
    CustomerListInput in;
    in.style = PrintStyle{QStringLiteral("Arial"), true, 0};
    in.business = sampleBusiness();
    in.usaStyle = usa;
    in.today = SampleDay;
    for (int i = 0; i < count; ++i) {
        CustomerListEntry e;
        e.accountName = first.at(i % first.size()) + QLatin1Char(' ') + last.at(i % last.size());
        e.address1 =
            QStringLiteral("%1 %2 Road").arg(10 + i * 7).arg(last.at((i + 3) % last.size()));
        e.cityOrAddress3 = usa ? towns.at(i % towns.size()) : QStringLiteral("Unit %1").arg(i + 1);
        e.state = usa ? QStringLiteral("ME") : QString();
        e.zipOrAddress4 = usa ? QStringLiteral("04%1").arg(400 + i, 3, 10, QLatin1Char('0'))
                              : towns.at(i % towns.size()) + QStringLiteral(" Shire");
        e.phone = QStringLiteral("(207) 555-%1").arg(1000 + i);
        in.customers << e;
    }
    return in;
}

using Job = std::function<bool(PageDevice&)>;

// Every job into one file, each starting on a page of its own.
bool writePdf(const QDir& folder, const QString& name, const QList<Job>& jobs,
              bool landscape = false) {
    const QString path = folder.filePath(name);
    PdfPrintTarget target(path, name);
    PrintRequest request;
    request.title = name;
    request.landscape = landscape;
    for (const Job& job : jobs) {
        std::unique_ptr<PageDevice> device = target.open(request);
        if (!device || !job(*device)) {
            QTextStream(stderr) << "could not write " << path << ": "
                                << (device ? device->error() : target.error()) << '\n';
            return false;
        }
    }
    const bool ok = target.finish();
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << path << '\n';
    return ok;
}

bool fieldProposalSample(const QDir& folder) {
    ProposalPrintInput in = sampleProposal(0);
    in.fieldProposal = true;
    in.body.clear();
    const FieldCustomer customer = sampleFieldCustomer();
    in.customer = FieldCustomerLines(customer);
    in.customer[0] = PrintedCustomerName(customer);
    auto left = std::make_shared<PenState>();
    const SketchSheetInput sheet{in.business, in.proposalNumber, customer};
    const Job sketch = [sheet, left](PageDevice& d) { return PrintSketchSheet(d, sheet, *left); };
    return writePdf(
        folder, QStringLiteral("field-proposal-with-2-sketch-sheets.pdf"),
        {[in, left](PageDevice& d) { return PrintProposal(d, in, left.get()); }, sketch, sketch});
}

bool invoiceSamples(const QDir& folder) {
    const InvoicePageInput single = sampleInvoice(false, 1);
    bool ok = writePdf(folder, QStringLiteral("invoice-single.pdf"),
                       {[single](PageDevice& d) { return PrintInvoice(d, single); }});
    QList<Job> run;
    for (int i = 1; i <= 3; ++i) {
        const InvoicePageInput page = sampleInvoice(true, i);
        run << [page](PageDevice& d) { return PrintInvoice(d, page); };
    }
    return writePdf(folder, QStringLiteral("invoice-per-payment.pdf"), run) && ok;
}

bool customerListSamples(const QDir& folder) {
    bool ok = true;
    for (int count : {7, 60}) {
        for (bool usa : {true, false}) {
            const CustomerListInput in = sampleCustomers(count, usa);
            const QString name =
                QStringLiteral("customer-list-%1-%2.pdf")
                    .arg(count)
                    .arg(usa ? QStringLiteral("usa") : QStringLiteral("international"));
            ok = writePdf(folder, name, {[in](PageDevice& d) { return PrintCustomerList(d, in); }},
                          true) &&
                 ok;
        }
    }
    return ok;
}

bool proposalSamples(const QDir& folder) {
    const ProposalPrintInput one = sampleProposal(9);
    const ProposalPrintInput two = sampleProposal(30);
    const bool a = writePdf(folder, QStringLiteral("proposal-one-page-3-copies.pdf"),
                            {[one](PageDevice& d) { return PrintProposal(d, one); }});
    const bool b = writePdf(folder, QStringLiteral("proposal-two-pages-3-copies.pdf"),
                            {[two](PageDevice& d) { return PrintProposal(d, two); }});
    const PrintStyle style{QStringLiteral("Arial"), true, 0};
    const LogoInfo logo = sampleLogoInfo();
    const bool c = writePdf(folder, QStringLiteral("sample-print.pdf"),
                            {[style, logo](PageDevice& d) { return PrintSample(d, style, logo); }});
    return a && b && c;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString out = args.size() > 1 ? args.at(1) : QStringLiteral("samples");
    if (!QDir().mkpath(out)) {
        QTextStream(stderr) << "could not create " << out << '\n';
        return 1;
    }
    const QDir folder(out);
    bool ok = proposalSamples(folder);
    ok = fieldProposalSample(folder) && ok;
    ok = invoiceSamples(folder) && ok;
    ok = customerListSamples(folder) && ok;
    return ok ? 0 : 1;
}
