#pragma once

// Case files of tests/data: one case a line, "name | cell | cell ...", or
// "kind | name | cell ..." in a file that holds the rows of several tables;
// "#" lines and blank lines are left out. A cell is trimmed, but for a blank
// escaped at its end ("\ "); one written in double quotes keeps its blanks.
// Escapes: \r \n \t \b \0 and \xHH stand for their bytes; a backslash
// before any other character keeps that character as it is (\\, \|, \;, \").
// A cell can hold a list, its items split at ";". The text of a cell is UTF-8.

#include "tempapp.h"
#include "testmain.h"

#include <QByteArrayList>
#include <QStringList>
#include <QTest>

#include <cctype>

namespace cases {

inline QByteArray decode(const QByteArray& raw) {
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

// `raw` split at the unescaped `sep`, each piece trimmed of its blanks but
// not of an escaped one ("\ ").
inline QByteArrayList split(const QByteArray& raw, char sep) {
    QByteArrayList out;
    QByteArray cell;
    qsizetype kept = 0;  // the length up to the cell's last escape
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        if (i == raw.size() || raw[i] == sep) {
            qsizetype start = 0;
            qsizetype end = cell.size();
            while (end > kept && std::isspace(uchar(cell[end - 1]))) {
                --end;
            }
            while (start < end && std::isspace(uchar(cell[start]))) {
                ++start;
            }
            out << cell.mid(start, end - start);
            cell.clear();
            kept = 0;
            continue;
        }
        cell += raw[i];
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            cell += raw[++i];
            kept = cell.size();
        }
    }
    return out;
}

// A cell written in double quotes without them.
inline QByteArray unquoted(const QByteArray& cell) {
    const bool quoted =
        cell.size() >= 2 && cell.startsWith('"') && cell.endsWith('"') && !cell.endsWith("\\\"");
    return quoted ? cell.mid(1, cell.size() - 2) : cell;
}

// One case: its cells as bytes, text, numbers or lists.
struct Row {
    QByteArrayList cells;
    QByteArray bytes(int i) const { return decode(unquoted(cells.value(i))); }
    QString text(int i) const { return QString::fromUtf8(bytes(i)); }
    int number(int i) const { return text(i).toInt(); }
    qint64 big(int i) const { return text(i).toLongLong(); }
    double real(int i) const { return text(i).toDouble(); }
    bool yes(int i) const { return cells.value(i) == "yes"; }
    QStringList list(int i) const {
        QStringList out;
        for (const QByteArray& item : split(cells.value(i), ';')) {
            out << QString::fromUtf8(decode(unquoted(item)));
        }
        return cells.value(i).isEmpty() ? QStringList() : out;
    }
    QList<int> numbers(int i) const {
        QList<int> out;
        for (const QString& item : list(i)) {
            out << item.toInt();
        }
        return out;
    }
    QByteArray operator[](int i) const { return bytes(i); }
    QByteArrayList mid(int from) const {
        QByteArrayList out;
        for (int i = from; i < cells.size(); ++i) {
            out << bytes(i);
        }
        return out;
    }
};

// In a _data function: one row, column "case", for each line of `file`, or
// for each line of `kind` in it.
inline void load(const QString& file, const QByteArray& kind = {}) {
    QTest::addColumn<QByteArrayList>("case");
    int rows = 0;
    for (const QByteArray& line : testData(file).split('\n')) {
        QByteArrayList cells = split(line, '|');
        if (!line.trimmed().isEmpty() && !line.startsWith('#') &&
            (kind.isEmpty() || (cells.takeFirst() == kind && !cells.isEmpty()))) {
            QTest::newRow(decode(cells.first()).constData()) << cells.mid(1);
            ++rows;
        }
    }
    QVERIFY2(rows > 0, qPrintable(file + QStringLiteral(": no cases ") + kind));
}

// In the test function: the current case.
inline Row row() {
    return Row{fetched<QByteArrayList>("case")};
}

}  // namespace cases

inline QString str(const QByteArray& cell) {
    return QString::fromUtf8(cell);
}

inline QStringList strs(const QByteArrayList& cells) {
    QStringList out;
    for (const QByteArray& cell : cells) {
        out << str(cell);
    }
    return out;
}
