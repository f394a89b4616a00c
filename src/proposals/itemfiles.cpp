#include "proposals/itemfiles.h"

#include "shell/filestore.h"

#include <QFileInfo>

namespace ItemFiles {

namespace {

const QString kDescription = QStringLiteral("Description");
const QString kCategory = QStringLiteral("Category");
const QString kUnitPrice = QStringLiteral("UnitPrice");
const QString kTypedPrice = QStringLiteral("TypedPrice");

// Whole records of an item file, each turned into an item.
template <typename Item, typename Convert>
Reading<Item> wholeRecords(FileStore& store, const QString& dataPath, int length, Convert convert) {
    Reading<Item> r;
    r.found = store.FileExists(dataPath);
    if (!r.found) {
        return r;
    }
    const IoResult<QByteArray> bytes = store.OpenForInput(dataPath);
    if (!bytes) {
        r.status = bytes.status();
        return r;
    }
    r.partialRecord = bytes->size() % length != 0;
    for (qsizetype at = 0; at + length <= bytes->size(); at += length) {
        r.items.append(convert(bytes->mid(at, length)));
    }
    return r;
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

Reading<InventoryItem> readInventory(FileStore& store) {
    return wholeRecords<InventoryItem>(
        store, inventoryPath(), InventoryRecordLength, [](const QByteArray& bytes) {
            const Record r(inventoryLayout(), bytes);
            return InventoryItem{r.trimmed(kDescription), r.trimmed(kCategory), r.money(kUnitPrice),
                                 r.money(kTypedPrice)};
        });
}

Reading<CustomItem> readCustom(FileStore& store) {
    return wholeRecords<CustomItem>(
        store, customPath(), CustomRecordLength, [](const QByteArray& bytes) {
            const Record r(customLayout(), bytes);
            return CustomItem{r.trimmed(kDescription), r.money(kUnitPrice)};
        });
}

Record newInventoryRecord(const QString& description, const QString& category, Money typedPrice) {
    Record r(inventoryLayout());
    r.setText(kDescription, description);
    r.setText(kCategory, category);
    r.setMoney(kTypedPrice, typedPrice);
    return r;
}

IoStatus appendInventory(FileStore& store, const QString& description, const QString& category,
                         Money typedPrice) {
    const QString full = store.fullPath(inventoryPath());
    RecordFile& file = store.OpenRandom(inventoryPath(), InventoryRecordLength);
    IoStatus s = file.status();
    const qint64 size = QFileInfo(full).size();
    if (s && size % InventoryRecordLength != 0) {
        // Another program owns this file; a torn record is not ours to fix.
        s = IoStatus::failure(full,
                              QStringLiteral("its length is not a whole number of item records"));
    } else if (s) {
        const int number = static_cast<int>(size / InventoryRecordLength) + 1;
        s = file.write(number, newInventoryRecord(description, category, typedPrice).bytes());
    }
    store.CloseAll();
    return s;
}

}  // namespace ItemFiles
