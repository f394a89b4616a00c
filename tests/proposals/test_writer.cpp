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

    WriterApp() {
        ctx->settings().taxRate1 = QStringLiteral("7.5");
        ctx->settings().applyTax1 = true;
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

    // One step of a script of writer_scripts.txt: an action, a prompt
    // expected or a check, its arguments split at "|".
    void run(const QStringList& a) {
        W& pw = *writer;
        const QString arg = a.value(1);
        const int n = arg.toInt();
        const QString t1 = QString::fromUtf8(CaseUnescaped(arg.toUtf8()));
        const QString t2 = QString::fromUtf8(CaseUnescaped(a.value(2).toUtf8()));
        const QMap<QString, std::function<void()>> steps{
            {"jobSite", [&] { pw.toggleJobSite(); }},
            {"siteLine", [&] { pw.setSiteLine(n, t2); }},
            {"step", [&] { pw.press(W::StepButton(n)); }},
            {"tax", [&] { pw.press(W::TaxButton(n)); }},
            {"item", [&] { pw.press(W::ItemButton(n)); }},
            {"write", [&] { QCOMPARE(int(pw.press(W::WriteButton(n))), t2.toInt()); }},
            {"bodyFocused", [&] { pw.bodyFocused(); }},
            {"creation", [&] { pw.chooseCreation(W::Creation(n)); }},
            {"creationCheck", [&] { QCOMPARE(pw.creationCheck(), arg == "yes"); }},
            {"taxStatement", [&] { pw.setTaxStatement(t1); }},
            {"addTerms", [&] { pw.addTerms(); }},
            {"typeBody", [&] { pw.typeBody(t1); }},
            {"writeBody", [&] { writeBody(); }},
            {"activate", [&] { pw.activate(smithRoofing()); }},
            {"cancelTemplates", [&] { pw.cancelTemplates(); }},
            {"loadTemplate", [&] { pw.loadTemplate(t1); }},
            {"deleteTemplate", [&] { pw.deleteTemplate(t1); }},
            {"saveTemplate", [&] { QCOMPARE(int(pw.saveTemplate()), n); }},
            {"itemsFrame", [&] { pw.toggleItemsFrame(); }},
            {"chooseItem", [&] { pw.chooseItem(t1); }},
            {"itemBox", [&] { pw.setItemBox(W::ItemField(n), t2); }},
            {"leavePrice", [&] { pw.leaveItemPrice(); }},
            {"load", [&] { pw.load(t1); }},
            {"days", [&] { pw.chooseDays(t1); }},
            {"disclaimer", [&] { pw.chooseDisclaimer(arg == "generic"); }},
            {"size", [&] { pw.setPrintSize(W::PrintSize(n)); }},
            {"preAmount", [&] { pw.pricing().leavePreAmount(t1); }},
            {"copies", [&] { ctx->vars().Copies = n; }},
            {"file", [&] { write(arg, t2.toUtf8()); }},
            {"copy", [&] { write(arg, golden(t2).left(a.value(3).toInt())); }},
            {"message", [&] { prompter.expectMessage(t1, kTitle, Icon::None); }},
            {"quiet", [&] { prompter.setStrictBeeps(true); }},
            {"beep", [&] { prompter.expectBeep(); }},
            {"ask",
             [&] {
                 prompter.expectQuestion(t2, t1, Buttons::YesNo, Icon::Question,
                                         a.value(3) == "yes" ? Answer::Yes : Answer::No);
             }},
            {"input", [&] { prompter.expectInput(t2, t1, a.value(3)); }},
            {"openfile", [&] { prompter.expectOpenFile(path(t1)); }},
            {"focus", [&] { QCOMPARE(focusName(pw.takeFocus()), t1); }},
            {"golden", [&] { QCOMPARE(read(arg).mid(a.value(3).toInt()), golden(t2)); }},
            {"bodyEnds",
             [&] { QVERIFY2(pw.view().body.endsWith(t1), qPrintable(pw.view().body)); }},
            {"view", [&] {
                 const QString want = QString(t2).replace("<generic>", Terms::GenericTerms());
                 QVERIFY2(shown().contains(arg), qPrintable(arg));
                 QCOMPARE(shown().value(arg), want);
             }}};
        QVERIFY2(steps.contains(a.value(0)), qPrintable(a.join(" | ")));
        steps[a.value(0)]();
    }

    // What the writer shows, its pricing step and its print job, by name.
    QMap<QString, QString> shown() {
        const W::View v = writer->view();
        const ItemBoxes& i = v.itemBoxes;
        const TermsOptions& t = v.terms;
        const ProposalPrintInput in = writer->printInput();
        const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
        return {
            {"step", QStringLiteral("%1;%2;%3")
                         .arg(int(v.step))
                         .arg(v.instructions)
                         .arg(yes(v.changeCustomer))},
            {"site", v.site.join(u';')},
            {"instructions", QString::number(v.instructions)},
            {"body", v.body},
            {"creation", QString::number(int(v.creation))},
            {"templateOption", yes(v.templateOption)},
            {"templatesFrame", yes(v.templatesFrame)},
            {"templates", v.templates.join(u';')},
            {"deleteTemplate", yes(v.deleteTemplate)},
            {"saveTemplate", yes(v.saveTemplate)},
            {"terms", QStringLiteral("%1;%2;%3;%4")
                          .arg(int(t.selected))
                          .arg(yes(t.genericEnabled), yes(t.customEnabled), yes(t.addEnabled))},
            {"taxStatement", v.taxStatement},
            {"itemsMenu", yes(v.itemsMenu)},
            {"itemsFrame", yes(v.itemsFrame)},
            {"itemBoxes", QStringList{i.description, i.price, i.quantity, i.category}.join(u';')},
            {"addNewFrame", yes(v.addNewFrame)},
            {"genericDisclaimer", yes(v.genericDisclaimer)},
            {"copiesCaption", v.copiesCaption},
            {"payments", QString::number(writer->pricing().view().schedule.count)},
            {"taxItems", yes(writer->pricing().view().taxItemsEnabled)},
            {"printDays", in.days},
            {"printDisclaimer", in.customDisclaimer.value_or(QStringLiteral("-"))},
            {"printCopies", QString::number(in.copies)},
            {"printSize", QString::number(in.bodyTextSize)},
            {"printOption", QString::number(in.paymentOption)}};
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
    // Print, confirm, reprint, save as PDF: what each way leaves.
    void printPaths_data() { cases::load(QStringLiteral("proposals/writer_prints.txt")); }
    void printPaths() {
        const cases::Row c = cases::row();
        const QString script = c.text(0);
        const bool pdf = script.startsWith(u'S') || script.startsWith(u'X');
        const bool kept = c.yes(2);
        WriterApp w;
        w.ctx->vars().Copies = 2;
        w.priceInFull();
        w.mkdir(QStringLiteral("out"));
        expectPrints(w.prompter, script, 2, w.path(QStringLiteral("out/1001.pdf")));
        QCOMPARE(pdf ? w.writer->saveAsPdfAndRecord() : w.writer->printAndRecord(w.target),
                 kept ? W::Stored::Confirmed : W::Stored::Withdrawn);
        QCOMPARE(int(w.target.jobs().size()), c.number(1));
        QCOMPARE(w.read(QStringLiteral("out/1001.pdf")).startsWith("%PDF"), script[0] == u'S');
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
        expectPrints(w.prompter, "PY", answered);
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
        QCOMPARE(w.read(kCounter), QByteArray("1001\r\n"));
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

    // The tools of the body step, templates, items and the print choices,
    // each a script of steps and checks.
    void scripts_data() {
        QTest::addColumn<QStringList>("steps");
        for (const auto& [name, steps] : blocks(QStringLiteral("writer_scripts.txt"))) {
            QTest::newRow(qPrintable(name)) << steps;
        }
    }
    void scripts() {
        WriterApp w;
        for (const QString& step : fetched<QStringList>("steps")) {
            w.run(listOf(step));
            QVERIFY2(!QTest::currentTestFailed(), qPrintable(step));
        }
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

TOLVAR_TEST(TestWriter)
#include "test_writer.moc"
