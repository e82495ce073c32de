#pragma once

#include "engine/EngineHost.h"

// A main window that asks nothing of the tick and whose saves succeed.
class QuietEngineHost : public EngineHost {
public:
    void hideSplash() override
    {
    }
    void setTimerInterval(int) override
    {
    }
    void hideToTray() override
    {
    }
    int writeSettings() override
    {
        return 1;
    }
    int writeStore() override
    {
        return 1;
    }
};
