#include "cases.h"
#include "shell/mainmenu.h"
#include "shell/startup.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QLockFile>
#include <QSysInfo>
#include <QTest>

namespace {
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kCases = QStringLiteral("shell/startup.txt");

// Every folder below the application folder, "/" separated, sorted.
QStringList folderTree(const TempApp& app) {
    QStringList out;
    QDirIterator it(app.dir.path(), QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out << it.next().mid(app.dir.path().size() + 1);
    }
    out.sort();
    return out;
}

// 328-byte customer records: the account field, then bytes that are not part of it.
QByteArray customers(const QList<QByteArray>& accounts) {
    QByteArray all;
    for (const QByteArray& a : accounts) {
        all += a.leftJustified(20, ' ', true) + QByteArray(308, 'Z');
    }
    return all;
}

// The folders start-up makes for these accounts (sorted) below `aux`.
QStringList accountTree(const QString& aux, const QStringList& accounts) {
    QStringList out{aux};
    for (const QString& a : accounts) {
        out << aux + QLatin1Char('/') + a;
        for (int i = 0; i <= 5; ++i) {
            out << QStringLiteral("%1/%2/AuxFile%3").arg(aux, a).arg(i);
        }
    }
    return out;
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
    // A fresh application folder for every test, gone before the next one.
    std::unique_ptr<TempApp> app;
private slots:
    void init() { app = std::make_unique<TempApp>(); }
    void cleanup() { app.reset(); }
    void foldersAreMadeOnceInAnyCase() {
        const QStringList rows = QString::fromLatin1(testData(QStringLiteral("shell/folders.txt")))
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(CreateFolders(*app->ctx));
        QCOMPARE(folderTree(*app), rows);
        TempApp lower;
        for (const QString& f : rows) {
            lower.mkdir(f.toLower());
        }
        QVERIFY(CreateFolders(*lower.ctx));
        QCOMPARE(folderTree(lower).size(), rows.size());
    }

    void customerFolders_data() { cases::load(kCases, "folders"); }
    void customerFolders() {
        const cases::Row c = cases::row();
        const QString existing = str(c[0]);
        const bool inTheWay = existing.endsWith(QLatin1String(".file"));
        QStringList there = str(c[2]).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QStringList tree = there.isEmpty() ? QStringList() : accountTree(there.takeFirst(), there);
        for (QString& folder : tree) {
            folder = folder.compare(existing, Qt::CaseInsensitive) ? folder : existing;
        }
        QByteArray file;
        for (const QByteArray& account : c.mid(3)) {
            file += account.startsWith("half ") ? account.mid(5).leftJustified(164, ' ')
                                                : customers({account});
        }
        if (inTheWay) {
            app->write(existing.chopped(5), "not a folder");
        } else if (!existing.isEmpty()) {
            app->mkdir(existing);
        }
        app->write("CustomerData.txt", file);
        const CustomerFolderResult r = CreateCustomerFolders(*app->ctx);
        QVERIFY2(r.status.ok(), qPrintable(r.status.message()));
        QCOMPARE(r.made, str(c[1]).split(QLatin1Char(';'), Qt::SkipEmptyParts));
        // Only a folder that cannot be made is passed over; one already there is used.
        QCOMPARE(r.skipped.contains("ACME"), inTheWay);
        tree.sort();
        QCOMPARE(folderTree(*app), tree);
        QVERIFY(CreateCustomerFolders(*app->ctx).made.isEmpty());
    }

    void aCustomerFileThatCannotBeRestoredIsReported() {
        app->mkdir("CustomerData.txt");
        app->write("Backup/CustomerData.txt", customers({"ACME"}));
        QCOMPARE(CreateCustomerFolders(*app->ctx).status.file(), app->path("CustomerData.txt"));
    }

    void settingsFilesPresent_data() { cases::load(kCases, "present"); }
    void settingsFilesPresent() {
        const cases::Row c = cases::row();
        const QString business = str(c[0]);
        const QString colours = str(c[1]);
        const bool present = c[2] == "1";
        for (const auto& [where, name] : {std::pair(business, QStringLiteral("MyBusinessData.txt")),
                                          std::pair(colours, QStringLiteral("PrintColors.txt"))}) {
            if (where == QLatin1String("failing")) {
                app->mkdir(name);
                expectUnusable(*app, name, true);
            }
            if (!where.isEmpty()) {
                app->write(where == QLatin1String("data") ? name : "Backup/" + name, "x");
            }
        }
        QCOMPARE(SettingsFilesPresent(*app->ctx), present);
        QCOMPARE(app->exists("PrintColors.txt"), colours == "data" || present);
    }

    void aSecondInstanceIsRefusedAndAStaleLockTakenOver() {
        QLockFile other(app->path(InstanceLock::fileName()));
        QVERIFY(other.tryLock(0));
        app->prompter.expectMessage(kTitle + QStringLiteral(" is already Running!"), kTitle,
                                    Icon::None);
        InstanceLock lock(app->ctx->folder());
        bool splash = false;
        StartupSteps steps;
        steps.showSplash = [&] { splash = true; };
        steps.loadBusinessData = [] { QFAIL("started"); };
        QVERIFY(!Main(*app->ctx, lock, steps));
        QVERIFY(splash && !lock.isHeld() && folderTree(*app).isEmpty());
        other.unlock();
        // pid, application name and host of a process that is not running.
        app->write(InstanceLock::fileName(),
                   "2147483000\nTolvarProposals\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QVERIFY(CheckPrevInstance(*app->ctx, lock));
        QVERIFY(!QLockFile(app->path(InstanceLock::fileName())).tryLock(0));
    }

    void aFolderThatTakesNoLockFileStillKeepsOutASecondCopy() {
        app->write("blocker", "a file");
        // Nothing can be made below a file: the folder lock fails as on a
        // read-only folder, whoever runs the test.
        const AppFolder folder(app->path("blocker/folder"));
        const QString userLocks = app->path("userlocks");
        InstanceLock first(folder, userLocks);
        InstanceLock second(folder, userLocks);
        InstanceLock otherFolder(AppFolder(app->path("blocker/other")), userLocks);
        InstanceLock writable(app->ctx->folder(), userLocks);
        // Taken, as a user lock; refused; taken; taken, not as a user lock.
        QCOMPARE(bits({first.acquire(), first.isUserLock(), second.acquire(), otherFolder.acquire(),
                       writable.acquire(), writable.isUserLock()}),
                 QStringLiteral("110110"));
    }

    void mainRunsTheStepsPastAFolderFailure() {
        app->write("Documents", "a file");
        app->prompter.expectMessage(
            QStringLiteral("The folder %1 could not be created: Not a directory")
                .arg(app->path("Documents/Invoices")),
            kTitle, Icon::Critical);
        InstanceLock lock(app->ctx->folder());
        QStringList order;
        const auto step = [&](const char* name) { return [&order, name] { order << name; }; };
        QVERIFY(Main(
            *app->ctx, lock,
            {step("splash"), step("business"), step("setup"), step("customer"), step("counter")}));
        QCOMPARE(order, (QStringList{"splash", "business", "setup", "customer", "counter"}));
        QVERIFY(lock.isHeld() && app->exists("TolvarProposals/ProposalFinancials"));
    }

    // The screen each routine of the main menu opens.
    void routineScreens_data() { cases::load(kCases, "screen"); }
    void routineScreens() {
        const cases::Row c = cases::row();
        QCOMPARE(RoutineScreen(c.number(0)), c.text(1));
    }

    void supplierPages_data() { cases::load(kCases, "supplier"); }
    void supplierPages() {
        const cases::Row c = cases::row();
        const QString title = str(c[1]);
        const QString text = str(c[2]);
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            app = std::make_unique<TempApp>();
            QStringList opened;
            app->ctx->openUrl = [&](const QUrl& u) {
                opened << u.host();
                return true;
            };
            if (!title.isEmpty()) {
                app->prompter.expectQuestion(text, title, Buttons::YesNo, Icon::None, answer);
            }
            const bool opens = title.isEmpty() || answer == Answer::Yes;
            QCOMPARE(OrderForm(*app->ctx, *FindOrderFormLink(str(c[0]))), opens);
            const QString host = title.isEmpty() ? text : QStringLiteral("www.staples.com");
            QCOMPARE(opened, opens ? QStringList{host} : QStringList());
        }
        QVERIFY(!FindOrderFormLink(QStringLiteral("mnuGraytex")));
    }

    void closeProgramBacksUpTellsOfFailuresAndQuits() {
        for (const char* name : {"Phone.txt", "TaxRecords.txt", "SpeedNumbers.txt"}) {
            app->write(QString::fromLatin1(name), name);
        }
        app->write("Backup/Phone.txt/x", "a folder in the way");
        app->write("Backup/TaxRecords.txt/x", "a folder in the way");
        app->prompter.expectMessage(
            QStringLiteral("The backup copy of Phone.txt, TaxRecords.txt could not be made. The "
                           "last copy in the Backup folder is kept."),
            kTitle, Icon::Exclamation);
        QStringList quits;
        app->ctx->quit = [&] { quits << app->read("Backup/SpeedNumbers.txt"); };
        CloseProgram(*app->ctx);
        QCOMPARE(quits, QStringList{"SpeedNumbers.txt"});
    }

    void userManualAndAMissingBrowser_data() { cases::load(kCases, "manual"); }
    void userManualAndAMissingBrowser() {
        const cases::Row c = cases::row();
        const bool installed = c[0] == "1";
        const bool browser = c[1] == "1";
        if (installed) {
            app->write("help/usermanual.HTML", "<html></html>");  // any letter case
        }
        QList<QUrl> opened;
        app->ctx->openUrl = [&](const QUrl& u) {
            opened << u;
            return browser;
        };
        const QString manual = QDir::toNativeSeparators(app->path("help/usermanual.HTML"));
        if (!c[2].isEmpty()) {
            const QString missing = QDir::toNativeSeparators(app->path("Help/UserManual.html"));
            app->prompter.expectMessage(str(c[2]).arg(installed ? manual : missing), kTitle,
                                        Icon::Exclamation);
        }
        QCOMPARE(ShowUserManual(*app->ctx), installed && browser);
        QCOMPARE(opened, installed ? QList<QUrl>{QUrl::fromLocalFile(manual)} : QList<QUrl>{});
        app->ctx->openUrl = nullptr;
        app->prompter.expectMessage(
            "No web browser could be started to show https://www.deluxe.com/.\r\nOpen it in a "
            "browser of your choice.",
            kTitle, Icon::Exclamation);
        QVERIFY(!OpenURL(*app->ctx, QStringLiteral("https://www.deluxe.com/")));
    }
};

TOLVAR_TEST(TestStartup)
#include "test_startup.moc"
