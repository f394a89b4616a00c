#include "proposals/proposalreport.h"

#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
QByteArray header(const char* number, const char* price, const char* date, const char* account,
                  const char* name) {
    QByteArray b = QByteArray("\"") + number + "\"," + price + ",#" + date + "#\r\n\"" + account +
                   "\"\r\n\"" + name + "\"\r\n";
    for (int i = 0; i < 13; ++i) {
        b += "\"\"\r\n";
    }
    return b;
}

struct Fixture {
    TempApp app;
    ProposalReport report{*app.ctx};

    Fixture() {
        app.write(QStringLiteral("TolvarProposals/1001.txt"),
                  header("1001", "1075", "2026-11-02", "555-1234", "Jane Doe"));
        app.write(QStringLiteral("TolvarProposals/1002.txt"),
                  header("FP1002", "0", "2026-11-03", "ACC-9", "Al Roe"));
        app.write(QStringLiteral("TolvarProposals/1003.txt"),
                  header("1003P", "250.5", "2026-11-04", "555-0000", "Bo Ray"));
        app.write(QStringLiteral("TolvarProposals/ProposalBody/1001.txt"),
                  "Paint\r\nthe fence\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt"),
                  "$1,075.00\r\n2\r\n$500.00\r\n12/10/2026\r\n$575.00\r\n1/10/2027\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt"),
                  "$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalBody/1003.txt"), "Gate\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalPayments/1003.txt"),
                  "$250.50\r\n 1 \r\n$250.50\r\n12/20/2026\r\n");
    }
    int rowOf(const QString& number) const {
        for (int i = 0; i < report.rows().size(); ++i) {
            if (report.rows().at(i).number == number) {
                return i + 1;
            }
        }
        return -1;
    }
};
}  // namespace

class TestProposalReport : public QObject {
    Q_OBJECT
private slots:
    void oneRowPerHeaderFile() {
        Fixture f;
        QVERIFY(f.report.fill());
        QCOMPARE(f.report.rows().size(), 3);
        QCOMPARE(f.report.rows().at(f.rowOf(QStringLiteral("1001")) - 1).cells(),
                 (QStringList{QString(), QStringLiteral("11/2/2026"), QStringLiteral("1001"),
                              QStringLiteral("555-1234"), QStringLiteral("Jane Doe"),
                              QStringLiteral("$1,075.00")}));
        QCOMPARE(f.report.rows().at(f.rowOf(QStringLiteral("FP1002")) - 1).amount,
                 QStringLiteral("$0.00"));
        QCOMPARE(f.report.rows().at(f.rowOf(QStringLiteral("1003P")) - 1).amount,
                 QStringLiteral("$250.50"));
        QVERIFY(f.app.prompter.done());
    }

