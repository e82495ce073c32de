#pragma once

#include "engine/WarningWindow.h"
#include "warnings/WarningForm.h"

// Makes the real warning windows for the tick.
class WarningWindows : public WarningWindowFactory {
public:
    WarningWindows(AppState& state, Services& services, WarningHost host);
    WarningWindow* createMemoWarning() override;
    WarningWindow* createAlarmWarning() override;

private:
    AppState& state;
    Services& services;
    const WarningHost host;
};
