#include "ControlsTest.h"
#include "GridFixture.h"

#include <QFrame>
#include <QMap>
#include <QStyle>

#include <algorithm>
#include <functional>

namespace {

using CellPainter = std::function<void(TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state)>;

// Draws cell (1, 1) with `target`; every other cell is left to the background.
QImage paintTarget(GridFixture& f, const CellPainter& target)
{
    f.grid->OnDrawCell = [&](TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state) {
        if (col == 1 && row == 1) {
            target(g, col, row, rect, state);
        }
    };
    if (!f.show()) {
        return {};
    }
    return f.grid->grab().toImage();
}

enum class Op { Testo, TestoSel, Check };

} // namespace

class TestGridDraw : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        failOnWarnings();
    }

    void expandingColumn()
    {
        // 588 with and without the border panel (one pixel), an index past the columns, no room.
        const struct {
            int width, expanding;
            bool border;
            int expected; // -1: 588 less the other columns and the border panel
        } rows[] = {{588, 1, true, -1}, {588, 1, false, 588 - 219 - 1}, {588, 9, true, 349}, {200, 1, true, 349}};
        for (const auto& r : rows) {
            TA_DBStringGrid grid;
            grid.setColCount(9);
            grid.setGridLineWidth(0);
            const int widths[] = {22, 349, 22, 67, 16, 35, 16, 25, 16};
            for (int c = 0; c < 9; ++c)
                grid.setColWidths(c, widths[c]);
            grid.Bordo_Destro_on = r.border;
            grid.Colonna_espansa = r.expanding;
            const int scrollBar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
            grid.resize(r.width, 150);
            grid.show();
            QVERIFY(QTest::qWaitForWindowExposed(&grid));
            QCOMPARE(grid.ColWidths(1), r.expected < 0 ? 588 - 219 - (scrollBar + 4) : r.expected);
            QCOMPARE(grid.ColWidths(0), 22);
        }
    }

    // A cell drawn selected by each routine, with and without data rows.
    void selectionColours()
    {
        const struct {
            Op op;
            int dataRows;
            bool fontColour;
            QString ink;    // a colour name, "font", or "" when nothing is drawn
            QString absent; // a colour no pixel is near
            bool selBack;
        } rows[] = {
            {Op::Testo, 2, false, "blue", "red", true},    // selection colours
            {Op::Testo, 2, true, "red", "blue", true},     // FontColor wins
            {Op::Testo, 0, false, "font", "blue", false},  // no data, normal colours
            {Op::TestoSel, 2, true, "blue", "red", true},  // selection wins
            {Op::TestoSel, 0, false, "blue", "red", true}, // no data still selects
            {Op::Check, 2, false, "#0b3d91", "", true},    // box border on selection
            {Op::Check, 0, false, "", "", false},          // no data, background only
        };
        for (const auto& [op, dataRows, fontColour, ink, absent, selBack] : rows) {
            GridFixture f(3, 2);
            f.grid->setColWidths(1, 80);
            f.grid->setCells(1, 1, QStringLiteral("WWWWWW"));
            f.grid->qt_righe_Nette = dataRows;
            f.grid->setColor(Qt::white);
            f.grid->Colore_Testo_Sel = Qt::blue;
            f.grid->Colore_Back_Sel = Qt::yellow;
            const GridColor red = fontColour ? GridColor(Qt::red) : GridColor(NO_COLOR_VALUE);
            const QImage image = paintTarget(
                f, [&](TA_DBStringGrid* g, int c, int r, const QRect& rect, GridDrawState) {
                    const GridDrawState sel = GridDrawFlag::Selected;
                    if (op == Op::Testo) {
                        QCOMPARE(TA_DBStringGrid::Disegna_Testo(g, c, r, rect, sel, 0, 2, red, NO_COLOR_VALUE, -1), 1);
                    } else if (op == Op::TestoSel) {
                        QCOMPARE(TA_DBStringGrid::Disegna_Testo_Sel(g, c, r, rect, sel, 0, 2, red, NO_COLOR_VALUE), 1);
                    } else {
                        QCOMPARE(
                            TA_DBStringGrid::Disegna_Check(true, true, true, g, rect, sel, 2, 0, NO_COLOR_VALUE), 1);
                    }
                });
            QVERIFY(!image.isNull());
            const QRect cell = f.grid->CellRect(1, 1);
            const QColor expectedBack = selBack ? QColor(Qt::yellow) : QColor(Qt::white);
            QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(1, 1)), expectedBack);
            const auto colour
                = [&](const QString& name) { return name == "font" ? f.grid->FontColor() : QColor(name); };
            if (ink.isEmpty())
                QCOMPARE(countNear(image, cell, expectedBack, 1), cell.width() * cell.height());
            else
                QVERIFY(countNear(image, cell, colour(ink)) > 10);
            if (!absent.isEmpty())
                QCOMPARE(countNear(image, cell, colour(absent)), 0);
        }
    }

    // Fixed cells take the fixed colour, with a raised edge only with fixed
    // lines; the panel over the scroll bar's place shows when asked, once a
    // text cell is drawn.
    void fixedCellsAndBorderPanel()
    {
        for (const bool on : {true, false}) {
            GridFixture f(3, 2);
            f.grid->setFixedColor(QColor(0x80, 0x80, 0x80));
            f.grid->setOptions(f.grid->Options().setFlag(GridOption::FixedHorzLine, on));
            f.grid->Bordo_Destro_on = on;
            f.grid->OnDrawCell = [](TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state) {
                QCOMPARE(state.testFlag(GridDrawFlag::Fixed), row == 0);
                // A fixed cell's brush is overridden by the fixed colour.
                const GridColor brush = row == 0 ? GridColor(Qt::green) : GridColor(NO_COLOR_VALUE);
                TA_DBStringGrid::Disegna_Testo(g, col, row, rect, state, 0, 2, NO_COLOR_VALUE, brush, -1);
            };
            QVERIFY(f.show());
            const QImage image = f.grid->grab().toImage();
            const QRect cell = f.grid->CellRect(1, 0);
            QCOMPARE(image.pixelColor(cell.center()), QColor(0x80, 0x80, 0x80));
            const QColor light = f.grid->palette().color(QPalette::Light);
            QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(5, 0)) == light, on);
            QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(0, 5)) == light, on);

            QVERIFY(!f.grid->Posiziona_Bordo()); // cleared by the first text cell
            QFrame* panel = f.grid->pnlBordoDestro();
            QCOMPARE(panel->isVisible(), on);
            if (on) {
                QCOMPARE(panel->geometry().left(), f.grid->frameWidth() + f.grid->width() - f.grid->Larghezza_Bordo());
                QCOMPARE(panel->geometry().right(), f.grid->contentsRect().right());
                QCOMPARE(panel->palette().color(QPalette::Window), f.grid->palette().color(QPalette::Button));
            }
        }
    }

    // A check box (15 pixels) or a bitmap of the same width, placed in a cell.
    void picturePlacement()
    {
        // Centred in 20 and 22 (the nearest of 2.5 is 2, of 3.5 is 4), right and left with margins,
        // another alignment; a check box narrower than or as wide as its picture, and a bitmap.
        const struct {
            bool bitmap;
            int alignment, margin, width, x;
        } rows[] = {{false, 2, 0, 20, 2}, {false, 2, 0, 22, 4}, {false, 1, 1, 20, 4}, {false, 0, 3, 20, 3},
            {false, 7, 9, 20, 2}, {false, 2, 5, 14, 2}, {false, 1, 0, 15, 2}, {true, 1, 0, 15, 0}, {true, 1, 0, 14, 2}};
        for (const auto& r : rows) {
            GridFixture f(3, 2);
            f.grid->setColWidths(1, r.width);
            f.grid->setGridLineWidth(0);
            f.grid->setColor(Qt::white);
            QPixmap red(15, 4);
            red.fill(Qt::red);
            const QImage image = paintTarget(f, [&](TA_DBStringGrid* g, int, int, const QRect& rect, GridDrawState) {
                if (r.bitmap)
                    TA_DBStringGrid::Disegna_Bitmap(red, true, g, rect, {}, r.alignment, r.margin, NO_COLOR_VALUE);
                else
                    TA_DBStringGrid::Disegna_Check(
                        true, false, true, g, rect, {}, r.alignment, r.margin, NO_COLOR_VALUE);
            });
            const QRect cell = f.grid->CellRect(1, 1);
            const int y = cell.top() + 9; // through the box's border and the bitmap
            int first = -1;
            for (int px = cell.left(); px <= cell.right() && first < 0; ++px) {
                if (image.pixelColor(px, y) != QColor(Qt::white))
                    first = px - cell.left();
            }
            QCOMPARE(first, r.bitmap ? r.x : r.x + 1); // the box's border starts one pixel into its picture
        }
    }

    // The current cell is Selected while the grid has no focus, Focused once it has.
    void drawStates()
    {
        GridFixture f(3, 3);
        QMap<QPair<int, int>, GridDrawState> seen;
        f.grid->OnDrawCell = [&](TA_DBStringGrid*, int col, int row, const QRect&, GridDrawState state) {
            seen[{col, row}] = state;
        };
        QVERIFY(f.show());
        f.grid->clearFocus();
        f.grid->setRow(2);
        f.grid->setCol(1);
        seen.clear();
        f.grid->grab();
        QCOMPARE(seen.value({1, 0}), GridDrawState(GridDrawFlag::Fixed));
        QCOMPARE(seen.value({1, 2}), GridDrawState(GridDrawFlag::Selected));
        QCOMPARE(seen.value({0, 2}), GridDrawState());
        QVERIFY(f.activate());
        seen.clear();
        f.grid->grab();
        QCOMPARE(seen.value({1, 2}), GridDrawState(GridDrawFlag::Focused));
    }
};

BRIVO_REGISTER_TEST(TestGridDraw)
#include "tst_grid_draw.moc"
