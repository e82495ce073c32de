#include "engine/ReminderEngine.h"

#include "engine/DueMoments.h"
#include "platform/Clock.h"
#include "state/AppState.h"

#include <QTimeZone>

#include <algorithm>

namespace {

bool anyVisibleShows(const QList<WarningWindow*>& windows, qint32 key)
{
    return std::any_of(windows.cbegin(), windows.cend(),
        [key](const WarningWindow* w) { return w->isShownOnScreen() && w->showsKey(key); });
}

bool anyOpenShows(const QList<WarningWindow*>& windows, qint32 key)
{
    return std::any_of(windows.cbegin(), windows.cend(),
        [key](const WarningWindow* w) { return !w->isFinished() && w->showsKey(key); });
}

// An entry other than STATO_RIARMATO blocks a new one for the same key.
bool isBlocked(const AvvisoList& queue, qint32 tipo, qint32 key)
{
    return std::any_of(queue.cbegin(), queue.cend(),
        [=](const REC_Avviso& a) { return a.Tipo == tipo && a.Chiave == key && a.Stato != STATO_RIARMATO; });
}

qsizetype countWaiting(const AvvisoList& queue, qint32 tipo)
{
    return std::count_if(
        queue.cbegin(), queue.cend(), [=](const REC_Avviso& a) { return a.Tipo == tipo && a.Stato == STATO_NUOVO; });
}

void releaseAll(QList<WarningWindow*>& windows)
{
    for (WarningWindow* w : std::as_const(windows))
        w->release();
    windows.clear();
}

qint64 queueKey(qint32 tipo, qint32 key)
{
    return (qint64(tipo) << 32) | quint32(key);
}

// t as the clock that gave like would show it.
QDateTime inZoneOf(const QDateTime& t, const QDateTime& like)
{
    switch (like.timeSpec()) {
    case Qt::TimeZone:
        return t.toTimeZone(like.timeZone());
    case Qt::OffsetFromUTC:
        return t.toOffsetFromUtc(like.offsetFromUtc());
    default:
        return t.toTimeSpec(like.timeSpec());
    }
}

void releaseFinished(QList<WarningWindow*>& windows)
{
    windows.removeIf([](WarningWindow* w) {
        if (!w->isFinished())
            return false;
        w->release();
        return true;
    });
}

} // namespace

bool isAutoRunCommandLine(const QStringList& commandLine)
{
    return commandLine.size() >= 2 && commandLine.at(1).toUpper() == QLatin1String("/AUTORUN");
}

void Riarma_Avvisi_Memo(AvvisoList& ArrAvvisi, qint32 ID)
{
    for (REC_Avviso& a : ArrAvvisi) {
        if (a.Tipo == AVVISO_MEMO && a.Chiave == ID && a.Stato == STATO_MOSTRATO)
            a.Stato = STATO_RIARMATO;
    }
}

void Rinumera_Avvisi_Memo(AvvisoList& ArrAvvisi, const MemoIdMap& newIds)
{
    for (REC_Avviso& a : ArrAvvisi) {
        if (a.Tipo == AVVISO_MEMO)
            a.Chiave = newIds.value(a.Chiave, a.Chiave);
    }
}

ReminderEngine::ReminderEngine(
    AppState& state, const Clock& clock, EngineHost& host, WarningWindowFactory& windows, QStringList commandLine)
    : state(state)
    , clock(clock)
    , host(host)
    , windows(windows)
    , autoRun(isAutoRunCommandLine(commandLine))
{
}

ReminderEngine::~ReminderEngine()
{
    releaseAll(warnMemo);
    releaseAll(warnSveglie);
}

const QList<WarningWindow*>& ReminderEngine::ArrWarnMemo() const
{
    return warnMemo;
}

const QList<WarningWindow*>& ReminderEngine::ArrWarnSveglie() const
{
    return warnSveglie;
}

std::optional<qint64> ReminderEngine::tickClockMs() const
{
    if (!localReading.isValid())
        return std::nullopt;
    return tickMs;
}

void ReminderEngine::renumberMemoWarnings(const MemoIdMap& newIds)
{
    for (WarningWindow* w : warnMemo)
        w->renumberKeys(newIds);
    QHash<qint64, Queued> renumbered;
    for (auto it = queued.cbegin(); it != queued.cend(); ++it) {
        const auto tipo = qint32(it.key() >> 32);
        const auto key = qint32(it.key() & 0xffffffff);
        renumbered.insert(tipo == AVVISO_MEMO ? queueKey(tipo, newIds.value(key, key)) : it.key(), it.value());
    }
    queued = renumbered;
}

