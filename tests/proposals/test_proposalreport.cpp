#include "proposals/proposalreport.h"
#include "proposalsfixture.h"
#include "testmain.h"

#include <QTest>

using R = ProposalReport;

namespace {

QByteArray header(const char* number, const char* price, const char* date, const char* name) {
    return QByteArray("\"") + number + "\"," + price + ",#" + date + "#\r\n\"555-1234\"\r\n\"" +
           name + "\"\r\n";
}

// A typed proposal, a field proposal and an invoiced one, and what the grid
// shows of them.
struct ReportApp : ProposalsApp {
    R report{*ctx};

    ReportApp() {
        write("TolvarProposals/1001.txt", header("1001", "1075", "2026-11-02", "Jane Doe"));
        write("TolvarProposals/1002.txt", header("FP1002", "0", "2026-11-03", "Al Roe"));
        write("TolvarProposals/1003.txt", header("1003P", "250.5", "2026-11-04", "Bo Ray"));
        write("TolvarProposals/ProposalBody/1001.txt", "Paint\r\nthe fence\r\n");
        write("TolvarProposals/ProposalPayments/1001.txt", golden("payments_two.txt"));
        write("TolvarProposals/ProposalBody/1003.txt", "Gate\r\n");
        write("TolvarProposals/ProposalPayments/1003.txt",
              "$250.50\r\n 1 \r\n$250.5\r\n12/20/2026\r\n");
    }
    QList<QStringList> grid() const {
        QList<QStringList> out;
        for (const ProposalReportRow& r : report.rows()) {
            out << r.cells();
        }
        return out;
    }
};

const QList<QStringList> kGrid{{"", "11/2/2026", "1001", "555-1234", "Jane Doe", "$1,075.00"},
                               {"", "11/3/2026", "FP1002", "555-1234", "Al Roe", "$0.00"},
                               {"", "11/4/2026", "1003P", "555-1234", "Bo Ray", "$250.50"}};
}  // namespace

class TestProposalReport : public QObject {
    Q_OBJECT
private slots:
    // One row per header file; one that cannot be read is listed all the
    // same, so that it can be deleted.
    void rows() {
        ReportApp app;
        app.write("TolvarProposals/1004.txt", QByteArray("\x01\x02\"\xff", 4));
        QVERIFY(app.report.fill());
        const QStringList unreadable{"", "", QString::fromLatin1("\x01\x02\"\xff", 4),
                                     "", "", "$0.00"};
        QCOMPARE(app.grid(), kGrid + QList<QStringList>{unreadable});
        QCOMPARE(app.report.rows().at(1).isFieldProposal(), true);
    }

    // A field proposal's number is told to have no details.
    void clicks_data() { cases::load(QStringLiteral("proposals/report_clicks.txt")); }
    void clicks() {
        const QList<int> clicks = cases::row().numbers(0);
        ReportApp app;
        QVERIFY(app.report.fill());
        QList<int> outcomes;
        for (int i = 0; i < clicks.size(); i += 2) {
            if (clicks[i] == 2 && clicks[i + 1] == R::ProposalNo) {
                app.prompter.expectMessage(R::fieldProposalMessage(), kTitle, Icon::None);
            }
            outcomes << int(app.report.click(clicks[i], clicks[i + 1]));
        }
        QString marks;
        for (const ProposalReportRow& r : app.report.rows()) {
            marks += r.cells().first() == R::selectionMark() ? QLatin1Char('x') : QLatin1Char('-');
        }
        QCOMPARE(outcomes, cases::row().numbers(1));
        QCOMPARE(marks, cases::row().text(2));
        QVERIFY(!app.report.detailsShown());
    }

