#include "benchsupport.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/clock.h"
#include "shell/startup.h"
#include "ui/programscreens.h"
#include "ui/screen.h"
#include "ui/screenmanager.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

namespace {
// One run of the program's start-up up to the visible start-up screen: the
// screen built and painted, the folder tree made, the settings and the
// proposal counter read (or made).
struct Run {
    explicit Run(const QString& path)
        : ctx(AppFolder(path), clock, prompter, std::make_shared<Settings>()),
          screens(ctx),
          lock(ctx.folder()) {
        RegisterScreens(screens);
    }
    ~Run() {
        screens.unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool start() { return Main(ctx, lock, ProgramStartupSteps(ctx, screens)); }

    Clock clock;
    SilentPrompter prompter;
    AppContext ctx;
    ScreenManager screens;
    InstanceLock lock;
};

// A first start in an empty folder.
void BM_ColdStartToSplash(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();
        auto run = std::make_unique<Run>(dir->path());
        if (!run->start() || !run->screens.find(QStringLiteral("frmSplash"))) {
            state.SkipWithError("start-up did not reach the start-up screen");
        }
        state.PauseTiming();
        run.reset();
        dir.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColdStartToSplash)->Unit(benchmark::kMillisecond);

// A later start: every folder and settings file is already there.
void BM_StartExistingFolder(benchmark::State& state) {
    QTemporaryDir dir;
    { Run(dir.path()).start(); }
    for (auto _ : state) {
        auto run = std::make_unique<Run>(dir.path());
        benchmark::DoNotOptimize(run->start());
        state.PauseTiming();
        run.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartExistingFolder)->Unit(benchmark::kMillisecond);
}  // namespace
