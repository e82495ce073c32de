#pragma once

#include "platform/Clock.h"

#include <QDateTime>
#include <QTimeZone>

// A clock that tests set and move; it never moves by itself.
class FakeClock : public Clock {
public:
    QDateTime now() const override
    {
        return QDateTime::fromMSecsSinceEpoch(ms, zone);
    }
    void set(const QDateTime& t)
    {
        ms = t.toMSecsSinceEpoch();
    }
    void advanceMs(qint64 d)
    {
        ms += d;
    }
    qint64 ms = 0;                     // since the epoch
    QTimeZone zone = QTimeZone::utc(); // UTC: no daylight-saving jump moves the wall clock
};

inline QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int msec = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, msec), QTimeZone::utc());
}
