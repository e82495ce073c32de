#pragma once

// ReminderEngine without widgets: a host that logs what the tick asked of the
// main window, warning windows that take their queue entries as the real ones
// do, and an engine wired to them, started as the main window starts it
// (ContaTick 1, first tick after 1500 ms, then every 3000 ms).

#include "app/AppState.h"
#include "engine/ReminderEngine.h"
#include "fakes/FakeClock.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

class FakeHost : public EngineHost {
public:
    explicit FakeHost(AppState& state)
        : state(state)
    {
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
        return saveResult;
    }
    int writeStore() override
    {
        log << "writeStore";
        return saveResult;
    }
    AppState& state;
    QStringList log;
    int saveResult = 1;
};

struct FakeLine {
    qint32 Chiave;
    qint32 Pos_Avviso;
};

class FakeWarningWindow : public WarningWindow {
public:
    // Takes the waiting entries of its kind, as the real windows do on creation.
    FakeWarningWindow(AvvisoList& queue, qint32 tipo)
        : tipo(tipo)
    {
        for (qsizetype i = 0; i < queue.size(); ++i) {
            if (queue[i].Tipo == tipo && queue[i].Stato == STATO_NUOVO) {
                lines.push_back({queue[i].Chiave, static_cast<qint32>(i)});
                queue[i].Stato = STATO_MOSTRATO;
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
        return std::any_of(lines.begin(), lines.end(), [key](const FakeLine& l) { return l.Chiave == key; });
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
    void removeLine(qint32 key)
    {
        std::erase_if(lines, [key](const FakeLine& l) { return l.Chiave == key; });
    }
    QList<qint32> keys() const
    {
        QList<qint32> k;
        for (const FakeLine& l : lines)
            k << l.Chiave;
        return k;
    }

    const qint32 tipo;
    std::vector<FakeLine> lines;
    bool visible = false;
    bool finished = false;
    bool released = false;
};

class FakeWindowFactory : public WarningWindowFactory {
public:
    explicit FakeWindowFactory(AvvisoList& queue)
        : queue(queue)
    {
    }
    WarningWindow* createMemoWarning() override
    {
        return make(AVVISO_MEMO);
    }
    WarningWindow* createAlarmWarning() override
    {
        return make(AVVISO_SVEGLIA);
    }
    // The most recent window of a kind, or nullptr.
    FakeWarningWindow* last(qint32 tipo) const
    {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            if ((*it)->tipo == tipo)
                return it->get();
        }
        return nullptr;
    }
    int count(qint32 tipo) const
    {
        return int(std::count_if(made.begin(), made.end(), [tipo](const auto& w) { return w->tipo == tipo; }));
    }

    AvvisoList& queue;
    std::vector<std::unique_ptr<FakeWarningWindow>> made; // the fakes outlive their release
    std::function<void(FakeWarningWindow&)> onCreate;

private:
    WarningWindow* make(qint32 tipo)
    {
        made.push_back(std::make_unique<FakeWarningWindow>(queue, tipo));
        if (onCreate)
            onCreate(*made.back());
        return made.back().get();
    }
};

struct EngineRig {
    AppState state;
    FakeClock clock;
    FakeHost host{state};
    FakeWindowFactory factory{state.ArrAvvisi};
    std::unique_ptr<ReminderEngine> engine; // last: released before the fakes go
    qint64 nextTickMs = 0;

    explicit EngineRig(const QDateTime& startedAt, const QStringList& commandLine = {"brivo-reminder"})
    {
        clock.set(startedAt);
        state.ContaTick = 1;
        engine = std::make_unique<ReminderEngine>(state, clock, host, factory, commandLine);
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
};

inline REC_Memo makeMemo(qint32 id, QDate date, QTime time, qint32 anticipo, qint32 attivo = 1)
{
    REC_Memo m;
    m.ID = id;
    m.TipoMemo = 1;
    m.Nota = QStringLiteral("memo %1").arg(id);
    m.Attivo = attivo;
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
