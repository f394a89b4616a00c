#include "shell/filestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
const QString kRefused = QStringLiteral("the disk refused the change");
}  // namespace

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

bool FileStore::faulty(FileStep step, const QString& fullPath) const {
    return m_fault && m_fault(step, fullPath);
}

IoStatus FileStore::writeWhole(const QString& full, const QByteArray& content) const {
    if (faulty(FileStep::Open, full)) {
        return IoStatus::failure(full, kRefused);
    }
    QSaveFile f(full);
    if (!f.open(QIODevice::WriteOnly)) {
        return IoStatus::failure(full, f.errorString());
    }
    auto cancel = [&](const QString& reason) {
        f.cancelWriting();
        return IoStatus::failure(full, reason);
    };
    // A short write, or a buffer that cannot be flushed because the disk is
    // full, must not let the shortened file replace the old one: commit()
    // alone does not tell.
    if (faulty(FileStep::Write, full)) {
        return cancel(kRefused);
    }
    if (f.write(content) != content.size()) {
        return cancel(f.errorString());
    }
    if (faulty(FileStep::Flush, full)) {
        return cancel(kRefused);
    }
    if (!f.flush()) {
        return cancel(f.errorString());
    }
    if (faulty(FileStep::Commit, full)) {
        return cancel(kRefused);
    }
    if (!f.commit()) {
        return IoStatus::failure(full, f.errorString());
    }
    return {};
}

IoResult<QByteArray> FileStore::readWhole(const QString& full) const {
    QFile f(full);
    if (!f.open(QIODevice::ReadOnly)) {
        return IoStatus::failure(full, f.errorString());
    }
    const qint64 size = f.size();
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError || bytes.size() != size) {
        return IoStatus::failure(full, f.errorString());
    }
    return bytes;
}

IoStatus FileStore::copy(const QString& src, const QString& dst) const {
    if (faulty(FileStep::Copy, dst)) {
        return IoStatus::failure(dst, kRefused);
    }
    const IoResult<QByteArray> bytes = readWhole(src);
    return bytes ? writeWhole(dst, *bytes) : bytes.status();
}

Existence FileStore::probe(const QString& dataPath) {
    const QString full = m_folder.resolve(dataPath);
    if (QFileInfo(full).isFile()) {
        return Existence::present();
    }
    const QString backup = m_folder.resolve(AppFolder::backupPathOf(dataPath));
    if (!QFileInfo(backup).isFile()) {
        return Existence::absent();
    }
    const IoStatus s = copy(backup, full);
    if (!s) {
        return Existence::failed(IoStatus::failure(
            full,
            QStringLiteral("it could not be restored from the Backup folder: ") + s.reason()));
    }
    return Existence::present();
}

void FileStore::RemoveUnfinishedWrites(const QString& dataFolder) {
    // The write's temporary is the file's own name followed by six letters
    // or digits; every data file ends in an extension of its own.
    static const QRegularExpression temporary(
        QStringLiteral("^.+\\.[A-Za-z0-9]{1,5}\\.[A-Za-z0-9]{6}$"));
    QDir dir(m_folder.resolve(dataFolder));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (temporary.match(name).hasMatch()) {
            dir.remove(name);
        }
    }
}

QStringList FileStore::ListFiles(const QString& dataFolder, QLatin1String suffix) const {
    // The folder's own entries tell a plain file from the rest on the common
    // file systems; only where they do not is the name looked up.
    QStringList names;
    const QByteArray dirPath = QFile::encodeName(m_folder.resolve(dataFolder));
    DIR* dir = opendir(dirPath.constData());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (!name.endsWith(suffix, Qt::CaseInsensitive)) {
            continue;
        }
        bool plain = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            const QByteArray path = dirPath + '/' + entry->d_name;
            plain = stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (plain) {
            names.append(name);
        }
    }
    closedir(dir);
    return names;
}

std::optional<QByteArray> FileStore::ReadListed(const QString& fullPath) {
    const int fd = open(QFile::encodeName(fullPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[16384];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) {
            bytes.append(buffer, n);
        }
    }
    close(fd);
    if (n < 0) {
        return std::nullopt;
    }
    return bytes;
}

