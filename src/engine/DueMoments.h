#pragma once

#include "store/Global.h"

#include <QDateTime>

// The due tests count whole milliseconds since the day-number epoch, so that
// both ends of the due span compare exactly (no floating-point drift).
constexpr qint64 MS_PER_MINUTE = 60 * 1000;
constexpr qint64 MS_PER_DAY = 24 * 60 * MS_PER_MINUTE;
// How long after its moment a memo or alarm clock still counts as due.
constexpr qint64 DUE_SPAN_MS = (60 + 59) * 1000;

// a / b rounded down, also for a clock before the epoch.
qint64 floorDiv(qint64 a, qint64 b);

// The local date and time as the due tests count it, and back.
qint64 dueClockMs(const QDateTime& localNow);
QDateTime dueClockDateTime(qint64 ms);

// The memo's alarm moment: whole(Data) + hours:minutes(Orario) + Anticipo
// minutes. False when Data or Orario is not a usable number (a damaged store).
bool memoMomentMs(const REC_Memo& memo, qint64& momentMs);

// Attivo 1 and moment <= now <= moment + 1:59.
bool isMemoDue(const REC_Memo& memo, qint64 nowMs);
// The first moment from nowMs on at which the memo is due: nowMs while it is,
// no later than its moment before it, QuietSpan::NEVER once it cannot be
// (as long as the clock does not go back).
qint64 memoDueFromMs(const REC_Memo& memo, qint64 nowMs);

// The alarm clock's ring moment on the day of dayMs, whatever its weekday.
// False when Orario is not a usable number.
bool alarmMomentMs(const REC_Sveglia& alarm, qint64 dayMs, qint64& momentMs);
// Every day, or the day of ms is its Giorno.
bool ringsOnDayOf(const REC_Sveglia& alarm, qint64 ms);

// Attivo 1, today's hours:minutes(Orario) <= now <= that + 1:59, and for a
// one-weekday alarm clock today is its Giorno. The moment is taken from
// today's date, so 23:59 is due only until midnight.
bool isAlarmDue(const REC_Sveglia& alarm, qint64 nowMs);
