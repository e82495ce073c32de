#pragma once

#include <QLineEdit>

class TA_DBStringGrid;

// The grid's in-place editor. Navigation keys at the edges of the text go to
// the grid; typed characters pass the grid's key-press step first. Its text
// goes back to the grid when it closes (see TA_DBStringGrid::Scrivi_Edit_on),
// never key by key.
class TA_InplaceEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TA_InplaceEdit(TA_DBStringGrid* grid);

    TA_DBStringGrid* grid() const
    {
        return m_grid;
    }
    // A character typed on the grid that opened the editor.
    void typeCharacter(QChar ch);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool characterStep(QChar ch);
    bool atLeftSide() const;
    bool atRightSide() const;
    void sendToGrid(int& key, Qt::KeyboardModifiers mods);

    TA_DBStringGrid* m_grid;
};
