#pragma once

#include <QString>

#include <utility>

// The program's one sound channel: a new sound replaces the one playing, and
// stop silences whatever plays. A missing or unreadable file is silent.
//
// A sound tried out in a dialog is a preview: it cuts what plays, and
// endPreview, when the dialog closes, gives the channel back, so a warning's
// looping sound goes on until the warning itself is answered.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    void playOnce(const QString& path)
    {
        forget();
        startOnce(path);
    }
    void playLoop(const QString& path)
    {
        forget();
        looping = path;
        startLoop(path);
    }
    void stop()
    {
        forget();
        silence();
    }

    // Stops what plays and plays path once (an empty path: silence).
    void playPreview(const QString& path)
    {
        if (!previewing)
            resume = std::exchange(looping, QString());
        previewing = true;
        silence();
        if (!path.isEmpty())
            startOnce(path);
    }
    // After playPreview and nothing since: the loop it cut starts again,
    // else the channel falls silent. Otherwise nothing: what plays is not
    // the preview's.
    void endPreview()
    {
        if (!previewing)
            return;
        const QString loop = resume;
        forget();
        if (loop.isEmpty()) {
            silence();
        } else {
            looping = loop;
            startLoop(loop);
        }
    }

protected:
    virtual void startOnce(const QString& path) = 0;
    virtual void startLoop(const QString& path) = 0;
    virtual void silence() = 0;

private:
    void forget()
    {
        looping.clear();
        resume.clear();
        previewing = false;
    }

    QString looping; // the loop playing now
    QString resume;  // the loop a preview cut
    bool previewing = false;
};
