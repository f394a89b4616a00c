#include "accounts/invoicerun.h"

#include "accountstest.h"
#include "print/recordingdevice.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kFinancials1001 = QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt");
const QString kPayments1002 = QStringLiteral("TolvarProposals/ProposalPayments/1002.txt");

QByteArray header(const char* number, const char* price, const char* account) {
    return QByteArray("\"") + number + "\"," + price + ",#2026-11-02#\r\n\"" + account +
           "\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n"
           "\"62701\"\r\n\"555-1234\"\r\n\"Lake House\"\r\n\"1 Shore Rd\"\r\n\"\"\r\n"
           "\"Lakeside\"\r\n\"IL\"\r\n\"62702\"\r\n\"555-0001\"\r\n";
}

struct Fixture {
    TempApp app;
    RecordingTarget target;
    std::unique_ptr<ManagePayments> screen;

    Fixture() {
        auto settings = std::make_shared<Settings>();
        settings->taxHeading1 = QStringLiteral("Sales Tax");
        settings->taxHeading2 = QStringLiteral("City Tax");
        app.ctx->settings = settings;
        app.ctx->vars().BusinessData[0] = QStringLiteral("Acme Roofing");
        // Three payments, the first tax only.
        app.write(QStringLiteral("TolvarProposals/1001.txt"), header("1001", "1075", "555-1234"));
        app.write(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt"),
                  "$1,075.00\r\n3\r\n$300.00\r\n12/1/2026\r\n$375.00\r\n12/15/2026\r\n$400.00\r\n"
                  "1/5/2027\r\n");
        app.write(kFinancials1001, "$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n");
        // One payment, two taxes.
        app.write(QStringLiteral("TolvarProposals/1002.txt"), header("1002", "400", "555-2222"));
        app.write(kPayments1002, "$400.00\r\n 1 \r\n$400.00\r\n11/30/2026\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalFinancials/1002.txt"),
                  "$360.00\r\n$400.00\r\n$30.00\r\n$10.00\r\n");
        app.write(QStringLiteral("TolvarProposals/1003.txt"), header("FP1003", "0", "ACC-3"));
        app.write(QStringLiteral("TolvarProposals/1004.txt"), header("1004P", "9", "555-4444"));
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
    ManagePayments::Pick pick(const char* number) {
        return screen->activate() ? screen->pick(rowOf(QLatin1String(number)))
                                  : ManagePayments::Pick::Nothing;
    }
    void confirm(Answer answer, int times = 1) {
        for (int i = 0; i < times; ++i) {
            app.prompter.expectQuestion(QStringLiteral("Was the Invoice Printed Correctly?"),
                                        QStringLiteral("Print Confirmation"), Buttons::YesNoCancel,
                                        Icon::Exclamation, answer);
        }
    }
    void expectProblem(const QString& text) {
        app.prompter.expectMessage(text, kTitle, Icon::Exclamation);
    }
    Files files() const { return snapshot(app.dir.path()); }
    QStringList printedNumbers() const {
        QStringList out;
        for (const auto& job : target.jobs()) {
            out << job->startingWith(QStringLiteral("INVOICE NO: ")).text.mid(12);
        }
        return out;
    }
};

// Fails the first job to start when `offline`, then records.
struct OfflineOnce : RecordingTarget {
    bool offline = false;
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        if (std::exchange(offline, false)) {
            return nullptr;
        }
        return RecordingTarget::open(request);
    }
    QString error() const override { return QStringLiteral("Printer off-line"); }
};

// A write applier that fails the n-th write of the run (counted from 1) and
// lists the paths of all it is asked for. Copies share the count.
struct FailingWrite {
    explicit FailingWrite(int failAt) : failAt(failAt) {}
    IoStatus operator()(FileStore& store, const PlannedWrite& w) {
        paths->append(w.path);
        if (int(paths->size()) == failAt) {
            return IoStatus::failure(store.fullPath(w.path), QStringLiteral("injected"));
        }
        return applyWrite(store, w);
    }
    int failAt;
    std::shared_ptr<QStringList> paths = std::make_shared<QStringList>();
};
}  // namespace

