#include "customers/customerfiles.h"
#include "customers/customerrecord.h"
#include "shell/appcontext.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// Writes `text` into `bytes` at `offset`, as the record tables place it.
void put(QByteArray& bytes, int offset, const QByteArray& text) {
    bytes.replace(offset, text.size(), text);
}

// Records of a test file, each slot filled with one letter, so that moved
// records can be recognised.
QByteArray lettered(const QByteArray& letters, int length) {
    QByteArray out;
    for (char c : letters) {
        out += QByteArray(length, c);
    }
    return out;
}

// The three record files holding the records `letters`.
void writeAll(TempApp& app, const QByteArray& letters) {
    app.write(QStringLiteral("CustomerData.txt"), lettered(letters, 328));
    app.write(QStringLiteral("CycleInfo.txt"), lettered(letters.toLower(), 69));
    app.write(QStringLiteral("ContractInfo.txt"), lettered(letters, 386));
}

void checkAll(TempApp& app, const QByteArray& letters) {
    QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), lettered(letters, 328));
    QCOMPARE(app.read(QStringLiteral("CycleInfo.txt")), lettered(letters.toLower(), 69));
    QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")), lettered(letters, 386));
}

}  // namespace

// The three record layouts byte for byte, and the customer file routines.
class TestCustomerFiles : public QObject {
    Q_OBJECT

private slots:
    void customerRecordBytes() {
        struct Field {
            QString CustomerRecord::*field;
            int offset;
            const char* text;
        };
        const Field fields[] = {{&CustomerRecord::AccountNumber, 0, "ACCT-0001"},
                                {&CustomerRecord::AccountName, 20, "Acme Roofing"},
                                {&CustomerRecord::Address1, 65, "12 Main St"},
                                {&CustomerRecord::Address2, 100, "Suite 4"},
                                {&CustomerRecord::CityOrAddress3, 125, "Springfield"},
                                {&CustomerRecord::CityText, 150, "Springfield"},
                                {&CustomerRecord::State, 170, "IL"},
                                {&CustomerRecord::ZipCode, 172, "62701"},
                                {&CustomerRecord::ZipOrAddress4, 182, "62701"},
                                {&CustomerRecord::Phone, 207, "217-555-0100"},
                                {&CustomerRecord::CellPhone, 220, "217-555-0199"},
                                {&CustomerRecord::Other, 233, "fax 217-555-0101"},
                                {&CustomerRecord::Title, 263, "Mr."},
                                {&CustomerRecord::FirstName, 273, "John"},
                                {&CustomerRecord::LastName, 289, "Smith"},
                                {&CustomerRecord::AccountType, 314, "Business"}};
        CustomerRecord r;
        QByteArray expected(328, ' ');
        for (const Field& f : fields) {
            r.*f.field = QLatin1String(f.text);
            put(expected, f.offset, f.text);
        }
        r.NewFlag = 1;
        r.Spare = -2;
        put(expected, 324, QByteArray("\x01\x00\xfe\xff", 4));
        QCOMPARE(CustomerRecord::layout().size(), 328);
        QCOMPARE(r.toBytes(), expected);

        const CustomerRecord back = CustomerRecord::fromBytes(expected);
        QCOMPARE(back.toBytes(), expected);
        QCOMPARE(back.AccountName, QStringLiteral("Acme Roofing"));
        QCOMPARE(back.ZipOrAddress4, QStringLiteral("62701"));
        QCOMPARE(back.MiddleInitial, QString());
        QCOMPARE(back.NewFlag, qint16(1));
        QCOMPARE(back.Spare, qint16(-2));
    }

    // Each field cut at its width: the text that overflows lands nowhere.
    void everyFieldIsCutAtItsWidth() {
        CustomerRecord r;
        const QString x = QString(60, QLatin1Char('x'));
        r.AccountNumber = QString(60, QLatin1Char('a'));
        r.State = QStringLiteral("ILL");
        r.MiddleInitial = QStringLiteral("QR");
        r.AccountType = QString(60, QLatin1Char('t'));
        const QByteArray b = r.toBytes();
        QCOMPARE(b.size(), 328);
        QCOMPARE(b.mid(0, 20), QByteArray(20, 'a'));
        QCOMPARE(b.mid(20, 45), QByteArray(45, ' '));
        QCOMPARE(b.mid(170, 2), QByteArray("IL"));
        QCOMPARE(b.mid(172, 10), QByteArray(10, ' '));
        QCOMPARE(b.mid(288, 1), QByteArray("Q"));
        QCOMPARE(b.mid(289, 25), QByteArray(25, ' '));
        QCOMPARE(b.mid(314, 10), QByteArray(10, 't'));
        QCOMPARE(b.mid(324, 4), QByteArray(4, '\0'));
    }

