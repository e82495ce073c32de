#pragma once

#include "platform/SoundModule.h"
#include "platform/SoundPlayer.h"

#include <QStringList>

// Plays WAV files through one QSoundEffect, asynchronously, in the sound
// module, loaded at the first sound from the first of modulePaths that loads.
// Without it every sound is silent (and said so once on stderr).
class QtSoundPlayer : public SoundPlayer {
public:
    // Beside the program (a build), then where an installed copy keeps it.
    static QStringList defaultModulePaths();

    explicit QtSoundPlayer(QStringList modulePaths = defaultModulePaths());
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

protected:
    void startOnce(const QString& path) override;
    void startLoop(const QString& path) override;
    void silence() override;

private:
    void play(const QString& path, int loops);
    bool load();

    QStringList paths;
    bool tried = false;
    void* player = nullptr;
    BrivoSoundPlay playFn = nullptr;
    BrivoSoundStop stopFn = nullptr;
    BrivoSoundDelete deleteFn = nullptr;
};
