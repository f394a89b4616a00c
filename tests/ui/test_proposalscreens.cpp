#include "customers/customerrecord.h"
#include "settings/settings.h"
#include "testmain.h"
#include "uitesthelpers.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {
const QString kWriter = QStringLiteral("frmWriteProposal");
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QStringList kFour{QStringLiteral("TolvarProposals/1001.txt"),
                        QStringLiteral("TolvarProposals/ProposalBody/1001.txt"),
                        QStringLiteral("TolvarProposals/ProposalPayments/1001.txt"),
                        QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt")};

CustomerRecord johnSmith() {
    CustomerRecord r;
    r.AccountNumber = QStringLiteral("ACC-7");
    r.AccountType = CustomerRecord::individual();
    r.AccountName = QStringLiteral("Mr. John Smith");
    r.Title = QStringLiteral("Mr.");
    r.FirstName = QStringLiteral("John");
    r.LastName = QStringLiteral("Smith");
    r.Address1 = QStringLiteral("4 Elm St");
    r.CityOrAddress3 = QStringLiteral("Bangor");
    r.CityText = QStringLiteral("Bangor");
    r.State = QStringLiteral("ME");
    r.ZipCode = QStringLiteral("04401");
    r.ZipOrAddress4 = QStringLiteral("04401");
    r.Phone = QStringLiteral("207-555-0111");
    return r;
}

// The program's screens over a folder with John Smith as customer 1 (or, from
// the main menu, 2), a template, the three inventory items and a first tax of
// 7.5 %.
struct WriterScreens : UiRig {
    // `realMenu`: the program's main menu, else a stand-in for it.
    explicit WriterScreens(bool realMenu = false) {
        CustomerRecord other = johnSmith();
        other.AccountNumber = QStringLiteral("ACC-1");
        other.AccountName = QStringLiteral("Ann Other");
        if (!realMenu) {
            provide(QStringLiteral("frmStartup"));
        }
        app.write("CustomerData.txt",
                  (realMenu ? other.toBytes() : QByteArray()) + johnSmith().toBytes());
        app.write("Templates/Proposals/Roof.txt", testData("proposals/template_roof.txt"));
        app.write("TIInventoriedItems.txt", testData("proposals/inventory_three.bin"));
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        app.write("TProposalCounter.txt", "1001\r\n");
        ctx.settings().taxRate1 = QStringLiteral("7.5");
        ctx.settings().applyTax1 = true;
        ctx.vars().CurrentCustomerRecord = 1;
        ctx.vars().Copies = 3;
    }

    QString screen = kWriter;
    Screen* writer() const { return screens.find(screen); }
    void clickItem(const QString& list, const QString& text) {
        auto* l = w<QListWidget>(list);
        const QList<QListWidgetItem*> found = l->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(found.first()).center());
    }
    // A picture taken of the window may leave it inactive, and an inactive
    // window gives no control the focus.
    void check(const QString& picture) const {
        CheckLayout(writer(), picture);
        writer()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(writer()));
    }
    // A day of the month shown, clicked where it is drawn.
    void pickDay(const QDate& day) const {
        auto* calendar = w<QCalendarWidget>(QStringLiteral("MonthView1"));
        calendar->setCurrentPage(day.year(), day.month());
        auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        QAbstractItemModel* m = view->model();
        for (int r = 1; r < m->rowCount(); ++r) {
            for (int c = 0; c < m->columnCount(); ++c) {
                const QModelIndex i = m->index(r, c);
                // Days 15 to 22 are drawn once on any page, all in the month.
                if (m->data(i).toInt() == day.day()) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                      view->visualRect(i).center());
                    return;
                }
            }
        }
        QFAIL("day not on the calendar");
    }
    QByteArrayList stored() const {
        QByteArrayList out;
        for (const QString& f : kFour) {
            out << (app.exists(f) ? app.read(f) : QByteArray("(none)"));
        }
        return out;
    }

    // Main menu, the routine, John Smith picked as the next customer, and
    // "Start Proposal": the routine's screen shown and active.
    void fromTheMainMenu(int routine) {
        screen = routine == 1 ? kWriter : QStringLiteral("frmFieldProposal");
        QVERIFY(startRoutine(routine)->isVisible());
        QCOMPARE(text("txtCustomer(0)"), QStringLiteral("ACC-1"));
        click("cmdNav(2)");
        click("cmdSchedule");
        QVERIFY(visible(screen) && !visible("frmCustomer"));
        QVERIFY(QTest::qWaitForWindowActive(writer()));
        QCOMPARE(ctx.vars().CurrentCustomerRecord, 2);
    }
    // Customer 1 to the body step.
    void start() {
        QVERIFY(screens.show(kWriter));
        QVERIFY(QTest::qWaitForWindowActive(writer()));
        QCOMPARE(texts({"lblCustomerInfo(1)", "txtCustomerInfo(4)"}),
                 QStringLiteral("Mr. John Smith|Bangor"));
        check(QStringLiteral("frmWriteProposal-location"));
        click("cmdCreation(0)");
    }
    // Two gutter guards and three downspouts from the inventory.
    void addItems() {
        // The menu comes on once the body has taken the focus.
        QTRY_VERIFY(w<QAction>("mnuItems")->isEnabled());
        trigger("mnuItems");
        for (const auto& [item, quantity] :
             {std::pair{"Gutter guard", "2"}, std::pair{"downspout", "3"}}) {
            clickItem("lstItems", QLatin1String(item));
            QTest::keyClicks(w("txtItem(2)"), QLatin1String(quantity));
            click("cmdItem(0)");
        }
        check(QStringLiteral("frmWriteProposal-body"));
        click("cmdCreation(2)");
    }
    void enterPrice(const char* amount) {
        QTest::keyClicks(w("txtpreAmount"), QLatin1String(amount));
        QTest::keyClick(w("txtpreAmount"), Qt::Key_Return);
    }
    // $1,000.00 and 7.5 %, three equal payments on the 15th of three months.
    void price() {
        enterPrice("1000");
        click("ckApplytax1");
        QCOMPARE(text("txtAmount"), QStringLiteral("$1,075.00"));
        click("cmdPostTaxes");
        click("optPayment(2)");
        auto* count = w<QComboBox>("cboPayments");
        count->setCurrentIndex(2);
        emit count->activated(2);
        click("cmdMultiContinue");
        click("ckAllEqual");
        QCOMPARE(text("txtPayment(2)"), QStringLiteral("$408.34"));
        check(QStringLiteral("frmWriteProposal-calendar"));
        for (const QDate& d : {QDate(2026, 12, 15), QDate(2027, 1, 15), QDate(2027, 2, 15)}) {
            pickDay(d);
        }
        QCOMPARE(text("lblPaymentDate(2)"), QStringLiteral("2/15/2027"));
        check(QStringLiteral("frmWriteProposal-pricing"));
        click("cmdCreation(4)");
        check(QStringLiteral("frmWriteProposal-print"));
        click("cmdContinue");
    }
    // The print dialog for three copies, and the question after it.
    void confirmPrint(Answer a) {
        app.prompter.expectPrintDialog(true, 3);
        ask("Did the Proposal Print Correctly", "Print Confirmation", a);
    }
    // The pages of the one job printed, and those of its three captions.
    QList<int> printedPages() const {
        QList<int> out;
        if (printer->jobs().size() == 1) {
            const Recording& job = *printer->jobs().first();
            out = {job.pages, job.first("Original").page, job.first("Duplicate").page,
                   job.first("Triplicate").page};
        }
        return out;
    }
    // The proposal printed and stored: back on the main menu.
    void printThenMenu(const QString& button) {
        click(button);
        UiRig::settle();
        QVERIFY(!screens.isLoaded(kWriter) && !visible(screen));
        QVERIFY(visible("frmStartup"));
    }
};
}  // namespace

