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
};
}  // namespace

class TestProposalScreens : public QObject {
    Q_OBJECT
private slots:
    // The writer and the field proposal from customer 1, or from the main
    // menu, to a stored proposal and what it printed.
    void flows_data() {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<bool>("realMenu");
        for (const char* flow :
             {"writer-template-run", "writer-document-run", "writer-withdrawn-run",
              "writer-schedule-checks", "field-sketch"}) {
            QTest::newRow(flow) << QString::fromLatin1(flow) << false;
        }
        QTest::newRow("writer-from-menu") << "writer-from-menu" << true;
        QTest::newRow("field-from-menu") << "field-from-menu" << true;
    }
    void flows() {
        const bool realMenu = fetched<bool>("realMenu");
        WriterScreens s(realMenu);
        s.flow(fetched<QString>("flow"));
        if (realMenu) {
            // The stored proposal moves the number on for the next.
            QCOMPARE(s.ctx.vars().ProposalNumber, 1002);
        }
    }
};

TOLVAR_TEST(TestProposalScreens)
#include "test_proposalscreens.moc"
