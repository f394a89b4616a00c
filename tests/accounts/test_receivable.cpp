#include "accounts/receivable.h"

#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
// A text field as the record files keep it: the text, then blanks to the width.
QByteArray field(const char* text, int width) {
    QByteArray b(text);
    b.append(QByteArray(width - b.size(), ' '));
    return b;
}

// Bytes written out by hand: 2026-12-05 is day 46361 since 1899-12-30,
// 2027-01-15 day 46402; $1,075.00 is 10750000 ten-thousandths.
const QByteArray kDay46361 = QByteArray::fromHex("0000000020a3e640");
const QByteArray kDay46402 = QByteArray::fromHex("0000000040a8e640");
const QByteArray kMoney1075 = QByteArray::fromHex("3008a40000000000");
const QByteArray kMoney537_50 = QByteArray::fromHex("1804520000000000");
const QByteArray kZero8(8, '\0');

QByteArray opening(const char* name, const char* account) {
    return field(name, 45) + field(account, 25) + field("12/5/2026", 15) +
           field("Previous Balance", 60) + field("$0.00", 10);
}
}  // namespace

class TestReceivable : public QObject {
    Q_OBJECT
private slots:
    void firstPostingWritesOpeningEntryAndBackup() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.AppendAccountEntry(QStringLiteral(" 555-1234 "), QStringLiteral("Jane Doe"),
                                       QStringLiteral("$1,075.00"), QStringLiteral("20260001"),
                                       QDate(2026, 12, 5)));
        QVERIFY(acc.RefreshAccountBackup(QStringLiteral("555-1234")));
        const QByteArray expected = opening("Jane Doe", "555-1234") + field("Jane Doe", 45) +
                                    field("555-1234", 25) + field("12/5/2026", 15) +
                                    field("20260001", 60) + field("$1,075.00", 10);
        QCOMPARE(app.read(QStringLiteral("TIActiveAccounts/555-1234.txt")), expected);
        QCOMPARE(app.read(QStringLiteral("Backup/TIActiveAccounts/555-1234.txt")), expected);
    }

    void laterPostingsAppendWithoutNewOpening() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.CreateAccountFile(QStringLiteral("A1"), QStringLiteral("Jo")));
        QVERIFY(acc.AppendAccountEntry(QStringLiteral("A1"), QStringLiteral("Jo"),
                                       QStringLiteral("$5.00"), QStringLiteral("20260001"),
                                       QDate(2026, 12, 5)));
        QVERIFY(acc.AppendAccountEntry(QStringLiteral("A1"), QStringLiteral("Jo"),
                                       QStringLiteral("$7.00"), QStringLiteral("20260002"),
                                       QDate(2027, 1, 15)));
        const QList<AccountEntry> entries = acc.accountEntries(QStringLiteral("A1"));
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0).description, QStringLiteral("Previous Balance"));
        QCOMPARE(entries.at(1).amount, QStringLiteral("$5.00"));
        QCOMPARE(entries.at(2).date, QStringLiteral("1/15/2027"));
        QCOMPARE(entries.at(2).description, QStringLiteral("20260002"));
    }

    // A missing live file is taken back from its backup before posting, so
    // earlier postings are kept.
    void missingAccountFileIsRestoredFromBackup() {
        TempApp app;
        const QByteArray before = opening("Jo", "A1") + field("Jo", 45) + field("A1", 25) +
                                  field("1/2/2026", 15) + field("20260001", 60) +
                                  field("$5.00", 10);
        app.write(QStringLiteral("Backup/TIActiveAccounts/A1.txt"), before);
        app.mkdir(QStringLiteral("TIActiveAccounts"));
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.AppendAccountEntry(QStringLiteral("A1"), QStringLiteral("Jo"),
                                       QStringLiteral("$9.00"), QStringLiteral("20260002"),
                                       QDate(2026, 12, 5)));
        const QByteArray after = app.read(QStringLiteral("TIActiveAccounts/A1.txt"));
        QCOMPARE(after.size(), 3 * 155);
        QCOMPARE(after.left(2 * 155), before);
    }

    void historyReformatsAmount() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.AppendHistory(QStringLiteral("A1"), QStringLiteral("Jo"),
                                  Money::fromCents(107500), QStringLiteral("12/5/2026"),
                                  QStringLiteral("20260001")));
        QVERIFY(acc.AppendHistory(QStringLiteral("B2"), QStringLiteral("Al"),
                                  Money::fromCents(-350), QStringLiteral("12/6/2026"),
                                  QStringLiteral("20260002")));
        const QByteArray expected = field("Jo", 45) + field("A1", 25) + field("12/5/2026", 15) +
                                    field("20260001", 60) + field("$1,075.00", 10) +
                                    field("Al", 45) + field("B2", 25) + field("12/6/2026", 15) +
                                    field("20260002", 60) + field("($3.50)", 10);
        QCOMPARE(app.read(QStringLiteral("TAHistory.txt")), expected);
    }

    void salesJournalGolden() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        SalesJournalEntry e;
        e.name = QStringLiteral("Jane Doe");
        e.account = QStringLiteral("555-1234");
        e.invoiceNumber = QStringLiteral("20260001 - 2");
        e.date = QDate(2027, 1, 15);
        e.amount = Money::fromCents(53750);
        QVERIFY(acc.AppendSalesJournal(e));
        e.invoiceNumber = QStringLiteral("20260001");
        e.date = QDate(2026, 12, 5);
        e.amount = Money::fromCents(107500);
        QVERIFY(acc.AppendSalesJournal(e));
        const QByteArray expected = field("Jane Doe", 45) + field("555-1234", 20) +
                                    field("20260001 - 2", 20) + kDay46402 + kZero8 + kZero8 +
                                    kZero8 + kMoney537_50 + field("Jane Doe", 45) +
                                    field("555-1234", 20) + field("20260001", 20) + kDay46361 +
                                    kZero8 + kZero8 + kZero8 + kMoney1075;
        QCOMPARE(app.read(QStringLiteral("InvoiceSalesJournal.txt")), expected);
        const QList<SalesJournalEntry> back = acc.salesJournal();
        QCOMPARE(back.size(), 2);
        QCOMPARE(back.at(0).date, QDate(2027, 1, 15));
        QCOMPARE(back.at(1).amount, Money::fromCents(107500));
    }

    void taxRecordGolden() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.WriteTaxRecord(QStringLiteral("Sales Tax"), QStringLiteral("20260001"),
                                   QStringLiteral("$75.00")));
        QCOMPARE(app.read(QStringLiteral("TaxRecords.txt")),
                 field("Sales Tax", 20) + field("12/5/2026", 15) + field("20260001", 30) +
                     field("$75.00", 10));
    }

    void longTextIsCutToTheField_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QByteArray>("bytes");
        const QString longName(50, QLatin1Char('N'));
        QTest::newRow("long name")
            << longName << QStringLiteral("$1.00")
            << (QByteArray(45, 'N') + field("K", 25) + field("12/5/2026", 15) + field("X", 60) +
                field("$1.00", 10));
        QTest::newRow("eleven-character amount")
            << QStringLiteral("Jo") << QStringLiteral("$100,000.00")
            << (field("Jo", 45) + field("K", 25) + field("12/5/2026", 15) + field("X", 60) +
                QByteArray("$100,000.0"));
        QTest::newRow("accented name")
            << QStringLiteral("Zoë Ångström") << QStringLiteral("$1.00")
            << (field("Zo\xeb \xc5ngstr\xf6m", 45) + field("K", 25) + field("12/5/2026", 15) +
                field("X", 60) + field("$1.00", 10));
    }
    void longTextIsCutToTheField() {
        QFETCH(QString, name);
        QFETCH(QString, amount);
        QFETCH(QByteArray, bytes);
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.AppendAccountEntry(QStringLiteral("K"), name, amount, QStringLiteral("X"),
                                       QDate(2026, 12, 5)));
        QCOMPARE(app.read(QStringLiteral("TIActiveAccounts/K.txt")).mid(155), bytes);
    }

    // An append takes the rounded record count, so a torn last record is
    // overwritten rather than leaving the file misaligned for good.
    void appendAfterTornRecord() {
        TempApp app;
        app.write(QStringLiteral("TaxRecords.txt"), QByteArray(75, 'a') + QByteArray(30, 'b'));
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(
            acc.WriteTaxRecord(QStringLiteral("T"), QStringLiteral("R"), QStringLiteral("$1.00")));
        const QByteArray bytes = app.read(QStringLiteral("TaxRecords.txt"));
        QCOMPARE(bytes.size(), 150);
        QCOMPARE(bytes.mid(75),
                 field("T", 20) + field("12/5/2026", 15) + field("R", 30) + field("$1.00", 10));
    }

    void unsafeAccountKeysWriteNothing_data() {
        QTest::addColumn<QString>("account");
        QTest::newRow("parent") << QStringLiteral("../evil");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("colon") << QStringLiteral("c:x");
        QTest::newRow("quote") << QStringLiteral("a\"b");
        QTest::newRow("empty") << QString();
    }
    void unsafeAccountKeysWriteNothing() {
        QFETCH(QString, account);
        TempApp app;
        app.mkdir(QStringLiteral("TIActiveAccounts"));
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(!IsSafeAccountKey(account));
        QVERIFY(ReceivablePaths::accountFile(account).isEmpty());
        QVERIFY(!acc.CreateAccountFile(account, QStringLiteral("Jo")));
        QVERIFY(!acc.AppendAccountEntry(account, QStringLiteral("Jo"), QStringLiteral("$1.00"),
                                        QStringLiteral("1"), QDate(2026, 12, 5)));
        QVERIFY(!acc.RefreshAccountBackup(account));
        QVERIFY(!app.exists(QStringLiteral("evil.txt")));
        QVERIFY(QDir(app.path(QStringLiteral("TIActiveAccounts"))).isEmpty());
        QVERIFY(QDir(app.dir.path()).entryList(QDir::Files).isEmpty());
    }

    // Something in the way of the file (a folder of that name, a file where
    // the folder should be) is a failure that reaches the caller.
    void blockedFilesFail_data() {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<bool>("asFolder");
        QTest::newRow("folder named like the account file")
            << QStringLiteral("TIActiveAccounts/A1.txt") << true;
        QTest::newRow("file named like the accounts folder")
            << QStringLiteral("TIActiveAccounts") << false;
    }
    void blockedFilesFail() {
        QFETCH(QString, blocker);
        QFETCH(bool, asFolder);
        TempApp app;
        if (asFolder) {
            app.mkdir(blocker);
        } else {
            app.write(blocker, "x");
        }
        AccountRoutines acc(app.ctx->store(), app.clock);
        const IoStatus s = acc.AppendAccountEntry(QStringLiteral("A1"), QStringLiteral("Jo"),
                                                  QStringLiteral("$1.00"), QStringLiteral("1"),
                                                  QDate(2026, 12, 5));
        QVERIFY(!s);
        QVERIFY(!s.message().isEmpty());
    }

    void blockedJournalFails() {
        TempApp app;
        app.mkdir(QStringLiteral("InvoiceSalesJournal.txt"));
        app.mkdir(QStringLiteral("TaxRecords.txt"));
        app.mkdir(QStringLiteral("TAHistory.txt"));
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(!acc.AppendSalesJournal(SalesJournalEntry{}));
        QVERIFY(
            !acc.WriteTaxRecord(QStringLiteral("T"), QStringLiteral("R"), QStringLiteral("$1")));
        QVERIFY(!acc.AppendHistory(QStringLiteral("A"), QStringLiteral("N"), Money(),
                                   QStringLiteral("d"), QStringLiteral("x")));
    }

    void readersOfMissingAndShortFiles() {
        TempApp app;
        AccountRoutines acc(app.ctx->store(), app.clock);
        QVERIFY(acc.history().isEmpty());
        QVERIFY(acc.taxRecords().isEmpty());
        app.write(QStringLiteral("InvoiceSalesJournal.txt"), QByteArray("Jo"));
        QVERIFY(acc.salesJournal().isEmpty());
        app.write(QStringLiteral("InvoiceSalesJournal.txt"), field("Jo", 80));
        const QList<SalesJournalEntry> one = acc.salesJournal();
        QCOMPARE(one.size(), 1);
        QCOMPARE(one.at(0).name, QStringLiteral("Jo"));
        QCOMPARE(one.at(0).amount, Money());
        QVERIFY(!one.at(0).date.isValid());
    }
};

TOLVAR_TEST(TestReceivable)
#include "test_receivable.moc"
