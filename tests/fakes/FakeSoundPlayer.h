#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

// Records what would have been played: "once <path>", "loop <path>", "stop".
class FakeSoundPlayer : public SoundPlayer {
public:
    void playOnce(const QString& path) override
    {
        calls.append(QStringLiteral("once ") + path);
    }
    void playLoop(const QString& path) override
    {
        calls.append(QStringLiteral("loop ") + path);
    }
    void stop() override
    {
        calls.append(QStringLiteral("stop"));
    }
    QStringList calls;
};
