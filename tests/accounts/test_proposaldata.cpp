#include "accountstest.h"
#include "proposals/proposalfiles.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(PaymentsProblem)
Q_DECLARE_METATYPE(FinancialsProblem)

namespace {
const ProposalPayments kTwo{
    Money::fromCents(107500),
    {{Money::fromCents(50000), QDate(2026, 12, 5)}, {Money::fromCents(57500), QDate(2027, 1, 4)}}};
const ProposalFinancials kFinancials{Money::fromCents(100000), Money::fromCents(107500),
                                     Money::fromCents(7500), Money()};
const QString kName = QStringLiteral("1001.txt");
}  // namespace

// The payments and financials files of a proposal, whatever the locale.
class TestProposalData : public QObject {
    Q_OBJECT
private slots:
    void goldenInEveryLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << QStringLiteral("en_US");
        QTest::newRow("de_DE") << QStringLiteral("de_DE");
    }
    // Written, read back and written again: the same bytes and values.
    void goldenInEveryLocale() {
        QFETCH(QString, locale);
        LocaleScope scope(locale);
        TempApp app;
        FileStore& store = app.ctx->store();
        app.mkdir(QStringLiteral("TolvarProposals/ProposalPayments"));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalFinancials"));
        for (const auto& [form, golden] :
             {std::pair{PaymentCountForm::Plain, "payments.txt"},
              std::pair{PaymentCountForm::Padded, "payments-padded.txt"}}) {
            QVERIFY(ProposalFiles::writePayments(store, kName, kTwo, form));
            QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt")),
                     Golden::read(QLatin1String(golden)));
            const PaymentsReading r = ProposalFiles::readPayments(store, kName);
            QCOMPARE(r.problem, PaymentsProblem::None);
            QCOMPARE(r.payments, kTwo);
        }
        QVERIFY(ProposalFiles::writeFinancials(store, kName, kFinancials));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt")),
                 Golden::read(QStringLiteral("financials.txt")));
        const FinancialsReading f = ProposalFiles::readFinancials(store, kName);
        QCOMPARE(f.problem, FinancialsProblem::None);
        QVERIFY(f.financials == kFinancials);
    }

    void hostilePayments_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PaymentsProblem>("problem");
        QTest::addColumn<int>("promised");
        QTest::addColumn<int>("read");
        const QByteArray six = Golden::read(QStringLiteral("payments.txt"));
        QTest::newRow("empty") << QByteArray() << PaymentsProblem::BadCount << 0 << 0;
        QTest::newRow("count not a number") << QByteArray("$5.00\r\ntwo\r\n$5.00\r\n12/5/2026\r\n")
                                            << PaymentsProblem::BadCount << 0 << 0;
        QTest::newRow("count nine") << QByteArray(six).replace("\r\n2\r\n", "\r\n9\r\n")
                                    << PaymentsProblem::BadCount << 9 << 0;
        QTest::newRow("count zero") << QByteArray(six).replace("\r\n2\r\n", "\r\n0\r\n")
                                    << PaymentsProblem::BadCount << 0 << 0;
        QTest::newRow("eight") << QByteArray(six).replace("\r\n2\r\n", "\r\n8\r\n")
                               << PaymentsProblem::Truncated << 8 << 2;
        QTest::newRow("date missing")
            << six.left(six.size() - 10) << PaymentsProblem::Truncated << 2 << 1;
        QTest::newRow("amount not a number")
            << QByteArray(six).replace("$575.00", "lots") << PaymentsProblem::Truncated << 2 << 1;
        QTest::newRow("no final line end") << six.chopped(2) << PaymentsProblem::None << 2 << 2;
    }
    void hostilePayments() {
        QFETCH(QByteArray, bytes);
        const PaymentsReading r = ProposalFiles::parsePayments(bytes);
        QTEST(r.problem, "problem");
        QTEST(r.promisedCount, "promised");
        QTEST(int(r.payments.payments.size()), "read");
    }

    void hostileFinancials_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<FinancialsProblem>("problem");
        QTest::addColumn<qint64>("totalCents");
        QTest::newRow("empty") << "en_US" << QByteArray() << FinancialsProblem::Incomplete
                               << qint64(0);
        QTest::newRow("not amounts") << "en_US" << QByteArray("abc\r\n$9.00\r\n\r\n\"x\"\r\n")
                                     << FinancialsProblem::Incomplete << qint64(900);
        QTest::newRow("three lines") << "en_US" << QByteArray("$1.00\r\n$2.00\r\n$3.00\r\n")
                                     << FinancialsProblem::Incomplete << qint64(200);
        // Written in the user's own form by an older program version.
        QTest::newRow("older de_DE file")
            << "de_DE"
            << QByteArray(
                   "1.000,00 \xe2\x82\xac\r\n1.075,00 \xe2\x82\xac\r\n"
                   "75,00 \xe2\x82\xac\r\n0,00 \xe2\x82\xac\r\n")
            << FinancialsProblem::None << qint64(107500);
    }
    void hostileFinancials() {
        QFETCH(QString, locale);
        QFETCH(QByteArray, bytes);
        LocaleScope scope(locale);
        // The data files are single-byte text: the euro sign is byte 128.
        const FinancialsReading f =
            ProposalFiles::parseFinancials(QByteArray(bytes).replace("\xe2\x82\xac", "\x80"));
        QTEST(f.problem, "problem");
        QTEST(f.financials.total.roundedCents(), "totalCents");
    }

    // A backup copy that cannot be restored (its folder is gone) is a failure
    // to read, not a missing file.
    void unreadableFiles_data() {
        QTest::addColumn<bool>("backup");
        QTest::newRow("missing") << false;
        QTest::newRow("restore fails") << true;
    }
    void unreadableFiles() {
        QFETCH(bool, backup);
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        if (backup) {
            app.write(QStringLiteral("Backup/TolvarProposals/ProposalPayments/1001.txt"), "$1.00");
            app.write(QStringLiteral("Backup/TolvarProposals/ProposalFinancials/1001.txt"),
                      "$1.00");
        }
        const PaymentsReading p = ProposalFiles::readPayments(app.ctx->store(), kName);
        QCOMPARE(p.problem, backup ? PaymentsProblem::Failed : PaymentsProblem::Missing);
        const FinancialsReading f = ProposalFiles::readFinancials(app.ctx->store(), kName);
        QCOMPARE(f.problem, backup ? FinancialsProblem::Failed : FinancialsProblem::Missing);
        QCOMPARE(f.status.ok(), !backup);
    }

    void storedAmountLimit_data() {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<bool>("fits");
        QTest::newRow("largest") << qint64(999999999) << true;
        QTest::newRow("ten million") << qint64(1000000000) << false;
        QTest::newRow("largest negative") << qint64(-999999999) << true;
        QTest::newRow("ten million negative") << qint64(-1000000000) << false;
    }
    void storedAmountLimit() {
        QFETCH(qint64, cents);
        QTEST(FitsStoredAmount(Money::fromCents(cents)), "fits");
        QCOMPARE(TooLargeAmountMessage(),
                 QStringLiteral("Amounts of $10,000,000.00 and more cannot be stored"));
    }
};

TOLVAR_TEST(TestProposalData)
#include "test_proposaldata.moc"
