#pragma once

#include "platform/Autostart.h"

#include <QByteArray>

// Log-on start as a freedesktop autostart entry,
// <config>/autostart/<program name>.desktop, whose Exec line starts the
// executable with the /AutoRun switch. <config> is the user's config folder
// (XDG_CONFIG_HOME, read at each call) unless a folder is given; the
// executable is the running one unless a path is given.
class DesktopAutostart : public Autostart {
public:
    explicit DesktopAutostart(const QString& configFolder = QString(), const QString& executable = QString());

    bool writeEntry(const QString& programName) override;
    bool removeEntry(const QString& programName) override;

    // Where the entry of this program name lives.
    QString entryPath(const QString& programName) const;

    // The whole entry file.
    static QByteArray entryText(const QString& programName, const QString& executable);

    // One Exec argument, quoted and escaped as the desktop-entry format asks.
    static QString quoteExecArgument(const QString& argument);

private:
    QString m_configFolder;
    QString m_executable;
};
