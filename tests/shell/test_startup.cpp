#include "shell/mainmenu.h"
#include "shell/startup.h"
#include "tempapp.h"
#include "testmain.h"

#include <QDirIterator>
#include <QLockFile>
#include <QSysInfo>
#include <QTest>

namespace {
// Every folder below the application folder, "/" separated, sorted.
QStringList folderTree(const TempApp& app) {
    QStringList out;
    QDirIterator it(app.dir.path(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out << it.next().mid(app.dir.path().size() + 1);
    }
    out.sort();
    return out;
}

const QStringList kRows1To15{"Backup",
                             "Documents",
                             "Documents/Contracts",
                             "Documents/Invoices",
                             "Documents/Projects",
                             "Documents/Proposals",
                             "Documents/Purchase Orders",
                             "Documents/Statements",
                             "Documents/Work Orders",
                             "Templates",
                             "Templates/Proposals",
                             "TolvarProposals",
                             "TolvarProposals/ProposalBody",
                             "TolvarProposals/ProposalFinancials",
                             "TolvarProposals/ProposalPayments"};

// A 328-byte customer record: the 20-byte account field as given, then
// other fields that must not be read into the account.
QByteArray customer(const QByteArray& accountField) {
    QByteArray r = accountField.leftJustified(20, ' ', true);
    r += QByteArray(308, 'Z');
    return r;
}

QByteArray customers(const QList<QByteArray>& fields) {
    QByteArray all;
    for (const QByteArray& f : fields) {
        all += customer(f);
    }
    return all;
}

QStringList withSubFolders(const QString& base, const QStringList& accounts) {
    QStringList out;
    for (const QString& a : accounts) {
        out << base + QLatin1Char('/') + a;
        for (int i = 0; i <= 5; ++i) {
            out << base + QLatin1Char('/') + a + QStringLiteral("/AuxFile") + QString::number(i);
        }
    }
    return out;
}

// Folders below AuxFiles (any case), sorted.
QStringList auxTree(const TempApp& app) {
    QStringList out;
    for (const QString& f : folderTree(app)) {
        if (f.startsWith(QLatin1String("auxfiles/"), Qt::CaseInsensitive)) {
            out << f;
        }
    }
    return out;
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void freshFolderGetsRowsOneToFifteen() {
        TempApp app;
        QVERIFY(CreateFolders(*app.ctx).ok());
        QCOMPARE(folderTree(app), kRows1To15);
        QVERIFY(app.prompter.done());
    }

    void existingFoldersInAnyCaseAreKept() {
        TempApp app;
        for (const QString& f : kRows1To15) {
            app.mkdir(f.toLower());
        }
        const QStringList before = folderTree(app);
        QVERIFY(CreateFolders(*app.ctx).ok());
        QCOMPARE(folderTree(app), before);
    }

    void aMissingParentIsReportedAndTheRestMade() {
        TempApp app;
        app.write(QStringLiteral("Templates"), "a file where a folder belongs");
        const IoStatus s = CreateFolders(*app.ctx);
        QVERIFY(!s.ok());
        QVERIFY(s.file().endsWith(QLatin1String("Templates/Proposals")));
        QVERIFY(app.exists(QStringLiteral("Documents/Work Orders")));
    }

    void customerFolders_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("existing");  // folders made before start-up
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QStringList>("aux");  // expected folders below AuxFiles
        const QString aux = QStringLiteral("AuxFiles");
        QTest::newRow("three records")
            << customers({"ACME", "555-123-4567", "Smith"}) << QStringList{"AuxFiles"}
            << QStringList{"ACME", "555-123-4567", "Smith"}
            << withSubFolders(aux, {"555-123-4567", "ACME", "Smith"});
        QTest::newRow("four characters and sixteen blanks")
            << customer("ABCD                ") << QStringList{"AuxFiles"} << QStringList{"ABCD"}
            << withSubFolders(aux, {"ABCD"});
        QTest::newRow("blanks around") << customer("  XY  ") << QStringList{"AuxFiles"}
                                       << QStringList{"XY"} << withSubFolders(aux, {"XY"});
        QTest::newRow("AuxFiles missing is made")
            << customer("ACME") << QStringList() << QStringList{"ACME"}
            << withSubFolders(aux, {"ACME"});
        QTest::newRow("AuxFiles in other case")
            << customer("ACME") << QStringList{"auxfiles"} << QStringList{"ACME"}
            << withSubFolders(QStringLiteral("auxfiles"), {"ACME"});
        QTest::newRow("account folder in other case completed")
            << customer("ACME") << QStringList{"AuxFiles/acme/AuxFile0", "AuxFiles/acme/auxfile3"}
            << QStringList() << QStringList{"AuxFiles/acme",          "AuxFiles/acme/AuxFile0",
                                            "AuxFiles/acme/AuxFile1", "AuxFiles/acme/AuxFile2",
                                            "AuxFiles/acme/AuxFile4", "AuxFiles/acme/AuxFile5",
                                            "AuxFiles/acme/auxfile3"};
        QTest::newRow("duplicate accounts")
            << customers({"ACME", "acme", "ACME  "}) << QStringList{"AuxFiles"}
            << QStringList{"ACME"} << withSubFolders(aux, {"ACME"});
        QTest::newRow("blank account") << customers({"", "B"}) << QStringList{"AuxFiles"}
                                       << QStringList{"B"} << withSubFolders(aux, {"B"});
        QTest::newRow("only blank accounts: AuxFiles not made")
            << customers({"", QByteArray(20, '\0')}) << QStringList() << QStringList()
            << QStringList();
        QTest::newRow("unsafe accounts")
            << customers({"../../evil", "a/b", "x\\y", "C:", "..", "ok"}) << QStringList{"AuxFiles"}
            << QStringList{"ok"} << withSubFolders(aux, {"ok"});
        QTest::newRow("1.5 records: the partial one counts")
            << customer("ONE") + QByteArray("TWO").leftJustified(164, ' ')
            << QStringList{"AuxFiles"} << QStringList{"ONE", "TWO"}
            << withSubFolders(aux, {"ONE", "TWO"});
        QTest::newRow("selection mark") << customer(
                                               "\xab"
                                               "A")
                                        << QStringList{"AuxFiles"} << QStringList{"\u00abA"}
                                        << withSubFolders(aux, {"\u00abA"});
    }
    void customerFolders() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, made);
        QFETCH(QStringList, aux);
        TempApp app;
        for (const QString& f : existing) {
            app.mkdir(f);
        }
        app.write(QStringLiteral("CustomerData.txt"), file);
        const CustomerFolderResult r = CreateCustomerFolders(*app.ctx);
        QVERIFY2(r.status.ok(), qPrintable(r.status.message()));
        QCOMPARE(r.made, made);
        aux.sort();
        QCOMPARE(auxTree(app), aux);
        // Nothing is made outside AuxFiles.
        for (const QString& f : folderTree(app)) {
            QVERIFY2(f.startsWith(QLatin1String("auxfiles"), Qt::CaseInsensitive), qPrintable(f));
        }
        QVERIFY(!app.ctx->store().current());
    }

    void aFileInTheWayIsSkipped() {
        TempApp app;
        app.write(QStringLiteral("AuxFiles/ACME"), "not a folder");
        app.write(QStringLiteral("CustomerData.txt"), customers({"ACME", "B"}));
        const CustomerFolderResult r = CreateCustomerFolders(*app.ctx);
        QVERIFY(r.status.ok());
        QCOMPARE(r.skipped, QStringList{"ACME"});
        QVERIFY(QFileInfo(app.path(QStringLiteral("AuxFiles/ACME"))).isFile());
        QCOMPARE(auxTree(app), withSubFolders(QStringLiteral("AuxFiles"), {"B"}));
    }

    void secondStartCreatesNothing() {
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"), customers({"ACME", "B", "C"}));
        QVERIFY(CreateFolders(*app.ctx).ok());
        const QStringList first = folderTree(app);
        QCOMPARE(first.size(), 15 + 1 + 3 * 7);
        const CustomerFolderResult again = CreateCustomerFolders(*app.ctx);
        QVERIFY(again.made.isEmpty());
        QCOMPARE(again.records, 3);
        QVERIFY(CreateFolders(*app.ctx).ok());
        QCOMPARE(folderTree(app), first);
    }

    void noCustomersNoAccountFolders_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("no file") << false << QByteArray();
        QTest::newRow("empty file") << true << QByteArray();
        QTest::newRow("0.4 records") << true << QByteArray(131, 'A');
    }
    void noCustomersNoAccountFolders() {
        QFETCH(bool, present);
        QFETCH(QByteArray, file);
        TempApp app;
        if (present) {
            app.write(QStringLiteral("CustomerData.txt"), file);
        }
        const CustomerFolderResult r = CreateCustomerFolders(*app.ctx);
        QVERIFY(r.status.ok());
        QCOMPARE(r.records, 0);
        QVERIFY(folderTree(app).isEmpty());
    }

    void customerFileComesBackFromBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/CustomerData.txt"), customer("ACME"));
        QCOMPARE(CreateCustomerFolders(*app.ctx).made, QStringList{"ACME"});
        QCOMPARE(app.read(QStringLiteral("CustomerData.txt")), customer("ACME"));
    }

    void settingsFilesPresent_data() {
        QTest::addColumn<QString>("business");  // "data", "backup" or ""
        QTest::addColumn<QString>("colours");
        QTest::addColumn<bool>("present");
        QTest::newRow("both") << "data"
                              << "data" << true;
        QTest::newRow("colours from backup") << "data"
                                             << "backup" << true;
        QTest::newRow("both from backup") << "backup"
                                          << "backup" << true;
        QTest::newRow("no colours") << "data"
                                    << "" << false;
        QTest::newRow("no business data") << ""
                                          << "data" << false;
        QTest::newRow("neither") << ""
                                 << "" << false;
    }
    void settingsFilesPresent() {
        QFETCH(QString, business);
        QFETCH(QString, colours);
        QFETCH(bool, present);
        TempApp app;
        app.mkdir(QStringLiteral("Backup"));
        const auto place = [&](const QString& where, const QString& file) {
            if (!where.isEmpty()) {
                app.write(
                    (where == QLatin1String("backup") ? QStringLiteral("Backup/") : QString()) +
                        file,
                    "x\r\n");
            }
        };
        place(business, QStringLiteral("MyBusinessData.txt"));
        place(colours, QStringLiteral("PrintColors.txt"));
        QCOMPARE(SettingsFilesPresent(*app.ctx), present);
        // The business data is tested first: a missing one leaves the colours alone.
        if (business.isEmpty() && colours == QLatin1String("backup")) {
            QVERIFY(!app.exists(QStringLiteral("PrintColors.txt")));
        }
        if (present) {
            QVERIFY(app.exists(QStringLiteral("MyBusinessData.txt")));
            QVERIFY(app.exists(QStringLiteral("PrintColors.txt")));
        }
    }

    void aSecondInstanceIsRefused() {
        TempApp app;
        QLockFile other(app.path(InstanceLock::fileName()));
        QVERIFY(other.tryLock(0));
        app.prompter.expectQuestion(QStringLiteral("Tolvar Proposals is already Running!"),
                                    QStringLiteral("Tolvar Proposals"), Buttons::Ok, Answer::Ok);
        InstanceLock lock(app.ctx->folder());
        QStringList steps;
        const StartupSteps s{[&] { steps << "splash"; }, [&] { steps << "business"; },
                             [&] { steps << "setup"; }, [&] { steps << "customer"; },
                             [&] { steps << "counter"; }};
        QVERIFY(!Main(*app.ctx, lock, s));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(steps, QStringList{"splash"});
        QVERIFY(!lock.isHeld());
        QVERIFY(other.isLocked());
        // Nothing of the first instance's folder was touched.
        QVERIFY(folderTree(app).isEmpty());
    }

    void theLockIsHeldUntilReleased() {
        TempApp app;
        {
            InstanceLock first(app.ctx->folder());
            QVERIFY(CheckPrevInstance(*app.ctx, first));
            QVERIFY(first.isHeld());
            QLockFile probe(app.path(InstanceLock::fileName()));
            QVERIFY(!probe.tryLock(0));
        }
        InstanceLock next(app.ctx->folder());
        QVERIFY(CheckPrevInstance(*app.ctx, next));
        QVERIFY(app.prompter.done());
    }

    void aLockLeftByAnEndedProcessIsTakenOver() {
        TempApp app;
        // pid, application name and host of a process that is not running.
        app.write(InstanceLock::fileName(),
                  "2147483000\nTolvarProposals\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        InstanceLock lock(app.ctx->folder());
        QVERIFY(CheckPrevInstance(*app.ctx, lock));
        QVERIFY(lock.isHeld());
        QVERIFY(app.prompter.done());
    }

    void mainRunsTheStepsInOrder() {
        TempApp app;
        app.write(QStringLiteral("CustomerData.txt"), customer("ACME"));
        InstanceLock lock(app.ctx->folder());
        QStringList steps;
        const StartupSteps s{
            [&] { steps << QStringLiteral("splash %1").arg(folderTree(app).size()); },
            [&] { steps << QStringLiteral("business %1").arg(folderTree(app).size()); },
            [&] { steps << "setup"; }, [&] { steps << "customer"; }, [&] { steps << "counter"; }};
        QVERIFY(Main(*app.ctx, lock, s));
        QCOMPARE(steps, (QStringList{"splash 0", "business 23", "setup", "customer", "counter"}));
        QVERIFY(lock.isHeld());
        QVERIFY(app.prompter.done());
    }

    void mainShowsAFolderFailureAndGoesOn() {
        TempApp app;
        app.write(QStringLiteral("Documents"), "a file");
        app.prompter.expectMessage(
            QStringLiteral("The file %1 could not be used: the folder could not be created")
                .arg(app.path(QStringLiteral("Documents/Invoices"))),
            QStringLiteral("Tolvar Proposals"));
        InstanceLock lock(app.ctx->folder());
        bool counterLoaded = false;
        StartupSteps s;
        s.loadProposalCounter = [&] { counterLoaded = true; };
        QVERIFY(Main(*app.ctx, lock, s));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QVERIFY(counterLoaded);
        QVERIFY(app.exists(QStringLiteral("TolvarProposals/ProposalFinancials")));
    }
};

