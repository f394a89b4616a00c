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
        flow("writer-start");
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
            QCOMPARE(s.step("item", {"File1", "Roof.txt"}), QString());
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
        s.flow("writer-items");
        s.flow("writer-price");
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
        QCOMPARE(s.step("item", {"File1", "Roof.txt"}), QString());
        s.flow("writer-items");
        s.flow("writer-price");
        s.confirmPrint(Answer::Yes);
        s.printThenMenu("cmdProposalContinue");
        QCOMPARE(s.stored().mid(1, 1), QByteArrayList{UiData("writer_body_template.txt")});
        QCOMPARE(s.printedPages(), QList<int>({3, 1, 2, 3}));
        QCOMPARE(s.ctx.vars().ProposalNumber, 1002);
    }

    void scheduleChecks() {
        WriterScreens s;
        s.start();
        s.flow("writer-schedule-checks");
    }
};

class TestFieldProposalScreen : public QObject {
    Q_OBJECT
private slots:
    void printWithSketchSheets() {
        WriterScreens s;
        s.flow("field-sketch");
        s.flow("field-print");
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
        s.flow("field-print");
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
