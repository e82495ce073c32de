#pragma once

#include <QDateTime>

// Current local date and time. Timed behaviour reads it from here so that
// tests can move a fake clock instead of waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
