#pragma once

#include "platform/Launcher.h"

#include <QStringList>

// Records what would have been opened.
class FakeLauncher : public Launcher {
public:
    bool Apri_Url(const QString& address) override
    {
        calls.append(QStringLiteral("url ") + address);
        return true;
    }
    bool showHelp(int context) override
    {
        calls.append(QStringLiteral("help %1").arg(context));
        return true;
    }
    QStringList calls;
};
