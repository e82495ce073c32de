#pragma once

#include "platform/SoundPlayer.h"

#include <QSoundEffect>

// Plays WAV files through one QSoundEffect, asynchronously.
class QtSoundPlayer : public SoundPlayer {
public:
    void playOnce(const QString& path) override;
    void playLoop(const QString& path) override;
    void stop() override;

private:
    void play(const QString& path, int loops);
    QSoundEffect effect;
};
