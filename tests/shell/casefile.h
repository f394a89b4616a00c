#pragma once

#include "../print/casefile.h"
#include "tempapp.h"

#include <QTest>

// Case files under tests/data hold table rows, one a line:
//   kind | row name | field | field ...
// Blank lines and lines starting with '#' are skipped. Fields are trimmed;
// \r \n \t \0 \\ \| and \xHH stand for their bytes (\x20 for a space at the
// edge of a field). The text of a field is UTF-8.
using Case = QList<QByteArray>;

// Adds the rows of one kind as the column "c": the fields after the name.
inline void addCases(const QString& file, const QByteArray& kind) {
    QTest::addColumn<Case>("c");
    int rows = 0;
    for (const QByteArray& line : testData(file).split('\n')) {
        Case c;
        for (const QByteArray& field : cases::split(line, '|')) {
            c << cases::decode(field);
        }
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

inline QStringList strs(const Case& fields) {
    QStringList out;
    for (const QByteArray& field : fields) {
        out << str(field);
    }
    return out;
}

// The program's message for a data file it could not use, expected next.
inline void expectUnusable(TempApp& app, const QString& file, bool fromBackup = false) {
    app.prompter.expectMessage(
        QStringLiteral("The file %1 could not be used: %2Filename refers to a directory")
            .arg(app.path(file),
                 fromBackup ? QStringLiteral("it could not be restored from the Backup folder: ")
                            : QString()),
        QStringLiteral("Tolvar Proposals"), Icon::Critical);
}

// Flags as a row of 0s and 1s, to compare several in one line.
inline QString bits(std::initializer_list<bool> flags) {
    QString out;
    for (const bool flag : flags) {
        out += flag ? QLatin1Char('1') : QLatin1Char('0');
    }
    return out;
}
