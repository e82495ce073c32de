#pragma once

#include <QList>
#include <QString>

#include <utility>

// The current user's settings store. Keys are paths in the Windows registry
// form ("Software\Brivo\BrivoReminder\...\Impostazioni"), values are strings.
// Nothing here ever reports a failure other than through its result.
class Registry {
public:
    virtual ~Registry() = default;

    // The value's text; empty when the key or value is missing, is not a
    // string, or cannot be read. Never creates the key.
    virtual QString readString(const QString& key, const QString& name) const = 0;

    // (value name, text) pairs, written in one pass: a save touches the store
    // once, not once per value. Creates the key when needed; false on any failure.
    using Values = QList<std::pair<QString, QString>>;
    virtual bool writeStrings(const QString& key, const Values& values) = 0;

    bool writeString(const QString& key, const QString& name, const QString& text)
    {
        return writeStrings(key, {{name, text}});
    }

    // 1 = deleted, 0 otherwise (missing value included). Never creates the key.
    virtual int deleteValue(const QString& key, const QString& name) = 0;

    // Where the key's values are kept, to name it to the person; may be empty.
    virtual QString location(const QString& key) const = 0;
};
