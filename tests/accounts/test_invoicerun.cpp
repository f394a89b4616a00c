#include "accounts/invoicerun.h"

#include "accountstest.h"
#include "print/recordingdevice.h"
#include "settings/settings.h"
#include "tempapp.h"
#include "testmain.h"

#include <QTest>

#include <memory>

namespace {
using Pick = ManagePayments::Pick;
using Run = ManagePayments::Run;
using Option = ManagePayments::PrintOption;

// Fails the first job to start when `offline`, then records.
struct OfflineOnce : RecordingTarget {
    bool offline = false;
    std::unique_ptr<PageDevice> open(const PrintRequest& request) override {
        return std::exchange(offline, false) ? nullptr : RecordingTarget::open(request);
    }
    QString error() const override { return "Printer off-line"; }
};

// Fails the n-th write of the run (from 1) and lists every path asked for;
// copies share the count.
struct FailingWrite {
    int failAt = 0;
    std::shared_ptr<QStringList> paths = std::make_shared<QStringList>();
    IoStatus operator()(FileStore& store, const PlannedWrite& w) {
        paths->append(w.path);
        return int(paths->size()) == failAt ? IoStatus::failure(store.fullPath(w.path), "injected")
                                            : applyWrite(store, w);
    }
};

// The invoice number of each job, in order.
QStringList invoiceNumbers(const RecordingTarget& target) {
    QStringList out;
    for (const auto& job : target.jobs()) {
        out << job->startingWith("INVOICE NO: ").text.mid(12);
    }
    return out;
}

// tests/data/accounts/seed-run: 1001, three payments, the first tax; 1002,
// one payment, two taxes; a field proposal and an invoiced one.
struct Fixture {
    TempApp app;
    OfflineOnce target;
    std::unique_ptr<ManagePayments> screen;

    Fixture() {
        app.ctx->settings().taxHeading1 = "Sales Tax";
        app.ctx->settings().taxHeading2 = "City Tax";
        seed(app, "seed-run");
        restart();
    }

    // The screen made anew, as at the next start of the program.
    void restart() { screen = std::make_unique<ManagePayments>(*app.ctx); }
    int rowOf(const QString& number) const { return ::rowOf(screen->view().rows, number); }
    Pick pick(const QString& number) {
        return screen->activate() ? screen->pick(rowOf(number)) : Pick::Nothing;
    }
    // The print dialog, then `times` pages answered `answer`.
    void print(int times = 1, Answer answer = Answer::Yes, bool dialog = true) {
        if (dialog) {
            app.prompter.expectPrintDialog();
        }
        for (int i = 0; i < times; ++i) {
            expect(app.prompter, "printed?", answer);
        }
    }
};
}  // namespace

