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

// The store of proposal 1001 over the files of an earlier one.
struct StoreApp : ScriptApp {
    // The store's own steps of store_scripts.txt.
    bool screenStep(const QStringList& a) override {
        const QString arg = a.value(1);
        const int n = arg.toInt();
        FileStore& store = ctx->store();
        const auto status = [&](const IoStatus& s) {
            QVERIFY2(arg == "ok" ? s.ok() : s.file() == path(arg), qPrintable(s.message()));
        };
        const QMap<QString, std::function<void()>> steps{
            {"old", [&] { writeOld(*this, n); }},
            {"store", [&] { status(ProposalStore::store(store, kFile, smith())); }},
            {"storeField",
             [&] {
                 ProposalContents field;
                 field.header = smith().header;
                 status(ProposalStore::store(store, kFile, field));
             }},
            {"removeProposal", [&] { status(ProposalStore::remove(store, kFile)); }},
            {"block",
             [&] {
                 QFile::remove(path(kFour[n]));
                 mkdir(kFour[n] + QStringLiteral("/x"));  // a folder in the file's way
             }},
            {"unblock", [&] { QVERIFY(QDir(path(kFour[n])).removeRecursively()); }},
            {"headers", [&] { QCOMPARE(int(ProposalFiles::listHeaders(store).size()), n); }},
            {"files", [&] { QCOMPARE(storedFiles(*this), filesOf(arg)); }}};
        if (!steps.contains(a.value(0))) {
            return false;
        }
        steps[a.value(0)]();
        return true;
    }

    // The four files as "smith" (the stored proposal's), "none" or bytes.
    static QList<QByteArray> filesOf(const QString& list) {
        QList<QByteArray> out;
        for (const QString& f : list.split(u';')) {
            out << (f == "smith"  ? kSmithFiles.at(out.size())
                    : f == "none" ? QByteArray("(none)")
                                  : CaseUnescaped(f.toUtf8()));
        }
        return out;
    }
};
}  // namespace

class TestProposalStore : public QObject {
    Q_OBJECT
private slots:
    // Storing, a store that fails at each write, leftovers, removal: each a
    // script.
    void scripts_data() { loadScripts(QStringLiteral("store_scripts.txt")); }
    void scripts() {
        StoreApp app;
        app.runScript();
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