void ReminderEngine::TimerTimer()
{
    // A host that pumps events inside a tick (a box, a nested loop) must not
    // start a second one over half-updated lists.
    if (ticking)
        return;
    ticking = true;
    if (state.ContaTick == 1)
        firstTick();
    else
        laterTick();
    ticking = false;
}

void ReminderEngine::firstTick()
{
    state.ArrAvvisi.clear();
    releaseAll(warnMemo);
    releaseAll(warnSveglie);
    host.hideSplash();
    host.setTimerInterval(TICK_INTERVAL_MS);
    if (autoRun) {
        state.InAutorun = true;
        host.hideToTray();
        state.InAutorun = false;
    }
    ++state.ContaTick;
}

void ReminderEngine::laterTick()
{
    const qint64 nowMs = readClock();
    noticeMissed(nowMs);
    memoPass(nowMs);
    alarmPass(nowMs);
    openWindows();
    releaseFinished(warnMemo);
    releaseFinished(warnSveglie);
    rearmSettledEntries(nowMs);
    if (warnMemo.isEmpty() && warnSveglie.isEmpty())
        purgeRearmed();
    save();
    ++state.ContaTick;
}

// The settings go with every store save, being small. A store that failed
// is tried again at the next tick: memos are at stake. Settings that failed
// are tried again ever more slowly, and never make the store be written.
void ReminderEngine::save()
{
    const bool settingsDue = state.settingsPending && state.ContaTick >= settingsRetryTick;
    if (!state.DaSalvare && !settingsDue)
        return;
    const bool settingsSaved = host.writeSettings() == 1;
    if (state.DaSalvare)
        state.DaSalvare = host.writeStore() != 1;
    state.settingsPending = !settingsSaved;
    if (settingsSaved) {
        settingsRetryTicks = 1;
    } else {
        settingsRetryTick = state.ContaTick + settingsRetryTicks;
        settingsRetryTicks = qMin(settingsRetryTicks * 2, SETTINGS_RETRY_MAX_TICKS);
    }
}

// Reading the local clock looks the time zone up (and glibc looks at the zone
// file), which was most of an idle tick: it is read once per UTC minute, and
// in between the UTC clock plus that minute's offset. Zones change offset on
// whole minutes; a zone the user switches to is seen within the minute, well
// inside a memo's due span.
qint64 ReminderEngine::readClock()
{
    qint64 utcMs = clock.utcMs();
    if (!localReading.isValid() || floorDiv(utcMs, MS_PER_MINUTE) != readMinute) {
        localReading = clock.now();
        utcMs = localReading.toMSecsSinceEpoch();
        readMinute = floorDiv(utcMs, MS_PER_MINUTE);
        offsetMs = dueClockMs(localReading) - utcMs;
    }
    tickMs = utcMs + offsetMs;
    return tickMs;
}

void ReminderEngine::noticeMissed(qint64 nowMs)
{
    if (!lastCheckMs && state.settings.Ultimo_controllo.isValid())
        lastCheckMs = dueClockMs(inZoneOf(state.settings.Ultimo_controllo, localReading));
    // Ticks come every 3 s; a longer gap is a suspend, a stopped process, a
    // clock moved on, or the time the program was not running.
    if (lastCheckMs && nowMs - *lastCheckMs > MS_PER_MINUTE) {
        const MissedList missed = missedBetween(state.ArrMemo, state.ArrSveglie, *lastCheckMs, nowMs);
        if (!missed.isEmpty())
            host.missedReminders(missed);
    }
    // A clock set back (a reset at boot, then corrected) never moves the
    // check back: the gap to the correction would list again what was listed
    // or warned before.
    if (lastCheckMs && nowMs < *lastCheckMs)
        return;
    lastCheckMs = nowMs;
    state.settings.Ultimo_controllo = QDateTime::fromMSecsSinceEpoch(nowMs - offsetMs, Qt::UTC);
}

