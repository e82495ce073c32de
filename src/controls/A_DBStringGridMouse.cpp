// TA_DBStringGrid: mouse handling and the commit of the cell clicked last.

#include "controls/A_DBStringGrid.h"

#include "controls/A_InplaceEdit.h"

#include <QMouseEvent>

void TA_DBStringGrid::mousePressEvent(QMouseEvent* e)
{
    gridMousePress(viewport()->mapTo(this, e->position().toPoint()), e->button(), e->buttons(), e->modifiers());
}

void TA_DBStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    mousePressEvent(e);
}

void TA_DBStringGrid::mouseMoveEvent(QMouseEvent* e)
{
    gridMouseMove(viewport()->mapTo(this, e->position().toPoint()), e->buttons(), e->modifiers());
}

void TA_DBStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    gridMouseRelease(viewport()->mapTo(this, e->position().toPoint()), e->button(), e->modifiers());
}

void TA_DBStringGrid::commitLastClicked()
{
    m_eventoSelect = true;
    Scrivi_Edit_on = true;
    if (!m_cellaSelezionabile || !OnSetEditText || m_colClick < 0 || m_rigaClick < 0) {
        return;
    }
    const int col = m_colClick + FixedCols();
    const int row = m_rigaClick + FixedRows();
    const QString text = m_editorMode ? editorText() : Cells(col, row);
    // A data cell that does not exist cannot match: the text is handed over.
    QString data;
    const bool changed = !dataText(m_colClick, Pos_Dato(m_rigaClick), data) || data != text;
    if (m_editorMode && changed) {
        Nascondi_Editor();
        m_eventoGetEdit = false;
        Scrivi_Edit_on = true;
        OnSetEditText(this, col, row, Cells(col, row));
        m_eventoGetEdit = true;
        Mostra_Editor();
    }
    if (!changed) {
        m_eventoGetEdit = false;
        setCells(col, row, data);
        m_eventoGetEdit = true;
    }
}

void TA_DBStringGrid::gridMousePress(QPoint pos, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers mods)
{
    if (focusPolicy() & Qt::ClickFocus) {
        setFocus(Qt::MouseFocusReason);
    }
    commitLastClicked();
    int col = -1;
    int row = -1;
    MouseToCell(pos, col, row);
    if (button == Qt::LeftButton && col >= FixedCols() && row >= FixedRows()) {
        const bool extend = mods.testFlag(Qt::ShiftModifier) && m_options.testFlag(GridOption::RangeSelect);
        focusCell(col, row, extend);
        m_mouseSelecting = m_options.testFlag(GridOption::RangeSelect);
        if (OnClick) {
            OnClick(this);
        }
    }
    if (OnMouseDown) {
        OnMouseDown(this, button, mods, pos.x(), pos.y());
    }
}

void TA_DBStringGrid::gridMouseMove(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    if (m_mouseSelecting && buttons.testFlag(Qt::LeftButton)) {
        int col = -1;
        int row = -1;
        MouseToCell(pos, col, row);
        if (col >= FixedCols() && row >= FixedRows() && (col != m_col || row != m_row)) {
            moveCurrent(col, row, true);
        }
    }
    if (OnMouseMove) {
        OnMouseMove(this, mods, pos.x(), pos.y());
    }
}

void TA_DBStringGrid::gridMouseRelease(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    int col = -1;
    int row = -1;
    MouseToCell(pos, col, row);
    m_colClick = col - FixedCols();
    m_rigaClick = row - FixedRows();
    m_mouseSelecting = false;
    m_eventoSelect = false;
    if (OnMouseUp) {
        OnMouseUp(this, button, mods, pos.x(), pos.y());
    }
    m_eventoSelect = true;
}