    // The body and the schedule of a proposal; an invoiced one keeps its
    // files under the plain number; payments files written elsewhere.
    void details_data() { cases::load(QStringLiteral("proposals/report_details.txt")); }
    void details() {
        const cases::Row c = cases::row();
        ReportApp app;
        app.write("TolvarProposals/1005.txt", header("1005", "9", "2026-11-05", "N"));
        if (c.bytes(1) != "-") {
            app.write("TolvarProposals/ProposalPayments/1005.txt", c.bytes(1));
        }
        QVERIFY(app.report.fill());
        QCOMPARE(app.report.click(c.number(0), R::ProposalNo), R::Click::Details);
        QVERIFY(app.report.detailsShown());
        const ProposalReportDetails& d = app.report.details();
        QStringList schedule{d.proposedAmount, d.paymentCount};
        for (const ReportPayment& p : d.payments) {
            schedule << p.amount << p.dueDate;
        }
        QCOMPARE(d.body, c.text(2));
        QCOMPARE(schedule, c.list(3));
        QCOMPARE(d.noPaymentData, c.yes(4));
        app.report.closeDetails();
        QVERIFY(!app.report.detailsShown());
    }

    // The marked proposals go with all four files once the user agrees;
    // those that cannot are named in one message and stay whole.
    void deleting_data() {
        QTest::addColumn<bool>("frozen");
        QTest::addColumn<bool>("agreed");
        QTest::addColumn<QList<QStringList>>("left");
        QTest::newRow("deleted") << false << true << kGrid.mid(1, 1);
        // Declined: nothing goes, and the marks stay for another try.
        QList<QStringList> marked = kGrid;
        marked[0][0] = marked[2][0] = R::selectionMark();
        QTest::newRow("declined") << false << false << marked;
        QTest::newRow("folder frozen") << true << true << kGrid;
    }
    void deleting() {
        QFETCH(bool, frozen);
        QFETCH(bool, agreed);
        ReportApp app;
        QVERIFY(app.report.fill());
        app.report.click(1, R::Select);
        app.report.click(3, R::Select);
        app.report.click(1, R::ProposalNo);
        app.prompter.expectQuestion(
            QStringLiteral("Delete the 2 selected Proposals and all of their files?"),
            QStringLiteral("Delete Proposals"), Buttons::YesNo, Icon::Question,
            agreed ? Answer::Yes : Answer::No);
        std::unique_ptr<Frozen> freeze;
        if (frozen) {
            freeze = std::make_unique<Frozen>(app.path("TolvarProposals"));
            const QString reason = frozenDeleteReason();
            app.prompter.expectMessage(
                IoStatus::failure(app.path("TolvarProposals/1001.txt"), reason).message() +
                    QStringLiteral("\r\n") +
                    IoStatus::failure(app.path("TolvarProposals/1003.txt"), reason).message(),
                kTitle, Icon::Critical);
        }
        QVERIFY(app.report.deleteSelected());
        freeze.reset();
        const bool kept = frozen || !agreed;
        QTEST(app.grid(), "left");
        QCOMPARE(app.report.detailsShown(), !agreed);
        QCOMPARE(app.report.selectedCount(), agreed ? 0 : 2);
        QCOMPARE(app.exists("TolvarProposals/ProposalBody/1003.txt"), kept);
        QCOMPARE(app.exists("TolvarProposals/ProposalPayments/1001.txt"), kept);
    }

    void deletingTheLast() {
        TempApp app;
        app.write("TolvarProposals/1001.txt", header("1001", "1", "2026-11-02", "N"));
        R report(*app.ctx);
        QVERIFY(report.fill());
        app.prompter.expectMessage(
            QStringLiteral("No Proposals are selected\r\nClick the Select Column to mark the "
                           "Proposals to delete"),
            kTitle, Icon::None);
        QVERIFY(report.deleteSelected());
        report.click(1, R::Select);
        app.prompter.expectQuestion(
            QStringLiteral("Delete the selected Proposal and all of its files?"),
            QStringLiteral("Delete Proposals"), Buttons::YesNo, Icon::Question, Answer::Yes);
        app.prompter.expectMessage(QStringLiteral("No Proposals Exist"), kTitle, Icon::None);
        QVERIFY(!report.deleteSelected());
        QVERIFY(!app.exists("TolvarProposals/1001.txt"));
    }
};

TOLVAR_TEST(TestProposalReport)
#include "test_proposalreport.moc"
