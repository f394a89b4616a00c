#include "accountstest.h"
#include "settings/settings.h"
#include "shell/mainmenu.h"
#include "testmain.h"
#include "uitesthelpers.h"

namespace {
// The program's screens over a temporary folder, opened from the main menu.
struct MoneyApp : UiRig {
    MoneyApp() {
        ctx.settings().taxHeading1 = QStringLiteral("Sales Tax");
        ctx.settings().taxHeading2 = QStringLiteral("City Tax");
    }
    void proposal(const QString& file, const QByteArray& bytes) {
        app.write(QStringLiteral("TolvarProposals/") + file, bytes);
    }
    Files files() const { return snapshot(app.dir.path()); }
};
}  // namespace

class TestMoneyScreens : public QObject {
    Q_OBJECT
private slots:
    // The schedule shown, the invoices previewed, page 1 answered No, No,
    // Yes and the rest Yes: what one whole run posts, byte for byte.
    void paymentsRunFromTheMenu() {
        MoneyApp m;
        m.flow("three-payments");
        const Files before = m.files();
        m.flow("payments-details");
        QCOMPARE(m.files(), before);
        m.flow("payments-run");
        QVERIFY(changed(before, m.files()) == snapshot(Golden::path("run-all")));
    }

    // Cancel on page 2 of 3: two journal entries and nothing else posted.
    void paymentsCancelledOnPageTwo() { MoneyApp().flow("payments-cancelled"); }

    // FP1001 finalized at $1,000.00 plus 7.5 % in one payment: the four
    // files of tests/data/accounts/finalized.
    void finalizeFromTheMenu() {
        MoneyApp m;
        m.ctx.settings().applyTax1 = true;
        m.ctx.settings().taxRate1 = QStringLiteral("7.5");
        m.proposal("1001.txt", UiData("finalize-fp1001.txt"));
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            m.app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        const Files before = m.files();
        m.flow("finalize");
        QVERIFY(changed(before, m.files()) == snapshot(Golden::path("finalized")));
    }

    // Proposal 1001, the field proposal FP1002 and 37 more.
    void reportFromTheMenu() {
        MoneyApp m;
        m.flow("three-payments");
        const QByteArray customer = UiData("three-payments/1001.txt").mid(11);
        m.proposal("1002.txt", "\"FP1002\",0" + customer);
        for (int n = 1003; n < 1040; ++n) {
            m.proposal(QStringLiteral("%1.txt").arg(n),
                       "\"" + QByteArray::number(n) + "\",10" + customer);
        }
        m.flow("report");
    }
};

TOLVAR_TEST(TestMoneyScreens)
#include "test_moneyscreens.moc"
