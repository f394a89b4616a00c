#include "proposals/fieldproposal.h"
#include "proposals/proposalcounter.h"
#include "proposalsfixture.h"
#include "recordingpreview.h"
#include "testmain.h"

#include <QTest>

namespace {
FieldCustomer johnSmith() {
    return FieldCustomer::fromRecord(smithRecord(), true);
}

// The field proposal screen for John Smith, with the business of the sample.
struct FieldApp : ScriptApp {
    FieldProposal screen{*ctx};

    FieldApp() {
        ctx->vars().BusinessData = sampleProposal().business.fields;
        ctx->vars().Copies = 3;
        screen.load(QString());
        screen.activate(johnSmith());
    }

    // The screen's own steps of field_scripts.txt.
    bool screenStep(const QStringList& a) override {
        const QString arg = a.value(1);
        const int n = arg.toInt();
        const Steps steps{
            {"sketch", [&] { screen.setSketch(arg == "yes"); }},
            {"sketchCount", [&] { screen.chooseSketchCount(n); }},
            {"print", [&] { QCOMPARE(int(screen.print(target)), n); }},
            {"pdf",
             [&] {
                 mkdir(QStringLiteral("out"));
                 QCOMPARE(int(screen.saveAsPdf()), n);
             }},
            {"preview", [&] { screen.preview(); }},
            {"load", [&] { screen.load(arg); }},
            {"disclaimer", [&] { screen.chooseDisclaimer(arg == "generic"); }},
            {"days", [&] { screen.chooseDays(arg); }},
            {"activate", [&] { screen.activate(johnSmith()); }},
            {"headers", [&] { QCOMPARE(int(ProposalFiles::listHeaders(ctx->store()).size()), n); }},
            {"view", [&] { QCOMPARE(shown(), arg); }}};
        return take(steps, a);
    }

    QString shown() const {
        const FieldProposal::View v = screen.view();
        const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
        return QStringList{
            v.nextNumber,  yes(v.genericDisclaimer),      yes(v.customDisclaimer), v.days,
            yes(v.sketch), QString::number(v.sketchCount)}
            .join(u';');
    }
};
}  // namespace

class TestFieldProposal : public QObject {
    Q_OBJECT
private slots:
    void customerNames_data() { cases::load(QStringLiteral("proposals/field_names.txt")); }
    void customerNames() {
        const cases::Row row = cases::row();
        FieldCustomer c = johnSmith();
        c.accountType = row.text(0);
        c.middleInitial = row.text(1);
        QCOMPARE(PrintedCustomerName(c), row.text(2));
        QCOMPARE(StoredCustomerName(c), row.text(3));
        QCOMPARE(FieldCustomerLines(c).first(), StoredCustomerName(c));
    }

    void sketchSheet() {
        for (const bool usa : {true, false}) {
            SketchSheetInput in{sampleProposal().business, 1001, johnSmith()};
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

    // Printing, the preview and PDF, the screen's choices, each a script.
    void scripts_data() { loadScripts(QStringLiteral("field_scripts.txt")); }
    void scripts() {
        FieldApp app;
        app.runScript();
    }
};

TOLVAR_TEST(TestFieldProposal)
#include "test_fieldproposal.moc"
