#include "accounts/finalize.h"

#include "accountstest.h"
#include "settings/settings.h"
#include "shell/filestore.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
using F = FinalizeFieldProposal;
using Left = F::PriceLeft;

// tests/data/accounts/seed-finalize: FP1001, a field proposal as the field
// proposal screen stores it, and 1002, a basic one. The first tax (7.5 %)
// applies.
struct Fixture {
    TempApp app;
    std::unique_ptr<F> form;

    explicit Fixture(bool secondTax = false, const QString& rate1 = "7.5") {
        Settings& settings = app.ctx->settings();
        settings.applyTax1 = true;
        settings.taxRate1 = rate1;
        settings.applyTax2 = secondTax;
        settings.taxHeading2 = "City Tax";
        settings.taxRate2 = "1";
        seed(app, "seed-finalize");
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        form = std::make_unique<F>(*app.ctx);
    }

    // Up to the details step with a body and the price typed and left.
    Left enterPrice(const QString& price, const QString& body = "Roof\nGutters") {
        if (!form->activate() || !form->pick(0)) {
            return Left::LeftEmpty;
        }
        form->press(F::Button::Continue);
        form->editBody(body);
        form->startTyping(F::AmountBox::PreAmount);
        form->editAmount(F::AmountBox::PreAmount, price);
        return form->leavePreAmount();
    }
    Files files() const { return snapshot(app.dir.path()); }
};

F::Plan planNamed(const QString& name) {
    return F::Plan(CaseFile::named<int>(name, {"None", "InFull", "TwoPayments"}) - 1);
}
}  // namespace

class TestFinalize : public QObject {
    Q_OBJECT
private slots:
    void listAndAddressStep() {
        Fixture f;
        // A torn field proposal header (five fields) is not offered.
        f.app.write("TolvarProposals/1003.txt", "\"FP1003\",0,#2026-11-22#,\"A\"");
        QVERIFY(f.form->activate());
        const F::View& v = f.form->view();
        QCOMPARE(v.rows, (QList<ProposalRow>{{"FP1001", "11/20/2026", "Jane Doe", "$0.00"}}));
        QVERIFY(f.form->pick(0) && v.accountFrame);
        QCOMPARE(v.customer.at(3), "Springfield");
        f.form->press(F::Button::ClearSite);
        QCOMPARE(v.site, QStringList(7, QString()));
        f.form->press(F::Button::CopyToSite);
        QCOMPARE(v.site, v.customer);
        QVERIFY(!f.form->press(F::Button::Continue) && !v.accountFrame && v.detailsFrame);
        QCOMPARE(f.form->takeFocus(), F::Focus::Body);
        QCOMPARE(f.form->takeFocus(), F::Focus::None);
        // A key in a box that shows zero starts it afresh.
        f.form->startTyping(F::AmountBox::PreAmount);
        QCOMPARE(v.preAmount, QString());
        QVERIFY(f.form->press(F::Button::Menu));
        QFile::remove(f.app.path("TolvarProposals/1001.txt"));
        QVERIFY(f.form->activate() && !f.form->pick(0));
        QFile::remove(f.app.path("TolvarProposals/1002.txt"));
        QFile::remove(f.app.path("TolvarProposals/1003.txt"));
        expect(f.app.prompter, "no proposals");
        QVERIFY(!f.form->activate());
    }

    void taxesFollowTheSettings_data() { CaseFile::rows("accounts/taxes.txt"); }
    void taxesFollowTheSettings() {
        const bool secondTax = CaseFile::number("second");
        Fixture f(secondTax, CaseFile::field("rate1"));
        QCOMPARE(f.enterPrice("1000"), Left::Accepted);
        const F::View& v = f.form->view();
        QCOMPARE((QStringList{v.apply1Caption, v.apply2Caption}),
                 (QStringList{"Sales Tax", secondTax ? "City Tax" : "Apply 2nd Tax"}));
        QCOMPARE(v.apply2Enabled, secondTax);
        // A click on a disabled box cannot bring in a tax the settings do not apply.
        f.form->setApplyTax(2, true);
        QCOMPARE(QStringList({v.tax1, v.tax2, v.grandTotal}).join(u' '), CaseFile::field("boxes"));
        QVERIFY(v.preAmount == QLatin1String("$1,000.00") && v.datePanel && v.acceptPrompt);
        f.form->setApplyTax(1, false);
        QCOMPARE(v.tax1, "$0.00");
    }

