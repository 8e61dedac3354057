#include "app/window_test_main.h"

#include "app/window_test_support.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tavrin::test {
namespace {

std::map<std::string, WindowTestFactory>& Classes() {
    static std::map<std::string, WindowTestFactory> classes;
    return classes;
}

} // namespace

bool RegisterWindowTest(const char* name, WindowTestFactory make) {
    return Classes().emplace(name, make).second;
}

} // namespace tavrin::test

int main(int argc, char* argv[]) {
    using namespace tavrin::test;
    const auto found = argc >= 2 ? Classes().find(argv[1]) : Classes().end();
    if (found == Classes().end()) {
        std::fprintf(stderr, "usage: %s NAME [QtTest options]; NAME is one of:\n", argv[0]);
        for (const auto& [name, make] : Classes())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // QtTest sees the program name and the options after NAME.
    std::vector<char*> args(argv, argv + argc);
    args.erase(args.begin() + 1);
    int count = argc - 1;
    PrepareScratch();
    QApplication app(count, args.data());
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    const auto test = found->second();
    return QTest::qExec(test.get(), count, args.data());
}
