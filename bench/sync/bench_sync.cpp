// Sync passes of 1,000 memos against a Radicale on this computer (started
// here), and the part of a pass the GUI thread pays: the copy taken at its
// start and the join at its end.
#include "state/AppState.h"
#include "sync/CalDavClient.h"
#include "sync/Radicale.h"
#include "sync/SyncMerge.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

const QDateTime stamp(QDate(2026, 12, 7), QTime(5, 30), Qt::UTC);
const REC_Memo newMemo{0, 1, {}, 0, 0, 1, 46000, ORARIO_PRESENTE, 0, 2, -5};
const REC_Sveglia newAlarm{SVEGLIA_OGNI_GIORNO, 1, {}, 1, 0, QStringLiteral("Campanello")};

MemoList makeMemos(int n)
{
    MemoList list;
    for (int i = 0; i < n; ++i) {
        list.append(REC_Memo{i + 1, 1, QStringLiteral("Promemoria numero %1: telefonare, scrivere, pagare").arg(i + 1),
            i % 3 == 0, i % 5 == 0, 1, 46000.0 + i % 400, 1 + i % 2, (i % 1440) / 1440.0, 2, i % 61 - 30});
    }
    return list;
}

Radicale& server()
{
    static Radicale r;
    static const bool up = r.start();
    if (!up)
        std::abort();
    return r;
}

// A new empty collection for each run.
QUrl freshCollection()
{
    static int n = 0;
    const QUrl url = server().url(QStringLiteral("/anna/c%1/").arg(++n));
    CalDavClient setup(url);
    if (n == 1)
        setup.send("MKCOL", server().url(QStringLiteral("/anna/")));
    setup.send("MKCALENDAR", url);
    return url;
}

// Every memo goes there: 1,000 PUTs.
void BM_FirstPass1000(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QUrl url = freshCollection();
        MemoList memos = makeMemos(1000);
        SvegliaList sveglie;
        SyncData data;
        state.ResumeTiming();
        CalDavClient client(url);
        if (!client.sync(memos, sveglie, data, newMemo, newAlarm, stamp).ok)
            state.SkipWithError("pass failed");
    }
}
BENCHMARK(BM_FirstPass1000)->Unit(benchmark::kMillisecond)->Iterations(1);

struct Synced {
    QUrl url = freshCollection();
    MemoList memos = makeMemos(1000);
    SvegliaList sveglie;
    SyncData data;
    Synced()
    {
        CalDavClient(url).sync(memos, sveglie, data, newMemo, newAlarm, stamp);
    }
};

// Nothing changed on either side: the change list and the comparison here.
void BM_IdlePass1000(benchmark::State& state)
{
    static Synced s;
    for (auto _ : state) {
        CalDavClient client(s.url);
        if (!client.sync(s.memos, s.sveglie, s.data, newMemo, newAlarm, stamp).ok)
            state.SkipWithError("pass failed");
    }
}
BENCHMARK(BM_IdlePass1000)->Unit(benchmark::kMillisecond);

// Ten memos changed here out of 1,000.
void BM_TenChangedPass1000(benchmark::State& state)
{
    static Synced s;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int i = 0; i < 10; ++i)
            s.memos[i * 97].Nota = QStringLiteral("Cambiato %1 al giro %2").arg(i).arg(round);
        state.ResumeTiming();
        CalDavClient client(s.url);
        if (!client.sync(s.memos, s.sveglie, s.data, newMemo, newAlarm, stamp).ok)
            state.SkipWithError("pass failed");
    }
}
BENCHMARK(BM_TenChangedPass1000)->Unit(benchmark::kMillisecond);

// What the GUI thread does for a pass of 1,000 memos that brought ten
// changes: the copy, then the join.
void BM_CopyAndJoin1000(benchmark::State& state)
{
    static Synced s;
    for (auto _ : state) {
        state.PauseTiming();
        AppState live;
        live.ArrMemo = s.memos;
        live.sync = s.data;
        state.ResumeTiming();
        const SyncMerge::Lists base = SyncMerge::snapshot(live.ArrMemo, live.ArrSveglie, live.sync);
        state.PauseTiming();
        SyncMerge::Lists pass = base;
        for (int i = 0; i < 10; ++i)
            pass.memos[i * 89].Nota += QStringLiteral(" (da là)");
        state.ResumeTiming();
        benchmark::DoNotOptimize(SyncMerge::apply(base, pass, {}, live));
    }
}
BENCHMARK(BM_CopyAndJoin1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
