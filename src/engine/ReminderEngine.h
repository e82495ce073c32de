#pragma once

#include "engine/EngineHost.h"
#include "engine/QuietSpan.h"
#include "engine/WarningWindow.h"
#include "store/Global.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

struct AppState;
class Clock;

// Timer intervals: the first tick ends the start-up, the others check.
constexpr int FIRST_TICK_INTERVAL_MS = 1500;
constexpr int TICK_INTERVAL_MS = 3000;
// Settings that could not be written are tried again after 1, 2, 4 ...
// ticks, at most this many (about three minutes).
constexpr int SETTINGS_RETRY_MAX_TICKS = 64;

// True when the first argument after the program, upper-cased, is
// "/AUTORUN". commandLine is as QCoreApplication::arguments() gives it.
bool isAutoRunCommandLine(const QStringList& commandLine);

// After a memo's done mark, active mark, date, time or offset changed: its
// shown entries stop blocking, so the changed memo can warn again.
void Riarma_Avvisi_Memo(AvvisoList& ArrAvvisi, qint32 ID);

// Memo IDs were handed out anew: memo entries take their memo's new ID.
void Rinumera_Avvisi_Memo(AvvisoList& ArrAvvisi, const MemoIdMap& newIds);

// The timer tick: finds due memos and alarm clocks, queues them in
// ArrAvvisi, opens warning windows for new entries, releases closed ones,
// purges the queue and makes the pending save.
class ReminderEngine {
public:
    ReminderEngine(
        AppState& state, const Clock& clock, EngineHost& host, WarningWindowFactory& windows, QStringList commandLine);
    ~ReminderEngine();
    ReminderEngine(const ReminderEngine&) = delete;
    ReminderEngine& operator=(const ReminderEngine&) = delete;

    // One tick; the host's timer calls it. ContaTick 1 makes it the first.
    void TimerTimer();

    // The open warning windows, oldest first.
    const QList<WarningWindow*>& ArrWarnMemo() const;
    const QList<WarningWindow*>& ArrWarnSveglie() const;
    // The local clock as the due tests count it (dueClockMs) at the last
    // checking tick; none before the first.
    std::optional<qint64> tickClockMs() const;

    // The lines of the open memo warnings follow renumbered memo IDs.
    void renumberMemoWarnings(const MemoIdMap& newIds);

private:
    void firstTick();
    void laterTick();
    qint64 readClock();
    void noticeMissed(qint64 nowMs);
    void memoPass(qint64 nowMs);
    void alarmPass(qint64 nowMs);
    void queue(qint32 tipo, qint32 key, qint64 momentMs);
    void openWindows();
    void rearmSettledEntries(qint64 nowMs);
    void purgeRearmed();
    void save();

    AppState& state;
    const Clock& clock;
    EngineHost& host;
    WarningWindowFactory& windows;
    const bool autoRun;
    bool ticking = false;
    int settingsRetryTick = 0;  // ContaTick from which failed settings are tried again
    int settingsRetryTicks = 1; // the wait after the next failure

    QList<WarningWindow*> warnMemo;
    QList<WarningWindow*> warnSveglie;
    QList<qint32> dueMemoIds; // of the current tick, kept to reuse its storage
    QuietSpan memosQuiet;

    std::optional<qint64> lastCheckMs; // due-clock ms of the previous due check
    // The moment each memo and alarm clock was last queued for, with the
    // clock's UTC offset then: when summer time ends the same local minute
    // comes round again. One entry per key, so it grows no further.
    struct Queued {
        qint64 momentMs;
        qint64 offsetMs;
    };
    QHash<qint64, Queued> queued; // by Tipo and Chiave
    QDateTime localReading;       // the latest full reading of the local clock
    qint64 readMinute = 0;        // its UTC minute
    qint64 offsetMs = 0;          // its local clock less UTC
    qint64 tickMs = 0;            // the current tick's local clock
};
