#pragma once

#include "../accounts/casefile.h"
#include "customers/customerrecord.h"

// The record `name` of tests/data/customers/records.txt; a name that is not
// there fails the test rather than give a blank record.
inline CustomerRecord recordNamed(const QString& name) {
    for (const QStringList& f : CaseFile::read("customers/records.txt")) {
        if (f.size() == 20 && f.first() == name) {
            const qint16 newFlag = qint16(f[18].toInt()), spare = qint16(f[19].toInt());
            return {f[1],  f[2],  f[3],  f[4],  f[5],  f[6],  f[7],  f[8],    f[9], f[10],
                    f[11], f[12], f[13], f[14], f[15], f[16], f[17], newFlag, spare};
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no record ") + name), __FILE__, __LINE__);
    return {};
}
