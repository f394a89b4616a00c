#include "dialer/systemserialport.h"
#include "settings/settings.h"
#include "shell/appcontext.h"
#include "shell/clock.h"
#include "shell/startup.h"
#include "ui/printertarget.h"
#include "ui/printpreview.h"
#include "ui/programscreens.h"
#include "ui/qtprompter.h"
#include "ui/screenmanager.h"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends only through CloseProgram, which backs up first.
    app.setQuitOnLastWindowClosed(false);

    Clock clock;
    QtPrompter prompter;
    AppContext ctx(AppFolder(QCoreApplication::applicationDirPath()), clock, prompter,
                   std::make_shared<Settings>());
    ScreenManager screens(ctx);
    RegisterScreens(screens);
    ctx.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    ctx.printerFactory = [&prompter] {
        return std::make_shared<PrinterTarget>(prompter.printer());
    };
    ctx.previewer = ShowPrintPreview;
    ctx.serialPortFactory = [] { return std::make_unique<SystemSerialPort>(); };
    ctx.quit = [&screens] {
        screens.unloadAll();
        QCoreApplication::quit();
    };

    InstanceLock lock(ctx.folder());
    if (!Main(ctx, lock, ProgramStartupSteps(ctx, screens))) {
        return 0;
    }
    return app.exec();
}
