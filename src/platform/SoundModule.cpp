#include "platform/SoundModule.h"

#include <QSoundEffect>
#include <QString>
#include <QUrl>

extern "C" {

Q_DECL_EXPORT void* brivo_sound_new()
{
    return new QSoundEffect;
}

Q_DECL_EXPORT void brivo_sound_play(void* player, const char16_t* path, long long length, int loops)
{
    auto* effect = static_cast<QSoundEffect*>(player);
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(QString(reinterpret_cast<const QChar*>(path), length)));
    effect->setLoopCount(loops < 0 ? int(QSoundEffect::Infinite) : loops);
    // Plays as soon as the file is loaded; a file that fails to load stays silent.
    effect->play();
}

Q_DECL_EXPORT void brivo_sound_stop(void* player)
{
    static_cast<QSoundEffect*>(player)->stop();
}

Q_DECL_EXPORT void brivo_sound_delete(void* player)
{
    delete static_cast<QSoundEffect*>(player);
}
}
