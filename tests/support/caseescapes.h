#pragma once

#include <QByteArray>

// The escapes of the case files under tests/data: \r \n \t \b \0 and \xHH
// stand for their bytes; a backslash before any other character keeps that
// character as it is (\\, \|, \;, \").
inline QByteArray CaseUnescaped(const QByteArray& raw) {
    static const QByteArray from("rntb0");
    static const QByteArray to("\r\n\t\b\0", 5);
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            out += raw[i];
        } else if (raw[++i] == 'x') {
            out += char(raw.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            const qsizetype k = from.indexOf(raw[i]);
            out += k < 0 ? raw[i] : to[k];
        }
    }
    return out;
}
