#pragma once

#include "controls/A_DBStringGrid.h"

#include <QHeaderView>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <numeric>

// Pixels within `tolerance` (the sum of the channel differences) of a colour.
inline int countNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 60)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            n += qAbs(p.red() - colour.red()) + qAbs(p.green() - colour.green()) + qAbs(p.blue() - colour.blue())
                < tolerance;
        }
    }
    return n;
}

// A click on a cell where a person's would land: at its centre, or (edge 1 / -1) just inside its upper or
// lower edge, where the +/- cells step forwards or backwards. Title rows belong to the header.
inline void clickCell(TA_DBStringGrid* grid, int col, int row, int edge = 0, Qt::KeyboardModifiers keys = {},
    Qt::MouseButton button = Qt::LeftButton)
{
    const QRect r = grid->CellRect(col, row);
    QVERIFY2(r.isValid(), "the cell is not in view");
    const QPoint at(r.center().x(), edge > 0 ? r.top() + 2 : edge < 0 ? r.bottom() - 2 : r.center().y());
    QWidget* target = row < grid->FixedRows() ? grid->horizontalHeader()->viewport() : grid->viewport();
    QTest::mouseClick(target, button, keys, target->mapFrom(grid, at));
}

// A shown window holding one grid whose cells show Dati in data order:
// cell (c, FixedRows + d) = Dati[c][d] = letter of c followed by d ("a0", "b0", ...).
struct GridFixture {
    QWidget window;
    TA_DBStringGrid* grid;

    GridFixture(int cols, int dataRows, int fixedRows = 1)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        grid = new TA_DBStringGrid(&window);
        layout->addWidget(grid);
        grid->setColCount(cols);
        grid->setFixedRows(fixedRows);
        grid->setDefaultRowHeight(20);
        grid->setDefaultDrawing(false);
        grid->qt_righe_Nette = dataRows;
        grid->setRowCount(fixedRows + dataRows);
        grid->Imposta_Dati(cols, dataRows);
        for (int c = 0; c < cols; ++c) {
            for (int d = 0; d < dataRows; ++d)
                grid->setCells(c, fixedRows + d, grid->Dati[c][d] = QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(d));
        }
        grid->Ordine.resize(dataRows); // data order
        std::iota(grid->Ordine.begin(), grid->Ordine.end(), 0);
        window.resize(400, 200);
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    // Shown, active and with the keyboard focus on the grid.
    bool activate()
    {
        if (!show())
            return false;
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        grid->setFocus();
        return grid->hasFocus();
    }

    // Centre of a cell in viewport coordinates (for QTest mouse calls on the viewport).
    QPoint viewportPoint(int col, int row) const
    {
        const QRect r = grid->CellRect(col, row);
        return grid->viewport()->mapFrom(grid, r.center());
    }
};
