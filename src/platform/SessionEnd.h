#pragma once

#include <QObject>

class QSocketNotifier;

// The end of the desktop session, and the signals by which scripts and the
// system stop a program (SIGTERM, SIGHUP, SIGINT): each emits endRequested
// on the event loop, so the program can save and exit normally.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

signals:
    void endRequested();

private:
    void readSignal();
    QSocketNotifier* notifier = nullptr;
};
