// TA_DBStringGrid: moving the cursor, the in-place editor, keyboard and mouse.

#include "controls/A_DBStringGrid.h"

#include "controls/A_InplaceEdit.h"
#include "controls/Currency.h"
#include "controls/GridCellModel.h"
#include "controls/GridFixedRows.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

namespace {

QChar systemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

// The characters a key event types, Enter always as a carriage return.
QString typedCharacters(const QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        return QStringLiteral("\r");
    }
    return e->text();
}

} // namespace

// ---- Cursor ----

bool TA_DBStringGrid::selectAnswer(int col, int row)
{
    bool can = true;
    if (OnSelectCell) {
        OnSelectCell(this, col, row, can);
    }
    return can;
}

bool TA_DBStringGrid::SelectCell(int col, int row)
{
    if (OnSelectCell && m_eventoSelect) {
        m_eventoGetEdit = true;
        bool can = true;
        OnSelectCell(this, col, row, can);
        m_cellaSelezionabile = can;
        if (can && !Lascia_zero_in_edit_on) {
            Currency value;
            if (Valore_da_Testo(Cells(col, row), value, systemDecimalSeparator()) == 1 && value.isZero()) {
                setCells(col, row, QString());
            }
        }
    }
    return true; // the window's answer steers keyboard moves only
}

void TA_DBStringGrid::moveCurrent(int col, int row, bool extend)
{
    if (col < FixedCols() || col >= ColCount() || row < FixedRows() || row >= RowCount()) {
        return;
    }
    if (!SelectCell(col, row)) {
        return;
    }
    if (!m_options.testFlag(GridOption::AlwaysShowEditor)) {
        Nascondi_Editor();
    }
    m_col = col;
    m_row = row;
    if (!extend || !m_options.testFlag(GridOption::RangeSelect)) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    syncQtCurrent();
    scrollTo(m_cells->index(row - FixedRows(), col));
    viewport()->update();
    if (m_options.testFlag(GridOption::AlwaysShowEditor)) {
        Mostra_Editor();
    }
}

void TA_DBStringGrid::focusCell(int col, int row, bool extend)
{
    moveCurrent(col, row, extend);
}

// ---- Editor ----

bool TA_DBStringGrid::CanEditShow()
{
    m_editorMostrato = false;
    bool can = false;
    if (isVisible() && OnEditor_on) {
        OnEditor_on(this, can);
    }
    if (qt_righe_Nette < 1) {
        can = false;
    }
    if (can) {
        if (m_editorMode) {
            m_editorMostrato = true;
        }
        if (m_editor) {
            m_editor->selectAll();
        }
        return true;
    }
    if (m_editorMode) {
        Nascondi_Editor();
    }
    HideEdit();
    return false;
}

bool TA_DBStringGrid::CanEditAcceptKey(QChar key)
{
    const int limit = Editor_MaxLength > 0 ? Editor_MaxLength : 32767;
    if (m_editor && m_editor->maxLength() != limit) {
        m_editor->setMaxLength(limit); // resets the selection: only on a change
    }
    bool accept = true;
    if (OnCanEditAcceptKey) {
        OnCanEditAcceptKey(key, accept);
    }
    return accept;
}

QString TA_DBStringGrid::GetEditText(int col, int row)
{
    QString value = Cells(col, row);
    if (m_celleStabili && OnGetEditText && m_eventoGetEdit) {
        OnGetEditText(this, col, row, value);
    }
    return value;
}

void TA_DBStringGrid::SetEditText(int col, int row, const QString& value)
{
    if (!Scrivi_Edit_on) {
        return;
    }
    m_cells->setCell(col, row, value);
    viewport()->update();
    if (OnSetEditText) {
        OnSetEditText(this, col, row, value);
    }
}

QString TA_DBStringGrid::editorText() const
{
    return m_editor ? m_editor->text() : QString();
}

