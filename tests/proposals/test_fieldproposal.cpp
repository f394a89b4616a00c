#include "layoutfixture.h"
#include "print/recordingdevice.h"
#include "proposals/fieldproposal.h"
#include "proposals/proposalcounter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
FieldCustomer johnSmith() {
    FieldCustomer c;
    c.accountNumber = QStringLiteral("ACC-7");
    c.accountType = QStringLiteral("Individual");
    c.title = QStringLiteral("Mr.");
    c.firstName = QStringLiteral("John ");
    c.middleInitial = QStringLiteral(" ");
    c.lastName = QStringLiteral("Smith  ");
    c.address1 = QStringLiteral("4 Elm St ");
    c.cityOrAddress3 = QStringLiteral("Bangor");
    c.state = QStringLiteral("ME");
    c.zipOrAddress4 = QStringLiteral("04401");
    c.phone = QStringLiteral("207-555-0111");
    return c;
}

// The hand-written stored header of field proposal 1001 for John Smith.
const QByteArray JohnSmithHeader(
    "\"FP1001\",0,#2026-12-05#\r\n\"ACC-7\"\r\n"
    "\"Mr. John Smith\"\r\n\"4 Elm St\"\r\n\"\"\r\n\"Bangor\"\r\n\"ME\"\r\n\"04401\"\r\n"
    "\"207-555-0111\"\r\n"
    "\"Mr. John Smith\"\r\n\"4 Elm St\"\r\n\"\"\r\n\"Bangor\"\r\n\"ME\"\r\n\"04401\"\r\n"
    "\"207-555-0111\"\r\n");

FieldProposalRequest requestFor(const FieldCustomer& customer, int sketches) {
    FieldProposalRequest r;
    r.print = sampleProposal();
    r.print.copies = 3;
    r.customer = customer;
    r.sketchSheets = sketches > 0;
    r.sketchCount = sketches;
    return r;
}

ProposalPrintInput fieldInput() {
    ProposalPrintInput in = sampleProposal();
    in.copies = 1;
    in.fieldProposal = true;
    in.customer = FieldCustomerLines(johnSmith());
    return in;
}

QStringList texts(const Recording& rec) {
    QStringList out;
    for (const RecordedText& t : rec.texts) {
        out << t.text;
    }
    return out;
}

void expectPrint(ScriptedPrompter& p, bool printedOk) {
    p.expectPrintDialog(true);
    p.expectQuestion(QStringLiteral("Did the Proposal Print Correctly"),
                     QStringLiteral("Print Confirmation"), Buttons::YesNo,
                     printedOk ? Answer::Yes : Answer::No);
}

void expectReprint(ScriptedPrompter& p, bool again) {
    p.expectQuestion(QStringLiteral("Would you like to try to Reprint?"),
                     QStringLiteral("Print Retry"), Buttons::YesNo,
                     again ? Answer::Yes : Answer::No);
}
}  // namespace

