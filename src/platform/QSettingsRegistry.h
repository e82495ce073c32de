#pragma once

#include "platform/Registry.h"

// The registry as INI files of QSettings. The key
// Software\<organisation>\<application>\<group>\... lives in
// <config>/<organisation>/<application>.ini, in the groups that follow.
// <config> is the user's config folder (XDG_CONFIG_HOME, read at each call)
// unless a folder is given.
class QSettingsRegistry : public Registry {
public:
    explicit QSettingsRegistry(const QString& configFolder = QString());

    QString readString(const QString& key, const QString& name) const override;
    bool writeStrings(const QString& key, const Values& values) override;
    int deleteValue(const QString& key, const QString& name) override;
    QString location(const QString& key) const override;

    // The INI file and the group that hold a key; false for a key of fewer
    // than two parts after "Software".
    bool locate(const QString& key, QString& file, QString& group) const;

private:
    static void createPrivate(const QString& file);

    QString m_configFolder;
};
