#pragma once

#include "TestMain.h"

#include <QRegularExpression>

// Any Qt warning fails the test, except the offscreen plugin's note on size hints.
inline void failOnWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));
}
