#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace jex::test {

// Makes one Qt Test object. Each test file registers its classes; the one runner runs them all.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<TestFactory>& registeredTests() {
    static std::vector<TestFactory> tests;
    return tests;
}

inline bool registerTest(TestFactory factory) {
    registeredTests().push_back(std::move(factory));
    return true;
}

}  // namespace jex::test

// Registers Qt Test class `Class` (default-constructible) with the runner.
#define JEX_QT_TEST(Class)                                                    \
    static const bool jexQtTestRegistered##Class = ::jex::test::registerTest( \
        []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); })
