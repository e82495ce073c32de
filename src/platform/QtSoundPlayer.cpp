#include "platform/QtSoundPlayer.h"

#include "platform/ProgramModules.h"

#include <QLibrary>

#include <cstdio>

QStringList QtSoundPlayer::defaultModulePaths()
{
    return programModulePaths(QStringLiteral("libbrivo_sound.so"));
}

QtSoundPlayer::QtSoundPlayer(QStringList modulePaths)
    : paths(std::move(modulePaths))
{
}

QtSoundPlayer::~QtSoundPlayer()
{
    if (player)
        deleteFn(player);
}

bool QtSoundPlayer::load()
{
    if (tried)
        return player;
    tried = true;
    QString why;
    for (const QString& path : paths) {
        // Kept loaded for the rest of the run: the object does not unload it.
        QLibrary module(path);
        if (!module.load()) {
            why = module.errorString();
            continue;
        }
        const auto make = reinterpret_cast<BrivoSoundNew>(module.resolve(SoundModule::newName));
        playFn = reinterpret_cast<BrivoSoundPlay>(module.resolve(SoundModule::playName));
        stopFn = reinterpret_cast<BrivoSoundStop>(module.resolve(SoundModule::stopName));
        deleteFn = reinterpret_cast<BrivoSoundDelete>(module.resolve(SoundModule::deleteName));
        if (make && playFn && stopFn && deleteFn) {
            player = make();
            return player;
        }
        why = path + QStringLiteral(": not the sound module");
    }
    std::fprintf(stderr, "brivo-reminder: no sound: %s\n", qPrintable(why));
    return false;
}

void QtSoundPlayer::startOnce(const QString& path)
{
    play(path, 1);
}

void QtSoundPlayer::startLoop(const QString& path)
{
    play(path, -1);
}

void QtSoundPlayer::silence()
{
    if (player)
        stopFn(player);
}

void QtSoundPlayer::play(const QString& path, int loops)
{
    if (load())
        playFn(player, reinterpret_cast<const char16_t*>(path.constData()), path.size(), loops);
}
