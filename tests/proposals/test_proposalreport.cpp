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

// A typed proposal, a field proposal and an invoiced one in the report.
struct ReportApp : ScriptApp {
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

    // The report's own steps of report_scripts.txt.
    bool screenStep(const QStringList& a) override {
        const QString arg = a.value(1);
        const int n = arg.toInt();
        const QString t2 = QString::fromUtf8(CaseUnescaped(a.value(2).toUtf8()));
        const ProposalReportDetails& d = report.details();
        const Steps steps{
            {"fill", [&] { QCOMPARE(report.fill(), arg == "yes"); }},
            {"click",
             [&] { QCOMPARE(int(report.click(n, a.value(2).toInt())), a.value(3).toInt()); }},
            {"delete", [&] { QCOMPARE(report.deleteSelected(), arg == "yes"); }},
            {"closeDetails", [&] { report.closeDetails(); }},
            {"rows", [&] { QCOMPARE(int(report.rows().size()), n); }},
            {"grid", [&] { QCOMPARE(report.rows().at(n).cells().join(u';'), t2); }},
            {"fieldProposal", [&] { QCOMPARE(report.rows().at(n).isFieldProposal(), true); }},
            {"marks", [&] { QCOMPARE(marks(), arg); }},
            {"selected", [&] { QCOMPARE(report.selectedCount(), n); }},
            {"details", [&] { QCOMPARE(report.detailsShown(), arg == "yes"); }},
            {"body", [&] { QCOMPARE(d.body, QString::fromUtf8(CaseUnescaped(arg.toUtf8()))); }},
            {"schedule", [&] { QCOMPARE(schedule(), arg); }},
            {"noData", [&] { QCOMPARE(d.noPaymentData, arg == "yes"); }}};
        return take(steps, a);
    }

    // x for a row marked, - for one not.
    QString marks() const {
        QString out;
        for (const ProposalReportRow& r : report.rows()) {
            out += r.cells().first() == R::selectionMark() ? QLatin1Char('x') : QLatin1Char('-');
        }
        return out;
    }
    // The details' amount and count, then each payment's amount and date.
    QString schedule() const {
        const ProposalReportDetails& d = report.details();
        QStringList out{d.proposedAmount, d.paymentCount};
        for (const ReportPayment& p : d.payments) {
            out << p.amount << p.dueDate;
        }
        return out.join(u';');
    }
};
}  // namespace

class TestProposalReport : public QObject {
    Q_OBJECT
private slots:
    // Filling, clicking, details and deleting, each a script.
    void scripts_data() { loadScripts(QStringLiteral("report_scripts.txt")); }
    void scripts() {
        ReportApp app;
        app.runScript();
    }
};

TOLVAR_TEST(TestProposalReport)
#include "test_proposalreport.moc"
