#include "cases.h"
#include "shell/appfolder.h"
#include "shell/dates.h"
#include "shell/filestore.h"
#include "shell/recordfile.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

#include <sys/resource.h>
#include <cmath>
#include <csignal>

namespace {
const QStringList kBackupSet{"CompanyLogo", "CustomerData",   "AuxHeadings", "LogoSettings",
                             "Phone",       "MyBusinessData", "PrintColors", "SoldItems",
                             "MyWebSite",   "TaxRecords",     "SpeedNumbers"};

QStringList entries(const TempApp& app, const QString& folder) {
    return QDir(app.path(folder))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// Files stop growing at `bytes` while this lives, as on a full disk; the
// process is not killed for it, the write just fails. Works as root too.
class DiskFullAt {
public:
    explicit DiskFullAt(rlim_t bytes) : m_signal(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFullAt() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_old{};
    void (*m_signal)(int);
};

const QString kFolderCases = QStringLiteral("shell/appfolder.txt");

QDate date(const QByteArray& field) {
    return QDate::fromString(str(field), Qt::ISODate);
}

// One field of every kind, 46 bytes; shell/everykind.rec holds «AB, -2,
// 100000, 1.5f, -2.0, $12.50, 2026-12-05 and true, little-endian throughout.
RecordLayout everyKind() {
    return RecordLayout()
        .text("Name", 10)
        .int16("Count")
        .int32("Big")
        .single("Rate")
        .real("Value")
        .money("Price")
        .date("Day")
        .flag("Done");
}

Record filled() {
    Record r(everyKind());
    r.setText("Name", QStringLiteral("\u00abAB"));
    r.setInteger("Count", -2);
    r.setInteger("Big", 100000);
    r.setReal("Rate", 1.5);
    r.setReal("Value", -2.0);
    r.setMoney("Price", Money::fromCents(1250));
    r.setDate("Day", QDate(2026, 12, 5));
    r.setFlag("Done", true);
    return r;
}
}  // namespace

class TestFileStore : public QObject {
    Q_OBJECT
    // A fresh application folder for every test, gone before the next one.
    std::unique_ptr<TempApp> app;
    FileStore* store = nullptr;
    void fresh() {
        app = std::make_unique<TempApp>();
        store = &app->ctx->store();
    }
private slots:
    void init() { fresh(); }
    void cleanup() { app.reset(); }
    void probeRestoresFromBackup_data() { cases::load("shell/filestore.txt", "probe"); }
    void probeRestoresFromBackup() {
        const cases::Row c = cases::row();
        const auto presence =
            Presence(QList<QByteArray>{"Present", "Absent", "Failed"}.indexOf(c[2]));
        app->mkdir("TIActiveAccounts");
        app->write(str(c[0]), "0,\xab\r\n");
        const Existence e = store->probe(str(c[1]));
        QCOMPARE(std::pair(e.presence(), store->FileExists(str(c[1]))),
                 std::pair(presence, presence == Presence::Present));
        QCOMPARE(app->read(str(c[c[3].isEmpty() ? 0 : 3])), QByteArray("0,\xab\r\n"));
        QCOMPARE(e.status().message(),
                 presence != Presence::Failed
                     ? QString()
                     : QStringLiteral("The file %1 could not be used: it could not be restored "
                                      "from the Backup folder: No such file or directory")
                           .arg(app->path("Gone/x.txt")));
    }

    // Whole files, and whole record files for compacting: a failure is never
    // a run of zeros.
    void wholeFiles() {
        app->write("TProposalCounter.txt", "1001\r\nold junk that is longer\r\n");
        app->write("C.txt", "aaaabb");
        app->mkdir("F.txt");
        app->write("Backup/F.txt", "aaaa");
        QVERIFY(store->OpenForOutput("\\tproposalcounter.txt", "1002\r\n"));
        QCOMPARE(*store->OpenForInput("/TPROPOSALCOUNTER.txt"), "1002\r\n");
        QCOMPARE(entries(*app, QString()),
                 (QStringList{"Backup", "C.txt", "F.txt", "TProposalCounter.txt"}));
        QCOMPARE(store->OpenForInput("/Missing.txt").status().message(),
                 QStringLiteral("The file %1 could not be used: No such file or directory")
                     .arg(app->path("Missing.txt")));
        QCOMPARE(*store->ReadRecords("/C.txt", 4), QByteArray("aaaabb\0\0", 8));
        QCOMPARE(*store->ReadRecords("/C.txt", 5), QByteArray("aaaab"));
        QCOMPARE(*store->ReadRecords("/None.txt", 4), QByteArray());
        QCOMPARE(store->ReadRecords("/F.txt", 4).status().file(), app->path("F.txt"));
        QCOMPARE(store->RecordCount("/C.txt", 4), 2);
        QCOMPARE(store->RecordCount("/F.txt", 4), 0);
    }

    // The old file stays whole and no temporary is left behind.
    void failedWriteKeepsTheOldFile_data() { cases::load("shell/filestore.txt", "write"); }
    void failedWriteKeepsTheOldFile() {
        const cases::Row c = cases::row();
        const int step = QList<QByteArray>{"Open", "Write", "Flush", "Commit"}.indexOf(c[0]);
        const QByteArray old(6560, 'o');
        app->write("CustomerData.txt", old);
        store->setFaultHook([&](FileStep s, const QString&) { return int(s) == step; });
        IoStatus s;
        {
            const DiskFullAt full(step < 0 ? 4096 : RLIM_INFINITY);
            s = store->OpenForOutput("/CustomerData.txt", QByteArray(c[1].toInt(), 'n'));
        }
        QVERIFY(!s.ok());
        QCOMPARE(s.file(), app->path("CustomerData.txt"));
        QCOMPARE(app->read("CustomerData.txt"), old);
        QCOMPARE(entries(*app, QString()), QStringList{"CustomerData.txt"});
    }

    // A write killed part way leaves its temporary; the next start removes
    // it and nothing that merely looks alike.
    void unfinishedWritesAreRemoved() {
        const QStringList kept{"1001.txt",     "1001.txt.store", "CUSTOMER.SAV",
                               "Notes.backup", "a.txt.abc12",    "a.txt.abc1234"};
        for (const QString& name : kept + QStringList{"1001.txt.jOlwYo", "Phone.txt.Q1w2E3"}) {
            app->write("TolvarProposals/" + name, "x");
        }
        store->RemoveUnfinishedWrites("\\TolvarProposals");
        QCOMPARE(entries(*app, "TolvarProposals"), kept);
    }

    void copyDataFile() {
        app->write("A.txt", QByteArray(6000, 'a'));
        app->write("B.txt", "older");
        {
            const DiskFullAt full(4096);
            QVERIFY(!store->CopyDataFile("/A.txt", "/B.txt"));
        }
        QVERIFY(!store->CopyDataFile("/None.txt", "/B.txt"));
        QCOMPARE(app->read("B.txt"), QByteArray("older"));
        QVERIFY(store->CopyDataFile("/a.txt", "\\B.TXT"));
        QCOMPARE(app->read("B.txt"), QByteArray(6000, 'a'));
    }

    // Both copies go, whichever there are (bit 1: the file, bit 2: its
    // backup copy), and the record file is closed; a backup copy that cannot
    // go keeps both.
    void deleteWithBackup() {
        for (int present = 0; present < 5; ++present) {
            const bool refused = present == 4;
            fresh();
            app->mkdir("Backup");
            if (present & 1 || refused) {
                app->write("companylogo.txt", "\"/home/me/logo.bmp\"\r\n");
            }
            if (present & 2 || refused) {
                app->write("Backup/CompanyLogo.txt", "\"/old.bmp\"\r\n");
            }
            store->OpenRandom("/CustomerData.txt", 328);
            store->setFaultHook([&](FileStep s, const QString& f) {
                return refused && s == FileStep::Delete && f.contains(QLatin1String("Backup"));
            });
            QCOMPARE(store->DeleteWithBackup("/CompanyLogo.txt").ok(), !refused);
            QStringList left{"Backup", "CustomerData.txt"};
            if (refused) {
                left << QStringLiteral("companylogo.txt");
            }
            QCOMPARE(entries(*app, QString()), left);
            QCOMPARE(entries(*app, "Backup"),
                     refused ? QStringList{"CompanyLogo.txt"} : QStringList());
            QVERIFY(refused || !store->current());
        }
    }

    void recordFilesOpenOneBesideTheOther() {
        store->OpenRandom2("/ContractInfo.txt", 4);
        store->OpenRandom("/CustomerData.txt", 4);
        QVERIFY(store->second()->write(1, "kkkk"));
        QVERIFY(store->current()->write(2, "cccc"));
        QCOMPARE(app->read("ContractInfo.txt"), QByteArray("kkkk"));
        QCOMPARE(app->read("CustomerData.txt"), QByteArray("\0\0\0\0cccc", 8));
        store->setFaultHook([](FileStep s, const QString&) { return s == FileStep::RecordWrite; });
        QVERIFY(!store->OpenRandom("/CustomerData.txt", 4).write(1, "xxxx"));
    }

    void backupCopiesTheSetGoingOnPastFailures() {
        for (const QString& name : kBackupSet) {
            app->write(name + ".txt", name.toLatin1());
        }
        app->write("TaxSettings.txt", "not in the set");
        app->write("Backup/Phone.txt/x", "a folder in the way");
        QFile::remove(app->path("SoldItems.txt"));
        app->write("Backup/SoldItems.txt", "old sold items");
        store->OpenRandom("/CustomerData.txt", 328);
        QCOMPARE(store->BackupDataFiles(), QStringList{"Phone"});
        QVERIFY(!store->current());
        QStringList copied;
        for (const QString& name : kBackupSet) {
            copied << app->read("Backup/" + name + ".txt");
        }
        QStringList expected = kBackupSet;
        expected[4] = QString();
        expected[7] = QStringLiteral("old sold items");
        QCOMPARE(copied, expected);
        QVERIFY(!app->exists("Backup/TaxSettings.txt"));
    }

    void makeFolderOneLevel() {
        app->write("Documents", "a file");
        QVERIFY(store->MakeFolder("\\Templates"));
        QVERIFY(store->MakeFolder("\\templates\\Proposals"));
        QVERIFY(!store->MakeFolder("/AuxFiles/ACME"));
        QVERIFY(store->MakeFolder("/Documents"));
        QCOMPARE(entries(*app, QString()), (QStringList{"Documents", "Templates"}));
        QVERIFY(QFileInfo(app->path("Templates/Proposals")).isDir());
        QCOMPARE(AppFolder(app->path(QString())).resolve(QStringLiteral("\\")), app->dir.path());
        store->setFaultHook([](FileStep s, const QString&) { return s == FileStep::MakeFolder; });
        QVERIFY(!store->MakeFolder("/AuxFiles"));
    }

    void resolvesWithoutRegardToCase_data() { cases::load(kFolderCases, "resolve"); }
    void resolvesWithoutRegardToCase() {
        const cases::Row c = cases::row();
        const QString dataPath = str(c[0]);
        const QString relative = str(c[1]);
        app->mkdir("AuxFiles/Smith");
        app->mkdir("Templates/Proposals");
        for (const char* file : {"customerdata.txt", "Phone.txt", "PHONE.txt"}) {
            app->write(QString::fromLatin1(file), "x");
        }
        QCOMPARE(app->ctx->folder().resolve(dataPath), app->path(relative));
        QCOMPARE(app->ctx->folder().isDir(dataPath), QFileInfo(app->path(relative)).isDir());
        QCOMPARE(app->ctx->folder().isFile(dataPath), QFileInfo(app->path(relative)).isFile());
    }

    void safeFileNames_data() { cases::load(kFolderCases, "name"); }
    void safeFileNames() {
        const cases::Row c = cases::row();
        QCOMPARE(IsSafeFileName(str(c[0])), c[1] == "1");
    }

    void shortDates_data() { cases::load(kFolderCases, "short"); }
    void shortDates() {
        const cases::Row c = cases::row();
        const QLocale locale(str(c[0]));
        QCOMPARE(Dates::fromShort(str(c[1]), locale), date(c[2]));
        QCOMPARE(Dates::toShort(date(c[2]), locale), str(c[3]));
    }

    void dayCounts_data() { cases::load(kFolderCases, "days"); }
    void dayCounts() {
        const cases::Row c = cases::row();
        QCOMPARE(Dates::fromDayCount(c[0].toDouble()), date(c[1]));
        if (date(c[1]).isValid()) {
            QCOMPARE(Dates::toDayCount(date(c[1])), std::trunc(c[0].toDouble()));
        }
    }

    void weekdayNamesAreEnglish() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString name = Dates::weekdayName(QDate(2026, 12, 7));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(name, QStringLiteral("Monday"));
    }

    void goldenRecordWritesAndReads() {
        const QByteArray golden = testData("shell/everykind.rec");
        QCOMPARE(filled().bytes(), golden);
        // A temporary layout: the record keeps its own copy.
        const Record r(everyKind(), golden);
        QCOMPARE(std::tuple(r.text("Name"), r.integer("Count"), r.integer("Big"),
                            r.integer("Value"), r.real("Rate"), r.money("Price").toPlainString(),
                            r.date("Day"), r.flag("Done")),
                 std::tuple(QStringLiteral("\u00abAB       "), qint64(-2), qint64(100000),
                            qint64(-2), 1.5, QStringLiteral("12.5"), QDate(2026, 12, 5), true));
        Record cut = filled();
        cut.setText("Name", QStringLiteral("0123456789AB\u4e2d"));
        QCOMPARE(cut.bytes(), "0123456789" + golden.mid(10));
        cut.setText("Name", QStringLiteral("\u4e2d x"));
        QCOMPARE(cut.bytes().left(10), QByteArray("? x       "));
        QCOMPARE(Record(everyKind(), "ab").bytes(), "ab" + QByteArray(44, '\0'));
    }

    // Misuse reads as nothing and writes nothing, and never ends the program.
    void misuseIsRefused() {
        const QStringList names{"Nope", "Name", "Count", "Price", "Day"};
        QStringList taken;
        QStringList shown;
        for (const QString& name : names) {
            Record r = filled();
            taken << bits({r.setText(name, "x"), r.setInteger(name, 1), r.setFlag(name, false),
                           r.setMoney(name, Money::fromCents(1)),
                           r.setDate(name, QDate(2000, 1, 1))});
            r = Record(everyKind(), filled().bytes());
            shown << bits({!r.text(name).isEmpty(), r.integer(name) != 0, r.real(name) != 0,
                           !r.money(name).isZero(), r.date(name).isValid()});
        }
        QCOMPARE(taken, (QStringList{"00000", "10000", "01100", "00010", "00001"}));
        QCOMPARE(shown, (QStringList{"00000", "10000", "01100", "00010", "00001"}));
        QCOMPARE(everyKind().field("Nope").width, 0);
    }

    void numbersThatDoNotFitAreRefused_data() { cases::load("shell/records.txt", "setReal"); }
    void numbersThatDoNotFitAreRefused() {
        const cases::Row c = cases::row();
        const QString name = str(c[0]);
        const double value = c[1].toDouble();
        const bool stored = c[2] == "1";
        Record r(everyKind());
        QCOMPARE(r.setReal(name, value), stored);
        QCOMPARE(r.real(name), stored ? std::nearbyint(value) : 0.0);
        if (value == std::trunc(value) && std::fabs(value) < 9e18) {
            QCOMPARE(r.setInteger(name, static_cast<qint64>(value)), stored);
        }
    }

    void recordCountRoundsHalfToEven_data() { cases::load("shell/records.txt", "count"); }
    void recordCountRoundsHalfToEven() {
        const cases::Row c = cases::row();
        QCOMPARE(RecordCountOf(c[0].toLongLong(), c[1].toInt()), c[2].toInt());
    }

    void readsAndWritesRecords() {
        app->write("R.txt", "aaaabb");  // 1.5 records
        RecordFile f(app->path("R.txt"), 4);
        QCOMPARE(f.count(), 2);
        QCOMPARE(*f.read(2), QByteArray("bb\0\0", 4));
        QCOMPARE(*f.read(3), QByteArray(4, '\0'));
        QVERIFY(!f.read(0));
        QVERIFY(!f.write(0, "zzzz"));
        // Flushed at once; a gap is filled with zeros, a long record cut.
        QVERIFY(f.write(4, "DDDDDD"));
        QCOMPARE(app->read("R.txt"), QByteArray("aaaabb\0\0\0\0\0\0DDDD", 16));
        QVERIFY(f.truncate(1));
        QCOMPARE(app->read("R.txt"), QByteArray("aaaa"));
        // Failures are reported.
        app->mkdir("ADir");
        RecordFile folder(app->path("ADir"), 4);
        QVERIFY(!folder.status().ok());
        QCOMPARE(folder.read(1).status().file(), app->path("ADir"));
        QVERIFY(!folder.write(1, "abcd"));
        QVERIFY(!RecordFile(app->path("S.txt"), 0).status().ok());
        RecordFile refusing(app->path("S.txt"), 4,
                            [](FileStep s, const QString&) { return s == FileStep::RecordWrite; });
        QVERIFY(!refusing.write(1, "bbbb"));
        QCOMPARE(app->read("S.txt"), QByteArray());
    }
};

TOLVAR_TEST(TestFileStore)
#include "test_filestore.moc"
