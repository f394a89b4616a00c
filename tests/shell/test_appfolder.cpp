#include "casefile.h"
#include "shell/appfolder.h"
#include "shell/dates.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <cmath>

namespace {
const QString kCases = QStringLiteral("shell/appfolder.txt");

QDate date(const QByteArray& field) {
    return QDate::fromString(str(field), Qt::ISODate);
}
}  // namespace

class TestAppFolder : public QObject {
    Q_OBJECT
private slots:
    void resolvesWithoutRegardToCase_data() { addCases(kCases, "resolve"); }
    void resolvesWithoutRegardToCase() {
        QFETCH(Case, c);
        const QString dataPath = str(c[0]);
        const QString relative = str(c[1]);
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

    void safeFileNames_data() { addCases(kCases, "name"); }
    void safeFileNames() {
        QFETCH(Case, c);
        QCOMPARE(IsSafeFileName(str(c[0])), c[1] == "1");
    }
};

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void shortFormHasFourDigitYears_data() { addCases(kCases, "short"); }
    void shortFormHasFourDigitYears() {
        QFETCH(Case, c);
        const QLocale locale(str(c[0]));
        QCOMPARE(Dates::toShort(QDate(2026, 12, 5), locale), str(c[1]));
        QCOMPARE(Dates::fromShort(str(c[1]), locale), QDate(2026, 12, 5));
    }

    void readsBack_data() { addCases(kCases, "fromShort"); }
    void readsBack() {
        QFETCH(Case, c);
        QCOMPARE(Dates::fromShort(str(c[0]), QLocale(QLocale::English, QLocale::UnitedStates)),
                 date(c[1]));
        QCOMPARE(Dates::toShort(QDate()), QString());
    }

    void dayCounts_data() { addCases(kCases, "days"); }
    void dayCounts() {
        QFETCH(Case, c);
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
};

TOLVAR_TEST(TestAppFolder)
TOLVAR_TEST(TestDates)
#include "test_appfolder.moc"
