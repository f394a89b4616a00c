#include "ui/screen.h"

#include "shell/appcontext.h"
#include "shell/mainmenu.h"

#include <QCloseEvent>
#include <QLayout>

Screen::Screen(AppContext& ctx, ScreenManager& screens, const QString& name)
    : m_ctx(ctx), m_screens(screens) {
    setObjectName(name);
    setWindowTitle(ProductName());
}

void Screen::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseProgram(m_ctx);
}

bool Screen::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // The window's limits stay as they were when it was first shown (see
    // ScreenManager::show); content that has grown since gets its room by a
    // resize instead.
    if (event->type() == QEvent::LayoutRequest && layout() &&
        layout()->sizeConstraint() == QLayout::SetNoConstraint) {
        const QSize room = size().expandedTo(layout()->totalMinimumSize());
        if (room != size()) {
            resize(room);
        }
    }
    return handled;
}
