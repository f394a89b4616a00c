#include "accounts/invoicerun.h"

#include "accountstest.h"
#include "print/recordingdevice.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
using Pick = ManagePayments::Pick;
using Run = ManagePayments::Run;
using Option = ManagePayments::PrintOption;

QByteArray header(const char* number, const char* price, const char* account) {
    return QByteArray("\"") + number + "\"," + price + ",#2026-11-02#,\"" + account +
           "\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\",\"62701\",\"555-1234\","
           "\"Lake House\",\"1 Shore Rd\",\"\",\"Lakeside\",\"IL\",\"62702\",\"555-0001\"\r\n";
}

// Fails the first job to start when `offline`, then records.
struct OfflineOnce : RecordingTarget {
    bool offline = false;
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        return std::exchange(offline, false) ? nullptr : RecordingTarget::open(request);
    }
    QString error() const override { return QStringLiteral("Printer off-line"); }
};

// Fails the n-th write of the run (from 1) and lists every path asked for;
// copies share the count.
struct FailingWrite {
    int failAt = 0;
    std::shared_ptr<QStringList> paths = std::make_shared<QStringList>();
    IoStatus operator()(FileStore& store, const PlannedWrite& w) {
        paths->append(w.path);
        return int(paths->size()) == failAt
                   ? IoStatus::failure(store.fullPath(w.path), QStringLiteral("injected"))
                   : applyWrite(store, w);
    }
};

// 1001: three payments, the first tax; 1002: one payment, two taxes; a field
// proposal and an invoiced one.
struct Fixture {
    TempApp app;
    OfflineOnce target;
    std::unique_ptr<ManagePayments> screen;

    Fixture() {
        auto settings = std::make_shared<Settings>();
        settings->taxHeading1 = QStringLiteral("Sales Tax");
        settings->taxHeading2 = QStringLiteral("City Tax");
        app.ctx->settings() = *settings;
        for (const auto& [file, bytes] : std::initializer_list<std::pair<const char*, QByteArray>>{
                 {"1001.txt", header("1001", "1075", "555-1234")},
                 {"ProposalPayments/1001.txt",
                  "$1,075.00\r\n3\r\n$300.00\r\n12/1/2026\r\n$375.00\r\n12/15/2026\r\n$400.00\r\n"
                  "1/5/2027\r\n"},
                 {"ProposalFinancials/1001.txt", "$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n"},
                 {"1002.txt", header("1002", "400", "555-2222")},
                 {"ProposalPayments/1002.txt", "$400.00\r\n 1 \r\n$400.00\r\n11/30/2026\r\n"},
                 {"ProposalFinancials/1002.txt", "$360.00\r\n$400.00\r\n$30.00\r\n$10.00\r\n"},
                 {"1003.txt", header("FP1003", "0", "ACC-3")},
                 {"1004.txt", header("1004P", "9", "555-4444")}}) {
            app.write(QStringLiteral("TolvarProposals/") + QLatin1String(file), bytes);
        }
        restart();
    }

    // The screen made anew, as at the next start of the program.
    void restart() { screen = std::make_unique<ManagePayments>(*app.ctx); }
    int rowOf(const QString& number) const {
        const QList<ProposalRow>& rows = screen->view().rows;
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).number == number) {
                return i;
            }
        }
        return -1;
    }
    Pick pick(const QString& number) {
        return screen->activate() ? screen->pick(rowOf(number)) : Pick::Nothing;
    }
    void say(const QString& text, Icon icon = Icon::None) { expectSay(app.prompter, text, icon); }
    // The print dialog, then `times` pages answered `answer`.
    void print(int times = 1, Answer answer = Answer::Yes, bool dialog = true) {
        if (dialog) {
            app.prompter.expectPrintDialog();
        }
        for (int i = 0; i < times; ++i) {
            app.prompter.expectQuestion(QStringLiteral("Was the Invoice Printed Correctly?"),
                                        QStringLiteral("Print Confirmation"), Buttons::YesNoCancel,
                                        Icon::Exclamation, answer);
        }
    }
    Files files() const { return snapshot(app.dir.path()); }
};
}  // namespace

