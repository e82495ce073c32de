#pragma once

// Several QtTest classes in one executable: each file registers its class
// with BRIVO_REGISTER_TEST, and BRIVO_TEST_MAIN runs them all in turn.

#include <QCoreApplication>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace TestRegistry {

inline std::vector<std::function<std::unique_ptr<QObject>()>>& factories()
{
    static std::vector<std::function<std::unique_ptr<QObject>()>> list;
    return list;
}

template <typename T> struct Registration {
    Registration()
    {
        factories().push_back([] { return std::make_unique<T>(); });
    }
};

// "test_x ClassName [QtTest options]" runs that class alone.
inline int runAll(int argc, char** argv)
{
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    if (only) {
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    int status = 0;
    for (const auto& make : factories()) {
        const std::unique_ptr<QObject> test = make();
        if (!only || qstrcmp(test->metaObject()->className(), only) == 0)
            status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}

} // namespace TestRegistry

#define BRIVO_REGISTER_TEST(Class) static TestRegistry::Registration<Class> brivoRegistration##Class;

#define BRIVO_TEST_MAIN_GUILESS                                                                                        \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QCoreApplication app(argc, argv);                                                                              \
        return TestRegistry::runAll(argc, argv);                                                                       \
    }
