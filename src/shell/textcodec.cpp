#include "shell/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Text {

QByteArray encode(const QString& text) {
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
    QByteArray out = encoder.encode(text);
    return out;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    QString out = decoder.decode(bytes);
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
