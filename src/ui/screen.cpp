#include "ui/screen.h"

#include "shell/appcontext.h"
#include "shell/mainmenu.h"

#include <QCloseEvent>

Screen::Screen(AppContext& ctx, ScreenManager& screens, const QString& name)
    : m_ctx(ctx), m_screens(screens) {
    setObjectName(name);
    setWindowTitle(ProductName());
}

void Screen::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseProgram(m_ctx);
}
