#include "accounts/postings.h"

#include "shell/filestore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

IoStatus applyWrite(FileStore& store, const PlannedWrite& write) {
    switch (write.kind) {
        case PlannedWrite::Kind::Record: {
            RecordFile& file = store.OpenRandom(write.path, static_cast<int>(write.bytes.size()));
            const IoStatus s = file.write(write.slot, write.bytes);
            file.close();
            return s;
        }
        case PlannedWrite::Kind::File:
            return store.OpenForOutput(write.path, write.bytes);
        case PlannedWrite::Kind::Copy:
            return store.CopyDataFile(write.from, write.path);
        case PlannedWrite::Kind::Remove:
            return store.DeleteDataFile(write.path);
    }
    return {};
}

void PostingPlan::appendRecord(const QString& dataPath, const QByteArray& record) {
    const QString key = m_store.fullPath(dataPath);
    auto last = m_lastSlot.find(key);
    if (last == m_lastSlot.end()) {
        last = m_lastSlot.insert(key, m_store.RecordCount(dataPath, int(record.size())));
    }
    putRecord(dataPath, last.value() + 1, record);
}

void PostingPlan::putRecord(const QString& dataPath, int slot, const QByteArray& record) {
    m_lastSlot.insert(m_store.fullPath(dataPath), slot);
    m_writes.append({PlannedWrite::Kind::Record, dataPath, slot, record, {}});
}

void PostingPlan::replaceFile(const QString& dataPath, const QByteArray& content) {
    m_writes.append({PlannedWrite::Kind::File, dataPath, 0, content, {}});
}

void PostingPlan::copyFile(const QString& from, const QString& to) {
    m_writes.append({PlannedWrite::Kind::Copy, to, 0, {}, from});
}

void PostingPlan::removeFile(const QString& dataPath) {
    m_writes.append({PlannedWrite::Kind::Remove, dataPath, 0, {}, {}});
}

IoStatus checkWritable(FileStore& store, const QString& dataPath) {
    const QString full = store.fullPath(dataPath);
    const QFileInfo info(full);
    if (info.isDir()) {
        return IoStatus::failure(full, QStringLiteral("a folder of that name is in the way"));
    }
    QTemporaryFile probe(info.absolutePath() + QStringLiteral("/probe-XXXXXX.tmp"));
    if (!probe.open()) {
        return IoStatus::failure(
            full, QStringLiteral("its folder cannot be written: ") + probe.errorString());
    }
    if (info.exists()) {
        QFile file(full);
        if (!file.open(QIODevice::ReadWrite)) {
            return IoStatus::failure(full, file.errorString());
        }
    }
    return {};
}
