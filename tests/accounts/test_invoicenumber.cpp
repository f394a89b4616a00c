#include "accounts/invoicenumber.h"

#include "accounts/postings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

class TestInvoiceNumber : public QObject {
    Q_OBJECT
private slots:
    // Today is in 2026.
    void firstNumberOfRun_data() {
        QTest::addColumn<QString>("file");  // the counter file, or its backup copy
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("first");
        const QString counter = QStringLiteral("TIInvoiceNo.txt");
        QTest::newRow("no counter") << QString() << QByteArray() << "20260001";
        QTest::newRow("this year") << counter << QByteArray("\"20260417\"\r\n") << "20260417";
        QTest::newRow("last year") << counter << QByteArray("\"20250417\"\r\n") << "20260001";
        QTest::newRow("later year kept") << counter << QByteArray("\"20270003\"\r\n") << "20270003";
        QTest::newRow("bare number") << counter << QByteArray("20260012\r\n") << "20260012";
        QTest::newRow("short number") << counter << QByteArray("\"12\"\r\n") << "20260001";
        QTest::newRow("restored from backup") << QStringLiteral("Backup/TIInvoiceNo.txt")
                                              << QByteArray("\"20260042\"\r\n") << "20260042";
        // Not a number the numbering can go on from: the year's 0000.
        QTest::newRow("text") << counter << QByteArray("\"abc\"\r\n") << "20260000";
        QTest::newRow("zero") << counter << QByteArray("\"0\"\r\n") << "20260000";
        QTest::newRow("digit and letter")
            << counter << QByteArray("\"2026001x\"\r\n") << "20260000";
        QTest::newRow("signed") << counter << QByteArray("\"+20260001\"\r\n") << "20260000";
        QTest::newRow("eighteen digits")
            << counter << QByteArray("\"202600000000000001\"\r\n") << "202600000000000001";
        QTest::newRow("too long to count")
            << counter << QByteArray("\"2026000000000000001\"\r\n") << "20260000";
        QTest::newRow("unclosed quote") << counter << QByteArray("\"20260005") << "20260000";
        QTest::newRow("empty") << counter << QByteArray() << "20260000";
    }
    void firstNumberOfRun() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        TempApp app;
        if (!file.isEmpty()) {
            app.write(file, content);
        }
        QTEST(InvoiceNumbers(app.ctx->store(), app.clock).ReadInvoiceNumber(), "first");
    }

    void following_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::newRow("serial") << "20260001"
                                << "20260002";
        QTest::newRow("zero serial") << "20260000"
                                     << "20260001";
        QTest::newRow("rolls on") << "20269999"
                                  << "20270000";
        QTest::newRow("blanks around") << " 20260007 "
                                       << "20260008";
    }
    void following() {
        QFETCH(QString, current);
        QTEST(InvoiceNumbers::NextInvoiceNumber(current), "next");
    }

    // Saved as one quoted item, the backup copy removed so that an old value
    // cannot come back.
    void saveWritesTheCounterAndDropsItsBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/TIInvoiceNo.txt"), "\"20260042\"\r\n");
        PostingPlan plan(app.ctx->store());
        InvoiceNumbers::SaveInvoiceNumber(plan, QStringLiteral("20260043"));
        for (const PlannedWrite& w : plan.writes()) {
            QVERIFY(applyWrite(app.ctx->store(), w));
        }
        QCOMPARE(app.read(QStringLiteral("TIInvoiceNo.txt")), QByteArray("\"20260043\"\r\n"));
        QVERIFY(!app.exists(QStringLiteral("Backup/TIInvoiceNo.txt")));
    }

    void printedNumbers_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("printed");
        QTest::newRow("single") << 1 << false << "20260001";
        QTest::newRow("third of all") << 3 << true << "20260001 - 3";
    }
    void printedNumbers() {
        QFETCH(int, index);
        QFETCH(bool, all);
        QTEST(PrintedInvoiceNumber(QStringLiteral("20260001"), index, all), "printed");
    }
};

TOLVAR_TEST(TestInvoiceNumber)
#include "test_invoicenumber.moc"
