#include "customers/customerfiles.h"
#include "customertesting.h"
#include "shell/appcontext.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QtEndian>

namespace {

const QString kCustomers = "CustomerData.txt";
const QString kContracts = "ContractInfo.txt";
const QString kCycles = "CycleInfo.txt";

// The three record files holding the records `letters` (cycle records in
// lower case). Record k's stored account number is its letter, 20 times.
void writeAll(TempApp& app, const QByteArray& letters) {
    app.write(kCustomers, lettered(letters, 328));
    app.write(kContracts, lettered(letters, 386));
    app.write(kCycles, lettered(letters.toLower(), 69));
}

QByteArray allThree(TempApp& app) {
    return app.read(kCustomers) + '|' + app.read(kContracts) + '|' + app.read(kCycles);
}

QByteArray expectedThree(const QByteArray& letters) {
    return lettered(letters, 328) + '|' + lettered(letters, 386) + '|' +
           lettered(letters.toLower(), 69);
}

QString receivable(char letter) {
    return QStringLiteral("TIActiveAccounts/%1.txt").arg(QString(20, QLatin1Char(letter)));
}

CustomerRecord acme() {
    return recordNamed("acme");
}

}  // namespace

class TestCustomerFiles : public QObject {
    Q_OBJECT

private slots:
    // Written, read back and written again: the golden bytes each time.
    void recordsRoundTrip() {
        TempApp app;
        FileStore& store = app.ctx->store();
        CustomerRecord cut;
        cut.AccountNumber = QString(60, QLatin1Char('a'));
        cut.State = "ILL";
        cut.LastName = "M\u00fcller \u20ac";
        cut.AccountType = QString(60, QLatin1Char('t'));
        const QDate today(2026, 12, 5);
        QVERIFY(CustomerFiles::saveCustomer(store, 1, acme(), {}, {}));
        QVERIFY(CustomerFiles::saveCustomer(store, 2, cut, CompanionRecords::defaultContract(today),
                                            CompanionRecords::defaultCycle()));
        QCOMPARE(app.read(kCustomers), golden("two-customers.bin"));
        QCOMPARE(app.read(kContracts).mid(386), golden("contract-default.bin"));
        QCOMPARE(app.read(kCycles).mid(69), golden("cycle-default.bin"));
        QCOMPARE(CustomerFiles::readCustomer(store, 1), acme());
        QCOMPARE(CustomerFiles::readCustomer(store, 2), cut.stored());
        QCOMPARE(cut.stored().AccountNumber, QString(20, QLatin1Char('a')));
        // Field 14 of the contract is not reset: it keeps the held record's.
        QByteArray held(386, 'p');
        QCOMPARE(CompanionRecords::defaultContract(today, held).mid(199, 35), held.mid(199, 35));
    }

    void deleteCloseUpEveryFile_data() { CaseFile::rows("customers/delete.txt"); }
    void deleteCloseUpEveryFile() {
        const QByteArray before = CaseFile::field("before").toLatin1();
        const int number = CaseFile::number("number");
        TempApp app;
        writeAll(app, before);
        app.write("Backup/CustomerData.txt", "kept");
        app.write("Backup/CycleInfo.txt", "stale");
        app.write("Backup/ContractInfo.txt", "stale");
        const char gone = before.at(number - 1);
        app.write(receivable(gone), "ledger");
        app.write(QStringLiteral("Backup/") + receivable(gone), "ledger");
        app.write(receivable('X'), "other ledger");
        app.write("AuxFiles/A/AuxFile0/Data.txt", "kept\r\n");

        const CustomerFiles::DeleteResult r =
            CustomerFiles::deleteCustomer(app.ctx->store(), number);
        QVERIFY(r.status && r.removed);
        QCOMPARE(allThree(app), expectedThree(CaseFile::field("left").toLatin1()));
        QVERIFY(!app.exists(receivable(gone)) &&
                !app.exists(QStringLiteral("Backup/") + receivable(gone)));
        QVERIFY(app.exists(receivable('X')) && app.exists("AuxFiles/A/AuxFile0/Data.txt"));
        QCOMPARE(QDir(app.dir.path()).entryList(QDir::Files),
                 QStringList({"ContractInfo.txt", "CustomerData.txt", "CycleInfo.txt"}));
        QCOMPARE(QDir(app.path("Backup")).entryList(QDir::Files), QStringList{"CustomerData.txt"});
    }

    // Each step before the first replacement fails in turn: every file, the
    // receivable one too, stays as it was and the failing file is named.
    void failedDeleteChangesNothing_data() { CaseFile::rows("customers/faileddelete.txt"); }
    void failedDeleteChangesNothing() {
        const QString blocked = CaseFile::field("blocked");
        const int number = CaseFile::number("number");
        TempApp app;
        writeAll(app, "ABC");
        app.write(receivable('B'), "ledger");
        if (blocked != kCustomers) {
            app.mkdir(blocked + QStringLiteral("/in the way"));
        }
        const CustomerFiles::DeleteResult r =
            CustomerFiles::deleteCustomer(app.ctx->store(), number);
        QVERIFY(!r.status && !r.removed);
        QVERIFY2(r.status.file().endsWith(blocked), qPrintable(r.status.message()));
        QCOMPARE(allThree(app), expectedThree("ABC"));
        QCOMPARE(app.read(receivable('B')), QByteArray("ledger"));
        QCOMPARE(QDir(app.dir.path()).entryList(QDir::Files).size(), 3);
    }

