#include "shell/appfolder.h"
#include "shell/dates.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <limits>

class TestAppFolder : public QObject {
    Q_OBJECT
private slots:
    // On disk: AuxFiles/Smith, Templates/Proposals, the files customerdata.txt,
    // Phone.txt and PHONE.txt.
    void resolvesWithoutRegardToCase_data() {
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("relative");
        const auto row = [](const char* path, const char* relative) {
            QTest::newRow(path) << QString(path) << QString(relative);
        };
        row("/Auxfiles/smith", "AuxFiles/Smith");
        row("\\templates/PROPOSALS\\Roof.txt", "Templates/Proposals/Roof.txt");
        row("/auxfiles/NEW/AuxFile0", "AuxFiles/NEW/AuxFile0");
        row("/CustomerData.txt", "customerdata.txt");
        row("/PHONE.txt", "PHONE.txt");
        row("\\\\AuxFiles//Smith\\", "AuxFiles/Smith");
        row("/../escape.txt", "escape.txt");
        row("\\AuxFiles\\..\\..\\x", "AuxFiles/x");
        row("/./a/./b", "a/b");
    }
    void resolvesWithoutRegardToCase() {
        QFETCH(QString, dataPath);
        QFETCH(QString, relative);
        TempApp app;
        app.mkdir("AuxFiles/Smith");
        app.mkdir("Templates/Proposals");
        for (const char* file : {"customerdata.txt", "Phone.txt", "PHONE.txt"}) {
            app.write(QString::fromLatin1(file), "x");
        }
        QCOMPARE(app.ctx->folder().resolve(dataPath), app.path(relative));
        QCOMPARE(app.ctx->folder().isDir(dataPath), QFileInfo(app.path(relative)).isDir());
        QCOMPARE(app.ctx->folder().isFile(dataPath), QFileInfo(app.path(relative)).isFile());
    }

    void backupPaths() {
        QCOMPARE(AppFolder::backupPathOf(QStringLiteral("/CustomerData.txt")),
                 QStringLiteral("\\Backup/CustomerData.txt"));
        QCOMPARE(AppFolder(QStringLiteral("/tmp/app/")).resolve(QStringLiteral("\\")),
                 QStringLiteral("/tmp/app"));
    }

    void safeFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        for (const char* name :
             {"555-123-4567", "Smith & Sons \u00ab", "CONSOLE", "COM10", "COM0", "a.b"}) {
            QTest::newRow(name) << QString::fromUtf8(name) << true;
        }
        for (const char* name :
             {"",     "   ",  ".",    "x..y",    "a\tb",       "a/b",  "a\\b",     "C:",  "a*",
              "a?",   "a\"b", "<a>",  "a|b",     "CON",        "nul",  "Aux",      "PRN", "COM1",
              "com9", "LPT1", "lpt9", "CON.txt", "nul.tar.gz", "AUX ", "COM1 .log"}) {
            QTest::newRow(name) << QString::fromUtf8(name) << false;
        }
    }
    void safeFileNames() {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(IsSafeFileName(name), safe);
    }
};

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void shortFormHasFourDigitYears_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/5/2026";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "05.12.2026";
        QTest::newRow("C gives en_US") << QLocale::c() << "12/5/2026";
        QTest::newRow("sv_SE") << QLocale(QLocale::Swedish, QLocale::Sweden) << "2026-12-05";
    }
    void shortFormHasFourDigitYears() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(Dates::toShort(QDate(2026, 12, 5), locale), text);
        QCOMPARE(Dates::fromShort(text, locale), QDate(2026, 12, 5));
    }

    void readsBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("blanks") << " 1/31/2027 " << QDate(2027, 1, 31);
        QTest::newRow("two digits, 49") << "1/1/49" << QDate(2049, 1, 1);
        QTest::newRow("two digits, 50") << "1/1/50" << QDate(1950, 1, 1);
        QTest::newRow("iso") << "2026-12-05" << QDate(2026, 12, 5);
        QTest::newRow("no such day") << "2/30/2026" << QDate();
        QTest::newRow("words") << "soon" << QDate();
    }
    void readsBack() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Dates::fromShort(text, QLocale(QLocale::English, QLocale::UnitedStates)), date);
        QCOMPARE(Dates::toShort(QDate()), QString());
    }

    void dayCounts_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QDate>("date");
        QTest::newRow("epoch") << 0.0 << QDate(1899, 12, 30);
        QTest::newRow("no 1900 leap day") << 60.0 << QDate(1900, 2, 28);
        QTest::newRow("with time of day") << 46361.75 << QDate(2026, 12, 5);
        QTest::newRow("before epoch, time of day") << -1.25 << QDate(1899, 12, 29);
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QDate();
        QTest::newRow("not a number") << std::nan("") << QDate();
        QTest::newRow("absurd") << 1e12 << QDate();
    }
    void dayCounts() {
        QFETCH(double, days);
        QFETCH(QDate, date);
        QCOMPARE(Dates::fromDayCount(days), date);
        if (date.isValid()) {
            QCOMPARE(Dates::toDayCount(date), std::trunc(days));
        }
    }

    void weekdayNamesAreEnglish() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString name = Dates::weekdayName(QDate(2026, 12, 7));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(name, QStringLiteral("Monday"));
    }
};

TOLVAR_TEST(TestAppFolder)
TOLVAR_TEST(TestDates)
#include "test_appfolder.moc"
