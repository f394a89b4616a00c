#include "benchsupport.h"
#include "proposals/proposalfiles.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/clock.h"
#include "shell/startup.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
constexpr int kProposals = 10000;
constexpr int kCustomers = 32767;

// One application folder shared by the benchmarks of this file, filled once.
struct Folder {
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 5)};
    SilentPrompter prompter;
    AppContext ctx{AppFolder(dir.path()), clock, prompter, std::make_shared<Settings>()};

    Folder() {
        static_cast<void>(CreateFolders(ctx));
        for (int n = 1001; n < 1001 + kProposals; ++n) {
            ProposalHeader h;
            h.number = QString::number(n);
            h.proposedPrice = Money::fromCents(123450 + n);
            h.creationDate = QDate(2026, 12, 5);
            h.accountKey = QStringLiteral("555-123-4567");
            h.customerName = QStringLiteral("Customer %1").arg(n);
            h.customerAddress1 = QStringLiteral("%1 Elm Street").arg(n);
            h.customerCity = QStringLiteral("Springfield");
            h.customerState = QStringLiteral("IL");
            h.customerPostalCode = QStringLiteral("62704");
            h.customerTelephone = QStringLiteral("555-123-4567");
            h.siteName = QStringLiteral("Site %1").arg(n);
            // Straight to the folder: through the store each new name would be
            // looked up in a folder of thousands.
            QFile f(dir.filePath(QStringLiteral("TolvarProposals/")) + ProposalFiles::fileName(n));
            if (!f.open(QIODevice::WriteOnly) || f.write(ProposalFiles::headerBytes(h)) < 0) {
                break;
            }
        }
        QFile customers(dir.path() + QStringLiteral("/CustomerData.txt"));
        if (customers.open(QIODevice::WriteOnly)) {
            customers.write(QByteArray(qint64(kCustomers) * 328, ' '));
        }
    }
};

Folder& folder() {
    static Folder f;
    return f;
}

void BM_ListProposalHeaders(benchmark::State& state) {
    FileStore& store = folder().ctx.store();
    for (auto _ : state) {
        const QStringList names = ProposalFiles::listHeaders(store);
        benchmark::DoNotOptimize(names.size());
        if (names.size() != kProposals) {
            state.SkipWithError("wrong number of headers listed");
        }
    }
}
BENCHMARK(BM_ListProposalHeaders)->Unit(benchmark::kMillisecond);

void BM_ListAndReadProposalHeaders(benchmark::State& state) {
    FileStore& store = folder().ctx.store();
    for (auto _ : state) {
        const QList<StoredProposal> all = ProposalFiles::readAllHeaders(store);
        benchmark::DoNotOptimize(all.size());
        if (all.size() != kProposals) {
            state.SkipWithError("wrong number of headers read");
        }
    }
    state.SetItemsProcessed(state.iterations() * kProposals);
}
BENCHMARK(BM_ListAndReadProposalHeaders)->Unit(benchmark::kMillisecond);

void BM_FileExistsCustomerFile(benchmark::State& state) {
    FileStore& store = folder().ctx.store();
    // The path as the routines spell it, and in another letter case, which
    // has to look through the folder.
    const QString path =
        state.range(0) ? QStringLiteral("/customerdata.TXT") : QStringLiteral("/CustomerData.txt");
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.FileExists(path));
    }
}
BENCHMARK(BM_FileExistsCustomerFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RecordCountCustomerFile(benchmark::State& state) {
    FileStore& store = folder().ctx.store();
    for (auto _ : state) {
        const int n = store.RecordCount(QStringLiteral("/CustomerData.txt"), 328);
        benchmark::DoNotOptimize(n);
        if (n != kCustomers) {
            state.SkipWithError("wrong record count");
        }
    }
}
BENCHMARK(BM_RecordCountCustomerFile)->Unit(benchmark::kMicrosecond);
}  // namespace
