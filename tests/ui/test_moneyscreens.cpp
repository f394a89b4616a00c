#include "accountstest.h"
#include "print/recordingdevice.h"
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
const QByteArray kCustomer =
    ",#2026-11-02#,\"555-1234\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\","
    "\"62701\",\"555-1234\",\"Lake House\",\"1 Shore Rd\",\"\",\"Lakeside\",\"IL\",\"62702\","
    "\"555-0001\"\r\n";

// The program's screens over a temporary folder, opened from the main menu.
struct MoneyApp : ScreenApp {
    std::shared_ptr<RecordingTarget> printer = std::make_shared<RecordingTarget>();

    MoneyApp() {
        app.ctx->printerFactory = [this] { return printer; };
        app.ctx->settings().taxHeading1 = QStringLiteral("Sales Tax");
        app.ctx->settings().taxHeading2 = QStringLiteral("City Tax");
    }
    void proposal(const char* file, const QByteArray& bytes) {
        app.write(QStringLiteral("TolvarProposals/") + QLatin1String(file), bytes);
    }
    // Go on the routine's option, as the user starts it.
    Screen* start(int routine) {
        Screen* menu = screens->show(QStringLiteral("frmStartup"));
        auto* option = menu->findChild<QAbstractButton*>(
            QStringLiteral("optProgramRoutine(%1)").arg(routine - 1));
        // On the option's mark, where a user clicks.
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QTest::mouseClick(menu->findChild<QAbstractButton*>(QStringLiteral("cmdStart")),
                          Qt::LeftButton);
        QCoreApplication::processEvents();
        return screens->find(RoutineScreen(routine));
    }
    template <typename T = QAbstractButton>
    T* get(const QString& name) const {
        for (Screen* s : {screens->find(QStringLiteral("frmManagePayments")),
                          screens->find(QStringLiteral("frmProposalReport")),
                          screens->find(QStringLiteral("frmFinalize"))}) {
            if (T* w = s ? s->findChild<T*>(name) : nullptr) {
                return w;
            }
        }
        return nullptr;
    }
    void click(const QString& name) {
        QAbstractButton* b = get(name);
        // Option and check boxes take a click on their mark, not beside the caption.
        const bool marked = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, marked ? QPoint(6, b->height() / 2) : QPoint());
        QCoreApplication::processEvents();
    }
    void clickCell(int row, int column) {
        auto* grid = get<QTableView>(QStringLiteral("fgProposals"));
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }
    QString text(const QString& label) const { return get<QLabel>(label)->text(); }
    void confirm(Answer answer) {
        app.prompter.expectQuestion(QStringLiteral("Was the Invoice Printed Correctly?"),
                                    QStringLiteral("Print Confirmation"), Buttons::YesNoCancel,
                                    Icon::Exclamation, answer);
        if (answer == Answer::No) {
            app.prompter.expectMessage(QStringLiteral("Correct the printing problem and click OK"),
                                       QStringLiteral("Retry Printing"), Icon::None);
        }
    }
    Files files() const { return snapshot(app.dir.path()); }
};

