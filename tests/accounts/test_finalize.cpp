#include "accounts/finalize.h"

#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
// A field proposal's header as the field proposal screen stores it.
const QByteArray kFieldHeader =
    "\"FP1001\",0,#2026-11-20#\r\n\"ACC-7\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n\"\"\r\n"
    "\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"555-1234\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n"
    "\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"555-1234\"\r\n";
const QByteArray kTypedHeader =
    "\"1002\",500,#2026-11-21#\r\n\"555-9999\"\r\n\"Al Roe\"\r\n\"1 Elm\"\r\n\"\"\r\n\"Dover\"\r\n"
    "\"DE\"\r\n\"19901\"\r\n\"555-"
    "9999\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

const QString kExitQuestion =
    QStringLiteral("Do you want to exit without\rUpdating this Field Proposal?");
const QString kMismatch = QStringLiteral("The payments do not equal the Total Amount");
const QString kSaved = QStringLiteral("The Field Proposal has been saved as a basic proposal");

struct Fixture {
    TempApp app;
    std::unique_ptr<FinalizeFieldProposal> form;

    explicit Fixture(bool secondTax = false) {
        auto settings = std::make_shared<Settings>();
        settings->applyTax1 = true;
        settings->taxHeading1 = QStringLiteral("Sales Tax");
        settings->taxRate1 = QStringLiteral("7.5");
        settings->applyTax2 = secondTax;
        settings->taxHeading2 = QStringLiteral("City Tax");
        settings->taxRate2 = QStringLiteral("1");
        app.ctx->settings = settings;
        app.mkdir(QStringLiteral("TolvarProposals/ProposalBody"));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalPayments"));
        app.mkdir(QStringLiteral("TolvarProposals/ProposalFinancials"));
        app.write(QStringLiteral("TolvarProposals/1001.txt"), kFieldHeader);
        app.write(QStringLiteral("TolvarProposals/1002.txt"), kTypedHeader);
        form = std::make_unique<FinalizeFieldProposal>(*app.ctx);
    }

    // Up to the details step with the price entered.
    void enterPrice(const QString& price) {
        QVERIFY(form->activate());
        QVERIFY(form->pick(0));
        form->continueToDetails();
        form->boxes().body = QStringLiteral("Replace roof\nand gutters");
        form->boxes().preAmount = price;
        QCOMPARE(form->leavePreAmount(), FinalizeFieldProposal::PriceLeft::Accepted);
    }
};
}  // namespace

class TestFinalize : public QObject {
    Q_OBJECT
private slots:
    void listsOnlyCompleteFieldProposals() {
        Fixture f;
        // A torn field proposal header (five fields) is not offered.
        f.app.write(QStringLiteral("TolvarProposals/1003.txt"),
                    "\"FP1003\",0,#2026-11-22#,\"A\",\"B\"");
        QVERIFY(f.form->activate());
        QCOMPARE(f.form->proposals().size(), 1);
        QCOMPARE(f.form->rowCells(0),
                 (QStringList{QStringLiteral("FP1001"), QStringLiteral("11/20/2026"),
                              QStringLiteral("Jane Doe"), QStringLiteral("$0.00")}));
        QVERIFY(f.form->rowCells(1).isEmpty());
        QVERIFY(f.app.prompter.done());
    }

    void noHeaderFilesGoesBackToMenu() {
        TempApp app;
        app.mkdir(QStringLiteral("TolvarProposals"));
        app.prompter.expectMessage(QStringLiteral("No Proposals Exist"));
        FinalizeFieldProposal form(*app.ctx);
        QVERIFY(!form.activate());
        QVERIFY2(app.prompter.done(), qPrintable(app.prompter.report()));
    }

    void noFieldProposalsLeavesEmptyList() {
        TempApp app;
        app.write(QStringLiteral("TolvarProposals/1002.txt"), kTypedHeader);
        FinalizeFieldProposal form(*app.ctx);
        QVERIFY(form.activate());
        QVERIFY(form.proposals().isEmpty());
        QVERIFY(!form.pick(0));
        QVERIFY(app.prompter.done());
    }

    void addressStep() {
        Fixture f;
        QVERIFY(f.form->activate());
        QVERIFY(f.form->pick(0));
        QVERIFY(f.form->view().accountFrame);
        QCOMPARE(f.form->customerLines().at(3), QStringLiteral("Springfield"));
        QCOMPARE(f.form->boxes().site.at(0), QStringLiteral("Jane Doe"));
        f.form->clearSite();
        QCOMPARE(f.form->boxes().site, QStringList(7, QString()));
        f.form->copyToSite();
        QCOMPARE(f.form->boxes().site, f.form->customerLines());
        f.form->continueToDetails();
        QVERIFY(!f.form->view().accountFrame);
        QVERIFY(f.form->view().detailsFrame);
        QCOMPARE(f.form->boxes().preAmount, QStringLiteral("$0.00"));
        QCOMPARE(f.form->takeFocus(), QStringLiteral("txtBody"));
    }

