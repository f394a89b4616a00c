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

// FP1001, a field proposal as the field proposal screen stores it, and 1002,
// a basic one. The first tax (7.5 %) applies.
struct Fixture {
    TempApp app;
    std::unique_ptr<F> form;

    explicit Fixture(bool secondTax = false, const QString& rate1 = QStringLiteral("7.5")) {
        auto settings = std::make_shared<Settings>();
        settings->applyTax1 = true;
        settings->taxRate1 = rate1;
        settings->applyTax2 = secondTax;
        settings->taxHeading2 = QStringLiteral("City Tax");
        settings->taxRate2 = QStringLiteral("1");
        app.ctx->settings() = *settings;
        const QByteArray fields =
            ",#2026-11-20#,\"ACC-7\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\","
            "\"62701\",\"555-1234\",\"Jane Doe\",\"12 Oak St\",\"\",\"Springfield\",\"IL\","
            "\"62701\",\"555-1234\"\r\n";
        app.write(QStringLiteral("TolvarProposals/1001.txt"), "\"FP1001\",0" + fields);
        app.write(QStringLiteral("TolvarProposals/1002.txt"), "\"1002\",500" + fields);
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        form = std::make_unique<F>(*app.ctx);
    }

    // Up to the details step with a body and the price typed and left.
    Left enterPrice(const QString& price, const QString& body = QStringLiteral("Roof\nGutters")) {
        if (!form->activate() || !form->pick(0)) {
            return Left::LeftEmpty;
        }
        form->press(F::Button::Continue);
        form->editBody(body);
        form->startTyping(F::AmountBox::PreAmount);
        form->editAmount(F::AmountBox::PreAmount, price);
        return form->leavePreAmount();
    }
    void say(const QString& text, Icon icon = Icon::None) { expectSay(app.prompter, text, icon); }
    Files files() const { return snapshot(app.dir.path()); }
};
}  // namespace

Q_DECLARE_METATYPE(F::Plan)
Q_DECLARE_METATYPE(Left)

class TestFinalize : public QObject {
    Q_OBJECT
private slots:
    void listAndAddressStep() {
        Fixture f;
        // A torn field proposal header (five fields) is not offered.
        f.app.write(QStringLiteral("TolvarProposals/1003.txt"), "\"FP1003\",0,#2026-11-22#,\"A\"");
        QVERIFY(f.form->activate());
        const F::View& v = f.form->view();
        QCOMPARE(v.rows, (QList<ProposalRow>{{"FP1001", "11/20/2026", "Jane Doe", "$0.00"}}));
        QVERIFY(f.form->pick(0) && v.accountFrame);
        QCOMPARE(v.customer.at(3), QStringLiteral("Springfield"));
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
        QFile::remove(f.app.path(QStringLiteral("TolvarProposals/1001.txt")));
        QVERIFY(f.form->activate() && !f.form->pick(0));
        QFile::remove(f.app.path(QStringLiteral("TolvarProposals/1002.txt")));
        QFile::remove(f.app.path(QStringLiteral("TolvarProposals/1003.txt")));
        f.say(QStringLiteral("No Proposals Exist"));
        QVERIFY(!f.form->activate());
    }

