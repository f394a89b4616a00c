#include "proposals/bodybuilder.h"
#include "proposals/fieldproposal.h"
#include "proposals/itemfiles.h"
#include "proposals/items.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalreport.h"
#include "proposals/proposalstore.h"
#include "proposals/proposalwriter.h"
#include "proposals/templates.h"
#include "proposals/terms.h"
#include "proposalsfixture.h"
#include "settings/settings.h"
#include "shell/filestore.h"

#include <QDir>

using W = ProposalWriter;
using R = ProposalReport;

namespace {

// The terms choice and which of its buttons are on, as the scripts write them.
QString termsText(const TermsOptions& o) {
    return QStringList{QString::number(o.selected), yes(o.genericEnabled), yes(o.customEnabled),
                       yes(o.addEnabled)}
        .join(u';');
}

QList<Money> cents(const QString& list) {
    QList<Money> out;
    for (const QString& c : list.split(u';', Qt::SkipEmptyParts)) {
        out << Money::fromCents(c.toLongLong());
    }
    return out;
}

// The inventory and custom items of an application folder.
struct ItemsApp : ScriptApp {
    ItemCatalog catalog;

    // The steps of item_scripts.txt.
    ItemsApp() : ScriptApp(false) {
        steps.insert(Steps{
            {"loadItems", [this] { catalog.LoadItems(*ctx); }},
            {"itemsExist", [this] { QCOMPARE(catalog.itemsExist(), arg == "yes"); }},
            {"unsorted", [this] { QCOMPARE(catalog.unsorted().join(u';'), arg); }},
            {"sorted", [this] { QCOMPARE(catalog.sorted().join(u';'), arg); }},
            {"categories", [this] { QCOMPARE(catalog.categories().join(u';'), arg); }},
            {"prices", [this] { QCOMPARE(catalog.prices(), cents(arg)); }},
            {"priceOf",
             [this] { QCOMPARE(catalog.priceOf(t1), std::optional<Money>(cents(t2).value(0))); }},
            {"noPriceOf", [this] { QCOMPARE(catalog.priceOf(t1), std::nullopt); }},
            {"partial",
             [this] {
                 QCOMPARE(ItemFiles::readInventory(ctx->store()).partialRecord, arg == "yes");
             }},
            {"saveNew",
             [this] { QCOMPARE(SaveNewItem(*ctx, t1, t2, text(3)), a.value(4) == "yes"); }},
            {"append", [this] {
                 QCOMPARE(ItemFiles::appendInventory(ctx->store(), t1, "", Money()).reason(), t2);
             }}});
    }
};

// Every entry below the application folder, folders included.
QStringList entries(const TempApp& app) {
    QStringList out;
    for (const QString& d :
         {QString(), QStringLiteral("Templates"), QStringLiteral("Templates/Proposals")}) {
        for (const QString& e :
             QDir(app.path(d)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            out << d + QLatin1Char('/') + e;
        }
    }
    return out;
}

// The templates and custom texts of an application folder without the
// proposal folders.
struct TemplatesApp : ScriptApp {
    BodyBuilder body{Terms::GenericTerms()};
    const QString terms = Terms::customTermsPath();

    // The steps of template_scripts.txt for templates and custom terms.
    TemplatesApp() : ScriptApp(false) {
        steps.insert(Steps{
            {"body", [this] { body.setText(cell(1)); }},
            {"save", [this] { QCOMPARE(int(Templates(*ctx).save(body)), n); }},
            {"deleteTemplate", [this] { QCOMPARE(Templates(*ctx).remove(arg), t2 == "yes"); }},
            {"templates", [this] { QCOMPARE(Templates(*ctx).list().join(u';'), arg); }},
            {"available", [this] { QCOMPARE(Templates(*ctx).available(), arg == "yes"); }},
            {"loadTemplate", [this] { QCOMPARE(Templates(*ctx).load(arg).value_or("-"), t2); }},
            {"entries", [this] { QCOMPARE(entries(*this).join(u';'), arg); }},
            {"loadCustom",
             [this] {
                 QCOMPARE(Terms::loadCustomText(ctx->store(), terms).value.value_or("-"), arg);
             }},
            {"saveCustom", [this] { QVERIFY(Terms::saveCustomText(ctx->store(), terms, t1)); }},
            {"deleteCustom", [this] { QVERIFY(Terms::deleteCustomText(ctx->store(), terms)); }},
            // The steps of body_scripts.txt over the body box alone.
            {"item",
             [this] {
                 body.addItemLine(ItemLine::build(cell(1), cell(2), cell(3)));
                 QCOMPARE(ItemLine::build(cell(1), cell(2), cell(3)).text, cell(4));
             }},
            {"extension", [this] { QCOMPARE(body.lastItemExtension(), Money::fromCents(n)); }},
            {"text", [this] { QCOMPARE(body.text(), cell(1)); }},
            {"resetTerms", [this] { body.resetTermsOptions(arg == "yes"); }},
            {"selectTerms", [this] { body.selectTerms(TermsOptions::Choice(n)); }},
            {"addTerms",
             [this] {
                 const auto text = arg == "-" ? std::nullopt : std::optional<QString>(t1);
                 QCOMPARE(body.addTerms(text), t2 == "yes");
             }},
            {"options", [this] { QCOMPARE(termsText(body.termsOptions()), arg); }},
            {"addHeader", [this] { body.addHeader(); }},
            {"headerEnabled", [this] { QCOMPARE(body.headerEnabled(), arg == "yes"); }},
            {"clear", [this] { body.clear(false); }},
            {"customAdded", [this] { QCOMPARE(body.customTermsAdded(), arg == "yes"); }},
            {"taxStatement", [this] { body.addTaxStatement(cell(1)); }}});
    }

    // Argument `i` of the step, unquoted, its escapes read and the generic terms and the default
    // tax statement put in for <generic> and <default>.
    QString cell(int i) const {
        return QString::fromUtf8(cases::decode(cases::unquoted(a.value(i).toUtf8())))
            .replace("<generic>", Terms::GenericTerms())
            .replace("<default>", BodyText::defaultTaxStatement());
    }
};

// A typed proposal, a field proposal and an invoiced one in the report.
struct ReportApp : ScriptApp {
    R report{*ctx};

    // The report's own steps of report_scripts.txt.
    ReportApp() {
        runScript(blocks(QStringLiteral("report_folder.txt")).value(0).second);
        steps.insert(Steps{
            {"fill", [this] { QCOMPARE(report.fill(), arg == "yes"); }},
            {"click",
             [this] { QCOMPARE(int(report.click(n, a.value(2).toInt())), a.value(3).toInt()); }},
            {"delete", [this] { QCOMPARE(report.deleteSelected(), arg == "yes"); }},
            {"closeDetails", [this] { report.closeDetails(); }},
            {"rows", [this] { QCOMPARE(int(report.rows().size()), n); }},
            {"grid", [this] { QCOMPARE(report.rows().at(n).cells().join(u';'), t2); }},
            {"fieldProposal", [this] { QVERIFY(report.rows().at(n).isFieldProposal()); }},
            {"marks", [this] { QCOMPARE(marks(), arg); }},
            {"selected", [this] { QCOMPARE(report.selectedCount(), n); }},
            {"details", [this] { QCOMPARE(report.detailsShown(), arg == "yes"); }},
            {"body", [this] { QCOMPARE(report.details().body, t1); }},
            {"schedule", [this] { QCOMPARE(schedule(), arg); }},
            {"noData", [this] { QCOMPARE(report.details().noPaymentData, arg == "yes"); }}});
    }

    // x for a row marked, - for one not.
    QString marks() const {
        QString out;
        for (const ProposalReportRow& r : report.rows()) {
            out += r.cells().first() == R::selectionMark() ? QLatin1Char('x') : QLatin1Char('-');
        }
        return out;
    }
    // The details' amount and count, then each payment's amount and date.
    QString schedule() const {
        const ProposalReportDetails& d = report.details();
        QStringList out{d.proposedAmount, d.paymentCount};
        for (const ReportPayment& p : d.payments) {
            out << p.amount << p.dueDate;
        }
        return out.join(u';');
    }
};

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

// The store of proposal 1001 over the files of an earlier one.
struct StoreApp : ScriptApp {
    // The store's own steps of store_scripts.txt.
    StoreApp() {
        steps.insert(Steps{
            {"old",
             [this] {
                 for (qsizetype i = n; i < kFour.size(); ++i) {
                     write(kFour[i], "old\r\n");
                 }
             }},
            {"store", [this] { status(ProposalStore::store(ctx->store(), kFile, smith())); }},
            {"storeField",
             [this] {
                 ProposalContents field;
                 field.header = smith().header;
                 status(ProposalStore::store(ctx->store(), kFile, field));
             }},
            {"removeProposal", [this] { status(ProposalStore::remove(ctx->store(), kFile)); }},
            {"block",
             [this] {
                 QFile::remove(path(kFour[n]));
                 mkdir(kFour[n] + QStringLiteral("/x"));  // a folder in the file's way
             }},
            {"unblock", [this] { QVERIFY(QDir(path(kFour[n])).removeRecursively()); }},
            {"files", [this] { QCOMPARE(storedFiles(*this), filesOf(arg)); }},
            {"finish", [this] { QVERIFY(ProposalStore::finishInterrupted(ctx->store())); }},
            {"counterLoads",
             [this] {
                 const ProposalCounter::Loaded l = ProposalCounter::load(ctx->store());
                 QVERIFY(l.status.ok());
                 QCOMPARE(l.number, n);
             }},
            {"advance", [this] { QVERIFY(ProposalCounter::advanceCurrent(*ctx)); }},
            {"numberLeft", [this] { QCOMPARE(ProposalCounter::numberLeft(*ctx), arg == "yes"); }},
            {"taken",
             [this] { QCOMPARE(ProposalCounter::isTaken(*ctx, n), a.value(2) == "yes"); }}});
    }

    // "ok", or the file that the operation names as failed.
    void status(const IoStatus& s) const {
        QVERIFY2(arg == "ok" ? s.ok() : s.file() == path(arg), qPrintable(s.message()));
    }

    // The four files as "smith" (the stored proposal's), "none" or bytes.
    static QList<QByteArray> filesOf(const QString& list) {
        QList<QByteArray> out;
        for (const QString& f : list.split(u';')) {
            out << (f == "smith"  ? kSmithFiles.at(out.size())
                    : f == "none" ? QByteArray("(none)")
                                  : cases::decode(f.toUtf8()));
        }
        return out;
    }
};

FieldCustomer johnSmith() {
    return FieldCustomer::fromRecord(smithRecord(), true);
}

// The field proposal screen for John Smith, with the business of the sample.
struct FieldApp : ScriptApp {
    FieldProposal screen{*ctx};

    // The screen's own steps of field_scripts.txt.
    FieldApp() {
        ctx->vars().BusinessData = sampleProposal().business.fields;
        ctx->vars().Copies = 3;
        screen.load(QString());
        screen.activate(johnSmith());
        steps.insert(Steps{{"sketch", [this] { screen.setSketch(arg == "yes"); }},
                           {"sketchCount", [this] { screen.chooseSketchCount(n); }},
                           {"print", [this] { QCOMPARE(int(screen.print(target)), n); }},
                           {"pdf", [this] { QCOMPARE(int(screen.saveAsPdf()), n); }},
                           {"preview", [this] { screen.preview(); }},
                           {"load", [this] { screen.load(arg); }},
                           {"disclaimer", [this] { screen.chooseDisclaimer(arg == "generic"); }},
                           {"days", [this] { screen.chooseDays(arg); }},
                           {"activate", [this] { screen.activate(johnSmith()); }},
                           {"view", [this] {
                                const FieldProposal::View v = screen.view();
                                QCOMPARE((QStringList{v.nextNumber, yes(v.genericDisclaimer),
                                                      yes(v.customDisclaimer), v.days,
                                                      yes(v.sketch), QString::number(v.sketchCount)}
                                              .join(u';')),
                                         arg);
                            }}});
    }
};

// The writer's customer, a business of tests/data/customers/records.txt.
CustomerBlock smithRoofing() {
    return CustomerBlock::fromRecord(recordNamed(QStringLiteral("roofing")), true);
}

const QList<QByteArray> kStored{golden("writer_header.txt"), golden("writer_body.txt"),
                                golden("payments_one.txt"), golden("financials.txt")};

// The writer for Smith Roofing, with a first tax the settings apply.
struct WriterApp : ScriptApp {
    std::unique_ptr<W> writer;

    // The writer's own steps of writer_scripts.txt.
    WriterApp() {
        ctx->settings().taxRate1 = QStringLiteral("7.5");
        ctx->settings().applyTax1 = true;
        writer = std::make_unique<W>(*ctx);
        writer->load(QString());
        writer->activate(smithRoofing());
        steps.insert(Steps{
            {"jobSite", [this] { writer->toggleJobSite(); }},
            {"siteLine", [this] { writer->setSiteLine(n, t2); }},
            {"step", [this] { writer->press(W::StepButton(n)); }},
            {"tax", [this] { writer->press(W::TaxButton(n)); }},
            {"item", [this] { writer->press(W::ItemButton(n)); }},
            {"write", [this] { QCOMPARE(int(writer->press(W::WriteButton(n))), t2.toInt()); }},
            {"bodyFocused", [this] { writer->bodyFocused(); }},
            {"creation", [this] { writer->chooseCreation(W::Creation(n)); }},
            {"creationCheck", [this] { QCOMPARE(writer->creationCheck(), arg == "yes"); }},
            {"taxStatement", [this] { writer->setTaxStatement(t1); }},
            {"addTerms", [this] { writer->addTerms(); }},
            {"typeBody", [this] { writer->typeBody(t1); }},
            {"addHeader", [this] { writer->addHeader(); }},
            {"appendBody", [this] { writer->typeBody(writer->view().body + t1); }},
            {"activate", [this] { writer->activate(smithRoofing()); }},
            {"cancelTemplates", [this] { writer->cancelTemplates(); }},
            {"loadTemplate", [this] { writer->loadTemplate(t1); }},
            {"deleteTemplate", [this] { writer->deleteTemplate(t1); }},
            {"saveTemplate", [this] { QCOMPARE(int(writer->saveTemplate()), n); }},
            {"itemsFrame", [this] { writer->toggleItemsFrame(); }},
            {"chooseItem", [this] { writer->chooseItem(t1); }},
            {"itemBox", [this] { writer->setItemBox(W::ItemField(n), t2); }},
            {"leavePrice", [this] { writer->leaveItemPrice(); }},
            {"load", [this] { writer->load(t1); }},
            {"days", [this] { writer->chooseDays(t1); }},
            {"disclaimer", [this] { writer->chooseDisclaimer(arg == "generic"); }},
            {"size", [this] { writer->setPrintSize(W::PrintSize(n)); }},
            {"preAmount", [this] { writer->pricing().leavePreAmount(t1); }},
            {"focus", [this] { QCOMPARE(focusName(writer->takeFocus()), t1); }},
            {"applyTax", [this] { writer->pricing().setTaxApplied(Pricing::Tax(n), true); }},
            {"payOption", [this] { writer->pricing().chooseOption(Pricing::Option(n)); }},
            {"pickDate",
             [this] { writer->pricing().pickDate(QDate::fromString(arg, Qt::ISODate)); }},
            {"readyToPrint", [this] { writer->readyToPrint(); }},
            {"do",
             [this] {
                 for (const auto& [name, lines] : blocks(QStringLiteral("writer_steps.txt"))) {
                     if (name == arg) {
                         return runScript(lines);
                     }
                 }
                 QFAIL(qPrintable("no step block " + arg));
             }},
            {"print", [this] { QCOMPARE(int(writer->printAndRecord(target)), n); }},
            {"pdf", [this] { QCOMPARE(int(writer->saveAsPdfAndRecord()), n); }},
            {"preview", [this] { writer->preview(); }},
            {"stored",
             [this] {
                 QCOMPARE(storedFiles(*this),
                          arg == "yes" ? kStored : QList<QByteArray>(4, "(none)"));
             }},
            {"bodyEnds",
             [this] {
                 QVERIFY2(writer->view().body.endsWith(t1), qPrintable(writer->view().body));
             }},
            {"view", [this] {
                 const QString want = QString(t2).replace("<generic>", Terms::GenericTerms());
                 QVERIFY2(shown().contains(arg), qPrintable(arg));
                 QCOMPARE(shown().value(arg), want);
             }}});
    }

    // What the writer shows, its pricing step and its print job, by name.
    QMap<QString, QString> shown() {
        const W::View v = writer->view();
        const ItemBoxes& i = v.itemBoxes;
        const ProposalPrintInput in = writer->printInput();
        return {
            {"step",
             QStringLiteral("%1;%2;").arg(int(v.step)).arg(v.instructions) + yes(v.changeCustomer)},
            {"site", v.site.join(u';')},
            {"instructions", QString::number(v.instructions)},
            {"body", v.body},
            {"creation", QString::number(int(v.creation))},
            {"templateOption", yes(v.templateOption)},
            {"templatesFrame", yes(v.templatesFrame)},
            {"templates", v.templates.join(u';')},
            {"deleteTemplate", yes(v.deleteTemplate)},
            {"saveTemplate", yes(v.saveTemplate)},
            {"terms", termsText(v.terms)},
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

class TestScripts : public QObject {
    Q_OBJECT
private slots:
    // The catalog, hostile files, a new item saved, a torn file.
    void items_data() { loadScripts(QStringLiteral("item_scripts.txt")); }
    void items() { ItemsApp().runScript(); }

    // Saving, refused names, deleting, loading and listing, custom terms
    // through the store.
    void templates_data() { loadScripts(QStringLiteral("template_scripts.txt")); }
    void templates() { TemplatesApp().runScript(); }

    // Item lines, terms, the tax statement and clearing, in the body box alone.
    void body_data() { loadScripts(QStringLiteral("body_scripts.txt")); }
    void body() { TemplatesApp().runScript(); }

    // Filling, clicking, details and deleting.
    void report_data() { loadScripts(QStringLiteral("report_scripts.txt")); }
    void report() { ReportApp().runScript(); }

    // Storing, a store that fails at each write, leftovers, finishing an
    // interrupted store, removal, the counter.
    void store_data() { loadScripts(QStringLiteral("store_scripts.txt")); }
    void store() { StoreApp().runScript(); }

    // Printing, the preview and PDF, the field screen's choices.
    void field_data() { loadScripts(QStringLiteral("field_scripts.txt")); }
    void field() { FieldApp().runScript(); }

    // Printing, the tools of the body step, templates, items and the print
    // choices of the writer.
    void writer_data() { loadScripts(QStringLiteral("writer_scripts.txt")); }
    void writer() { WriterApp().runScript(); }
};

TOLVAR_TEST(TestScripts)
#include "test_scripts.moc"
