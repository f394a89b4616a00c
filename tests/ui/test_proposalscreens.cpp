#include "settings/settings.h"
#include "testmain.h"
#include "uitesthelpers.h"

namespace {
// The program's screens over a folder with John Smith (account ACC-7) as
// customer 1 (or, from the main menu, 2 after ACC-1 "Ann Other"), a template,
// the three inventory items and a first tax of 7.5 %.
struct WriterScreens : UiRig {
    // `realMenu`: the program's main menu, else a stand-in for it.
    explicit WriterScreens(bool realMenu = false) {
        if (!realMenu) {
            provide(QStringLiteral("frmStartup"));
        }
        app.write("CustomerData.txt", (realMenu ? UiData("customer-ann-other.bin") : QByteArray()) +
                                          UiData("customer-john-smith.bin"));
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
};
}  // namespace

class TestWriterScreen : public QObject {
    Q_OBJECT
private slots:
    // From customer 1 to a stored proposal, with the body from a template or
    // a document, confirmed or withdrawn: the pages of the one job printed.
    void writeAndPrint_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("template, confirmed")
            << "writer-template"
            << "writer-template-confirmed" << QList<int>{3, 1, 2, 3};
        QTest::newRow("60-line document, confirmed")
            << "writer-document"
            << "writer-document-confirmed" << QList<int>{6, 2, 4, 6};
        QTest::newRow("template, withdrawn") << "writer-template"
                                             << "writer-withdrawn" << QList<int>{3, 1, 2, 3};
    }
    void writeAndPrint() {
        WriterScreens s;
        s.flow("writer-start");
        s.flow(fetched<QString>("body"));
        s.flow("writer-items");
        s.flow("writer-price");
        s.flow(fetched<QString>("end"));
        QCOMPARE(s.printedPages(), fetched<QList<int>>("pages"));
    }

    void fromTheMainMenu() {
        WriterScreens s(true);
        s.flow("writer-from-menu");
        QCOMPARE(s.printedPages(), QList<int>({3, 1, 2, 3}));
        QCOMPARE(s.ctx.vars().ProposalNumber, 1002);
    }

    void scheduleChecks() {
        WriterScreens s;
        s.flow("writer-start");
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
        QCOMPARE(
            (QList<qsizetype>{jobs.at(0)->first("Triplicate").page,
                              jobs.at(2)->find(QStringLiteral("For Proposal No.  1001 ")).size()}),
            (QList<qsizetype>{3, 1}));
    }

    void fromTheMainMenu() {
        WriterScreens s(true);
        s.flow("field-from-menu");
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
