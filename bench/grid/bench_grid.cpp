// The memo grid's rebuild and painting at 1,000 to 100,000 rows.
//
// BM_Rebuild: as the memo list rebuilds its grid from records: the row
// count and a key per data row, Ordina on that key, Pulisci_Celle, the rows
// shown from the data (their texts made from the records when drawn) and
// the first paint of a new grid (target: under 100 ms at 100,000 rows).
// Phase times are given as counters.
// BM_Repaint / BM_ScrollRepaint: one repaint of the shown grid, still or
// after scrolling a page; the cost must not grow with the row count.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include "controls/A_DBStringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int dataColumns = 12;
const int widths[] = {22, 349, 22, 67, 16, 35, 16, 25, 16};

QPixmap plusMinus()
{
    QPixmap p(9, 9);
    p.fill(Qt::darkGray);
    return p;
}

// A grid set up as the memo list sets up its own, drawing like it.
std::unique_ptr<TA_DBStringGrid> makeGrid()
{
    auto grid = std::make_unique<TA_DBStringGrid>();
    grid->setColCount(9);
    grid->setDefaultRowHeight(20);
    grid->setGridLineWidth(0);
    for (int c = 0; c < 9; ++c) {
        grid->setColWidths(c, widths[c]);
    }
    grid->Colonna_espansa = 1;
    grid->Bordo_Destro_on = true;
    grid->setDefaultDrawing(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    static const QPixmap button = plusMinus();
    grid->OnDrawCell = [](TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state) {
        if (row < g->FixedRows()) {
            TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, state, 2, 0, QColor(0xC0, 0xC0, 0xC0));
            return;
        }
        const GridColor ink = (row % 7 == 0) ? GridColor(Qt::red) : GridColor(Qt::black);
        switch (col) {
        case 0:
        case 2:
            TA_DBStringGrid::Disegna_Check(true, row % 2 == 0, true, g, rect, state, 2, 0, NO_COLOR_VALUE);
            break;
        case 1:
            TA_DBStringGrid::Disegna_Testo(g, col, row, rect, {}, 0, 5, ink, NO_COLOR_VALUE, -1);
            break;
        case 3:
        case 5:
        case 7:
            TA_DBStringGrid::Disegna_Testo(g, col, row, rect, {}, 1, 5, ink, NO_COLOR_VALUE, -1);
            break;
        default:
            TA_DBStringGrid::Disegna_Bitmap(button, true, g, rect, {}, 2, 0, NO_COLOR_VALUE);
            break;
        }
    };
    grid->resize(600, 500);
    return grid;
}

struct Phases {
    double fill = 0;
    double sort = 0;
    double copy = 0;
    double paint = 0;
};

// What a data row is made from, as a memo is for the memo list.
struct Record {
    int done;
    int alarm;
    int day;
    int hour;
    int advance;
    int id;
};

const QList<Record>& records(int n)
{
    static QList<Record> made;
    if (made.size() != n) {
        made.resize(n);
        for (int d = 0; d < n; ++d)
            made[d] = Record{d % 3 == 0, d % 2 == 0, 1 + d % 28, d % 24, d % 60 - 30, n - d};
    }
    return made;
}

QString recordText(const Record& r, int col, int d)
{
    switch (col) {
    case 0:
        return r.done ? QStringLiteral("1") : QStringLiteral("0");
    case 1:
        return QStringLiteral("Memo number %1 with a line of text").arg(d);
    case 2:
        return r.alarm ? QStringLiteral("1") : QStringLiteral("0");
    case 3:
        return QStringLiteral("%1/05/2024").arg(r.day, 2, 10, QLatin1Char('0'));
    case 5:
        return QStringLiteral("%1:30").arg(r.hour, 2, 10, QLatin1Char('0'));
    case 7:
        return QString::number(r.advance);
    case 10:
        return QString::number(r.id);
    case 11:
        return QString::number(d);
    default:
        return QString();
    }
}

// What the memo list does to show n memos; the keys go in reverse so the sort has work.
void rebuild(TA_DBStringGrid& grid, int n, QList<int>& keys, Phases& phases)
{
    QElapsedTimer t;
    t.start();
    const QList<Record>& data = records(n);
    grid.DataText = [&data](int col, int d) { return recordText(data[d], col, d); };
    grid.qt_righe_Nette = n;
    grid.setRowCount(grid.FixedRows() + n);
    keys.resize(n);
    for (int d = 0; d < n; ++d) {
        keys[d] = data[d].id;
    }
    phases.fill += double(t.nsecsElapsed());
    t.restart();
    grid.OnSort_Reset = [&grid](bool& esito) { esito = grid.qt_righe_Nette >= 1; };
    grid.OnSort_Calcolo
        = [&keys](int A, int B, int& esito) { esito = keys[A] < keys[B] ? -1 : (keys[A] > keys[B] ? 1 : 0); };
    grid.Ordina();
    phases.sort += double(t.nsecsElapsed());
    t.restart();
    grid.Pulisci_Celle();
    grid.showDataRows(dataColumns - 1);
    phases.copy += double(t.nsecsElapsed());
    t.restart();
    grid.repaint(); // the viewport and the fixed rows with it
    phases.paint += double(t.nsecsElapsed());
}

void BM_Rebuild(benchmark::State& state)
{
    const int n = int(state.range(0));
    Phases phases;
    QList<int> keys;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = makeGrid();
        grid->show();
        QApplication::processEvents();
        state.ResumeTiming();
        rebuild(*grid, n, keys, phases);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    const double it = double(state.iterations()) * 1e6;
    state.counters["fill_ms"] = phases.fill / it;
    state.counters["sort_ms"] = phases.sort / it;
    state.counters["copy_ms"] = phases.copy / it;
    state.counters["paint_ms"] = phases.paint / it;
}
BENCHMARK(BM_Rebuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

struct ShownGrid {
    std::unique_ptr<TA_DBStringGrid> grid = makeGrid();
    int cellsDrawn = 0;

    explicit ShownGrid(int n)
    {
        Phases phases;
        QList<int> keys;
        grid->show();
        rebuild(*grid, n, keys, phases);
        grid->setRow(n / 2);
        QApplication::processEvents();
        auto draw = grid->OnDrawCell;
        grid->OnDrawCell = [this, draw](TA_DBStringGrid* g, int c, int r, const QRect& rect, GridDrawState s) {
            ++cellsDrawn;
            draw(g, c, r, rect, s);
        };
    }
};

void BM_Repaint(benchmark::State& state)
{
    ShownGrid shown(int(state.range(0)));
    for (auto _ : state) {
        shown.grid->viewport()->repaint();
    }
    state.counters["cells_per_paint"] = double(shown.cellsDrawn) / double(state.iterations());
}
BENCHMARK(BM_Repaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ScrollRepaint(benchmark::State& state)
{
    const int n = int(state.range(0));
    ShownGrid shown(n);
    QScrollBar* bar = shown.grid->verticalScrollBar();
    const int page = shown.grid->VisibleRowCount();
    int value = bar->value();
    for (auto _ : state) {
        value = (value + page < bar->maximum()) ? value + page : page;
        bar->setValue(value);
        shown.grid->viewport()->repaint();
    }
    state.counters["cells_per_paint"] = double(shown.cellsDrawn) / double(state.iterations());
}
BENCHMARK(BM_ScrollRepaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
