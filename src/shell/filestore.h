#pragma once

#include "shell/appfolder.h"
#include "shell/iostatus.h"
#include "shell/recordfile.h"

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <optional>

// Every data file is reached through the store. Paths are data paths relative
// to the application folder. Whole-file writes are atomic: they go to a
// temporary file in the same folder that replaces the old one, so a failed
// write leaves the old file as it was and reports the error.
//
// One record file at a time is "current" (OpenRandom); OpenRandom2 keeps a
// second one open beside it. DeleteDataFile and BackupDataFiles close both.
class FileStore {
public:
    explicit FileStore(AppFolder folder);

    const AppFolder& folder() const { return m_folder; }
    QString fullPath(const QString& dataPath) const { return m_folder.resolve(dataPath); }

    // True if the file exists; a missing file whose backup copy exists is
    // first restored from it. A folder never counts as a file. A restore that
    // fails leaves lastError() set and returns false.
    bool FileExists(const QString& dataPath);
    int RecordCount(const QString& dataPath, int recordLength);

    // The whole content of a file (sequential input).
    std::optional<QByteArray> OpenForInput(const QString& dataPath, IoStatus* status = nullptr);
    // Replaces the file's content (sequential output), atomically.
    IoStatus OpenForOutput(const QString& dataPath, const QByteArray& content);

    RecordFile& OpenRandom(const QString& dataPath, int recordLength);
    RecordFile& OpenRandom2(const QString& dataPath, int recordLength);
    RecordFile* current() { return m_current.get(); }
    RecordFile* second() { return m_second.get(); }
    void CloseAll();

    IoStatus CopyDataFile(const QString& from, const QString& to);
    IoStatus DeleteDataFile(const QString& dataPath);
    IoStatus DeleteWithBackup(const QString& dataPath);
    // Renames a file over another atomically (the temporary of a compaction).
    IoStatus ReplaceDataFile(const QString& from, const QString& to);

    // Copies the backup set into \Backup, going on past any failure; returns
    // the names that could not be copied.
    QStringList BackupDataFiles();
    static const QStringList& backupSet();

    // Creates one folder level if nothing of that name exists yet.
    IoStatus MakeFolder(const QString& dataPath);

    const IoStatus& lastError() const { return m_lastError; }

private:
    AppFolder m_folder;
    std::unique_ptr<RecordFile> m_current;
    std::unique_ptr<RecordFile> m_second;
    IoStatus m_lastError;
};
