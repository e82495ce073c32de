// A grid of memo-like rows drawn by the owner, to look at the grid.
// grid_demo                  shows the window
// grid_demo --shot out.png   writes a picture of it and exits (works offscreen)
// grid_demo --edit ...        with the editor open on the current memo's text

#include "controls/A_DBStringGrid.h"

#include <QApplication>
#include <QDate>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct DemoMemo {
    int id;
    bool done;
    QString text;
    bool alarm;
    int dayOffset;
    QString time;
    int advance;
};

const QList<DemoMemo> memos = {
    {4, false, QStringLiteral("Call the plumber about the kitchen tap"), true, 0, QStringLiteral("09:30"), -5},
    {1, true, QStringLiteral("Pay the electricity bill"), false, -1, QString(), 0},
    {7, false, QStringLiteral("Dentist"), true, 1, QStringLiteral("16:15"), -30},
    {2, false, QStringLiteral("Buy a birthday present for Anna"), false, 3, QString(), 0},
    {5, false, QStringLiteral("Renew the car insurance"), true, 12, QStringLiteral("11:00"), 15},
    {3, false, QStringLiteral("Back up the photos"), false, 0, QStringLiteral("21:00"), 0},
};

const char* const titles[] = {"", "Memo", "", "Date", "", "Time", "", "+/-", ""};

void fill(TA_DBStringGrid* grid)
{
    const int n = int(memos.size()) + 1; // plus the "new memo" row
    grid->Imposta_Dati(12, n);
    grid->qt_righe_Nette = n;
    grid->setRowCount(grid->FixedRows() + n);
    for (int d = 0; d < n - 1; ++d) {
        const DemoMemo& m = memos[d];
        grid->Dati[0][d] = m.done ? QStringLiteral("1") : QStringLiteral("0");
        grid->Dati[1][d] = m.text;
        grid->Dati[2][d] = m.alarm ? QStringLiteral("1") : QStringLiteral("0");
        grid->Dati[3][d] = QDate(2024, 5, 20).addDays(m.dayOffset).toString(QStringLiteral("dd/MM/yyyy"));
        grid->Dati[5][d] = m.time;
        grid->Dati[7][d]
            = m.alarm ? (m.advance > 0 ? QStringLiteral("+%1").arg(m.advance) : QString::number(m.advance)) : QString();
        grid->Dati[10][d] = QString::number(m.id);
    }
    grid->Dati[1][n - 1] = QStringLiteral("- new memo -");
    grid->Dati[10][n - 1] = QStringLiteral("-1");

    static QList<int> keys;
    grid->OnSort_Reset = [grid](bool& esito) {
        keys.clear();
        for (const QString& id : grid->Dati[10]) {
            keys.append(id.toInt());
        }
        esito = true;
    };
    grid->OnSort_Calcolo = [](int A, int B, int& esito) {
        const int a = keys[A] < 0 ? 1000 : keys[A];
        const int b = keys[B] < 0 ? 1000 : keys[B];
        esito = a < b ? -1 : (a > b ? 1 : 0);
    };
    grid->Ordina();
    grid->Pulisci_Celle();
    for (int c = 0; c < 9; ++c) {
        grid->setCells(c, 0, QString::fromLatin1(titles[c]));
    }
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c <= 10; ++c) {
            grid->setCells(c, grid->FixedRows() + r, grid->Dati[c][grid->Pos_Dato(r)]);
        }
    }
}

void drawMemoCell(TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state)
{
    const QColor header(0xC0, 0xC0, 0xC0);
    const QColor current(0xFF, 0xFF, 0x9F);
    if (row < g->FixedRows()) {
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, state, ALLINEA_CENTRO, 0, NO_COLOR_VALUE, header, -1);
        return;
    }
    const bool placeholder = g->Cells(10, row) == QLatin1String("-1");
    const bool here = row == g->Row();
    const GridColor back = here ? GridColor(current) : GridColor(NO_COLOR_VALUE);
    const GridDrawState plain; // the list draws its own current row
    if (placeholder) {
        if (col == 1) {
            QFont bold = g->Canvas()->font();
            bold.setBold(true);
            g->Canvas()->setFont(bold);
            TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_SINISTRA, 5, Qt::darkBlue, back, -1);
        } else {
            TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
        }
        return;
    }
    const bool late = g->Cells(3, row) < QLatin1String("20/05/2024") && g->Cells(0, row) != QLatin1String("1");
    const GridColor ink = g->Cells(0, row) == QLatin1String("1") ? GridColor(Qt::gray)
                                                                 : (late ? GridColor(Qt::red) : GridColor(Qt::black));
    switch (col) {
    case 0:
    case 2:
        TA_DBStringGrid::Disegna_Check(
            true, g->Cells(col, row) == QLatin1String("1"), true, g, rect, state, ALLINEA_CENTRO, 0, back);
        break;
    case 1:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_SINISTRA, 5, ink, back, -1);
        break;
    case 3:
    case 5:
    case 7:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_DESTRA, 5, ink, back, -1);
        break;
    default:
        TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
        break;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Grid demo"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* grid = new TA_DBStringGrid(&window);
    layout->addWidget(grid);
    grid->setColCount(9);
    grid->setDefaultRowHeight(20);
    grid->setGridLineWidth(0);
    const int widths[] = {22, 349, 22, 67, 16, 35, 16, 25, 16};
    for (int c = 0; c < 9; ++c) {
        grid->setColWidths(c, widths[c]);
    }
    grid->Colonna_espansa = 1;
    grid->Bordo_Destro_on = true;
    grid->setDefaultDrawing(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->Colore_Back_Sel = QColor(0x31, 0x6A, 0xC5);
    grid->Colore_Testo_Sel = Qt::white;
    grid->setOptions(grid->Options() | GridOption::Editing);
    grid->OnDrawCell = drawMemoCell;
    // The memo text is typed in place; a click on it opens the editor.
    grid->OnEditor_on
        = [](TA_DBStringGrid* g, bool& can) { can = g->Col() == 1 && g->Cells(10, g->Row()) != QLatin1String("-1"); };
    grid->OnClick = [](TA_DBStringGrid* g) { g->Mostra_Editor(); };
    grid->OnSetEditText = [](TA_DBStringGrid* g, int col, int row, const QString& value) {
        g->Dati[col][g->Pos_Dato(row - g->FixedRows())] = value;
    };
    fill(grid);
    grid->setRow(2);
    window.resize(600, 190);
    window.show();
    if (app.arguments().contains(QStringLiteral("--edit"))) {
        grid->setCol(1);
        grid->Mostra_Editor();
    }

    const int shot = app.arguments().indexOf(QStringLiteral("--shot"));
    if (shot > 0 && shot + 1 < app.arguments().size()) {
        const QString file = app.arguments().at(shot + 1);
        QTimer::singleShot(0, &window, [&window, file] {
            window.grab(); // the first paint places the right-border panel
            QApplication::processEvents();
            QApplication::exit(window.grab().save(file) ? 0 : 1);
        });
    }
    return app.exec();
}
