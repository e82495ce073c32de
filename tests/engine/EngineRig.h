#pragma once

// ReminderEngine without widgets: the rig is the engine's host (it logs what
// the tick asked of the main window) and its window factory (fake warning
// windows that take their queue entries as the real ones do). It starts the
// engine as the main window does: ContaTick 1, first tick after 1500 ms,
// then every 3000 ms.

#include "engine/DueMoments.h"
#include "engine/ReminderEngine.h"
#include "fakes/FakeClock.h"
#include "state/AppState.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class FakeWarningWindow : public WarningWindow {
public:
    // Takes the waiting entries of its kind, as the real windows do on creation.
    FakeWarningWindow(AvvisoList& queue, qint32 tipo)
        : tipo(tipo)
    {
        for (REC_Avviso& a : queue) {
            if (a.Tipo == tipo && a.Stato == STATO_NUOVO) {
                keys << a.Chiave;
                a.Stato = STATO_MOSTRATO;
            }
        }
    }
    void showWarning() override
    {
        visible = true;
    }
    bool isShownOnScreen() const override
    {
        return visible;
    }
    bool showsKey(qint32 key) const override
    {
        return keys.contains(key);
    }
    void renumberKeys(const MemoIdMap& newIds) override
    {
        if (tipo != AVVISO_MEMO)
            return;
        for (qint32& key : keys)
            key = newIds.value(key, key);
    }
    bool isFinished() const override
    {
        return finished;
    }
    void release() override
    {
        released = true;
    }
    void close()
    {
        finished = true;
        visible = false;
    }

    const qint32 tipo;
    QList<qint32> keys; // the window's lines
    bool visible = false;
    bool finished = false;
    bool released = false;
};

struct EngineRig : EngineHost, WarningWindowFactory {
    AppState state;
    FakeClock clock;
    QStringList log;                                      // what the tick asked of the main window
    QStringList missed;                                   // each notice as "memo 1 Mon 10:00, alarm 0 Mon 10:15"
    int saveResult = 1;                                   // of writeStore
    int settingsResult = 1;                               // of writeSettings
    std::vector<std::unique_ptr<FakeWarningWindow>> made; // the fakes outlive their release
    std::function<void(FakeWarningWindow&)> onCreate;
    std::unique_ptr<ReminderEngine> engine; // last: released before the fakes go
    qint64 nextTickMs = 0;

    explicit EngineRig(const QDateTime& startedAt, const QStringList& commandLine = {"brivo-reminder"})
    {
        clock.set(startedAt);
        state.ContaTick = 1;
        engine = std::make_unique<ReminderEngine>(state, clock, *this, *this, commandLine);
        nextTickMs = clock.ms + FIRST_TICK_INTERVAL_MS;
    }

    void tick()
    {
        clock.ms = nextTickMs;
        engine->TimerTimer();
        nextTickMs += TICK_INTERVAL_MS;
    }

    // Every tick due up to and including t; the clock is left at t.
    void runUntil(const QDateTime& t)
    {
        const qint64 end = t.toMSecsSinceEpoch();
        while (nextTickMs <= end)
            tick();
        clock.ms = end;
    }

    void hideSplash() override
    {
        log << "hideSplash";
    }
    void setTimerInterval(int ms) override
    {
        log << QStringLiteral("interval %1").arg(ms);
    }
    void hideToTray() override
    {
        log << QStringLiteral("hideToTray InAutorun=%1").arg(state.InAutorun);
    }
    int writeSettings() override
    {
        log << "writeSettings";
        return settingsResult;
    }
    int writeStore() override
    {
        log << "writeStore";
        return saveResult;
    }
    void missedReminders(const MissedList& list) override
    {
        QStringList notice;
        for (const MissedReminder& m : list)
            notice << QStringLiteral("%1 %2 ").arg(m.Tipo == AVVISO_MEMO ? "memo" : "alarm").arg(m.Chiave)
                    + dueClockDateTime(m.whenMs).toString(m.hasTime ? "ddd HH:mm" : "ddd");
        missed << notice.join(", ");
    }
    WarningWindow* createMemoWarning() override
    {
        return make(AVVISO_MEMO);
    }
    WarningWindow* createAlarmWarning() override
    {
        return make(AVVISO_SVEGLIA);
    }
    WarningWindow* make(qint32 tipo)
    {
        made.push_back(std::make_unique<FakeWarningWindow>(state.ArrAvvisi, tipo));
        if (onCreate)
            onCreate(*made.back());
        return made.back().get();
    }
};

inline REC_Memo makeMemo(qint32 id, QDate date, QTime time, qint32 anticipo)
{
    REC_Memo m;
    m.ID = id;
    m.TipoMemo = 1;
    m.Nota = QStringLiteral("memo %1").arg(id);
    m.Attivo = 1;
    m.TipoData = 1;
    m.Data = DayNumbers::fromDate(date);
    m.TipoOrario = ORARIO_PRESENTE;
    m.Orario = DayNumbers::fromTime(time);
    m.TipoAnticipo = 2;
    m.Anticipo = anticipo;
    return m;
}

inline REC_Sveglia makeAlarm(QTime time, qint32 tipo = SVEGLIA_OGNI_GIORNO, qint32 giorno = 1, qint32 attivo = 1)
{
    REC_Sveglia s;
    s.TipoSveglia = tipo;
    s.Attivo = attivo;
    s.Giorno = giorno;
    s.Orario = DayNumbers::fromTime(time);
    s.Suono = QStringLiteral("-nessun suono-");
    return s;
}
