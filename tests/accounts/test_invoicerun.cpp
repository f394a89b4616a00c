#include "accounts/invoicerun.h"

#include "accountstest.h"
#include "print/recordingdevice.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <algorithm>
#include <memory>

namespace {
using Pick = ManagePayments::Pick;
using Run = ManagePayments::Run;
using Option = ManagePayments::PrintOption;

// Fails the first job to start when `offline`, then records.
struct OfflineOnce : RecordingTarget {
    bool offline = false;
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        return std::exchange(offline, false) ? nullptr : RecordingTarget::open(request);
    }
    QString error() const override { return "Printer off-line"; }
};

// Fails the n-th write of the run (from 1) and lists every path asked for;
// copies share the count.
struct FailingWrite {
    int failAt = 0;
    std::shared_ptr<QStringList> paths = std::make_shared<QStringList>();
    IoStatus operator()(FileStore& store, const PlannedWrite& w) {
        paths->append(w.path);
        return int(paths->size()) == failAt ? IoStatus::failure(store.fullPath(w.path), "injected")
                                            : applyWrite(store, w);
    }
};

// The invoice number of each job, in order.
QStringList invoiceNumbers(const RecordingTarget& target) {
    QStringList out;
    for (const auto& job : target.jobs()) {
        out << job->startingWith("INVOICE NO: ").text.mid(12);
    }
    return out;
}

// tests/data/accounts/seed-run: 1001, three payments, the first tax; 1002,
// one payment, two taxes; a field proposal and an invoiced one.
struct Fixture {
    TempApp app;
    OfflineOnce target;
    std::unique_ptr<ManagePayments> screen;

    Fixture() {
        app.ctx->settings().taxHeading1 = "Sales Tax";
        app.ctx->settings().taxHeading2 = "City Tax";
        seed(app, "seed-run");
        restart();
    }

    // The screen made anew, as at the next start of the program.
    void restart() { screen = std::make_unique<ManagePayments>(*app.ctx); }
    int rowOf(const QString& number) const {
        const QList<ProposalRow>& rows = screen->view().rows;
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [&](const ProposalRow& r) { return r.number == number; });
        return it == rows.end() ? -1 : int(it - rows.begin());
    }
    Pick pick(const QString& number) {
        return screen->activate() ? screen->pick(rowOf(number)) : Pick::Nothing;
    }
    // The print dialog, then `times` pages answered `answer`.
    void print(int times = 1, Answer answer = Answer::Yes, bool dialog = true) {
        if (dialog) {
            app.prompter.expectPrintDialog();
        }
        for (int i = 0; i < times; ++i) {
            expect(app.prompter, "printed?", answer);
        }
    }
    Files files() const { return snapshot(app.dir.path()); }
};
}  // namespace

class TestInvoiceRun : public QObject {
    Q_OBJECT
private slots:
    void screenView() {
        Fixture f;
        // A torn header is left out rather than invoiced with blank fields.
        f.app.write("TolvarProposals/1005.txt", "\"1005\",10,#2026-11-02#,\"A\"");
        QCOMPARE(f.pick("1001"), Pick::Shown);
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
        QCOMPARE(v.paperFrame, "Perforated Response");
        QCOMPARE(ManagePayments::gridHeadings().join(QLatin1Char('|')),
                 QStringLiteral("Proposal No|Date              |Customer Information        "
                                "                  |Amount          "));

        f.app.ctx->settings().addressStyle = AddressStyle::International;
        QCOMPARE(f.screen->pick(f.rowOf("1002")), Pick::Shown);
        QCOMPARE(v.labels.mid(2, 1) + v.labels.mid(9, 1), (QStringList{"Springfield", "IL"}));
        QVERIFY(!v.blinking && !v.allInvoicesEnabled);
        f.screen->choose(Option::AllInvoices);
        QCOMPARE(v.option, Option::SingleInvoice);
        // A field proposal or an invoiced one: the proposal shown before is
        // no longer the one to print.
        for (Answer a : {Answer::No, Answer::Yes}) {
            expect(f.app.prompter, "field proposal", a);
            QCOMPARE(f.screen->pick(f.rowOf("FP1003")),
                     a == Answer::Yes ? Pick::GoToFinalize : Pick::FieldProposal);
            QCOMPARE(f.app.ctx->vars().SelectedRoutine, a == Answer::Yes ? 6 : 0);
        }
        expect(f.app.prompter, "invoiced");
        QCOMPARE(f.screen->pick(f.rowOf("1004P")), Pick::AlreadyInvoiced);
        QVERIFY(!v.details);
        QCOMPARE(f.screen->print(f.target), Run::NotStarted);

        TempApp none;
        none.mkdir("TolvarProposals");
        expect(none.prompter, "no proposals");
        QVERIFY(!ManagePayments(*none.ctx).activate());
    }

