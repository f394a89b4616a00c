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

// A field proposal's header as the field proposal screen stores it.
const QByteArray kFieldHeader =
    "\"FP1001\",0,#2026-11-20#\r\n\"ACC-7\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n\"\"\r\n"
    "\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"555-1234\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n"
    "\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"555-1234\"\r\n";
const QString kTitle = QStringLiteral("Tolvar Proposals");
const QString kMismatch = QStringLiteral("The payments do not equal the Total Amount");
const QString kSaved = QStringLiteral("The Field Proposal has been saved as a basic proposal");

struct Fixture {
    TempApp app;
    std::unique_ptr<F> form;

    explicit Fixture(bool secondTax = false, const QString& rate1 = QStringLiteral("7.5")) {
        auto settings = std::make_shared<Settings>();
        settings->applyTax1 = true;
        settings->taxHeading1 = QStringLiteral("Sales Tax");
        settings->taxRate1 = rate1;
        settings->applyTax2 = secondTax;
        settings->taxHeading2 = QStringLiteral("City Tax");
        settings->taxRate2 = QStringLiteral("1");
        app.ctx->settings = settings;
        for (const char* folder : {"ProposalBody", "ProposalPayments", "ProposalFinancials"}) {
            app.mkdir(QStringLiteral("TolvarProposals/") + QLatin1String(folder));
        }
        app.write(QStringLiteral("TolvarProposals/1001.txt"), kFieldHeader);
        app.write(QStringLiteral("TolvarProposals/1002.txt"),
                  QByteArray(kFieldHeader).replace("\"FP1001\",0", "\"1002\",500"));
        form = std::make_unique<F>(*app.ctx);
    }

    // Up to the details step with the price typed and left.
    F::PriceLeft enterPrice(const QString& price) {
        if (!form->activate() || !form->pick(0)) {
            return F::PriceLeft::LeftEmpty;
        }
        form->press(F::Button::Continue);
        form->editBody(QStringLiteral("Replace roof\nand gutters"));
        form->startTyping(F::AmountBox::PreAmount);
        form->editAmount(F::AmountBox::PreAmount, price);
        return form->leavePreAmount();
    }
    void inFull() {
        QCOMPARE(enterPrice(QStringLiteral("1000")), F::PriceLeft::Accepted);
        form->choosePlan(F::Plan::InFull);
        form->pickDate(0, QDate(2026, 12, 19));
    }
    Files files() const { return snapshot(app.dir.path()); }
};
}  // namespace

Q_DECLARE_METATYPE(F::Plan)
Q_DECLARE_METATYPE(F::PriceLeft)

class TestFinalize : public QObject {
    Q_OBJECT
private slots:
    void listAndAddressStep() {
        Fixture f;
        // A torn field proposal header (five fields) is not offered.
        f.app.write(QStringLiteral("TolvarProposals/1003.txt"),
                    "\"FP1003\",0,#2026-11-22#,\"A\",\"B\"");
        QVERIFY(f.form->activate());
        const F::View& v = f.form->view();
        QCOMPARE(v.rows, (QList<ProposalRow>{{"FP1001", "11/20/2026", "Jane Doe", "$0.00"}}));
        QVERIFY(f.form->pick(0));
        QVERIFY(v.accountFrame);
        QCOMPARE(v.customer.at(3), QStringLiteral("Springfield"));
        f.form->press(F::Button::ClearSite);
        QCOMPARE(v.site, QStringList(7, QString()));
        f.form->press(F::Button::CopyToSite);
        QCOMPARE(v.site, v.customer);
        QVERIFY(!f.form->press(F::Button::Continue));
        QVERIFY(!v.accountFrame && v.detailsFrame);
        QCOMPARE(f.form->takeFocus(), F::Focus::Body);
        QCOMPARE(f.form->takeFocus(), F::Focus::None);
        // A key in a box that shows zero starts it afresh.
        f.form->startTyping(F::AmountBox::PreAmount);
        QCOMPARE(v.preAmount, QString());
        QVERIFY(f.form->press(F::Button::Menu));

        TempApp none;
        none.mkdir(QStringLiteral("TolvarProposals"));
        none.prompter.expectMessage(QStringLiteral("No Proposals Exist"), kTitle, Icon::None);
        QVERIFY(!F(*none.ctx).activate());
        TempApp noField;
        noField.write(QStringLiteral("TolvarProposals/1002.txt"), "\"1002\",5,#2026-11-20#\r\n");
        F form(*noField.ctx);
        QVERIFY(form.activate());
        QVERIFY(!form.pick(0));
    }

