#pragma once

#include <QHeaderView>

class TA_DBStringGrid;

// The fixed title rows of a TA_DBStringGrid. It is the view's horizontal
// header, so column widths and horizontal scrolling stay shared with the
// cells; it paints its cells through the grid's owner drawing and passes
// mouse events on to the grid.
class GridFixedRows : public QHeaderView {
public:
    explicit GridFixedRows(TA_DBStringGrid* grid);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TA_DBStringGrid* m_grid;
};
