#pragma once

#include "shell/iostatus.h"
#include "shell/money.h"
#include "shell/recordfile.h"

#include <QList>
#include <QString>

class FileStore;

// \TIInventoriedItems.txt belongs to a separate inventory program: 104-byte
// records that this program reads and appends to. \CustomItems.txt holds
// 70-byte records and is only read.
namespace ItemFiles {

inline constexpr int InventoryRecordLength = 104;
inline constexpr int CustomRecordLength = 70;

QString inventoryPath();  // "\TIInventoriedItems.txt"
QString customPath();     // "\CustomItems.txt"

// Field names: "Description", "Category", "UnitPrice", "TypedPrice", "Small1",
// "OtherMoney", "Long1", "Small2", "Small3".
const RecordLayout& inventoryLayout();
// Field names: "Description", "UnitPrice", "Unused8", "Unused4".
const RecordLayout& customLayout();

struct InventoryItem {
    QString description;  // trimmed
    QString category;     // trimmed
    Money unitPrice;      // first money field
    Money typedPrice;     // second money field
    bool operator==(const InventoryItem&) const = default;
};

struct CustomItem {
    QString description;  // trimmed
    Money unitPrice;
    bool operator==(const CustomItem&) const = default;
};

// The whole records of an item file, in file order. A missing item file is
// simply empty (found false).
template <typename Item>
struct [[nodiscard]] Reading {
    QList<Item> items;
    bool found = false;
    // Trailing bytes that do not make a whole record were ignored.
    bool partialRecord = false;
    IoStatus status;  // the file exists but could not be read
};

Reading<InventoryItem> readInventory(FileStore& store);
Reading<CustomItem> readCustom(FileStore& store);

// The record the writer adds: description and category, 0 in the first
// money field, the typed price in the second, 0 elsewhere.
Record newInventoryRecord(const QString& description, const QString& category, Money typedPrice);

// Appends it as record (count + 1), creating the file if needed. A file
// whose length is not a whole number of records is left untouched and the
// append refused.
[[nodiscard]] IoStatus appendInventory(FileStore& store, const QString& description,
                                       const QString& category, Money typedPrice);

}  // namespace ItemFiles