Q_DECLARE_METATYPE(ManagePayments::Pick)
Q_DECLARE_METATYPE(ManagePayments::PrintOption)
Q_DECLARE_METATYPE(ManagePayments::Run)

class TestInvoiceRun : public QObject {
    Q_OBJECT
private slots:
    void tableOfStoredProposals() {
        Fixture f;
        // A torn header is left out rather than invoiced with blank fields.
        f.app.write(QStringLiteral("TolvarProposals/1005.txt"), "\"1005\",10,#2026-11-02#,\"A\"");
        QVERIFY(f.screen->activate());
        QCOMPARE(f.screen->view().rows,
                 (QList<ProposalRow>{{"1001", "11/2/2026", "Jane Doe", "$1,075.00"},
                                     {"1002", "11/2/2026", "Jane Doe", "$400.00"},
                                     {"FP1003", "11/2/2026", "Jane Doe", "$0.00"},
                                     {"1004P", "11/2/2026", "Jane Doe", "$9.00"}}));
        QCOMPARE(
            ManagePayments::gridHeadings(),
            (QStringList{"Proposal No", "Date              ",
                         "Customer Information                          ", "Amount          "}));
        f.screen->setUseRemittance(true);
        QCOMPARE(f.screen->view().paperFrame, QStringLiteral("Perforated Response"));

        TempApp empty;
        empty.mkdir(QStringLiteral("TolvarProposals"));
        empty.prompter.expectMessage(QStringLiteral("No Proposals Exist"), kTitle, Icon::None);
        QVERIFY(!ManagePayments(*empty.ctx).activate());
    }