Q_DECLARE_METATYPE(Option)

class TestInvoiceRun : public QObject {
    Q_OBJECT
private slots:
    void screenView() {
        Fixture f;
        // A torn header is left out rather than invoiced with blank fields.
        f.app.write(QStringLiteral("TolvarProposals/1005.txt"), "\"1005\",10,#2026-11-02#,\"A\"");
        QCOMPARE(f.pick(QStringLiteral("1001")), Pick::Shown);
        const ManagePayments::View& v = f.screen->view();
        QCOMPARE(v.rows, (QList<ProposalRow>{{"1001", "11/2/2026", "Jane Doe", "$1,075.00"},
                                             {"1002", "11/2/2026", "Jane Doe", "$400.00"},
                                             {"FP1003", "11/2/2026", "Jane Doe", "$0.00"},
                                             {"1004P", "11/2/2026", "Jane Doe", "$9.00"}}));
        QCOMPARE(v.labels,
                 (QStringList{"Jane Doe", "12 Oak St", "Springfield, IL", "555-1234", "11/2/2026",
                              "$1,075.00", "3", "If invoice due date is later than today,", "",
                              "62701", "it will not show in reports until due date"}));
        // Today is 12/5/2026: the first payment is due, the others later.
        QCOMPARE(v.payments, (QList<ManagePayments::PaymentLine>{
                                 {"12/1/2026", "$300.00", ManagePayments::DateInk},
                                 {"12/15/2026", "$375.00", ManagePayments::Red},
                                 {"1/5/2027", "$400.00", ManagePayments::Red}}));
        QVERIFY(v.blinking && v.warningInk == ManagePayments::Red);
        f.screen->tick();
        QVERIFY(!v.warningShown);
        f.screen->clickWarning();
        f.screen->tick();
        QVERIFY(v.warningShown && v.option == Option::AllInvoices);
        f.screen->setUseRemittance(true);
        QCOMPARE(v.paperFrame, QStringLiteral("Perforated Response"));
        QCOMPARE(ManagePayments::gridHeadings().join(QLatin1Char('|')),
                 QStringLiteral("Proposal No|Date              |Customer Information        "
                                "                  |Amount          "));

        f.app.ctx->settings().addressStyle = AddressStyle::International;
        QCOMPARE(f.screen->pick(f.rowOf(QStringLiteral("1002"))), Pick::Shown);
        QCOMPARE(v.labels.mid(2, 1) + v.labels.mid(9, 1), (QStringList{"Springfield", "IL"}));
        QVERIFY(!v.blinking && !v.allInvoicesEnabled);
        f.screen->choose(Option::AllInvoices);
        QCOMPARE(v.option, Option::SingleInvoice);
        // A field proposal or an invoiced one: the proposal shown before is
        // no longer the one to print.
        const QString fp = QStringLiteral(
            "This Proposal is a Field Proposal\r\nYou can Print Invoices after it has been "
            "finalized\r\nWould you like to Finalize it now?");
        for (Answer a : {Answer::No, Answer::Yes}) {
            f.app.prompter.expectQuestion(fp, QStringLiteral("Tolvar Proposals"), Buttons::YesNo,
                                          Icon::Question, a);
            QCOMPARE(f.screen->pick(f.rowOf(QStringLiteral("FP1003"))),
                     a == Answer::Yes ? Pick::GoToFinalize : Pick::FieldProposal);
            QCOMPARE(f.app.ctx->vars().SelectedRoutine, a == Answer::Yes ? 6 : 0);
        }
        f.say(QStringLiteral("Invoices for this Proposal \r\nHave been printed"));
        QCOMPARE(f.screen->pick(f.rowOf(QStringLiteral("1004P"))), Pick::AlreadyInvoiced);
        QVERIFY(!v.details);
        QCOMPARE(f.screen->print(f.target), Run::NotStarted);

        TempApp none;
        none.mkdir(QStringLiteral("TolvarProposals"));
        expectSay(none.prompter, QStringLiteral("No Proposals Exist"));
        QVERIFY(!ManagePayments(*none.ctx).activate());
    }

