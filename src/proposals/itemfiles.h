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

struct Reading {
    // True when the file exists; a missing item file is simply empty.
    bool found = false;
    // Trailing bytes that do not make a whole record were ignored.
    bool partialRecord = false;
    IoStatus status;
};

// All whole records, in file order.
QList<InventoryItem> readInventory(FileStore& store, Reading* reading = nullptr);
QList<CustomItem> readCustom(FileStore& store, Reading* reading = nullptr);

// The record the writer adds: description and category, 0 in the first
// money field, the typed price in the second, 0 elsewhere.
Record newInventoryRecord(const QString& description, const QString& category, Money typedPrice);

// Appends it as record (count + 1), creating the file if needed, and gives
// back the record number. A file whose length is not a whole number of
// records is left untouched and the append refused.
IoStatus appendInventory(FileStore& store, const QString& description, const QString& category,
                         Money typedPrice, int* recordNumber = nullptr);

}  // namespace ItemFiles
