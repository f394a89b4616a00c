#include "uitesthelpers.h"

#include "ui/programscreens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <unistd.h>

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

void CheckLayout(QWidget* w, const QString& name) {
    QApplication::processEvents();
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (c->isVisible() && (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c))) {
            const QRect r(c->mapTo(w, QPoint(0, 0)), c->size());
            QVERIFY2(w->rect().contains(r), qPrintable(name + QLatin1Char(' ') + c->objectName()));
            QVERIFY2(r.width() >= c->minimumSizeHint().width(),
                     qPrintable(name + QLatin1Char(' ') + c->objectName()));
        }
    }
    const QString dir = qEnvironmentVariable("TOLVAR_SCREENSHOTS");
    if (!dir.isEmpty()) {
        QVERIFY2(w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")),
                 qPrintable(name));
    }
}

Unprivileged::Unprivileged() : wasRoot(geteuid() == 0), ok(!wasRoot || seteuid(65534) == 0) {}

Unprivileged::~Unprivileged() {
    if (wasRoot && seteuid(0) != 0) {
        qFatal("could not act as root again");
    }
}

void SetReadOnly(const QString& folder, bool readOnly) {
    const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(folder, readOnly ? read : read | QFile::WriteOwner);
}
