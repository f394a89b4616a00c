#include "shell/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <type_traits>

namespace Text {

namespace {
// The single byte of every UTF-16 unit, "?" where it has none. The converter
// is asked once, for every character, on first use: a converter made per
// text (or per character) costs more than the text. The converter puts the
// control character SUB (byte 26) where a character has no single-byte form;
// other programs take SUB for the end of a text file, so such characters are
// written as "?" instead. Surrogates are "?" too: no character beyond the
// first 65,536 has a single byte.
const std::array<char, 0x10000>& encodeTable() {
    static const std::array<char, 0x10000> table = [] {
        std::array<char, 0x10000> t;
        t.fill('?');
        QStringEncoder encoder("windows-1252");
        for (char32_t u = 0; u < 0x10000; ++u) {
            const QChar c(u);
            if (c.isSurrogate()) {
                continue;
            }
            const QByteArray b = encoder.encode(QStringView(&c, 1));
            if (b.size() == 1 && (b != "\x1a" || u == 0x1a)) {
                t[u] = b.at(0);
            }
        }
        return t;
    }();
    return table;
}

// Reading thousands of files field by field: a converter per field costs more
// than the parse, so single bytes map through a table made once.
const std::array<char16_t, 256>& decodeTable() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            QStringDecoder decoder("windows-1252");
            const QString one = decoder.decode(QByteArray(1, static_cast<char>(b)));
            t[b] = one.isEmpty() ? u'?' : one.at(0).unicode();
        }
        return t;
    }();
    return table;
}

template <typename Unit>
bool allAscii(const Unit* units, qsizetype count) {
    return std::all_of(units, units + count,
                       [](Unit u) { return static_cast<std::make_unsigned_t<Unit>>(u) < 0x80; });
}
}  // namespace

bool isAscii(QByteArrayView bytes) {
    return allAscii(bytes.data(), bytes.size());
}

bool isAscii(QStringView text) {
    return allAscii(text.utf16(), text.size());
}

QByteArray encode(const QString& text) {
    if (isAscii(text)) {
        return text.toLatin1();
    }
    const auto& table = encodeTable();
    QByteArray out(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A surrogate pair is one character, written as one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        out[n++] = table[c.unicode()];
    }
    out.truncate(n);
    return out;
}

QString decode(QByteArrayView bytes) {
    const auto& table = decodeTable();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        to[i] = QChar(table[static_cast<unsigned char>(bytes.at(i))]);
    }
    return out;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += encode(line);
        out += "\r\n";
    }
    return out;
}

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines << decode(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines << decode(bytes.mid(start));
    }
    return lines;
}

}  // namespace Text
