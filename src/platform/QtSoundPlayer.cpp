#include "platform/QtSoundPlayer.h"

#include <QUrl>

void QtSoundPlayer::startOnce(const QString& path)
{
    play(path, 1);
}

void QtSoundPlayer::startLoop(const QString& path)
{
    play(path, QSoundEffect::Infinite);
}

void QtSoundPlayer::silence()
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