class TestMainMenuRoutines : public QObject {
    Q_OBJECT
private slots:
    void routineScreens_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("screen");
        QTest::newRow("none chosen") << 0 << "";
        QTest::newRow("proposal") << 1 << "frmCustomer";
        QTest::newRow("terms") << 2 << "frmTerms";
        QTest::newRow("invoices") << 3 << "frmManagePayments";
        QTest::newRow("field proposal") << 4 << "frmCustomer";
        QTest::newRow("report") << 5 << "frmProposalReport";
        QTest::newRow("finalize") << 6 << "frmFinalize";
        QTest::newRow("beyond") << 7 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void routineScreens() {
        QFETCH(int, selected);
        QFETCH(QString, screen);
        QCOMPARE(RoutineScreen(selected), screen);
    }

    void supplierPrompts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain paper")
            << "mnuPPaper"
            << "Order Paper"
            << "Use Plain Paper for Reports (etc)\r\nClick Yes to connect to a Supplier";
        QTest::newRow("perforated paper")
            << "mnuPPPaper"
            << "Order Paper"
            << "Perforated Response Paper is used to create\r\nInvoices with a remittance "
               "Slip\r\nClick Yes to connect to a Supplier";
        QTest::newRow("address labels")
            << "mnuAddress"
            << "Order Paper"
            << "30 to a Page Mailing Labels\r\nClick Yes to connect to a Supplier";
        QTest::newRow("shipping labels") << "mnuLabels"
                                         << "Order Labels"
                                         << "Click YES to Connect to a Supplier";
    }
    void supplierPrompts() {
        QFETCH(QString, control);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const OrderFormLink* link = FindOrderFormLink(control);
        QVERIFY(link);
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            TempApp app;
            QList<QUrl> opened;
            app.ctx->openUrl = [&](const QUrl& u) {
                opened << u;
                return true;
            };
            app.prompter.expectQuestion(text, title, Buttons::YesNo, answer);
            QCOMPARE(OrderForm(*app.ctx, *link), answer == Answer::Yes);
            QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
            QCOMPARE(opened.size(), answer == Answer::Yes ? 1 : 0);
            if (!opened.isEmpty()) {
                QVERIFY(opened.first().isValid());
                QCOMPARE(opened.first().scheme(), QStringLiteral("https"));
            }
        }
    }

    void chequesOpenWithoutAsking() {
        for (const char* control : {"mnuDeluxe", "mnuDepositSlips"}) {
            TempApp app;
            QList<QUrl> opened;
            app.ctx->openUrl = [&](const QUrl& u) {
                opened << u;
                return true;
            };
            QVERIFY(OrderForm(*app.ctx, *FindOrderFormLink(QString::fromLatin1(control))));
            QCOMPARE(opened.size(), 1);
            QCOMPARE(opened.first().host(), QStringLiteral("www.deluxe.com"));
            QVERIFY(app.prompter.done());
        }
        QVERIFY(!FindOrderFormLink(QStringLiteral("mnuGraytex")));
    }

    void openUrlWithoutAnOpenerDoesNothing() {
        TempApp app;
        OpenURL(*app.ctx, QStringLiteral("https://www.deluxe.com/"));
        QVERIFY(app.prompter.done());
        QVERIFY(folderTree(app).isEmpty());
    }

    void closeProgramBacksUpThenQuits() {
        TempApp app;
        app.write(QStringLiteral("PrintColors.txt"), "0\r\n");
        app.write(QStringLiteral("SpeedNumbers.txt"), "\"Bob\",\"555\"\r\n");
        QStringList order;
        app.ctx->quit = [&] {
            order << QStringLiteral("quit, backup %1")
                         .arg(app.exists(QStringLiteral("Backup/SpeedNumbers.txt")));
        };
        CloseProgram(*app.ctx);
        QCOMPARE(order, QStringList{"quit, backup 1"});
        QCOMPARE(app.read(QStringLiteral("Backup/PrintColors.txt")), QByteArray("0\r\n"));
        QVERIFY(app.prompter.done());
    }

    void closeProgramTellsOfAFailedCopyAndStillQuits() {
        TempApp app;
        app.write(QStringLiteral("Phone.txt"), "#FALSE#,1\r\n");
        app.write(QStringLiteral("TaxRecords.txt"), "t\r\n");
        app.write(QStringLiteral("Backup/Phone.txt/x"), "a folder in the way");
        app.prompter.expectMessage(
            QStringLiteral("The backup copy of Phone.txt could not be made. The last copy in the "
                           "Backup folder is kept."),
            QStringLiteral("Tolvar Proposals"));
        int quits = 0;
        app.ctx->quit = [&] { ++quits; };
        CloseProgram(*app.ctx);
        QCOMPARE(quits, 1);
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
        QCOMPARE(app.read(QStringLiteral("Backup/TaxRecords.txt")), QByteArray("t\r\n"));
    }
};

TOLVAR_TEST(TestStartup)
TOLVAR_TEST(TestMainMenuRoutines)
#include "test_startup.moc"