    void taxesFollowTheSettings_data() {
        QTest::addColumn<bool>("secondTax");
        QTest::addColumn<QString>("caption2");
        QTest::addColumn<QString>("tax2");
        QTest::addColumn<QString>("total");
        QTest::newRow("second tax off") << false << QStringLiteral("Apply 2nd Tax")
                                        << QStringLiteral("$0.00") << QStringLiteral("$1,075.00");
        QTest::newRow("second tax on") << true << QStringLiteral("City Tax")
                                       << QStringLiteral("$10.00") << QStringLiteral("$1,085.00");
    }
    void taxesFollowTheSettings() {
        QFETCH(bool, secondTax);
        QFETCH(QString, caption2);
        QFETCH(QString, tax2);
        QFETCH(QString, total);
        Fixture f(secondTax);
        f.enterPrice(QStringLiteral("1000"));
        const auto& v = f.form->view();
        QVERIFY(v.apply1Enabled);
        QCOMPARE(v.apply1Caption, QStringLiteral("Sales Tax"));
        QCOMPARE(v.apply2Enabled, secondTax);
        QCOMPARE(v.apply2Caption, caption2);
        // A click on a disabled box cannot bring in a tax the settings do not apply.
        f.form->setApplyTax(2, true);
        QCOMPARE(f.form->boxes().preAmount, QStringLiteral("$1,000.00"));
        QCOMPARE(f.form->boxes().tax1, QStringLiteral("$75.00"));
        QCOMPARE(f.form->boxes().tax2, tax2);
        QCOMPARE(f.form->boxes().grandTotal, total);
        QVERIFY(v.datePanel);
        f.form->setApplyTax(1, false);
        QCOMPARE(f.form->boxes().tax1, QStringLiteral("$0.00"));
    }

