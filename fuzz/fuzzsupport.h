#pragma once

#include "shell/filestore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// One scratch application folder per fuzzing process, in memory where the
// system has a tmpfs, so that readers that go through the store are fed
// their file at a useful rate.
class ScratchFolder {
public:
    ScratchFolder() : m_dir(scratchRoot() + QStringLiteral("/tolvar-fuzz-XXXXXX")) {
        if (!m_dir.isValid()) {
            std::abort();
        }
    }

    FileStore& store() { return m_store; }

    // Replaces the file at `relative` ("/" separated) with `bytes`, making
    // its folders, and drops the backup copy a reader could restore from.
    void put(const QString& relative, const QByteArray& bytes) {
        const QString full = m_dir.path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            std::abort();
        }
    }

    QByteArray get(const QString& relative) const {
        QFile f(m_dir.path() + QLatin1Char('/') + relative);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    static QString scratchRoot() {
        return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                  : QDir::tempPath();
    }

    QTemporaryDir m_dir;
    FileStore m_store{AppFolder(m_dir.path())};
};

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A property the reader must keep; a broken one is a finding like a crash.
#define FUZZ_CHECK(cond)                                                              \
    do {                                                                              \
        if (!(cond)) {                                                                \
            fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                             \
        }                                                                             \
    } while (0)