    // A proposal is invoiced only from amounts that are all there and agree:
    // the others are refused on the pick, and nothing is written.
    void refusedPicks_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // empty: removed
        QTest::addColumn<QString>("reason");      // %1: the file
        const auto row = [](const char* name, const char* file, const char* content,
                            const char* reason) {
            QTest::newRow(name) << QStringLiteral("TolvarProposals/") + QLatin1String(file)
                                << QByteArray(content) << QString::fromLatin1(reason);
        };
        row("financials missing", "ProposalFinancials/1001.txt", "", "The file %1 was not found");
        row("financials empty", "ProposalFinancials/1001.txt", "\r\n",
            "The file %1 does not hold its amounts");
        row("$200 + $250 against $400", "ProposalPayments/1002.txt",
            "$400.00\r\n2\r\n$200.00\r\n12/1/2026\r\n$250.00\r\n12/9/2026\r\n",
            "The payments in %1 add up to $450.00, not to its total of $400.00");
    }
    void refusedPicks() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Fixture f;
        if (content.isEmpty()) {
            QFile::remove(f.app.path(file));
        } else {
            f.app.write(file, content);
        }
        const QString number = file.right(8).left(4);
        f.say(QStringLiteral("Invoices for Proposal %1 cannot be printed\r\n").arg(number) +
                  reason.arg(QDir::toNativeSeparators(f.app.path(file))),
              Icon::Exclamation);
        const Files before = f.files();
        QCOMPARE(f.pick(number), Pick::Refused);
        QVERIFY(!f.screen->view().details);
        QCOMPARE(f.screen->print(f.target), Run::NotStarted);
        QCOMPARE(f.files(), before);
    }

    // Every file a run wrote, against the golden folders tests/data/accounts/run-*.
    void runs_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("number");
        QTest::addColumn<Option>("option");
        QTest::addColumn<Answer>("onError");  // to a printer off-line; Ok: none
        QTest::addColumn<int>("no");          // pages answered No before Yes
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("golden");
        const auto row = [](const char* name, const char* locale, const char* number, Option option,
                            Answer onError, int no, int jobs, const char* golden) {
            QTest::newRow(name) << QString::fromLatin1(locale) << QString::fromLatin1(number)
                                << option << onError << no << jobs << QString::fromLatin1(golden);
        };
        const Option all = Option::AllInvoices;
        const Option one = Option::SingleInvoice;
        row("three", "en_US", "1001", all, Answer::Ok, 0, 3, "run-all");
        row("three, de_DE", "de_DE", "1001", all, Answer::Ok, 0, 3, "run-all");
        // A single invoice shows the whole price, so that is what it bills.
        row("single", "en_US", "1001", one, Answer::Ok, 0, 1, "run-single");
        row("two taxes", "en_US", "1002", one, Answer::Ok, 0, 1, "run-taxes");
        row("No twice", "en_US", "1002", one, Answer::Ok, 2, 3, "run-taxes");
        row("off-line, retried", "en_US", "1002", one, Answer::Retry, 0, 1, "run-taxes");
        // Nothing printed, nothing posted; the counter is rewritten at every start.
        row("off-line, cancelled", "en_US", "1002", one, Answer::Cancel, 0, 0, "run-cancelled");
    }
    void runs() {
        QFETCH(QString, locale);
        QFETCH(QString, number);
        QFETCH(Answer, onError);
        QFETCH(int, no);
        QFETCH(int, jobs);
        LocaleScope scope(locale);
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick(number), Pick::Shown);
        QFETCH(Option, option);
        f.screen->choose(option);
        f.print(0);
        f.target.offline = onError != Answer::Ok;
        if (f.target.offline) {
            f.app.prompter.expectQuestion(
                QStringLiteral("Invoice 20260001 could not be printed\r\nPrinter off-line"),
                QStringLiteral("Print Error"), Buttons::RetryCancel, Icon::Critical, onError);
        }
        for (int i = 0; i < no; ++i) {
            f.print(1, Answer::No, false);
            f.app.prompter.expectMessage(
                QStringLiteral("Correct the printing problem and click OK"),
                QStringLiteral("Retry Printing"), Icon::None);
        }
        f.print(jobs - no, Answer::Yes, false);
        QCOMPARE(f.screen->print(f.target), jobs > 0 ? Run::Completed : Run::NotStarted);
        QCOMPARE(f.target.jobs().size(), jobs);
        QFETCH(QString, golden);
        QVERIFY(Golden::folderMatches(changed(before, f.files()), golden));
        QCOMPARE(f.rowOf(number) < 0, jobs > 0);
    }

    // The preview draws the pages the run would print, with their numbers,
    // and writes nothing; the print dialog offers no page range or file, and
    // the copies it asks for are pages of each invoice's job.
    void previewThenCopies() {
        Fixture f;
        f.app.ctx->settings().printInColour = false;
        QCOMPARE(f.pick(QStringLiteral("1001")), Pick::Shown);
        const Files before = f.files();
        RecordingTarget preview;
        QVERIFY(f.screen->drawInvoices(preview));
        QCOMPARE(f.files(), before);
        QStringList numbers;
        for (const auto& job : preview.jobs()) {
            numbers << job->startingWith(QStringLiteral("INVOICE NO: ")).text.mid(12);
        }
        QCOMPARE(numbers, (QStringList{"20260001 - 1", "20260001 - 2", "20260001 - 3"}));

        f.app.prompter.expectPrintDialog(true, 2);
        f.print(3, Answer::Yes, false);
        QCOMPARE(f.screen->print(f.target), Run::Completed);
        const PrintRequest asked = f.app.prompter.printRequests().value(0);
        QVERIFY(!asked.allowPrintToFile && !asked.allowPageRange && !asked.colour);
        QCOMPARE(f.target.jobs().size(), 3);
        for (const auto& job : f.target.jobs()) {
            QCOMPARE(job->pages, 2);
            QCOMPARE(job->find(QStringLiteral("INVOICE")).size(), 2);
        }
        QVERIFY(!f.screen->drawInvoices(preview));
    }

    // Cancel on page 2 of 3 keeps two journal entries and posts nothing else;
    // the next run, after a restart, prints page 3 only and posts what one
    // uninterrupted run posts.
    void cancelledRunGoesOnLater() {
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick(QStringLiteral("1001")), Pick::Shown);
        f.print(1);
        f.print(1, Answer::Cancel, false);
        f.say(
            QStringLiteral("2 invoice(s) were Printed\r\nRemaining Invoices will not be printed"));
        QCOMPARE(f.screen->print(f.target), Run::Stopped);
        const Files stopped = changed(before, f.files());
        QCOMPARE(stopped.keys(), (QStringList{"InvoiceSalesJournal.txt", "TIInvoiceNo.txt",
                                              "TIInvoiceRuns/1001.txt"}));
        QCOMPARE(stopped.first(), Golden::read("run-all/InvoiceSalesJournal.txt").left(250));
        QVERIFY(!f.screen->view().singleInvoiceEnabled);

        f.restart();
        f.say(QStringLiteral("2 invoice(s) of this Proposal were Printed before\r\nPrinting "
                             "goes on with Invoice 3"),
              Icon::Information);
        QCOMPARE(f.pick(QStringLiteral("1001")), Pick::Shown);
        f.screen->choose(Option::SingleInvoice);
        f.print(1);
        QCOMPARE(f.screen->print(f.target), Run::Completed);
        QStringList printed;
        for (const auto& job : f.target.jobs()) {
            printed << job->startingWith(QStringLiteral("INVOICE NO: ")).text.mid(12);
        }
        QCOMPARE(printed, (QStringList{"20260001 - 1", "20260001 - 2", "20260001 - 3"}));
        QVERIFY(Golden::folderMatches(changed(before, f.files()), QStringLiteral("run-all")));
    }

    // A run record with nothing left to write is no interrupted run: it is left alone.
    void runRecordWithNothingPendingIsLeftAlone() {
        Fixture f;
        f.app.write("TIInvoiceRuns/1002.txt",
                    "\"1002.txt\",\"555-2222\",#2026-11-02#,"
                    "\"20260001\",#FALSE#,1,#TRUE#\r\n0\r\n");
        const Files before = f.files();
        QVERIFY(f.screen->activate());
        QCOMPARE(f.files(), before);
    }

    // Every file is checked before the first page prints.
    void unwritableFileStopsTheRunBeforePrinting_data() {
        QTest::addColumn<QString>("blocked");
        for (const char* file :
             {"TAHistory.txt", "InvoiceSalesJournal.txt", "TaxRecords.txt", "TIInvoiceNo.txt",
              "TIActiveAccounts/555-2222.txt", "Backup/TIActiveAccounts/555-2222.txt",
              "TIInvoiceRuns/1002.txt"}) {
            QTest::newRow(file) << QString::fromLatin1(file);
        }
    }
    void unwritableFileStopsTheRunBeforePrinting() {
        QFETCH(QString, blocked);
        Fixture f;
        f.app.mkdir(blocked);
        const Files before = f.files();
        QCOMPARE(f.pick(QStringLiteral("1002")), Pick::Shown);
        f.print(0);
        f.say(QStringLiteral("The file %1 could not be used: a folder of that name is in the way")
                  .arg(QDir::toNativeSeparators(f.app.path(blocked))),
              Icon::Critical);
        QCOMPARE(f.screen->print(f.target), Run::NotStarted);
        QVERIFY(f.target.jobs().isEmpty());
        QCOMPARE(f.files(), before);
    }

    // A run that fails at any one of its writes, or ends there with the
    // program, is completed by the next attempt: printed again only when no
    // page was confirmed, and posting what one run that did not fail posts.
    void everyWriteFailingInTurn_data() {
        QTest::addColumn<int>("failAt");
        // The 18 writes of a run of 1002: its record and the counter (1-4),
        // the confirmed page (5-9), the postings (10-18).
        for (int k = 1; k <= 18; ++k) {
            QTest::addRow("write %d", k) << k;
        }
    }
    void everyWriteFailingInTurn() {
        QFETCH(int, failAt);
        const FailingWrite record;
        Fixture clean;
        clean.screen->setWriteApplier(record);
        QCOMPARE(clean.pick(QStringLiteral("1002")), Pick::Shown);
        clean.print();
        QCOMPARE(clean.screen->print(clean.target), Run::Completed);
        QCOMPARE(record.paths->size(), 18);

        Fixture f;
        f.screen->setWriteApplier(FailingWrite{failAt});
        QCOMPARE(f.pick(QStringLiteral("1002")), Pick::Shown);
        f.print(failAt >= 5 ? 1 : 0);
        const QString path = f.app.ctx->store().fullPath(record.paths->at(failAt - 1));
        f.say(IoStatus::failure(path, QStringLiteral("injected")).message(), Icon::Critical);
        QVERIFY(f.screen->print(f.target) != Run::Completed);

        f.restart();
        if (failAt >= 11) {
            f.say(QStringLiteral("The interrupted posting of the Invoices for Proposal 1002 has "
                                 "been completed"),
                  Icon::Information);
            QVERIFY(f.screen->activate() && f.rowOf(QStringLiteral("1002P")) >= 0);
        } else {
            if (failAt >= 6) {
                f.say(
                    QStringLiteral("The Invoices of this Proposal were Printed before\r\nPrinting "
                                   "posts them without printing them again"),
                    Icon::Information);
            } else {
                f.print();
            }
            QCOMPARE(f.pick(QStringLiteral("1002")), Pick::Shown);
            QCOMPARE(f.screen->print(f.target), Run::Completed);
        }
        QCOMPARE(f.target.jobs().size(), failAt == 5 ? 2 : 1);
        QCOMPARE(f.files(), clean.files());
    }
};

TOLVAR_TEST(TestInvoiceRun)
#include "test_invoicerun.moc"
