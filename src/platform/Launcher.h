#pragma once

#include <QString>

// Hands web addresses and the user guide to the desktop.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Apri_Url: the address in the default browser, started detached; false
    // when nothing could be started.
    virtual bool Apri_Url(const QString& address) = 0;
    // The user guide for a help context: 1 the Italian page, 2 the English
    // one, 0 the guide's contents. False when nothing could be started.
    virtual bool showHelp(int context) = 0;
};
