#pragma once

#include "customerrecords.h"
#include "customers/customerscreen.h"
#include "tempapp.h"

#include <QTest>

// The bytes of a golden file under tests/data/customers.
inline QByteArray golden(const char* name) {
    return testData(QStringLiteral("customers/") + QLatin1String(name));
}

// Expects the message box `name` of tests/data/customers/prompts.txt.
inline void expect(ScriptedPrompter& p, const QString& name, Answer a = Answer::Ok,
                   const QStringList& args = {}) {
    CaseFile::expectPrompt(p, "customers/prompts.txt", name, a, args);
}

// Records of a test file, each slot filled with one letter, so that moved
// records can be recognised.
inline QByteArray lettered(const QByteArray& letters, int length) {
    QByteArray out;
    for (char c : letters) {
        out += QByteArray(length, c);
    }
    return out;
}

// The bytes of pairs of a text and a count: each letter of the text `count`
// times (once when the count is left out, "%00" a zero byte); "@NAME" is
// the record NAME of records.txt `count` times.
inline QByteArray built(const QStringList& pieces) {
    QByteArray out;
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        const int count = pieces.value(i + 1, "1").toInt();
        if (pieces[i].startsWith(u'@')) {
            out += recordNamed(pieces[i].mid(1)).toBytes().repeated(count);
        } else {
            out += lettered(QByteArray::fromPercentEncoding(pieces[i].toLatin1()), count);
        }
    }
    return out;
}
