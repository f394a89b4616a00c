#include "proposals/fieldproposal.h"
#include "proposals/proposallayout.h"
#include "proposals/proposalwriter.h"
#include "proposals/sampleprint.h"
#include "proposalsfixture.h"
#include "settings/settings.h"

namespace {
QStringList numbered(const QString& stem, int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i) {
        out << stem + QString::number(i);
    }
    return out;
}

// The sample proposal in one copy, changed as a script of layout_scripts.txt
// says, and its recording; the sample page and the field sketch sheet.
struct LayoutApp : ScriptApp {
    ProposalPrintInput in = sampleProposal();

    LayoutApp() : ScriptApp(false) {
        in.copies = 1;
        in.customerUsaStyle = true;
        steps.insert(Steps{
            {"copies", [this] { in.copies = n; }},
            {"usa", [this] { in.customerUsaStyle = arg != "no"; }},
            {"colour", [this] { in.style.colour = arg != "no"; }},
            {"font", [this] { in.style.fontName = arg; }},
            {"field", [this] { in.fieldProposal = arg == "yes"; }},
            {"days", [this] { in.days = arg; }},
            {"option", [this] { in.paymentOption = n; }},
            {"site", [this] { in.site = a.mid(1); }},
            {"disclaimer",
             [this] {
                 in.genericDisclaimer = false;
                 in.customDisclaimer = t1;
             }},
            {"logo",
             [this] {
                 const QImage picture(n, a.value(2).toInt(), QImage::Format_RGB32);
                 in.logo = LogoInfo{picture, a.value(3).toInt(), a.value(4).toInt()};
             }},
            {"lines", [this] { in.body = numbered(QStringLiteral("Line "), 1, n); }},
            {"words",
             [this] { in.body = {numbered(QStringLiteral("word"), 0, n - 1).join(u' ')}; }},
            {"recording", [this] { QCOMPARE(dump(*record(in)), golden(arg)); }},
            // The setup screen's sample in the style and logo of the golden page.
            {"sample",
             [this] {
                 Settings& s = ctx->settings();
                 s.fontName = QStringLiteral("Arial");
                 s.printInColour = true;
                 s.borderColour = 255;
                 s.logo = QImage(10, 10, QImage::Format_RGB32);
                 s.logoWidth = 1800;
                 s.logoHeight = 900;
                 ctx->printerFactory = [this] {
                     return std::shared_ptr<PrintTarget>(std::shared_ptr<void>(), &target);
                 };
                 QCOMPARE(PrintSettingsSample(*ctx, DocumentOutput::Printer), arg == "printed");
             }},
            {"printed", [this] { QCOMPARE(dump(*target.jobs().first()), golden(arg)); }},
            {"sketch", [this] {
                 SketchSheetInput s{in.business, 1001,
                                    FieldCustomer::fromRecord(smithRecord(), true)};
                 s.customer.middleInitial = QStringLiteral("Q");
                 s.customer.address2 = arg == "usa" ? QStringLiteral("Flat 2") : QString();
                 s.customer.usaStyle = arg == "usa";
                 auto rec = std::make_shared<Recording>();
                 RecordingDevice device(rec);
                 const PenState carried{PrintFont{QStringLiteral("Courier New"), 8, false, true},
                                        Ink::Blue};
                 QVERIFY(PrintSketchSheet(device, s, carried));
                 QCOMPARE(dump(*rec), golden(a.value(2)));
             }}});
    }
};
}  // namespace

class TestProposalLayout : public QObject {
    Q_OBJECT
private slots:
    // Every item of a page at its documented place, font and ink, in the
    // golden recordings of tests/data/proposals.
    void layouts_data() { loadScripts(QStringLiteral("layout_scripts.txt")); }
    void layouts() { LayoutApp().runScript(); }

    // What the settings and the shared state give every job.
    void inputFromTheContext() {
        TempApp app;
        Settings& s = app.ctx->settings();
        s.fontName = QStringLiteral("Courier New");
        s.printInColour = false;
        s.borderColour = 255;
        s.addressStyle = AddressStyle::International;
        s.webAddress = QStringLiteral("www.example.com");
        s.logoWidth = 900;
        app.ctx->vars().Copies = 5;
        app.ctx->vars().ProposalNumber = 1234;
        app.ctx->vars().BusinessData[0] = QStringLiteral("Harbor Roofing");
        const ProposalPrintInput in = PrintInputFor(*app.ctx);
        QCOMPARE((QList<QVariant>{in.style.fontName, in.business.field(1), *in.business.webAddress,
                                  in.style.colour, int(in.style.borderColour), in.business.usaStyle,
                                  in.copies, in.proposalNumber, in.logo.width, in.today}),
                 (QList<QVariant>{"Courier New", "Harbor Roofing", "www.example.com", false, 255,
                                  false, 5, 1234, 900, QDate(2026, 12, 5)}));
        app.ctx->settings() = Settings();
        QVERIFY(!PrintInputFor(*app.ctx).business.webAddress);
    }

    // The customer's name as printed and as stored, by the kind of account.
    void customerNames_data() { cases::load(QStringLiteral("proposals/field_names.txt")); }
    void customerNames() {
        const cases::Row row = cases::row();
        FieldCustomer c = FieldCustomer::fromRecord(smithRecord(), true);
        c.accountType = row.text(0);
        c.middleInitial = row.text(1);
        QCOMPARE(PrintedCustomerName(c), row.text(2));
        QCOMPARE(StoredCustomerName(c), row.text(3));
        QCOMPARE(FieldCustomerLines(c).first(), StoredCustomerName(c));
    }

    // The account and the eight lines the writer takes from a customer.
    void customerBlock_data() { cases::load(QStringLiteral("proposals/writer_customers.txt")); }
    void customerBlock() {
        const cases::Row c = cases::row();
        CustomerRecord r = smithRecord();
        r.AccountType = c.text(0);
        r.MiddleInitial = QStringLiteral("Q");
        r.ZipOrAddress4 = c.text(2);
        r.CellPhone = QStringLiteral("207-555-0199");
        const CustomerBlock b = CustomerBlock::fromRecord(r, c.yes(1));
        QCOMPARE(b.account, QStringLiteral("ACC-7"));
        QCOMPARE(b.lines, c.list(3));
    }
};

TOLVAR_TEST(TestProposalLayout)
#include "test_proposallayout.moc"
