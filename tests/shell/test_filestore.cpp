#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
// The backup set, in its order, as the program documents it.
const QStringList kBackupSet{"CompanyLogo", "CustomerData",   "AuxHeadings", "LogoSettings",
                             "Phone",       "MyBusinessData", "PrintColors", "SoldItems",
                             "MyWebSite",   "TaxRecords",     "SpeedNumbers"};

QStringList entries(const TempApp& app, const QString& folder) {
    return QDir(app.path(folder))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void writeAllEleven(const TempApp& app) {
    for (const QString& name : kBackupSet) {
        app.write(name + QStringLiteral(".txt"), "new " + name.toLatin1() + "\r\n");
    }
}
}  // namespace

class TestFileStore : public QObject {
    Q_OBJECT
private slots:
    void fileExistsRestoresFromBackup_data() {
        QTest::addColumn<QString>("backupOnDisk");
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("restoredOnDisk");
        QTest::newRow("top level") << "Backup/PrintColors.txt"
                                   << "\\PrintColors.txt"
                                   << "PrintColors.txt";
        QTest::newRow("forward slash") << "Backup/CustomerData.txt"
                                       << "/CustomerData.txt"
                                       << "CustomerData.txt";
        QTest::newRow("backup in other case") << "backup/CUSTOMERDATA.TXT"
                                              << "/CustomerData.txt"
                                              << "CustomerData.txt";
        QTest::newRow("below a folder") << "Backup/TIActiveAccounts/555.txt"
                                        << "/TIActiveAccounts/555.txt"
                                        << "TIActiveAccounts/555.txt";
    }
    void fileExistsRestoresFromBackup() {
        QFETCH(QString, backupOnDisk);
        QFETCH(QString, dataPath);
        QFETCH(QString, restoredOnDisk);
        TempApp app;
        app.mkdir(QStringLiteral("TIActiveAccounts"));
        const QByteArray content("0,0,16777215,\"Arial\",#TRUE#\r\n\xab\r\n");
        app.write(backupOnDisk, content);
        QVERIFY(!app.exists(restoredOnDisk));
        QVERIFY(app.ctx->store().FileExists(dataPath));
        QCOMPARE(app.read(restoredOnDisk), content);
        QCOMPARE(app.read(backupOnDisk), content);
        QVERIFY(app.prompter.done());
    }

    void fileExistsWithoutAnyCopy() {
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        QVERIFY(!app.ctx->store().FileExists(QStringLiteral("/Phone.txt")));
        QVERIFY(!app.exists(QStringLiteral("Phone.txt")));
        QVERIFY(app.ctx->store().lastError().ok());
    }

    void aFolderIsNeverAFile() {
        TempApp app;
        app.mkdir(QStringLiteral("Templates"));
        app.mkdir(QStringLiteral("Backup/Templates"));
        app.mkdir(QStringLiteral("Backup/AuxFiles"));
        QVERIFY(!app.ctx->store().FileExists(QStringLiteral("\\Templates")));
        QVERIFY(!app.ctx->store().FileExists(QStringLiteral("/AuxFiles")));
        // The backup folder was not copied as a file.
        QVERIFY(!app.exists(QStringLiteral("AuxFiles")));
        QVERIFY(QFileInfo(app.path(QStringLiteral("Templates"))).isDir());
    }

    void failedRestoreIsReported() {
        TempApp app;
        app.write(QStringLiteral("Backup/Gone/x.txt"), "x");
        app.mkdir(QStringLiteral("Busy.txt"));
        app.write(QStringLiteral("Backup/Busy.txt"), "y");
        FileStore& store = app.ctx->store();
        QVERIFY(!store.FileExists(QStringLiteral("\\Gone\\x.txt")));
        QVERIFY(!store.lastError().ok());
        QVERIFY(store.lastError().file().endsWith(QLatin1String("Gone/x.txt")));
        QVERIFY(!store.FileExists(QStringLiteral("\\Busy.txt")));
        QVERIFY(QFileInfo(app.path(QStringLiteral("Busy.txt"))).isDir());
    }

