// Raw-line reader and the single-byte codec: lines split from any bytes join
// and split again to the same lines, and text decoded from single bytes
// encodes to as many bytes.
#include "fuzzsupport.h"

#include "shell/textcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const QStringList lines = Text::splitLines(bytes);
    FUZZ_CHECK(Text::splitLines(Text::joinLines(lines)) == lines);
    const QString text = Text::decode(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(Text::encode(text).size() == bytes.size());
    // Text from elsewhere (UTF-8 pasted or read from a foreign file) is
    // written at most one byte per character.
    const QString foreign = QString::fromUtf8(bytes);
    FUZZ_CHECK(Text::encode(foreign).size() <= foreign.size());
    return 0;
}
