#pragma once

#include "shell/iostatus.h"

#include <QString>

#include <array>

class FileStore;

struct SpeedDialEntry {
    QString name;
    QString number;
};

// The ten speed-dial slots and their file, /SpeedNumbers.txt: raw lines, a
// name line then a number line per entry, entries in slot order, free slots
// (empty names) left out.
class SpeedDialTable {
public:
    static constexpr int kSlots = 10;
    static QString fileName() { return QStringLiteral("/SpeedNumbers.txt"); }

    static bool isSlot(int slot) { return slot >= 0 && slot < kSlots; }
    const SpeedDialEntry& at(int slot) const { return m_slots.at(slot); }
    SpeedDialEntry& at(int slot) { return m_slots.at(slot); }
    bool isFree(int slot) const { return m_slots.at(slot).name.isEmpty(); }
    int usedSlots() const;

    // Fills the slots from 0 in file order. A hand-edited file may hold more
    // than ten entries or end with a name but no number: the first ten whole
    // entries are kept and the rest ignored.
    IoStatus LoadSpeedNumbers(FileStore& store);
    IoStatus SaveSpeedNumbers(FileStore& store) const;

    void clear() { m_slots = {}; }

private:
    std::array<SpeedDialEntry, kSlots> m_slots;
};
