#include "shell/appfolder.h"
#include "shell/dates.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

class TestAppFolder : public QObject {
    Q_OBJECT
private slots:
    // Folders on disk: AuxFiles/Smith, Templates/Proposals, file customerdata.txt.
    void resolvesWithoutRegardToCase_data() {
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("relative");
        QTest::newRow("exact") << "\\AuxFiles\\Smith"
                               << "AuxFiles/Smith";
        QTest::newRow("other case folder") << "/Auxfiles/smith"
                                           << "AuxFiles/Smith";
        QTest::newRow("mixed separators") << "\\templates/PROPOSALS\\Roof.txt"
                                          << "Templates/Proposals/Roof.txt";
        QTest::newRow("new folder takes parent's spelling") << "/auxfiles/NEW/AuxFile0"
                                                            << "AuxFiles/NEW/AuxFile0";
        QTest::newRow("existing file in other case") << "/CustomerData.txt"
                                                     << "customerdata.txt";
        QTest::newRow("doubled separators") << "\\\\AuxFiles//Smith\\"
                                            << "AuxFiles/Smith";
        QTest::newRow("no leading separator") << "AUXFILES"
                                              << "AuxFiles";
    }
    void resolvesWithoutRegardToCase() {
        QFETCH(QString, dataPath);
        QFETCH(QString, relative);
        TempApp app;
        app.mkdir(QStringLiteral("AuxFiles/Smith"));
        app.mkdir(QStringLiteral("Templates/Proposals"));
        app.write(QStringLiteral("customerdata.txt"), "x");
        QCOMPARE(app.ctx->folder().resolve(dataPath), app.path(relative));
    }

    void exactSpellingWinsOverAnotherCase() {
        TempApp app;
        app.write(QStringLiteral("Phone.txt"), "a");
        app.write(QStringLiteral("PHONE.txt"), "b");
        QCOMPARE(app.ctx->folder().resolve(QStringLiteral("/PHONE.txt")),
                 app.path(QStringLiteral("PHONE.txt")));
        QCOMPARE(app.ctx->folder().resolve(QStringLiteral("/Phone.txt")),
                 app.path(QStringLiteral("Phone.txt")));
    }

    void neverLeadsOutOfTheFolder_data() {
        QTest::addColumn<QString>("dataPath");
        QTest::addColumn<QString>("relative");
        QTest::newRow("parent") << "/../escape.txt"
                                << "escape.txt";
        QTest::newRow("deep parent") << "\\AuxFiles\\..\\..\\..\\x"
                                     << "AuxFiles/x";
        QTest::newRow("dot") << "/./a/./b"
                             << "a/b";
    }
    void neverLeadsOutOfTheFolder() {
        QFETCH(QString, dataPath);
        QFETCH(QString, relative);
        TempApp app;
        app.mkdir(QStringLiteral("AuxFiles"));
        QCOMPARE(app.ctx->folder().resolve(dataPath), app.path(relative));
    }

    void rootAndBackupPaths() {
        const AppFolder f(QStringLiteral("/tmp/app/"));
        QCOMPARE(f.root(), QStringLiteral("/tmp/app"));
        QCOMPARE(f.resolve(QStringLiteral("\\")), QStringLiteral("/tmp/app"));
        QCOMPARE(AppFolder::backupPathOf(QStringLiteral("/CustomerData.txt")),
                 QStringLiteral("\\Backup/CustomerData.txt"));
        QVERIFY(!AppFolder().isValid());
    }

    void filesAndFolders() {
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        app.write(QStringLiteral("Prompts.txt"), "#TRUE#,#TRUE#\r\n");
        const AppFolder& f = app.ctx->folder();
        QVERIFY(f.isFile(QStringLiteral("/prompts.TXT")));
        QVERIFY(!f.isDir(QStringLiteral("/prompts.TXT")));
        QVERIFY(f.isDir(QStringLiteral("\\BACKUP")));
        QVERIFY(!f.isFile(QStringLiteral("\\BACKUP")));
        QVERIFY(!f.isFile(QStringLiteral("/Missing.txt")));
    }

    void safeFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("telephone") << "555-123-4567" << true;
        QTest::newRow("letters and digits") << "ACME01" << true;
        QTest::newRow("blanks inside") << "Smith & Sons" << true;
        QTest::newRow("selection mark") << "\u00abA" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("dot dot inside") << "x..y" << false;
        QTest::newRow("colon") << "C:" << false;
        QTest::newRow("star") << "a*" << false;
        QTest::newRow("question") << "a?" << false;
        QTest::newRow("quote") << "a\"b" << false;
        QTest::newRow("angle") << "<a>" << false;
        QTest::newRow("pipe") << "a|b" << false;
        QTest::newRow("tab") << "a\tb" << false;
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
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "M/d/yyyy"
                               << "12/5/2026";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "dd.MM.yyyy"
                               << "05.12.2026";
        QTest::newRow("C gives en_US") << QLocale::c() << "M/d/yyyy"
                                       << "12/5/2026";
        QTest::newRow("already four digits")
            << QLocale(QLocale::Swedish, QLocale::Sweden) << "yyyy-MM-dd"
            << "2026-12-05";
    }
    void shortFormHasFourDigitYears() {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(Dates::shortFormat(locale), format);
        QCOMPARE(Dates::toShort(QDate(2026, 12, 5), locale), text);
        QCOMPARE(Dates::fromShort(text, locale), QDate(2026, 12, 5));
    }

    void readsBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("four digits") << "1/31/2027" << QDate(2027, 1, 31);
        QTest::newRow("blanks") << " 12/5/2026 " << QDate(2026, 12, 5);
        QTest::newRow("two digits, this century") << "12/5/26" << QDate(2026, 12, 5);
        QTest::newRow("two digits, 49") << "1/1/49" << QDate(2049, 1, 1);
        QTest::newRow("two digits, 50") << "1/1/50" << QDate(1950, 1, 1);
        QTest::newRow("iso") << "2026-12-05" << QDate(2026, 12, 5);
        QTest::newRow("no such day") << "2/30/2026" << QDate();
        QTest::newRow("words") << "soon" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void readsBack() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Dates::fromShort(text, QLocale(QLocale::English, QLocale::UnitedStates)), date);
    }

    void invalidDateHasNoText() { QCOMPARE(Dates::toShort(QDate()), QString()); }

    void weekdayNamesAreEnglish() {
        QCOMPARE(Dates::weekdayName(QDate(2026, 12, 5)), QStringLiteral("Saturday"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString name = Dates::weekdayName(QDate(2026, 12, 7));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(name, QStringLiteral("Monday"));
    }
};

TOLVAR_TEST(TestAppFolder)
TOLVAR_TEST(TestDates)
#include "test_appfolder.moc"
