#include "controls/A_InplaceEdit.h"

#include "controls/A_DBStringGrid.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

TA_InplaceEdit::TA_InplaceEdit(TA_DBStringGrid* grid)
    : QLineEdit(grid->viewport())
    , m_grid(grid)
{
    setFrame(false);
    setFocusPolicy(Qt::ClickFocus); // no tab stop of its own
    QFont font = grid->standardGridFont();
    if (grid->logicalDpiY() != 96) {
        font.setPointSize(qMax(1, font.pointSize() - 1));
    }
    setFont(font);
    hide();
}

void TA_InplaceEdit::typeCharacter(QChar ch)
{
    if (characterStep(ch)) {
        insert(QString(ch));
    }
}

bool TA_InplaceEdit::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (m_grid->Options().testFlag(GridOption::Tabs)) {
                keyPressEvent(key);
                return true;
            }
            // Move on from the grid's place in the focus chain, not from ours.
            m_grid->setFocus(Qt::TabFocusReason);
            QCoreApplication::sendEvent(m_grid, key);
            return true;
        }
    }
    return QLineEdit::event(e);
}

bool TA_InplaceEdit::atLeftSide() const
{
    if (!hasSelectedText()) {
        return cursorPosition() == 0;
    }
    return selectionStart() == 0 && selectedText().size() == text().size();
}

bool TA_InplaceEdit::atRightSide() const
{
    if (!hasSelectedText()) {
        return cursorPosition() == text().size();
    }
    return selectionStart() == 0 && selectionEnd() == text().size();
}

void TA_InplaceEdit::sendToGrid(int& key, Qt::KeyboardModifiers mods)
{
    m_grid->gridKeyDown(key, mods);
    key = 0;
}

// Per character: the grid's key-press step, the grid's filter, then the
// editor's own refusals. True = insert it. (Cells are never read-only here,
// so no key is refused for that.)
bool TA_InplaceEdit::characterStep(QChar ch)
{
    m_grid->gridKeyPress(ch);
    if (ch.isNull()) {
        return false;
    }
    const char16_t u = ch.unicode();
    if (u >= 32 && !m_grid->CanEditAcceptKey(ch)) {
        QApplication::beep();
        return false;
    }
    if (u == '\t' || u == 0x1B) {
        return false;
    }
    if (u == '\r') {
        if (selectionStart() == 0 && selectedText().size() == text().size()) {
            deselect();
        } else {
            selectAll();
        }
        return false;
    }
    return true;
}

void TA_InplaceEdit::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool forward = m_grid->Options().testFlag(GridOption::AlwaysShowEditor);
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        sendToGrid(key, mods);
        break;
    case Qt::Key_Left:
        if (atLeftSide()) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_Right:
        if (atRightSide()) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_Home:
        if (forward && (ctrl || atLeftSide())) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_End:
        if (forward && (ctrl || atRightSide())) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!mods.testFlag(Qt::AltModifier)) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_Insert:
        if (mods == Qt::NoModifier) {
            sendToGrid(key, mods);
        }
        break;
    case Qt::Key_F2:
        if (m_grid->OnKeyDown) {
            m_grid->OnKeyDown(m_grid, key, mods);
        }
        if (key == Qt::Key_F2) {
            const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
            deselect();
            setCursorPosition(end);
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    // Reported to the grid's handler once, before the edit handles it.
    if (key != 0 && key != Qt::Key_F2 && m_grid->OnKeyDown) {
        m_grid->OnKeyDown(m_grid, key, mods);
    }

    bool take = key != 0;
    const QString chars = e->text();
    for (const QChar ch : chars) {
        if (ch.unicode() != 0x7F && !characterStep(ch)) {
            take = false;
        }
    }
    if (!take || !isVisible()) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TA_InplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    m_grid->focusLeft(e);
}
