#include "print/recordingdevice.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalwriter.h"
#include "proposals/terms.h"
#include "proposalsfixture.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QTest>

#include <functional>

using W = ProposalWriter;

namespace {
const QString kCounter = QStringLiteral("TProposalCounter.txt");

CustomerBlock smithRoofing() {
    CustomerBlock c;
    c.account = QStringLiteral("SMITH01");
    c.lines = QStringList{"Smith Roofing", "12 Elm St",   "", "Springfield", "IL", "62701",
                          "555-201-3344",  "555-999-0000"};
    return c;
}

// The writer for Smith Roofing, with a first tax the settings apply.
struct WriterApp : ProposalsApp {
    std::unique_ptr<W> writer;
    RecordingTarget target;

    explicit WriterApp(const QString& rate = QStringLiteral("7.5")) {
        auto settings = std::make_shared<Settings>();
        settings->taxRate1 = rate;
        settings->applyTax1 = true;
        ctx->settings() = *settings;
        writer = std::make_unique<W>(*ctx);
        writer->load(QString());
        writer->activate(smithRoofing());
    }

    // A body by hand with one item: 5 gutter guards at $12.50.
    void writeBody() {
        writer->press(W::StepButton::NextToBody);
        writer->chooseCreation(W::Creation::Manual);
        writer->addHeader();
        writer->typeBody(writer->view().body + QStringLiteral("new gutters."));
        writer->setItemBox(W::ItemField::Description, QStringLiteral("Gutter guard"));
        writer->setItemBox(W::ItemField::Price, QStringLiteral("$12.50"));
        writer->setItemBox(W::ItemField::Quantity, QStringLiteral("5"));
        writer->press(W::ItemButton::Add);
        writer->press(W::StepButton::NextToPricing);
    }
    // $1,000.00 and its tax, in full on 1/15/2027, ready to print.
    void priceInFull() {
        writeBody();
        Pricing& p = writer->pricing();
        p.leavePreAmount(QStringLiteral("1000"));
        p.setTaxApplied(Pricing::Tax::First, true);
        p.chooseOption(Pricing::Option::InFull);
        p.pickDate(QDate(2027, 1, 15));
        writer->press(W::StepButton::NextToFinalize);
        writer->readyToPrint();
    }
};

// A printer that brings a fault on as a job starts.
class FreezingTarget : public RecordingTarget {
public:
    explicit FreezingTarget(std::function<void()> onOpen) : m_onOpen(std::move(onOpen)) {}
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        if (m_onOpen) {
            m_onOpen();
        }
        return RecordingTarget::open(request);
    }

private:
    std::function<void()> m_onOpen;
};

const QList<QByteArray> kStored{golden("writer_header.txt"), golden("writer_body.txt"),
                                golden("payments_one.txt"), golden("financials.txt")};
}  // namespace

class TestWriter : public QObject {
    Q_OBJECT
private slots:
    // Print, confirm, reprint: what each way leaves.
    void printPaths_data() { cases::load(QStringLiteral("proposals/writer_prints.txt")); }
    void printPaths() {
        const cases::Row c = cases::row();
        const bool kept = c.yes(2);
        WriterApp w;
        w.ctx->vars().Copies = 2;
        w.priceInFull();
        expectPrints(w.prompter, c.text(0), 2);
        QCOMPARE(w.writer->printAndRecord(w.target),
                 kept ? W::Stored::Confirmed : W::Stored::Withdrawn);
        QCOMPARE(int(w.target.jobs().size()), c.number(1));
        QCOMPARE(storedFiles(w), kept ? kStored : QList<QByteArray>(4, "(none)"));
        QCOMPARE(w.read(kCounter), kept ? QByteArray("1002\r\n") : QByteArray("1001\r\n"));
        QCOMPARE(w.ctx->vars().ProposalNumber, kept ? 1002 : 1001);
        for (const auto& job : w.target.jobs()) {
            QCOMPARE(job->find("Final Payment of $1,075.00 on or before 1/15/2027").size(), 2);
            QCOMPARE(job->first("Duplicate").page, 2);
            QCOMPARE(job->first(" 5     Gutter guard       $12.50       $62.50").page, 1);
        }
    }

