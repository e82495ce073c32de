#pragma once

#include "platform/SoundPlayer.h"

#include <QSoundEffect>

#include <memory>

// Plays WAV files through one QSoundEffect, asynchronously.
class QtSoundPlayer : public SoundPlayer {
protected:
    void startOnce(const QString& path) override;
    void startLoop(const QString& path) override;
    void silence() override;

private:
    void play(const QString& path, int loops);
    // Made at the first sound: setting up the audio output costs start-up time.
    std::unique_ptr<QSoundEffect> effect;
};
