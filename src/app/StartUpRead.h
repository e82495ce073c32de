#pragma once

#include "state/AppState.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>

#include <atomic>
#include <latch>
#include <thread>
#include <utility>

// What the start-up reads on a thread of its own: the program icon and the
// logo, which the window needs before it is shown, then the store, into a
// state of its own that nothing else touches meanwhile. The store waits
// until it is allowed: the lists can wait for the window's first frame, the
// frame cannot (read beside the window's making, the store slowed it down).
class StartUpRead {
public:
    // codePage: how this copy last wrote the store, as the settings keep it.
    StartUpRead(
        const ProgramFolders& folders, const QString& codePage, const QDateTime& now, const QByteArray& logoPicture);
    // A read never allowed is skipped, so nothing waits for it.
    ~StartUpRead();
    StartUpRead(const StartUpRead&) = delete;
    StartUpRead& operator=(const StartUpRead&) = delete;

    // The icon and the logo, once decoded; taken once.
    std::pair<QImage, QImage> takePictures();
    void allowRead();
    // Allows the read if it was not, waits for it, and gives what it read.
    AppState& finish();

private:
    enum Go { Wait, Read, Skip };
    AppState m_state;
    QString m_diagnostic;
    QImage m_icon;
    QImage m_logo;
    std::latch m_picturesDecoded{1};
    std::atomic<Go> m_go{Wait};
    std::jthread m_thread; // last: joined before the rest goes
};
