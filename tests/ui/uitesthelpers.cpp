#include "uitesthelpers.h"

#include "ui/programscreens.h"

ScreenApp::ScreenApp() : screens(std::make_unique<ScreenManager>(*app.ctx)) {
    RegisterScreens(*screens);
    app.ctx->quit = [this] {
        screens->unloadAll();
        ++quits;
    };
    app.ctx->openUrl = [this](const QUrl& url) {
        opened << url;
        return true;
    };
}

ScreenApp::~ScreenApp() {
    screens.reset();
    settle();
}

void ScreenApp::provide(const QString& name) {
    screens->add(name, [name](AppContext& ctx, ScreenManager& s) {
        return new StandInScreen(ctx, s, name);
    });
}

void ScreenApp::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool ScreenApp::visible(const QString& name) const {
    const Screen* s = screens->find(name);
    return s && s->isVisible();
}
