#include "print/recordingdevice.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalwriter.h"
#include "proposals/terms.h"
#include "proposalsfixture.h"
#include "recordingpreview.h"
#include "settings/settings.h"
#include "shell/filestore.h"
#include "testmain.h"

#include <QTest>

#include <functional>

using W = ProposalWriter;

namespace {

CustomerBlock smithRoofing() {
    CustomerBlock c;
    c.account = QStringLiteral("SMITH01");
    c.lines = QStringList{"Smith Roofing", "12 Elm St",   "", "Springfield", "IL", "62701",
                          "555-201-3344",  "555-999-0000"};
    return c;
}

const QList<QByteArray> kStored{golden("writer_header.txt"), golden("writer_body.txt"),
                                golden("payments_one.txt"), golden("financials.txt")};

// The writer for Smith Roofing, with a first tax the settings apply.
struct WriterApp : ScriptApp {
    std::unique_ptr<W> writer;

    WriterApp() {
        ctx->settings().taxRate1 = QStringLiteral("7.5");
        ctx->settings().applyTax1 = true;
        writer = std::make_unique<W>(*ctx);
        writer->load(QString());
        writer->activate(smithRoofing());
    }

    // A body by hand with one item: 5 gutter guards at $12.50.
    void writeBody() {
        writer->press(W::StepButton::NextToBody);
        writer->chooseCreation(W::Creation::Manual);
        writer->addHeader();
        writer->typeBody(writer->view().body + QStringLiteral("new gutters."));
        writer->setItemBox(W::ItemField::Description, QStringLiteral("Gutter guard"));
        writer->setItemBox(W::ItemField::Price, QStringLiteral("$12.50"));
        writer->setItemBox(W::ItemField::Quantity, QStringLiteral("5"));
        writer->press(W::ItemButton::Add);
        writer->press(W::StepButton::NextToPricing);
    }
    // $1,000.00 and its tax, in full on 1/15/2027, ready to print.
    void priceInFull() {
        writeBody();
        Pricing& p = writer->pricing();
        p.leavePreAmount(QStringLiteral("1000"));
        p.setTaxApplied(Pricing::Tax::First, true);
        p.chooseOption(Pricing::Option::InFull);
        p.pickDate(QDate(2027, 1, 15));
        writer->press(W::StepButton::NextToFinalize);
        writer->readyToPrint();
    }

    // The writer's own steps of writer_scripts.txt; false for a step of
    // another kind.
    bool screenStep(const QStringList& a) override {
        W& pw = *writer;
        const QString arg = a.value(1);
        const int n = arg.toInt();
        const QString t1 = QString::fromUtf8(CaseUnescaped(arg.toUtf8()));
        const QString t2 = QString::fromUtf8(CaseUnescaped(a.value(2).toUtf8()));
        const Steps steps{
            {"jobSite", [&] { pw.toggleJobSite(); }},
            {"siteLine", [&] { pw.setSiteLine(n, t2); }},
            {"step", [&] { pw.press(W::StepButton(n)); }},
            {"tax", [&] { pw.press(W::TaxButton(n)); }},
            {"item", [&] { pw.press(W::ItemButton(n)); }},
            {"write", [&] { QCOMPARE(int(pw.press(W::WriteButton(n))), t2.toInt()); }},
            {"bodyFocused", [&] { pw.bodyFocused(); }},
            {"creation", [&] { pw.chooseCreation(W::Creation(n)); }},
            {"creationCheck", [&] { QCOMPARE(pw.creationCheck(), arg == "yes"); }},
            {"taxStatement", [&] { pw.setTaxStatement(t1); }},
            {"addTerms", [&] { pw.addTerms(); }},
            {"typeBody", [&] { pw.typeBody(t1); }},
            {"writeBody", [&] { writeBody(); }},
            {"activate", [&] { pw.activate(smithRoofing()); }},
            {"cancelTemplates", [&] { pw.cancelTemplates(); }},
            {"loadTemplate", [&] { pw.loadTemplate(t1); }},
            {"deleteTemplate", [&] { pw.deleteTemplate(t1); }},
            {"saveTemplate", [&] { QCOMPARE(int(pw.saveTemplate()), n); }},
            {"itemsFrame", [&] { pw.toggleItemsFrame(); }},
            {"chooseItem", [&] { pw.chooseItem(t1); }},
            {"itemBox", [&] { pw.setItemBox(W::ItemField(n), t2); }},
            {"leavePrice", [&] { pw.leaveItemPrice(); }},
            {"load", [&] { pw.load(t1); }},
            {"days", [&] { pw.chooseDays(t1); }},
            {"disclaimer", [&] { pw.chooseDisclaimer(arg == "generic"); }},
            {"size", [&] { pw.setPrintSize(W::PrintSize(n)); }},
            {"preAmount", [&] { pw.pricing().leavePreAmount(t1); }},
            {"focus", [&] { QCOMPARE(focusName(pw.takeFocus()), t1); }},
            {"priceInFull", [&] { priceInFull(); }},
            {"print", [&] { QCOMPARE(int(pw.printAndRecord(target)), n); }},
            {"pdf",
             [&] {
                 mkdir(QStringLiteral("out"));
                 QCOMPARE(int(pw.saveAsPdfAndRecord()), n);
             }},
            {"preview", [&] { pw.preview(); }},
            {"stored",
             [&] {
                 QCOMPARE(storedFiles(*this),
                          arg == "yes" ? kStored : QList<QByteArray>(4, "(none)"));
             }},
            {"bodyEnds",
             [&] { QVERIFY2(pw.view().body.endsWith(t1), qPrintable(pw.view().body)); }},
            {"view", [&] {
                 const QString want = QString(t2).replace("<generic>", Terms::GenericTerms());
                 QVERIFY2(shown().contains(arg), qPrintable(arg));
                 QCOMPARE(shown().value(arg), want);
             }}};
        return take(steps, a);
    }

