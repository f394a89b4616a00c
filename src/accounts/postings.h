#pragma once

#include "shell/iostatus.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class FileStore;

// One write of an invoice run, made so that making it twice does what making
// it once does: a record put at a slot fixed when it was planned (not "at the
// end", which would add a second record), a whole file's new content, a copy
// or a removal. An interrupted run is completed by making its writes again.
struct PlannedWrite {
    enum class Kind { Record, File, Copy, Remove };

    Kind kind = Kind::File;
    QString path;      // data path written (the copy's target)
    int slot = 0;      // Record: the record number, from 1
    QByteArray bytes;  // Record and File: what is written
    QString from;      // Copy: the data path copied

    bool operator==(const PlannedWrite&) const = default;
};

[[nodiscard]] IoStatus applyWrite(FileStore& store, const PlannedWrite& write);

// Makes the writes of a run; tests put one in its place that fails at a
// chosen write.
using WriteApplier = std::function<IoStatus(FileStore&, const PlannedWrite&)>;

// The writes of one step of a run, in order. Appends to one file take the
// slots after its last record, one after the other.
class PostingPlan {
public:
    explicit PostingPlan(FileStore& store) : m_store(store) {}

    void appendRecord(const QString& dataPath, const QByteArray& record);
    void putRecord(const QString& dataPath, int slot, const QByteArray& record);
    void replaceFile(const QString& dataPath, const QByteArray& content);
    void copyFile(const QString& from, const QString& to);
    void removeFile(const QString& dataPath);

    FileStore& store() { return m_store; }
    const QList<PlannedWrite>& writes() const { return m_writes; }

private:
    FileStore& m_store;
    QList<PlannedWrite> m_writes;
    QHash<QString, int> m_lastSlot;
};

// Whether a write to the file can be expected to succeed: its folder takes a
// new file (a whole-file write goes through a temporary beside it), and an
// existing file opens for writing. Nothing is changed.
[[nodiscard]] IoStatus checkWritable(FileStore& store, const QString& dataPath);
