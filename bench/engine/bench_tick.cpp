// One timer tick over 10,000 memos and 100 alarm clocks (target: under 1 ms).

#include "engine/ReminderEngine.h"
#include "fakes/QuietEngineHost.h"
#include "platform/Clock.h"
#include "state/AppState.h"

#include <benchmark/benchmark.h>

#include <QTimeZone>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QDateTime benchNow(QDate(2024, 6, 3), QTime(10, 0, 30), QTimeZone::utc());

class FixedClock : public Clock {
public:
    QDateTime now() const override
    {
        return benchNow;
    }
};

// Takes its waiting entries and stays open, as a warning window nobody answers.
class OpenWindow : public WarningWindow {
public:
    OpenWindow(AvvisoList& queue, qint32 tipo)
    {
        for (REC_Avviso& a : queue) {
            if (a.Tipo == tipo && a.Stato == STATO_NUOVO) {
                keys.push_back(a.Chiave);
                a.Stato = STATO_MOSTRATO;
            }
        }
    }
    void showWarning() override
    {
    }
    bool isShownOnScreen() const override
    {
        return true;
    }
    bool showsKey(qint32 key) const override
    {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    void renumberKeys(const MemoIdMap&) override
    {
    }
    bool isFinished() const override
    {
        return false;
    }
    void release() override
    {
    }
    std::vector<qint32> keys;
};

class OpenWindows : public WarningWindowFactory {
public:
    explicit OpenWindows(AvvisoList& queue)
        : queue(queue)
    {
    }
    WarningWindow* createMemoWarning() override
    {
        made.push_back(std::make_unique<OpenWindow>(queue, AVVISO_MEMO));
        return made.back().get();
    }
    WarningWindow* createAlarmWarning() override
    {
        made.push_back(std::make_unique<OpenWindow>(queue, AVVISO_SVEGLIA));
        return made.back().get();
    }
    AvvisoList& queue;
    std::vector<std::unique_ptr<OpenWindow>> made;
};

// 10,000 memos over a month and 100 alarm clocks over the day; `due` memos
// and a tenth as many alarm clocks fall due at benchNow.
void fill(AppState& state, int due)
{
    const double today = DayNumbers::fromDate(benchNow.date());
    for (int i = 0; i < 10000; ++i) {
        REC_Memo m;
        m.ID = i + 1;
        m.TipoOrario = ORARIO_PRESENTE;
        m.Anticipo = -5;
        if (i < due) { // 10:05 - 5 minutes: due at 10:00:30
            m.Attivo = 1;
            m.Data = today;
            m.Orario = DayNumbers::fromTime(QTime(10, 5));
        } else {
            m.Attivo = i % 10 == 0 ? 0 : 1;
            m.Data = today + 1 + i % 30;
            m.Orario = DayNumbers::fromTime(QTime(i % 24, i % 60));
        }
        state.ArrMemo.append(m);
    }
    for (int j = 0; j < 100; ++j) {
        REC_Sveglia s;
        s.Attivo = 1;
        if (j < due / 10) {
            s.TipoSveglia = SVEGLIA_OGNI_GIORNO;
            s.Orario = DayNumbers::fromTime(QTime(10, 0));
        } else {
            s.TipoSveglia = j % 3 == 0 ? SVEGLIA_UN_GIORNO : SVEGLIA_OGNI_GIORNO;
            s.Giorno = j % 7 + 1;
            s.Orario = DayNumbers::fromTime(QTime(j % 24, 30));
        }
        state.ArrSveglie.append(s);
    }
}

void BM_Tick(benchmark::State& bench)
{
    AppState state;
    FixedClock clock;
    QuietEngineHost host;
    OpenWindows windows(state.ArrAvvisi);
    fill(state, static_cast<int>(bench.range(0)));
    state.ContaTick = 2;
    ReminderEngine engine(state, clock, host, windows, {"brivo-reminder"});
    engine.TimerTimer(); // the due ones are now shown by windows that stay open
    for (auto _ : bench)
        engine.TimerTimer();
    bench.counters["queue"] = static_cast<double>(state.ArrAvvisi.size());
    bench.counters["windows"] = static_cast<double>(windows.made.size());
}

} // namespace

// 0: nothing due; 100: 100 memos and 10 alarm clocks in their span, held by open windows.
BENCHMARK(BM_Tick)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
