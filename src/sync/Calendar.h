#pragma once

#include "sync/IcsOutcome.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

struct AppState;
class Notifications;
class PasswordStore;

// The calendar code, iCalendar files and CalDAV sync, as the program sees
// it. It lives in a module of its own (libbrivo_calendar.so) with libical
// and Qt Network, loaded at first need, so that a start maps neither.

// Sync with the CalDAV server of the settings, as SyncSchedule describes.
class CalendarSync {
public:
    virtual ~CalendarSync() = default;

    // Asks the person for the password of user at server; again: the one
    // tried was refused. Empty: none given.
    std::function<QString(const QString& server, const QString& user, bool again)> askPassword;
    // Before a pass changes the lists (editors give up their text), and after.
    std::function<void()> beforeChange;
    std::function<void()> listsChanged;

    virtual void begin() = 0;
    virtual void saved() = 0;
    virtual void end(int ms) = 0;
};

class Calendar {
public:
    virtual ~Calendar() = default;
    // As IcsFiles::importFile and IcsFiles::exportFile.
    virtual IcsOutcome importFile(AppState& state, const QString& path, const QDateTime& now) = 0;
    virtual IcsOutcome exportFile(AppState& state, const QString& path, const QDateTime& now) = 0;
    virtual std::unique_ptr<CalendarSync> sync(AppState& state, Notifications& notices, PasswordStore& passwords) = 0;
};

// The module's one entry: the calendar, alive as long as the module is
// loaded. Plain C, found by name.
extern "C" {
using BrivoCalendarNew = Calendar* (*)();
}

namespace CalendarModule {
inline constexpr char newName[] = "brivo_calendar_new";
} // namespace CalendarModule
