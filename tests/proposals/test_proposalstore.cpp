#include "proposals/proposalcounter.h"
#include "proposals/proposalstore.h"
#include "proposalsfixture.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
const QString kFile = QStringLiteral("1001.txt");
const QString kCounter = QStringLiteral("TProposalCounter.txt");
const QStringList kFour = proposalFiles();

ProposalContents smith() {
    ProposalContents c;
    c.header = ProposalFiles::parseHeader(golden("header_writer.txt")).header;
    c.body = QStringLiteral("A\r\nB");
    c.payments = ProposalFiles::parsePayments(golden("payments_two.txt")).payments;
    c.financials = ProposalFiles::parseFinancials(golden("financials.txt")).financials;
    return c;
}

const QList<QByteArray> kSmithFiles{golden("header_writer.txt"), "A\r\nB\r\n",
                                    golden("payments_two.txt"), golden("financials.txt")};

void writeOld(const TempApp& app, int from = 0) {
    for (qsizetype i = from; i < kFour.size(); ++i) {
        app.write(kFour[i], "old\r\n");
    }
}

}  // namespace

class TestProposalStore : public QObject {
    Q_OBJECT
private slots:
    // A store that fails at any write leaves no header, so no half proposal
    // and nothing of the unconfirmed one it replaced; run again once the
    // fault is gone it gives the four files exactly, nothing doubled.
    void storeFailingAtEachWrite_data() {
        QTest::addColumn<int>("failing");
        for (int failing : {1, 2, 3, 0}) {
            QTest::newRow(qPrintable(kFour[failing])) << failing;
        }
    }
    void storeFailingAtEachWrite() {
        QFETCH(int, failing);
        ProposalsApp app;
        writeOld(app);
        FileStore& store = app.ctx->store();
        QFile::remove(app.path(kFour[failing]));
        app.mkdir(kFour[failing] + QStringLiteral("/x"));  // a folder in the file's way
        const IoStatus s = ProposalStore::store(store, kFile, smith());
        QVERIFY(s.file().endsWith(kFour[failing]));
        QCOMPARE(storedFiles(app), QList<QByteArray>(4, "(none)"));
        QVERIFY(QDir(app.path(kFour[failing])).removeRecursively());
        QVERIFY(ProposalStore::store(store, kFile, smith()));
        QVERIFY(ProposalStore::store(store, kFile, smith()));
        QCOMPARE(storedFiles(app), kSmithFiles);
    }

    // What a store that died before its header leaves is listed nowhere and
    // replaced by the next store; a field proposal takes no companions over.
    void leftoversOfAnInterruptedStore() {
        ProposalsApp app;
        writeOld(app, 1);
        QVERIFY(ProposalFiles::listHeaders(app.ctx->store()).isEmpty());
        ProposalContents field;
        field.header = smith().header;
        QVERIFY(ProposalStore::store(app.ctx->store(), kFile, field));
        QCOMPARE(storedFiles(app),
                 (QList<QByteArray>{kSmithFiles[0], "(none)", "(none)", "(none)"}));
    }

    // At the next start a store cut short is completed from its journal,
    // files left without their header go, and a garbled journal is dropped.
    void interruptedStoreIsFinished_data() {
        QTest::addColumn<int>("oldFrom");  // the old files from this one on
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<QList<QByteArray>>("left");
        const QByteArray header = kSmithFiles[0];
        QTest::newRow("journal") << 0
                                 << "3\r\nA\r\n-\r\n-\r\n" + QByteArray::number(header.size()) +
                                        "\r\n" + header
                                 << QList<QByteArray>{header, "A\r\n", "(none)", "(none)"};
        QTest::newRow("no header") << 1 << QByteArray() << QList<QByteArray>(4, "(none)");
        QTest::newRow("garbled journal")
            << 0 << QByteArray("9\r\nA") << QList<QByteArray>(4, "old\r\n");
    }
    void interruptedStoreIsFinished() {
        QFETCH(int, oldFrom);
        QFETCH(QByteArray, journal);
        ProposalsApp app;
        writeOld(app, oldFrom);
        const QString journalFile = QStringLiteral("TolvarProposals/1001.txt.store");
        if (!journal.isEmpty()) {
            app.write(journalFile, journal);
        }
        QVERIFY(ProposalStore::finishInterrupted(app.ctx->store()));
        QTEST(storedFiles(app), "left");
        QVERIFY(!app.exists(journalFile));
    }

