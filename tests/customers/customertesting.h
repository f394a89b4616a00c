#pragma once

#include "../accounts/casefile.h"
#include "customers/customerrecord.h"
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

// The record `name` of tests/data/customers/records.txt; a blank one when
// there is none.
inline CustomerRecord recordNamed(const QString& name) {
    CustomerRecord r;
    for (const QStringList& f : CaseFile::read("customers/records.txt")) {
        if (f.size() == 20 && f.first() == name) {
            QString* const text[] = {
                &r.AccountNumber, &r.AccountName, &r.Address1, &r.Address2,      &r.CityOrAddress3,
                &r.CityText,      &r.State,       &r.ZipCode,  &r.ZipOrAddress4, &r.Phone,
                &r.CellPhone,     &r.Other,       &r.Title,    &r.FirstName,     &r.MiddleInitial,
                &r.LastName,      &r.AccountType};
            for (int i = 0; i < 17; ++i) {
                *text[i] = f.at(i + 1);
            }
            r.NewFlag = qint16(f.at(18).toInt());
            r.Spare = qint16(f.at(19).toInt());
        }
    }
    return r;
}

inline char* toString(const CustomerRecord& r) {
    return QTest::toString(QStringList{r.AccountNumber, r.AccountName, r.Address1, r.Address2,
                                       r.CityOrAddress3, r.CityText, r.State, r.ZipCode,
                                       r.ZipOrAddress4, r.Phone, r.CellPhone, r.Other, r.Title,
                                       r.FirstName, r.MiddleInitial, r.LastName, r.AccountType,
                                       QString::number(r.NewFlag), QString::number(r.Spare)}
                               .join(QLatin1Char('|')));
}
