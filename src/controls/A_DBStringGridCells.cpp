// TA_DBStringGrid: the string grid's own properties (cells, sizes, colours,
// options, the current cell).

#include "controls/A_DBStringGrid.h"

#include "controls/A_InplaceEdit.h"
#include "controls/GridCellModel.h"
#include "controls/GridFixedRows.h"

#include <QHeaderView>

QString TA_DBStringGrid::Cells(int col, int row) const
{
    return m_cells->cell(col, row);
}

void TA_DBStringGrid::setCells(int col, int row, const QString& text)
{
    if (!m_cells->setCell(col, row, text)) {
        return;
    }
    if (m_editorMode && m_editor && col == m_inplaceCol && row == m_inplaceRow) {
        loadEditor();
    }
    if (row < FixedRows()) {
        m_fixedHeader->viewport()->update();
    } else {
        viewport()->update();
    }
}

int TA_DBStringGrid::ColCount() const
{
    return m_cells->gridColCount();
}

void TA_DBStringGrid::setColCount(int cols)
{
    const int old = ColCount();
    m_cells->setGridColCount(cols);
    dropEditorOutside();
    for (int c = old; c < ColCount(); ++c) {
        m_fixedHeader->resizeSection(c, m_defaultColWidth + m_gridLineWidth);
    }
    if (m_col >= ColCount()) {
        m_col = ColCount() - 1;
        m_anchorCol = qMin(m_anchorCol, m_col);
    }
    syncQtCurrent();
}

int TA_DBStringGrid::RowCount() const
{
    return m_cells->gridRowCount();
}

void TA_DBStringGrid::dropEditorOutside()
{
    // The editor's cell is gone: close it without writing anywhere.
    if (m_inplaceRow >= RowCount() || m_inplaceCol >= ColCount()) {
        m_inplaceCol = -1;
        m_inplaceRow = -1;
        Nascondi_Editor();
    }
}

void TA_DBStringGrid::setRowCount(int rows)
{
    m_cells->setGridRowCount(rows);
    dropEditorOutside();
    const int last = qMax(FixedRows(), RowCount() - 1);
    m_row = qBound(FixedRows(), m_row, last);
    m_anchorRow = qBound(FixedRows(), m_anchorRow, last);
    syncQtCurrent();
    viewport()->update();
}

int TA_DBStringGrid::FixedRows() const
{
    return m_cells->fixedRows();
}

void TA_DBStringGrid::setFixedRows(int rows)
{
    // The model resets, and the header with it: keep the column widths.
    QList<int> widths;
    for (int c = 0; c < ColCount(); ++c) {
        widths.append(m_fixedHeader->sectionSize(c));
    }
    m_cells->setFixedRows(rows);
    for (int c = 0; c < ColCount(); ++c) {
        m_fixedHeader->resizeSection(c, widths[c]);
    }
    setRowCount(RowCount());
    relayoutRows();
}

void TA_DBStringGrid::setCol(int col)
{
    if (col != m_col) {
        focusCell(col, m_row);
    }
}

void TA_DBStringGrid::setRow(int row)
{
    if (row != m_row) {
        focusCell(m_col, row);
    }
}

QRect TA_DBStringGrid::Selection() const
{
    QRect sel = QRect(QPoint(m_col, m_row), QPoint(m_col, m_row));
    if (m_options.testFlag(GridOption::RangeSelect)) {
        // Not QRect::normalized(): it takes a block one row above its anchor for an empty one.
        sel = QRect(QPoint(qMin(m_anchorCol, m_col), qMin(m_anchorRow, m_row)),
            QPoint(qMax(m_anchorCol, m_col), qMax(m_anchorRow, m_row)));
    }
    if (m_options.testFlag(GridOption::RowSelect)) {
        sel.setLeft(FixedCols());
        sel.setRight(ColCount() - 1);
    }
    return sel;
}

int TA_DBStringGrid::ColWidths(int col) const
{
    return m_fixedHeader->sectionSize(col) - m_gridLineWidth;
}

void TA_DBStringGrid::setColWidths(int col, int width)
{
    if (col >= 0 && col < ColCount()) {
        m_fixedHeader->resizeSection(col, qMax(width, 0) + m_gridLineWidth);
    }
}

void TA_DBStringGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = qMax(width, 0);
    m_fixedHeader->setDefaultSectionSize(m_defaultColWidth + m_gridLineWidth);
    for (int c = 0; c < ColCount(); ++c) {
        m_fixedHeader->resizeSection(c, m_defaultColWidth + m_gridLineWidth);
    }
}

void TA_DBStringGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = qMax(height, 1);
    relayoutRows();
}

void TA_DBStringGrid::setGridLineWidth(int width)
{
    width = qMax(width, 0);
    QList<int> widths;
    for (int c = 0; c < ColCount(); ++c) {
        widths.append(ColWidths(c));
    }
    m_gridLineWidth = width;
    m_fixedHeader->setDefaultSectionSize(m_defaultColWidth + width);
    for (int c = 0; c < ColCount(); ++c) {
        setColWidths(c, widths[c]);
    }
    relayoutRows();
}

void TA_DBStringGrid::setColor(const QColor& color)
{
    m_color = color;
    viewport()->update();
    m_fixedHeader->viewport()->update();
}

void TA_DBStringGrid::setFixedColor(const QColor& color)
{
    m_fixedColor = color;
    m_fixedHeader->viewport()->update();
}

void TA_DBStringGrid::setOptions(GridOptions options)
{
    m_options = options;
    if (!m_options.testFlag(GridOption::RangeSelect)) {
        m_anchorCol = m_col;
        m_anchorRow = m_row;
    }
    viewport()->update();
    m_fixedHeader->viewport()->update();
}

void TA_DBStringGrid::setDefaultDrawing(bool on)
{
    m_defaultDrawing = on;
    viewport()->update();
}

int TA_DBStringGrid::VisibleRowCount() const
{
    const int step = m_defaultRowHeight + m_gridLineWidth;
    return qMax(1, viewport()->height() / step);
}

void TA_DBStringGrid::relayoutRows()
{
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight + m_gridLineWidth);
    m_fixedHeader->setVisible(FixedRows() > 0);
    m_fixedHeader->updateGeometry();
    updateGeometries();
    viewport()->update();
}

void TA_DBStringGrid::syncQtCurrent()
{
    const QModelIndex index = m_cells->index(m_row - FixedRows(), m_col);
    if (index.isValid() && selectionModel()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        // The current row, selected for screen readers; the painting is the grid's own.
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}
