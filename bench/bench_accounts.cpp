// Listing many proposals for the payments and report screens, and a run of
// eight invoices posted to the receivable files.
#include "accounts/invoicerun.h"
#include "print/recordingdevice.h"
#include "proposals/proposalfiles.h"
#include "proposals/proposalreport.h"
#include "settings/settings.h"
#include "shell/appcontext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
// Answers every question with Yes and accepts every dialog.
class YesPrompter : public Prompter {
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    bool inputBox(const QString&, const QString&, QString*) override { return true; }
    void beep() override {}
    bool printDialog(PrintRequest*) override { return true; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool chooseColour(quint32*) override { return false; }
    bool chooseFont(FontChoice*) override { return false; }
};

struct BenchApp {
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 5)};
    YesPrompter prompter;
    AppContext ctx{AppFolder(dir.path()), clock, prompter, std::make_shared<Settings>()};

    BenchApp() {
        for (const char* f :
             {"TolvarProposals", "TolvarProposals/ProposalBody", "TolvarProposals/ProposalPayments",
              "TolvarProposals/ProposalFinancials"}) {
            QDir().mkpath(dir.filePath(QLatin1String(f)));
        }
    }

    ProposalHeader header(int number) const {
        ProposalHeader h;
        h.number = QString::number(number);
        h.proposedPrice = Money::fromCents(107500);
        h.creationDate = QDate(2026, 11, 2);
        h.accountKey = QStringLiteral("555-%1").arg(number % 1000);
        h.customerName = QStringLiteral("Customer %1").arg(number);
        h.customerAddress1 = QStringLiteral("12 Oak St");
        h.customerCity = QStringLiteral("Springfield");
        h.customerState = QStringLiteral("IL");
        h.customerPostalCode = QStringLiteral("62701");
        return h;
    }
};

BenchApp& manyProposals() {
    static BenchApp app;
    static bool made = false;
    if (!made) {
        // Written straight to the folder: going through the store would look
        // up each new name in a folder of thousands, minutes of set-up.
        const QString dir = app.dir.filePath(QStringLiteral("TolvarProposals/"));
        for (int n = 1; n <= 10000; ++n) {
            QFile f(dir + ProposalFiles::fileName(n));
            if (!f.open(QIODevice::WriteOnly) ||
                f.write(ProposalFiles::headerBytes(app.header(n))) < 0) {
                return app;
            }
        }
        made = true;
    }
    return app;
}

void PaymentsTable10000(benchmark::State& state) {
    BenchApp& app = manyProposals();
    for (auto _ : state) {
        ManagePayments screen(app.ctx);
        benchmark::DoNotOptimize(screen.activate());
        if (screen.view().rows.size() != 10000) {
            state.SkipWithError("wrong row count");
        }
    }
}
BENCHMARK(PaymentsTable10000)->Unit(benchmark::kMillisecond);

void ProposalsReport10000(benchmark::State& state) {
    BenchApp& app = manyProposals();
    for (auto _ : state) {
        ProposalReport report(app.ctx);
        benchmark::DoNotOptimize(report.fill());
        if (report.rows().size() != 10000) {
            state.SkipWithError("wrong row count");
        }
    }
}
BENCHMARK(ProposalsReport10000)->Unit(benchmark::kMillisecond);

void InvoiceRunOfEight(benchmark::State& state) {
    BenchApp app;
    ProposalPayments payments{Money::fromCents(80000), {}};
    for (int k = 1; k <= 8; ++k) {
        payments.payments.append({Money::fromCents(10000), QDate(2026, 12, k)});
    }
    const QString name = ProposalFiles::fileName(1001);
    if (!ProposalFiles::writePayments(app.ctx.store(), name, payments) ||
        !ProposalFiles::writeFinancials(app.ctx.store(), name,
                                        {Money::fromCents(74000), Money::fromCents(80000),
                                         Money::fromCents(4000), Money::fromCents(2000)})) {
        state.SkipWithError("the proposal could not be stored");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<void>(ProposalFiles::writeHeader(app.ctx.store(), name, app.header(1001)));
        ManagePayments screen(app.ctx);
        static_cast<void>(screen.activate());
        static_cast<void>(screen.pick(0));
        RecordingTarget target;
        state.ResumeTiming();
        if (screen.print(target) != ManagePayments::Run::Completed || target.jobs().size() != 8) {
            state.SkipWithError("the run did not complete");
        }
    }
}
BENCHMARK(InvoiceRunOfEight)->Unit(benchmark::kMillisecond);
}  // namespace