class TestFieldProposal : public QObject {
    Q_OBJECT
private slots:
    void customerNames_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("individual, blank middle")
            << QStringLiteral("Individual") << QStringLiteral(" ")
            << QStringLiteral("Mr. John Smith") << QStringLiteral("Mr. John Smith");
        QTest::newRow("individual with middle initial")
            << QStringLiteral("Individual") << QStringLiteral("Q")
            << QStringLiteral("Mr. John Q Smith") << QStringLiteral("Mr. John Smith");
        QTest::newRow("business") << QStringLiteral("Business") << QStringLiteral("Q")
                                  << QStringLiteral("Smith & Sons Ltd")
                                  << QStringLiteral("Smith & Sons Ltd");
    }
    void customerNames() {
        QFETCH(QString, type);
        QFETCH(QString, middle);
        QFETCH(QString, printed);
        QFETCH(QString, stored);
        FieldCustomer c = johnSmith();
        c.accountType = type;
        c.middleInitial = middle;
        c.accountName = QStringLiteral("  Smith & Sons Ltd ");
        QCOMPARE(PrintedCustomerName(c), printed);
        QCOMPARE(StoredCustomerName(c), stored);
        QCOMPARE(FieldCustomerLines(c).first(), stored);
    }

    void storedHeaderBytes() {
        const ProposalHeader h = FieldProposalHeader(1001, QDate(2026, 12, 5), johnSmith());
        QCOMPARE(ProposalFiles::headerBytes(h), JohnSmithHeader);
        QVERIFY(h.isFieldProposal());
    }

    void fieldVariantLayout() {
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        QVERIFY(PrintProposal(device, fieldInput()));
        // Nine body rules; no note rules below them.
        QCOMPARE(rec->lines.size(), 5 + 9);
        for (int i = 0; i < 9; ++i) {
            const RecordedLine& l = rec->lines[5 + i];
            QCOMPARE(l.from, QPoint(1600, 4500 + 500 * i));
            QCOMPARE(l.to, QPoint(10650, 4500 + 500 * i));
            QCOMPARE(l.ink, Ink::Black);
        }
        const QList<RecordedText> site = rec->find(QString(45, QLatin1Char('_')));
        QCOMPARE(site.size(), 4);
        const QList<int> ys{2304, 2592, 2880, 3168};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(site[i].at, QPoint(6192, ys[i]));
            QCOMPARE(site[i].font, (PrintFont{QStringLiteral("Arial"), 8, false, false}));
        }
        const RecordedText price = rec->first(QStringLiteral("Proposed Price: _____________"));
        QCOMPARE(price.at, QPoint(1224, 9072));
        QCOMPARE(price.font.size, 12);
        const QString blank = QStringLiteral("______________._______     by____/____/____");
        const QList<RecordedText> payments = rec->find(blank);
        QCOMPARE(payments.size(), 5);
        const int h = heightOf(payments.first().font);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(payments[i].at, QPoint(1224, 9792 + 2 * h * i));
        }
        QVERIFY(!rec->contains(QStringLiteral("Payment Due Date")));
        QVERIFY(!rec->startingWith(QStringLiteral("Proposed Price: $")).page);
        QVERIFY(rec->contains(QStringLiteral("Work to be performed at:")));
        QVERIFY(!rec->contains(QStringLiteral("Smith Barn")));  // no site block
        const RecordedText notice = rec->startingWith(QStringLiteral("Proposal may be withdrawn"));
        QVERIFY(!notice.font.bold);
    }

    void fieldHeadCustomerLines_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QString>("address2");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("usa, no address 2")
            << true << QString()
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Bangor, ME 04401"), QStringLiteral("207-555-0111")};
        QTest::newRow("international with address 2")
            << false << QStringLiteral("Flat 2")
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Flat 2"),         QStringLiteral("Bangor"),
                           QStringLiteral("04401"),          QStringLiteral("207-555-0111")};
    }
    void fieldHeadCustomerLines() {
        QFETCH(bool, usa);
        QFETCH(QString, address2);
        QFETCH(QStringList, lines);
        FieldCustomer c = johnSmith();
        c.address2 = address2;
        c.usaStyle = usa;
        ProposalPrintInput in = fieldInput();
        in.customer = FieldCustomerLines(c);
        in.customerUsaStyle = usa;
        in.business.fields[3] = QStringLiteral("Portsmouth");  // keep the header's city apart
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        PrintProposal(device, in);
        const PrintFont headFont{QStringLiteral("Arial"), 8, true, false};
        const int h = heightOf(headFont);
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(1440, 2304 + i * h));
            QCOMPARE(t.font, headFont);
        }
    }

    void sketchSheetLayout_data() {
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("usa") << true
                             << QStringList{QStringLiteral("Mr. John Smith"),
                                            QStringLiteral("4 Elm St"),
                                            QStringLiteral("Bangor, ME 04401"),
                                            QStringLiteral("207-555-0111")};
        QTest::newRow("international")
            << false
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("4 Elm St"),
                           QStringLiteral("Bangor"), QStringLiteral("04401"),
                           QStringLiteral("207-555-0111")};
    }
    void sketchSheetLayout() {
        QFETCH(bool, usa);
        QFETCH(QStringList, lines);
        SketchSheetInput in;
        in.business = sampleProposal().business;
        in.proposalNumber = 1001;
        in.customer = johnSmith();
        in.customer.middleInitial = QStringLiteral("Q");
        in.customer.usaStyle = usa;
        auto rec = std::make_shared<Recording>();
        RecordingDevice device(rec);
        const PenState carried{PrintFont{QStringLiteral("Courier New"), 8, false, true}, Ink::Blue};
        QVERIFY(PrintSketchSheet(device, in, carried));
        QVERIFY(rec->ended);
        QCOMPARE(rec->pages, 1);
        const PrintFont titleFont{QStringLiteral("Courier New"), 10, true, false};
        const int h = heightOf(titleFont);
        const RecordedText title = rec->first(QStringLiteral("Sketch Sheet"));
        QCOMPARE(title.at, QPoint(LetterPrintable.width() / 2 - title.width, h));
        QCOMPARE(title.font, titleFont);
        QCOMPARE(title.ink, Ink::Blue);
        const RecordedText name = rec->first(QStringLiteral("Harbor Roofing"));
        QCOMPARE(name.at, QPoint(1440, 1152));
        QCOMPARE(name.font.size, 12);
        const RecordedText number = rec->first(QStringLiteral("For Proposal No.  1001 "));
        QCOMPARE(number.at, QPoint(7200, 1152));
        QCOMPARE(number.font, titleFont);
        const PrintFont plain{QStringLiteral("Courier New"), 10, false, false};
        for (int i = 0; i < lines.size(); ++i) {
            const RecordedText t = rec->first(lines[i]);
            QCOMPARE(t.at, QPoint(7200, 1152 + (3 + i) * h));
            QCOMPARE(t.font, plain);
        }
        QVERIFY(rec->lines.isEmpty());
    }

    void confirmedPrintStoresPrintsAndAdvances() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        expectPrint(app.prompter, true);
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 2));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::Confirmed);
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), JohnSmithHeader);
        QCOMPARE(app.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1002\r\n"));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1002);
        QCOMPARE(target.jobs().size(), 3);
        const Recording& form = *target.jobs()[0];
        QCOMPARE(form.pages, 3);
        QCOMPARE(form.first(QStringLiteral("Original")).page, 1);
        QCOMPARE(form.first(QStringLiteral("Duplicate")).page, 2);
        QCOMPARE(form.first(QStringLiteral("Triplicate")).page, 3);
        QCOMPARE(form.first(QStringLiteral("Proposal No. -  1001 ")).page, 1);
        QCOMPARE(form.first(QStringLiteral("Mr. John Smith")).at, QPoint(1440, 2304));
        for (int sheet = 1; sheet <= 2; ++sheet) {
            QVERIFY(target.jobs()[sheet]->contains(QStringLiteral("For Proposal No.  1001 ")));
            QVERIFY(target.jobs()[sheet]->ended);
        }
        // The third copy is black, so are the sketch sheets that follow it.
        QCOMPARE(target.jobs()[1]->first(QStringLiteral("Sketch Sheet")).ink, Ink::Black);
    }

    void declinedAndNotReprintedWithdraws() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        expectPrint(app.prompter, false);
        expectReprint(app.prompter, false);
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 2));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::Withdrawn);
        QVERIFY(!app.exists(QStringLiteral("TolvarProposals/1001.txt")));
        QVERIFY(!app.exists(QStringLiteral("TProposalCounter.txt")));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1001);
        QCOMPARE(target.jobs().size(), 3);
        QVERIFY(target.jobs()[2]->contains(QStringLiteral("For Proposal No.  1001 ")));
    }

    void reprintPrintsTheJobAgain() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        expectPrint(app.prompter, false);
        expectReprint(app.prompter, true);
        expectPrint(app.prompter, true);
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 0));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::Confirmed);
        QCOMPARE(target.jobs().size(), 2);
        QCOMPARE(texts(*target.jobs()[0]), texts(*target.jobs()[1]));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/1001.txt")), JohnSmithHeader);
        QCOMPARE(app.ctx->vars().ProposalNumber, 1002);
    }

    void cancelledDialogKeepsTheFile() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        app.prompter.expectPrintDialog(false);
        app.prompter.expectMessage(QStringLiteral("The Proposal will not be Printed"));
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 2));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::NotPrinted);
        QVERIFY(target.jobs().isEmpty());
        QVERIFY(app.exists(QStringLiteral("TolvarProposals/1001.txt")));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1001);
    }

    void printerFailureIsReported_data() {
        QTest::addColumn<bool>("atOpen");
        QTest::newRow("cannot start") << true;
        QTest::newRow("fails at the end") << false;
    }
    void printerFailureIsReported() {
        QFETCH(bool, atOpen);
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        if (atOpen) {
            target.failOpening(QStringLiteral("no printer"));
        } else {
            target.failEnding(QStringLiteral("off-line"));
        }
        app.prompter.expectPrintDialog(true);
        app.prompter.expectMessage(QStringLiteral("A Print Error has occurred"),
                                   QStringLiteral("Print Error"));
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 2));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::PrintError);
        QVERIFY(app.exists(QStringLiteral("TolvarProposals/1001.txt")));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1001);
    }

    void unwritableHeaderPrintsNothing() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        RecordingTarget target;
        app.mkdir(QStringLiteral("TolvarProposals/1001.txt/blocked"));
        const IoStatus expected =
            app.ctx->store().OpenForOutput(ProposalFiles::headerPath(1001), QByteArray("x"));
        QVERIFY(!expected.ok());
        app.prompter.expectMessage(expected.message());
        const auto outcome = PrintFieldProposal(*app.ctx, target, requestFor(johnSmith(), 2));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(outcome, FieldPrintOutcome::NotStored);
        QVERIFY(target.jobs().isEmpty());
    }
};

TOLVAR_TEST(TestFieldProposal)
#include "test_fieldproposal.moc"
