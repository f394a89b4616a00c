#include "ui/screenparts.h"

#include "ui/screen.h"
#include "ui/screenmanager.h"

void ReturnToMenu(QWidget* widget) {
    auto* screen = qobject_cast<Screen*>(widget->window());
    if (!screen) {
        return;
    }
    ScreenManager& screens = screen->screens();
    const QString name = screen->objectName();
    screens.show(QStringLiteral("frmStartup"));
    screens.unload(name);
}
