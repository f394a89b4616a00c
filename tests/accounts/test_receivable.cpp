#include "accounts/invoicenumber.h"
#include "accounts/invoicerunrecord.h"
#include "accounts/receivable.h"
#include "accountstest.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {

void applyAll(FileStore& store, const PostingPlan& plan) {
    for (const PlannedWrite& w : plan.writes()) {
        QVERIFY(applyWrite(store, w));
    }
}
}  // namespace

class TestReceivable : public QObject {
    Q_OBJECT
private slots:
    // Every record layout byte for byte (tests/data/accounts/records, with a
    // 155-byte account file of opening entry and posting); applying the same
    // writes again changes nothing.
    void postingsGolden() {
        for (const char* locale : {"en_US", "de_DE"}) {
            LocaleScope scope(locale);
            TempApp app;
            FileStore& store = app.ctx->store();
            AccountRoutines acc(store, app.clock);
            PostingPlan plan(store);
            const QString key = " 555-1234 ";
            QVERIFY(acc.prepareAccount(key));
            QVERIFY(acc.AppendAccountEntry(plan, key, "Jane Doe", Money::fromCents(107500),
                                           "20260001", QDate(2026, 12, 5)));
            acc.RefreshAccountBackup(plan, key);
            acc.AppendHistory(plan, key, "Jane Doe", Money::fromCents(107500), "12/5/2026",
                              "20260001");
            acc.AppendHistory(plan, "B2", QString(50, QLatin1Char('N')), Money::fromCents(-350),
                              "12/6/2026", "20260002");
            acc.WriteTaxRecord(plan, "Sales Tax", "20260001", Money::fromCents(7500));
            // Eleven characters of amount text keep ten.
            acc.WriteTaxRecord(plan, "City Tax", "20260001", Money::fromCents(12345678));
            acc.AppendSalesJournal(
                plan, {"Zoë Ångström", "555-1234", "20260001 - 2", QDate(2027, 1, 15), Money(),
                       Money(), Money(), Money::fromCents(53750)});
            acc.AppendSalesJournal(plan, {"Jane Doe", "555-1234", "20260001", QDate(2026, 12, 5),
                                          Money(), Money(), Money(), Money::fromCents(107500)});
            applyAll(store, plan);
            const Files files = snapshot(app.dir.path());
            for (const char* name : {"TIActiveAccounts/555-1234.txt", "TAHistory.txt",
                                     "TaxRecords.txt", "InvoiceSalesJournal.txt"}) {
                QCOMPARE(files.value(name), Golden::read("records/" + QFileInfo(name).fileName()));
            }
            QCOMPARE(files.value("Backup/TIActiveAccounts/555-1234.txt"),
                     files.value("TIActiveAccounts/555-1234.txt"));
            applyAll(store, plan);
            QCOMPARE(snapshot(app.dir.path()), files);
        }
    }

    // Each append goes after what the file holds when it is planned.
    void appendsAfterWhatIsThere_data() { CaseFile::rows("accounts/appends.txt"); }
    void appendsAfterWhatIsThere() {
        const QString file = CaseFile::field("file");
        const QString numbers = CaseFile::field("numbers");
        TempApp app;
        if (CaseFile::number("folder")) {
            app.mkdir("TIActiveAccounts");
        }
        if (!file.isEmpty()) {
            app.write(file, QByteArray(CaseFile::number("bytes"), 'r'));
        }
        PostingPlan plan(app.ctx->store());
        const IoStatus s =
            AccountRoutines(app.ctx->store(), app.clock)
                .AppendAccountEntry(plan, "A1", "Jo", Money(), "1", QDate(2026, 12, 5));
        QCOMPARE(s.ok(), !numbers.isEmpty());
        QStringList got;
        for (const PlannedWrite& w : plan.writes()) {
            got << QString::number(w.slot);
        }
        QCOMPARE(got.join(QLatin1Char(' ')), numbers);
    }

    void unsafeAccountKeys() {
        for (const char* account : {"../evil", "a\\b", "c:x", "a\"b", "   "}) {
            TempApp app;
            QVERIFY(ReceivablePaths::accountFile(account).isEmpty());
            QVERIFY(!AccountRoutines(app.ctx->store(), app.clock).prepareAccount(account));
            QVERIFY(QDir(app.dir.path()).isEmpty());
        }
    }

    // Nothing is changed by the check.
    void checkWritable_data() { CaseFile::rows("accounts/writable.txt"); }
    void checkWritable() {
        const QString file = CaseFile::field("file");
        TempApp app;
        app.write("Folder/old.txt", "old");
        app.mkdir("Folder/dir.txt");
        QCOMPARE(::checkWritable(app.ctx->store(), file).ok(), bool(CaseFile::number("ok")));
        QCOMPARE(snapshot(app.dir.path()), (Files{{"Folder/old.txt", "old"}}));
    }

    void runRecordRoundTrip() {
        using K = PlannedWrite::Kind;
        // Every kind of write, a path with a blank, bytes with a zero and a line end.
        const QList<PlannedWrite> writes{
            {K::Record, "\\TAHistory.txt", 3, QByteArray::fromHex("6100620d0a"), {}},
            {K::File, "\\TIInvoiceNo.txt", 0, "\"1\"\r\n", {}},
            {K::Copy, "\\Backup\\a b.txt", 0, {}, "\\a b.txt"},
            {K::Remove, "\\x.txt", 0, {}, {}}};
        const InvoiceRunRecord rec{"1001.txt", "555-1234", QDate(2026, 11, 2), "20260001", true, 2,
                                   true,       writes};
        const QByteArray bytes = rec.toBytes();
        QVERIFY(InvoiceRunRecord::parse(bytes) == rec);
        for (const QByteArray& torn : {QByteArray(), bytes.left(bytes.size() / 2),
                                       QByteArray(bytes).replace("\r\n4\r\n", "\r\n99\r\n"),
                                       QByteArray(bytes).replace("\r\n0,", "\r\n7,")}) {
            QVERIFY(!InvoiceRunRecord::parse(torn));
        }
    }

    void firstNumberOfRun_data() { CaseFile::rows("accounts/invoicenumbers.txt"); }
    void firstNumberOfRun() {
        TempApp app;
        if (!CaseFile::field("file").isEmpty()) {
            app.write(CaseFile::field("file"), CaseFile::field("content").toUtf8());
        }
        QTEST(InvoiceNumbers(app.ctx->store(), app.clock).ReadInvoiceNumber(), "first");
    }

    void following_data() { CaseFile::rows("accounts/nextnumbers.txt"); }
    void following() {
        QCOMPARE(InvoiceNumbers::NextInvoiceNumber(CaseFile::field("number")),
                 CaseFile::field("next"));
    }

    // Saved as one quoted item, the backup copy removed so that an old value
    // cannot come back.
    void saveWritesTheCounterAndDropsItsBackup() {
        TempApp app;
        app.write("Backup/TIInvoiceNo.txt", "\"20260042\"\r\n");
        PostingPlan plan(app.ctx->store());
        InvoiceNumbers::SaveInvoiceNumber(plan, "20260043");
        applyAll(app.ctx->store(), plan);
        QCOMPARE(app.read("TIInvoiceNo.txt"), QByteArray("\"20260043\"\r\n"));
        QVERIFY(!app.exists("Backup/TIInvoiceNo.txt"));
    }
};

TOLVAR_TEST(TestReceivable)
#include "test_receivable.moc"