    // The dialog offers the copies of the settings; those it leaves caption
    // the job, and the preview shows the pages the print makes.
    void copiesAndPreview_data() { cases::load(QStringLiteral("proposals/writer_copies.txt")); }
    void copiesAndPreview() {
        const int answered = cases::row().number(0);
        WriterApp w;
        RecordingPreview preview(*w.ctx);
        w.ctx->vars().Copies = 2;
        w.priceInFull();
        w.writer->preview();
        QVERIFY(!w.exists(proposalFiles()[0]));
        w.prompter.expectPrintDialog(true, answered);
        w.prompter.expectQuestion("Did the Proposal Print Correctly", "Print Confirmation",
                                  Buttons::YesNo, Icon::Question, Answer::Yes);
        QCOMPARE(w.writer->printAndRecord(w.target), W::Stored::Confirmed);
        const PrintRequest asked = w.prompter.printRequests().at(0);
        QCOMPARE((QList<int>{asked.copies, asked.allowPageRange, asked.allowPrintToFile}),
                 (QList<int>{2, false, false}));
        const Recording& job = *w.target.jobs().at(0);
        QCOMPARE(job.pages, answered);
        QCOMPARE(job.first(cases::row().text(1)).page, answered);
        QCOMPARE(preview.titles(), QStringList{QStringLiteral("Proposal 1001")});
        if (answered == 2) {
            QCOMPARE(dump(*preview.target().jobs().at(0)), dump(job));
        }
    }

    // A PDF written counts as printed; a save cancelled is a print not made.
    void savedAsPdf() {
        for (const bool saved : {true, false}) {
            WriterApp w;
            w.priceInFull();
            const QString pdf = w.path(QStringLiteral("out/1001.pdf"));
            w.mkdir(QStringLiteral("out"));
            w.prompter.expectSaveFile(QStringLiteral("Save as PDF"), saved ? pdf : QString());
            w.prompter.expectQuestion(
                saved ? "Did the Proposal Print Correctly" : "Would you like to try to Reprint?",
                saved ? "Print Confirmation" : "Print Retry", Buttons::YesNo, Icon::Question,
                saved ? Answer::Yes : Answer::No);
            QCOMPARE(w.writer->saveAsPdfAndRecord(),
                     saved ? W::Stored::Confirmed : W::Stored::Withdrawn);
            QCOMPARE(storedFiles(w), saved ? kStored : QList<QByteArray>(4, "(none)"));
            QCOMPARE(w.read(QStringLiteral("out/1001.pdf")).startsWith("%PDF"), saved);
            QCOMPARE(w.ctx->vars().ProposalNumber, saved ? 1002 : 1001);
            QVERIFY(w.target.jobs().isEmpty());
        }
    }

    // A store or a counter that cannot be written, a withdrawal that cannot
    // delete: each is told, naming its file, and nothing is half done.
    void failures_data() { cases::load(QStringLiteral("proposals/writer_failures.txt")); }
    void failures() {
        const cases::Row c = cases::row();
        const QString frozen = c.text(0);
        const QString answers = c.text(1);
        const int failing = c.number(4);
        WriterApp w;
        w.priceInFull();
        const QString file = failing < 0 ? kCounter : proposalFiles()[failing];
        // The fault comes once the files are stored, as the print starts.
        std::unique_ptr<Frozen> freeze;
        const auto startFault = [&] { freeze = std::make_unique<Frozen>(w.path(frozen)); };
        FreezingTarget target(answers.isEmpty() ? std::function<void()>() : startFault);
        if (answers.isEmpty()) {
            startFault();
        }
        expectPrints(w.prompter, answers);
        const QString reason = failing == 0 ? frozenDeleteReason() : frozenWriteReason();
        w.prompter.expectMessage(IoStatus::failure(w.path(file), reason).message(), kTitle,
                                 Icon::Critical);
        QCOMPARE(w.writer->printAndRecord(target), W::Stored(c.number(2)));
        freeze.reset();
        QCOMPARE(storedFiles(w), c.yes(3) ? kStored : QList<QByteArray>(4, "(none)"));
        QCOMPARE(w.ctx->vars().ProposalNumber, 1001);
    }

