#include "sync/SyncRunner.h"

#include "state/AppState.h"

#include <QThread>

struct SyncRunner::Job {
    SyncMerge::Lists base; // as the pass found the lists
    SyncMerge::Lists pass; // as it left them
    REC_Memo newMemo;
    REC_Sveglia newAlarm;
    QDateTime now;
    QUrl collection;
    QString user, password;
    int timeoutMs = 15000;
    CalDavClient::Result result;

    std::mutex lock; // guards client and cancelled
    CalDavClient* client = nullptr;
    bool cancelled = false;

    void run()
    {
        // Made here: its network access belongs to this thread.
        CalDavClient c(collection, user, password);
        c.timeoutMs = timeoutMs;
        {
            const std::lock_guard guard(lock);
            client = &c;
            if (cancelled)
                c.cancel();
        }
        result = c.sync(pass.memos, pass.sveglie, pass.data, newMemo, newAlarm, now);
        const std::lock_guard guard(lock);
        client = nullptr;
    }
    void cancel()
    {
        const std::lock_guard guard(lock);
        cancelled = true;
        if (client)
            client->cancel();
    }
};

SyncRunner::SyncRunner(AppState& appState, QObject* parent)
    : QObject(parent)
    , state(appState)
{
}

SyncRunner::~SyncRunner()
{
    if (worker) {
        job->cancel();
        worker->wait();
        delete worker;
    }
}

void SyncRunner::setServer(const QUrl& url, const QString& name)
{
    collection = url;
    user = name;
}

void SyncRunner::setPassword(const QString& secret)
{
    password = secret;
}

bool SyncRunner::running() const
{
    return worker != nullptr;
}

bool SyncRunner::queued() const
{
    return again;
}

void SyncRunner::request()
{
    if (worker)
        again = true;
    else
        start();
}

void SyncRunner::start()
{
    again = false;
    job = std::make_shared<Job>();
    job->base = SyncMerge::snapshot(state.ArrMemo, state.ArrSveglie, state.sync);
    job->pass = job->base;
    if (newRecords)
        newRecords(job->newMemo, job->newAlarm);
    job->now = now();
    job->collection = collection;
    job->user = user;
    job->password = password;
    job->timeoutMs = requestTimeoutMs;
    worker = QThread::create([j = job] { j->run(); });
    // Queued to this thread: the join touches the live lists.
    connect(worker, &QThread::finished, this, &SyncRunner::join, Qt::QueuedConnection);
    worker->start();
}

bool SyncRunner::finishWithin(int ms)
{
    if (!worker)
        return false;
    if (!worker->wait(QDeadlineTimer(ms))) {
        job->cancel();
        worker->wait();
    }
    again = false; // the caller decides what comes next
    join();
    return true;
}

void SyncRunner::join()
{
    if (!worker || !worker->isFinished())
        return; // joined already (finishWithin), or a late signal
    delete worker;
    worker = nullptr;
    const std::shared_ptr<Job> done = std::exchange(job, nullptr);
    if (beforeChange && (done->pass.memos != done->base.memos || done->pass.sveglie != done->base.sveglie))
        beforeChange();
    // What the pass did is kept even when it stopped halfway: the server
    // holds it now.
    Pass pass{done->result, SyncMerge::apply(done->base, done->pass, done->result.renamed, state)};
    if (pass.outcome.listsChanged)
        state.DaSalvare = true;
    else if (pass.outcome.dataChanged && !state.DaSalvare)
        state.writeSync(); // the new ETags: a pending save writes them with the store
    emit passEnded(pass);
    if (again && !worker)
        start();
}
