#include "platform/SystemClock.h"

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::utcMs() const
{
    return QDateTime::currentMSecsSinceEpoch();
}