    // A proposal is invoiced only from amounts that are all there and agree:
    // the others are refused on the pick, and nothing is written.
    void refusedPicks_data() { CaseFile::rows("accounts/refused.txt"); }
    void refusedPicks() {
        const QString file = QStringLiteral("TolvarProposals/") + CaseFile::field("file");
        const QByteArray content = CaseFile::field("content").toUtf8();
        const QString reason = CaseFile::field("reason");
        Fixture f;
        if (content.isEmpty()) {
            QFile::remove(f.app.path(file));
        } else {
            f.app.write(file, content);
        }
        const QString number = file.right(8).left(4);
        expect(f.app.prompter, "refused", Answer::Ok,
               {number, reason.arg(QDir::toNativeSeparators(f.app.path(file)))});
        const Files before = f.files();
        QCOMPARE(f.pick(number), Pick::Refused);
        QVERIFY(!f.screen->view().details);
        QCOMPARE(f.screen->print(f.target), Run::NotStarted);
        QCOMPARE(f.files(), before);
    }

    // Every file a run wrote, against the golden folders tests/data/accounts/run-*.
    void runs_data() { CaseFile::rows("accounts/runs.txt"); }
    void runs() {
        const QString number = CaseFile::field("number");
        const Answer onError = CaseFile::answer(CaseFile::field("on error"));
        const int no = CaseFile::number("no");
        const int jobs = CaseFile::number("jobs");
        LocaleScope scope(CaseFile::field("locale"));
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick(number), Pick::Shown);
        f.screen->choose(
            CaseFile::named<Option>(CaseFile::field("option"), {"AllInvoices", "SingleInvoice"}));
        f.print(0);
        f.target.offline = onError != Answer::Ok;
        if (f.target.offline) {
            expect(f.app.prompter, "off-line", onError);
        }
        for (int i = 0; i < no; ++i) {
            f.print(1, Answer::No, false);
            expect(f.app.prompter, "retry");
        }
        f.print(jobs - no, Answer::Yes, false);
        QCOMPARE(f.screen->print(f.target), jobs > 0 ? Run::Completed : Run::NotStarted);
        QCOMPARE(f.target.jobs().size(), jobs);
        QVERIFY(Golden::folderMatches(changed(before, f.files()), CaseFile::field("golden")));
        QCOMPARE(f.rowOf(number) < 0, jobs > 0);
    }

    // The preview draws the pages the run would print, with their numbers,
    // and writes nothing; the print dialog offers no page range or file, and
    // the copies it asks for are pages of each invoice's job.
    void previewThenCopies() {
        Fixture f;
        f.app.ctx->settings().printInColour = false;
        QCOMPARE(f.pick("1001"), Pick::Shown);
        const Files before = f.files();
        RecordingTarget preview;
        QVERIFY(f.screen->drawInvoices(preview));
        QCOMPARE(f.files(), before);
        QCOMPARE(invoiceNumbers(preview),
                 (QStringList{"20260001 - 1", "20260001 - 2", "20260001 - 3"}));

        f.app.prompter.expectPrintDialog(true, 2);
        f.print(3, Answer::Yes, false);
        QCOMPARE(f.screen->print(f.target), Run::Completed);
        const PrintRequest asked = f.app.prompter.printRequests().value(0);
        QVERIFY(!asked.allowPrintToFile && !asked.allowPageRange && !asked.colour);
        QCOMPARE(f.target.jobs().size(), 3);
        for (const auto& job : f.target.jobs()) {
            QCOMPARE(job->pages, 2);
            QCOMPARE(job->find("INVOICE").size(), 2);
        }
        QVERIFY(!f.screen->drawInvoices(preview));
    }

    // Cancel on page 2 of 3 keeps two journal entries and posts nothing else;
    // the next run, after a restart, prints page 3 only and posts what one
    // uninterrupted run posts.
    void cancelledRunGoesOnLater() {
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick("1001"), Pick::Shown);
        f.print(1);
        f.print(1, Answer::Cancel, false);
        expect(f.app.prompter, "stopped");
        QCOMPARE(f.screen->print(f.target), Run::Stopped);
        const Files stopped = changed(before, f.files());
        QCOMPARE(stopped.keys(), (QStringList{"InvoiceSalesJournal.txt", "TIInvoiceNo.txt",
                                              "TIInvoiceRuns/1001.txt"}));
        QCOMPARE(stopped.first(), Golden::read("run-all/InvoiceSalesJournal.txt").left(250));
        QVERIFY(!f.screen->view().singleInvoiceEnabled);

        f.restart();
        expect(f.app.prompter, "goes on");
        QCOMPARE(f.pick("1001"), Pick::Shown);
        f.screen->choose(Option::SingleInvoice);
        f.print(1);
        QCOMPARE(f.screen->print(f.target), Run::Completed);
        QCOMPARE(invoiceNumbers(f.target),
                 (QStringList{"20260001 - 1", "20260001 - 2", "20260001 - 3"}));
        QVERIFY(Golden::folderMatches(changed(before, f.files()), "run-all"));
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
    void unwritableFileStopsTheRunBeforePrinting() {
        for (const char* blocked :
             {"TAHistory.txt", "InvoiceSalesJournal.txt", "TaxRecords.txt", "TIInvoiceNo.txt",
              "TIActiveAccounts/555-2222.txt", "Backup/TIActiveAccounts/555-2222.txt",
              "TIInvoiceRuns/1002.txt"}) {
            Fixture f;
            f.app.mkdir(blocked);
            const Files before = f.files();
            QCOMPARE(f.pick("1002"), Pick::Shown);
            f.print(0);
            expect(f.app.prompter, "in the way", Answer::Ok,
                   {QDir::toNativeSeparators(f.app.path(blocked))});
            QCOMPARE(f.screen->print(f.target), Run::NotStarted);
            QVERIFY(f.target.jobs().isEmpty());
            QCOMPARE(f.files(), before);
        }
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
        QCOMPARE(clean.pick("1002"), Pick::Shown);
        clean.print();
        QCOMPARE(clean.screen->print(clean.target), Run::Completed);
        QCOMPARE(record.paths->size(), 18);

        Fixture f;
        f.screen->setWriteApplier(FailingWrite{failAt});
        QCOMPARE(f.pick("1002"), Pick::Shown);
        f.print(failAt >= 5 ? 1 : 0);
        const QString path = f.app.ctx->store().fullPath(record.paths->at(failAt - 1));
        expect(f.app.prompter, "failed", Answer::Ok,
               {IoStatus::failure(path, "injected").message()});
        QVERIFY(f.screen->print(f.target) != Run::Completed);

        f.restart();
        if (failAt >= 11) {
            expect(f.app.prompter, "posting completed");
            QVERIFY(f.screen->activate() && f.rowOf("1002P") >= 0);
        } else {
            if (failAt >= 6) {
                expect(f.app.prompter, "posts only");
            } else {
                f.print();
            }
            QCOMPARE(f.pick("1002"), Pick::Shown);
            QCOMPARE(f.screen->print(f.target), Run::Completed);
        }
        QCOMPARE(f.target.jobs().size(), failAt == 5 ? 2 : 1);
        QCOMPARE(f.files(), clean.files());
    }
};

TOLVAR_TEST(TestInvoiceRun)
#include "test_invoicerun.moc"
