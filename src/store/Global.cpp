#include "store/Global.h"

#include <cmath>

namespace DayNumbers {

namespace {
constexpr qint64 msPerDay = 24LL * 60 * 60 * 1000;
constexpr qint64 msPerMinute = 60LL * 1000;

qint64 msOfDay(DayNumber v)
{
    const qint64 ms = std::llround(std::fabs(fractionPart(v)) * msPerDay);
    // A fraction a hair below 1 rounds to the next midnight; keep it on this day.
    return ms >= msPerDay ? msPerDay - 1 : ms;
}
} // namespace

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
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msOfDay(v)));
}

QDateTime toDateTime(DayNumber v)
{
    return QDateTime(toDate(v), toTime(v));
}

int hoursMinutes(DayNumber v)
{
    // Without a QTime: the tick asks this for every memo.
    return static_cast<int>(msOfDay(v) / msPerMinute);
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
