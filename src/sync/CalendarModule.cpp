// The calendar module's entry (libbrivo_calendar.so).
#include "sync/Calendar.h"
#include "sync/IcsFiles.h"
#include "sync/SyncSchedule.h"

namespace {

class ModuleCalendar : public Calendar {
public:
    IcsOutcome importFile(AppState& state, const QString& path, const QDateTime& now) override
    {
        return IcsFiles::importFile(state, path, now);
    }
    IcsOutcome exportFile(AppState& state, const QString& path, const QDateTime& now) override
    {
        return IcsFiles::exportFile(state, path, now);
    }
    std::unique_ptr<CalendarSync> sync(AppState& state, Notifications& notices, PasswordStore& passwords) override
    {
        return std::make_unique<SyncSchedule>(state, notices, passwords);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT Calendar* brivo_calendar_new()
{
    static ModuleCalendar calendar;
    return &calendar;
}