    // Removal takes the header first: when it cannot go, all four stay.
    void removal_data() {
        QTest::addColumn<QString>("frozen");
        QTest::addColumn<QList<QByteArray>>("left");
        QTest::newRow("all go") << QString() << QList<QByteArray>(4, "(none)");
        QTest::newRow("header cannot go") << QStringLiteral("TolvarProposals") << kSmithFiles;
        QTest::newRow("body cannot go")
            << QStringLiteral("TolvarProposals/ProposalBody")
            << QList<QByteArray>{"(none)", kSmithFiles[1], "(none)", "(none)"};
    }
    void removal() {
        QFETCH(QString, frozen);
        ProposalsApp app;
        FileStore& store = app.ctx->store();
        QVERIFY(ProposalStore::store(store, kFile, smith()));
        IoStatus s;
        {
            std::unique_ptr<Frozen> freeze;
            if (!frozen.isEmpty()) {
                freeze = std::make_unique<Frozen>(app.path(frozen));
            }
            s = ProposalStore::remove(store, kFile);
        }
        QCOMPARE(s.ok(), frozen.isEmpty());
        QVERIFY(frozen.isEmpty() || s.file() == app.path(frozen + QStringLiteral("/1001.txt")));
        QTEST(storedFiles(app), "left");
    }

    void loadCounter_data() { cases::load(QStringLiteral("proposals/counter_loads.txt")); }
    void loadCounter() {
        const cases::Row c = cases::row();
        TempApp app;
        if (c.bytes(0) != "-") {
            app.write(kCounter, c.bytes(0));
        }
        if (!c.text(1).isEmpty()) {
            app.write(QStringLiteral("TolvarProposals/") + c.text(1), "\"x\"\r\n");
        }
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QVERIFY(l.status.ok());
        QCOMPARE(l.number, c.number(2));
        QCOMPARE(app.read(kCounter), c.bytes(2) + "\r\n");
    }

    // The counter passes every number a stored proposal holds.
    void advance_data() { cases::load(QStringLiteral("proposals/counter_advances.txt")); }
    void advance() {
        const cases::Row c = cases::row();
        const int after = c.number(2);
        TempApp app;
        for (int n : c.numbers(1)) {
            app.write(QStringLiteral("TolvarProposals/%1.txt").arg(n), "\"x\"\r\n");
        }
        app.ctx->vars().ProposalNumber = c.number(0);
        // Told when it happens, and again at the next attempt to store.
        for (int i = 0; after == ProposalCounter::Exhausted && i < 2; ++i) {
            app.prompter.expectMessage(ProposalCounter::exhaustedMessage(), kTitle,
                                       Icon::Exclamation);
        }
        QVERIFY(ProposalCounter::advanceCurrent(*app.ctx));
        QCOMPARE(app.ctx->vars().ProposalNumber, after);
        QCOMPARE(app.read(kCounter), c.bytes(2) + "\r\n");
        QCOMPARE(ProposalCounter::numberLeft(*app.ctx), after <= ProposalCounter::Last);
    }

    // For Setup: numbers held by stored proposals other than the current one.
    void takenNumbers() {
        ProposalsApp app;
        app.write(QStringLiteral("TolvarProposals/1001.txt"), "\"1001P\"\r\n");
        app.write(QStringLiteral("TolvarProposals/1005.txt"), "\"FP1005\"\r\n");
        app.write(QStringLiteral("TolvarProposals/ProposalBody/1002.txt"), "x\r\n");
        app.ctx->vars().ProposalNumber = 1005;
        QCOMPARE((QList<bool>{ProposalCounter::isTaken(*app.ctx, 1001),
                              ProposalCounter::isTaken(*app.ctx, 1005),
                              ProposalCounter::isTaken(*app.ctx, 1002)}),
                 (QList<bool>{true, false, false}));
    }
};

TOLVAR_TEST(TestProposalStore)
#include "test_proposalstore.moc"
