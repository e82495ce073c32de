#pragma once

#include "platform/Autostart.h"

#include <QSet>
#include <QStringList>

// Log-on entries as a set of program names, with a log of the calls
// ("write <name>", "remove <name>").
class FakeAutostart : public Autostart {
public:
    bool writeEntry(const QString& programName) override
    {
        calls.append(QStringLiteral("write ") + programName);
        entries.insert(programName);
        return true;
    }

    bool removeEntry(const QString& programName) override
    {
        calls.append(QStringLiteral("remove ") + programName);
        return entries.remove(programName);
    }

    QSet<QString> entries;
    QStringList calls;
};
