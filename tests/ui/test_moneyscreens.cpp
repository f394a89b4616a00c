#include "accountstest.h"
#include "proposals/proposalreport.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "shell/mainmenu.h"
#include "testmain.h"
#include "uitesthelpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");

// The program's screens over a temporary folder, opened from the main menu.
struct MoneyApp : UiRig {
    MoneyApp() {
        ctx.settings().taxHeading1 = QStringLiteral("Sales Tax");
        ctx.settings().taxHeading2 = QStringLiteral("City Tax");
    }
    void proposal(const QString& file, const QByteArray& bytes) {
        app.write(QStringLiteral("TolvarProposals/") + file, bytes);
    }
    void clickCell(int row, int column) {
        auto* grid = w<QTableView>(QStringLiteral("fgProposals"));
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    void confirm(Answer answer) {
        ask("Was the Invoice Printed Correctly?", "Print Confirmation", answer,
            Buttons::YesNoCancel, Icon::Exclamation);
        if (answer == Answer::No) {
            expect("Correct the printing problem and click OK", "Retry Printing");
        }
    }
    Files files() const { return snapshot(app.dir.path()); }
};

// 1001 with three payments (the first due, two later) and the first tax.
void threePayments(MoneyApp& m) {
    for (const char* f : {"1001.txt", "ProposalPayments/1001.txt", "ProposalFinancials/1001.txt"}) {
        m.proposal(f, UiData(QStringLiteral("three-payments/") + f));
    }
}

}  // namespace

class TestMoneyScreens : public QObject {
    Q_OBJECT
private slots:
    // The schedule shown, the invoices previewed, page 1 answered No, No,
    // Yes and the rest Yes: what one whole run posts, byte for byte.
    void paymentsRunFromTheMenu() {
        MoneyApp m;
        threePayments(m);
        const Files before = m.files();
        Screen* screen = m.startRoutine(3);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Existing Proposals and Payment Schedules"));
        m.clickCell(0, 0);
        QCOMPARE(m.texts({"lblPayDate(1)", "lblPayAmount(2)"}), "12/15/2026|$400.00");
        QVERIFY(m.w<QAbstractButton>("optPrint(0)")->isChecked());
        CheckLayout(screen, "frmManagePayments-details");

        RecordingPreview preview(m.ctx);
        m.click("cmdPreview");
        QCOMPARE(preview.count(), 1);
        QCOMPARE(preview.target().jobs().size(), 3);
        QCOMPARE(m.files(), before);

        m.app.prompter.expectPrintDialog();
        for (Answer a : {Answer::No, Answer::No, Answer::Yes, Answer::Yes, Answer::Yes}) {
            m.confirm(a);
        }
        m.click("imgPrinter");
        QCOMPARE(m.printer->jobs().size(), 5);
        QVERIFY(Golden::folderMatches(changed(before, m.files()), QStringLiteral("run-all")));
        QCOMPARE(m.w<QTableView>("fgProposals")->model()->rowCount(), 0);
    }

    // Cancel on page 2 of 3: two journal entries and nothing else posted.
    void paymentsCancelledOnPageTwo() {
        MoneyApp m;
        threePayments(m);
        m.startRoutine(3);
        m.clickCell(0, 0);
        m.app.prompter.expectPrintDialog();
        m.confirm(Answer::Yes);
        m.confirm(Answer::Cancel);
        m.expect("2 invoice(s) were Printed\r\nRemaining Invoices will not be printed", kTitle);
        m.click("imgPrinter");
        QCOMPARE(m.app.read("InvoiceSalesJournal.txt"),
                 Golden::read(QStringLiteral("run-all/InvoiceSalesJournal.txt")).left(250));
        QVERIFY(!m.app.exists("TAHistory.txt"));
        QCOMPARE(m.app.read("TolvarProposals/1001.txt"), UiData("three-payments/1001.txt"));
    }

    // FP1001 finalized at $1,000.00 plus 7.5 % in one payment: the four
    // files of tests/data/accounts/finalized.
    void finalizeFromTheMenu() {
        MoneyApp m;
        m.ctx.settings().applyTax1 = true;
        m.ctx.settings().taxRate1 = QStringLiteral("7.5");
        m.proposal("1001.txt", UiData("finalize-fp1001.txt"));
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            m.app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        const Files before = m.files();
        m.flow("finalize");
        QVERIFY(Golden::folderMatches(changed(before, m.files()), QStringLiteral("finalized")));
    }

    // Details of a typed proposal, and two proposals marked and
    // deleted with all their files after one question.
    void reportFromTheMenu() {
        MoneyApp m;
        threePayments(m);
        const QByteArray customer = UiData("three-payments/1001.txt").mid(11);
        m.proposal("ProposalBody/1001.txt", "Paint\r\nthe fence\r\n");
        m.proposal("1002.txt", "\"FP1002\",0" + customer);
        for (int n = 1003; n < 1040; ++n) {
            m.proposal(QStringLiteral("%1.txt").arg(n),
                       "\"" + QByteArray::number(n) + "\",10" + customer);
        }
        Screen* screen = m.startRoutine(5);
        QVERIFY(screen && screen->isVisible());
        auto* grid = m.w<QTableView>("fgProposals");
        QCOMPARE(grid->model()->rowCount(), 39);
        const auto rowOf = [grid](const QString& number) {
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                if (grid->model()->index(r, ProposalReport::ProposalNo).data() == number) {
                    return r;
                }
            }
            return -1;
        };
        m.clickCell(rowOf("1001"), ProposalReport::ProposalNo);
        QCOMPARE(m.texts({"txtProposalBody", "lblAmount(3)", "lblDate(2)"}),
                 "Paint\nthe fence\n|$400.00|1/5/2027");
        QVERIFY(!m.w("lblDate(3)")->isVisible());
        CheckLayout(screen, "frmProposalReport-details");
        m.expect(ProposalReport::fieldProposalMessage(), kTitle);
        m.clickCell(rowOf("FP1002"), ProposalReport::ProposalNo);

        m.clickCell(rowOf("1001"), ProposalReport::Select);
        m.clickCell(rowOf("FP1002"), ProposalReport::Select);
        QCOMPARE(grid->model()->index(rowOf("1001"), 0).data().toString(),
                 ProposalReport::selectionMark());
        m.ask("Delete the 2 selected Proposals and all of their files?", "Delete Proposals",
              Answer::Yes);
        m.click("cmdReport(2)");
        QCOMPARE(grid->model()->rowCount(), 37);
        for (const char* gone : {"1001.txt", "1002.txt", "ProposalBody/1001.txt",
                                 "ProposalPayments/1001.txt", "ProposalFinancials/1001.txt"}) {
            QVERIFY2(!m.app.exists(QStringLiteral("TolvarProposals/") + QLatin1String(gone)), gone);
        }
        QVERIFY(!m.w("fraProposal")->isVisible());
        m.click("cmdReport(0)");
        QVERIFY(m.visible("frmStartup"));
    }
};

TOLVAR_TEST(TestMoneyScreens)
#include "test_moneyscreens.moc"
