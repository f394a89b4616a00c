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

QList<RecordedLine> linesOn(const Recording& rec, int page, bool boxes) {
    QList<RecordedLine> out;
    for (const RecordedLine& l : rec.linesOn(page)) {
        if (l.box == boxes) {
            out << l;
        }
    }
    return out;
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
    // Every item of a page at its documented place, font and ink.
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
    }
    void layouts() {
        QFETCH(ProposalPrintInput, input);
        QFETCH(QString, file);
        QCOMPARE(dump(*record(input)), golden(file));
    }

    // copies, two pages, colour -> per page: copy boxes, page boxes, header text.
    void colourByCopyAndPageCounter_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("twoPages");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QList<quint32>>("inks");
        const quint32 B = Ink::Blue, D = Ink::DarkBlue, K = Ink::Black;
        QTest::newRow("three copies of one page")
            << 3 << false << true << QList<quint32>{B, D, B, B, D, B, K, K, K};
        QTest::newRow("two copies of two pages")
            << 2 << true << true << QList<quint32>{B, D, B, B, D, B, B, K, K, B, K, K};
        QTest::newRow("colour off") << 2 << false << false << QList<quint32>(6, K);
    }
    void colourByCopyAndPageCounter() {
        QFETCH(int, copies);
        QFETCH(bool, twoPages);
        ProposalPrintInput in = sampleProposal();
        in.copies = copies;
        QFETCH(bool, colour);
        in.style.colour = colour;
        if (twoPages) {
            in.body = bodyOfLines((10080 - 4176) / lineHeight(Courier8Bold) + 1);
        }
        const auto rec = record(in);
        QList<quint32> inks;
        for (int page = 1; page <= rec->pages; ++page) {
            const QList<RecordedLine> boxes = linesOn(*rec, page, true);
            const QList<RecordedText> texts = rec->textsOn(page);
            const auto header = std::find_if(texts.begin(), texts.end(), [](const RecordedText& t) {
                return t.text == QLatin1String("Proposal");
            });
            inks << boxes.at(0).ink << boxes.at(3).ink << header->ink;
        }
        QTEST(inks, "inks");
        QCOMPARE(rec->find(QStringLiteral("Proposed Price: $1,200.00")).size(), copies);
    }

    // Nothing prints below the body box and every word is on some page, also
    // within one long paragraph.
    void longParagraph() {
        ProposalPrintInput in = oneCopy();
        QStringList words;
        for (int i = 0; i < 800; ++i) {
            words << QStringLiteral("word%1").arg(i);
        }
        in.body = {words.join(QLatin1Char(' '))};
        const auto rec = record(in);
        QString printed;
        const int h = lineHeight(Courier8Bold);
        for (const RecordedText& t : rec->texts) {
            if (t.at.x() != 2664) {
                continue;
            }
            QVERIFY2(t.at.y() + h <= 11520, qPrintable(t.text));
            if (t.text != QLatin1String("Continued on Next Page")) {
                printed += t.text;
            }
        }
        QCOMPARE(printed, in.body.first());
        QCOMPARE(rec->find(QStringLiteral("Continued on Next Page")).size(), rec->pages - 1);
        QCOMPARE(rec->first(QStringLiteral("Original")).page, rec->pages);
    }

    // Where the body ends decides the rules below it and the continuation.
    void bodyEnds_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("continued");
        QTest::addColumn<QList<int>>("rules");  // first rule's y and count, per page
        const int h = lineHeight(Courier8Bold);
        const int atFoot = (10080 - 4176 + h - 1) / h;
        // A rule is drawn while the pen, at the rule before, is above 7920.
        const auto rules = [](int first) {
            return QList<int>{first, 1 + (7920 - first + 499) / 500};
        };
        QTest::newRow("none") << 0 << false << rules(4536);
        QTest::newRow("ten") << 10 << false << rules(4176 + 10 * h + 360);
        QTest::newRow("last rule below 7920") << 18 << false << rules(4176 + 18 * h + 360);
        QTest::newRow("below 7920: none") << 20 << false << QList<int>{0, 0};
        QTest::newRow("ends between 9720 and 10080")
            << atFoot - 1 << false << QList<int>{0, 0, 0, 0};
        QTest::newRow("ends at the foot") << atFoot << true << QList<int>{0, 0, 4536, 8};
    }
    void bodyEnds() {
        QFETCH(int, lines);
        QFETCH(bool, continued);
        ProposalPrintInput in = oneCopy();
        in.body = bodyOfLines(lines);
        const auto rec = record(in);
        QList<int> rules;
        for (int page = 1; page <= rec->pages; ++page) {
            const QList<RecordedLine> r = linesOn(*rec, page, false);
            rules << (r.isEmpty() ? 0 : r.first().from.y()) << int(r.size());
            for (const RecordedLine& l : r) {
                QCOMPARE(l.to.y() - l.from.y(), 0);
                QCOMPARE(l.from.y(), r.first().from.y() + 500 * int(&l - &r.first()));
            }
        }
        QTEST(rules, "rules");
        QCOMPARE(rec->contains(QStringLiteral("Continued on Next Page")), continued);
        QCOMPARE(rec->first(QStringLiteral("Page #  2 ")).page, rec->pages == 2 ? 2 : 0);
    }

    void samplePrint_data() {
        QTest::addColumn<QString>("openFailure");
        QTest::addColumn<QString>("endFailure");
        QTest::newRow("printed") << QString() << QString();
        QTest::newRow("no printer") << QStringLiteral("no printer") << QString();
        QTest::newRow("off-line") << QString() << QStringLiteral("off-line");
    }
    void samplePrint() {
        QFETCH(QString, openFailure);
        QFETCH(QString, endFailure);
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
        QCOMPARE(RunPrintSample(prompter, target, PrintStyle{"Arial", true, 255}, logo), !fails);
        if (!fails) {
            QCOMPARE(dump(*target.jobs().first()), golden("layout_sample.txt"));
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
