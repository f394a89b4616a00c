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
// temporary file in the same folder that replaces the old one only when every
// byte reached it, so a failed write leaves the old file as it was and
// reports the error.
//
// One record file at a time is "current" (OpenRandom); OpenRandom2 keeps a
// second one open beside it. DeleteDataFile and BackupDataFiles close both.
class FileStore {
public:
    explicit FileStore(AppFolder folder);

    const AppFolder& folder() const { return m_folder; }
    QString fullPath(const QString& dataPath) const { return m_folder.resolve(dataPath); }

    // Whether the file is there; a missing file whose backup copy exists is
    // first restored from it. A folder never counts as a file. A restore that
    // fails is Failed, naming the file and the reason.
    Existence probe(const QString& dataPath);
    // Present only: a failed restore reads as a missing file.
    bool FileExists(const QString& dataPath) { return probe(dataPath).isPresent(); }
    int RecordCount(const QString& dataPath, int recordLength);

    // The whole content of a file (sequential input).
    IoResult<QByteArray> OpenForInput(const QString& dataPath);
    // Replaces the file's content (sequential output), atomically.
    IoStatus OpenForOutput(const QString& dataPath, const QByteArray& content);
    // Every record of a record file, RecordCount x recordLength bytes (a last
    // record that the count includes is completed with zeros, as a read past
    // the end gives). Empty for a missing file; a failed restore or read is a
    // failure, never a run of zero records.
    IoResult<QByteArray> ReadRecords(const QString& dataPath, int recordLength);

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
    [[nodiscard]] QStringList BackupDataFiles();
    static const QStringList& backupSet();

    // Removes from the folder what whole-file writes cut short by the
    // program's death left behind: the temporary "<name>.<ext>.XXXXXX" that
    // would have replaced the file. No reader ever looks at one.
    void RemoveUnfinishedWrites(const QString& dataFolder);

    // For folders of thousands of files, read from end to end: the names of
    // a folder's plain files that end in `suffix` (any letter case), in the
    // folder's own order, from one pass over it; and the whole of a file just
    // listed (its full path), opened as spelled, with none of the look-ups or
    // the restore of OpenForInput. Nothing when it cannot be opened or read.
    QStringList ListFiles(const QString& dataFolder, QLatin1String suffix) const;
    static std::optional<QByteArray> ReadListed(const QString& fullPath);

    // Creates one folder level if nothing of that name exists yet.
    IoStatus MakeFolder(const QString& dataPath);

    // Tests only: every step for which the hook returns true fails as a full
    // disk would.
    void setFaultHook(FaultHook hook) { m_fault = std::move(hook); }

private:
    bool faulty(FileStep step, const QString& fullPath) const;
    IoStatus writeWhole(const QString& full, const QByteArray& content) const;
    IoResult<QByteArray> readWhole(const QString& full) const;
    IoStatus copy(const QString& src, const QString& dst) const;

    AppFolder m_folder;
    std::unique_ptr<RecordFile> m_current;
    std::unique_ptr<RecordFile> m_second;
    FaultHook m_fault;
};
