#include "ui/programscreens.h"

#include "customers/customerfiles.h"
#include "proposals/proposalcounter.h"
#include "proposals/proposalstore.h"
#include "settings/settingsfiles.h"
#include "shell/appcontext.h"
#include "ui/frmabout.h"
#include "ui/frmcustomer.h"
#include "ui/frmdialer.h"
#include "ui/frmfieldproposal.h"
#include "ui/frmfinalize.h"
#include "ui/frmmanagepayments.h"
#include "ui/frmproposalreport.h"
#include "ui/frmsetup.h"
#include "ui/frmsplash.h"
#include "ui/frmstartup.h"
#include "ui/frmterms.h"
#include "ui/frmwriteproposal.h"
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
    screens.add(QStringLiteral("frmSetup"), factory<frmSetup>());
    screens.add(QStringLiteral("frmTerms"), factory<frmTerms>());
    screens.add(QStringLiteral("frmCustomer"), factory<frmCustomer>());
    screens.add(QStringLiteral("frmWriteProposal"), factory<frmWriteProposal>());
    screens.add(QStringLiteral("frmFieldProposal"), factory<frmFieldProposal>());
    screens.add(QStringLiteral("frmManagePayments"), factory<frmManagePayments>());
    screens.add(QStringLiteral("frmProposalReport"), factory<frmProposalReport>());
    screens.add(QStringLiteral("frmFinalize"), factory<frmFinalize>());
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
    // The setup screen reads every settings file and probes the modem as it
    // loads; until it is part of the program both are done here, the probe
    // on the dialer's port (loading the dialer hidden).
    steps.loadSetupScreen = [&ctx, &screens] {
        if (!screens.load(QStringLiteral("frmSetup"))) {
            loadSettings(ctx);
            static_cast<void>(ProbeModem(ctx, screens));
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
