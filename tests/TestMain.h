#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// One test executable per library runs several QtTest classes; each class
// registers itself here and TestMain.cpp runs them all in one application.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& registeredTests();

#define ZV_REGISTER_TEST(Class)                                                                              \
    namespace {                                                                                              \
    const bool registered##Class = (registeredTests().push_back([] { return std::make_unique<Class>(); }), true); \
    }