    void hostileHeadersStillListed_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("amount");
        QTest::newRow("empty") << QByteArray() << QString() << QStringLiteral("$0.00");
        QTest::newRow("text for price") << QByteArray("\"1004\",\"abc\",#2026-01-01#")
                                        << QStringLiteral("1004") << QStringLiteral("$0.00");
        QTest::newRow("binary") << QByteArray("\x01\x02\"\xff", 4)
                                << QString::fromLatin1("\x01\x02\"\xff", 4)
                                << QStringLiteral("$0.00");
    }
    void hostileHeadersStillListed() {
        QFETCH(QByteArray, content);
        QFETCH(QString, number);
        QFETCH(QString, amount);
        TempApp app;
        app.write(QStringLiteral("TolvarProposals/1004.txt"), content);
        ProposalReport report(*app.ctx);
        QVERIFY(report.fill());
        QCOMPARE(report.rows().size(), 1);
        QCOMPARE(report.rows().at(0).fileName, QStringLiteral("1004.txt"));
        QCOMPARE(report.rows().at(0).number, number);
        QCOMPARE(report.rows().at(0).amount, amount);
    }

    void noHeaderFiles() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals/ProposalBody"));
        app.write(QStringLiteral("TolvarProposals/notes.doc"), "x");
        app.prompter.expectMessage(QStringLiteral("No Proposals Exist"));
        ProposalReport report(*app.ctx);
        QVERIFY(!report.fill());
        QVERIFY(report.rows().isEmpty());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void clicks_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("outcome");
        QTest::newRow("select once")
            << 1 << int(ProposalReport::Select) << 1 << true << int(ProposalReport::Click::Toggled);
        QTest::newRow("select twice") << 1 << int(ProposalReport::Select) << 2 << false
                                      << int(ProposalReport::Click::Toggled);
        QTest::newRow("heading row") << 0 << int(ProposalReport::Select) << 1 << false
                                     << int(ProposalReport::Click::Nothing);
        QTest::newRow("past the last row") << 4 << int(ProposalReport::Select) << 1 << false
                                           << int(ProposalReport::Click::Nothing);
        QTest::newRow("name column")
            << 1 << int(ProposalReport::Name) << 1 << false << int(ProposalReport::Click::Nothing);
    }
    void clicks() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(bool, marked);
        QFETCH(int, outcome);
        Fixture f;
        QVERIFY(f.report.fill());
        ProposalReport::Click last = ProposalReport::Click::Nothing;
        for (int i = 0; i < clicks; ++i) {
            last = f.report.click(row, column);
        }
        QCOMPARE(int(last), outcome);
        int markedRows = 0;
        for (int i = 0; i < f.report.rows().size(); ++i) {
            const bool on = f.report.rows().at(i).selected;
            markedRows += on ? 1 : 0;
            QCOMPARE(f.report.rows().at(i).cells().at(0),
                     on ? ProposalReport::selectionMark() : QString());
        }
        QCOMPARE(markedRows, marked ? 1 : 0);
        QVERIFY(!f.report.detailsShown());
    }

    void fieldProposalNumberShowsMessage() {
        Fixture f;
        QVERIFY(f.report.fill());
        f.app.prompter.expectMessage(
            QStringLiteral("This Proposal is a Field Proposal\r\n"
                           "Use the Finalize Routine to add\r\n"
                           "Body Data, Pricing and Scheduling"));
        QCOMPARE(f.report.click(f.rowOf(QStringLiteral("FP1002")), ProposalReport::ProposalNo),
                 ProposalReport::Click::FieldProposal);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QVERIFY(!f.report.detailsShown());
    }

    void detailsOfATypedProposal() {
        Fixture f;
        QVERIFY(f.report.fill());
        QCOMPARE(f.report.click(f.rowOf(QStringLiteral("1001")), ProposalReport::ProposalNo),
                 ProposalReport::Click::Details);
        QVERIFY(f.report.detailsShown());
        const ProposalReportDetails& d = f.report.details();
        QCOMPARE(d.body, QStringLiteral("Paint\r\nthe fence\r\n"));
        QVERIFY(!d.noPaymentData);
        QCOMPARE(d.proposedAmount, QStringLiteral("$1,075.00"));
        QCOMPARE(d.paymentCount, QStringLiteral("2"));
        QCOMPARE(d.payments.size(), 2);
        QCOMPARE(d.payments.at(1).amount, QStringLiteral("$575.00"));
        QCOMPARE(d.payments.at(1).dueDate, QStringLiteral("1/10/2027"));
        f.report.closeDetails();
        QVERIFY(!f.report.detailsShown());
    }

    // An invoiced proposal keeps its files under the plain number.
    void detailsOfAnInvoicedProposal() {
        Fixture f;
        QVERIFY(f.report.fill());
        f.report.click(f.rowOf(QStringLiteral("1003P")), ProposalReport::ProposalNo);
        const ProposalReportDetails& d = f.report.details();
        QCOMPARE(d.body, QStringLiteral("Gate\r\n"));
        QCOMPARE(d.paymentCount, QStringLiteral("1"));
        QCOMPARE(d.payments.size(), 1);
        QCOMPARE(d.payments.at(0).amount, QStringLiteral("$250.50"));
        QCOMPARE(d.payments.at(0).dueDate, QStringLiteral("12/20/2026"));
    }

    void schedules_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("note");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("shown");
        QTest::newRow("no payments file") << false << QByteArray() << true << QString() << 0;
        QTest::newRow("one payment") << true << QByteArray("$9.00\r\n1\r\n$9.00\r\n12/1/2026\r\n")
                                     << false << QStringLiteral("1") << 1;
        QTest::newRow("count above eight")
            << true << QByteArray("$9.00\r\n9\r\n$1.00\r\n12/1/2026\r\n") << true
            << QStringLiteral("9") << 0;
        QTest::newRow("fewer lines than promised")
            << true << QByteArray("$9.00\r\n3\r\n$3.00\r\n12/1/2026\r\n$3.00\r\n12/8/2026\r\n$3.00")
            << false << QStringLiteral("3") << 2;
        QTest::newRow("count not a number")
            << true << QByteArray("$9.00\r\nx\r\n") << true << QStringLiteral("0") << 0;
    }
    void schedules() {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(bool, note);
        QFETCH(QString, count);
        QFETCH(int, shown);
        TempApp app;
        app.write(QStringLiteral("TolvarProposals/1005.txt"),
                  header("1005", "9", "2026-11-05", "A", "N"));
        if (present) {
            app.write(QStringLiteral("TolvarProposals/ProposalPayments/1005.txt"), content);
        }
        ProposalReport report(*app.ctx);
        QVERIFY(report.fill());
        QCOMPARE(report.click(1, ProposalReport::ProposalNo), ProposalReport::Click::Details);
        const ProposalReportDetails& d = report.details();
        QVERIFY(d.body.isEmpty());
        QCOMPARE(d.noPaymentData, note);
        QCOMPARE(d.paymentCount, count);
        QCOMPARE(d.payments.size(), shown);
    }

    void deletingMarkedProposals() {
        Fixture f;
        // A backup copy is no reason for a deleted file to come back.
        f.app.write(QStringLiteral("Backup/TolvarProposals/ProposalBody/1003.txt"), "old\r\n");
        QVERIFY(f.report.fill());
        f.report.click(f.rowOf(QStringLiteral("1001")), ProposalReport::Select);
        f.report.click(f.rowOf(QStringLiteral("1003P")), ProposalReport::Select);
        f.report.click(f.rowOf(QStringLiteral("1001")), ProposalReport::ProposalNo);
        QVERIFY(f.report.detailsShown());
        QVERIFY(f.report.deleteSelected());
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.report.rows().size(), 1);
        QCOMPARE(f.report.rows().at(0).number, QStringLiteral("FP1002"));
        QVERIFY(!f.report.rows().at(0).selected);
        QVERIFY(!f.report.detailsShown());
        for (const char* folder :
             {"", "ProposalBody/", "ProposalPayments/", "ProposalFinancials/"}) {
            for (const char* name : {"1001.txt", "1003.txt"}) {
                const QString path = QStringLiteral("TolvarProposals/") + QLatin1String(folder) +
                                     QLatin1String(name);
                QVERIFY2(!f.app.exists(path), qPrintable(path));
            }
        }
        QVERIFY(f.app.exists(QStringLiteral("TolvarProposals/1002.txt")));
    }

    void deletingTheLastProposal() {
        TempApp app;
        app.write(QStringLiteral("TolvarProposals/1001.txt"),
                  header("1001", "1", "2026-11-02", "A", "N"));
        ProposalReport report(*app.ctx);
        QVERIFY(report.fill());
        report.click(1, ProposalReport::Select);
        app.prompter.expectMessage(QStringLiteral("No Proposals Exist"));
        QVERIFY(!report.deleteSelected());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QVERIFY(!app.exists(QStringLiteral("TolvarProposals/1001.txt")));
    }
};

TOLVAR_TEST(TestProposalReport)
#include "test_proposalreport.moc"