    // The worked example: FP1001 at $1,000.00 with the first tax of 7.5 %, one payment.
    void finalizeWritesTheFourFiles() {
        Fixture f;
        f.enterPrice(QStringLiteral("1000"));
        f.form->choosePlan(FinalizeFieldProposal::Plan::InFull);
        QCOMPARE(f.form->boxes().payment[0], QStringLiteral("$1,075.00"));
        QVERIFY(!f.form->view().secondPayment);
        QVERIFY(!f.form->view().finalizeEnabled);
        f.form->pickDate(0, QDate(2026, 12, 19));
        QVERIFY(f.form->view().finalizeEnabled);
        f.form->boxes().site[0] = QStringLiteral("  Lake House ");
        f.app.prompter.expectMessage(kSaved);
        QVERIFY(f.form->finalize());
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));

        QCOMPARE(
            f.app.read(QStringLiteral("TolvarProposals/1001.txt")),
            QByteArray("\"1001\",1075,#2026-11-20#,\"ACC-7\"\r\n\"Jane Doe\"\r\n\"12 Oak St\"\r\n"
                       "\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n\"555-1234\"\r\n"
                       "\"Lake House\"\r\n\"12 Oak St\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n"
                       "\"62701\"\r\n\"555-1234\"\r\n"));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/ProposalBody/1001.txt")),
                 QByteArray("Replace roof\r\nand gutters\r\n"));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt")),
                 QByteArray("$1,075.00\r\n 1 \r\n$1,075.00\r\n12/19/2026\r\n"));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt")),
                 QByteArray("$1,000.00\r\n$1,075.00\r\n$75.00\r\n$0.00\r\n"));
        QVERIFY(!f.form->view().datePanel);

        QVERIFY(f.form->activate());
        QVERIFY(f.form->proposals().isEmpty());
    }

    void twoPayments_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("addsUp");
        QTest::newRow("short of the total")
            << QStringLiteral("500") << QStringLiteral("500") << false;
        QTest::newRow("exact") << QStringLiteral("500") << QStringLiteral("575") << true;
    }
    void twoPayments() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, addsUp);
        Fixture f;
        f.enterPrice(QStringLiteral("1000"));
        f.form->choosePlan(FinalizeFieldProposal::Plan::TwoPayments);
        QVERIFY(f.form->view().secondPayment);
        QVERIFY(f.form->view().twoPaymentsPanel);
        QCOMPARE(f.form->takeFocus(), QStringLiteral("txtPayment(0)"));
        f.form->boxes().payment[0] = first;
        QVERIFY(f.form->leavePayment(0));
        f.form->boxes().payment[1] = second;
        if (!addsUp) {
            f.app.prompter.expectMessage(kMismatch);
        }
        QCOMPARE(f.form->leavePayment(1), addsUp);
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        if (!addsUp) {
            QCOMPARE(f.form->boxes().payment[0], QStringLiteral("$0.00"));
            QCOMPARE(f.form->boxes().payment[1], QStringLiteral("$0.00"));
            QCOMPARE(f.form->takeFocus(), QStringLiteral("txtPayment(0)"));
            return;
        }
        QCOMPARE(f.form->takeFocus(), QStringLiteral("dtDatePicker(0)"));
        f.form->pickDate(0, QDate(2026, 12, 10));
        f.form->pickDate(1, QDate(2027, 1, 10));
        QVERIFY(f.form->view().finalizeEnabled);
        f.app.prompter.expectMessage(kSaved);
        QVERIFY(f.form->finalize());
        QCOMPARE(
            f.app.read(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt")),
            QByteArray("$1,075.00\r\n 2 \r\n$500.00\r\n12/10/2026\r\n$575.00\r\n1/10/2027\r\n"));
    }

    // Payment 1 changed after the sum was checked is caught before writing.
    void changedFirstPaymentIsCaughtAtFinalize() {
        Fixture f;
        f.enterPrice(QStringLiteral("1000"));
        f.form->choosePlan(FinalizeFieldProposal::Plan::TwoPayments);
        f.form->boxes().payment = {QStringLiteral("500"), QStringLiteral("575")};
        QVERIFY(f.form->leavePayment(0));
        QVERIFY(f.form->leavePayment(1));
        f.form->boxes().payment[0] = QStringLiteral("400");
        QVERIFY(f.form->leavePayment(0));
        f.form->pickDate(1, QDate(2027, 1, 10));
        f.app.prompter.expectMessage(kMismatch);
        QVERIFY(!f.form->finalize());
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QVERIFY(f.app.read(QStringLiteral("TolvarProposals/1001.txt")) == kFieldHeader);
        QVERIFY(!f.app.exists(QStringLiteral("TolvarProposals/ProposalPayments/1001.txt")));
    }

    void planNeedsAPrice() {
        Fixture f;
        QVERIFY(f.form->activate());
        QVERIFY(f.form->pick(0));
        f.form->continueToDetails();
        f.form->takeFocus();
        f.form->choosePlan(FinalizeFieldProposal::Plan::InFull);
        QCOMPARE(f.form->plan(), FinalizeFieldProposal::Plan::None);
        QCOMPARE(f.form->takeFocus(), QStringLiteral("txtpreAmount"));
    }

    void leavingAnEmptyPrice_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("answer");
        QTest::newRow("empty, exit") << QString() << int(Answer::Yes);
        QTest::newRow("pasted text, stay") << QStringLiteral("abc") << int(Answer::No);
    }
    void leavingAnEmptyPrice() {
        QFETCH(QString, price);
        QFETCH(int, answer);
        Fixture f;
        QVERIFY(f.form->activate());
        QVERIFY(f.form->pick(0));
        f.form->continueToDetails();
        f.form->takeFocus();
        f.form->boxes().preAmount = price;
        f.app.prompter.expectQuestion(kExitQuestion, QStringLiteral("Exit Posting"), Buttons::YesNo,
                                      Answer(answer));
        const auto left = f.form->leavePreAmount();
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        if (Answer(answer) == Answer::Yes) {
            QCOMPARE(left, FinalizeFieldProposal::PriceLeft::LeftEmpty);
            QCOMPARE(f.form->boxes().preAmount, QStringLiteral("@"));
            QVERIFY(!f.form->view().detailsFrame);
            // Leaving it once more does not ask again.
            QCOMPARE(f.form->leavePreAmount(), FinalizeFieldProposal::PriceLeft::LeftEmpty);
        } else {
            QCOMPARE(left, FinalizeFieldProposal::PriceLeft::StayInBox);
            QCOMPARE(f.form->takeFocus(), QStringLiteral("txtpreAmount"));
            QVERIFY(f.form->view().detailsFrame);
        }
        QVERIFY(!f.form->view().finalizeEnabled);
        QVERIFY(!f.app.exists(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt")));
    }

    // A file that cannot be written is shown, and the header keeps its FP mark
    // so the proposal can be finalized again.
    void writeFailureKeepsTheFieldProposal() {
        Fixture f;
        f.app.mkdir(QStringLiteral("TolvarProposals/ProposalFinancials/1001.txt"));
        const IoStatus expected = f.app.ctx->store().OpenForOutput(
            QStringLiteral("\\TolvarProposals\\ProposalFinancials\\1001.txt"), "x");
        QVERIFY(!expected);
        f.enterPrice(QStringLiteral("1000"));
        f.form->choosePlan(FinalizeFieldProposal::Plan::InFull);
        f.form->pickDate(0, QDate(2026, 12, 19));
        f.app.prompter.expectMessage(expected.message());
        QVERIFY(!f.form->finalize());
        QVERIFY2(f.app.prompter.done(), qPrintable(f.app.prompter.report()));
        QCOMPARE(f.app.read(QStringLiteral("TolvarProposals/1001.txt")), kFieldHeader);
        QVERIFY(f.form->activate());
        QCOMPARE(f.form->proposals().size(), 1);
    }

    void reselectClearsTheDetails() {
        Fixture f;
        f.enterPrice(QStringLiteral("250"));
        f.form->reselect();
        QCOMPARE(f.form->boxes().preAmount, QStringLiteral("$0.00"));
        QCOMPARE(f.form->boxes().grandTotal, QStringLiteral("$0.00"));
        QCOMPARE(f.form->boxes().tax1, QStringLiteral("$0.00"));
        QVERIFY(f.form->boxes().body.isEmpty());
        QVERIFY(!f.form->view().detailsFrame);
    }
};

TOLVAR_TEST(TestFinalize)
#include "test_finalize.moc"