bool TA_DBStringGrid::unchangedText(int col, int row, const QString& value) const
{
    if (col == m_originCol && row == m_originRow && value == m_editOriginal)
        return true;
    QString data;
    return dataText(col, Pos_Dato(row - FixedRows()), data) && data == value;
}

void TA_DBStringGrid::Mostra_Editor()
{
    m_editorMode = true;
    UpdateEdit();
}

void TA_DBStringGrid::Nascondi_Editor()
{
    m_editorMode = false;
    HideEdit();
}

void TA_DBStringGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        return;
    }
    if (!m_editor) {
        m_editor = new TA_InplaceEdit(this);
        m_editor->setMaxLength(Editor_MaxLength > 0 ? Editor_MaxLength : 32767);
    }
    if (m_inplaceCol != m_col || m_inplaceRow != m_row) {
        HideEdit();
        m_inplaceCol = m_col;
        m_inplaceRow = m_row;
        loadEditor();
    }
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void TA_DBStringGrid::loadEditor()
{
    m_editOriginal = GetEditText(m_inplaceCol, m_inplaceRow);
    m_originCol = m_inplaceCol;
    m_originRow = m_inplaceRow;
    m_editor->setText(m_editOriginal);
    m_editor->selectAll();
}

void TA_DBStringGrid::placeEditor()
{
    if (!m_editor || m_inplaceCol < 0 || m_inplaceRow < FixedRows()) {
        return;
    }
    // Scrolled out of view it moves outside the viewport and is clipped;
    // hiding it would pass the focus elsewhere.
    m_editor->setGeometry(viewportCellRect(m_inplaceCol, m_inplaceRow));
}

void TA_DBStringGrid::HideEdit()
{
    if (!m_editor) {
        return;
    }
    if (m_inplaceCol >= 0 && m_inplaceRow >= 0) {
        SetEditText(m_inplaceCol, m_inplaceRow, m_editor->text());
    }
    m_inplaceCol = -1;
    m_inplaceRow = -1;
    if (m_editor->hasFocus()) {
        setFocus(Qt::OtherFocusReason); // before hiding, or Qt hands the focus on
    }
    m_editor->hide();
    viewport()->update();
}

void TA_DBStringGrid::exitStep()
{
    if (m_editorMode) {
        Scrivi_Edit_on = true;
        Nascondi_Editor();
    }
}

void TA_DBStringGrid::focusLeft(QFocusEvent* e)
{
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) {
        return;
    }
    QWidget* next = QApplication::focusWidget();
    if (next != this && !isAncestorOf(next)) {
        exitStep();
    }
}

void TA_DBStringGrid::focusInEvent(QFocusEvent* e)
{
    // Not the item view's: it would move the current index by itself.
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void TA_DBStringGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    focusLeft(e);
    viewport()->update();
}

// ---- Keyboard ----

void TA_DBStringGrid::keyboardSearch(const QString&)
{
}

void TA_DBStringGrid::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    bool used = gridKeyDown(key, e->modifiers());
    const QString chars = typedCharacters(e);
    for (QChar ch : chars) {
        if (ch.unicode() == 0x7F) {
            continue;
        }
        used = used || ch.unicode() == '\r' || ch.unicode() >= 32;
        gridKeyPress(ch);
    }
    e->setAccepted(used);
}

bool TA_DBStringGrid::gridKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    // Ctrl or Alt with an arrow is a command of the window's (a step, the
    // calendar) before it is a move.
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && (shift & (Qt::ControlModifier | Qt::AltModifier)) && OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) {
            return true;
        }
    }
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        arrowStep(key);
        return true;
    case Qt::Key_Tab:
        tabStep(!shift.testFlag(Qt::ShiftModifier));
        return true;
    case Qt::Key_Backtab:
        tabStep(false);
        return true;
    default:
        break;
    }
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) {
            return true;
        }
    }
    return platformKeyDown(key, shift);
}

