#pragma once

#include "platform/Registry.h"

#include <QMap>
#include <QPair>
#include <QStringList>

// An in-memory registry that logs the names it writes and counts the passes.
class FakeRegistry : public Registry {
public:
    using Location = QPair<QString, QString>; // key, value name

    QString readString(const QString& key, const QString& name) const override
    {
        return values.value({key, name});
    }

    bool writeStrings(const QString& key, const Values& written) override
    {
        ++passes;
        if (failWrites)
            return false;
        for (const auto& [name, text] : written) {
            writes.append(name);
            values.insert({key, name}, text);
        }
        return true;
    }

    int deleteValue(const QString& key, const QString& name) override
    {
        return values.remove({key, name}) > 0 ? 1 : 0;
    }

    QString location(const QString& key) const override
    {
        return QStringLiteral("registry:") + key;
    }

    QMap<Location, QString> values;
    QStringList writes;
    int passes = 0;          // calls of writeStrings
    bool failWrites = false; // as a read-only folder: nothing is written
};
