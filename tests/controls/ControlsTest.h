#pragma once

// Several QtTest classes in one executable: each file registers its class
// with CONTROLS_TEST and main() runs them all in turn.

#include <QObject>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace ControlsTest {

using Factory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<Factory>& factories()
{
    static std::vector<Factory> list;
    return list;
}

template <typename T> struct Registration {
    Registration()
    {
        factories().push_back([] { return std::make_unique<T>(); });
    }
};

// Any Qt warning fails the test, except the offscreen plugin's note on size hints.
inline void failOnWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));
}

} // namespace ControlsTest

#define CONTROLS_TEST(Class) static ControlsTest::Registration<Class> controlsRegistration##Class;
