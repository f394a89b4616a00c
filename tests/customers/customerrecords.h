#pragma once

#include "../accounts/casefile.h"
#include "customers/customerrecord.h"

// The record `name` of tests/data/customers/records.txt; a blank one when
// there is none.
inline CustomerRecord recordNamed(const QString& name) {
    for (const QStringList& f : CaseFile::read("customers/records.txt")) {
        if (f.size() == 20 && f.first() == name) {
            CustomerRecord r{f[1],  f[2],  f[3],  f[4],  f[5],  f[6],  f[7],  f[8], f[9], f[10],
                             f[11], f[12], f[13], f[14], f[15], f[16], f[17], 0,    0};
            r.NewFlag = qint16(f[18].toInt());
            r.Spare = qint16(f[19].toInt());
            return r;
        }
    }
    return {};
}
