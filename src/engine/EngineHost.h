#pragma once

#include "engine/MissedReminders.h"

// What the tick asks of the main window.
class EngineHost {
public:
    virtual ~EngineHost() = default;

    // Hide the start-up logo panel (pnlSplash).
    virtual void hideSplash() = 0;
    // (Re)start the timer with this interval.
    virtual void setTimerInterval(int ms) = 0;
    // The main window's "hide to tray"; InAutorun is set while it runs.
    virtual void hideToTray() = 0;
    // The pending save, settings first: 1 = saved; anything else keeps it pending.
    virtual int writeSettings() = 0;
    virtual int writeStore() = 0;
    // Tell the person once what a gap between ticks made them miss; the
    // warnings stay as they are.
    virtual void missedReminders(const MissedList&)
    {
    }
};
