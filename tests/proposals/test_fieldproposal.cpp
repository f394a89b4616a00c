#include "proposals/fieldproposal.h"
#include "proposals/proposalcounter.h"
#include "proposalsfixture.h"
#include "recordingpreview.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kHeader = QStringLiteral("TolvarProposals/1001.txt");

FieldCustomer johnSmith() {
    return FieldCustomer::fromRecord(smithRecord(), true);
}

// The field proposal screen for John Smith, with the business of the sample.
struct FieldApp : ProposalsApp {
    FieldProposal screen{*ctx};
    RecordingTarget target;

    FieldApp() {
        ctx->vars().BusinessData = sampleProposal().business.fields;
        ctx->vars().Copies = 3;
        screen.load(QString());
        screen.activate(johnSmith());
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

    // Print, confirm, reprint or withdraw, and the sketch sheets after; a
    // printer that cannot start or fails at the end.
    void flows_data() { cases::load(QStringLiteral("proposals/field_prints.txt")); }
    void flows() {
        const cases::Row c = cases::row();
        const QString script = c.text(0);
        const int sketches = c.number(1);
        const QString fault = c.text(6);
        FieldApp app;
        app.screen.setSketch(sketches > 0);
        app.screen.chooseSketchCount(sketches);
        app.target.failOpening(fault == "open" ? QStringLiteral("no printer") : QString());
        app.target.failEnding(fault == "end" ? QStringLiteral("off-line") : QString());
        expectPrints(app.prompter, script, 3);
        if (script == QLatin1String("C")) {
            app.prompter.expectMessage(NotPrintedMessage(), kTitle, Icon::None);
        }
        if (!fault.isEmpty()) {
            app.prompter.expectMessage(PrintErrorMessage(), QStringLiteral("Print Error"),
                                       Icon::Critical);
        }
        QCOMPARE(app.screen.print(app.target), FieldPrintOutcome(c.number(2)));
        QCOMPARE(int(app.target.jobs().size()), c.number(3));
        QCOMPARE(app.read(kHeader), c.yes(4) ? golden("header_field.txt") : QByteArray());
        QCOMPARE(app.ctx->vars().ProposalNumber, c.number(5));
        for (const auto& job : app.target.jobs()) {
            const bool form = job->pages == 3;
            QCOMPARE(job->first(form ? "Proposal No. -  1001 " : "For Proposal No.  1001 ").page,
                     1);
        }
        if (!app.target.jobs().isEmpty()) {
            const Recording& form = *app.target.jobs().first();
            QCOMPARE(form.first("Triplicate").page, 3);
            QCOMPARE(form.first("Bangor, ME 04401").at, QPoint(1440, 2304 + 2 * 179));
        }
    }

    void noNumberLeft() {
        FieldApp app;
        app.ctx->vars().ProposalNumber = ProposalCounter::Exhausted;
        app.screen.activate(johnSmith());
        QCOMPARE(app.screen.view().nextNumber, QString());
        app.prompter.expectMessage(ProposalCounter::exhaustedMessage(), kTitle, Icon::Exclamation);
        QCOMPARE(app.screen.print(app.target), FieldPrintOutcome::NotStored);
        QVERIFY(app.target.requests().isEmpty());
        QVERIFY(ProposalFiles::listHeaders(app.ctx->store()).isEmpty());
    }

    void screenChoices() {
        FieldApp app;
        FieldProposal::View expected;
        expected.nextNumber = QStringLiteral("1001");
        expected.customDisclaimer = false;  // the terms screen has none
        QCOMPARE(app.screen.view(), expected);
        app.screen.load(QStringLiteral("Our own words"));
        app.screen.chooseDisclaimer(false);
        app.screen.chooseDays(QStringLiteral("60"));
        app.screen.chooseDays(QStringLiteral("61"));
        app.screen.setSketch(true);
        app.screen.chooseSketchCount(9);
        expected = FieldProposal::View{"1001", false, true, "60", true, 6};
        QCOMPARE(app.screen.view(), expected);
        app.screen.chooseSketchCount(0);
        QCOMPARE(app.screen.view().sketchCount, 1);
        // Shown again after the custom disclaimer was deleted.
        app.screen.load(QString());
        QVERIFY(app.screen.view().genericDisclaimer);
        app.screen.chooseDisclaimer(false);
        QVERIFY(app.screen.view().genericDisclaimer);
    }

    // The preview and a PDF hold the copies and the sketch sheets; a PDF
    // written is a field proposal printed.
    void previewAndPdf() {
        FieldApp app;
        RecordingPreview preview(*app.ctx);
        app.screen.setSketch(true);
        app.screen.chooseSketchCount(2);
        app.screen.preview();
        QVERIFY(!app.exists(kHeader));
        const auto& shown = preview.target().jobs();
        QCOMPARE(shown.size(), 3);
        expectPrints(app.prompter, "PY", 3);
        QCOMPARE(app.screen.print(app.target), FieldPrintOutcome::Confirmed);
        QCOMPARE(app.target.jobs().size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(dump(*shown.at(i)), dump(*app.target.jobs().at(i)));
        }
        app.mkdir(QStringLiteral("out"));
        expectPrints(app.prompter, "SY", 3, app.path("out/fp.pdf"));
        QCOMPARE(app.screen.saveAsPdf(), FieldPrintOutcome::Confirmed);
        QVERIFY(app.read(QStringLiteral("out/fp.pdf")).startsWith("%PDF"));
        QVERIFY(app.read(QStringLiteral("TolvarProposals/1002.txt")).startsWith("\"FP1002\",0,"));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1003);
        QCOMPARE(app.target.jobs().size(), 3);
    }
};

TOLVAR_TEST(TestFieldProposal)
#include "test_fieldproposal.moc"
