#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: hand the signal to the event loop.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

SessionEnd::SessionEnd(QObject* parent)
    : QObject(parent)
{
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        signalPipe[0] = signalPipe[1] = -1;
    if (signalPipe[0] >= 0) {
        notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &SessionEnd::readSignal);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int sig : {SIGTERM, SIGHUP, SIGINT})
            sigaction(sig, &action, nullptr);
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Log-off: the session manager asks the program to save; it does so by closing.
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit endRequested(); });
    }
}

SessionEnd::~SessionEnd()
{
    for (const int sig : {SIGTERM, SIGHUP, SIGINT})
        std::signal(sig, SIG_DFL);
}

void SessionEnd::readSignal()
{
    char byte;
    [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
    emit endRequested();
}
