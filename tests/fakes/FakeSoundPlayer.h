#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

// Records what would have been played: "once <path>", "loop <path>", "stop".
class FakeSoundPlayer : public SoundPlayer {
public:
    QStringList calls;

protected:
    void startOnce(const QString& path) override
    {
        calls.append(QStringLiteral("once ") + path);
    }
    void startLoop(const QString& path) override
    {
        calls.append(QStringLiteral("loop ") + path);
    }
    void silence() override
    {
        calls.append(QStringLiteral("stop"));
    }
};
