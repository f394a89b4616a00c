#pragma once

#include "shell/prompter.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QMetaType>
#include <QString>

Q_DECLARE_METATYPE(Answer)

using Files = QMap<QString, QByteArray>;

// Every file below a folder by its "/" path, for comparing whole folders.
inline Files snapshot(const QString& root) {
    Files out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString full = it.next();
        QFile f(full);
        out.insert(QDir(root).relativeFilePath(full),
                   f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return out;
}

// The files that are new or changed in `after`.
inline Files changed(const Files& before, const Files& after) {
    Files out;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value() || !before.contains(it.key())) {
            out.insert(it.key(), it.value());
        }
    }
    return out;
}

// Golden files of this area live in tests/data/accounts. Setting
// TOLVAR_WRITE_GOLDEN writes what the code produces instead of comparing, for
// a change of format that has been checked by hand.
namespace Golden {
inline QString path(const QString& name) {
    return QStringLiteral(TOLVAR_TEST_DATA "/accounts/") + name;
}

inline bool writing() {
    return qEnvironmentVariableIsSet("TOLVAR_WRITE_GOLDEN");
}

inline QByteArray read(const QString& name) {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing golden file)");
}

inline bool write(const QString& name, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path(name)).absolutePath());
    QFile f(path(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// True when `actual` is the golden file's content.
inline bool matches(const QByteArray& actual, const QString& name) {
    return writing() ? write(name, actual) : actual == read(name);
}

// True when `files` are exactly the files of the golden folder `name`.
inline bool folderMatches(const Files& files, const QString& name) {
    if (!writing()) {
        return files == snapshot(path(name));
    }
    QDir(path(name)).removeRecursively();
    bool ok = true;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        ok = write(name + QLatin1Char('/') + it.key(), it.value()) && ok;
    }
    return ok;
}
}  // namespace Golden

#define QCOMPARE_GOLDEN(actual, name)           \
    QVERIFY2(Golden::matches((actual), (name)), \
             qPrintable(QStringLiteral("differs from ") + (name)))

// Runs a test body under another default locale and restores en_US after.
struct LocaleScope {
    explicit LocaleScope(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
};
