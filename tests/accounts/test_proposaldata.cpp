#include "accountstest.h"
#include "proposals/proposalfiles.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

// The payments and financials files of a proposal, whatever the locale.
class TestProposalData : public QObject {
    Q_OBJECT
private slots:
    // Written and read back: the golden bytes, the same values.
    void goldenInEveryLocale() {
        for (const char* locale : {"en_US", "de_DE"}) {
            LocaleScope scope(locale);
            TempApp app;
            FileStore& store = app.ctx->store();
            const QString name = "1001.txt";
            const ProposalPayments two{Money::fromCents(107500),
                                       {{Money::fromCents(50000), QDate(2026, 12, 5)},
                                        {Money::fromCents(57500), QDate(2027, 1, 4)}}};
            const ProposalFinancials fin{Money::fromCents(100000), Money::fromCents(107500),
                                         Money::fromCents(7500), Money()};
            app.mkdir("TolvarProposals/ProposalPayments");
            app.mkdir("TolvarProposals/ProposalFinancials");
            QVERIFY(ProposalFiles::writePayments(store, name, two, PaymentCountForm::Padded));
            QCOMPARE(app.read("TolvarProposals/ProposalPayments/1001.txt"),
                     Golden::read("payments-padded.txt"));
            QVERIFY(ProposalFiles::readPayments(store, name).payments == two);
            QVERIFY(ProposalFiles::writeFinancials(store, name, fin));
            QCOMPARE(app.read("TolvarProposals/ProposalFinancials/1001.txt"),
                     Golden::read("financials.txt"));
            QVERIFY(ProposalFiles::readFinancials(store, name).financials == fin);
            QCOMPARE(ProposalFiles::paymentsBytes(two), Golden::read("payments.txt"));
        }
    }

    void hostilePayments_data() { CaseFile::rows("accounts/hostilepayments.txt"); }
    void hostilePayments() {
        const PaymentsReading r = ProposalFiles::parsePayments(CaseFile::field("bytes").toLatin1());
        QCOMPARE(r.problem, CaseFile::named<PaymentsProblem>(
                                CaseFile::field("problem"),
                                {"None", "Missing", "Failed", "BadCount", "Truncated"}));
        QCOMPARE(r.promisedCount, CaseFile::number("promised"));
        QCOMPARE(int(r.payments.payments.size()), CaseFile::number("read"));
    }

    void hostileFinancials_data() { CaseFile::rows("accounts/hostilefinancials.txt"); }
    void hostileFinancials() {
        LocaleScope scope(CaseFile::field("locale"));
        const FinancialsReading f =
            ProposalFiles::parseFinancials(CaseFile::field("bytes").toLatin1());
        QCOMPARE(f.problem,
                 CaseFile::named<FinancialsProblem>(CaseFile::field("problem"),
                                                    {"None", "Missing", "Failed", "Incomplete"}));
        QCOMPARE(f.financials.total.roundedCents(), qint64(CaseFile::number("total")));
    }

    // A backup copy that cannot be restored (its folder is gone) is a failure
    // to read, not a missing file.
    void unreadableFiles() {
        for (bool backup : {false, true}) {
            TempApp app;
            app.mkdir("TolvarProposals");
            if (backup) {
                app.write("Backup/TolvarProposals/ProposalPayments/1001.txt", "$1.00");
                app.write("Backup/TolvarProposals/ProposalFinancials/1001.txt", "$1.00");
            }
            const QString name = "1001.txt";
            const PaymentsReading p = ProposalFiles::readPayments(app.ctx->store(), name);
            QCOMPARE(p.problem, backup ? PaymentsProblem::Failed : PaymentsProblem::Missing);
            const FinancialsReading f = ProposalFiles::readFinancials(app.ctx->store(), name);
            QCOMPARE(f.problem, backup ? FinancialsProblem::Failed : FinancialsProblem::Missing);
            QCOMPARE(f.status.ok(), !backup);
        }
    }
};

TOLVAR_TEST(TestProposalData)
#include "test_proposaldata.moc"
