// The speed-dial file as a user may edit it: loading fills at most the ten
// slots, and saving what was loaded and loading it again changes nothing.
#include "fuzzsupport.h"

#include "dialer/speeddialtable.h"

namespace {
ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = SpeedDialTable::fileName().mid(1);
    scratch().put(path, fuzzBytes(data, size));
    FileStore& store = scratch().store();
    SpeedDialTable first;
    FUZZ_CHECK(first.LoadSpeedNumbers(store).ok());
    FUZZ_CHECK(first.usedSlots() <= SpeedDialTable::kSlots);
    FUZZ_CHECK(first.SaveSpeedNumbers(store).ok());
    const QByteArray saved = scratch().get(path);
    SpeedDialTable again;
    FUZZ_CHECK(again.LoadSpeedNumbers(store).ok());
    FUZZ_CHECK(again.usedSlots() == first.usedSlots());
    FUZZ_CHECK(again.SaveSpeedNumbers(store).ok());
    FUZZ_CHECK(scratch().get(path) == saved);
    return 0;
}
