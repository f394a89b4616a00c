#include "dialer/speeddialtable.h"

#include "shell/filestore.h"
#include "shell/textcodec.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace {
// A line break inside a value would split the entry over two lines and shift
// every later entry by one when the file is read back.
QString oneLine(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}
}  // namespace

int SpeedDialTable::usedSlots() const {
    return static_cast<int>(std::count_if(
        m_slots.begin(), m_slots.end(), [](const SpeedDialEntry& e) { return !e.name.isEmpty(); }));
}

IoStatus SpeedDialTable::LoadSpeedNumbers(FileStore& store) {
    clear();
    const Existence e = store.probe(fileName());
    if (!e.isPresent()) {
        return e.status();
    }
    const IoResult<QByteArray> bytes = store.OpenForInput(fileName());
    if (!bytes) {
        return bytes.status();
    }
    const QStringList lines = Text::splitLines(*bytes);
    const qsizetype entries = std::min<qsizetype>(lines.size() / 2, kSlots);
    for (qsizetype i = 0; i < entries; ++i) {
        m_slots[i] = {lines.at(2 * i), lines.at(2 * i + 1)};
    }
    return {};
}

IoStatus SpeedDialTable::SaveSpeedNumbers(FileStore& store) const {
    QStringList lines;
    for (const SpeedDialEntry& entry : m_slots) {
        if (!entry.name.isEmpty()) {
            lines << oneLine(entry.name) << oneLine(entry.number);
        }
    }
    return store.OpenForOutput(fileName(), Text::joinLines(lines));
}