class TestWriterScreen : public QObject {
    Q_OBJECT
private slots:
    // From the customer to a stored proposal, with the body from a template
    // or a document, confirmed or withdrawn.
    void writeAndPrint_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("template, confirmed") << "template" << true;
        QTest::newRow("60-line document, confirmed") << "document" << true;
        QTest::newRow("template, withdrawn") << "template" << false;
    }
    void writeAndPrint() {
        const QString source = fetched<QString>("source");
        const bool confirmed = fetched<bool>("confirmed");
        WriterScreens s;
        s.start();
        if (source == QLatin1String("template")) {
            s.click("optCreate(1)");
            s.clickItem("File1", "Roof.txt");
        } else {
            QByteArray doc;
            for (int i = 1; i <= 60; ++i) {
                doc += "Line " + QByteArray::number(i) + "\r\n";
            }
            s.app.write("work.txt", doc);
            s.app.prompter.expectOpenFile(s.app.path("work.txt"));
            s.click("optCreate(0)");
            QCOMPARE(s.text("txtBody").count(QLatin1Char('\n')), 49);
        }
        s.addItems();
        s.price();
        s.confirmPrint(confirmed ? Answer::Yes : Answer::No);
        if (!confirmed) {
            s.ask("Would you like to try to Reprint?", "Print Retry", Answer::No);
        }
        s.printThenMenu("cmdProposalContinue");
        QCOMPARE(s.app.read("TProposalCounter.txt"), confirmed ? "1002\r\n" : "1001\r\n");
        QByteArrayList expected(4, "(none)");
        if (confirmed) {
            expected = {UiData("writer_header.txt"),
                        UiData(QStringLiteral("writer_body_%1.txt").arg(source)),
                        UiData("writer_payments.txt"), UiData("writer_financials.txt")};
        }
        QCOMPARE(s.stored(), expected);
        const bool onePage = source == QLatin1String("template");
        QCOMPARE(s.printedPages(), onePage ? QList<int>({3, 1, 2, 3}) : QList<int>({6, 2, 4, 6}));
    }

    // Main menu, "Create a Proposal", the customer, "Start Proposal", the
    // writer, the print, and back on the main menu.
    void fromTheMainMenu() {
        WriterScreens s(true);
        s.fromTheMainMenu(1);
        QCOMPARE(s.text("lblCustomerInfo(1)"), QStringLiteral("Mr. John Smith"));
        s.click("cmdCreation(0)");
        s.click("optCreate(1)");
        s.clickItem("File1", "Roof.txt");
        s.addItems();
        s.price();
        s.confirmPrint(Answer::Yes);
        s.printThenMenu("cmdProposalContinue");
        QCOMPARE(s.stored().mid(1, 1), QByteArrayList{UiData("writer_body_template.txt")});
        QCOMPARE(s.printedPages(), QList<int>({3, 1, 2, 3}));
        QCOMPARE(s.ctx.vars().ProposalNumber, 1002);
    }

    // NEXT from the pricing step with a date, then an amount, missing.
    void scheduleChecks() {
        WriterScreens s;
        s.start();
        s.click("optCreate(2)");
        QTest::keyClicks(s.w("txtBody"), QStringLiteral("Paint the barn."));
        s.click("cmdCreation(2)");
        s.enterPrice("500");
        s.click("cmdPostTaxes");
        s.click("optPayment(0)");
        QTest::keyClicks(s.w("txtPayment(0)"), QStringLiteral("100"));
        s.expect("You must enter a Payment Date for each Payment", kTitle);
        s.click("cmdCreation(4)");
        s.pickDay(QDate(2026, 12, 15));
        s.pickDay(QDate(2026, 12, 22));
        s.expect("Enter a Payment Amount", kTitle);
        s.expect("The total of payments do not equal Proposed Amount", kTitle);
        s.click("cmdCreation(4)");
        QVERIFY(s.w("fraPricing")->isVisible());
        QCOMPARE(QApplication::focusWidget(), s.w("txtPayment(1)"));
        QCOMPARE(s.text("txtPayment(0)"), QStringLiteral("$100.00"));
    }
};

