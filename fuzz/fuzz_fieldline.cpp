// Field-line reader: every field kind read in an order the input chooses, and
// each value that read cleanly written back and read again unchanged.
#include "fuzzsupport.h"

#include "shell/fieldline.h"
#include "shell/money.h"
#include "shell/textcodec.h"

#include <cmath>

namespace {
void readOne(FieldReader& reader, int kind) {
    FieldWriter writer;
    switch (kind) {
        case 0: {
            const QString v = reader.str();
            writer.str(v).endLine();
            FieldReader again(writer.bytes());
            // An unquoted field may hold quotes; they are written as apostrophes.
            QString expected = Text::decode(Text::encode(v));
            expected.replace(QLatin1Char('"'), QLatin1Char('\''));
            FUZZ_CHECK(again.str() == expected);
            FUZZ_CHECK(again.ok());
            break;
        }
        case 1: {
            const bool before = reader.ok();
            const double v = reader.num();
            if (!before || !reader.ok()) {
                break;
            }
            writer.num(v).endLine();
            FieldReader again(writer.bytes());
            const double back = again.num();
            FUZZ_CHECK(again.ok());
            FUZZ_CHECK(std::fabs(back - v) <= 1e-13 * std::fmax(1.0, std::fabs(v)));
            break;
        }
        case 2:
            reader.integer();
            break;
        case 3: {
            const bool before = reader.ok();
            const Money v = reader.money();
            if (!before || !reader.ok()) {
                break;
            }
            writer.money(v).endLine();
            FieldReader again(writer.bytes());
            FUZZ_CHECK(again.money() == v);
            FUZZ_CHECK(again.ok());
            break;
        }
        case 4: {
            const bool before = reader.ok();
            const bool v = reader.boolean();
            if (!before || !reader.ok()) {
                break;
            }
            writer.boolean(v).endLine();
            FieldReader again(writer.bytes());
            FUZZ_CHECK(again.boolean() == v);
            break;
        }
        default: {
            const bool before = reader.ok();
            const QDate v = reader.date();
            if (!before || !reader.ok()) {
                break;
            }
            writer.date(v).endLine();
            FieldReader again(writer.bytes());
            FUZZ_CHECK(again.date() == v);
            FUZZ_CHECK(again.ok());
            break;
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte picks the order of kinds; the rest is the file.
    const unsigned order = data[0];
    FieldReader reader(fuzzBytes(data + 1, size - 1));
    for (int i = 0; i < 64 && !reader.atEnd(); ++i) {
        readOne(reader, static_cast<int>((order + static_cast<unsigned>(i) * (order | 1u)) % 6u));
    }
    FieldNumberText(reader.num());
    return 0;
}
