#include "warnings/WarningWindows.h"

#include "warnings/FWarnMemo.h"
#include "warnings/FWarnSveglie.h"

WarningWindows::WarningWindows(AppState& appState, Services& appServices, WarningHost appHost)
    : state(appState)
    , services(appServices)
    , host(std::move(appHost))
{
}

WarningWindow* WarningWindows::createMemoWarning()
{
    return new TfrmWarnMemo(state, services, host);
}

WarningWindow* WarningWindows::createAlarmWarning()
{
    return new TfrmWarnSveglie(state, services, host);
}
