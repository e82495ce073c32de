#pragma once

#include "platform/Launcher.h"

#include <QStringList>

// The desktop's default handlers through xdg-open, started detached with the
// address as its own argument: no shell ever reads it.
class DesktopLauncher : public Launcher {
public:
    bool Apri_Url(const QString& address) override;
    bool showHelp(int context) override;

    // The bundled guide page for a help context, written out to the user's
    // cache so that a browser can open it; empty when it cannot be written.
    static QString helpPage(int context, const QString& cacheDir);
    // What is started for an address: program and arguments.
    static QStringList openCommand(const QString& address);
};
