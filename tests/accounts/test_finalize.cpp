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
};

F::Plan planNamed(const QString& name) {
    return F::Plan(CaseFile::named<int>(name, {"None", "InFull", "TwoPayments"}) - 1);
}
}  // namespace

class TestFinalize : public QObject {
    Q_OBJECT
private slots:
    void scenarios_data() { CaseFile::scenarios("accounts/finalize.txt"); }
    void scenarios() {
        using CaseFile::Args;
        Scenario<Fixture> s;
        std::unique_ptr<Fixture>& f = s.f;
        const auto form = [&] { return f->form.get(); };
        const auto v = [&]() -> const F::View& { return f->form->view(); };
        const auto box = [](const QString& name) {
            return CaseFile::named<F::AmountBox>(name, {"PreAmount", "Payment1", "Payment2"});
        };
        const QStringList focus{"None", "Body", "PreAmount", "Payment1", "FirstDate"};
        const QStringList left{"Accepted", "LeftEmpty", "StayInBox"};
        CaseFile::Actions actions{
            {"open", [&](Args a) { f = std::make_unique<Fixture>(a[0] == "1", a[1]); }},
            {"editSite", [&](Args a) { form()->editSite(a[0].toInt(), a[1]); }},
            {"body", [&](Args a) { form()->editBody(a[0]); }},
            {"type", [&](Args a) { form()->startTyping(box(a[0])); }},
            {"amount", [&](Args a) { form()->editAmount(box(a[0]), a[1]); }},
            {"applyTax", [&](Args a) { form()->setApplyTax(a[0].toInt(), a[1] == "1"); }},
            {"plan", [&](Args a) { form()->choosePlan(planNamed(a[0])); }},
            {"date", [&](Args a) {
                 form()->pickDate(a[0].toInt(), QDate::fromString(a[1], Qt::ISODate),
                                  a.value(2) == "1");
             }}};
        const QMap<QString, bool F::View::*> flags{{"accountFrame", &F::View::accountFrame},
                                                   {"detailsFrame", &F::View::detailsFrame},
                                                   {"apply2Enabled", &F::View::apply2Enabled},
                                                   {"datePanel", &F::View::datePanel},
                                                   {"acceptPrompt", &F::View::acceptPrompt},
                                                   {"secondPayment", &F::View::secondPayment},
                                                   {"twoPaymentsPanel", &F::View::twoPaymentsPanel},
                                                   {"finalizeEnabled", &F::View::finalizeEnabled}};
        CaseFile::Results results{
            {"activate", [&](Args) { return yes(form()->activate()); }},
            {"pick", [&](Args a) { return yes(form()->pick(a[0].toInt())); }},
            {"press",
             [&](Args a) {
                 return yes(form()->press(CaseFile::named<F::Button>(
                     a[0], {"Menu", "Reselect", "Continue", "CopyToSite", "ClearSite"})));
             }},
            {"price",
             [&](Args a) {
                 return left.at(int(f->enterPrice(a[0], a.value(1, "Roof\nGutters"))));
             }},
            {"leavePrice", [&](Args) { return left.at(int(form()->leavePreAmount())); }},
            {"leavePayment", [&](Args a) { return yes(form()->leavePayment(a[0].toInt())); }},
            {"finalize", [&](Args) { return yes(form()->finalize()); }},
            {"focus", [&](Args) { return focus.at(int(form()->takeFocus())); }},
            {"flag", [&](Args a) { return yes(v().*flags.value(a[0])); }},
            {"rows", [&](Args) { return CaseFile::joined(v().rows, rowText); }},
            {"customer", [&](Args a) { return v().customer.value(a[0].toInt()); }},
            {"site", [&](Args) { return v().site.join(u'|'); }},
            {"siteIsCustomer", [&](Args) { return yes(v().site == v().customer); }},
            {"captions", [&](Args) { return v().apply1Caption + u'|' + v().apply2Caption; }},
            {"preAmount", [&](Args) { return v().preAmount; }},
            {"boxes",
             [&](Args) {
                 return QStringList{v().tax1, v().tax2, v().grandTotal}.join(u'|');
             }},
            {"payments", [&](Args) { return v().payment[0] + u'|' + v().payment[1]; }},
            {"dateOf", [&](Args a) { return v().date[a[0].toInt()].toString(Qt::ISODate); }},
        };
        s.addTo(actions, results);
        CaseFile::run(actions, results);
    }
};

TOLVAR_TEST(TestFinalize)
#include "test_finalize.moc"