int FileStore::RecordCount(const QString& dataPath, int recordLength) {
    if (!FileExists(dataPath)) {
        return 0;
    }
    return RecordCountOf(QFileInfo(m_folder.resolve(dataPath)).size(), recordLength);
}

IoResult<QByteArray> FileStore::OpenForInput(const QString& dataPath) {
    return readWhole(m_folder.resolve(dataPath));
}

IoStatus FileStore::OpenForOutput(const QString& dataPath, const QByteArray& content) {
    return writeWhole(m_folder.resolve(dataPath), content);
}

IoResult<QByteArray> FileStore::ReadRecords(const QString& dataPath, int recordLength) {
    const Existence e = probe(dataPath);
    if (e.isFailed()) {
        return e.status();
    }
    if (!e.isPresent()) {
        return QByteArray();
    }
    IoResult<QByteArray> bytes = OpenForInput(dataPath);
    if (bytes) {
        bytes->resize(qsizetype(RecordCountOf(bytes->size(), recordLength)) * recordLength, '\0');
    }
    return bytes;
}

RecordFile& FileStore::OpenRandom(const QString& dataPath, int recordLength) {
    m_current = std::make_unique<RecordFile>(m_folder.resolve(dataPath), recordLength, m_fault);
    return *m_current;
}

RecordFile& FileStore::OpenRandom2(const QString& dataPath, int recordLength) {
    m_second = std::make_unique<RecordFile>(m_folder.resolve(dataPath), recordLength, m_fault);
    return *m_second;
}

void FileStore::CloseAll() {
    m_current.reset();
    m_second.reset();
}

IoStatus FileStore::CopyDataFile(const QString& from, const QString& to) {
    return copy(m_folder.resolve(from), m_folder.resolve(to));
}

IoStatus FileStore::DeleteDataFile(const QString& dataPath) {
    CloseAll();
    const QString full = m_folder.resolve(dataPath);
    if (!QFileInfo(full).isFile()) {
        return {};
    }
    if (faulty(FileStep::Delete, full)) {
        return IoStatus::failure(full, kRefused);
    }
    QFile f(full);
    if (!f.remove()) {
        return IoStatus::failure(full,
                                 QStringLiteral("it could not be deleted: ") + f.errorString());
    }
    return {};
}

IoStatus FileStore::DeleteWithBackup(const QString& dataPath) {
    const IoStatus b = DeleteDataFile(AppFolder::backupPathOf(dataPath));
    if (!b) {
        return b;
    }
    return DeleteDataFile(dataPath);
}

IoStatus FileStore::ReplaceDataFile(const QString& from, const QString& to) {
    CloseAll();
    const QString src = m_folder.resolve(from);
    const QString dst = m_folder.resolve(to);
    if (faulty(FileStep::Replace, dst)) {
        return IoStatus::failure(dst, kRefused);
    }
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(src).constData(), QFile::encodeName(dst).constData()) != 0) {
        return IoStatus::failure(dst, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return {};
}

QStringList FileStore::BackupDataFiles() {
    QStringList failed;
    // The folder is made at start-up; should it have gone since, the backup
    // is still worth making. A folder that cannot be made shows as the
    // copies that fail.
    static_cast<void>(MakeFolder(AppFolder::backupFolder()));
    for (const QString& name : backupSet()) {
        CloseAll();
        const QString dataPath = QStringLiteral("\\") + name + QStringLiteral(".txt");
        const QString src = m_folder.resolve(dataPath);
        if (!QFileInfo(src).isFile()) {
            continue;
        }
        if (!copy(src, m_folder.resolve(AppFolder::backupPathOf(dataPath)))) {
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
    if (faulty(FileStep::MakeFolder, full)) {
        return IoStatus::failure(full,
                                 QStringLiteral("the folder could not be created: ") + kRefused);
    }
    if (::mkdir(QFile::encodeName(full).constData(), 0777) != 0) {
        return IoStatus::failure(full, QStringLiteral("the folder could not be created: ") +
                                           QString::fromLocal8Bit(std::strerror(errno)));
    }
    return {};
}
