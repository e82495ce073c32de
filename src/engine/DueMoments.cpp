#include "engine/DueMoments.h"

#include "engine/QuietSpan.h"

#include <cmath>

namespace {

// Far beyond any real date, yet its milliseconds stay well inside qint64.
constexpr double maxUsableDays = 1e8;

bool usable(double v)
{
    return std::isfinite(v) && std::fabs(v) < maxUsableDays;
}

// 1 = Sunday ... 7 = Saturday; day 0 (30 December 1899) was a Saturday.
int weekdayOfDay(qint64 day)
{
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

} // namespace

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

qint64 dueClockMs(const QDateTime& localNow)
{
    return DayNumbers::epoch().daysTo(localNow.date()) * MS_PER_DAY + localNow.time().msecsSinceStartOfDay();
}

QDateTime dueClockDateTime(qint64 ms)
{
    const qint64 day = floorDiv(ms, MS_PER_DAY);
    return QDateTime(DayNumbers::epoch().addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms - day * MS_PER_DAY)));
}

bool memoMomentMs(const REC_Memo& memo, qint64& momentMs)
{
    if (!usable(memo.Data) || !usable(memo.Orario))
        return false;
    const auto day = static_cast<qint64>(DayNumbers::wholePart(memo.Data));
    momentMs = day * MS_PER_DAY + (DayNumbers::hoursMinutes(memo.Orario) + qint64(memo.Anticipo)) * MS_PER_MINUTE;
    return true;
}

bool isMemoDue(const REC_Memo& memo, qint64 nowMs)
{
    return memoDueFromMs(memo, nowMs) == nowMs;
}

qint64 memoDueFromMs(const REC_Memo& memo, qint64 nowMs)
{
    if (memo.Attivo != 1 || !usable(memo.Data))
        return QuietSpan::NEVER;
    // The time of day adds 0 to 1439 minutes to this: a memo whose day misses
    // now by more than that is not due, and the tick need not work out its
    // minute (most of a thousand memos lie on other days).
    const qint64 earliest = static_cast<qint64>(memo.Data) * MS_PER_DAY + qint64(memo.Anticipo) * MS_PER_MINUTE;
    if (nowMs < earliest)
        return earliest;
    qint64 moment = 0;
    if (nowMs > earliest + MS_PER_DAY + DUE_SPAN_MS || !memoMomentMs(memo, moment))
        return QuietSpan::NEVER;
    if (nowMs < moment)
        return moment;
    return nowMs <= moment + DUE_SPAN_MS ? nowMs : QuietSpan::NEVER;
}

bool alarmMomentMs(const REC_Sveglia& alarm, qint64 dayMs, qint64& momentMs)
{
    if (!usable(alarm.Orario))
        return false;
    momentMs = floorDiv(dayMs, MS_PER_DAY) * MS_PER_DAY + DayNumbers::hoursMinutes(alarm.Orario) * MS_PER_MINUTE;
    return true;
}

bool ringsOnDayOf(const REC_Sveglia& alarm, qint64 ms)
{
    return alarm.TipoSveglia != SVEGLIA_UN_GIORNO || weekdayOfDay(floorDiv(ms, MS_PER_DAY)) == alarm.Giorno;
}

bool isAlarmDue(const REC_Sveglia& alarm, qint64 nowMs)
{
    qint64 moment = 0;
    if (alarm.Attivo != 1 || !alarmMomentMs(alarm, nowMs, moment))
        return false;
    return moment <= nowMs && nowMs <= moment + DUE_SPAN_MS && ringsOnDayOf(alarm, nowMs);
}
