#pragma once

#include <QObject>
#include <QTest>

#include <functional>

// Each test class registers itself with TOLVAR_TEST(Class); the area's test
// executable runs them all (or the one named as the first argument).
namespace TestRegistry {
using Factory = std::function<QObject*()>;
int add(const char* name, Factory factory);
}  // namespace TestRegistry

#define TOLVAR_TEST(Class)                                      \
    static const int tolvarRegistered##Class [[maybe_unused]] = \
        TestRegistry::add(#Class, [] { return static_cast<QObject*>(new Class); });

// The current row's value of a data column, as QFETCH without a variable.
template <typename T>
T fetched(const char* column) {
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}

// Flags as a row of 0s and 1s, to compare several in one line.
inline QString bits(std::initializer_list<bool> flags) {
    QString out;
    for (const bool flag : flags) {
        out += flag ? QLatin1Char('1') : QLatin1Char('0');
    }
    return out;
}
