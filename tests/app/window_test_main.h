// One program holds every window test class and runs one class a run:
//     tavrin_window_tests NAME [QtTest options]
// so that each class starts in a fresh process, with its own home, settings and scratch folder.
#pragma once

#include <QObject>

#include <memory>

namespace tavrin::test {

using WindowTestFactory = std::unique_ptr<QObject> (*)();

// Makes the class known to the program under name; gives true.
bool RegisterWindowTest(const char* name, WindowTestFactory make);

} // namespace tavrin::test

#define TAVRIN_WINDOW_TEST(Class, name)                                                                      \
    static const bool registered##Class = ::tavrin::test::RegisterWindowTest(                                \
        name, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); })
