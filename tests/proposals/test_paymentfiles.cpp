#include "proposals/proposalfiles.h"
#include "proposalsfixture.h"
#include "testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(PaymentsProblem)

namespace {
const QString kFile = QStringLiteral("1001.txt");

ProposalPayments twoPayments() {
    return {QStringLiteral("$1,075.00"),
            {{QStringLiteral("$500.00"), QStringLiteral("12/5/2026")},
             {QStringLiteral("$575.00"), QStringLiteral("1/4/2027")}}};
}
}  // namespace

class TestPaymentFiles : public QObject {
    Q_OBJECT
private slots:
    void paymentsRoundTrip() {
        ProposalsApp app;
        FileStore& store = app.ctx->store();
        const QString path = QStringLiteral("TolvarProposals/ProposalPayments/1001.txt");
        QVERIFY(ProposalFiles::writePayments(store, kFile, twoPayments()));
        QCOMPARE(app.read(path), golden("payments_two.txt"));
        const PaymentsReading r = ProposalFiles::readPayments(store, kFile);
        QCOMPARE(r.problem, PaymentsProblem::None);
        QCOMPARE(r.payments, twoPayments());
        QCOMPARE(r.payments.payments.at(1).amountValue(), Money::fromCents(57500));
        QCOMPARE(r.payments.payments.at(1).dueDateValue(), QDate(2027, 1, 4));
        // None or more than eight are refused and the file stays.
        QVERIFY(!ProposalFiles::writePayments(store, kFile, {QStringLiteral("$0.00"), {}}));
        ProposalPayments nine = twoPayments();
        nine.payments = QList<ScheduledPayment>(9, nine.payments.first());
        QVERIFY(!ProposalFiles::writePayments(store, kFile, nine));
        QCOMPARE(app.read(path), golden("payments_two.txt"));
    }

    void hostilePayments_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PaymentsProblem>("problem");
        QTest::addColumn<int>("promised");
        QTest::addColumn<int>("read");
        const QByteArray good = golden("payments_two.txt");
        QTest::newRow("empty") << QByteArray() << PaymentsProblem::BadCount << 0 << 0;
        QTest::newRow("count not a number") << QByteArray("$5.00\r\ntwo\r\n$5.00\r\n1/1/2027\r\n")
                                            << PaymentsProblem::BadCount << 0 << 0;
        QTest::newRow("count nine") << QByteArray(good).replace("\r\n2\r\n", "\r\n9\r\n")
                                    << PaymentsProblem::BadCount << 9 << 0;
        QTest::newRow("padded count") << QByteArray(good).replace("\r\n2\r\n", "\r\n 2 \r\n")
                                      << PaymentsProblem::None << 2 << 2;
        QTest::newRow("one pair short") << QByteArray(good).replace("\r\n2\r\n", "\r\n3\r\n")
                                        << PaymentsProblem::Truncated << 3 << 2;
        QTest::newRow("last date missing")
            << good.left(good.size() - 10) << PaymentsProblem::Truncated << 2 << 1;
    }
    void hostilePayments() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, read);
        const PaymentsReading r = ProposalFiles::parsePayments(bytes);
        QTEST(r.problem, "problem");
        QTEST(r.promisedCount, "promised");
        QCOMPARE(r.payments.payments, twoPayments().payments.mid(0, read));
    }

    void financialsRoundTrip() {
        ProposalsApp app;
        FileStore& store = app.ctx->store();
        const ProposalFinancials f{QStringLiteral("$1,000.00"), QStringLiteral("$1,075.00"),
                                   QStringLiteral("$75.00"), QStringLiteral("$0.00")};
        QVERIFY(ProposalFiles::writeFinancials(store, kFile, f));
        QCOMPARE(app.read(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt")),
                 golden("financials.txt"));
        bool found = false;
        QCOMPARE(ProposalFiles::readFinancials(store, kFile, nullptr, &found), f);
        QVERIFY(found);
    }

    void hostileFinancials_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("complete");
        const QString z = QStringLiteral("$0.00");
        QTest::newRow("empty") << QByteArray() << QStringList{z, z, z, z} << false;
        QTest::newRow("no final line end")
            << golden("financials.txt").chopped(2)
            << QStringList{"$1,000.00", "$1,075.00", "$75.00", z} << true;
        QTest::newRow("not amounts") << QByteArray("abc\r\n\r\n$75.00\r\n\"x\"\r\n")
                                     << QStringList{z, z, "$75.00", z} << false;
    }
    void hostileFinancials() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        bool complete = false;
        const ProposalFinancials f = ProposalFiles::parseFinancials(bytes, QLocale(), &complete);
        QCOMPARE((QStringList{f.priceBeforeTaxes, f.total, f.firstTax, f.secondTax}), expected);
        QTEST(complete, "complete");
    }
};

TOLVAR_TEST(TestPaymentFiles)
#include "test_paymentfiles.moc"
