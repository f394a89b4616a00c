#include "shell/filestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

FileStore::FileStore(AppFolder folder) : m_folder(std::move(folder)) {}

const QStringList& FileStore::backupSet() {
    static const QStringList names = {
        QStringLiteral("CompanyLogo"),  QStringLiteral("CustomerData"),
        QStringLiteral("AuxHeadings"),  QStringLiteral("LogoSettings"),
        QStringLiteral("Phone"),        QStringLiteral("MyBusinessData"),
        QStringLiteral("PrintColors"),  QStringLiteral("SoldItems"),
        QStringLiteral("MyWebSite"),    QStringLiteral("TaxRecords"),
        QStringLiteral("SpeedNumbers"),
    };
    return names;
}

namespace {
// Copies src over dst through a temporary file so dst is never half written.
IoStatus copyFile(const QString& src, const QString& dst) {
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly)) {
        return IoStatus::failure(src, in.errorString());
    }
    QSaveFile out(dst);
    if (!out.open(QIODevice::WriteOnly)) {
        return IoStatus::failure(dst, out.errorString());
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            return IoStatus::failure(src, in.errorString());
        }
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return IoStatus::failure(dst, out.errorString());
        }
    }
    if (!out.commit()) {
        return IoStatus::failure(dst, out.errorString());
    }
    return {};
}
}  // namespace

bool FileStore::FileExists(const QString& dataPath) {
    const QString full = m_folder.resolve(dataPath);
    if (QFileInfo(full).isFile()) {
        return true;
    }
    const QString backup = m_folder.resolve(AppFolder::backupPathOf(dataPath));
    if (!QFileInfo(backup).isFile()) {
        return false;
    }
    const IoStatus s = copyFile(backup, full);
    if (!s) {
        m_lastError = s;
        return false;
    }
    return true;
}

int FileStore::RecordCount(const QString& dataPath, int recordLength) {
    if (!FileExists(dataPath)) {
        return 0;
    }
    return RecordCountOf(QFileInfo(m_folder.resolve(dataPath)).size(), recordLength);
}

std::optional<QByteArray> FileStore::OpenForInput(const QString& dataPath, IoStatus* status) {
    QFile f(m_folder.resolve(dataPath));
    if (!f.open(QIODevice::ReadOnly)) {
        const IoStatus s = IoStatus::failure(f.fileName(), f.errorString());
        m_lastError = s;
        if (status) {
            *status = s;
        }
        return std::nullopt;
    }
    return f.readAll();
}

IoStatus FileStore::OpenForOutput(const QString& dataPath, const QByteArray& content) {
    QSaveFile f(m_folder.resolve(dataPath));
    IoStatus s;
    if (!f.open(QIODevice::WriteOnly)) {
        s = IoStatus::failure(f.fileName(), f.errorString());
    } else if (f.write(content) != content.size()) {
        s = IoStatus::failure(f.fileName(), f.errorString());
        f.cancelWriting();
    } else if (!f.commit()) {
        s = IoStatus::failure(f.fileName(), f.errorString());
    }
    if (!s) {
        m_lastError = s;
    }
    return s;
}

RecordFile& FileStore::OpenRandom(const QString& dataPath, int recordLength) {
    m_current = std::make_unique<RecordFile>(m_folder.resolve(dataPath), recordLength);
    return *m_current;
}

RecordFile& FileStore::OpenRandom2(const QString& dataPath, int recordLength) {
    m_second = std::make_unique<RecordFile>(m_folder.resolve(dataPath), recordLength);
    return *m_second;
}

void FileStore::CloseAll() {
    m_current.reset();
    m_second.reset();
}

IoStatus FileStore::CopyDataFile(const QString& from, const QString& to) {
    const IoStatus s = copyFile(m_folder.resolve(from), m_folder.resolve(to));
    if (!s) {
        m_lastError = s;
    }
    return s;
}

IoStatus FileStore::DeleteDataFile(const QString& dataPath) {
    CloseAll();
    const QString full = m_folder.resolve(dataPath);
    if (QFileInfo(full).isFile() && !QFile::remove(full)) {
        return IoStatus::failure(full, QStringLiteral("it could not be deleted"));
    }
    return {};
}

IoStatus FileStore::DeleteWithBackup(const QString& dataPath) {
    const IoStatus b = DeleteDataFile(QStringLiteral("/Backup") + dataPath);
    const IoStatus d = DeleteDataFile(dataPath);
    return b ? d : b;
}

IoStatus FileStore::ReplaceDataFile(const QString& from, const QString& to) {
    CloseAll();
    const QString src = m_folder.resolve(from);
    const QString dst = m_folder.resolve(to);
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(src).constData(), QFile::encodeName(dst).constData()) != 0) {
        return IoStatus::failure(dst, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return {};
}

QStringList FileStore::BackupDataFiles() {
    QStringList failed;
    // The folder is made at start-up; should it have gone since, the backup
    // is still worth making.
    MakeFolder(QStringLiteral("\\Backup"));
    for (const QString& name : backupSet()) {
        CloseAll();
        const QString dataPath = QStringLiteral("\\") + name + QStringLiteral(".txt");
        const QString src = m_folder.resolve(dataPath);
        if (!QFileInfo(src).isFile()) {
            continue;
        }
        if (!copyFile(src, m_folder.resolve(AppFolder::backupPathOf(dataPath)))) {
            failed << name;
        }
    }
    return failed;
}

IoStatus FileStore::MakeFolder(const QString& dataPath) {
    const QString full = m_folder.resolve(dataPath);
    if (QFileInfo::exists(full)) {
        return {};
    }
    if (!QDir().mkdir(full)) {
        return IoStatus::failure(full, QStringLiteral("the folder could not be created"));
    }
    return {};
}
