#include "accounts/invoicenumber.h"

#include "accounts/postings.h"
#include "casefile.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

class TestInvoiceNumber : public QObject {
    Q_OBJECT
private slots:
    void firstNumberOfRun_data() { CaseFile::rows(QStringLiteral("accounts/invoicenumbers.txt")); }
    void firstNumberOfRun() {
        TempApp app;
        if (!CaseFile::field("file").isEmpty()) {
            app.write(CaseFile::field("file"), CaseFile::field("content").toUtf8());
        }
        QTEST(InvoiceNumbers(app.ctx->store(), app.clock).ReadInvoiceNumber(), "first");
    }

    void following() {
        const QStringList pairs{"20260001", "20260002", "20260000",   "20260001",
                                "20269999", "20270000", " 20260007 ", "20260008"};
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            QCOMPARE(InvoiceNumbers::NextInvoiceNumber(pairs.at(i)), pairs.at(i + 1));
        }
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

    void printedNumbers() {
        QCOMPARE(PrintedInvoiceNumber(QStringLiteral("20260001"), 1, false),
                 QStringLiteral("20260001"));
        QCOMPARE(PrintedInvoiceNumber(QStringLiteral("20260001"), 3, true),
                 QStringLiteral("20260001 - 3"));
    }
};

TOLVAR_TEST(TestInvoiceNumber)
#include "test_invoicenumber.moc"
