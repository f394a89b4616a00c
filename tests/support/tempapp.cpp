#include "tempapp.h"

#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempApp::TempApp()
    : ctx(std::make_unique<AppContext>(AppFolder(dir.path()), clock, prompter,
                                       std::make_shared<Settings>())) {}

QString TempApp::path(const QString& relative) const {
    return dir.path() + QLatin1Char('/') + relative;
}

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

bool TempApp::exists(const QString& relative) const {
    return QFileInfo::exists(path(relative));
}

void TempApp::mkdir(const QString& relative) const {
    QDir().mkpath(path(relative));
}