// 1001 with three payments (the first due, two later) and the first tax.
void threePayments(MoneyApp& m) {
    m.proposal("1001.txt", "\"1001\",1075" + kCustomer);
    m.proposal("ProposalPayments/1001.txt",
               "$1,075.00\r\n3\r\n$300.00\r\n12/1/2026\r\n$375.00\r\n12/15/2026\r\n$400.00\r\n"
               "1/5/2027\r\n");
    m.proposal("ProposalFinancials/1001.txt", "$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n");
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
        Screen* screen = m.start(3);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Existing Proposals and Payment Schedules"));
        m.clickCell(0, 0);
        QCOMPARE(m.text(QStringLiteral("lblPayDate(1)")), QStringLiteral("12/15/2026"));
        QCOMPARE(m.text(QStringLiteral("lblPayAmount(2)")), QStringLiteral("$400.00"));
        QVERIFY(m.get(QStringLiteral("optPrint(0)"))->isChecked());
        CheckLayout(screen, QStringLiteral("frmManagePayments-details"));

        RecordingPreview preview(*m.app.ctx);
        m.click(QStringLiteral("cmdPreview"));
        QCOMPARE(preview.count(), 1);
        QCOMPARE(preview.target().jobs().size(), 3);
        QCOMPARE(m.files(), before);

        m.app.prompter.expectPrintDialog();
        m.confirm(Answer::No);
        m.confirm(Answer::No);
        for (int page = 1; page <= 3; ++page) {
            m.confirm(Answer::Yes);
        }
        m.click(QStringLiteral("imgPrinter"));
        QCOMPARE(m.printer->jobs().size(), 5);
        QVERIFY(Golden::folderMatches(changed(before, m.files()), QStringLiteral("run-all")));
        QCOMPARE(m.get<QTableView>(QStringLiteral("fgProposals"))->model()->rowCount(), 0);
    }

    // Cancel on page 2 of 3: two journal entries and nothing else posted.
    void paymentsCancelledOnPageTwo() {
        MoneyApp m;
        threePayments(m);
        m.start(3);
        m.clickCell(0, 0);
        m.app.prompter.expectPrintDialog();
        m.confirm(Answer::Yes);
        m.confirm(Answer::Cancel);
        m.app.prompter.expectMessage(
            QStringLiteral("2 invoice(s) were Printed\r\nRemaining Invoices will not be printed"),
            kTitle, Icon::None);
        m.click(QStringLiteral("imgPrinter"));
        QCOMPARE(m.app.read(QStringLiteral("InvoiceSalesJournal.txt")),
                 Golden::read(QStringLiteral("run-all/InvoiceSalesJournal.txt")).left(250));
        QVERIFY(!m.app.exists(QStringLiteral("TAHistory.txt")));
        QCOMPARE(m.app.read(QStringLiteral("TolvarProposals/1001.txt")).left(6),
                 QByteArray("\"1001\""));
    }

    // FP1001 finalized at $1,000.00 plus 7.5 % in one payment: the four
    // files of tests/data/accounts/finalized.
    void finalizeFromTheMenu() {
        MoneyApp m;
        Settings& s = m.app.ctx->settings();
        s.applyTax1 = true;
        s.taxRate1 = QStringLiteral("7.5");
        const QByteArray fields =
            ",#2026-11-20#,\"ACC-7\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\","
            "\"62701\",\"555-1234\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\","
            "\"62701\",\"555-1234\"\r\n";
        m.proposal("1001.txt", "\"FP1001\",0" + fields);
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            m.app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        const Files before = m.files();
        Screen* screen = m.start(6);
        QVERIFY(screen && screen->isVisible());
        QVERIFY(!m.get(QStringLiteral("cmdFinalize"))->isEnabled());
        m.clickCell(0, 0);
        auto* siteName = m.get<QLineEdit>(QStringLiteral("txtCustomerInfo(1)"));
        QCOMPARE(siteName->text(), QStringLiteral("Jane Doe"));
        siteName->selectAll();
        QTest::keyClicks(siteName, QStringLiteral("Lake House"));
        CheckLayout(screen, QStringLiteral("frmFinalize-address"));
        m.click(QStringLiteral("cmdField(2)"));
        auto* body = m.get<QPlainTextEdit>(QStringLiteral("txtBody"));
        QTest::keyClicks(body, QStringLiteral("Replace roof"));
        QTest::keyClick(body, Qt::Key_Return);
        QTest::keyClicks(body, QStringLiteral("and gutters"));

        auto* price = m.get<QLineEdit>(QStringLiteral("txtpreAmount"));
        price->setFocus();
        // Typed over the zero the box shows; a second point is refused.
        QTest::keyClicks(price, QStringLiteral("1000.."));
        QCOMPARE(price->text(), QStringLiteral("1000."));
        m.get(QStringLiteral("optPayment(0)"))->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(price->text(), QStringLiteral("$1,000.00"));
        QCOMPARE(m.get<QLineEdit>(QStringLiteral("txtTax1"))->text(), QStringLiteral("$75.00"));
        QCOMPARE(m.get<QLineEdit>(QStringLiteral("txtAmount"))->text(),
                 QStringLiteral("$1,075.00"));
        m.click(QStringLiteral("optPayment(0)"));
        QCOMPARE(m.get<QLineEdit>(QStringLiteral("txtPayment(0)"))->text(),
                 QStringLiteral("$1,075.00"));
        auto* due = m.get<QDateEdit>(QStringLiteral("dtDatePicker(0)"));
        due->setFocus();
        due->setDate(QDate(2026, 12, 19));
        m.get(QStringLiteral("cmdFinalize"))->setFocus();
        QCoreApplication::processEvents();
        CheckLayout(screen, QStringLiteral("frmFinalize-details"));
        QVERIFY(m.get(QStringLiteral("cmdFinalize"))->isEnabled());
        m.app.prompter.expectMessage(
            QStringLiteral("The Field Proposal has been saved as a basic proposal"), kTitle,
            Icon::None);
        m.click(QStringLiteral("cmdFinalize"));
        QVERIFY(Golden::folderMatches(changed(before, m.files()), QStringLiteral("finalized")));
        QVERIFY(m.visible(QStringLiteral("frmStartup")));
    }

    // Details of a typed proposal, and two proposals marked and
    // deleted with all their files after one question.
    void reportFromTheMenu() {
        MoneyApp m;
        threePayments(m);
        m.proposal("ProposalBody/1001.txt", "Paint\r\nthe fence\r\n");
        m.proposal("1002.txt", "\"FP1002\",0" + kCustomer);
        for (int n = 1003; n < 1040; ++n) {
            m.proposal(qPrintable(QStringLiteral("%1.txt").arg(n)),
                       "\"" + QByteArray::number(n) + "\",10" + kCustomer);
        }
        Screen* screen = m.start(5);
        QVERIFY(screen && screen->isVisible());
        auto* grid = m.get<QTableView>(QStringLiteral("fgProposals"));
        QCOMPARE(grid->model()->rowCount(), 39);
        const auto rowOf = [grid](const QString& number) {
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                if (grid->model()->index(r, ProposalReport::ProposalNo).data() == number) {
                    return r;
                }
            }
            return -1;
        };
        m.clickCell(rowOf(QStringLiteral("1001")), ProposalReport::ProposalNo);
        QCOMPARE(m.get<QPlainTextEdit>(QStringLiteral("txtProposalBody"))->toPlainText(),
                 QStringLiteral("Paint\r\nthe fence\r\n").replace(QLatin1Char('\r'), QString()));
        QCOMPARE(m.text(QStringLiteral("lblAmount(3)")), QStringLiteral("$400.00"));
        QCOMPARE(m.text(QStringLiteral("lblDate(2)")), QStringLiteral("1/5/2027"));
        QVERIFY(!m.get<QLabel>(QStringLiteral("lblDate(3)"))->isVisible());
        CheckLayout(screen, QStringLiteral("frmProposalReport-details"));
        m.app.prompter.expectMessage(ProposalReport::fieldProposalMessage(), kTitle, Icon::None);
        m.clickCell(rowOf(QStringLiteral("FP1002")), ProposalReport::ProposalNo);

        m.clickCell(rowOf(QStringLiteral("1001")), ProposalReport::Select);
        m.clickCell(rowOf(QStringLiteral("FP1002")), ProposalReport::Select);
        QCOMPARE(grid->model()->index(rowOf(QStringLiteral("1001")), 0).data().toString(),
                 ProposalReport::selectionMark());
        m.app.prompter.expectQuestion(
            QStringLiteral("Delete the 2 selected Proposals and all of their files?"),
            QStringLiteral("Delete Proposals"), Buttons::YesNo, Icon::Question, Answer::Yes);
        m.click(QStringLiteral("cmdReport(2)"));
        QCOMPARE(grid->model()->rowCount(), 37);
        for (const char* gone : {"1001.txt", "1002.txt", "ProposalBody/1001.txt",
                                 "ProposalPayments/1001.txt", "ProposalFinancials/1001.txt"}) {
            QVERIFY2(!m.app.exists(QStringLiteral("TolvarProposals/") + QLatin1String(gone)), gone);
        }
        QVERIFY(!m.get<QWidget>(QStringLiteral("fraProposal"))->isVisible());
        m.click(QStringLiteral("cmdReport(0)"));
        QVERIFY(m.visible(QStringLiteral("frmStartup")));
    }
};

TOLVAR_TEST(TestMoneyScreens)
#include "test_moneyscreens.moc"