class TestFieldProposalScreen : public QObject {
    Q_OBJECT
private slots:
    // Shown for customer 1, the custom disclaimer judged at each showing,
    // printed with two sketch sheets and confirmed.
    void printWithSketchSheets() {
        WriterScreens s;
        s.screen = QStringLiteral("frmFieldProposal");
        QVERIFY(s.screens.show(s.screen));
        QVERIFY(!s.w("optDisclaimer(1)")->isEnabled());
        s.screens.hide(s.screen);
        s.app.write("CustomDisclaimer.txt", "\"Ours\"\r\n");
        s.screens.show(s.screen);
        QVERIFY(QTest::qWaitForWindowActive(s.writer()));
        QVERIFY(s.w("optDisclaimer(1)")->isEnabled());
        QCOMPARE(s.text("txtNextFieldProposal"), QStringLiteral("1001"));
        s.click("ckSketch");
        auto* sheets = s.w<QComboBox>("cboCopies");
        sheets->setCurrentIndex(1);
        emit sheets->activated(1);
        CheckLayout(s.writer(), QStringLiteral("frmFieldProposal"));
        s.confirmPrint(Answer::Yes);
        s.printThenMenu("cmdField(1)");
        QCOMPARE(s.app.read("TolvarProposals/1001.txt"), testData("proposals/header_field.txt"));
        QCOMPARE(s.app.read("TProposalCounter.txt"), QByteArray("1002\r\n"));
        const auto& jobs = s.printer->jobs();
        QCOMPARE(jobs.size(), 3);
        QCOMPARE(jobs.at(0)->first("Triplicate").page, 3);
        QCOMPARE(jobs.at(2)->find(QStringLiteral("For Proposal No.  1001 ")).size(), 1);
    }

    // Main menu, "Create a Field Proposal", the customer picked, "Start
    // Proposal", the field proposal printed, and back on the main menu.
    void fromTheMainMenu() {
        WriterScreens s(true);
        s.fromTheMainMenu(4);
        QCOMPARE(s.text("txtNextFieldProposal"), QStringLiteral("1001"));
        s.confirmPrint(Answer::Yes);
        s.printThenMenu("cmdField(1)");
        QCOMPARE(s.app.read("TolvarProposals/1001.txt"), testData("proposals/header_field.txt"));
        QCOMPARE(s.ctx.vars().ProposalNumber, 1002);
        QCOMPARE(s.printedPages(), QList<int>({3, 1, 2, 3}));
        const Recording& job = *s.printer->jobs().first();
        for (int page = 1; page <= 3; ++page) {
            QCOMPARE(job.find(QStringLiteral("Mr. John Smith")).value(page - 1).page, page);
        }
    }
};

TOLVAR_TEST(TestWriterScreen)
TOLVAR_TEST(TestFieldProposalScreen)
#include "test_proposalscreens.moc"
