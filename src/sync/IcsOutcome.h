#pragma once

#include <QString>

// What became of a calendar file read into the lists or written from them.
struct IcsOutcome {
    enum class Fault {
        None,
        CannotRead,  // the file could not be read
        NotCalendar, // it is no iCalendar file: nothing imported
        CannotWrite, // detail says why
        Unavailable, // the calendar module could not be loaded: detail says why
    };
    Fault fault = Fault::None;
    QString detail;
    int added = 0, updated = 0, skipped = 0; // import
    qsizetype memos = 0, alarms = 0;         // export
    bool listsChanged = false;               // records added, updated or given UIDs: the store wants a save

    bool ok() const
    {
        return fault == Fault::None;
    }
    // The calendar module could not be loaded, for the reason given.
    static IcsOutcome unavailable(const QString& why)
    {
        IcsOutcome missing;
        missing.fault = Fault::Unavailable;
        missing.detail = why;
        return missing;
    }
};