    void recordCount_data() {
        QTest::addColumn<int>("bytes");  // -1: no file
        QTest::addColumn<bool>("inBackupOnly");
        QTest::addColumn<int>("count");
        QTest::newRow("656 bytes") << 656 << false << 2;
        QTest::newRow("492 bytes") << 492 << false << 2;
        QTest::newRow("empty") << 0 << false << 0;
        QTest::newRow("missing") << -1 << false << 0;
        QTest::newRow("restored first") << 656 << true << 2;
    }
    void recordCount() {
        QFETCH(int, bytes);
        QFETCH(bool, inBackupOnly);
        QFETCH(int, count);
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        if (bytes >= 0) {
            const QString at = inBackupOnly ? QStringLiteral("Backup/CustomerData.txt")
                                            : QStringLiteral("CustomerData.txt");
            app.write(at, QByteArray(bytes, ' '));
        }
        QCOMPARE(app.ctx->store().RecordCount(QStringLiteral("/CustomerData.txt"), 328), count);
        QCOMPARE(app.exists(QStringLiteral("CustomerData.txt")), bytes >= 0);
    }

    void openRandomCreatesTheFile() {
        TempApp app;
        FileStore& store = app.ctx->store();
        RecordFile& f = store.OpenRandom(QStringLiteral("/CustomerData.txt"), 328);
        QVERIFY(f.status().ok());
        QVERIFY(app.exists(QStringLiteral("CustomerData.txt")));
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")).size(), 0);
        QCOMPARE(store.current(), &f);
        store.CloseAll();
        QCOMPARE(store.RecordCount(QStringLiteral("/CustomerData.txt"), 328), 0);
    }

