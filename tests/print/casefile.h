#pragma once

// Case files of tests/data: one case a line, "name | cell | cell ...", "#"
// lines and blank lines left out. A cell is trimmed; one written in double
// quotes keeps its blanks. Escapes: \r \n \t \b \\ \| \; \" and \xHH (a byte).
// A cell can hold a list, its items split at ";".

#include "caseescapes.h"

#include <QByteArrayList>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace cases {

// `raw` split at the unescaped `sep`, each piece trimmed.
inline QByteArrayList split(const QByteArray& raw, char sep) {
    QByteArrayList out{QByteArray()};
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == sep) {
            out << QByteArray();
            continue;
        }
        out.last() += raw[i];
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            out.last() += raw[++i];
        }
    }
    for (QByteArray& cell : out) {
        cell = cell.trimmed();
    }
    return out;
}

// A cell written in double quotes without them.
inline QByteArray unquoted(const QByteArray& cell) {
    const bool quoted =
        cell.size() >= 2 && cell.startsWith('"') && cell.endsWith('"') && !cell.endsWith("\\\"");
    return quoted ? cell.mid(1, cell.size() - 2) : cell;
}

inline QByteArray decode(const QByteArray& raw) {
    return CaseUnescaped(raw);
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
};

// In a _data function: one row, column "case", for each line of `file`.
inline void load(const QString& file) {
    QFile f(QStringLiteral(TOLVAR_TEST_DATA "/") + file);
    if (!f.open(QIODevice::ReadOnly)) {
        QFAIL(qPrintable("no case file " + f.fileName()));
    }
    QTest::addColumn<QByteArrayList>("case");
    int rows = 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
            const QByteArrayList cells = split(line, '|');
            QTest::newRow(cells.first().constData()) << cells.mid(1);
            ++rows;
        }
    }
    QVERIFY2(rows > 0, qPrintable("no cases in " + f.fileName()));
}

// In the test function: the current case.
inline Row row() {
    return Row{*static_cast<QByteArrayList*>(QTest::qData("case", qMetaTypeId<QByteArrayList>()))};
}

}  // namespace cases
