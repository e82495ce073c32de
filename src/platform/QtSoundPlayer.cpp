#include "platform/QtSoundPlayer.h"

#include <QUrl>

void QtSoundPlayer::playOnce(const QString& path)
{
    play(path, 1);
}

void QtSoundPlayer::playLoop(const QString& path)
{
    play(path, QSoundEffect::Infinite);
}

void QtSoundPlayer::stop()
{
    if (effect)
        effect->stop();
}

void QtSoundPlayer::play(const QString& path, int loops)
{
    if (!effect)
        effect = std::make_unique<QSoundEffect>();
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->setLoopCount(loops);
    // Plays as soon as the file is loaded; a file that fails to load stays silent.
    effect->play();
}