    void secondRecordFileStaysOpenBeside() {
        TempApp app;
        FileStore& store = app.ctx->store();
        store.OpenRandom2(QStringLiteral("/ContractInfo.txt"), 4);
        store.OpenRandom(QStringLiteral("/CustomerData.txt"), 4);
        store.OpenRandom(QStringLiteral("/CycleInfo.txt"), 4);  // replaces only the current one
        QVERIFY(store.second());
        QVERIFY(store.second()->write(1, "kkkk").ok());
        QVERIFY(store.current()->write(2, "cccc").ok());
        QCOMPARE(app.read(QStringLiteral("ContractInfo.txt")), QByteArray("kkkk"));
        QCOMPARE(app.read(QStringLiteral("CycleInfo.txt")), QByteArray("\0\0\0\0cccc", 8));
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), QByteArray());
        // Deleting any file closes both.
        QVERIFY(store.DeleteDataFile(QStringLiteral("/Nothing.txt")).ok());
        QVERIFY(!store.current());
        QVERIFY(!store.second());
    }

    void openForInput() {
        TempApp app;
        app.write(QStringLiteral("Prompts.txt"), "#TRUE#,#FALSE#\r\n");
        app.mkdir(QStringLiteral("Folder.txt"));
        FileStore& store = app.ctx->store();
        QCOMPARE(store.OpenForInput(QStringLiteral("/PROMPTS.txt")).value_or(QByteArray()),
                 QByteArray("#TRUE#,#FALSE#\r\n"));
        IoStatus s;
        QVERIFY(!store.OpenForInput(QStringLiteral("/Missing.txt"), &s).has_value());
        QVERIFY(!s.ok());
        QVERIFY(s.file().endsWith(QLatin1String("/Missing.txt")));
        QVERIFY(s.message().contains(QLatin1String("Missing.txt")));
        QVERIFY(!store.OpenForInput(QStringLiteral("/Folder.txt")).has_value());
    }

    void openForOutputReplacesWholly() {
        TempApp app;
        app.write(QStringLiteral("TProposalCounter.txt"), "1001\r\nold junk that is longer\r\n");
        FileStore& store = app.ctx->store();
        QVERIFY(store.OpenForOutput(QStringLiteral("\\TProposalCounter.txt"), "1002\r\n").ok());
        QCOMPARE(app.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1002\r\n"));
        QVERIFY(store.OpenForOutput(QStringLiteral("/Empty.txt"), QByteArray()).ok());
        QVERIFY(app.exists(QStringLiteral("Empty.txt")));
        // No temporary file is left behind.
        QCOMPARE(entries(app, QString()), (QStringList{"Empty.txt", "TProposalCounter.txt"}));
    }

    void openForOutputFailuresAreReturned() {
        TempApp app;
        app.mkdir(QStringLiteral("Busy.txt"));
        FileStore& store = app.ctx->store();
        const IoStatus intoFolder = store.OpenForOutput(QStringLiteral("/Busy.txt"), "x");
        QVERIFY(!intoFolder.ok());
        QVERIFY(intoFolder.file().endsWith(QLatin1String("Busy.txt")));
        QVERIFY(QFileInfo(app.path(QStringLiteral("Busy.txt"))).isDir());
        const IoStatus noFolder = store.OpenForOutput(QStringLiteral("/No/Such.txt"), "x");
        QVERIFY(!noFolder.ok());
        QVERIFY(!store.lastError().ok());
        QVERIFY(!app.exists(QStringLiteral("No")));
    }

    void copyDataFile() {
        TempApp app;
        app.write(QStringLiteral("A.txt"), "new");
        app.write(QStringLiteral("B.txt"), "older and longer");
        FileStore& store = app.ctx->store();
        QVERIFY(store.CopyDataFile(QStringLiteral("/a.txt"), QStringLiteral("\\B.TXT")).ok());
        QCOMPARE(app.read(QStringLiteral("B.txt")), QByteArray("new"));
        QCOMPARE(app.read(QStringLiteral("A.txt")), QByteArray("new"));
        QVERIFY(!store.CopyDataFile(QStringLiteral("/None.txt"), QStringLiteral("/B.txt")).ok());
        QCOMPARE(app.read(QStringLiteral("B.txt")), QByteArray("new"));
    }

    void deleteDataFile() {
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"), QByteArray(328, 'x'));
        app.mkdir(QStringLiteral("Documents"));
        FileStore& store = app.ctx->store();
        store.OpenRandom(QStringLiteral("/CustomerData.txt"), 328);
        QVERIFY(store.DeleteDataFile(QStringLiteral("/customerdata.txt")).ok());
        QVERIFY(!store.current());
        QVERIFY(!app.exists(QStringLiteral("CustomerData.txt")));
        QVERIFY(store.DeleteDataFile(QStringLiteral("/CustomerData.txt")).ok());
        // Folders are not data files.
        QVERIFY(store.DeleteDataFile(QStringLiteral("/Documents")).ok());
        QVERIFY(app.exists(QStringLiteral("Documents")));
    }

    void deleteWithBackup_data() {
        QTest::addColumn<bool>("data");
        QTest::addColumn<bool>("backup");
        QTest::newRow("both") << true << true;
        QTest::newRow("only the file") << true << false;
        QTest::newRow("only the backup") << false << true;
        QTest::newRow("neither") << false << false;
    }
    void deleteWithBackup() {
        QFETCH(bool, data);
        QFETCH(bool, backup);
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        if (data) {
            app.write(QStringLiteral("CompanyLogo.txt"), "\"/home/me/logo.bmp\"\r\n");
        }
        if (backup) {
            app.write(QStringLiteral("Backup/CompanyLogo.txt"), "\"/old.bmp\"\r\n");
        }
        FileStore& store = app.ctx->store();
        QVERIFY(store.DeleteWithBackup(QStringLiteral("/CompanyLogo.txt")).ok());
        QVERIFY(!app.exists(QStringLiteral("CompanyLogo.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/CompanyLogo.txt")));
        // Nothing comes back from the backup afterwards.
        QVERIFY(!store.FileExists(QStringLiteral("/CompanyLogo.txt")));
    }


    void backupCopiesTheSetOnly() {
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        writeAllEleven(app);
        app.write(QStringLiteral("TaxSettings.txt"), "tax");
        app.write(QStringLiteral("Prompts.txt"), "prompts");
        app.write(QStringLiteral("Backup/PrintColors.txt"), "stale");
        QVERIFY(app.ctx->store().BackupDataFiles().isEmpty());
        for (const QString& name : kBackupSet) {
            const QString file = name + QStringLiteral(".txt");
            QCOMPARE(app.read(QStringLiteral("Backup/") + file), app.read(file));
        }
        QCOMPARE(entries(app, QStringLiteral("Backup")).size(), 11);
        QVERIFY(!app.exists(QStringLiteral("Backup/TaxSettings.txt")));
        QVERIFY(!app.exists(QStringLiteral("Backup/Prompts.txt")));
    }

    void backupKeepsOldCopyOfMissingFile() {
        TempApp app;
        app.write(QStringLiteral("PrintColors.txt"), "colours");
        app.write(QStringLiteral("Backup/SoldItems.txt"), "old sold items");
        QVERIFY(app.ctx->store().BackupDataFiles().isEmpty());
        QCOMPARE(app.read(QStringLiteral("Backup/PrintColors.txt")), QByteArray("colours"));
        QCOMPARE(app.read(QStringLiteral("Backup/SoldItems.txt")), QByteArray("old sold items"));
        QCOMPARE(entries(app, QStringLiteral("Backup")),
                 (QStringList{"PrintColors.txt", "SoldItems.txt"}));
    }

    void backupGoesOnPastFailures() {
        TempApp app;
        writeAllEleven(app);
        // A folder where the copy of Phone.txt should go cannot be replaced.
        app.write(QStringLiteral("Backup/Phone.txt/keep"), "x");
        app.write(QStringLiteral("Backup/CustomerData.txt"), "old");
        FileStore& store = app.ctx->store();
        store.OpenRandom(QStringLiteral("/CustomerData.txt"), 328);
        store.OpenRandom2(QStringLiteral("/ContractInfo.txt"), 386);
        QCOMPARE(store.BackupDataFiles(), QStringList{"Phone"});
        QVERIFY(!store.current());
        QVERIFY(!store.second());
        QCOMPARE(app.read(QStringLiteral("Backup/CustomerData.txt")),
                 app.read(QStringLiteral("CustomerData.txt")));
        for (const QString& name : kBackupSet.mid(5)) {
            QCOMPARE(app.read(QStringLiteral("Backup/") + name + QStringLiteral(".txt")),
                     "new " + name.toLatin1() + "\r\n");
        }
    }

    void backupMakesAMissingBackupFolder() {
        TempApp app;
        app.write(QStringLiteral("mybusinessdata.txt"), "\"Brenlow\"\r\n");
        QVERIFY(app.ctx->store().BackupDataFiles().isEmpty());
        QCOMPARE(app.read(QStringLiteral("Backup/MyBusinessData.txt")),
                 QByteArray("\"Brenlow\"\r\n"));
        // The next start finds the copy after the file is lost.
        QFile::remove(app.path(QStringLiteral("mybusinessdata.txt")));
        QVERIFY(app.ctx->store().FileExists(QStringLiteral("\\MyBusinessData.txt")));
        QCOMPARE(app.read(QStringLiteral("MyBusinessData.txt")), QByteArray("\"Brenlow\"\r\n"));
    }

    void makeFolderOneLevel() {
        TempApp app;
        FileStore& store = app.ctx->store();
        QVERIFY(store.MakeFolder(QStringLiteral("\\Templates")).ok());
        QVERIFY(QFileInfo(app.path(QStringLiteral("Templates"))).isDir());
        QVERIFY(store.MakeFolder(QStringLiteral("\\templates\\Proposals")).ok());
        QVERIFY(QFileInfo(app.path(QStringLiteral("Templates/Proposals"))).isDir());
        QCOMPARE(entries(app, QString()), QStringList{"Templates"});
        const IoStatus s = store.MakeFolder(QStringLiteral("/AuxFiles/ACME"));
        QVERIFY(!s.ok());
        QVERIFY(!app.exists(QStringLiteral("AuxFiles")));
        // A file of that name stays a file.
        app.write(QStringLiteral("Documents"), "a file");
        QVERIFY(store.MakeFolder(QStringLiteral("/Documents")).ok());
        QVERIFY(QFileInfo(app.path(QStringLiteral("Documents"))).isFile());
    }
};

TOLVAR_TEST(TestFileStore)
#include "test_filestore.moc"
