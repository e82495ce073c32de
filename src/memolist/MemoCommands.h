#pragma once

#include "engine/WarningWindow.h"
#include "store/Global.h"

#include <QDateTime>
#include <QString>

#include <functional>

struct AppState;
struct UserSettings;

// A typed memo text keeps at most this many characters.
constexpr int NOTA_MAX_CHARS = 150;

// Sposta_Memo kinds.
constexpr int SPOSTA_IN_CIMA = 1;
constexpr int SPOSTA_SU = 2;
constexpr int SPOSTA_GIU = 3;
constexpr int SPOSTA_IN_FONDO = 4;

// One line of text the store can hold: tabs and line breaks become spaces,
// then the first NOTA_MAX_CHARS characters are kept.
QString notaFromTyping(const QString& text);

// The delete question; it is Italian in both interface languages.
QString deleteQuestion(const REC_Memo& memo, const QString& shortDateFormat, const QString& lingua = {});

// A new memo as the person's settings make it (no ID yet): today, the
// computer's time or none, the bell and the notice they chose.
REC_Memo Memo_Predefinito(const UserSettings& settings, const QDateTime& now);

// What the memo list does to ArrMemo, the IDs, RigaCorrente and DaSalvare.
// Rows are grid rows: the header takes fixedRows, then one row per memo in
// ascending ID, then the placeholder row. The window rebuilds the grid after
// every command that changes a memo.
class MemoCommands {
public:
    // rigaCorrente: the highlighted row, kept by whoever draws the grid.
    MemoCommands(AppState& state, int& rigaCorrente);

    // The memo shown at a grid row, or -1; the window hands in the grid's
    // Memo_Della_Riga. Until then rows follow ascending ID.
    std::function<int(int row)> memoOfRow;
    int fixedRows = 1;
    // After IDs were renumbered and the queue followed: the open warning
    // windows must follow too.
    std::function<void(const MemoIdMap&)> onRenumbered;

    // Grid rows while the grid shows the current list: header, memos, placeholder.
    int rowCount() const;

    // May the cell editor open on column col of row?
    bool editorAllowed(int col, int row) const;
    // A typed value for column col of row (1 text, 5 time, 7 offset); false
    // when the cell takes none.
    bool setEditText(int col, int row, const QString& text);

    // Mouse down on column col of memo row: the done box, the alarm switch
    // and the +/- buttons of date, time and offset; upperHalf selects +.
    // False when nothing changed (not a memo row, no action there).
    bool mouseDown(int col, int row, bool upperHalf, const QDateTime& now);
    // The date picker's answer for the memo with this ID. Found by its ID
    // after the picker: warnings answered meanwhile may have deleted memos.
    bool setDate(qint32 id, QDate date);

    // Adds a memo (just above the current one, or at the end without one);
    // the grid row its text editor opens on.
    int Nuovo_Memo(const QDateTime& now);
    // Deletes the current memo after the question when it is asked; false
    // when nothing was deleted.
    bool Cancella_Memo(const std::function<bool(const QString&)>& confirm, const QString& shortDateFormat);
    // Moves the current memo (SPOSTA_*); newRow is where it went, or -1.
    int Sposta_Memo(int kind, int& newRow);
    // Rotates the IDs from row towards row + delta. 2 moved; 1 nothing to
    // move; -1 negative row; -2 row past the grid.
    int Ruota_ID(int row, int delta, int& newRow);
    // Sorts ArrMemo by due moment and hands the IDs out again in that order.
    void Ordina_Per_Data(int& newRow);

private:
    int memoAt(int row) const;
    void renumber(const MemoIdMap& map);
    void rearm(int index);

    AppState& state;
    int& RigaCorrente;
};