    void fieldAndInvoicedProposals_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<ManagePayments::Pick>("outcome");
        QTest::newRow("field proposal, finalize now")
            << "FP1003" << Answer::Yes << ManagePayments::Pick::GoToFinalize;
        QTest::newRow("field proposal, not now")
            << "FP1003" << Answer::No << ManagePayments::Pick::FieldProposal;
        QTest::newRow("already invoiced")
            << "1004P" << Answer::Ok << ManagePayments::Pick::AlreadyInvoiced;
    }
    void fieldAndInvoicedProposals() {
        QFETCH(QString, number);
        QFETCH(Answer, answer);
        QFETCH(ManagePayments::Pick, outcome);
        Fixture f;
        QCOMPARE(f.pick("1001"), ManagePayments::Pick::Shown);
        if (answer == Answer::Ok) {
            f.app.prompter.expectMessage(
                QStringLiteral("Invoices for this Proposal \r\nHave been printed"), kTitle,
                Icon::None);
        } else {
            f.app.prompter.expectQuestion(
                QStringLiteral("This Proposal is a Field Proposal\r\nYou can Print Invoices after "
                               "it has been finalized\r\nWould you like to Finalize it now?"),
                kTitle, Buttons::YesNo, Icon::Question, answer);
        }
        QCOMPARE(f.screen->pick(f.rowOf(number)), outcome);
        QCOMPARE(f.app.ctx->vars().SelectedRoutine, answer == Answer::Yes ? 6 : 0);
        // The proposal shown before is no longer the one to print.
        QVERIFY(!f.screen->view().details);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
    }

    void detailsOfThePickedProposal() {
        Fixture f;
        QCOMPARE(f.pick("1001"), ManagePayments::Pick::Shown);
        const ManagePayments::View& v = f.screen->view();
        QCOMPARE(v.labels,
                 (QStringList{"Jane Doe", "12 Oak St", "Springfield, IL", "555-1234", "11/2/2026",
                              "$1,075.00", "3", "If invoice due date is later than today,", "",
                              "62701", "it will not show in reports until due date"}));
        // Today is 12/5/2026: the first payment is due, the others later.
        QCOMPARE(v.payments, (QList<ManagePayments::PaymentLine>{
                                 {"12/1/2026", "$300.00", ManagePayments::DateInk},
                                 {"12/15/2026", "$375.00", ManagePayments::Red},
                                 {"1/5/2027", "$400.00", ManagePayments::Red}}));
        QCOMPARE(v.warningInk, ManagePayments::Red);
        QVERIFY(v.blinking);
        f.screen->tick();
        QVERIFY(!v.warningShown);
        f.screen->clickWarning();
        f.screen->tick();
        QVERIFY(v.warningShown);
        QCOMPARE(v.option, ManagePayments::PrintOption::AllInvoices);

        f.app.ctx->settings->addressStyle = AddressStyle::International;
        QCOMPARE(f.screen->pick(f.rowOf(QStringLiteral("1002"))), ManagePayments::Pick::Shown);
        QCOMPARE(v.labels.mid(2, 1) + v.labels.mid(9, 1), (QStringList{"Springfield", "IL"}));
        QVERIFY(!v.blinking);
        QVERIFY(!v.allInvoicesEnabled);
        f.screen->choose(ManagePayments::PrintOption::AllInvoices);
        QCOMPARE(v.option, ManagePayments::PrintOption::SingleInvoice);
    }

    // Nothing is invoiced from amounts that are missing or do not agree.
    void refusedProposals_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // empty: the file is removed
        QTest::addColumn<QString>("reason");      // %1: the file
        QTest::newRow("financials missing")
            << kFinancials1001 << QByteArray() << QStringLiteral("The file %1 was not found");
        QTest::newRow("financials empty")
            << kFinancials1001 << QByteArray("\r\n")
            << QStringLiteral("The file %1 does not hold its amounts");
        QTest::newRow("payments not adding up")
            << kPayments1002
            << QByteArray("$400.00\r\n2\r\n$200.00\r\n12/1/2026\r\n$250.00\r\n12/9/2026\r\n")
            << QStringLiteral("The payments in %1 add up to $450.00, not to its total of $400.00");
    }
    void refusedProposals() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Fixture f;
        if (content.isEmpty()) {
            QVERIFY(QFile::remove(f.app.path(file)));
        } else {
            f.app.write(file, content);
        }
        const QString number = file.endsWith(QLatin1String("1001.txt")) ? "1001" : "1002";
        f.expectProblem(
            QStringLiteral("Invoices for Proposal %1 cannot be printed\r\n").arg(number) +
            reason.arg(QDir::toNativeSeparators(f.app.path(file))));
        const Files before = f.files();
        QCOMPARE(f.pick(qPrintable(number)), ManagePayments::Pick::Refused);
        QVERIFY(!f.screen->view().details);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
        QCOMPARE(f.files(), before);
    }

    // Golden folders tests/data/accounts/run-*: every file the run wrote.
    void completeRuns_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("number");
        QTest::addColumn<ManagePayments::PrintOption>("option");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QString>("golden");
        const QStringList three{"20260001 - 1", "20260001 - 2", "20260001 - 3"};
        QTest::newRow("all three")
            << "en_US"
            << "1001" << ManagePayments::PrintOption::AllInvoices << three << "run-all";
        QTest::newRow("all three, de_DE")
            << "de_DE"
            << "1001" << ManagePayments::PrintOption::AllInvoices << three << "run-all";
        // A single invoice shows the whole price, so that is what it bills.
        QTest::newRow("single for a schedule")
            << "en_US"
            << "1001" << ManagePayments::PrintOption::SingleInvoice << QStringList{"20260001"}
            << "run-single";
        QTest::newRow("one payment, two taxes")
            << "en_US"
            << "1002" << ManagePayments::PrintOption::SingleInvoice << QStringList{"20260001"}
            << "run-taxes";
    }
    void completeRuns() {
        QFETCH(QString, locale);
        QFETCH(QString, number);
        QFETCH(ManagePayments::PrintOption, option);
        QFETCH(QStringList, printed);
        QFETCH(QString, golden);
        LocaleScope scope(locale);
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick(qPrintable(number)), ManagePayments::Pick::Shown);
        f.screen->choose(option);
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes, int(printed.size()));
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QCOMPARE(f.printedNumbers(), printed);
        QVERIFY(Golden::folderMatches(changed(before, f.files()), golden));
        QCOMPARE(f.rowOf(number), -1);
    }

    // Pages printed again as often as asked are posted once; a printer that
    // fails may be retried.
    void reprintedPages_data() {
        QTest::addColumn<int>("offline");     // jobs that fail to start
        QTest::addColumn<Answer>("onError");  // Retry or Cancel
        QTest::addColumn<int>("no");          // pages answered No before Yes
        QTest::addColumn<ManagePayments::Run>("result");
        QTest::newRow("No twice, then Yes")
            << 0 << Answer::Retry << 2 << ManagePayments::Run::Completed;
        QTest::newRow("off-line, retried")
            << 1 << Answer::Retry << 0 << ManagePayments::Run::Completed;
        QTest::newRow("off-line, cancelled")
            << 1 << Answer::Cancel << 0 << ManagePayments::Run::NotStarted;
    }
    void reprintedPages() {
        QFETCH(int, offline);
        QFETCH(Answer, onError);
        QFETCH(int, no);
        QFETCH(ManagePayments::Run, result);
        Fixture f;
        OfflineOnce target;
        target.offline = offline > 0;
        const Files before = f.files();
        QCOMPARE(f.pick("1002"), ManagePayments::Pick::Shown);
        f.app.prompter.expectPrintDialog();
        if (offline > 0) {
            f.app.prompter.expectQuestion(
                QStringLiteral("Invoice 20260001 could not be printed\r\nPrinter off-line"),
                QStringLiteral("Print Error"), Buttons::RetryCancel, Icon::Critical, onError);
        }
        for (int i = 0; i < no; ++i) {
            f.confirm(Answer::No);
            f.app.prompter.expectMessage(
                QStringLiteral("Correct the printing problem and click OK"),
                QStringLiteral("Retry Printing"), Icon::None);
        }
        if (onError == Answer::Retry) {
            f.confirm(Answer::Yes);
        }
        QCOMPARE(f.screen->print(target), result);
        QCOMPARE(target.jobs().size(), onError == Answer::Retry ? no + 1 : 0);
        const Files written = changed(before, f.files());
        if (result == ManagePayments::Run::Completed) {
            QVERIFY(Golden::folderMatches(written, QStringLiteral("run-taxes")));
        } else {
            QCOMPARE(written.keys(), QStringList{"TIInvoiceNo.txt"});
        }
    }

    // Cancel on page 2 of 3 keeps two journal entries and posts nothing else;
    // the next run, after a restart, prints page 3 only and posts what one
    // uninterrupted run posts.
    void cancelledRunGoesOnLater() {
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.pick("1001"), ManagePayments::Pick::Shown);
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        f.confirm(Answer::Cancel);
        f.app.prompter.expectMessage(
            QStringLiteral("2 invoice(s) were Printed\r\nRemaining Invoices will not be printed"),
            kTitle, Icon::None);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Stopped);
        const Files stopped = f.files();
        QCOMPARE(stopped.value(QStringLiteral("InvoiceSalesJournal.txt")).size(), 2 * 125);
        QCOMPARE(stopped.value(QStringLiteral("TolvarProposals/1001.txt")),
                 before.value(QStringLiteral("TolvarProposals/1001.txt")));
        QVERIFY(!stopped.contains(QStringLiteral("TAHistory.txt")));
        QVERIFY(!f.screen->view().singleInvoiceEnabled);

        f.restart();
        f.app.prompter.expectMessage(
            QStringLiteral("2 invoice(s) of this Proposal were Printed before\r\n"
                           "Printing goes on with Invoice 3"),
            kTitle, Icon::Information);
        QCOMPARE(f.pick("1001"), ManagePayments::Pick::Shown);
        f.screen->choose(ManagePayments::PrintOption::SingleInvoice);
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QCOMPARE(f.printedNumbers(), (QStringList{"20260001 - 1", "20260001 - 2", "20260001 - 3"}));
        QVERIFY(Golden::folderMatches(changed(before, f.files()), QStringLiteral("run-all")));
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
        QCOMPARE(f.pick("1002"), ManagePayments::Pick::Shown);
        f.app.prompter.expectPrintDialog();
        f.app.prompter.expectMessage(
            QStringLiteral("The file %1 could not be used: a folder of that name is in the way")
                .arg(QDir::toNativeSeparators(f.app.path(blocked))),
            kTitle, Icon::Critical);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
        QVERIFY(f.target.jobs().isEmpty());
        QCOMPARE(changed(before, f.files()), Files());
    }

    // A run that fails at any one of its writes (or ends there with the
    // program) is completed by the next attempt, printed again only when no
    // page was confirmed, and posts what one run that did not fail posts.
    void everyWriteFailingInTurn_data() {
        QTest::addColumn<int>("failAt");
        // The 18 writes of the run of 1002: its record and the counter (1-4),
        // the confirmed page (5-9), the postings (10-18).
        for (int k = 1; k <= 18; ++k) {
            QTest::addRow("write %d", k) << k;
        }
    }
    void everyWriteFailingInTurn() {
        QFETCH(int, failAt);
        const FailingWrite record(0);
        const QStringList& paths = *record.paths;
        Fixture clean;
        clean.screen->setWriteApplier(record);
        QCOMPARE(clean.pick("1002"), ManagePayments::Pick::Shown);
        clean.app.prompter.expectPrintDialog();
        clean.confirm(Answer::Yes);
        QCOMPARE(clean.screen->print(clean.target), ManagePayments::Run::Completed);
        QCOMPARE(paths.size(), 18);

        Fixture f;
        f.screen->setWriteApplier(FailingWrite(failAt));
        QCOMPARE(f.pick("1002"), ManagePayments::Pick::Shown);
        f.app.prompter.expectPrintDialog();
        if (failAt >= 5) {
            f.confirm(Answer::Yes);
        }
        f.app.prompter.expectMessage(
            IoStatus::failure(f.app.ctx->store().fullPath(paths.at(failAt - 1)),
                              QStringLiteral("injected"))
                .message(),
            kTitle, Icon::Critical);
        QVERIFY(f.screen->print(f.target) != ManagePayments::Run::Completed);

        f.restart();
        if (failAt >= 11) {
            f.app.prompter.expectMessage(
                QStringLiteral("The interrupted posting of the Invoices for Proposal 1002 has been "
                               "completed"),
                kTitle, Icon::Information);
            QVERIFY(f.screen->activate());
            QVERIFY(f.rowOf(QStringLiteral("1002P")) >= 0);
        } else {
            if (failAt >= 6) {
                f.app.prompter.expectMessage(
                    QStringLiteral("The Invoices of this Proposal were Printed before\r\n"
                                   "Printing posts them without printing them again"),
                    kTitle, Icon::Information);
            } else {
                f.app.prompter.expectPrintDialog();
                f.confirm(Answer::Yes);
            }
            QCOMPARE(f.pick("1002"), ManagePayments::Pick::Shown);
            QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        }
        QCOMPARE(f.target.jobs().size(), failAt == 5 ? 2 : 1);
        QCOMPARE(f.files(), clean.files());
    }
};

TOLVAR_TEST(TestInvoiceRun)
#include "test_invoicerun.moc"
