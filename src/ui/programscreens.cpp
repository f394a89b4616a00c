#include "ui/programscreens.h"

#include "customers/customerfiles.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalstore.h"
#include "settings/settingsfiles.h"
#include "shell/appcontext.h"
#include "ui/frmabout.h"
#include "ui/frmdialer.h"
#include "ui/frmsplash.h"
#include "ui/frmstartup.h"
#include "ui/screenmanager.h"

#include <QCoreApplication>

namespace {
template <typename T>
ScreenManager::Factory factory() {
    return [](AppContext& ctx, ScreenManager& screens) { return new T(ctx, screens); };
}
}  // namespace

void RegisterScreens(ScreenManager& screens) {
    screens.add(QStringLiteral("frmSplash"), factory<frmSplash>());
    screens.add(QStringLiteral("frmStartup"), factory<frmStartup>());
    screens.add(QStringLiteral("frmAbout"), factory<frmAbout>());
    screens.add(QStringLiteral("frmDialer"), factory<frmDialer>());
}

StartupSteps ProgramStartupSteps(AppContext& ctx, ScreenManager& screens) {
    StartupSteps steps;
    steps.showSplash = [&screens] {
        if (Screen* splash = screens.show(QStringLiteral("frmSplash"))) {
            splash->repaint();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    };
    steps.loadBusinessData = [&ctx] { LoadBusinessData(ctx); };
    // The setup screen reads every settings file as it loads; until it is
    // part of the program the settings are read here.
    steps.loadSetupScreen = [&ctx, &screens] {
        if (!screens.load(QStringLiteral("frmSetup"))) {
            loadSettings(ctx);
        }
    };
    steps.loadCustomerScreen = [&ctx, &screens] {
        ctx.reportIoError(CustomerFiles::finishInterruptedDelete(ctx.store()));
        screens.load(QStringLiteral("frmCustomer"));
    };
    // The setup and field proposal screens show the number from the shared
    // state when they load.
    steps.loadProposalCounter = [&ctx, &screens] {
        ctx.reportIoError(ProposalStore::finishInterrupted(ctx.store()));
        ProposalCounter::loadCurrent(ctx);
        screens.load(QStringLiteral("frmFieldProposal"));
    };
    return steps;
}
