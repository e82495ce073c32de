#pragma once

#include "alarms/SveglieCore.h"
#include "controls/GridTypes.h"

#include <QDialog>

struct AppState;
struct TColorazione;
struct MemoPictures;
struct Services;
class TA_DBStringGrid;
class QToolButton;

// The alarm-clock window: lists and edits ArrSveglie in place. Every change
// sets DaSalvare, so the next tick writes the store; closing copies nothing.
class TfrmSveglie : public QDialog {
    Q_OBJECT
public:
    TfrmSveglie(AppState& state, Services& services, const MemoPictures& pictures, QWidget* parent = nullptr);

    // Shows the window modally, centred over the main window.
    void Apri(const QWidget* mainWindow);

    TA_DBStringGrid* dbsgSveglie() const
    {
        return grid;
    }
    QToolButton* btnNuovo = nullptr;
    QToolButton* btnCancella = nullptr;
    QToolButton* btnChiudi = nullptr;

    int RigaCorrente = -1; // grid row of the highlighted alarm clock, -1 for none

    // An open cell editor closes and its text goes to the alarm clock: the
    // session may end while the window is open.
    void commitEditor();
    // ArrSveglie changed behind the window (another program's changes taken
    // in): the rows are rebuilt and nothing stays highlighted.
    void followListChange();

    void Nuova_Sveglia();
    void Cancella_Sveglia();
    int Sveglia_Della_Riga(int row) const;
    int Riga_Della_Sveglia(int index) const;

    void done(int result) override; // every way of closing: a sound tried out here stops

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpGrid();
    void Aggiorna_Sveglie(bool Ricalcola_Chiavi, bool Nuova_Riga);
    void Chiudi_Editor();
    void Aggiorna_Pulsante_Cancella();
    const TColorazione& scheme() const;
    void dbsgSveglieDrawCell(TA_DBStringGrid* g, int col, int row, const QRect& rect);
    void dbsgSveglieMouseDown(int x, int y);
    void dbsgSveglieMouseMove(int x, int y);
    void dbsgSveglieSetEditText(int col, int row, const QString& value);
    void dbsgSveglieKeyDown(TA_DBStringGrid* g, int key);
    // Space and Ctrl+Up/Down on a cell do what a click does; true when used.
    bool cellKey(int key, Qt::KeyboardModifiers mods);
    // A click's step on cell (col, row), on its upper half or lower.
    void stepCell(int col, int row, bool upper);
    void dbsgSveglieSelectCell(int row, bool& canSelect);

    AppState& state;
    Services& services;
    const MemoPictures& pictures;
    TA_DBStringGrid* grid;
    TestiSveglie texts;
    QList<double> ChiaviOrdine;
};
