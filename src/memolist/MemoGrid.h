#pragma once

#include "controls/GridTypes.h"
#include "engine/QuietSpan.h"
#include "memolist/MemoRows.h"

#include <QDate>
#include <QObject>
#include <QTimer>

struct AppState;
class Clock;
class LocaleService;
class TA_DBStringGrid;
struct MemoPictures;
struct TestiReminder;

// The memo list of the main window: the grid dbsgMemo, rebuilt from ArrMemo,
// drawn in the colours of the current scheme, with the header hints. The
// commands behind clicks and keys are not here.
class MemoGrid : public QObject {
    Q_OBJECT
public:
    // The grid becomes a child of parent; iconBar (pnlIcone, may be null)
    // takes the scheme's icon-bar colour.
    MemoGrid(AppState& state, const TestiReminder& texts, const Clock& clock, const LocaleService& locale,
        const MemoPictures& pictures, QWidget* parent, QWidget* iconBar);

    TA_DBStringGrid* dbsgMemo() const
    {
        return grid;
    }

    // Rebuilds the whole grid from ArrMemo and repaints it.
    void Aggiorna_Griglia();
    // At each tick: a repaint when an urgency colour has changed with the
    // clock, and a rebuild once the date has changed, for the day words.
    void followClock();
    // clockMs: the clock as dueClockMs counts it, read by the caller.
    void followClock(qint64 clockMs);
    // Rebuilds after ArrMemo changed behind the grid (a warning's action):
    // the highlight stays on its memo, or goes when that memo is gone.
    void followListChange();
    // The ArrMemo index shown at grid row `row`, or -1.
    int Memo_Della_Riga(int row) const;
    // The grid row showing ArrMemo[index], or -1.
    int rowOfMemo(int index) const;
    // Grid and icon-bar colours of the current scheme; nothing without one.
    void Applica_Colorazione();
    // The cell editor is showing.
    bool editorVisible() const;
    // Dates and times formatted for the cells so far.
    int textsFormatted() const
    {
        return cellTexts.formatted();
    }

    int RigaCorrente = -1; // grid row of the highlighted memo, -1 for none
    int RigaMouse = -1;    // grid row under the mouse at its last move

    // The hint the window shows for the grid, from the last mouse move.
    QString hint() const
    {
        return hintText;
    }
    // How long the hint waits before it is shown again with a new text:
    // 700 ms along the header, so it follows the column, else never (0).
    int hintReshowMs() const;

    static constexpr int HEADER_HINT_RESHOW_MS = 700;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpGrid();
    void fitNumberColumns();
    QString dataText(int col, int d) const;
    void dbsgMemoDrawCell(TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState state);
    void dbsgMemoMouseMove(int x, int y);
    void showHint(QWidget* over, QPoint globalPos);
    QString headerHint(int col) const;

    AppState& state;
    const TestiReminder& texts;
    const Clock& clock;
    const LocaleService& locale;
    const MemoPictures& pictures;
    QWidget* pnlIcone;
    TA_DBStringGrid* grid;
    MemoOrder order;
    // Per data row the ID of the memo it was built from (ArrMemo[d] then);
    // the placeholder is the row after them. The texts are made from the
    // records when a cell is drawn or read.
    QList<qint32> rowIds;
    MemoCellTexts cellTexts;
    QString hintText;
    QTimer hintReshow;
    qint64 builtOnDay = 0;  // the day number of the date the day words were made for
    QList<int> shownStates; // Stato_Memo of each memo, as the clock last drew them
    QuietSpan statesQuiet;
    QString timeFittedFor; // format and font the time column was measured for
    int timeWidth = 0;
};
