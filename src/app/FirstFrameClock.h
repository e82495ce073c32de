#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

// For the start-up benchmark, installed on the application: at the first
// paint of any widget, prints "shown <wall clock in ns>" once that frame is
// done, and ends there, so that a count of instructions stops at the same
// moment as the clock. The minimal window of the benchmark uses it too, so
// both are timed alike.
class FirstFrameClock : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] { stopNow(); });
        }
        return QObject::eventFilter(watched, event);
    }

public:
    // Prints the clock now and ends.
    static void stopNow()
    {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
        std::_Exit(0);
    }

private:
    bool m_seen = false;
};