    void taxesFollowTheSettings_data() {
        QTest::addColumn<bool>("secondTax");
        QTest::addColumn<QString>("rate1");
        QTest::addColumn<QStringList>("boxes");  // tax 1, tax 2, grand total
        QTest::newRow("first") << false << "7.5" << QStringList{"$75.00", "$0.00", "$1,075.00"};
        QTest::newRow("comma") << false << "7,0" << QStringList{"$70.00", "$0.00", "$1,070.00"};
        QTest::newRow("both") << true << "7.5" << QStringList{"$75.00", "$10.00", "$1,085.00"};
    }
    void taxesFollowTheSettings() {
        QFETCH(bool, secondTax);
        QFETCH(QString, rate1);
        Fixture f(secondTax, rate1);
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), Left::Accepted);
        const F::View& v = f.form->view();
        QCOMPARE((QStringList{v.apply1Caption, v.apply2Caption}),
                 (QStringList{"Sales Tax", secondTax ? "City Tax" : "Apply 2nd Tax"}));
        QCOMPARE(v.apply2Enabled, secondTax);
        // A click on a disabled box cannot bring in a tax the settings do not apply.
        f.form->setApplyTax(2, true);
        QTEST((QStringList{v.tax1, v.tax2, v.grandTotal}), "boxes");
        QVERIFY(v.preAmount == QLatin1String("$1,000.00") && v.datePanel && v.acceptPrompt);
        f.form->setApplyTax(1, false);
        QCOMPARE(v.tax1, QStringLiteral("$0.00"));
    }

    // $1,000.00 with 7.5 % in one payment, or in $500.00 and $575.00: the four
    // files of tests/data/accounts/finalized-*, in every locale.
    void finalizeWritesTheFourFiles_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<F::Plan>("plan");
        QTest::addColumn<QString>("golden");
        QTest::newRow("in full") << "en_US" << F::Plan::InFull << "finalized";
        QTest::newRow("in full, de_DE") << "de_DE" << F::Plan::InFull << "finalized";
        QTest::newRow("two, de_DE") << "de_DE" << F::Plan::TwoPayments << "finalized-two";
    }
    void finalizeWritesTheFourFiles() {
        QFETCH(QString, locale);
        QFETCH(F::Plan, plan);
        LocaleScope scope(locale);
        Fixture f;
        const Files before = f.files();
        QCOMPARE(f.enterPrice(QStringLiteral("1000"), QStringLiteral("Replace roof\nand gutters")),
                 Left::Accepted);
        f.form->choosePlan(plan);
        if (plan == F::Plan::TwoPayments) {
            QVERIFY(f.form->view().secondPayment && f.form->view().twoPaymentsPanel);
            QCOMPARE(f.form->takeFocus(), F::Focus::Payment1);
            f.form->editAmount(F::AmountBox::Payment1, QStringLiteral("500"));
            f.form->editAmount(F::AmountBox::Payment2, QStringLiteral("575"));
            QVERIFY(f.form->leavePayment(0) && f.form->leavePayment(1));
            QCOMPARE(f.form->takeFocus(), F::Focus::FirstDate);
            f.form->pickDate(1, QDate(2027, 1, 4));
        }
        f.form->pickDate(0, QDate(2026, 12, 19));
        QVERIFY(f.form->view().finalizeEnabled);
        f.form->editSite(0, QStringLiteral("  Lake House "));
        f.say(QStringLiteral("The Field Proposal has been saved as a basic proposal"));
        QVERIFY(f.form->finalize() && !f.form->view().datePanel);
        QFETCH(QString, golden);
        QVERIFY(Golden::folderMatches(changed(before, f.files()), golden));
        QVERIFY(f.form->activate() && f.form->view().rows.isEmpty());
    }

    void finalizeWithoutAnAmountAsksForIt() {
        Fixture f;
        QVERIFY(f.form->activate() && f.form->pick(0));
        f.form->press(F::Button::Continue);
        const Files before = f.files();
        f.say(QStringLiteral("Enter Proposed Amount (pre-tax) then Press <TAB>"));
        QVERIFY(!f.form->finalize());
        QCOMPARE(f.form->takeFocus(), F::Focus::PreAmount);
        QCOMPARE(f.files(), before);
    }

    // Two payments that do not add up to the total go back to zero, also
    // when the first is changed after the sum was checked.
    void paymentsThatDoNotAddUp_data() {
        QTest::addColumn<bool>("atFinalize");
        QTest::newRow("leaving the second") << false;
        QTest::newRow("first changed later") << true;
    }
    void paymentsThatDoNotAddUp() {
        QFETCH(bool, atFinalize);
        Fixture f;
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), Left::Accepted);
        f.form->choosePlan(F::Plan::TwoPayments);
        f.form->editAmount(F::AmountBox::Payment1, QStringLiteral("500"));
        f.form->editAmount(F::AmountBox::Payment2, atFinalize ? "575" : "500");
        const Files before = f.files();
        f.say(QStringLiteral("The payments do not equal the Total Amount"));
        QCOMPARE(f.form->leavePayment(1), atFinalize);
        if (atFinalize) {
            f.form->editAmount(F::AmountBox::Payment1, QStringLiteral("400"));
            QVERIFY(!f.form->finalize());
        }
        QCOMPARE(f.form->view().payment, (std::array<QString, 2>{"$0.00", "$0.00"}));
        QCOMPARE(f.form->takeFocus(), F::Focus::Payment1);
        QCOMPARE(f.files(), before);
    }

    // Enabled by a date chosen in picker 0 under "In Full", by one chosen in
    // picker 1, or by any date change once there is a body and a total.
    void finalizeButtonRule_data() {
        QTest::addColumn<int>("picker");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<F::Plan>("plan");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char* name, int picker, bool changed, F::Plan plan,
                            const char* body, const char* price, bool enabled) {
            QTest::newRow(name) << picker << changed << plan << QString::fromLatin1(body)
                                << QString::fromLatin1(price) << enabled;
        };
        const F::Plan full = F::Plan::InFull;
        const F::Plan none = F::Plan::None;
        row("first, in full", 0, false, full, "", "10", true);
        row("first, two", 0, false, F::Plan::TwoPayments, "", "10", false);
        row("second", 1, false, none, "", "0", true);
        row("first changed, in full", 0, true, full, "", "10", false);
        row("changed, body and total", 0, true, none, "Roof", "10", true);
        row("second changed, no body", 1, true, none, "", "10", false);
        row("changed, no total", 0, true, none, "Roof", "0", false);
    }
    void finalizeButtonRule() {
        QFETCH(int, picker);
        QFETCH(bool, changed);
        QFETCH(F::Plan, plan);
        QFETCH(QString, body);
        QFETCH(QString, price);
        Fixture f;
        if (price != QLatin1String("0")) {
            QCOMPARE(f.enterPrice(price, body), Left::Accepted);
            f.form->choosePlan(plan);
        } else {
            QVERIFY(f.form->activate() && f.form->pick(0) && !f.form->press(F::Button::Continue));
            f.form->editBody(body);
        }
        f.form->pickDate(picker, QDate(2026, 12, 24), changed);
        QTEST(f.form->view().finalizeEnabled, "enabled");
        QCOMPARE(f.form->view().date[picker], QDate(2026, 12, 24));
    }

    void leavingThePrice_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Answer>("answer");  // to the exit question; Ok: a message
        QTest::addColumn<Left>("left");
        QTest::addColumn<QString>("total");
        const auto row = [](const char* name, const char* price, const QString& message,
                            Answer answer, Left left, const char* total) {
            QTest::newRow(name) << QString::fromLatin1(price) << message << answer << left
                                << QString::fromLatin1(total);
        };
        const QString exit =
            QStringLiteral("Do you want to exit without\rUpdating this Field Proposal?");
        const QString big = QStringLiteral("Amounts of $10,000,000.00 and more cannot be stored");
        row("empty, exit", "", exit, Answer::Yes, Left::LeftEmpty, "$0.00");
        row("text, stay", "abc", exit, Answer::No, Left::StayInBox, "$0.00");
        // With 7.5 % the total reaches ten million at $9,302,325.58.
        row("largest total", "9302325.57", {}, Answer::Ok, Left::Accepted, "$9,999,999.99");
        row("total of ten million", "9302325.58", big, Answer::Ok, Left::StayInBox, "$0.00");
        row("price of ten million", "10000000", big, Answer::Ok, Left::StayInBox, "$0.00");
    }
    void leavingThePrice() {
        QFETCH(QString, price);
        QFETCH(QString, message);
        QFETCH(Answer, answer);
        QFETCH(Left, left);
        Fixture f;
        if (answer != Answer::Ok) {
            f.app.prompter.expectQuestion(message, QStringLiteral("Exit Posting"), Buttons::YesNo,
                                          Icon::None, answer);
        } else if (!message.isEmpty()) {
            f.say(message, Icon::Exclamation);
        }
        QCOMPARE(f.enterPrice(price), left);
        QTEST(f.form->view().grandTotal, "total");
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
    void writeFailureLeavesTheFieldProposal_data() {
        QTest::addColumn<QString>("blocked");
        for (const char* file : {"ProposalBody/1001.txt", "ProposalPayments/1001.txt",
                                 "ProposalFinancials/1001.txt", "1001.txt"}) {
            QTest::newRow(file) << QStringLiteral("TolvarProposals/") + QLatin1String(file);
        }
    }
    void writeFailureLeavesTheFieldProposal() {
        QFETCH(QString, blocked);
        Fixture f;
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), Left::Accepted);
        QFile::remove(f.app.path(blocked));
        f.app.mkdir(blocked);
        const Files before = f.files();
        f.say(f.app.ctx->store().OpenForOutput(QLatin1Char('/') + blocked, "x").message(),
              Icon::Critical);
        QVERIFY(!f.form->finalize());
        QCOMPARE(f.files(), before);
    }
};

TOLVAR_TEST(TestFinalize)
#include "test_finalize.moc"
