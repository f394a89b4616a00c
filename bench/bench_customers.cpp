#include "benchsupport.h"
#include "customers/customerfiles.h"
#include "customers/customerscreen.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/clock.h"
#include "ui/programscreens.h"
#include "ui/screen.h"
#include "ui/screenmanager.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {
constexpr int kFull = CustomerFiles::kMaxCustomers;

// A customer file at the format's limit: every customer on a "Main" street,
// each with its own telephone and last name.
struct FullFiles {
    FullFiles() {
        customers.reserve(qsizetype(kFull) * CustomerRecord::kSize);
        for (int n = 1; n <= kFull; ++n) {
            CustomerRecord r;
            r.AccountNumber = QStringLiteral("A-%1").arg(n);
            r.AccountType = n % 3 ? CustomerRecord::individual() : CustomerRecord::business();
            r.AccountName = QStringLiteral("Company %1").arg(n);
            r.FirstName = QStringLiteral("First%1").arg(n);
            r.LastName = QStringLiteral("Last%1").arg(n);
            r.Address1 = QStringLiteral("%1 Main St").arg(n);
            r.CityOrAddress3 = QStringLiteral("City%1").arg(n % 500);
            r.Phone = QStringLiteral("518-%1-%2")
                          .arg(n % 1000, 3, 10, QLatin1Char('0'))
                          .arg(n, 4, 10, QLatin1Char('0'));
            customers += r.toBytes();
        }
        contracts = QByteArray(qsizetype(kFull) * CompanionRecords::kContractSize, 'c');
        cycles = QByteArray(qsizetype(kFull) * CompanionRecords::kCycleSize, 'y');
    }
    void writeTo(const QString& folder) const {
        const std::pair<const char*, const QByteArray*> files[] = {
            {"/CustomerData.txt", &customers},
            {"/ContractInfo.txt", &contracts},
            {"/CycleInfo.txt", &cycles}};
        for (const auto& [name, bytes] : files) {
            QFile f(folder + QLatin1String(name));
            if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size()) {
                qFatal("the benchmark's customer files could not be written");
            }
        }
    }
    QByteArray customers;
    QByteArray contracts;
    QByteArray cycles;
};

const FullFiles& fullFiles() {
    static const FullFiles files;
    return files;
}

struct Folder {
    Folder() : ctx(AppFolder(dir.path()), clock, prompter, std::make_shared<Settings>()) {
        fullFiles().writeTo(dir.path());
    }
    QTemporaryDir dir;
    Clock clock;
    SilentPrompter prompter;
    AppContext ctx;
};

// The customer screen shown over 32,767 customers: the model's activation
// (count, account and city lists, the first record, its aux data) and the
// widgets filled from it.
void BM_CustomerScreenActivate32767(benchmark::State& state) {
    Folder folder;
    ScreenManager screens(folder.ctx);
    RegisterScreens(screens);
    screens.load(QStringLiteral("frmCustomer"));
    for (auto _ : state) {
        screens.show(QStringLiteral("frmCustomer"));
        state.PauseTiming();
        screens.hide(QStringLiteral("frmCustomer"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    screens.unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_CustomerScreenActivate32767)->Unit(benchmark::kMillisecond);

void BM_CustomerSearch32767(benchmark::State& state, SearchMode mode, const char* text) {
    Folder folder;
    CustomerScreenModel model(folder.ctx);
    model.load();
    model.activate();
    qsizetype found = 0;
    for (auto _ : state) {
        found = model.search(mode, QLatin1String(text)).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = double(found);
}
BENCHMARK_CAPTURE(BM_CustomerSearch32767, Address1, SearchMode::Address1, "main")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CustomerSearch32767, Telephone, SearchMode::Telephone, "518-123-0123")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CustomerSearch32767, LastName, SearchMode::LastName, "last1234")
    ->Unit(benchmark::kMillisecond);

// A middle record removed from all three record files, which are compacted.
void BM_CustomerDelete32767(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        if (!CustomerFiles::deleteCustomer(folder.ctx.store(), kFull / 2).removed) {
            state.SkipWithError("the delete failed");
            break;
        }
        state.PauseTiming();
        fullFiles().writeTo(folder.dir.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CustomerDelete32767)->Unit(benchmark::kMillisecond);
}  // namespace
