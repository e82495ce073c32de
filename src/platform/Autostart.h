#pragma once

#include <QString>

// The switch a log-on start passes to the program; any letter case is accepted.
inline QString autorunSwitch()
{
    return QStringLiteral("/AutoRun");
}

// The user's list of programs started at log-on. An entry starts the running
// executable with the /AutoRun switch.
class Autostart {
public:
    virtual ~Autostart() = default;

    // Writes (or rewrites) the entry named after the program; false on failure.
    virtual bool writeEntry(const QString& programName) = 0;

    // true when an entry existed and was removed.
    virtual bool removeEntry(const QString& programName) = 0;
};
