#include "store/Global.h"

#include <cmath>

namespace DayNumbers {

namespace {
constexpr qint64 msPerDay = 24LL * 60 * 60 * 1000;
}

QDate epoch()
{
    return QDate(1899, 12, 30);
}

double wholePart(DayNumber v)
{
    return std::trunc(v);
}

double fractionPart(DayNumber v)
{
    return v - std::trunc(v);
}

DayNumber fromDate(QDate date)
{
    return static_cast<double>(epoch().daysTo(date));
}

DayNumber fromTime(QTime time)
{
    return static_cast<double>(time.msecsSinceStartOfDay()) / msPerDay;
}

DayNumber fromDateTime(const QDateTime& dt)
{
    return fromDate(dt.date()) + fromTime(dt.time());
}

QDate toDate(DayNumber v)
{
    return epoch().addDays(static_cast<qint64>(wholePart(v)));
}

QTime toTime(DayNumber v)
{
    qint64 ms = std::llround(std::fabs(fractionPart(v)) * msPerDay);
    // A fraction a hair below 1 rounds to the next midnight; keep it on this day.
    if (ms >= msPerDay)
        ms = msPerDay - 1;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDateTime toDateTime(DayNumber v)
{
    return QDateTime(toDate(v), toTime(v));
}

int hoursMinutes(DayNumber v)
{
    const QTime t = toTime(v);
    return t.hour() * 60 + t.minute();
}

int weekday(QDate date)
{
    // Qt counts Monday = 1 .. Sunday = 7.
    return date.dayOfWeek() % 7 + 1;
}

} // namespace DayNumbers

qsizetype findMemo(const MemoList& memos, qint32 id)
{
    for (qsizetype i = 0; i < memos.size(); ++i) {
        if (memos[i].ID == id)
            return i;
    }
    return -1;
}