    void finalizeWritesTheFourFiles_data() { CaseFile::rows("accounts/finalizing.txt"); }
    void finalizeWritesTheFourFiles() {
        const F::Plan plan = planNamed(CaseFile::field("plan"));
        LocaleScope scope(CaseFile::field("locale"));
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.enterPrice("1000", "Replace roof\nand gutters"), Left::Accepted);
        f.form->choosePlan(plan);
        if (plan == F::Plan::TwoPayments) {
            QVERIFY(f.form->view().secondPayment && f.form->view().twoPaymentsPanel);
            QCOMPARE(f.form->takeFocus(), F::Focus::Payment1);
            f.form->editAmount(F::AmountBox::Payment1, "500");
            f.form->editAmount(F::AmountBox::Payment2, "575");
            QVERIFY(f.form->leavePayment(0) && f.form->leavePayment(1));
            QCOMPARE(f.form->takeFocus(), F::Focus::FirstDate);
            f.form->pickDate(1, QDate(2027, 1, 4));
        }
        f.form->pickDate(0, QDate(2026, 12, 19));
        QVERIFY(f.form->view().finalizeEnabled);
        f.form->editSite(0, "  Lake House ");
        expect(f.app.prompter, "finalized");
        QVERIFY(f.form->finalize() && !f.form->view().datePanel);
        QVERIFY(Golden::folderMatches(changed(before, f.files()), CaseFile::field("golden")));
        QVERIFY(f.form->activate() && f.form->view().rows.isEmpty());
    }

    void finalizeWithoutAnAmountAsksForIt() {
        Fixture f;
        QVERIFY(f.form->activate() && f.form->pick(0));
        f.form->press(F::Button::Continue);
        const Files before = f.files();
        expect(f.app.prompter, "enter amount");
        QVERIFY(!f.form->finalize());
        QCOMPARE(f.form->takeFocus(), F::Focus::PreAmount);
        QCOMPARE(f.files(), before);
    }

    // Two payments that do not add up to the total go back to zero, also
    // when the first is changed after the sum was checked.
    void paymentsThatDoNotAddUp() {
        for (bool atFinalize : {false, true}) {
            Fixture f;
            QCOMPARE(f.enterPrice("1000"), Left::Accepted);
            f.form->choosePlan(F::Plan::TwoPayments);
            f.form->editAmount(F::AmountBox::Payment1, "500");
            f.form->editAmount(F::AmountBox::Payment2, atFinalize ? "575" : "500");
            const Files before = f.files();
            expect(f.app.prompter, "not equal");
            QCOMPARE(f.form->leavePayment(1), atFinalize);
            if (atFinalize) {
                f.form->editAmount(F::AmountBox::Payment1, "400");
                QVERIFY(!f.form->finalize());
            }
            QCOMPARE(f.form->view().payment, (std::array<QString, 2>{"$0.00", "$0.00"}));
            QCOMPARE(f.form->takeFocus(), F::Focus::Payment1);
            QCOMPARE(f.files(), before);
        }
    }

    void finalizeButtonRule_data() { CaseFile::rows("accounts/finalizebutton.txt"); }
    void finalizeButtonRule() {
        const int picker = CaseFile::number("picker");
        const QString body = CaseFile::field("body");
        const QString price = CaseFile::field("price");
        const F::Plan plan = planNamed(CaseFile::field("plan"));
        Fixture f;
        if (price != QLatin1String("0")) {
            QCOMPARE(f.enterPrice(price, body), Left::Accepted);
            f.form->choosePlan(plan);
        } else {
            QVERIFY(f.form->activate() && f.form->pick(0) && !f.form->press(F::Button::Continue));
            f.form->editBody(body);
        }
        f.form->pickDate(picker, QDate(2026, 12, 24), CaseFile::number("changed"));
        QCOMPARE(f.form->view().finalizeEnabled, bool(CaseFile::number("enabled")));
        QCOMPARE(f.form->view().date[picker], QDate(2026, 12, 24));
    }

    void leavingThePrice_data() { CaseFile::rows("accounts/leavingprice.txt"); }
    void leavingThePrice() {
        const Left left =
            CaseFile::named<Left>(CaseFile::field("left"), {"Accepted", "LeftEmpty", "StayInBox"});
        Fixture f;
        if (!CaseFile::field("prompt").isEmpty()) {
            expect(f.app.prompter, CaseFile::field("prompt"),
                   CaseFile::answer(CaseFile::field("answer")));
        }
        QCOMPARE(f.enterPrice(CaseFile::field("price")), left);
        QCOMPARE(f.form->view().grandTotal, CaseFile::field("total"));
        QCOMPARE(f.form->view().detailsFrame, left != Left::LeftEmpty);
        QCOMPARE(f.form->takeFocus(),
                 left == Left::StayInBox ? F::Focus::PreAmount : F::Focus::Body);
        if (left == Left::LeftEmpty) {
            // Leaving it once more does not ask again.
            QCOMPARE(f.form->leavePreAmount(), Left::LeftEmpty);
        }
    }

    // A file that cannot be written is shown, the files already written are
    // deleted again, and the header keeps its FP mark.
    void writeFailureLeavesTheFieldProposal() {
        for (const char* file : {"ProposalBody/1001.txt", "ProposalPayments/1001.txt",
                                 "ProposalFinancials/1001.txt", "1001.txt"}) {
            const QString blocked = QStringLiteral("TolvarProposals/") + QLatin1String(file);
            Fixture f;
            QCOMPARE(f.enterPrice("1000"), Left::Accepted);
            QFile::remove(f.app.path(blocked));
            f.app.mkdir(blocked);
            const Files before = f.files();
            expect(f.app.prompter, "failed", Answer::Ok,
                   {f.app.ctx->store().OpenForOutput(QLatin1Char('/') + blocked, "x").message()});
            QVERIFY(!f.form->finalize());
            QCOMPARE(f.files(), before);
        }
    }
};

TOLVAR_TEST(TestFinalize)
#include "test_finalize.moc"
