#include "customers/customerrecord.h"
#include "print/recordingdevice.h"
#include "proposals/proposalwriter.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QTest>
#include <QtEndian>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kPrinted = QStringLiteral("Did the Proposal Print Correctly");
const QString kReprint = QStringLiteral("Would you like to try to Reprint?");
const QString kConfirmTitle = QStringLiteral("Print Confirmation");
const QString kRetryTitle = QStringLiteral("Print Retry");

const QString kHeader = QStringLiteral("TolvarProposals/1001.txt");
const QString kBody = QStringLiteral("TolvarProposals/ProposalBody/1001.txt");
const QString kPayments = QStringLiteral("TolvarProposals/ProposalPayments/1001.txt");
const QString kFinancials = QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt");
const QString kCounter = QStringLiteral("TProposalCounter.txt");

void makeFolders(const TempApp& app) {
    app.mkdir(QStringLiteral("TolvarProposals/ProposalBody"));
    app.mkdir(QStringLiteral("TolvarProposals/ProposalPayments"));
    app.mkdir(QStringLiteral("TolvarProposals/ProposalFinancials"));
    app.mkdir(QStringLiteral("Templates/Proposals"));
    app.write(kCounter, "1001\r\n");
}

CustomerBlock smithRoofing() {
    CustomerBlock c;
    c.account = QStringLiteral("SMITH01");
    c.lines = QStringList{
        QStringLiteral("Smith Roofing"), QStringLiteral("12 Elm St"),   QString(),
        QStringLiteral("Springfield"),   QStringLiteral("IL"),          QStringLiteral("62701"),
        QStringLiteral("555-201-3344"),  QStringLiteral("555-999-0000")};
    return c;
}

// A TempApp with a 7.5 % first tax that the settings apply.
struct WriterApp {
    TempApp app;
    std::unique_ptr<ProposalWriter> writer;
    RecordingTarget target;

    WriterApp() {
        makeFolders(app);
        auto settings = std::make_shared<Settings>();
        settings->taxRate1 = QStringLiteral("7.5");
        settings->applyTax1 = true;
        app.ctx->settings = settings;
        writer = std::make_unique<ProposalWriter>(*app.ctx);
        writer->load(QString());
        writer->activate(smithRoofing());
    }

    // Body by hand with one item, $1,000.00 with the tax, in full on 1/15/2027.
    void priceInFull() {
        ProposalWriter& w = *writer;
        w.toBody();
        w.chooseCreation(ProposalWriter::Manual);
        w.body().addHeader();
        w.body().setText(w.body().text() + QStringLiteral("new gutters."));
        w.itemBoxes = {QStringLiteral("Gutter guard"), QStringLiteral("$12.50"),
                       QStringLiteral("5")};
        QVERIFY(w.addItem());
        QVERIFY(w.toPricing());
        Pricing& p = w.pricing();
        QVERIFY(p.leavePreAmount(QStringLiteral("1000")));
        p.setTax1Applied(true);
        p.chooseOption(Pricing::InFull);
        p.pickDate(QDate(2027, 1, 15), *app.ctx);
        QVERIFY(w.toFinalize());
        w.readyToPrint();
    }

    void expectPrint(bool accept = true) { app.prompter.expectPrintDialog(accept); }
    void expectAnswer(const QString& text, const QString& title, Answer a) {
        app.prompter.expectQuestion(text, title, Buttons::YesNo, a);
    }
};

QByteArray quoted(const char* text) {
    return QByteArray("\"") + text + "\"\r\n";
}

QByteArray customerBytes() {
    QByteArray b;
    for (const char* t :
         {"Smith Roofing", "12 Elm St", "", "Springfield", "IL", "62701", "555-201-3344"}) {
        b += quoted(t);
    }
    return b;
}

QByteArray textRecord(const char* text, int width) {
    QByteArray b(text);
    b.resize(width, ' ');
    return b;
}
}  // namespace

