#pragma once

#include "sync/CalDavClient.h"
#include "sync/SyncMerge.h"

#include <QDateTime>
#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <mutex>

struct AppState;
class QThread;

// Runs sync passes off the GUI thread, so that the tick and the warnings
// never wait on the network: each pass works on a copy of the lists taken
// when it starts, in a thread of its own, and its result is joined back on
// the thread that owns the state. One pass at a time; a pass asked for
// while one runs follows it, once.
class SyncRunner : public QObject {
    Q_OBJECT
public:
    explicit SyncRunner(AppState& state, QObject* parent = nullptr);
    ~SyncRunner() override; // a pass still running is cancelled and waited for

    // Where the next passes go, and with what password (empty: none).
    void setServer(const QUrl& collection, const QString& user);
    void setPassword(const QString& password);
    // What new records start from, and the time items are stamped with.
    std::function<void(REC_Memo& memo, REC_Sveglia& alarm)> newRecords;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTimeUtc(); };
    int requestTimeoutMs = 15000;
    // Called before a pass's changes go into the lists.
    std::function<void()> beforeChange;

    // A pass now, or once after the one running.
    void request();
    bool running() const;
    bool queued() const;
    // Waits at most ms for the running pass, then cancels it and waits for
    // what it did so far; joins it in. False when no pass was running.
    bool finishWithin(int ms);

    struct Pass {
        CalDavClient::Result result;
        SyncMerge::Outcome outcome;
    };

signals:
    // After each pass has been joined into the state.
    void passEnded(const SyncRunner::Pass& pass);

private:
    struct Job;
    void start();
    void join();

    AppState& state;
    QUrl collection;
    QString user, password;
    QThread* worker = nullptr;
    std::shared_ptr<Job> job;
    bool again = false;
};
