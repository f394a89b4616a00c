#include "proposals/proposalcounter.h"
#include "proposals/proposalstore.h"
#include "proposalsfixture.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

namespace {
const QString kFile = QStringLiteral("1001.txt");
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
        const Steps steps{
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
            {"files", [&] { QCOMPARE(storedFiles(*this), filesOf(arg)); }},
            {"finish", [&] { QVERIFY(ProposalStore::finishInterrupted(store)); }},
            {"counterLoads",
             [&] {
                 const ProposalCounter::Loaded l = ProposalCounter::load(store);
                 QVERIFY(l.status.ok());
                 QCOMPARE(l.number, n);
             }},
            {"advance", [&] { QVERIFY(ProposalCounter::advanceCurrent(*ctx)); }},
            {"numberLeft", [&] { QCOMPARE(ProposalCounter::numberLeft(*ctx), arg == "yes"); }},
            {"taken", [&] { QCOMPARE(ProposalCounter::isTaken(*ctx, n), a.value(2) == "yes"); }}};
        return take(steps, a);
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
    // Storing, a store that fails at each write, leftovers, finishing an
    // interrupted store, removal, the counter: each a script.
    void scripts_data() { loadScripts(QStringLiteral("store_scripts.txt")); }
    void scripts() {
        StoreApp app;
        app.runScript();
    }
};

TOLVAR_TEST(TestProposalStore)
#include "test_proposalstore.moc"
