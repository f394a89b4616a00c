#include "proposals/fieldproposal.h"
#include "proposals/proposallayout.h"
#include "proposals/proposalwriter.h"
#include "proposalsfixture.h"
#include "scriptedprompter.h"
#include "settings/settings.h"
#include "testmain.h"

#include <QTest>

namespace {
QStringList numbered(const QString& stem, int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i) {
        out << stem + QString::number(i);
    }
    return out;
}

// The sample proposal changed as a block of layout_inputs.txt says.
ProposalPrintInput inputOf(const Scenario& s) {
    ProposalPrintInput in = sampleProposal();
    in.copies = s.value(QStringLiteral("copies"), QStringLiteral("1")).toInt();
    in.customerUsaStyle = s.value(QStringLiteral("usa")) != QLatin1String("no");
    in.style.colour = s.value(QStringLiteral("colour")) != QLatin1String("no");
    in.style.fontName = s.value(QStringLiteral("font"), in.style.fontName);
    in.fieldProposal = s.value(QStringLiteral("field")) == QLatin1String("yes");
    in.days = s.value(QStringLiteral("days"), in.days);
    in.paymentOption = s.value(QStringLiteral("option"), QStringLiteral("2")).toInt();
    in.site = listOf(s.value(QStringLiteral("site"), in.site.join(QStringLiteral(" | "))));
    if (s.contains(QStringLiteral("disclaimer"))) {
        in.genericDisclaimer = false;
        in.customDisclaimer = QString::fromUtf8(CaseUnescaped(s.value("disclaimer").toUtf8()));
    }
    if (s.contains(QStringLiteral("logo"))) {
        const QStringList l = s.value(QStringLiteral("logo")).split(QLatin1Char(' '));
        const QImage picture(l.at(0).toInt(), l.at(1).toInt(), QImage::Format_RGB32);
        in.logo = LogoInfo{picture, l.at(2).toInt(), l.at(3).toInt()};
    }
    if (s.contains(QStringLiteral("lines"))) {
        in.body = numbered(QStringLiteral("Line "), 1, s.value(QStringLiteral("lines")).toInt());
    }
    if (s.contains(QStringLiteral("words"))) {
        const int words = s.value(QStringLiteral("words")).toInt();
        in.body = {numbered(QStringLiteral("word"), 0, words - 1).join(QLatin1Char(' '))};
    }
    return in;
}
}  // namespace

class TestProposalLayout : public QObject {
    Q_OBJECT
private slots:
    // Every item of a page at its documented place, font and ink, in the
    // golden recordings of tests/data/proposals.
    void layouts_data() {
        QTest::addColumn<Scenario>("input");
        for (const auto& [name, scenario] : scenarios(QStringLiteral("layout_inputs.txt"))) {
            QTest::newRow(qPrintable(name)) << scenario;
        }
    }
    void layouts() {
        const Scenario input = fetched<Scenario>("input");
        QCOMPARE(dump(*record(inputOf(input))), golden(input.value(QStringLiteral("file"))));
    }

    // Printed, or the printer cannot start, or it fails at the end.
    void samplePrint() {
        for (const auto& [openFailure, endFailure] : QList<std::pair<QString, QString>>{
                 {}, {QStringLiteral("no printer"), {}}, {{}, QStringLiteral("off-line")}}) {
            ScriptedPrompter prompter;
            RecordingTarget target;
            target.failOpening(openFailure);
            target.failEnding(endFailure);
            const bool fails = !openFailure.isEmpty() || !endFailure.isEmpty();
            if (fails) {
                prompter.expectMessage(QStringLiteral("A Print Error has occurred"),
                                       QStringLiteral("Print Error"), Icon::Critical);
            }
            const LogoInfo logo{QImage(10, 10, QImage::Format_RGB32), 1800, 900};
            QCOMPARE(RunPrintSample(prompter, target, PrintStyle{"Arial", true, 255}, logo),
                     !fails);
            if (!fails) {
                QCOMPARE(dump(*target.jobs().first()), golden("layout_sample.txt"));
            }
        }
    }

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
        QCOMPARE((QStringList{in.style.fontName, in.business.field(1), *in.business.webAddress}),
                 (QStringList{"Courier New", "Harbor Roofing", "www.example.com"}));
        QCOMPARE((QList<int>{in.style.colour, int(in.style.borderColour), in.business.usaStyle,
                             in.copies, in.proposalNumber, in.logo.width}),
                 (QList<int>{0, 255, 0, 5, 1234, 900}));
        QCOMPARE(in.today, QDate(2026, 12, 5));
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

    void sketchSheet() {
        for (const bool usa : {true, false}) {
            SketchSheetInput in{sampleProposal().business, 1001,
                                FieldCustomer::fromRecord(smithRecord(), true)};
            in.customer.middleInitial = QStringLiteral("Q");
            in.customer.address2 = usa ? QStringLiteral("Flat 2") : QString();
            in.customer.usaStyle = usa;
            auto rec = std::make_shared<Recording>();
            RecordingDevice device(rec);
            const PenState carried{PrintFont{QStringLiteral("Courier New"), 8, false, true},
                                   Ink::Blue};
            QVERIFY(PrintSketchSheet(device, in, carried));
            QCOMPARE(dump(*rec), golden(usa ? QStringLiteral("layout_sketch_usa.txt")
                                            : QStringLiteral("layout_sketch_international.txt")));
        }
    }
};

TOLVAR_TEST(TestProposalLayout)
#include "test_proposallayout.moc"
