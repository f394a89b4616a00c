#include "proposals/proposalcounter.h"
#include "scriptedprompter.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

namespace {
const QString kCounter = QStringLiteral("TProposalCounter.txt");
}

class TestProposalCounter : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesCounter() {
        TempApp app;
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QCOMPARE(l.number, 1001);
        QVERIFY(l.recreated);
        QVERIFY(l.status.ok());
        QCOMPARE(app.read(kCounter), QByteArray("1001\r\n"));
    }

    void readsStoredNumber_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << QByteArray("1234\r\n") << 1234;
        QTest::newRow("no line end") << QByteArray("1234") << 1234;
        QTest::newRow("blanks") << QByteArray(" 1234 \r\n") << 1234;
    }
    void readsStoredNumber() {
        QFETCH(QByteArray, bytes);
        TempApp app;
        app.write(kCounter, bytes);
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QTEST(l.number, "number");
        QVERIFY(!l.recreated);
        QCOMPARE(app.read(kCounter), bytes);
    }

    void unusableCounterIsRecreated_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("words") << QByteArray("abc\r\n");
        QTest::newRow("number and words") << QByteArray("12abc\r\n");
        QTest::newRow("zero") << QByteArray("0\r\n");
        QTest::newRow("past 16 bits") << QByteArray("40000\r\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\xff", 3);
    }
    void unusableCounterIsRecreated() {
        QFETCH(QByteArray, bytes);
        TempApp app;
        app.write(kCounter, bytes);
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QCOMPARE(l.number, 1001);
        QVERIFY(l.recreated);
        QCOMPARE(app.read(kCounter), QByteArray("1001\r\n"));
    }

    // A lost counter must not hand out a number whose proposal is stored.
    void lostCounterSkipsStoredProposals() {
        TempApp app;
        app.write(QStringLiteral("TolvarProposals/1001.txt"), "\"1001\"\r\n");
        app.write(QStringLiteral("TolvarProposals/1007.txt"), "\"FP1007\"\r\n");
        app.write(QStringLiteral("TolvarProposals/notes.txt"), "x");
        app.write(QStringLiteral("TolvarProposals/ProposalBody/2000.txt"), "x");
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QCOMPARE(l.number, 1008);
        QCOMPARE(app.read(kCounter), QByteArray("1008\r\n"));
    }

    void restoredFromBackup() {
        TempApp app;
        app.write(QStringLiteral("Backup/TProposalCounter.txt"), "1500\r\n");
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QCOMPARE(l.number, 1500);
        QVERIFY(!l.recreated);
        QCOMPARE(app.read(kCounter), QByteArray("1500\r\n"));
    }

    void advance_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("first") << 1001 << 1002 << true << QByteArray("1002\r\n");
        QTest::newRow("to the last") << 32766 << 32767 << true << QByteArray("32767\r\n");
        QTest::newRow("past the last") << 32767 << 32767 << false << QByteArray("32767\r\n");
    }
    void advance() {
        QFETCH(int, current);
        QFETCH(bool, advanced);
        TempApp app;
        app.write(kCounter, QByteArray::number(current) + "\r\n");
        const ProposalCounter::Advanced a = ProposalCounter::advance(app.ctx->store(), current);
        QTEST(a.number, "after");
        QCOMPARE(a.advanced, advanced);
        QCOMPARE(a.refusal.isEmpty(), advanced);
        QVERIFY(a.status.ok());
        QTEST(app.read(kCounter), "file");
    }

    void writeRefusesOutOfRange_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << 0;
        QTest::newRow("past 16 bits") << 32768;
    }
    void writeRefusesOutOfRange() {
        QFETCH(int, number);
        TempApp app;
        app.write(kCounter, "1200\r\n");
        QVERIFY(!ProposalCounter::write(app.ctx->store(), number).ok());
        QCOMPARE(app.read(kCounter), QByteArray("1200\r\n"));
    }

    void failedWriteKeepsNumber() {
        TempApp app;
        app.mkdir(kCounter);  // a folder where the file should be: it cannot be written
        const ProposalCounter::Advanced a = ProposalCounter::advance(app.ctx->store(), 1001);
        QVERIFY(!a.advanced);
        QCOMPARE(a.number, 1001);
        QVERIFY(!a.status.ok());
        QVERIFY(a.status.file().endsWith(kCounter));
        const ProposalCounter::Loaded l = ProposalCounter::load(app.ctx->store());
        QCOMPARE(l.number, 1001);
        QVERIFY(!l.status.ok());
    }

    void sharedNumberFollowsCounter() {
        TempApp app;
        app.write(kCounter, "1500\r\n");
        ProposalCounter::loadCurrent(*app.ctx);
        QCOMPARE(app.ctx->vars().ProposalNumber, 1500);
        QVERIFY(ProposalCounter::advanceCurrent(*app.ctx));
        QCOMPARE(app.ctx->vars().ProposalNumber, 1501);
        QCOMPARE(app.read(kCounter), QByteArray("1501\r\n"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void lastNumberIsRefusedWithMessage() {
        TempApp app;
        app.write(kCounter, "32767\r\n");
        ProposalCounter::loadCurrent(*app.ctx);
        app.prompter.expectMessage(
            QStringLiteral("Proposal Number 32767 is the highest this program can use.\r\n"
                           "Set a new Next Proposal Number in Setup before writing another "
                           "Proposal."),
            QStringLiteral("Tolvar Proposals"));
        QVERIFY(!ProposalCounter::advanceCurrent(*app.ctx));
        QCOMPARE(app.ctx->vars().ProposalNumber, 32767);
        QCOMPARE(app.read(kCounter), QByteArray("32767\r\n"));
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }
};

TOLVAR_TEST(TestProposalCounter)
#include "test_proposalcounter.moc"
