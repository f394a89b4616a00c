#pragma once

#include "caseescapes.h"
#include "tempapp.h"

#include <QTest>

// Case files under tests/data hold table rows, one a line:
//   kind | row name | field | field ...
// Blank lines and lines starting with '#' are skipped. Fields are trimmed;
// \r \n \t \0 \\ \| and \xHH stand for their bytes (\x20 for a space at the
// edge of a field). The text of a field is UTF-8.
using Case = QList<QByteArray>;

namespace CaseFile {
inline QByteArray unescaped(const QByteArray& raw) {
    return CaseUnescaped(raw);
}

inline Case fields(const QByteArray& line) {
    Case out;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '|') {
            out << unescaped(line.mid(from, i - from).trimmed());
            from = i + 1;
        } else if (line[i] == '\\') {
            ++i;
        }
    }
    return out;
}
}  // namespace CaseFile

// Adds the rows of one kind as the column "c": the fields after the name.
inline void addCases(const QString& file, const QByteArray& kind) {
    QTest::addColumn<Case>("c");
    int rows = 0;
    for (const QByteArray& line : testData(file).split('\n')) {
        const Case c = CaseFile::fields(line);
        if (c.size() >= 2 && c[0] == kind) {
            QTest::newRow(c[1].constData()) << c.mid(2);
            ++rows;
        }
    }
    QVERIFY2(rows > 0, qPrintable(file + QStringLiteral(": no rows of ") + kind));
}

inline QString str(const QByteArray& field) {
    return QString::fromUtf8(field);
}
