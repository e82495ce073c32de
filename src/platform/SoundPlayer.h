#pragma once

#include <QString>

// The program's one sound channel: a new sound replaces the one playing, and
// stop silences whatever plays. A missing or unreadable file is silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playOnce(const QString& path) = 0;
    virtual void playLoop(const QString& path) = 0;
    virtual void stop() = 0;
};
