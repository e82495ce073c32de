#pragma once

#include <QDateTime>

// Current local date and time. Timed behaviour reads it from here so that
// tests can move a fake clock instead of waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The same moment as milliseconds since the epoch, UTC: for a clock that
    // can give it without looking the local time zone up.
    virtual qint64 utcMs() const
    {
        return now().toMSecsSinceEpoch();
    }
};