    void singleByteCodePage() {
        CustomerRecord r;
        r.LastName = QStringLiteral("M\u00fcller \u20ac");
        const QByteArray b = r.toBytes();
        QCOMPARE(b.mid(289, 8), QByteArray("M\xfcller \x80"));
        QCOMPARE(CustomerRecord::fromBytes(b).LastName, r.LastName);
    }

    void blankZeroAndShortRecords_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("zero record") << QByteArray(328, '\0');
        QTest::newRow("blank record") << QByteArray(328, ' ');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << QByteArray("   ");
    }
    void blankZeroAndShortRecords() {
        QFETCH(QByteArray, bytes);
        const CustomerRecord r = CustomerRecord::fromBytes(bytes);
        QVERIFY(r.AccountNumber.isEmpty() && r.AccountName.isEmpty() && r.LastName.isEmpty());
        QVERIFY(!r.isBusiness());
        QCOMPARE(r.displayName(), QStringLiteral(", "));
        QCOMPARE(r.composedName(), QString());
    }

    void names_data() {
        for (const char* c :
             {"type", "accountName", "title", "first", "last", "display", "composed"}) {
            QTest::addColumn<QString>(c);
        }
        const auto row = [](const char* type, const char* name, const char* title,
                            const char* first, const char* last, const char* display,
                            const char* composed) {
            QTest::newRow(composed) << QString::fromLatin1(type) << QString::fromLatin1(name)
                                    << QString::fromLatin1(title) << QString::fromLatin1(first)
                                    << QString::fromLatin1(last) << QString::fromLatin1(display)
                                    << QString::fromLatin1(composed);
        };
        row("Individual", "", "Mr.", "John", "Smith", "Smith, John", "Mr. John Smith");
        row("Individual", "", "", "Ann", "Lee", "Lee, Ann", "Ann Lee");
        row("Business", "Acme", "Ms", "Jo", "Ray", "Acme", "Ms Jo Ray");
        row("Individual", "", "", "", "Cher", "Cher, ", "Cher");
    }
    void names() {
        QFETCH(QString, type);
        QFETCH(QString, accountName);
        QFETCH(QString, title);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, display);
        QFETCH(QString, composed);
        CustomerRecord r;
        r.AccountType = type;
        r.AccountName = accountName;
        r.Title = title;
        r.FirstName = first;
        r.LastName = last;
        r = r.stored();
        QCOMPARE(r.displayName(), display);
        QCOMPARE(r.composedName(), composed);
    }

    void contractDefaults() {
        const QDate today(2026, 12, 5);  // a Saturday, day 46361 from 1899-12-30
        QByteArray expected(386, ' ');
        put(expected, 0, "None Selected");
        put(expected, 35, "None");
        put(expected, 50, QByteArray(8, '\0'));
        put(expected, 58, "Saturday");
        put(expected, 67, "None Selected");
        put(expected, 107, QByteArray::fromHex("0000000020a3e640"));
        put(expected, 115, QByteArray::fromHex("0000000020a3e640"));
        put(expected, 123, QByteArray("\x00\x00\xff\xff\x00\x00", 6));
        put(expected, 129, "None");
        put(expected, 334, QByteArray(2, '\0'));
        QCOMPARE(CompanionRecords::contractLayout().size(), 386);
        QCOMPARE(CompanionRecords::defaultContract(today), expected);

        // Field 14 (offset 199, 35 wide) keeps what the held record had.
        QByteArray previous(386, 'p');
        put(expected, 199, QByteArray(35, 'p'));
        QCOMPARE(CompanionRecords::defaultContract(today, previous), expected);
    }

    void cycleDefaults() {
        QByteArray expected(69, ' ');
        put(expected, 0, "None Selected");
        put(expected, 35, QByteArray(8, '\0'));
        put(expected, 43, QByteArray(2, '\0'));
        put(expected, 65, QByteArray("\x00\x00\xff\xff", 4));
        QCOMPARE(CompanionRecords::cycleLayout().size(), 69);
        QCOMPARE(CompanionRecords::defaultCycle(), expected);
    }

    void deleteRecordThreeOfFive() {
        TempApp app;
        writeAll(app, "ABCDE");
        app.write(QStringLiteral("Backup/CustomerData.txt"), lettered("ABCDE", 328));
        app.write(QStringLiteral("Backup/CycleInfo.txt"), "stale");
        app.write(QStringLiteral("Backup/ContractInfo.txt"), "stale");
        app.write(QStringLiteral("TIActiveAccounts/C-3.txt"), "receivable");
        app.write(QStringLiteral("Backup/TIActiveAccounts/C-3.txt"), "receivable");
        app.write(QStringLiteral("TIActiveAccounts/C-4.txt"), "other");
        app.write(QStringLiteral("AuxFiles/C-3/AuxFile0/Data.txt"), "kept\r\n");

        QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), 3, QStringLiteral(" C-3 ")));
        checkAll(app, "ABDE");
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), 4);
        QVERIFY(!app.exists(QStringLiteral("TIActiveAccounts/C-3.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/TIActiveAccounts/C-3.txt")));
        QVERIFY(app.exists(QStringLiteral("TIActiveAccounts/C-4.txt")));
        QVERIFY(app.exists(QStringLiteral("AuxFiles/C-3/AuxFile0/Data.txt")));
        // The companions' stale copies would come back through a restore.
        QVERIFY(!app.exists(QStringLiteral("Backup/CycleInfo.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/ContractInfo.txt")));
        QCOMPARE(app.read(QStringLiteral("Backup/CustomerData.txt")), lettered("ABCDE", 328));
        // Nothing is left lying about.
        const QStringList left = QDir(app.dir.path()).entryList(QDir::Files);
        QCOMPARE(left, QStringList({QStringLiteral("ContractInfo.txt"),
                                    QStringLiteral("CustomerData.txt"),
                                    QStringLiteral("CycleInfo.txt")}));
    }

    void deleteOtherPlaces_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("first") << QByteArray("ABCD") << 1 << QByteArray("BCD");
        QTest::newRow("last") << QByteArray("ABCD") << 4 << QByteArray("ABC");
        QTest::newRow("beyond the end") << QByteArray("ABCD") << 9 << QByteArray("ABCD");
        QTest::newRow("the only one") << QByteArray("A") << 1 << QByteArray();
    }
    void deleteOtherPlaces() {
        QFETCH(QByteArray, before);
        QFETCH(int, number);
        QFETCH(QByteArray, left);
        TempApp app;
        writeAll(app, before);
        QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), number, QString()));
        checkAll(app, left);
        QVERIFY(app.exists(QStringLiteral("CustomerData.txt")));
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), left.size());
    }

    // Files whose length is not a whole number of records.
    void oddLengthFiles() {
        TempApp app;
        // 1.5 records count 2; the short second record is padded with zeros.
        app.write(QStringLiteral("CustomerData.txt"), lettered("A", 328) + lettered("B", 164));
        // 2.5 records count 2: the half record is dropped by the compaction.
        app.write(QStringLiteral("CycleInfo.txt"), lettered("ab", 69) + QByteArray(34, 'c'));
        QCOMPARE(CustomerFiles::customerCount(app.ctx->store()), 2);
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 2).AccountNumber,
                 QString(20, QLatin1Char('B')));
        QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), 1, QString()));
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")),
                 lettered("B", 164) + QByteArray(164, '\0'));
        QCOMPARE(app.read(QStringLiteral("CycleInfo.txt")), lettered("b", 69));
        // A companion file that was missing is made, empty.
        QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")), QByteArray());
    }

    // An account number is a file or folder name only when it is a safe one:
    // a crafted one must not reach files outside the application folder.
    void unsafeAccountNamesReachNoFile_data() {
        QTest::addColumn<QString>("account");
        QTest::newRow("parent folder") << QStringLiteral("../Keep");
        QTest::newRow("separator") << QStringLiteral("x/../../Keep");
        QTest::newRow("backslash") << QStringLiteral("..\\Keep");
        QTest::newRow("colon") << QStringLiteral("C:Keep");
        QTest::newRow("blank") << QStringLiteral("   ");
    }
    void unsafeAccountNamesReachNoFile() {
        QFETCH(QString, account);
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"), lettered("AB", 328));
        app.write(QStringLiteral("Keep.txt"), "precious");
        app.mkdir(QStringLiteral("TIActiveAccounts"));
        QVERIFY(CustomerFiles::deleteCustomer(app.ctx->store(), 2, account));
        QCOMPARE(app.read(QStringLiteral("Keep.txt")), QByteArray("precious"));
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), lettered("A", 328));

        QVERIFY(!CustomerFiles::saveAuxData(app.ctx->store(), account,
                                            QStringList(6, QStringLiteral("x"))));
        QVERIFY(!app.exists(QStringLiteral("AuxFiles")));
        QCOMPARE(CustomerFiles::loadAuxData(app.ctx->store(), account), QStringList(6, QString()));
    }

    void recordReadsRestoreFromTheBackup() {
        TempApp app;
        CustomerRecord r;
        r.AccountNumber = QStringLiteral("B-1");
        app.write(QStringLiteral("Backup/CustomerData.txt"), r.toBytes());
        QCOMPARE(CustomerFiles::readCustomer(app.ctx->store(), 1).AccountNumber,
                 QStringLiteral("B-1"));
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), r.toBytes());
    }

    void rebuildFillsEverySlot() {
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"), lettered("ABC", 328));
        app.write(QStringLiteral("Backup/ContractInfo.txt"), "stale");
        app.write(QStringLiteral("Backup/CycleInfo.txt"), "stale");
        app.prompter.expectMessage(
            QStringLiteral("Your Billing Information File will be Built with Default Values"),
            QStringLiteral("Building Billing Info"));
        CustomerFiles::BuildContractInfo(*app.ctx, 3, QByteArray(386, 'k'));
        CustomerFiles::BuildCycleInfo(*app.ctx, 3, QByteArray(69, 'y'));
        QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")), lettered("kkk", 386));
        QCOMPARE(app.read(QStringLiteral("CycleInfo.txt")), lettered("yyy", 69));
        QVERIFY(!app.exists(QStringLiteral("Backup/ContractInfo.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/CycleInfo.txt")));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void auxDataUnderTheTelephoneAccount() {
        TempApp app;
        const QString account = QStringLiteral("555-123-4567");
        const QStringList boxes = {QStringLiteral("Gate code 1234"),
                                   QString(),
                                   QStringLiteral("line one\nline two"),
                                   QString(),
                                   QString(),
                                   QStringLiteral("last")};
        const auto file = [&](int box) {
            return app.read(QStringLiteral("AuxFiles/555-123-4567/AuxFile%1/Data.txt").arg(box));
        };
        QVERIFY(CustomerFiles::saveAuxData(app.ctx->store(), account, boxes));
        QCOMPARE(file(0), QByteArray("Gate code 1234\r\n"));
        QCOMPARE(file(1), QByteArray("\r\n"));
        QCOMPARE(file(5), QByteArray("last\r\n"));
        const QStringList back = CustomerFiles::loadAuxData(app.ctx->store(), account);
        QCOMPARE(back, boxes);
        // Saving what was loaded gives the same bytes: the text does not grow.
        QVERIFY(CustomerFiles::saveAuxData(app.ctx->store(), account, back));
        QCOMPARE(file(2), QByteArray("line one\r\nline two\r\n"));
    }

    void auxDataOfExistingFoldersAndMissingFiles() {
        TempApp app;
        app.write(QStringLiteral("auxfiles/A1/auxfile3/data.txt"), "typed elsewhere\r\nsecond\r\n");
        const QStringList boxes =
            CustomerFiles::loadAuxData(app.ctx->store(), QStringLiteral("A1"));
        QCOMPARE(boxes.size(), 6);
        QCOMPARE(boxes.at(3), QStringLiteral("typed elsewhere\nsecond"));
        QVERIFY(boxes.at(0).isEmpty());
        QVERIFY(CustomerFiles::saveAuxData(app.ctx->store(), QStringLiteral("A1"), boxes));
        // The folders that exist keep their spelling.
        QCOMPARE(app.read(QStringLiteral("auxfiles/A1/auxfile3/data.txt")),
                 QByteArray("typed elsewhere\r\nsecond\r\n"));
        QVERIFY(!app.exists(QStringLiteral("AuxFiles")));
    }

    void headings() {
        TempApp app;
        QVERIFY(!CustomerFiles::loadHeadings(app.ctx->store()).has_value());
        app.write(QStringLiteral("AuxHeadings.txt"), "Gate\r\nDog\r\nRoof type\r\n");
        QCOMPARE(*CustomerFiles::loadHeadings(app.ctx->store()),
                 QStringList({QStringLiteral("Gate"), QStringLiteral("Dog"),
                              QStringLiteral("Roof type"), QString(), QString(), QString()}));
        app.write(QStringLiteral("Backup/AuxHeadings.txt"), "old\r\n");
        QVERIFY(CustomerFiles::saveHeadings(app.ctx->store(),
                                            {QStringLiteral("A"), QStringLiteral("B\nC"), QString(),
                                             QStringLiteral("D"), QString(), QStringLiteral("F")}));
        QCOMPARE(app.read(QStringLiteral("AuxHeadings.txt")),
                 QByteArray("A\r\nB C\r\n\r\nD\r\n\r\nF\r\n"));
        QVERIFY(!app.exists(QStringLiteral("Backup/AuxHeadings.txt")));
    }

    void shippedStateList() {
        TempApp app;
        QFile shipped(QStringLiteral(TOLVAR_RESOURCES "/StatesList.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        app.write(QStringLiteral("StatesList.txt"), shipped.readAll());
        const QStringList states = CustomerFiles::loadStates(app.ctx->store());
        QCOMPARE(QSet<QString>(states.begin(), states.end()).size(), 50);
        QCOMPARE(states.first() + states.last(), QStringLiteral("ALWY"));
        for (const QString& s : states) {
            QVERIFY2(s.size() == 2 && s == s.toUpper(), qPrintable(s));
        }
    }

    void stateListForms_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("states");
        QTest::newRow("fewer than 50")
            << QByteArray("\"AK\",\"HI\"\r\n\"PR\"\r\n") << QStringList{"AK", "HI", "PR"};
        QTest::newRow("bare and quoted")
            << QByteArray("NY,\"NJ\"\r\nCT\r\n\r\nMA") << QStringList{"NY", "NJ", "CT", "MA"};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("blank items skipped") << QByteArray(",,TX,,\r\n") << QStringList{"TX"};
        QByteArray sixty;
        QStringList fifty;
        for (int i = 0; i < 60; ++i) {
            sixty += "S" + QByteArray::number(i) + "\r\n";
            if (i < 50) {
                fifty << QStringLiteral("S%1").arg(i);
            }
        }
        QTest::newRow("only the first fifty") << sixty << fifty;
    }
    void stateListForms() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, states);
        TempApp app;
        app.write(QStringLiteral("StatesList.txt"), file);
        QCOMPARE(CustomerFiles::loadStates(app.ctx->store()), states);
        QVERIFY(CustomerFiles::loadStates(TempApp().ctx->store()).isEmpty());
    }

    void accountNumberTaken_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("except");
        QTest::addColumn<bool>("taken");
        QTest::newRow("other record") << QStringLiteral("A-2") << 1 << true;
        QTest::newRow("own record") << QStringLiteral("A-2") << 2 << false;
        QTest::newRow("case counts") << QStringLiteral("a-2") << 1 << false;
        QTest::newRow("typed blanks count") << QStringLiteral("A-2 ") << 1 << false;
        QTest::newRow("stored blanks trimmed") << QStringLiteral("B 3") << 1 << true;
    }
    void accountNumberTaken() {
        QFETCH(QString, typed);
        QFETCH(int, except);
        QFETCH(bool, taken);
        TempApp app;
        QByteArray file(3 * 328, ' ');
        put(file, 0, "A-1");
        put(file, 328, "A-2");
        put(file, 656, "  B 3");
        app.write(QStringLiteral("CustomerData.txt"), file);
        QCOMPARE(CustomerFiles::accountNumberTaken(app.ctx->store(), typed, except), taken);
    }
};

TOLVAR_TEST(TestCustomerFiles)
#include "test_customerfiles.moc"
