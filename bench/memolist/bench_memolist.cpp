// Aggiorna_Griglia of the main window's memo grid at 10,000 and 100,000
// memos (target: under 100 ms at 100,000): the row keys, the sort by ID, the
// rows shown from the records and the repaint of the shown grid, whose cells
// are the only ones formatted. The IDs are shuffled so the sort has work.
// Also the date sort (the exchange sort's order, worked out in n log n;
// target: under 20 ms at 10,000) and a new memo above the first one (every
// ID moves up), without the grid.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "controls/A_DBStringGrid.h"
#include "memolist/MemoCommands.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoPictures.h"
#include "memolist/TestiReminder.h"
#include "platform/Clock.h"
#include "platform/LocaleService.h"
#include "state/AppState.h"
#include "state/Configuration.h"

#include <QApplication>
#include <QLocale>
#include <QRandomGenerator>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override
    {
        return QDateTime(QDate(2024, 6, 3), QTime(9, 50));
    }
};

class ItalianLocale : public LocaleService {
public:
    QString languageCode() const override
    {
        return QStringLiteral("it");
    }
    QString shortDateFormat() const override
    {
        return QLocale(QStringLiteral("it_IT")).dateFormat(QLocale::ShortFormat);
    }
    QString shortTimeFormat() const override
    {
        return QLocale(QStringLiteral("it_IT")).timeFormat(QLocale::ShortFormat);
    }
    QChar decimalSeparator() const override
    {
        return u',';
    }
    Qt::DayOfWeek firstDayOfWeek() const override
    {
        return Qt::Monday;
    }
};

MemoList memos(int n)
{
    QList<qint32> ids(n);
    for (int i = 0; i < n; ++i)
        ids[i] = i + 1;
    std::shuffle(ids.begin(), ids.end(), *QRandomGenerator::global());
    MemoList list;
    list.reserve(n);
    const double today = DayNumbers::fromDate(QDate(2024, 6, 3));
    for (int i = 0; i < n; ++i) {
        REC_Memo m;
        m.ID = ids[i];
        m.TipoMemo = 1;
        m.Nota = QStringLiteral("Promemoria numero %1 con una riga di testo").arg(i);
        m.Attivo = i % 2;
        m.Eseguito = i % 5 == 0 ? 1 : 0;
        m.TipoData = 1;
        m.Data = today + (i % 40) - 20;
        m.TipoOrario = i % 3 == 0 ? ORARIO_ASSENTE : ORARIO_PRESENTE;
        m.Orario = double(i % 1440) / 1440.0;
        m.TipoAnticipo = 2;
        m.Anticipo = i % 61 - 30;
        list.append(m);
    }
    return list;
}

void BM_Aggiorna_Griglia(benchmark::State& bench)
{
    FixedClock clock;
    ItalianLocale locale;
    AppState state;
    Crea_Colorazioni(state.ArrColorazioni);
    state.settings.Tipo_colorazione = QStringLiteral("Reminder");
    state.ArrMemo = memos(int(bench.range(0)));
    TestiReminder texts;
    Testi_Lingua(languageItalian(), QStringLiteral("Brivo Reminder"), texts);
    const MemoPictures pictures(qApp->devicePixelRatio());
    QWidget window;
    MemoGrid list(state, texts, clock, locale, pictures, &window, nullptr);
    list.dbsgMemo()->resize(620, 300);
    window.resize(620, 300);
    window.show();
    QApplication::processEvents();
    for (auto _ : bench)
        list.Aggiorna_Griglia();
    bench.counters["rows"] = double(list.dbsgMemo()->RowCount());
}
BENCHMARK(BM_Aggiorna_Griglia)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Ordina_Per_Data(benchmark::State& bench)
{
    const MemoList shuffled = memos(int(bench.range(0)));
    AppState state;
    int riga = 2;
    MemoCommands commands(state, riga);
    for (auto _ : bench) {
        bench.PauseTiming();
        state.ArrMemo = shuffled;
        bench.ResumeTiming();
        int newRow = -1;
        commands.Ordina_Per_Data(newRow);
        benchmark::DoNotOptimize(newRow);
    }
}
BENCHMARK(BM_Ordina_Per_Data)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Nuovo_Memo_Above_The_First(benchmark::State& bench)
{
    const MemoList shuffled = memos(int(bench.range(0)));
    AppState state;
    int riga = 1;
    MemoCommands commands(state, riga);
    commands.memoOfRow = [&](int row) { return row == 1 ? int(findMemo(state.ArrMemo, 1)) : -1; };
    const QDateTime now(QDate(2024, 6, 3), QTime(9, 50));
    for (auto _ : bench) {
        bench.PauseTiming();
        state.ArrMemo = shuffled;
        bench.ResumeTiming();
        benchmark::DoNotOptimize(commands.Nuovo_Memo(now));
    }
}
BENCHMARK(BM_Nuovo_Memo_Above_The_First)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