bool TA_DBStringGrid::platformKeyDown(int key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_PageUp:
        focusCell(m_col, qMax(FixedRows(), m_row - VisibleRowCount()));
        return true;
    case Qt::Key_PageDown:
        focusCell(m_col, qMin(RowCount() - 1, m_row + VisibleRowCount()));
        return true;
    case Qt::Key_Home:
        focusCell(FixedCols(), ctrl ? FixedRows() : m_row);
        return true;
    case Qt::Key_End:
        focusCell(ColCount() - 1, ctrl ? RowCount() - 1 : m_row);
        return true;
    case Qt::Key_F2:
        if (m_options.testFlag(GridOption::Editing)) {
            Mostra_Editor();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        // Leaves the editor dropping what was typed.
        if (m_editorMode && !m_options.testFlag(GridOption::AlwaysShowEditor)) {
            if (m_editor) {
                m_editor->setText(m_editOriginal);
            }
            Nascondi_Editor();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TA_DBStringGrid::gridKeyPress(QChar& key)
{
    Scrivi_Edit_on = true;
    Scrivi_Edit_on = false;
    if (key.unicode() != '\r') {
        if (OnKeyPress) {
            OnKeyPress(this, key);
        }
        if (!key.isNull() && key.unicode() >= 32 && m_options.testFlag(GridOption::Editing) && !m_editorMode) {
            // Typing on the grid opens the editor with that character.
            Mostra_Editor();
            if (m_editorMode && m_editor && m_editor->isVisible()) {
                m_editor->typeCharacter(key);
            }
        }
        return;
    }
    Scrivi_Edit_on = true;
    if (m_editorMostrato && OnSetEditText) {
        OnSetEditText(this, m_col, m_row, editorText());
    }
    if (!Avanza_con_invio_on) {
        return;
    }
    for (int r = m_row + 1; r < RowCount(); ++r) {
        if (selectAnswer(m_col, r)) {
            setRow(r);
            return;
        }
    }
    exitStep();
    if (isVisible() && focusPolicy() != Qt::NoFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    Scrivi_Edit_on = true;
    SelectCell(m_col, m_row);
}

void TA_DBStringGrid::arrowStep(int key)
{
    if (OnSetEditText) {
        Scrivi_Edit_on = true;
        if (m_editorMostrato) {
            OnSetEditText(this, m_col, m_row, editorText());
        }
    }
    const int dc = key == Qt::Key_Left ? -1 : (key == Qt::Key_Right ? 1 : 0);
    const int dr = key == Qt::Key_Up ? -1 : (key == Qt::Key_Down ? 1 : 0);
    for (int c = m_col + dc, r = m_row + dr; c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount();
         c += dc, r += dr) {
        if (selectAnswer(c, r)) {
            moveToCell(c, r);
            return;
        }
    }
}

void TA_DBStringGrid::moveToCell(int col, int row)
{
    setRow(row);
    setCol(col);
    Scrivi_Edit_on = true;
    SelectCell(m_col, m_row);
    CanEditShow();
}

void TA_DBStringGrid::tabStep(bool forward)
{
    Scrivi_Edit_on = true;
    if (m_editorMostrato && OnSetEditText) {
        OnSetEditText(this, m_col, m_row, editorText());
    }
    const int cols = ColCount() - FixedCols();
    const int rows = RowCount() - FixedRows();
    if (cols <= 0 || rows <= 0) {
        return;
    }
    // Cells in reading order, wrapping round once back to the current one.
    const qint64 total = qint64(cols) * rows;
    const qint64 here = qint64(m_row - FixedRows()) * cols + (m_col - FixedCols());
    for (qint64 step = 1; step < total; ++step) {
        const qint64 i = forward ? (here + step) % total : (here - step + total) % total;
        const int c = int(i % cols) + FixedCols();
        const int r = int(i / cols) + FixedRows();
        if (selectAnswer(c, r)) {
            moveToCell(c, r);
            return;
        }
    }
}
