#pragma once

#include "scriptedprompter.h"
#include "shell/appcontext.h"

#include <QByteArray>
#include <QFile>
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

    QString path(const QString& relative) const;  // "/" separated below the folder
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    void mkdir(const QString& relative) const;
};

#ifdef TOLVAR_TEST_DATA
// A golden file of tests/data ("shell/everykind.rec"); empty when missing.
inline QByteArray testData(const QString& relative) {
    QFile f(QStringLiteral(TOLVAR_TEST_DATA "/") + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
#endif