class TestWriter : public QObject {
    Q_OBJECT
private slots:
    // The four files as the writer stores them, by hand from their formats.
    void storesTheFourFiles() {
        WriterApp w;
        w.priceInFull();
        w.expectPrint();
        w.expectAnswer(kPrinted, kConfirmTitle, Answer::Yes);
        QCOMPARE(w.writer->printAndRecord(w.target), ProposalWriter::Stored::Confirmed);
        const TempApp& app = w.app;
        QCOMPARE(app.read(kHeader),
                 QByteArray("\"1001\",1075,#2026-12-05#\r\n\"555-201-3344\"\r\n") +
                     customerBytes() + customerBytes());
        const QByteArray item = " 5     Gutter guard       $12.50       $62.50";
        QCOMPARE(app.read(kBody),
                 QByteArray("We hereby propose to furnish the materials and perform the labor "
                            "necessary for the completion of new gutters.\r\n"
                            "  Qty  Description        Price      Extension\r\n") +
                     item + "\r\n");
        QCOMPARE(app.read(kPayments), QByteArray("$1,075.00\r\n1\r\n$1,075.00\r\n1/15/2027\r\n"));
        QCOMPARE(app.read(kFinancials),
                 QByteArray("$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n"));
        QCOMPARE(app.read(kCounter), QByteArray("1002\r\n"));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1002);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    // The loop of print, confirmation and reprint, and what each way leaves.
    void printPaths_data() {
        QTest::addColumn<QList<int>>("script");  // 0 dialog, 1 yes, 2 no, 3 cancelled dialog
        QTest::addColumn<int>("jobs");
        QTest::addColumn<bool>("kept");
        QTest::newRow("yes") << QList<int>{0, 1} << 1 << true;
        QTest::newRow("no then yes") << QList<int>{0, 2, 1, 0, 1} << 2 << true;
        QTest::newRow("no then no") << QList<int>{0, 2, 2} << 1 << false;
        QTest::newRow("cancelled then no") << QList<int>{3, 2} << 0 << false;
        QTest::newRow("cancelled then yes") << QList<int>{3, 1, 0, 1} << 1 << true;
    }
    void printPaths() {
        QFETCH(QList<int>, script);
        QFETCH(int, jobs);
        QFETCH(bool, kept);
        WriterApp w;
        w.priceInFull();
        // After a print the first answer is the confirmation, then the retry.
        bool afterPrint = false;
        for (int step : script) {
            if (step == 0 || step == 3) {
                w.expectPrint(step == 0);
                afterPrint = step == 0;
                continue;
            }
            const Answer a = step == 1 ? Answer::Yes : Answer::No;
            if (afterPrint) {
                w.expectAnswer(kPrinted, kConfirmTitle, a);
            } else {
                w.expectAnswer(kReprint, kRetryTitle, a);
            }
            afterPrint = false;
        }
        const ProposalWriter::Stored result = w.writer->printAndRecord(w.target);
        QCOMPARE(result,
                 kept ? ProposalWriter::Stored::Confirmed : ProposalWriter::Stored::Withdrawn);
        QCOMPARE(w.target.jobs().size(), jobs);
        for (const QString& f : {kHeader, kBody, kPayments, kFinancials}) {
            QVERIFY2(w.app.exists(f) == kept, qPrintable(f));
        }
        QCOMPARE(w.app.read(kCounter), kept ? QByteArray("1002\r\n") : QByteArray("1001\r\n"));
        QCOMPARE(w.app.ctx->vars().ProposalNumber, kept ? 1002 : 1001);
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    void printedContent() {
        WriterApp w;
        w.app.ctx->vars().Copies = 2;
        w.priceInFull();
        w.expectPrint();
        w.expectAnswer(kPrinted, kConfirmTitle, Answer::Yes);
        w.writer->printAndRecord(w.target);
        QCOMPARE(w.target.jobs().size(), 1);
        const Recording& r = *w.target.jobs().first();
        QCOMPARE(r.startingWith(QStringLiteral("Proposed Price: ")).text,
                 QStringLiteral("Proposed Price: $1,075.00"));
        QCOMPARE(r.find(QStringLiteral("Final Payment of $1,075.00 on or before 1/15/2027")).size(),
                 2);
        QCOMPARE(r.find(QStringLiteral("Original")).size(), 1);
        QCOMPARE(r.find(QStringLiteral("Duplicate")).size(), 1);
        QVERIFY(!r.contains(QStringLiteral("Triplicate")));
        QVERIFY(r.contains(QStringLiteral("Smith Roofing")));
        QVERIFY(r.ended);
    }

    // A store that fails is told and nothing is printed or used up.
    void storeFailurePrintsNothing() {
        WriterApp w;
        w.priceInFull();
        QVERIFY(QDir(w.app.path(QStringLiteral("TolvarProposals/ProposalPayments")))
                    .removeRecursively());
        QCOMPARE(w.writer->printAndRecord(w.target), ProposalWriter::Stored::StoreFailed);
        QCOMPARE(w.app.prompter.shown().size(), 1);
        QVERIFY2(w.app.prompter.shown().first().contains(QStringLiteral("ProposalPayments")),
                 qPrintable(w.app.prompter.shown().first()));
        QVERIFY(w.target.requests().isEmpty());
        QVERIFY(!w.app.exists(kHeader));
        QVERIFY(!w.app.exists(kBody));
        QCOMPARE(w.app.read(kCounter), QByteArray("1001\r\n"));
        QCOMPARE(w.app.ctx->vars().ProposalNumber, 1001);
    }

    void printerFailureIsTold() {
        WriterApp w;
        w.priceInFull();
        w.target.failOpening(QStringLiteral("printer off-line"));
        w.expectPrint();
        w.app.prompter.expectMessage(
            QStringLiteral("The Proposal could not be printed: printer off-line"), kTitle);
        w.expectAnswer(kReprint, kRetryTitle, Answer::No);
        QCOMPARE(w.writer->printAndRecord(w.target), ProposalWriter::Stored::Withdrawn);
        QVERIFY(!w.app.exists(kHeader));
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    void blankBodyStaysInStepTwo() {
        WriterApp w;
        w.writer->toBody();
        w.app.prompter.expectBeep();
        w.app.prompter.expectMessage(ProposalWriter::blankBodyMessage(), kTitle);
        QVERIFY(!w.writer->toPricing());
        QCOMPARE(w.writer->view().step, 2);
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    void creationCheckWithoutChoice() {
        WriterApp w;
        w.app.prompter.expectMessage(ProposalWriter::noCreationMessage(), kTitle);
        QVERIFY(!w.writer->creationCheck());
        w.writer->chooseCreation(ProposalWriter::Manual);
        QVERIFY(w.writer->creationCheck());
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    void documentOfSixtyLines() {
        WriterApp w;
        QByteArray doc;
        for (int i = 1; i <= 60; ++i) {
            doc += "Line " + QByteArray::number(i) + "\r\n";
        }
        w.app.write(QStringLiteral("outside/work.txt"), doc);
        w.app.prompter.expectOpenFile(w.app.path(QStringLiteral("outside/work.txt")));
        w.writer->chooseCreation(ProposalWriter::FromDocument);
        const QString body = w.writer->body().text();
        QCOMPARE(body.count(QStringLiteral("\r\n")), 49);
        QVERIFY(body.startsWith(QStringLiteral("Line 1\r\n")));
        QVERIFY(body.endsWith(QStringLiteral("Line 49\r\n")));
        QCOMPARE(w.writer->takeFocus(), QStringLiteral("txtBody"));
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    void templateThroughTheWriter() {
        WriterApp w;
        QVERIFY(!w.writer->view().templateOption);
        w.app.write(QStringLiteral("Templates/Proposals/Roof.txt"), "A\r\nB\r\n");
        w.writer->activate(smithRoofing());
        QVERIFY(w.writer->view().templateOption);
        w.writer->chooseCreation(ProposalWriter::FromTemplate);
        QVERIFY(w.writer->view().templatesFrame);
        w.writer->loadTemplate(QStringLiteral("Roof.txt"));
        QCOMPARE(w.writer->body().text(), QStringLiteral("A\r\nB\r\n"));
        QVERIFY(!w.writer->view().templatesFrame);
        QVERIFY(w.writer->view().deleteTemplate);
    }

    void customTermsFromTheirFile() {
        WriterApp w;
        w.app.write(QStringLiteral("CustomTerms.txt"), "\"Net 30,\r\nno refunds\"\r\n");
        w.writer->toBody();
        QCOMPARE(w.writer->body().termsOptions().selected, TermsOptions::Custom);
        w.writer->body().setText(QStringLiteral("Roof"));
        w.writer->addTerms();
        QCOMPARE(w.writer->body().text(), QStringLiteral("Roof\r\n\r\nNet 30,\r\nno refunds"));
        w.writer->addTerms();
        QCOMPARE(w.writer->body().text().count(QStringLiteral("no refunds")), 1);
    }

    // An item picked from the list; a manual one offered to the inventory.
    void itemsThroughTheWriter() {
        WriterApp w;
        QByteArray rec = textRecord("Gutter guard", 50) + textRecord("Gutters", 20);
        QByteArray price(8, '\0');
        qToLittleEndian<qint64>(125000, price.data());
        rec += price + QByteArray(8 + 2 + 8 + 4 + 2 + 2, '\0');
        w.app.write(QStringLiteral("TIInventoriedItems.txt"), rec);
        w.writer->load(QString());
        QVERIFY(w.writer->items().itemsExist());
        w.writer->chooseItem(QStringLiteral("Gutter guard"));
        QCOMPARE(w.writer->itemBoxes.price, QStringLiteral("$12.50"));
        QCOMPARE(w.writer->takeFocus(), QStringLiteral("txtItem(2)"));
        QVERIFY(!w.writer->addItem());
        QCOMPARE(w.writer->takeFocus(), QStringLiteral("txtItem(2)"));
        w.writer->itemBoxes.quantity = QStringLiteral("5");
        QVERIFY(w.writer->addItem());
        QVERIFY(w.writer->itemBoxes.description.isEmpty());

        w.writer->addItemManually();
        w.writer->itemBoxes = {QStringLiteral("Heat cable"), QStringLiteral("$4.00"),
                               QStringLiteral("10")};
        w.expectAnswer(QStringLiteral("Would you like to add this\r\nitem to your Inventory?"),
                       QStringLiteral("Add NewItem"), Answer::Yes);
        QVERIFY(w.writer->addItem());
        QVERIFY(w.writer->view().addNewFrame);
        w.app.prompter.expectMessage(QStringLiteral("Heat cable") + QString(40, QLatin1Char(' ')) +
                                         QStringLiteral(" has been added\r\nUse the Inventory "
                                                        "Program to \r\nenter all fields for this "
                                                        "item"),
                                     kTitle);
        w.app.prompter.expectMessage(QStringLiteral("Item Has been Saved to Inventory File"),
                                     kTitle);
        QVERIFY(w.writer->saveNewItem(QStringLiteral("Gutters")));
        QCOMPARE(w.app.read(QStringLiteral("TIInventoriedItems.txt")).size(), 208);
        QCOMPARE(w.writer->body().lastItemExtension(), Money::fromCents(4000));
        QCOMPARE(w.writer->body().text().count(QStringLiteral("Qty  Description")), 1);
        QVERIFY2(w.app.prompter.done(), qPrintable(w.app.prompter.report()));
    }

    // The last item's extension reaches the pricing step; coming back to the
    // writer window in that step keeps the taxes applied.
    void pricingStepKeepsItsTaxes() {
        WriterApp w;
        ProposalWriter& pw = *w.writer;
        pw.toBody();
        pw.chooseCreation(ProposalWriter::Manual);
        pw.body().setText(QStringLiteral("Gutters"));
        pw.itemBoxes = {QStringLiteral("Gutter guard"), QStringLiteral("$12.50"),
                        QStringLiteral("5")};
        QVERIFY(pw.addItem());
        QVERIFY(pw.toPricing());
        QCOMPARE(pw.view().step, 3);
        QVERIFY(!pw.view().itemsMenu);
        Pricing& p = pw.pricing();
        QVERIFY(p.view().taxFrame);
        QVERIFY(p.leavePreAmount(QStringLiteral("1000")));
        QVERIFY(p.view().taxItemsEnabled);
        p.setTax1Applied(true);
        p.setTaxItems(true);
        // 62.50 at 7.5 % = 4.6875 -> 4.6875 + 0.005 = 4.6925 -> 4.69.
        QCOMPARE(p.tax1(), Money::fromCents(7500 + 469));
        pw.activate(smithRoofing());
        QCOMPARE(p.tax1(), Money::fromCents(7500 + 469));
        QCOMPARE(p.shown(p.total()), QStringLiteral("$1,079.69"));
        pw.backToBody();
        QCOMPARE(pw.view().step, 2);
        QCOMPARE(pw.creation(), ProposalWriter::NoCreation);
    }

    void customerBlockFromRecord_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("business usa")
            << QStringLiteral("Business") << true
            << QStringList{QStringLiteral("Acme Gutters"), QStringLiteral("1 Main"),
                           QStringLiteral("Suite 2"),      QStringLiteral("Peoria"),
                           QStringLiteral("IL"),           QStringLiteral("61602"),
                           QStringLiteral("555-1"),        QStringLiteral("555-2")};
        QTest::newRow("individual international")
            << QStringLiteral("Individual") << false
            << QStringList{QStringLiteral("Mr. John Smith"), QStringLiteral("1 Main"),
                           QStringLiteral("Suite 2"),        QStringLiteral("Peoria"),
                           QStringLiteral("Region 4"),       QStringLiteral("61602"),
                           QStringLiteral("555-1"),          QStringLiteral("555-2")};
    }
    void customerBlockFromRecord() {
        QFETCH(QString, type);
        QFETCH(bool, usa);
        QFETCH(QStringList, lines);
        CustomerRecord r;
        r.AccountNumber = QStringLiteral(" ACME ");
        r.AccountName = QStringLiteral("Acme Gutters ");
        r.Address1 = QStringLiteral("1 Main");
        r.Address2 = QStringLiteral("Suite 2");
        r.CityOrAddress3 = QStringLiteral("Peoria");
        r.State = usa ? QStringLiteral("IL") : QString();
        r.ZipCode = QStringLiteral("61602");
        r.ZipOrAddress4 = usa ? QStringLiteral("61602") : QStringLiteral("Region 4");
        r.Phone = QStringLiteral("555-1");
        r.CellPhone = QStringLiteral("555-2");
        r.Title = QStringLiteral("Mr.");
        r.FirstName = QStringLiteral("John");
        r.MiddleInitial = QStringLiteral(" ");
        r.LastName = QStringLiteral("Smith");
        r.AccountType = type;
        const CustomerBlock b = CustomerBlock::fromRecord(r, usa);
        QCOMPARE(b.account, QStringLiteral("ACME"));
        QCOMPARE(b.lines, lines);
    }
};

TOLVAR_TEST(TestWriter)
#include "test_writer.moc"
