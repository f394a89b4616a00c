#include "shell/startup.h"
#include "testmain.h"
#include "ui/programscreens.h"
#include "uitesthelpers.h"

#include <QDirIterator>
#include <QLockFile>
#include <QPushButton>
#include <QTest>

namespace {
QStringList tree(const TempApp& app) {
    QStringList out;
    QDirIterator it(app.dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        out << it.next().mid(app.dir.path().size() + 1);
    }
    out.sort();
    return out;
}
}  // namespace

class TestProgramStart : public QObject {
    Q_OBJECT
private slots:
    void freshFolder() {
        ScreenApp s;
        InstanceLock lock(s.app.ctx->folder());
        QVERIFY(Main(*s.app.ctx, lock, ProgramStartupSteps(*s.app.ctx, *s.screens)));
        const QStringList expected{"Backup",
                                   "Documents",
                                   "Documents/Contracts",
                                   "Documents/Invoices",
                                   "Documents/Projects",
                                   "Documents/Proposals",
                                   "Documents/Purchase Orders",
                                   "Documents/Statements",
                                   "Documents/Work Orders",
                                   "TProposalCounter.txt",
                                   "Templates",
                                   "Templates/Proposals",
                                   "TolvarProposals",
                                   "TolvarProposals/ProposalBody",
                                   "TolvarProposals/ProposalFinancials",
                                   "TolvarProposals/ProposalPayments"};
        QCOMPARE(tree(s.app), expected);
        QCOMPARE(s.app.read("TProposalCounter.txt"), QByteArray("1001\r\n"));
        QCOMPARE(s.app.ctx->vars().ProposalNumber, 1001);
        QVERIFY(s.visible(QStringLiteral("frmSplash")));
        QVERIFY(lock.isHeld());
        QTest::mouseClick(s.screens->find(QStringLiteral("frmSplash"))
                              ->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
        QVERIFY(s.screens->find(QStringLiteral("frmSplash"))
                    ->findChild<QWidget*>(QStringLiteral("fraWelcome"))
                    ->isVisible());
    }

    void savedDataIsLoaded() {
        ScreenApp s;
        s.app.write("TProposalCounter.txt", "1234\r\n");
        s.app.write("MyBusinessData.txt",
                    "\"Brenlow Roofing\",\"1 Main St\",\"\",\"Springfield\",\"IL\",\"62704\","
                    "\"555-0100\",\"\",\"12-3\"\r\n");
        s.app.write("Prompts.txt", "#TRUE#,#FALSE#\r\n");
        InstanceLock lock(s.app.ctx->folder());
        QVERIFY(Main(*s.app.ctx, lock, ProgramStartupSteps(*s.app.ctx, *s.screens)));
        QCOMPARE(s.app.ctx->vars().ProposalNumber, 1234);
        QCOMPARE(s.app.read("TProposalCounter.txt"), QByteArray("1234\r\n"));
        QCOMPARE(s.app.ctx->vars().BusinessData.value(0), QStringLiteral("Brenlow Roofing"));
        QCOMPARE(s.app.ctx->vars().BusinessData.value(5), QStringLiteral("62704"));
        QVERIFY(!s.app.ctx->vars().SoundAlarms);
        QCOMPARE(s.app.ctx->vars().SelectedRoutine, 0);
    }

    void aSecondInstanceIsRefused() {
        ScreenApp s;
        QLockFile first(s.app.path(InstanceLock::fileName()));
        QVERIFY(first.tryLock(0));
        s.app.prompter.expectMessage("Tolvar Proposals is already Running!", "Tolvar Proposals",
                                     Icon::None);
        InstanceLock lock(s.app.ctx->folder());
        QVERIFY(!Main(*s.app.ctx, lock, ProgramStartupSteps(*s.app.ctx, *s.screens)));
        // Nothing made, nothing backed up, the first keeps its lock.
        QCOMPARE(tree(s.app), QStringList{});
        QVERIFY(first.isLocked());
        QCOMPARE(s.quits, 0);
    }
};

TOLVAR_TEST(TestProgramStart)
#include "test_programstart.moc"
