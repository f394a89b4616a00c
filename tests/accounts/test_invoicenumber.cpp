#include "accounts/invoicenumber.h"

#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

class TestInvoiceNumber : public QObject {
    Q_OBJECT
private slots:
    void firstNumberOfRun_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("first");
        QTest::newRow("no counter") << false << QByteArray() << QStringLiteral("20260001");
        QTest::newRow("this year")
            << true << QByteArray("\"20260417\"\r\n") << QStringLiteral("20260417");
        QTest::newRow("last year")
            << true << QByteArray("\"20250417\"\r\n") << QStringLiteral("20260001");
        QTest::newRow("text") << true << QByteArray("\"abc\"\r\n") << QStringLiteral("20260000");
        QTest::newRow("bare number")
            << true << QByteArray("20260012\r\n") << QStringLiteral("20260012");
        QTest::newRow("unclosed quote")
            << true << QByteArray("\"2026") << QStringLiteral("20260000");
        QTest::newRow("short number")
            << true << QByteArray("\"12\"\r\n") << QStringLiteral("20260001");
        QTest::newRow("later year kept")
            << true << QByteArray("\"20270003\"\r\n") << QStringLiteral("20270003");
    }
    void firstNumberOfRun() {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(QString, first);
        TempApp app;
        if (present) {
            app.write(QStringLiteral("TIInvoiceNo.txt"), content);
        }
        InvoiceNumbers numbers(app.ctx->store(), app.clock);
        IoStatus status = IoStatus::failure(QStringLiteral("x"), QStringLiteral("unset"));
        QCOMPARE(numbers.ReadInvoiceNumber(&status), first);
        QVERIFY(status.ok());
        QCOMPARE(app.read(QStringLiteral("TIInvoiceNo.txt")), "\"" + first.toLatin1() + "\"\r\n");
    }

    void stepsAfterConfirmedInvoices_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::newRow("serial") << QStringLiteral("20260001") << QStringLiteral("20260002");
        QTest::newRow("zero serial") << QStringLiteral("20260000") << QStringLiteral("20260001");
        QTest::newRow("rolls on") << QStringLiteral("20269999") << QStringLiteral("20270000");
    }
    void stepsAfterConfirmedInvoices() {
        QFETCH(QString, current);
        QFETCH(QString, next);
        TempApp app;
        InvoiceNumbers numbers(app.ctx->store(), app.clock);
        QCOMPARE(numbers.NextInvoiceNumber(current), next);
        QCOMPARE(app.read(QStringLiteral("TIInvoiceNo.txt")), "\"" + next.toLatin1() + "\"\r\n");
        QCOMPARE(numbers.stored(), next);
    }

    // The counter is restored from a backup copy when missing; saving then
    // removes that copy so an old value cannot come back later.
    void backupCopyIsUsedThenRemoved() {
        TempApp app;
        app.write(QStringLiteral("Backup/TIInvoiceNo.txt"), "\"20260042\"\r\n");
        InvoiceNumbers numbers(app.ctx->store(), app.clock);
        QCOMPARE(numbers.ReadInvoiceNumber(), QStringLiteral("20260042"));
        QVERIFY(!app.exists(QStringLiteral("Backup/TIInvoiceNo.txt")));
    }

    void saveFailureIsReported() {
        TempApp app;
        app.mkdir(QStringLiteral("TIInvoiceNo.txt"));
        InvoiceNumbers numbers(app.ctx->store(), app.clock);
        IoStatus status;
        QCOMPARE(numbers.ReadInvoiceNumber(&status), QStringLiteral("20260001"));
        QVERIFY(!status.ok());
        QVERIFY(!numbers.SaveInvoiceNumber(QStringLiteral("20260005")));
    }

    void printedNumbers_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("printed");
        QTest::newRow("single") << 1 << false << QStringLiteral("20260001");
        QTest::newRow("first of all") << 1 << true << QStringLiteral("20260001 - 1");
        QTest::newRow("third of all") << 3 << true << QStringLiteral("20260001 - 3");
    }
    void printedNumbers() {
        QFETCH(int, index);
        QFETCH(bool, all);
        QFETCH(QString, printed);
        QCOMPARE(PrintedInvoiceNumber(QStringLiteral("20260001"), index, all), printed);
    }
};

TOLVAR_TEST(TestInvoiceNumber)
#include "test_invoicenumber.moc"
