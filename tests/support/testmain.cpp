#include "testmain.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <memory>
#include <vector>

namespace TestRegistry {
namespace {
std::vector<std::pair<const char*, Factory>>& entries() {
    static std::vector<std::pair<const char*, Factory>> list;
    return list;
}
}  // namespace

int add(const char* name, Factory factory) {
    entries().emplace_back(name, std::move(factory));
    return static_cast<int>(entries().size());
}
}  // namespace TestRegistry

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    QString only;
    std::vector<char*> args(argv, argv + argc);
    if (argc > 1 && argv[1][0] != '-') {
        only = QString::fromLocal8Bit(argv[1]);
        args.erase(args.begin() + 1);
    }
    int failures = 0;
    for (const auto& [name, factory] : TestRegistry::entries()) {
        if (!only.isEmpty() && only != QLatin1String(name)) {
            continue;
        }
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
