#include "proposals/fieldproposal.h"
#include "proposals/proposallayout.h"
#include "proposalsfixture.h"
#include "scriptedprompter.h"
#include "settings/settings.h"
#include "testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(ProposalPrintInput)

namespace {
const PrintFont Courier8Bold{QStringLiteral("Courier New"), 8, true, false};

int lineHeight(const PrintFont& font) {
    return RecordingDevice(std::make_shared<Recording>()).textHeight(font);
}

QStringList bodyOfLines(int n) {
    QStringList body;
    for (int i = 1; i <= n; ++i) {
        body << QStringLiteral("Line %1").arg(i);
    }
    return body;
}

ProposalPrintInput oneCopy() {
    ProposalPrintInput in = sampleProposal();
    in.copies = 1;
    return in;
}
}  // namespace

class TestProposalLayout : public QObject {
    Q_OBJECT
private slots:
    // Every item of a page at its documented place, font and ink, in the
    // golden recordings of tests/data/proposals.
    void layouts_data() {
        QTest::addColumn<ProposalPrintInput>("input");
        QTest::addColumn<QString>("file");
        QTest::newRow("usa, schedule of payments") << oneCopy() << "layout_proposal.txt";
        ProposalPrintInput intl = oneCopy();
        intl.customerUsaStyle = false;
        intl.site[2].clear();
        intl.paymentOption = 0;
        intl.genericDisclaimer = false;
        intl.customDisclaimer =
            QStringLiteral("We insure.\nInsurance on above work to be provided by:");
        intl.logo = LogoInfo{QImage(40, 30, QImage::Format_RGB32), 2000, 2880};
        intl.days = QStringLiteral("45");
        QTest::newRow("international, down and final, custom disclaimer, logo")
            << intl << "layout_international.txt";
        ProposalPrintInput field = oneCopy();
        field.fieldProposal = true;
        field.customerUsaStyle = false;
        field.style.fontName = QStringLiteral("Courier New");
        QTest::newRow("field proposal") << field << "layout_field.txt";
        // The copy boxes, page boxes and heading take their ink by copy and page.
        QTest::newRow("three copies of one page") << sampleProposal() << "layout_copies.txt";
        ProposalPrintInput twoPages = sampleProposal();
        twoPages.copies = 2;
        twoPages.body = bodyOfLines((10080 - 4176) / lineHeight(Courier8Bold) + 1);
        QTest::newRow("two copies of two pages") << twoPages << "layout_two_pages.txt";
        ProposalPrintInput black = sampleProposal();
        black.copies = 2;
        black.style.colour = false;
        QTest::newRow("colour off") << black << "layout_black.txt";
        // Where the body ends decides the rules below it (drawn while the pen,
        // at the rule before, is above 7920) and the continuation.
        const int atFoot = (10080 - 4176 + lineHeight(Courier8Bold) - 1) / lineHeight(Courier8Bold);
        for (const int lines : {0, 10, 18, 20, atFoot - 1, atFoot}) {
            ProposalPrintInput in = oneCopy();
            in.body = bodyOfLines(lines);
            QTest::addRow("body of %d lines", lines)
                << in << QStringLiteral("layout_body_%1.txt").arg(lines);
        }
        // Nothing below the body box, every word on some page.
        ProposalPrintInput paragraph = oneCopy();
        QStringList words;
        for (int i = 0; i < 800; ++i) {
            words << QStringLiteral("word%1").arg(i);
        }
        paragraph.body = {words.join(QLatin1Char(' '))};
        QTest::newRow("one long paragraph") << paragraph << "layout_paragraph.txt";
    }
    void layouts() {
        QFETCH(ProposalPrintInput, input);
        QFETCH(QString, file);
        QCOMPARE(dump(*record(input)), golden(file));
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
        auto s = std::make_shared<Settings>();
        s->fontName = QStringLiteral("Courier New");
        s->printInColour = false;
        s->borderColour = 255;
        s->addressStyle = AddressStyle::International;
        s->webAddress = QStringLiteral("www.example.com");
        s->logoWidth = 900;
        app.ctx->settings() = *s;
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
};

TOLVAR_TEST(TestProposalLayout)
#include "test_proposallayout.moc"
