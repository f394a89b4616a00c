#include "accounts/invoicerun.h"

#include "accounts/receivable.h"
#include "print/recordingdevice.h"
#include "settings/settings.h"
#include "shell/recordfile.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
QByteArray writerHeader(const char* number, const char* price, const char* account) {
    return QByteArray("\"") + number + "\"," + price + ",#2026-11-02#\r\n\"" + account +
           "\"\r\n\"Jane Doe\"\r\n\"12 Oak "
           "St\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n"
           "\"555-1234\"\r\n\"Lake House\"\r\n\"1 Shore Rd\"\r\n\"\"\r\n\"Lakeside\"\r\n\"IL\"\r\n"
           "\"62702\"\r\n\"555-0001\"\r\n";
}

// Fails the first `failures` jobs to start, then records like the target it wraps.
class FlakyTarget : public PrintTarget {
public:
    explicit FlakyTarget(int failures) : m_failures(failures) {}
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        if (m_failures > 0) {
            --m_failures;
            return nullptr;
        }
        return inner.open(request);
    }
    QString error() const override { return QStringLiteral("Printer off-line"); }
    RecordingTarget inner;

private:
    int m_failures;
};

const QString kConfirm = QStringLiteral("Was the Invoice Printed Correctly?");
const QString kConfirmTitle = QStringLiteral("Print Confirmation");

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
        // Three payments, one tax.
        app.write(QStringLiteral("TolvarProposals/1001.txt"),
                  writerHeader("1001", "1075", "555-1234"));
        app.write(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt"),
                  "$1,075.00\r\n3\r\n$300.00\r\n12/1/2026\r\n$375.00\r\n12/15/2026\r\n$400.00\r\n"
                  "1/5/2027\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt"),
                  "$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n");
        // One payment, no taxes.
        app.write(QStringLiteral("TolvarProposals/1002.txt"),
                  writerHeader("1002", "400", "555-2222"));
        app.write(QStringLiteral("TolvarProposals/ProposalPayments/1002.txt"),
                  "$400.00\r\n 1 \r\n$400.00\r\n11/30/2026\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalFinancials/1002.txt"),
                  "$400.00\r\n$400.00\r\n$0.00\r\n$0.00\r\n");
        app.write(QStringLiteral("TolvarProposals/1003.txt"), writerHeader("FP1003", "0", "ACC-3"));
        app.write(QStringLiteral("TolvarProposals/1004.txt"),
                  writerHeader("1004P", "9", "555-4444"));
        screen = std::make_unique<ManagePayments>(*app.ctx);
    }

    int rowOf(const QString& number) const {
        for (int i = 0; i < screen->proposals().size(); ++i) {
            if (screen->proposals().at(i).header.number == number) {
                return i;
            }
        }
        return -1;
    }
    void pick(const char* number) {
        QVERIFY(screen->fillTable());
        QCOMPARE(screen->pick(rowOf(QLatin1String(number))), ManagePayments::Pick::Shown);
    }
    void confirm(Answer answer) {
        app.prompter.expectQuestion(kConfirm, kConfirmTitle, Buttons::YesNoCancel, answer);
    }
    QList<SalesJournalEntry> journal() {
        return AccountRoutines(app.ctx->store(), app.clock).salesJournal();
    }
    QString invoiceNoOf(int job) const {
        return target.jobs().at(job)->startingWith(QStringLiteral("INVOICE NO: ")).text;
    }
};
}  // namespace

class TestInvoiceRun : public QObject {
    Q_OBJECT
private slots:
    void tableSkipsTornHeaders() {
        Fixture f;
        f.app.write(QStringLiteral("TolvarProposals/1005.txt"), "\"1005\",10,#2026-11-02#,\"A\"");
        QVERIFY(f.screen->fillTable());
        QCOMPARE(f.screen->proposals().size(), 4);
        QCOMPARE(f.rowOf(QStringLiteral("1005")), -1);
        QCOMPARE(f.screen->rowCells(f.rowOf(QStringLiteral("1001"))),
                 (QStringList{QStringLiteral("1001"), QStringLiteral("11/2/2026"),
                              QStringLiteral("Jane Doe"), QStringLiteral("$1,075.00")}));
        QCOMPARE(f.screen->gridHeadings().at(2).size(), 46);
    }