    void taxesFollowTheSettings_data() {
        QTest::addColumn<bool>("secondTax");
        QTest::addColumn<QString>("rate1");
        QTest::addColumn<QStringList>("boxes");  // tax 1, tax 2, grand total
        QTest::newRow("first tax") << false << "7.5" << QStringList{"$75.00", "$0.00", "$1,075.00"};
        QTest::newRow("decimal comma")
            << false << "7,0" << QStringList{"$70.00", "$0.00", "$1,070.00"};
        QTest::newRow("both taxes")
            << true << "7.5" << QStringList{"$75.00", "$10.00", "$1,085.00"};
    }
    void taxesFollowTheSettings() {
        QFETCH(bool, secondTax);
        QFETCH(QString, rate1);
        QFETCH(QStringList, boxes);
        Fixture f(secondTax, rate1);
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), F::PriceLeft::Accepted);
        const F::View& v = f.form->view();
        QCOMPARE(v.apply1Caption, QStringLiteral("Sales Tax"));
        QCOMPARE(v.apply2Enabled, secondTax);
        QCOMPARE(v.apply2Caption,
                 secondTax ? QStringLiteral("City Tax") : QStringLiteral("Apply 2nd Tax"));
        // A click on a disabled box cannot bring in a tax the settings do not apply.
        f.form->setApplyTax(2, true);
        QCOMPARE((QStringList{v.tax1, v.tax2, v.grandTotal}), boxes);
        QCOMPARE(v.preAmount, QStringLiteral("$1,000.00"));
        QVERIFY(v.datePanel && v.acceptPrompt);
        f.form->setApplyTax(1, false);
        QCOMPARE(v.tax1, QStringLiteral("$0.00"));
    }

    // FP1001 at $1,000.00 with 7.5 % and one payment: the four files as the
    // golden folder tests/data/accounts/finalized holds them, in every locale.
    void finalizeWritesTheFourFiles_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << QStringLiteral("en_US");
        QTest::newRow("de_DE") << QStringLiteral("de_DE");
    }
    void finalizeWritesTheFourFiles() {
        QFETCH(QString, locale);
        LocaleScope scope(locale);
        Fixture f;
        const Files before = f.files();
        f.inFull();
        QVERIFY(f.form->view().finalizeEnabled);
        f.form->editSite(0, QStringLiteral("  Lake House "));
        f.app.prompter.expectMessage(kSaved, kTitle, Icon::None);
        QVERIFY(f.form->finalize());
        QVERIFY(Golden::folderMatches(changed(before, f.files()), QStringLiteral("finalized")));
        QVERIFY(!f.form->view().datePanel);
        QVERIFY(f.form->activate());
        QVERIFY(f.form->view().rows.isEmpty());
    }

    void twoPayments_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("addsUp");
        QTest::newRow("short of the total") << "500"
                                            << "500" << false;
        QTest::newRow("exact") << "500"
                               << "575" << true;
    }
    void twoPayments() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, addsUp);
        Fixture f;
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), F::PriceLeft::Accepted);
        f.form->choosePlan(F::Plan::TwoPayments);
        QVERIFY(f.form->view().secondPayment && f.form->view().twoPaymentsPanel);
        QCOMPARE(f.form->takeFocus(), F::Focus::Payment1);
        f.form->editAmount(F::AmountBox::Payment1, first);
        QVERIFY(f.form->leavePayment(0));
        f.form->editAmount(F::AmountBox::Payment2, second);
        if (!addsUp) {
            f.app.prompter.expectMessage(kMismatch, kTitle, Icon::None);
        }
        QCOMPARE(f.form->leavePayment(1), addsUp);
        QCOMPARE(f.form->takeFocus(), addsUp ? F::Focus::FirstDate : F::Focus::Payment1);
        if (!addsUp) {
            QCOMPARE(f.form->view().payment, (std::array<QString, 2>{"$0.00", "$0.00"}));
            return;
        }
        f.form->pickDate(0, QDate(2026, 12, 5));
        f.form->pickDate(1, QDate(2027, 1, 4));
        f.app.prompter.expectMessage(kSaved, kTitle, Icon::None);
        QVERIFY(f.form->finalize());
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt")),
                 Golden::read(QStringLiteral("payments-padded.txt")));
    }

    // Payment 1 changed after the sum was checked is caught before writing.
    void changedFirstPaymentIsCaught() {
        Fixture f;
        QCOMPARE(f.enterPrice(QStringLiteral("1000")), F::PriceLeft::Accepted);
        f.form->choosePlan(F::Plan::TwoPayments);
        f.form->editAmount(F::AmountBox::Payment1, QStringLiteral("500"));
        f.form->editAmount(F::AmountBox::Payment2, QStringLiteral("575"));
        QVERIFY(f.form->leavePayment(1));
        f.form->editAmount(F::AmountBox::Payment1, QStringLiteral("400"));
        f.form->pickDate(1, QDate(2027, 1, 10));
        f.app.prompter.expectMessage(kMismatch, kTitle, Icon::None);
        const Files before = f.files();
        QVERIFY(!f.form->finalize());
        QCOMPARE(f.files(), before);
    }

    // Enabled by a date chosen in picker 0 under "In Full", by one chosen in
    // picker 1, or by any date change once there is a body and a total.
    void finalizeButtonRule_data() {
        QTest::addColumn<int>("picker");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<F::Plan>("plan");
        QTest::addColumn<bool>("body");
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("first, in full") << 0 << false << F::Plan::InFull << false << "10" << true;
        QTest::newRow("first, two payments")
            << 0 << false << F::Plan::TwoPayments << false << "10" << false;
        QTest::newRow("second") << 1 << false << F::Plan::None << false << "" << true;
        QTest::newRow("first changed, in full")
            << 0 << true << F::Plan::InFull << false << "10" << false;
        QTest::newRow("changed, body and total")
            << 0 << true << F::Plan::None << true << "10" << true;
        QTest::newRow("changed, no body") << 1 << true << F::Plan::None << false << "10" << false;
        QTest::newRow("changed, no total") << 0 << true << F::Plan::None << true << "" << false;
    }
    void finalizeButtonRule() {
        QFETCH(int, picker);
        QFETCH(bool, changed);
        QFETCH(F::Plan, plan);
        QFETCH(bool, body);
        QFETCH(QString, price);
        Fixture f;
        QVERIFY(f.form->activate() && f.form->pick(0));
        f.form->press(F::Button::Continue);
        f.form->editBody(body ? QStringLiteral("Roof") : QString());
        if (!price.isEmpty()) {
            f.form->editAmount(F::AmountBox::PreAmount, price);
            QCOMPARE(f.form->leavePreAmount(), F::PriceLeft::Accepted);
            f.form->choosePlan(plan);
        }
        f.form->pickDate(picker, QDate(2026, 12, 24), changed);
        QTEST(f.form->view().finalizeEnabled, "enabled");
        QCOMPARE(f.form->view().date[picker], QDate(2026, 12, 24));
    }

    void leavingThePrice_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<F::PriceLeft>("left");
        QTest::addColumn<QString>("total");
        const QString exit =
            QStringLiteral("Do you want to exit without\rUpdating this Field Proposal?");
        const QString tooLarge =
            QStringLiteral("Amounts of $10,000,000.00 and more cannot be stored");
        QTest::newRow("empty, exit")
            << "" << exit << Answer::Yes << F::PriceLeft::LeftEmpty << "$0.00";
        QTest::newRow("pasted text, stay")
            << "abc" << exit << Answer::No << F::PriceLeft::StayInBox << "$0.00";
        // With 7.5 % the total reaches ten million at $9,302,325.58.
        QTest::newRow("largest total")
            << "9302325.57" << QString() << Answer::Ok << F::PriceLeft::Accepted << "$9,999,999.99";
        QTest::newRow("total of ten million")
            << "9302325.58" << tooLarge << Answer::Ok << F::PriceLeft::StayInBox << "$0.00";
        QTest::newRow("price of ten million")
            << "10000000" << tooLarge << Answer::Ok << F::PriceLeft::StayInBox << "$0.00";
    }
    void leavingThePrice() {
        QFETCH(QString, price);
        QFETCH(QString, message);
        QFETCH(Answer, answer);
        QFETCH(F::PriceLeft, left);
        Fixture f;
        if (answer == Answer::Ok && !message.isEmpty()) {
            f.app.prompter.expectMessage(message, kTitle, Icon::Exclamation);
        } else if (!message.isEmpty()) {
            f.app.prompter.expectQuestion(message, QStringLiteral("Exit Posting"), Buttons::YesNo,
                                          Icon::None, answer);
        }
        QCOMPARE(f.enterPrice(price), left);
        QTEST(f.form->view().grandTotal, "total");
        QCOMPARE(f.form->view().detailsFrame, left != F::PriceLeft::LeftEmpty);
        QCOMPARE(f.form->takeFocus(),
                 left == F::PriceLeft::StayInBox ? F::Focus::PreAmount : F::Focus::Body);
        if (left == F::PriceLeft::LeftEmpty) {
            // Leaving it once more does not ask again.
            QCOMPARE(f.form->leavePreAmount(), F::PriceLeft::LeftEmpty);
        }
    }

    // A file that cannot be written is shown, the files already written go
    // again, and the header keeps its FP mark so the proposal can be
    // finalized once the fault is cleared.
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
        f.inFull();
        QFile::remove(f.app.path(blocked));
        f.app.mkdir(blocked);
        const Files before = f.files();
        const IoStatus expected = f.app.ctx->store().OpenForOutput(QLatin1Char('/') + blocked, "x");
        f.app.prompter.expectMessage(expected.message(), kTitle, Icon::Critical);
        QVERIFY(!f.form->finalize());
        QCOMPARE(f.files(), before);
    }
};

TOLVAR_TEST(TestFinalize)
#include "test_finalize.moc"