    // What the writer shows, its pricing step and its print job, by name.
    QMap<QString, QString> shown() {
        const W::View v = writer->view();
        const ItemBoxes& i = v.itemBoxes;
        const TermsOptions& t = v.terms;
        const ProposalPrintInput in = writer->printInput();
        const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
        return {
            {"step", QStringLiteral("%1;%2;%3")
                         .arg(int(v.step))
                         .arg(v.instructions)
                         .arg(yes(v.changeCustomer))},
            {"site", v.site.join(u';')},
            {"instructions", QString::number(v.instructions)},
            {"body", v.body},
            {"creation", QString::number(int(v.creation))},
            {"templateOption", yes(v.templateOption)},
            {"templatesFrame", yes(v.templatesFrame)},
            {"templates", v.templates.join(u';')},
            {"deleteTemplate", yes(v.deleteTemplate)},
            {"saveTemplate", yes(v.saveTemplate)},
            {"terms", QStringLiteral("%1;%2;%3;%4")
                          .arg(int(t.selected))
                          .arg(yes(t.genericEnabled), yes(t.customEnabled), yes(t.addEnabled))},
            {"taxStatement", v.taxStatement},
            {"itemsMenu", yes(v.itemsMenu)},
            {"itemsFrame", yes(v.itemsFrame)},
            {"itemBoxes", QStringList{i.description, i.price, i.quantity, i.category}.join(u';')},
            {"addNewFrame", yes(v.addNewFrame)},
            {"genericDisclaimer", yes(v.genericDisclaimer)},
            {"copiesCaption", v.copiesCaption},
            {"payments", QString::number(writer->pricing().view().schedule.count)},
            {"taxItems", yes(writer->pricing().view().taxItemsEnabled)},
            {"printDays", in.days},
            {"printDisclaimer", in.customDisclaimer.value_or(QStringLiteral("-"))},
            {"printCopies", QString::number(in.copies)},
            {"printSize", QString::number(in.bodyTextSize)},
            {"printOption", QString::number(in.paymentOption)}};
    }
};

}  // namespace

class TestWriter : public QObject {
    Q_OBJECT
private slots:
    // Printing, the tools of the body step, templates, items and the print
    // choices, each a script of steps and checks.
    void scripts_data() { loadScripts(QStringLiteral("writer_scripts.txt")); }
    void scripts() {
        WriterApp w;
        w.runScript();
    }

    // The account and the eight lines the writer takes from a customer.
    void customerBlock_data() { cases::load(QStringLiteral("proposals/writer_customers.txt")); }
    void customerBlock() {
        const cases::Row c = cases::row();
        CustomerRecord r = smithRecord();
        r.AccountType = c.text(0);
        r.MiddleInitial = QStringLiteral("Q");
        r.ZipOrAddress4 = c.text(2);
        r.CellPhone = QStringLiteral("207-555-0199");
        const CustomerBlock b = CustomerBlock::fromRecord(r, c.yes(1));
        QCOMPARE(b.account, QStringLiteral("ACC-7"));
        QCOMPARE(b.lines, c.list(3));
    }
};

TOLVAR_TEST(TestWriter)
#include "test_writer.moc"