    void noProposals() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        app.prompter.expectMessage(QStringLiteral("No Proposals Exist"));
        ManagePayments screen(*app.ctx);
        QVERIFY(!screen.fillTable());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void refusals_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("outcome");
        QTest::newRow("field proposal, finalize now")
            << QStringLiteral("FP1003") << int(Answer::Yes)
            << int(ManagePayments::Pick::GoToFinalize);
        QTest::newRow("field proposal, not now") << QStringLiteral("FP1003") << int(Answer::No)
                                                 << int(ManagePayments::Pick::FieldProposal);
        QTest::newRow("already invoiced") << QStringLiteral("1004P") << int(Answer::Ok)
                                          << int(ManagePayments::Pick::AlreadyInvoiced);
    }
    void refusals() {
        QFETCH(QString, number);
        QFETCH(int, answer);
        QFETCH(int, outcome);
        Fixture f;
        QVERIFY(f.screen->fillTable());
        if (number.startsWith(QLatin1String("FP"))) {
            f.app.prompter.expectQuestion(
                QStringLiteral("This Proposal is a Field Proposal\r\n"
                               "You can Print Invoices after it has been "
                               "finalized\r\nWould you like to Finalize it now?"),
                {}, Buttons::YesNo, Answer(answer));
        } else {
            f.app.prompter.expectMessage(
                QStringLiteral("Invoices for this Proposal \r\nHave been printed"));
        }
        QCOMPARE(int(f.screen->pick(f.rowOf(number))), outcome);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.app.ctx->vars().SelectedRoutine,
                 outcome == int(ManagePayments::Pick::GoToFinalize) ? 6 : 0);
        QVERIFY(!f.screen->hasSelection());
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
        QVERIFY(f.target.jobs().isEmpty());
        QVERIFY(!f.app.exists(QStringLiteral("TIInvoiceNo.txt")));
    }

    void detailsOfThePickedProposal() {
        Fixture f;
        f.pick("1001");
        const ManagePayments::Selected& s = f.screen->selected();
        QCOMPARE(s.labels.at(0), QStringLiteral("Jane Doe"));
        QCOMPARE(s.labels.at(2), QStringLiteral("Springfield, IL"));
        QCOMPARE(s.labels.at(9), QStringLiteral("62701"));
        QCOMPARE(s.labels.at(4), QStringLiteral("11/2/2026"));
        QCOMPARE(s.labels.at(5), QStringLiteral("$1,075.00"));
        QCOMPARE(s.labels.at(6), QStringLiteral("3"));
        QCOMPARE(s.payments.size(), 3);
        QCOMPARE(s.payments.at(1).amount, QStringLiteral("$375.00"));
        // Today is 12/5/2026: the first payment is due, the others later.
        QCOMPARE(s.payments.at(0).later, false);
        QCOMPARE(s.payments.at(1).later, true);
        QVERIFY(f.screen->blinking());
        QVERIFY(f.screen->allInvoicesEnabled());
        QVERIFY(f.screen->allInvoices());
        f.pick("1002");
        QVERIFY(!f.screen->blinking());
        QVERIFY(!f.screen->allInvoicesEnabled());
        f.screen->setAllInvoices(true);
        QVERIFY(!f.screen->allInvoices());
        f.app.ctx->settings->addressStyle = AddressStyle::International;
        f.pick("1001");
        QCOMPARE(f.screen->selected().labels.at(2), QStringLiteral("Springfield"));
        QCOMPARE(f.screen->selected().labels.at(9), QStringLiteral("IL"));
    }

    void hostileSchedules_data() {
        QTest::addColumn<QByteArray>("payments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("count");
        const QString unreadable = QStringLiteral(
            "The Payment Schedule of this Proposal could not be read\r\nOnly a Single Invoice can "
            "be "
            "printed");
        QTest::newRow("count above eight") << QByteArray("$1.00\r\n9\r\n") << unreadable << 0;
        QTest::newRow("count not a number") << QByteArray("$1.00\r\nabc\r\n") << unreadable << 0;
        QTest::newRow("fewer lines than promised")
            << QByteArray("$1,075.00\r\n3\r\n$300.00\r\n12/1/2026\r\n$375.00\r\n") << QString()
            << 1;
    }
    void hostileSchedules() {
        QFETCH(QByteArray, payments);
        QFETCH(QString, message);
        QFETCH(int, count);
        Fixture f;
        f.app.write(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt"), payments);
        if (!message.isEmpty()) {
            f.app.prompter.expectMessage(message);
        }
        f.pick("1001");
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.screen->selected().payments.size(), count);
        QCOMPARE(f.screen->allInvoices(), count >= 2);
    }

    void missingFinancialsRefused() {
        Fixture f;
        QVERIFY(QFile::remove(
            f.app.path(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt"))));
        QVERIFY(f.screen->fillTable());
        f.app.prompter.expectMessage(QStringLiteral(
            "The Financials of this Proposal were not found\r\nInvoices cannot be printed"));
        QCOMPARE(f.screen->pick(f.rowOf(QStringLiteral("1001"))), ManagePayments::Pick::Nothing);
        QVERIFY(!f.screen->hasSelection());
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
    }

    void printAllThreeInvoices() {
        Fixture f;
        f.pick("1001");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        f.confirm(Answer::Yes);
        f.confirm(Answer::Yes);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));

        QCOMPARE(f.target.jobs().size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.invoiceNoOf(i), QStringLiteral("INVOICE NO: 20260001 - %1").arg(i + 1));
            QVERIFY(f.target.jobs().at(i)->ended);
        }
        const QList<SalesJournalEntry> journal = f.journal();
        QCOMPARE(journal.size(), 3);
        const QList<Money> amounts = {Money::fromCents(30000), Money::fromCents(37500),
                                      Money::fromCents(40000)};
        const QList<QDate> dates = {QDate(2026, 12, 1), QDate(2026, 12, 15), QDate(2027, 1, 5)};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(journal.at(i).invoiceNumber, QStringLiteral("20260001 - %1").arg(i + 1));
            QCOMPARE(journal.at(i).amount, amounts.at(i));
            QCOMPARE(journal.at(i).date, dates.at(i));
            QCOMPARE(journal.at(i).name, QStringLiteral("Jane Doe"));
            QCOMPARE(journal.at(i).account, QStringLiteral("555-1234"));
            QCOMPARE(journal.at(i).amountA, Money());
        }
        // One receivable entry after the opening entry, its backup, one history record.
        const QByteArray account = f.app.read(QStringLiteral("TIActiveAccounts/555-1234.txt"));
        QCOMPARE(account.size(), 2 * 155);
        QCOMPARE(account.mid(155 + 85, 60).trimmed(), QByteArray("20260001"));
        QCOMPARE(account.mid(155 + 145, 10), QByteArray("$1,075.00 "));
        QCOMPARE(f.app.read(QStringLiteral("Backup/TIActiveAccounts/555-1234.txt")), account);
        QCOMPARE(f.app.read(QStringLiteral("TAHistory.txt")).size(), 155);
        // The first tax only.
        const QByteArray tax = f.app.read(QStringLiteral("TaxRecords.txt"));
        QCOMPARE(tax, QByteArray("Sales Tax           12/5/2026      20260001                      "
                                 "$75.00    "));
        QCOMPARE(f.app.read(QStringLiteral("TIInvoiceNo.txt")), QByteArray("\"20260004\"\r\n"));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/1001.txt")),
                 QByteArray(
                     "\"1001P\",1075,#2026-11-02#\r\n\"555-1234\"\r\n\"Jane Doe\",\"12 Oak "
                     "St\",\"\",\"Springfield\",\"IL\",\"62701\",\"555-1234\"\r\n\"Lake "
                     "House\",\"1 Shore Rd\",\"\",\"Lakeside\",\"IL\",\"62702\",\"555-0001\"\r\n"));
        QCOMPARE(f.rowOf(QStringLiteral("1001")), -1);
        QCOMPARE(f.screen->proposals().size(), 3);
    }

    // No, No, Yes on a single invoice: three prints, one posting.
    void retriedPagePostsOnce() {
        Fixture f;
        f.pick("1002");
        f.app.prompter.expectPrintDialog();
        for (int i = 0; i < 2; ++i) {
            f.confirm(Answer::No);
            f.app.prompter.expectMessage(
                QStringLiteral("Correct the printing problem and click OK"),
                QStringLiteral("Retry Printing"));
        }
        f.confirm(Answer::Yes);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.target.jobs().size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.invoiceNoOf(i), QStringLiteral("INVOICE NO: 20260001"));
        }
        const QList<SalesJournalEntry> journal = f.journal();
        QCOMPARE(journal.size(), 1);
        QCOMPARE(journal.at(0).invoiceNumber, QStringLiteral("20260001"));
        QCOMPARE(journal.at(0).date, QDate(2026, 11, 30));
        QCOMPARE(f.app.read(QStringLiteral("TIInvoiceNo.txt")), QByteArray("\"20260002\"\r\n"));
        // Two zero taxes: no tax entry.
        QVERIFY(!f.app.exists(QStringLiteral("TaxRecords.txt")));
        QCOMPARE(f.app.read(QStringLiteral("TAHistory.txt")).size(), 155);
    }

    // A single invoice for a scheduled proposal bills what it shows: the total.
    void singleInvoiceBillsTheTotal() {
        Fixture f;
        f.pick("1001");
        f.screen->setAllInvoices(false);
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.target.jobs().size(), 1);
        const QList<SalesJournalEntry> journal = f.journal();
        QCOMPARE(journal.size(), 1);
        QCOMPARE(journal.at(0).amount, Money::fromCents(107500));
        QCOMPARE(journal.at(0).date, QDate(2026, 12, 1));
        QCOMPARE(journal.at(0).invoiceNumber, QStringLiteral("20260001"));
    }

    void cancelOnPageTwoOfThree() {
        Fixture f;
        f.pick("1001");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        f.confirm(Answer::Cancel);
        f.app.prompter.expectMessage(
            QStringLiteral("2 invoice(s) were Printed\r\nRemaining Invoices will not be printed"));
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Stopped);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.target.jobs().size(), 2);
        QCOMPARE(f.journal().size(), 2);
        QCOMPARE(f.app.read(QStringLiteral("TIInvoiceNo.txt")), QByteArray("\"20260003\"\r\n"));
        QVERIFY(!f.app.exists(QStringLiteral("TIActiveAccounts/555-1234.txt")));
        QVERIFY(!f.app.exists(QStringLiteral("TAHistory.txt")));
        QVERIFY(!f.app.exists(QStringLiteral("TaxRecords.txt")));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/1001.txt")),
                 writerHeader("1001", "1075", "555-1234"));
        QVERIFY(f.rowOf(QStringLiteral("1001")) >= 0);
    }

    // Cancel on the last page leaves nothing to skip, so the run completes.
    void cancelOnTheLastPageCompletes() {
        Fixture f;
        f.pick("1002");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Cancel);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.journal().size(), 1);
        QVERIFY(f.app.read(QStringLiteral("TolvarProposals/1002.txt")).startsWith("\"1002P\""));
    }

    void printDialogCancelled() {
        Fixture f;
        f.pick("1001");
        f.app.prompter.expectPrintDialog(false);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QVERIFY(f.target.jobs().isEmpty());
        QVERIFY(!f.app.exists(QStringLiteral("TIInvoiceNo.txt")));
    }

    void twoTaxesPostTwoEntries() {
        Fixture f;
        f.app.write(QStringLiteral("TolvarProposals/ProposalFinancials/1002.txt"),
                    "$360.00\r\n$400.00\r\n$30.00\r\n$10.00\r\n");
        f.pick("1002");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Completed);
        const QList<TaxEntry> taxes = AccountRoutines(f.app.ctx->store(), f.app.clock).taxRecords();
        QCOMPARE(taxes.size(), 2);
        QCOMPARE(taxes.at(0).tax, QStringLiteral("Sales Tax"));
        QCOMPARE(taxes.at(0).amount, QStringLiteral("$30.00"));
        QCOMPARE(taxes.at(1).tax, QStringLiteral("City Tax"));
        QCOMPARE(taxes.at(1).amount, QStringLiteral("$10.00"));
        QCOMPARE(taxes.at(1).reference, QStringLiteral("20260001"));
    }

    void unsafeAccountKeyRefusedBeforePrinting_data() {
        QTest::addColumn<QByteArray>("account");
        QTest::newRow("parent folder") << QByteArray("../../etc/x");
        QTest::newRow("backslash") << QByteArray("a\\b");
        QTest::newRow("blank") << QByteArray("   ");
    }
    void unsafeAccountKeyRefusedBeforePrinting() {
        QFETCH(QByteArray, account);
        Fixture f;
        f.app.write(QStringLiteral("TolvarProposals/1002.txt"),
                    writerHeader("1002", "400", account.constData()));
        f.pick("1002");
        f.app.prompter.expectMessage(
            QStringLiteral(
                "The Account No \"%1\" of this Proposal cannot be used as a file name\r\n"
                "No Invoices were printed")
                .arg(QString::fromLatin1(account)));
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::NotStarted);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QVERIFY(f.target.jobs().isEmpty());
        QVERIFY(!f.app.exists(QStringLiteral("TIInvoiceNo.txt")));
        QVERIFY(!f.app.exists(QStringLiteral("InvoiceSalesJournal.txt")));
        QVERIFY(!f.app.exists(QStringLiteral("TIActiveAccounts")));
    }

    // A journal that cannot be written stops the run: the counter does not
    // move and nothing is posted to receivable.
    void journalFailureStopsTheRun() {
        Fixture f;
        f.app.mkdir(QStringLiteral("InvoiceSalesJournal.txt"));
        RecordFile blocked(f.app.path(QStringLiteral("InvoiceSalesJournal.txt")), 125);
        const QString failure = blocked.write(1, QByteArray(125, ' ')).message();
        QVERIFY(!failure.isEmpty());
        f.pick("1001");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        f.app.prompter.expectMessage(failure);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Failed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.target.jobs().size(), 1);
        QCOMPARE(f.app.read(QStringLiteral("TIInvoiceNo.txt")), QByteArray("\"20260001\"\r\n"));
        QVERIFY(!f.app.exists(QStringLiteral("TAHistory.txt")));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/1001.txt")),
                 writerHeader("1001", "1075", "555-1234"));
    }

    void receivableFailureLeavesProposalUnmarked() {
        Fixture f;
        f.app.mkdir(QStringLiteral("TIActiveAccounts/555-2222.txt"));
        RecordFile blocked(f.app.path(QStringLiteral("TIActiveAccounts/555-2222.txt")), 155);
        const QString failure = blocked.write(1, QByteArray(155, ' ')).message();
        f.pick("1002");
        f.app.prompter.expectPrintDialog();
        f.confirm(Answer::Yes);
        f.app.prompter.expectMessage(failure);
        QCOMPARE(f.screen->print(f.target), ManagePayments::Run::Failed);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.journal().size(), 1);
        QVERIFY(!f.app.exists(QStringLiteral("TAHistory.txt")));
        QVERIFY(f.app.read(QStringLiteral("TolvarProposals/1002.txt")).startsWith("\"1002\""));
        QVERIFY(f.rowOf(QStringLiteral("1002")) >= 0);
    }

    void printerFailure_data() {
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("retry once")
            << 1 << int(Answer::Retry) << int(ManagePayments::Run::Completed);
        QTest::newRow("cancel") << 1 << int(Answer::Cancel) << int(ManagePayments::Run::NotStarted);
    }
    void printerFailure() {
        QFETCH(int, failures);
        QFETCH(int, answer);
        QFETCH(int, result);
        Fixture f;
        FlakyTarget target(failures);
        f.pick("1002");
        f.app.prompter.expectPrintDialog();
        f.app.prompter.expectQuestion(
            QStringLiteral("Invoice 20260001 could not be printed\r\nPrinter off-line"),
            QStringLiteral("Print Error"), Buttons::RetryCancel, Answer(answer));
        if (Answer(answer) == Answer::Retry) {
            f.confirm(Answer::Yes);
        }
        QCOMPARE(int(f.screen->print(target)), result);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.journal().size(), Answer(answer) == Answer::Retry ? 1 : 0);
    }
};

TOLVAR_TEST(TestInvoiceRun)
#include "test_invoicerun.moc"
