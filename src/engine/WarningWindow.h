#pragma once

#include <QHash>
#include <QtGlobal>

// Old memo ID -> new ID, for every memo whose ID a command changed.
using MemoIdMap = QHash<qint32, qint32>;

// What the tick needs of a memo or alarm warning window. The real windows
// live in the ui; tests use fakes, so the whole tick runs without widgets.
class WarningWindow {
public:
    virtual ~WarningWindow() = default;

    // Shown without being modal, right after creation.
    virtual void showWarning() = 0;
    virtual bool isShownOnScreen() const = 0;
    // A line of the window (ListaMess) has this Chiave: a memo ID, or an
    // alarm clock's index.
    virtual bool showsKey(qint32 key) const = 0;
    // Memo IDs were handed out anew: every memo line takes its memo's new ID,
    // so acting on it still reaches the memo it shows. Alarm windows ignore it.
    virtual void renumberKeys(const MemoIdMap& newIds) = 0;
    // Finestra_Chiusa: the user closed the window; the next tick releases it.
    virtual bool isFinished() const = 0;
    // Deferred destruction (the window may still be inside its own event
    // handler); the engine drops the pointer right after.
    virtual void release() = 0;
};

// Creates the warning windows. A new window takes, while it is created,
// every STATO_NUOVO entry of its kind in ArrAvvisi and sets it to
// STATO_MOSTRATO. Returns nullptr when no window could be made; the entries
// then stay waiting for the next tick.
class WarningWindowFactory {
public:
    virtual ~WarningWindowFactory() = default;
    virtual WarningWindow* createMemoWarning() = 0;
    virtual WarningWindow* createAlarmWarning() = 0;
};
