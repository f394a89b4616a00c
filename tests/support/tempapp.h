#pragma once

#include "scriptedprompter.h"
#include "shell/appcontext.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// An application folder in a temporary directory with a fixed clock
// (2026-12-05) and a scripted prompter, for one test.
struct TempApp {
    TempApp();

    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 5)};
    ScriptedPrompter prompter;
    std::unique_ptr<AppContext> ctx;

    // "/" separated below the folder.
    QString path(const QString& relative) const { return dir.path() + u'/' + relative; }
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const { return QFileInfo::exists(path(relative)); }
    void mkdir(const QString& relative) const { QDir().mkpath(path(relative)); }
};

// The program's message for a data file it could not use, expected next.
inline void expectUnusable(TempApp& app, const QString& file, bool fromBackup = false) {
    app.prompter.expectMessage(
        QStringLiteral("The file %1 could not be used: %2Filename refers to a directory")
            .arg(app.path(file),
                 fromBackup ? QStringLiteral("it could not be restored from the Backup folder: ")
                            : QString()),
        QStringLiteral("Tolvar Proposals"), Icon::Critical);
}

#ifdef TOLVAR_TEST_DATA
// A golden file of tests/data ("shell/everykind.rec"); empty when missing.
inline QByteArray testData(const QString& relative) {
    QFile f(QStringLiteral(TOLVAR_TEST_DATA "/") + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
#endif
