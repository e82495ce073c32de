#pragma once

// An engine wired to the fakes, started as the main window starts it
// (ContaTick 1, first tick after 1500 ms, then every 3000 ms).

#include "EngineFakes.h"
#include "engine/ReminderEngine.h"

#include <memory>

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