    // Once 32767 is confirmed no proposal can be stored, and 32767 stays.
    void lastNumber() {
        WriterApp w;
        w.write(kCounter, "32767\r\n");
        ProposalCounter::loadCurrent(*w.ctx);
        w.priceInFull();
        expectPrints(w.prompter, "PY");
        w.prompter.expectMessage(ProposalCounter::exhaustedMessage(), kTitle, Icon::Exclamation);
        QCOMPARE(w.writer->printAndRecord(w.target), W::Stored::Confirmed);
        const QByteArray stored = w.read(QStringLiteral("TolvarProposals/32767.txt"));
        QVERIFY(stored.startsWith("\"32767\",1075,"));
        w.prompter.expectMessage(ProposalCounter::exhaustedMessage(), kTitle, Icon::Exclamation);
        QCOMPARE(w.writer->printAndRecord(w.target), W::Stored::NotStored);
        QCOMPARE(w.read(QStringLiteral("TolvarProposals/32767.txt")), stored);
        QCOMPARE(w.read(kCounter), QByteArray("32768\r\n"));
        QCOMPARE(w.target.jobs().size(), 1);
    }

    // The rates offered for decimal-comma users tax like the others.
    void decimalCommaRate() {
        WriterApp w(QStringLiteral("7,0"));
        w.writeBody();
        w.writer->pricing().leavePreAmount(QStringLiteral("1000"));
        w.writer->pricing().setTaxApplied(Pricing::Tax::First, true);
        QCOMPARE(w.writer->pricing().view().tax1, QStringLiteral("$70.00"));
    }

    // Clearing the body forgets the item that was in it, so no item tax.
    void clearedBodyHasNoItemTax() {
        WriterApp w;
        w.writeBody();
        QVERIFY(w.writer->pricing().view().schedule.count == 1);
        w.writer->press(W::StepButton::BackToBody);
        QCOMPARE(w.writer->press(W::WriteButton::ClearBody), W::Next::Stay);
        w.writer->typeBody(QStringLiteral("Paint"));
        w.writer->press(W::StepButton::NextToPricing);
        w.writer->pricing().leavePreAmount(QStringLiteral("1000"));
        QVERIFY(!w.writer->pricing().view().taxItemsEnabled);
    }

    void steps_data() { cases::load(QStringLiteral("proposals/writer_steps.txt")); }
    void steps() {
        const QList<int> buttons = cases::row().numbers(0);
        WriterApp w;
        w.prompter.setStrictBeeps(true);
        for (int b : buttons) {
            if (b == 2 && !buttons.contains(-1)) {
                w.prompter.expectBeep();
                w.prompter.expectMessage(W::blankBodyMessage(), kTitle, Icon::None);
            }
            if (b == 4) {
                w.prompter.expectMessage(
                    QStringLiteral("You must enter a Payment Date for each Payment"), kTitle,
                    Icon::None);
            }
            if (b < 0) {
                w.writer->typeBody(QStringLiteral("Paint"));
            } else {
                w.writer->press(W::StepButton(b));
            }
        }
        const W::View v = w.writer->view();
        QCOMPARE((QList<int>{int(v.step), v.instructions, v.changeCustomer}),
                 cases::row().numbers(1));
    }