class TestInvoiceRun : public QObject {
    Q_OBJECT
private slots:
    void scenarios_data() { CaseFile::scenarios("accounts/invoicerun.txt"); }
    void scenarios() {
        using CaseFile::Args;
        Scenario<Fixture> s;
        std::unique_ptr<Fixture>& f = s.f;
        RecordingTarget preview;
        const auto v = [&]() -> const ManagePayments::View& { return f->screen->view(); };
        const QStringList picks{"Nothing",         "GoToFinalize", "FieldProposal",
                                "AlreadyInvoiced", "Refused",      "Shown"};
        const QStringList options{"AllInvoices", "SingleInvoice"};
        CaseFile::Actions actions{
            {"open", [&](Args) { f = std::make_unique<Fixture>(); }},
            {"restart", [&](Args) { f->restart(); }},
            {"noProposals",
             [&](Args) { QDir(f->app.path("TolvarProposals")).removeRecursively(); }},
            {"printDialog",
             [&](Args a) { f->app.prompter.expectPrintDialog(true, a.value(0, "1").toInt()); }},
            {"pages", [&](Args a) { f->print(a[0].toInt(), CaseFile::answer(a[1]), false); }},
            {"offline", [&](Args) { f->target.offline = true; }},
            {"mono", [&](Args) { f->app.ctx->settings().printInColour = false; }},
            {"international",
             [&](Args) { f->app.ctx->settings().addressStyle = AddressStyle::International; }},
            {"choose", [&](Args a) { f->screen->choose(CaseFile::named<Option>(a[0], options)); }},
            {"tick", [&](Args) { f->screen->tick(); }},
            {"clickWarning", [&](Args) { f->screen->clickWarning(); }},
            {"remittance", [&](Args) { f->screen->setUseRemittance(true); }}};
        const QMap<QString, bool ManagePayments::View::*> flags{
            {"details", &ManagePayments::View::details},
            {"warningShown", &ManagePayments::View::warningShown},
            {"blinking", &ManagePayments::View::blinking},
            {"allInvoicesEnabled", &ManagePayments::View::allInvoicesEnabled},
            {"singleInvoiceEnabled", &ManagePayments::View::singleInvoiceEnabled}};
        CaseFile::Results results{
            {"headings", [&](Args) { return ManagePayments::gridHeadings().join(u'|'); }},
            {"activate", [&](Args) { return yes(f->screen->activate()); }},
            {"pick", [&](Args a) { return picks.at(int(f->pick(a[0]))); }},
            {"select", [&](Args a) { return picks.at(int(f->screen->pick(f->rowOf(a[0])))); }},
            {"pickRow", [&](Args a) { return picks.at(int(f->screen->pick(a[0].toInt()))); }},
            {"print",
             [&](Args) {
                 return QStringList{"NotStarted", "Stopped", "Failed", "Completed"}.at(
                     int(f->screen->print(f->target)));
             }},
            {"preview", [&](Args) { return yes(f->screen->drawInvoices(preview)); }},
            {"previewNumbers", [&](Args) { return invoiceNumbers(preview).join(u'|'); }},
            {"numbers", [&](Args) { return invoiceNumbers(f->target).join(u'|'); }},
            {"jobs", [&](Args) { return QString::number(f->target.jobs().size()); }},
            {"jobPages",
             [&](Args) {
                 return CaseFile::joined(f->target.jobs(), [](const auto& job) {
                     return QStringLiteral("%1 %2")
                         .arg(job->pages)
                         .arg(job->find("INVOICE").size());
                 });
             }},
            {"request",
             [&](Args) {
                 const PrintRequest r = f->app.prompter.printRequests().value(0);
                 return QStringList{yes(r.allowPrintToFile), yes(r.allowPageRange), yes(r.colour)}
                     .join(u'|');
             }},
            {"flag", [&](Args a) { return yes(v().*flags.value(a[0])); }},
            {"rows", [&](Args) { return CaseFile::joined(v().rows, rowText); }},
            {"labels", [&](Args) { return v().labels.join(u'|'); }},
            {"label", [&](Args a) { return v().labels.value(a[0].toInt()); }},
            {"payments",
             [&](Args) {
                 return CaseFile::joined(v().payments, [](const ManagePayments::PaymentLine& l) {
                     return l.date + u';' + l.amount + u';' + QString::number(l.dateInk);
                 });
             }},
            {"warningInk", [&](Args) { return QString::number(v().warningInk); }},
            {"option", [&](Args) { return options.at(int(v().option)); }},
            {"paper", [&](Args) { return v().paperFrame; }},
            {"routine", [&](Args) { return QString::number(f->app.ctx->vars().SelectedRoutine); }},
            {"listed", [&](Args a) { return yes(f->rowOf(a[0]) >= 0); }},
            {"changedFiles", [&](Args) { return s.changedFiles().keys().join(u'|'); }},
            {"goldenStart", [&](Args a) {
                 return yes(s.changedFiles().value(a[0]) == Golden::read(a[1]).left(a[2].toInt()));
             }}};
        s.addTo(actions, results);
        CaseFile::run(actions, results);
    }
    // A run that fails at any one of its writes, or ends there with the
    // program, is completed by the next attempt: printed again only when no
    // page was confirmed, and posting what one run that did not fail posts.
    void everyWriteFailingInTurn_data() {
        QTest::addColumn<int>("failAt");
        // The 18 writes of a run of 1002: its record and the counter (1-4),
        // the confirmed page (5-9), the postings (10-18).
        for (int k = 1; k <= 18; ++k) {
            QTest::addRow("write %d", k) << k;
        }
    }
    void everyWriteFailingInTurn() {
        QFETCH(int, failAt);
        const FailingWrite record;
        Fixture clean;
        clean.screen->setWriteApplier(record);
        QCOMPARE(clean.pick("1002"), Pick::Shown);
        clean.print();
        QCOMPARE(clean.screen->print(clean.target), Run::Completed);
        QCOMPARE(record.paths->size(), 18);

        Fixture f;
        f.screen->setWriteApplier(FailingWrite{failAt});
        QCOMPARE(f.pick("1002"), Pick::Shown);
        f.print(failAt >= 5 ? 1 : 0);
        const QString path = f.app.ctx->store().fullPath(record.paths->at(failAt - 1));
        expect(f.app.prompter, "failed", Answer::Ok,
               {IoStatus::failure(path, "injected").message()});
        QVERIFY(f.screen->print(f.target) != Run::Completed);

        f.restart();
        if (failAt >= 11) {
            expect(f.app.prompter, "posting completed");
            QVERIFY(f.screen->activate() && f.rowOf("1002P") >= 0);
        } else {
            if (failAt >= 6) {
                expect(f.app.prompter, "posts only");
            } else {
                f.print();
            }
            QCOMPARE(f.pick("1002"), Pick::Shown);
            QCOMPARE(f.screen->print(f.target), Run::Completed);
        }
        QCOMPARE(f.target.jobs().size(), failAt == 5 ? 2 : 1);
        QCOMPARE(snapshot(f.app.dir.path()), snapshot(clean.app.dir.path()));
    }
};

TOLVAR_TEST(TestInvoiceRun)
#include "test_invoicerun.moc"
