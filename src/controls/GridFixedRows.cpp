#include "controls/GridFixedRows.h"

#include "controls/A_DBStringGrid.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

GridFixedRows::GridFixedRows(TA_DBStringGrid* grid)
    : QHeaderView(Qt::Horizontal, grid)
    , m_grid(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionsMovable(false);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

QSize GridFixedRows::sizeHint() const
{
    return QSize(length(), m_grid->FixedRows() * (m_grid->DefaultRowHeight() + m_grid->GridLineWidth()));
}

void GridFixedRows::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    m_grid->paintFixedRows(p, e->rect());
}

void GridFixedRows::mousePressEvent(QMouseEvent* e)
{
    m_grid->gridMousePress(
        viewport()->mapTo(m_grid, e->position().toPoint()), e->button(), e->buttons(), e->modifiers());
}

void GridFixedRows::mouseDoubleClickEvent(QMouseEvent* e)
{
    mousePressEvent(e);
}

void GridFixedRows::mouseMoveEvent(QMouseEvent* e)
{
    m_grid->gridMouseMove(viewport()->mapTo(m_grid, e->position().toPoint()), e->buttons(), e->modifiers());
}

void GridFixedRows::mouseReleaseEvent(QMouseEvent* e)
{
    m_grid->gridMouseRelease(viewport()->mapTo(m_grid, e->position().toPoint()), e->button(), e->modifiers());
}