// Appends a new entry unless one blocks it, or the clock shows a moment
// again that it showed before under another UTC offset: when summer time
// ends, 02:30 comes twice but is one moment. A clock set back by hand keeps
// its offset, and what falls due again warns again.
void ReminderEngine::queue(qint32 tipo, qint32 key, qint64 momentMs)
{
    if (isBlocked(state.ArrAvvisi, tipo, key))
        return;
    const auto seen = queued.constFind(queueKey(tipo, key));
    if (seen != queued.cend() && seen->momentMs == momentMs && seen->offsetMs != offsetMs)
        return;
    state.ArrAvvisi.append({tipo, key, STATO_NUOVO});
    queued.insert(queueKey(tipo, key), {momentMs, offsetMs});
    // The check that saw it due is written at the next tick, so a crash
    // after the warning does not list it again as missed at the next start.
    state.settingsPending = true;
}

void ReminderEngine::memoPass(qint64 nowMs)
{
    dueMemoIds.clear();
    // Nothing was due at the last walk and nothing can be before untilMs.
    if (memosQuiet.holds(state.ArrMemo, nowMs))
        return;
    qint64 next = QuietSpan::NEVER;
    for (const REC_Memo& memo : std::as_const(state.ArrMemo)) {
        const qint64 dueFrom = memoDueFromMs(memo, nowMs);
        next = qMin(next, dueFrom);
        if (dueFrom != nowMs)
            continue;
        dueMemoIds.append(memo.ID);
        // A visible window that lists the memo already warns about it.
        if (anyVisibleShows(warnMemo, memo.ID))
            continue;
        qint64 moment = 0;
        memoMomentMs(memo, moment);
        queue(AVVISO_MEMO, memo.ID, moment);
    }
    // Walked once a minute all the same: a change that slipped past the
    // buffer check is still met within its memo's due span.
    memosQuiet.walked(state.ArrMemo, nowMs, qMin(next, nowMs + MS_PER_MINUTE));
}

void ReminderEngine::alarmPass(qint64 nowMs)
{
    for (qsizetype j = 0; j < state.ArrSveglie.size(); ++j) {
        const REC_Sveglia& alarm = state.ArrSveglie.at(j);
        qint64 moment = 0;
        if (isAlarmDue(alarm, nowMs) && alarmMomentMs(alarm, nowMs, moment))
            queue(AVVISO_SVEGLIA, static_cast<qint32>(j), moment);
    }
}

void ReminderEngine::openWindows()
{
    const bool memosWaiting = countWaiting(state.ArrAvvisi, AVVISO_MEMO) > 0;
    const bool alarmsWaiting = countWaiting(state.ArrAvvisi, AVVISO_SVEGLIA) > 0;
    if (memosWaiting) {
        if (WarningWindow* w = windows.createMemoWarning()) {
            warnMemo.append(w);
            w->showWarning();
        }
    }
    if (alarmsWaiting) {
        if (WarningWindow* w = windows.createAlarmWarning()) {
            warnSveglie.append(w);
            w->showWarning();
        }
    }
}

// A shown entry whose memo or alarm clock is no longer due has done its
// work. Left in STATO_MOSTRATO it would block its key for the rest of the
// run: a daily alarm clock would ring only once, and a memo that later gets
// the same ID (IDs are reused and renumbered) would never warn. While still
// due it stays, so nothing warns twice in one span. A memo's entry also
// stays while a window shows it; an alarm clock's does not: yesterday's
// warning left open must not keep today's ring from sounding.
void ReminderEngine::rearmSettledEntries(qint64 nowMs)
{
    // Iterating for writing detaches, and an empty list then allocates.
    if (state.ArrAvvisi.isEmpty())
        return;
    for (REC_Avviso& a : state.ArrAvvisi) {
        if (a.Stato != STATO_MOSTRATO)
            continue;
        bool stillHeld = false;
        if (a.Tipo == AVVISO_MEMO) {
            stillHeld = dueMemoIds.contains(a.Chiave) || anyOpenShows(warnMemo, a.Chiave);
        } else if (a.Tipo == AVVISO_SVEGLIA) {
            const bool due = a.Chiave >= 0 && a.Chiave < state.ArrSveglie.size()
                && isAlarmDue(state.ArrSveglie.at(a.Chiave), nowMs);
            stillHeld = due;
        } else {
            stillHeld = true; // not ours to judge
        }
        if (!stillHeld)
            a.Stato = STATO_RIARMATO;
    }
}

// Lines of open windows point into the queue by position, so entries go only
// while no window is open.
void ReminderEngine::purgeRearmed()
{
    state.ArrAvvisi.removeIf([](const REC_Avviso& a) { return a.Stato == STATO_RIARMATO; });
}
