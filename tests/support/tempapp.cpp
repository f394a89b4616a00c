#include "tempapp.h"

#include "settings/settings.h"

TempApp::TempApp()
    : ctx(std::make_unique<AppContext>(AppFolder(dir.path()), clock, prompter,
                                       std::make_shared<Settings>())) {}

void TempApp::write(const QString& relative, const QByteArray& bytes) const {
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

QByteArray TempApp::read(const QString& relative) const {
    QFile f(path(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
