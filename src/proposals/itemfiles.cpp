#include "proposals/itemfiles.h"

#include "shell/filestore.h"

#include <QFileInfo>

namespace ItemFiles {

namespace {

const QString kDescription = QStringLiteral("Description");
const QString kCategory = QStringLiteral("Category");
const QString kUnitPrice = QStringLiteral("UnitPrice");
const QString kTypedPrice = QStringLiteral("TypedPrice");

// Whole records of a record file, read in one go. A missing file is empty.
QList<QByteArray> wholeRecords(FileStore& store, const QString& dataPath, int length,
                               Reading* reading) {
    Reading r;
    QList<QByteArray> out;
    r.found = store.FileExists(dataPath);
    if (r.found) {
        const std::optional<QByteArray> bytes = store.OpenForInput(dataPath, &r.status);
        if (bytes) {
            const qsizetype n = bytes->size() / length;
            r.partialRecord = bytes->size() % length != 0;
            out.reserve(n);
            for (qsizetype i = 0; i < n; ++i) {
                out.append(bytes->mid(i * length, length));
            }
        }
    }
    if (reading) {
        *reading = r;
    }
    return out;
}

}  // namespace

QString inventoryPath() {
    return QStringLiteral("\\TIInventoriedItems.txt");
}
QString customPath() {
    return QStringLiteral("\\CustomItems.txt");
}

const RecordLayout& inventoryLayout() {
    static const RecordLayout layout = RecordLayout()
                                           .text(kDescription, 50)
                                           .text(kCategory, 20)
                                           .money(kUnitPrice)
                                           .money(kTypedPrice)
                                           .int16(QStringLiteral("Small1"))
                                           .money(QStringLiteral("OtherMoney"))
                                           .int32(QStringLiteral("Long1"))
                                           .int16(QStringLiteral("Small2"))
                                           .int16(QStringLiteral("Small3"));
    return layout;
}

const RecordLayout& customLayout() {
    static const RecordLayout layout = RecordLayout()
                                           .text(kDescription, 50)
                                           .money(kUnitPrice)
                                           .real(QStringLiteral("Unused8"))
                                           .int32(QStringLiteral("Unused4"));
    return layout;
}

QList<InventoryItem> readInventory(FileStore& store, Reading* reading) {
    QList<InventoryItem> items;
    for (const QByteArray& bytes :
         wholeRecords(store, inventoryPath(), InventoryRecordLength, reading)) {
        const Record r(inventoryLayout(), bytes);
        items.append({r.trimmed(kDescription), r.trimmed(kCategory), r.money(kUnitPrice),
                      r.money(kTypedPrice)});
    }
    return items;
}

QList<CustomItem> readCustom(FileStore& store, Reading* reading) {
    QList<CustomItem> items;
    for (const QByteArray& bytes : wholeRecords(store, customPath(), CustomRecordLength, reading)) {
        const Record r(customLayout(), bytes);
        items.append({r.trimmed(kDescription), r.money(kUnitPrice)});
    }
    return items;
}

Record newInventoryRecord(const QString& description, const QString& category, Money typedPrice) {
    Record r(inventoryLayout());
    r.setText(kDescription, description);
    r.setText(kCategory, category);
    r.setMoney(kTypedPrice, typedPrice);
    return r;
}

IoStatus appendInventory(FileStore& store, const QString& description, const QString& category,
                         Money typedPrice, int* recordNumber) {
    const QString full = store.fullPath(inventoryPath());
    RecordFile& file = store.OpenRandom(inventoryPath(), InventoryRecordLength);
    IoStatus s = file.status();
    if (s) {
        const qint64 size = QFileInfo(full).size();
        if (size % InventoryRecordLength != 0) {
            // Another program owns this file; a torn record is not ours to fix.
            s = IoStatus::failure(full, QStringLiteral("its length is not a whole number of "
                                                       "item records"));
        } else {
            const int number = static_cast<int>(size / InventoryRecordLength) + 1;
            s = file.write(number, newInventoryRecord(description, category, typedPrice).bytes());
            if (s && recordNumber) {
                *recordNumber = number;
            }
        }
    }
    store.CloseAll();
    return s;
}

}  // namespace ItemFiles