    // A replacement that fails before any file was replaced undoes the delete;
    // one that fails later leaves it for the next start to finish.
    void failedReplacement() {
        for (const QString& failing : {kCustomers, kContracts}) {
            TempApp app;
            writeAll(app, "ABC");
            FileStore& store = app.ctx->store();
            store.setFaultHook([failing](FileStep step, const QString& path) {
                return step == FileStep::Replace && path.endsWith(failing);
            });
            const CustomerFiles::DeleteResult r = CustomerFiles::deleteCustomer(store, 2);
            const bool replaced = failing == kContracts;
            QVERIFY(!r.status);
            QCOMPARE(r.removed, replaced);
            QCOMPARE(app.exists("CUSTOMER.DEL"), replaced);
            store.setFaultHook({});
            QVERIFY(CustomerFiles::finishInterruptedDelete(store));
            QCOMPARE(allThree(app), expectedThree(replaced ? "AC" : "ABC"));
        }
    }

    // A delete cut short after its intent was written: the next start
    // replaces what is left, so the files end up aligned, and a start with
    // temporaries but no intent drops them.
    void interruptedDeleteIsFinished_data() { CaseFile::rows("customers/interrupteddelete.txt"); }
    void interruptedDeleteIsFinished() {
        const int replaced = CaseFile::number("replaced");
        const bool intent = CaseFile::number("intent");
        TempApp app;
        writeAll(app, "ABC");
        const QStringList files = {kCustomers, kContracts, kCycles};
        const QStringList temps = {"CUSTOMER.TMP", "CONTRACT.TMP", "CYCLE.TMP"};
        const QList<QByteArray> compacted = {lettered("AC", 328), lettered("AC", 386),
                                             lettered("ac", 69)};
        for (int i = 0; i < 3; ++i) {
            app.write(i < replaced ? files[i] : temps[i], compacted[i]);
        }
        app.write(receivable('B'), "ledger");
        if (intent) {
            app.write("CUSTOMER.DEL", "2\r\n" + QByteArray(20, 'B') + "\r\n");
        }
        QVERIFY(CustomerFiles::finishInterruptedDelete(app.ctx->store()));
        const QByteArray whole =
            replaced == 0 && !intent ? expectedThree("ABC") : expectedThree("AC");
        QCOMPARE(allThree(app), whole);
        QCOMPARE(app.exists(receivable('B')), !intent);
        QCOMPARE(QDir(app.dir.path()).entryList(QDir::Files).size(), 3);
    }

