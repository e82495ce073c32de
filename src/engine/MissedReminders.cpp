#include "engine/MissedReminders.h"

#include "engine/DueMoments.h"

#include <algorithm>

namespace {

// The latest ring of an armed alarm clock in (fromMs, toMs] that is not
// ringing at toMs; a one-weekday alarm clock rings within any 8 days.
bool latestMissedRing(const REC_Sveglia& alarm, qint64 fromMs, qint64 toMs, qint64& ringMs)
{
    for (int back = 0; back < 8; ++back) {
        qint64 ring = 0;
        if (!alarmMomentMs(alarm, toMs - back * MS_PER_DAY, ring) || ring <= fromMs)
            return false;
        if (ring > toMs || !ringsOnDayOf(alarm, ring))
            continue;
        if (ring + DUE_SPAN_MS >= toMs && isAlarmDue(alarm, toMs))
            continue; // this tick rings it
        ringMs = ring;
        return true;
    }
    return false;
}

} // namespace

MissedList missedBetween(const MemoList& memos, const SvegliaList& alarms, qint64 fromMs, qint64 toMs)
{
    MissedList missed;
    if (toMs <= fromMs)
        return missed;
    for (const REC_Memo& m : memos) {
        qint64 moment = 0;
        if (m.Attivo != 1 || m.Eseguito == 1 || !memoMomentMs(m, moment))
            continue;
        if (moment <= fromMs || moment > toMs || isMemoDue(m, toMs))
            continue;
        const qint64 due = moment - qint64(m.Anticipo) * MS_PER_MINUTE;
        missed.append({AVVISO_MEMO, m.ID, due, m.TipoOrario == ORARIO_PRESENTE, m.Nota});
    }
    for (qsizetype j = 0; j < alarms.size(); ++j) {
        const REC_Sveglia& s = alarms.at(j);
        qint64 ring = 0;
        if (s.Attivo == 1 && latestMissedRing(s, fromMs, toMs, ring))
            missed.append({AVVISO_SVEGLIA, qint32(j), ring, true, s.Messaggio});
    }
    std::stable_sort(missed.begin(), missed.end(),
        [](const MissedReminder& a, const MissedReminder& b) { return a.whenMs < b.whenMs; });
    return missed;
}