    void customerBlock_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("usa");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("individual, usa")
            << "Individual" << true
            << QStringList{"Mr. John Q Smith", "4 Elm St",    "", "Bangor", "ME", "04401",
                           "207-555-0111",     "207-555-0199"};
        QTest::newRow("business, international")
            << "Business" << false
            << QStringList{"Smith & Sons Ltd", "4 Elm St",    "", "Bangor", "Maine", "",
                           "207-555-0111",     "207-555-0199"};
    }
    void customerBlock() {
        QFETCH(bool, usa);
        CustomerRecord r = smithRecord();
        r.AccountType = fetched<QString>("type");
        r.MiddleInitial = QStringLiteral("Q");
        r.ZipOrAddress4 = usa ? QStringLiteral("04401") : QStringLiteral("Maine");
        r.CellPhone = QStringLiteral("207-555-0199");
        const CustomerBlock b = CustomerBlock::fromRecord(r, usa);
        QCOMPARE(b.account, QStringLiteral("ACC-7"));
        QTEST(b.lines, "lines");
    }

    // The tools of the body step, one after the other, and what they leave.
    void bodyTools() {
        WriterApp w;
        W& pw = *w.writer;
        pw.toggleJobSite();
        QCOMPARE(w.writer->takeFocus(), (WriterFocus{WriterFocus::SiteName, 0}));
        pw.setSiteLine(1, QStringLiteral("Barn"));
        QCOMPARE(pw.view().site, (QStringList{"Barn", "", "", "", "", "", "", ""}));
        pw.toggleJobSite();
        QCOMPARE(pw.view().site, smithRoofing().lines);
        pw.press(W::StepButton::NextToBody);
        w.prompter.expectMessage(W::noCreationMessage(), kTitle, Icon::None);
        pw.bodyFocused();
        QCOMPARE(pw.view().instructions, 5);
        QVERIFY(!pw.creationCheck());
        QByteArray doc;
        for (int i = 1; i <= 60; ++i) {
            doc += "Line " + QByteArray::number(i) + "\r\n";
        }
        w.write(QStringLiteral("outside/work.txt"), doc);
        w.prompter.expectOpenFile(w.path(QStringLiteral("outside/work.txt")));
        pw.chooseCreation(W::Creation::FromDocument);
        QCOMPARE(pw.view().body.count(QStringLiteral("\r\n")), 49);
        QVERIFY(pw.view().body.endsWith(QStringLiteral("Line 49\r\n")));
        QCOMPARE(pw.takeFocus(), (WriterFocus{WriterFocus::Body, 0}));
        pw.press(W::TaxButton::Clear);
        QCOMPARE(pw.takeFocus(), (WriterFocus{WriterFocus::TaxStatement, 0}));
        pw.setTaxStatement(QStringLiteral("Tax free."));
        pw.press(W::TaxButton::AddToBody);
        pw.press(W::TaxButton::ReloadDefault);
        QCOMPARE(pw.view().taxStatement, BodyText::defaultTaxStatement());
        pw.addTerms();
        QVERIFY(pw.view().body.endsWith(QStringLiteral("Line 49\r\n\r\nTax free.\r\n\r\n") +
                                        Terms::GenericTerms()));
        QCOMPARE(pw.view().terms, (TermsOptions{TermsOptions::Generic, false, false, false}));
        QCOMPARE(pw.press(W::WriteButton::Menu), W::Next::ShowMenu);
        QCOMPARE(pw.press(W::WriteButton::OtherCustomer), W::Next::ShowCustomer);
    }

    void templatesThroughTheWriter() {
        WriterApp w;
        W& pw = *w.writer;
        QVERIFY(!pw.view().templateOption);
        w.write(QStringLiteral("Templates/Proposals/Roof.txt"), "A\r\nB\r\n");
        pw.activate(smithRoofing());
        pw.chooseCreation(W::Creation::FromTemplate);
        QVERIFY(pw.view().templatesFrame);
        pw.cancelTemplates();
        QCOMPARE(pw.view().creation, W::Creation::None);
        pw.chooseCreation(W::Creation::FromTemplate);
        pw.chooseCreation(W::Creation::Manual);
        QVERIFY(!pw.view().templatesFrame);
        pw.chooseCreation(W::Creation::FromTemplate);
        pw.loadTemplate(QStringLiteral("Roof.txt"));
        const W::View v = pw.view();
        QCOMPARE((QList<bool>{v.templatesFrame, v.deleteTemplate, v.saveTemplate}),
                 (QList<bool>{false, true, true}));
        QCOMPARE(v.body, QStringLiteral("A\r\nB\r\n"));
        w.prompter.expectQuestion(QStringLiteral("This will DELETE Template Roof.txt"),
                                  QStringLiteral("Delete Template"), Buttons::YesNo, Icon::Question,
                                  Answer::Yes);
        pw.deleteTemplate(QStringLiteral("Roof.txt"));
        QCOMPARE(pw.view().templates, QStringList());
        QVERIFY(!pw.view().templateOption);
        w.prompter.expectInput(QStringLiteral("Enter a Name for this Template"),
                               QStringLiteral("Save New Template"), QStringLiteral("Gate"));
        QCOMPARE(pw.saveTemplate(), Templates::Saved::Written);
        QCOMPARE(pw.view().templates, QStringList{QStringLiteral("Gate.txt")});
    }

    // An item picked from the list; one typed by hand offered to the inventory.
    void items() {
        WriterApp w;
        w.write(QStringLiteral("TIInventoriedItems.txt"), golden("inventory_three.bin").left(104));
        W& pw = *w.writer;
        pw.load(QString());
        pw.press(W::StepButton::NextToBody);
        pw.bodyFocused();
        QVERIFY(pw.view().itemsMenu);
        pw.toggleItemsFrame();
        pw.chooseItem(QStringLiteral("Gutter guard"));
        QCOMPARE(pw.view().itemBoxes, (ItemBoxes{"Gutter guard", "$12.50", "", ""}));
        QCOMPARE(pw.takeFocus(), (WriterFocus{WriterFocus::ItemQuantity, 0}));
        pw.press(W::ItemButton::Add);
        QCOMPARE(pw.takeFocus(), (WriterFocus{WriterFocus::ItemQuantity, 0}));
        pw.press(W::ItemButton::Manually);
        QCOMPARE(pw.takeFocus(), (WriterFocus{WriterFocus::ItemDescription, 0}));
        pw.setItemBox(W::ItemField::Description, QStringLiteral("Heat cable"));
        pw.setItemBox(W::ItemField::Price, QStringLiteral("4"));
        pw.leaveItemPrice();
        pw.setItemBox(W::ItemField::Quantity, QStringLiteral("10"));
        pw.setItemBox(W::ItemField::Category, QStringLiteral("Gutters"));
        w.prompter.expectQuestion(QStringLiteral("Would you like to add this\r\nitem to your "
                                                 "Inventory?"),
                                  QStringLiteral("Add NewItem"), Buttons::YesNo, Icon::Question,
                                  Answer::Yes);
        pw.press(W::ItemButton::Add);
        QVERIFY(pw.view().addNewFrame);
        QCOMPARE(pw.view().itemBoxes.price, QStringLiteral("$4.00"));
        w.prompter.expectMessage(
            ItemMessages::added(QStringLiteral("Heat cable").leftJustified(50)), kTitle,
            Icon::None);
        w.prompter.expectMessage(ItemMessages::saved(), kTitle, Icon::None);
        pw.press(W::ItemButton::SaveNew);
        QCOMPARE(w.read(QStringLiteral("TIInventoriedItems.txt")).mid(104),
                 golden("inventory_added.bin"));
        QCOMPARE(pw.view().itemBoxes, (ItemBoxes{"", "", "", "Gutters"}));
        QVERIFY(pw.view().body.endsWith(
            QStringLiteral(" 10    Heat cable          $4.00       $40.00")));
        pw.press(W::ItemButton::Close);
        QVERIFY(!pw.view().itemsFrame);
        pw.toggleItemsFrame();
        pw.press(W::StepButton::NextToPricing);
        QVERIFY(!pw.view().itemsFrame && !pw.view().itemsMenu);
    }

    // The print job as the last step's choices stand.
    void printChoices() {
        WriterApp w;
        w.write(QStringLiteral("CustomDisclaimer.txt"), "\"Ours\"\r\n");
        w.ctx->vars().Copies = 4;
        w.writer->load(QStringLiteral("Ours"));
        w.writer->chooseDays(QStringLiteral("45"));
        w.writer->chooseDays(QStringLiteral("44"));
        w.writer->chooseDisclaimer(false);
        w.writer->setPrintSize(W::PrintSize::Largest);
        const ProposalPrintInput in = w.writer->printInput();
        QCOMPARE(w.writer->view().copiesCaption, QStringLiteral("Number of Copies 4"));
        QCOMPARE(in.days, QStringLiteral("45"));
        QCOMPARE(in.customDisclaimer, std::optional<QString>(QStringLiteral("Ours")));
        QCOMPARE((QList<int>{in.copies, in.bodyTextSize, in.paymentOption}),
                 (QList<int>{4, 12, 1}));
        w.writer->load(QString());  // no custom disclaimer to choose
        w.writer->chooseDisclaimer(false);
        QVERIFY(w.writer->view().genericDisclaimer);
    }
};

TOLVAR_TEST(TestWriter)
#include "test_writer.moc"