    // Odd lengths count to the nearest record; a short last record is
    // completed with zeros, a half record past the count is dropped.
    void oddLengthFiles() {
        TempApp app;
        app.write(kCustomers, lettered("A", 328) + lettered("B", 164));
        app.write(kCycles, lettered("ab", 69) + QByteArray(34, 'c'));
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), 2);
        QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), 1).removed);
        QCOMPARE(allThree(app),
                 lettered("B", 164) + QByteArray(164, '\0') + "||" + lettered("b", 69));
    }

    // A crafted stored account number reaches no file outside its folder.
    void unsafeAccountNamesReachNoFile() {
        for (const char* account : {"../Keep", "C:Keep", "   "}) {
            TempApp app;
            CustomerRecord r;
            r.AccountNumber = account;
            app.write(kCustomers, lettered("A", 328) + r.toBytes());
            app.write("Keep.txt", "precious");
            app.mkdir("TIActiveAccounts");
            QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), 2).status);
            QCOMPARE(app.read("Keep.txt") + app.read(kCustomers), "precious" + lettered("A", 328));
            QVERIFY(!CustomerFiles::saveAuxData(app.ctx->store(), account, QStringList(6, "x")));
            QVERIFY(!app.exists("AuxFiles"));
        }
    }

    // A save that fails at any of its three writes leaves all three files
    // as they were; a 32,768th customer is refused before anything is written.
    void failedSaveChangesNothing_data() { CaseFile::rows("customers/failedsave.txt"); }
    void failedSaveChangesNothing() {
        const QString blocked = CaseFile::field("blocked");
        const int number = CaseFile::number("number");
        TempApp app;
        writeAll(app, "AB");
        QByteArray before = allThree(app);
        if (!blocked.isEmpty()) {
            QDir(app.dir.path()).remove(blocked);
            app.mkdir(blocked + QStringLiteral("/in the way"));
            before = allThree(app);
        }
        const IoStatus s = CustomerFiles::saveCustomer(app.ctx->store(), number, acme(),
                                                       QByteArray(386, 'n'), QByteArray(69, 'n'));
        QVERIFY(!s);
        QVERIFY2(s.file().endsWith(blocked.isEmpty() ? kCustomers : blocked),
                 qPrintable(s.message()));
        QCOMPARE(allThree(app), before);
    }

    // A save cut short is completed from its journal at the next start; a
    // journal this program did not write is dropped and changes nothing.
    void interruptedSaveIsFinished_data() {
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<QByteArray>("three");
        const QByteArray saved = lettered("A", 328) + acme().toBytes() + '|' + lettered("A", 386) +
                                 QByteArray(386, 'n') + '|' + lettered("a", 69) +
                                 QByteArray(69, 'n');
        QTest::newRow("cut short")
            << "2\r\n" + QByteArray(386, 'n') + QByteArray(69, 'n') + acme().toBytes() << saved;
        QTest::newRow("short journal") << QByteArray("2\r\nnnn") << expectedThree("AB");
        QTest::newRow("no number") << "x\r\n" + QByteArray(783, 'n') << expectedThree("AB");
    }
    void interruptedSaveIsFinished() {
        QFETCH(QByteArray, journal);
        TempApp app;
        writeAll(app, "AB");
        app.write("CUSTOMER.SAV", journal);
        QVERIFY(CustomerFiles::finishInterruptedDelete(app.ctx->store()));
        QTEST(allThree(app), "three");
        QVERIFY(!app.exists("CUSTOMER.SAV"));
    }

    // A last record cut inside its two numbers (a copy that stopped short):
    // the list and the record read alone agree on it.
    void recordCutInItsNumbers() {
        TempApp app;
        const QByteArray cut = testData("fuzz/records/customer-cut-in-its-numbers").mid(1);
        QCOMPARE(cut.size(), 326);
        app.write(kCustomers, cut);
        const QList<CustomerRecord> all = CustomerFiles::readAllCustomers(app.ctx->store());
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first(), CustomerFiles::readCustomer(app.ctx->store(), 1));
        QCOMPARE(all.first().NewFlag, qFromLittleEndian<qint16>(cut.constData() + 324));
    }

    void rebuildFillsEverySlot() {
        TempApp app;
        app.write(kCustomers, lettered("ABC", 328));
        app.write("Backup/ContractInfo.txt", "stale");
        app.write("Backup/CycleInfo.txt", "stale");
        expect(app.prompter, "rebuild");
        CustomerFiles::BuildContractInfo(*app.ctx, 3, QByteArray(386, 'k'));
        CustomerFiles::BuildCycleInfo(*app.ctx, 3, QByteArray(69, 'y'));
        QCOMPARE(app.read(kContracts) + app.read(kCycles),
                 lettered("kkk", 386) + lettered("yyy", 69));
        QVERIFY(!app.exists("Backup/ContractInfo.txt"));
        QVERIFY(!app.exists("Backup/CycleInfo.txt"));
    }

    void auxDataAndHeadings() {
        TempApp app;
        FileStore& store = app.ctx->store();
        const QStringList boxes{"Gate code", "", "one\ntwo", "", "", "last"};
        app.write("auxfiles/A1/auxfile3/data.txt", "old\r\n");
        QVERIFY(CustomerFiles::saveAuxData(store, "A1", boxes));
        QCOMPARE(app.read("auxfiles/A1/AuxFile2/Data.txt"), QByteArray("one\r\ntwo\r\n"));
        QCOMPARE(app.read("auxfiles/A1/auxfile3/data.txt"), QByteArray("\r\n"));
        QVERIFY(!app.exists("AuxFiles"));  // existing folders keep their spelling
        QCOMPARE(CustomerFiles::loadAuxData(store, "A1"), boxes);
        QCOMPARE(CustomerFiles::loadAuxData(store, "B2"), QStringList(6, QString()));

        QVERIFY(!CustomerFiles::loadHeadings(store).has_value());
        app.write("Backup/AuxHeadings.txt", "old\r\n");
        QVERIFY(CustomerFiles::saveHeadings(store, {"A", "B\nC", "", "D"}));
        QCOMPARE(app.read("AuxHeadings.txt"), QByteArray("A\r\nB C\r\n\r\nD\r\n\r\n\r\n"));
        QVERIFY(!app.exists("Backup/AuxHeadings.txt"));
        QCOMPARE(*CustomerFiles::loadHeadings(store), QStringList({"A", "B C", "", "D", "", ""}));
    }

    void stateList_data() { CaseFile::rows("customers/states.txt"); }
    void stateList() {
        TempApp app;
        app.write("StatesList.txt", CaseFile::field("file").toLatin1());
        QCOMPARE(CustomerFiles::loadStates(app.ctx->store()).join(u','), CaseFile::field("states"));
    }
};

TOLVAR_TEST(TestCustomerFiles)
#include "test_customerfiles.moc"
