// Every settings file with any content: each reader gives its defaults or
// values within their ranges, and a settings file written from what was read
// reads back to the same settings.
#include "fuzzsupport.h"

#include "settings/settingsfiles.h"

namespace {
ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

using Reader = IoStatus (*)(FileStore&, Settings&);
using Writer = IoStatus (*)(FileStore&, const Settings&);

struct SettingsFile {
    QString path;
    Reader read;
    Writer write;  // null for files this program never writes
};

const SettingsFile kFiles[] = {
    {SettingsFiles::kTaxSettings, SettingsFiles::readTaxSettings, SettingsFiles::writeTaxSettings},
    {SettingsFiles::kPrompts, SettingsFiles::readPrompts, SettingsFiles::writePrompts},
    {SettingsFiles::kLogoSettings, SettingsFiles::readLogoSize, nullptr},
    {SettingsFiles::kCompanyLogo, SettingsFiles::readLogo, nullptr},
    {SettingsFiles::kPrintColours, SettingsFiles::readPrintColours,
     SettingsFiles::writePrintColours},
    {SettingsFiles::kPhone, SettingsFiles::readPhoneOptions, nullptr},
    {SettingsFiles::kCallerId, SettingsFiles::readCallerId, nullptr},
    {SettingsFiles::kWebSite, SettingsFiles::readWebAddress, nullptr},
};

void businessData(const QByteArray& file) {
    scratch().put(SettingsFiles::kBusinessData.mid(1), file);
    FileStore& store = scratch().store();
    const IoResult<std::optional<QStringList>> first = SettingsFiles::readBusinessData(store);
    FUZZ_CHECK(first.ok());
    FUZZ_CHECK(first->has_value());
    FUZZ_CHECK((*first)->size() == Settings::BusinessFieldCount);
    // Quotes are written as apostrophes: from the first write on, a read and
    // a write change nothing.
    FUZZ_CHECK(SettingsFiles::writeBusinessData(store, **first).ok());
    const QByteArray written = scratch().get(SettingsFiles::kBusinessData.mid(1));
    const IoResult<std::optional<QStringList>> again = SettingsFiles::readBusinessData(store);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(SettingsFiles::writeBusinessData(store, **again).ok());
    FUZZ_CHECK(scratch().get(SettingsFiles::kBusinessData.mid(1)) == written);
}

void oneFile(const SettingsFile& f, const QByteArray& file) {
    scratch().put(f.path.mid(1), file);
    FileStore& store = scratch().store();
    Settings first;
    FUZZ_CHECK(f.read(store, first).ok());
    FUZZ_CHECK(first.copies >= 1 && first.copies <= 5);
    FUZZ_CHECK(first.borderColour <= 0xFFFFFFu && first.textColour <= 0xFFFFFFu);
    if (!f.write) {
        return;
    }
    FUZZ_CHECK(f.write(store, first).ok());
    const QByteArray written = scratch().get(f.path.mid(1));
    Settings again;
    FUZZ_CHECK(f.read(store, again).ok());
    FUZZ_CHECK(f.write(store, again).ok());
    FUZZ_CHECK(scratch().get(f.path.mid(1)) == written);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray file = fuzzBytes(data + 1, size - 1);
    const int pick = data[0] % 9;
    if (pick == 8) {
        businessData(file);
    } else {
        oneFile(kFiles[pick], file);
    }
    return 0;
}
