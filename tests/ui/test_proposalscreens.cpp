#include "customers/customerrecord.h"
#include "print/recordingdevice.h"
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

// The program's screens over a folder with John Smith as customer 1, a
// template, the three inventory items and a first tax of 7.5 %.
struct WriterScreens : ScreenApp {
    std::shared_ptr<RecordingTarget> printer = std::make_shared<RecordingTarget>();

    // `realMenu`: the program's main menu, else a stand-in for it.
    explicit WriterScreens(bool realMenu = false) {
        if (!realMenu) {
            provide(QStringLiteral("frmStartup"));
        }
        app.write(QStringLiteral("CustomerData.txt"), johnSmith().toBytes());
        app.write(QStringLiteral("Templates/Proposals/Roof.txt"),
                  testData(QStringLiteral("proposals/template_roof.txt")));
        app.write(QStringLiteral("TIInventoriedItems.txt"),
                  testData(QStringLiteral("proposals/inventory_three.bin")));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalBody"));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalPayments"));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalFinancials"));
        app.write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
        app.ctx->settings().taxRate1 = QStringLiteral("7.5");
        app.ctx->settings().applyTax1 = true;
        app.ctx->vars().CurrentCustomerRecord = 1;
        app.ctx->vars().Copies = 3;
        app.ctx->printerFactory = [this] { return printer; };
    }

    QString screen = kWriter;  // whose controls get() finds
    Screen* writer() const { return screens->find(screen); }
    template <typename T = QWidget>
    T* get(const QString& name) const {
        T* w = writer() ? writer()->findChild<T*>(name) : nullptr;
        if (!w) {
            qWarning("no control %s", qPrintable(name));
        }
        return w;
    }
    void click(const QString& name) const { QTest::mouseClick(get(name), Qt::LeftButton); }
    // On the mark of a radio button or check box, where a user clicks.
    void tick(const QString& name) const {
        QWidget* w = get(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    }
    void clickItem(const QString& list, const QString& text) const {
        auto* l = get<QListWidget>(list);
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
    QString text(const QString& name) const { return get<QLineEdit>(name)->text(); }
    // A day of the month shown, clicked where it is drawn.
    void pickDay(const QDate& day) const {
        auto* calendar = get<QCalendarWidget>(QStringLiteral("MonthView1"));
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

    // Customer 1 to the body step.
    void start() {
        QVERIFY(screens->show(kWriter));
        QVERIFY(QTest::qWaitForWindowActive(writer()));
        QCOMPARE(get<QLabel>(QStringLiteral("lblCustomerInfo(1)"))->text(),
                 QStringLiteral("Mr. John Smith"));
        QCOMPARE(text(QStringLiteral("txtCustomerInfo(4)")), QStringLiteral("Bangor"));
        check(QStringLiteral("frmWriteProposal-location"));
        click(QStringLiteral("cmdCreation(0)"));
    }
    // Two gutter guards and three downspouts from the inventory.
    void addItems() {
        // The menu comes on once the body has taken the focus.
        QTRY_VERIFY(get<QAction>(QStringLiteral("mnuItems"))->isEnabled());
        get<QAction>(QStringLiteral("mnuItems"))->trigger();
        for (const auto& [item, quantity] :
             {std::pair{"Gutter guard", "2"}, std::pair{"downspout", "3"}}) {
            clickItem(QStringLiteral("lstItems"), QLatin1String(item));
            QTest::keyClicks(get(QStringLiteral("txtItem(2)")), QLatin1String(quantity));
            click(QStringLiteral("cmdItem(0)"));
        }
        check(QStringLiteral("frmWriteProposal-body"));
        click(QStringLiteral("cmdCreation(2)"));
    }
    // $1,000.00 and 7.5 %, three equal payments on the 15th of three months.
    void price() {
        QTest::keyClicks(get(QStringLiteral("txtpreAmount")), QStringLiteral("1000"));
        QTest::keyClick(get(QStringLiteral("txtpreAmount")), Qt::Key_Return);
        tick(QStringLiteral("ckApplytax1"));
        QCOMPARE(text(QStringLiteral("txtAmount")), QStringLiteral("$1,075.00"));
        click(QStringLiteral("cmdPostTaxes"));
        tick(QStringLiteral("optPayment(2)"));
        auto* count = get<QComboBox>(QStringLiteral("cboPayments"));
        count->setCurrentIndex(2);
        emit count->activated(2);
        click(QStringLiteral("cmdMultiContinue"));
        tick(QStringLiteral("ckAllEqual"));
        QCOMPARE(text(QStringLiteral("txtPayment(2)")), QStringLiteral("$408.34"));
        check(QStringLiteral("frmWriteProposal-calendar"));
        for (const QDate& d : {QDate(2026, 12, 15), QDate(2027, 1, 15), QDate(2027, 2, 15)}) {
            pickDay(d);
        }
        QCOMPARE(get<QLabel>(QStringLiteral("lblPaymentDate(2)"))->text(),
                 QStringLiteral("2/15/2027"));
        check(QStringLiteral("frmWriteProposal-pricing"));
        click(QStringLiteral("cmdCreation(4)"));
        check(QStringLiteral("frmWriteProposal-print"));
        click(QStringLiteral("cmdContinue"));
    }
    void expect(const QString& question, const QString& title, Answer a) {
        app.prompter.expectQuestion(question, title, Buttons::YesNo, Icon::Question, a);
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
        QFETCH(QString, source);
        QFETCH(bool, confirmed);
        WriterScreens s;
        s.start();
        if (source == QLatin1String("template")) {
            s.tick(QStringLiteral("optCreate(1)"));
            s.clickItem(QStringLiteral("File1"), QStringLiteral("Roof.txt"));
        } else {
            QByteArray doc;
            for (int i = 1; i <= 60; ++i) {
                doc += "Line " + QByteArray::number(i) + "\r\n";
            }
            s.app.write(QStringLiteral("work.txt"), doc);
            s.app.prompter.expectOpenFile(s.app.path(QStringLiteral("work.txt")));
            s.tick(QStringLiteral("optCreate(0)"));
            QCOMPARE(s.get<QPlainTextEdit>(QStringLiteral("txtBody"))
                         ->toPlainText()
                         .count(QLatin1Char('\n')),
                     49);
        }
        s.addItems();
        s.price();
        s.app.prompter.expectPrintDialog(true, 3);
        s.expect(QStringLiteral("Did the Proposal Print Correctly"),
                 QStringLiteral("Print Confirmation"), confirmed ? Answer::Yes : Answer::No);
        if (!confirmed) {
            s.expect(QStringLiteral("Would you like to try to Reprint?"),
                     QStringLiteral("Print Retry"), Answer::No);
        }
        s.click(QStringLiteral("cmdProposalContinue"));
        ScreenApp::settle();
        QVERIFY(!s.screens->isLoaded(kWriter));
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.app.read(QStringLiteral("TProposalCounter.txt")),
                 confirmed ? QByteArray("1002\r\n") : QByteArray("1001\r\n"));
        QByteArrayList expected(4, "(none)");
        if (confirmed) {
            expected = {testData(QStringLiteral("ui/writer_header.txt")),
                        testData(QStringLiteral("ui/writer_body_%1.txt").arg(source)),
                        testData(QStringLiteral("ui/writer_payments.txt")),
                        testData(QStringLiteral("ui/writer_financials.txt"))};
        }
        QCOMPARE(s.stored(), expected);
        QCOMPARE(s.printer->jobs().size(), 1);
        const Recording& job = *s.printer->jobs().first();
        QCOMPARE(job.pages, source == QLatin1String("template") ? 3 : 6);
        const QList<int> captions{job.first("Original").page, job.first("Duplicate").page,
                                  job.first("Triplicate").page};
        const bool onePage = source == QLatin1String("template");
        QCOMPARE(captions, onePage ? QList<int>({1, 2, 3}) : QList<int>({2, 4, 6}));
    }

    // Main menu, "Create a Proposal", the customer, "Start Proposal", the
    // writer, the print, and back on the main menu.
    void fromTheMainMenu() {
        WriterScreens s(true);
        s.app.ctx->vars().CurrentCustomerRecord = 1;
        Screen* menu = s.screens->show(QStringLiteral("frmStartup"));
        QTest::mouseClick(menu->findChild<QWidget*>(QStringLiteral("optProgramRoutine(0)")),
                          Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(menu->findChild<QWidget*>(QStringLiteral("cmdStart")), Qt::LeftButton);
        Screen* customer = s.screens->find(QStringLiteral("frmCustomer"));
        QVERIFY(customer && customer->isVisible());
        QTest::mouseClick(customer->findChild<QWidget*>(QStringLiteral("cmdSchedule")),
                          Qt::LeftButton);
        QVERIFY(s.visible(kWriter));
        QVERIFY(QTest::qWaitForWindowActive(s.writer()));
        QCOMPARE(s.get<QLabel>(QStringLiteral("lblCustomerInfo(1)"))->text(),
                 QStringLiteral("Mr. John Smith"));
        s.click(QStringLiteral("cmdCreation(0)"));
        s.tick(QStringLiteral("optCreate(1)"));
        s.clickItem(QStringLiteral("File1"), QStringLiteral("Roof.txt"));
        s.addItems();
        s.price();
        s.app.prompter.expectPrintDialog(true, 3);
        s.expect(QStringLiteral("Did the Proposal Print Correctly"),
                 QStringLiteral("Print Confirmation"), Answer::Yes);
        s.click(QStringLiteral("cmdProposalContinue"));
        ScreenApp::settle();
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
        QCOMPARE(s.stored().at(1), testData(QStringLiteral("ui/writer_body_template.txt")));
        QCOMPARE(s.app.ctx->vars().ProposalNumber, 1002);
    }

    // NEXT from the pricing step with a date, then an amount, missing.
    void scheduleChecks() {
        WriterScreens s;
        s.start();
        s.tick(QStringLiteral("optCreate(2)"));
        QTest::keyClicks(s.get(QStringLiteral("txtBody")), QStringLiteral("Paint the barn."));
        s.click(QStringLiteral("cmdCreation(2)"));
        QTest::keyClicks(s.get(QStringLiteral("txtpreAmount")), QStringLiteral("500"));
        QTest::keyClick(s.get(QStringLiteral("txtpreAmount")), Qt::Key_Return);
        s.click(QStringLiteral("cmdPostTaxes"));
        s.tick(QStringLiteral("optPayment(0)"));
        QTest::keyClicks(s.get(QStringLiteral("txtPayment(0)")), QStringLiteral("100"));
        s.app.prompter.expectMessage(
            QStringLiteral("You must enter a Payment Date for each Payment"), kTitle, Icon::None);
        s.click(QStringLiteral("cmdCreation(4)"));
        s.pickDay(QDate(2026, 12, 15));
        s.pickDay(QDate(2026, 12, 22));
        s.app.prompter.expectMessage(QStringLiteral("Enter a Payment Amount"), kTitle, Icon::None);
        s.app.prompter.expectMessage(
            QStringLiteral("The total of payments do not equal Proposed Amount"), kTitle,
            Icon::None);
        s.click(QStringLiteral("cmdCreation(4)"));
        QVERIFY(s.get(QStringLiteral("fraPricing"))->isVisible());
        QCOMPARE(QApplication::focusWidget(), s.get(QStringLiteral("txtPayment(1)")));
        QCOMPARE(s.text(QStringLiteral("txtPayment(0)")), QStringLiteral("$100.00"));
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
        QVERIFY(s.screens->show(s.screen));
        QVERIFY(!s.get(QStringLiteral("optDisclaimer(1)"))->isEnabled());
        s.screens->hide(s.screen);
        s.app.write(QStringLiteral("CustomDisclaimer.txt"), "\"Ours\"\r\n");
        s.screens->show(s.screen);
        QVERIFY(QTest::qWaitForWindowActive(s.writer()));
        QVERIFY(s.get(QStringLiteral("optDisclaimer(1)"))->isEnabled());
        QCOMPARE(s.text(QStringLiteral("txtNextFieldProposal")), QStringLiteral("1001"));
        s.tick(QStringLiteral("ckSketch"));
        auto* sheets = s.get<QComboBox>(QStringLiteral("cboCopies"));
        sheets->setCurrentIndex(1);
        emit sheets->activated(1);
        CheckLayout(s.writer(), QStringLiteral("frmFieldProposal"));
        s.app.prompter.expectPrintDialog(true, 3);
        s.expect(QStringLiteral("Did the Proposal Print Correctly"),
                 QStringLiteral("Print Confirmation"), Answer::Yes);
        s.click(QStringLiteral("cmdField(1)"));
        QCOMPARE(s.app.read(QStringLiteral("TolvarProposals/1001.txt")),
                 testData(QStringLiteral("proposals/header_field.txt")));
        QCOMPARE(s.app.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1002\r\n"));
        const auto& jobs = s.printer->jobs();
        QCOMPARE(jobs.size(), 3);
        QCOMPARE(jobs.at(0)->first("Triplicate").page, 3);
        QCOMPARE(jobs.at(2)->find(QStringLiteral("For Proposal No.  1001 ")).size(), 1);
        QVERIFY(!s.writer()->isVisible());
        QVERIFY(s.visible(QStringLiteral("frmStartup")));
    }
};

TOLVAR_TEST(TestWriterScreen)
TOLVAR_TEST(TestFieldProposalScreen)
#include "test_proposalscreens.moc"
