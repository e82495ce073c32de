#pragma once

#include "controls/GridTypes.h"

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QTableView>

#include <functional>

class GridCellModel;
class GridFixedRows;
class TA_InplaceEdit;
class QFrame;

// The program's list control: a grid of text cells with fixed title rows,
// owner drawing, an in-place editor and a data matrix `Dati` kept apart from
// the display order `Ordine`.
//
// Coordinates: grid column c and grid row r count the fixed rows (net row n
// is grid row FixedRows() + n). There are no fixed columns. Points (mouse
// events, MouseToCell, CellRect) are in the grid widget's own coordinates;
// the Rect given to OnDrawCell is in the coordinates of Canvas().
//
// There is no dataset binding (Attivo, DataSource, Lista_Campi): no window
// binds a dataset, so Attivo would always stay false.
class TA_DBStringGrid : public QTableView {
    Q_OBJECT
    friend class TA_InplaceEdit;
    friend class GridFixedRows;

public:
    explicit TA_DBStringGrid(QWidget* parent = nullptr);
    ~TA_DBStringGrid() override;

    // ---- Events: an empty std::function is "not assigned" ----

    // Before a sort: build the sort keys from Dati; esito (starts true) false keeps data order.
    std::function<void(bool& esito)> OnSort_Reset;
    // Compare data rows A and B: esito < 0 puts A first, 0 equal, > 0 B first.
    std::function<void(int A, int B, int& esito)> OnSort_Calcolo;
    // May the editor open on the current cell? Unset means never.
    std::function<void(TA_DBStringGrid* Sender, bool& can_edit_on)> OnEditor_on;
    // May the cursor go to (ACol, ARow)? Steers keyboard moves; the grid itself never refuses.
    std::function<void(TA_DBStringGrid* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    // The text the editor opens with (Value starts as the cell text).
    std::function<void(TA_DBStringGrid* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    // Edited text handed back for (ACol, ARow).
    std::function<void(TA_DBStringGrid* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;
    // Filter each character typed into the editor.
    std::function<void(QChar Key, bool& Accept_on)> OnCanEditAcceptKey;
    // Paint one cell on Canvas(); call the Disegna_* operations from here.
    std::function<void(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State)> OnDrawCell;
    // Qt key code; set Key to 0 to stop the grid's own handling. Not raised for arrows and Tab on the grid.
    std::function<void(TA_DBStringGrid* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    // A typed character; set Key to a null QChar to drop it.
    std::function<void(TA_DBStringGrid* Sender, QChar& Key)> OnKeyPress;
    // Left button pressed on a data cell, after the cursor went there (before OnMouseDown).
    std::function<void(TA_DBStringGrid* Sender)> OnClick;
    // Any button pressed anywhere on the grid, fixed rows included.
    std::function<void(TA_DBStringGrid* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    // Any button released.
    std::function<void(TA_DBStringGrid* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;
    // The mouse moved over the grid, fixed rows included.
    std::function<void(TA_DBStringGrid* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;

    // What a screen reader hears of cell (ACol, ARow) beyond its text, asked
    // by role: Qt::AccessibleTextRole (words for what the cell shows),
    // Qt::CheckStateRole (a check cell), Qt::AccessibleDescriptionRole (how
    // to change it), GridStepRole (true: a +/- cell). An invalid answer
    // leaves the cell's text.
    std::function<QVariant(TA_DBStringGrid* Sender, int ACol, int ARow, int role)> OnAccessibleData;

    // ---- Properties the windows set directly ----

    QColor Colore_Testo_Sel{Qt::black};  // text of selected or focused cells
    QColor Colore_Back_Sel{Qt::black};   // background of selected or focused cells
    bool Bordo_Destro_on = false;        // show the right-border panel, reserve its width
    bool Avanza_con_invio_on = false;    // Enter moves down to the next selectable row
    bool Lascia_zero_in_edit_on = false; // when false, selecting a cell holding a numeric zero empties it
    int Colonna_espansa = 0;             // column taking the spare width; out of range = none
    int Editor_MaxLength = 0;            // editor text limit, 0 = none
    int qt_righe_Nette = 0;              // data rows; below 1 = no data (no selection colours, no editor)
    bool Scrivi_Edit_on = true;          // while false, editor text is not written back

    QList<QStringList> Dati; // Dati[c][d]: data column c of data row d
    QList<int> Ordine;       // Ordine[n]: the data row shown in net row n
    // In place of Dati: the text of data column col of data row d, made when
    // a cell showing it is drawn or read. For a window that keeps its records
    // rather than a string per cell; Dati is then left empty.
    std::function<QString(int col, int d)> DataText;

    // ---- Data ----

    int Imposta_Dati(int columns, int rows); // resize Dati keeping what fits; 1
    // 1 sorted; 0 OnSort_Reset declined (data order); -2 no OnSort_Reset;
    // -3 no OnSort_Calcolo; -4 Dati empty (for -2..-4 Ordine is untouched).
    int Ordina();
    int Pos_Dato(int n_riga) const; // data row of net row; -1 negative, -2 past Ordine
    int Riga_Dato(int pos) const;   // first net row showing data row pos; -1 negative, -3 none
    void Pulisci_Celle();           // empty every cell, fixed ones included
    // Every net row shows the data row Ordine puts there, data columns
    // 0 .. columns - 1, its texts asked of DataText (else Dati) when drawn or
    // read instead of copied into the cells; a cell written later holds its own.
    void showDataRows(int columns);
    // Data column col of data row d, from DataText or Dati; false when there is no such data.
    bool dataText(int col, int d, QString& text) const;
    // Column headers by meaning, for screen readers (a title may be a picture).
    void setColumnNames(const QStringList& names);
    // Makes (col, row) current and steps it as Ctrl+Up (forward) or Ctrl+Down
    // does, for a screen reader pressing a +/- cell. False when nothing stepped.
    bool stepCell(int col, int row, bool forward);

    // ---- Drawing, from OnDrawCell. 1 = drawn; -1 = no Sender or not painting ----

    static int Disegna_Testo(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State,
        int Alignment, int Margin, GridColor FontColor, GridColor BrushColor, int MaxWidth);
    static int Disegna_Testo_Sel(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State,
        int Alignment, int Margin, GridColor FontColor, GridColor BrushColor);
    static int Disegna_Check(bool Visibile, bool Spuntato, bool Riempi, TA_DBStringGrid* Sender, const QRect& Rect,
        GridDrawState State, int Alignment, int Margin, GridColor BrushColor);
    static int Disegna_Bitmap(const QPixmap& Bitmap, bool Riempi, TA_DBStringGrid* Sender, const QRect& Rect,
        GridDrawState State, int Alignment, int Margin, GridColor BrushColor);

    // ---- Editor ----

    void Mostra_Editor();   // editor mode on; opens on the current cell if OnEditor_on consents
    void Nascondi_Editor(); // editor mode off; the text is written back (see Scrivi_Edit_on)
    bool EditorMode() const
    {
        return m_editorMode;
    }
    TA_InplaceEdit* Editor() const
    {
        return m_editor;
    }
    // True when value is what cell (col, row) offered: the text its editor
    // opened with, or its data text. A handed-back text like that was not
    // edited, and the windows write nothing for it.
    bool unchangedText(int col, int row, const QString& value) const;

    // ---- The string grid ----

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);
    int ColCount() const;
    void setColCount(int cols);
    int RowCount() const;
    void setRowCount(int rows);
    int FixedRows() const;
    void setFixedRows(int rows);
    int FixedCols() const
    {
        return 0;
    }
    int Col() const
    {
        return m_col;
    }
    int Row() const
    {
        return m_row;
    }
    void setCol(int col); // moves the cursor as a user move would (select-cell step, editor closed)
    void setRow(int row);
    QRect Selection() const; // left, top, right, bottom in grid coordinates
    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    int DefaultColWidth() const
    {
        return m_defaultColWidth;
    }
    void setDefaultColWidth(int width);
    int DefaultRowHeight() const
    {
        return m_defaultRowHeight;
    }
    void setDefaultRowHeight(int height);
    int GridLineWidth() const
    {
        return m_gridLineWidth;
    }
    void setGridLineWidth(int width);
    QColor Color() const
    {
        return m_color;
    }
    void setColor(const QColor& color);
    QColor FixedColor() const
    {
        return m_fixedColor;
    }
    void setFixedColor(const QColor& color);
    GridOptions Options() const
    {
        return m_options;
    }
    void setOptions(GridOptions options);
    bool DefaultDrawing() const
    {
        return m_defaultDrawing;
    }
    void setDefaultDrawing(bool on);
    QColor FontColor() const
    {
        return m_fontColor;
    }

    QPainter* Canvas() const // the painter of the paint in progress, else null
    {
        return m_canvas;
    }
    QRect CellRect(int col, int row) const;                 // empty when not visible
    void MouseToCell(QPoint pos, int& col, int& row) const; // -1, -1 outside every cell
    int VisibleRowCount() const;                            // whole data rows in view

    // The font cells start with: "MS Sans Serif" 8 at 96 dpi, else "Arial" 864/dpi.
    QFont standardGridFont() const;

    // ---- State, read-only for the windows ----

    bool Editor_Mostrato() const
    {
        return m_editorMostrato;
    }
    bool Cella_Selezionabile() const
    {
        return m_cellaSelezionabile;
    }
    int Col_Click() const
    {
        return m_colClick;
    }
    int Riga_Click() const
    {
        return m_rigaClick;
    }
    bool Evento_Select_on() const
    {
        return m_eventoSelect;
    }
    bool Evento_GetEdit_on() const
    {
        return m_eventoGetEdit;
    }
    bool Celle_Stabili_on() const
    {
        return m_celleStabili;
    }
    bool Posiziona_Bordo() const
    {
        return m_posizionaBordo;
    }
    int Larghezza_Bordo() const
    {
        return m_larghezzaBordo;
    }
    QFrame* pnlBordoDestro() const
    {
        return m_pnlBordoDestro;
    }

    // Shared check-box and signal bitmaps, loaded by the first grid and freed by the last.
    enum SharedBitmap {
        CHECK_NORM,
        CHECK_SEL,
        UNCHECK_NORM,
        UNCHECK_SEL,
        SEMAFORO_VERDE,
        SEMAFORO_GIALLO,
        SEMAFORO_ROSSO
    };
    static const QPixmap* sharedBitmap(SharedBitmap which); // null when no grid is alive
    static int liveGridCount();

    // Typing goes to the editor, never to a search for a row.
    void keyboardSearch(const QString& search) override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    // Steps of the grid (names follow the routines they stand for).
    void resizeStep();
    bool SelectCell(int col, int row);
    bool CanEditShow();
    bool CanEditAcceptKey(QChar key);
    QString GetEditText(int col, int row);
    void SetEditText(int col, int row, const QString& value);
    void UpdateEdit();
    void HideEdit();
    void loadEditor();
    void placeEditor();
    void dropEditorOutside();
    void exitStep();
    void focusLeft(QFocusEvent* e);
    bool gridKeyDown(int& key, Qt::KeyboardModifiers shift);
    bool platformKeyDown(int key, Qt::KeyboardModifiers shift);
    void gridKeyPress(QChar& key);
    void arrowStep(int key);
    void tabStep(bool forward);
    bool selectAnswer(int col, int row);
    // Makes (col, row) current after a keyboard move and opens its editor when allowed.
    void moveToCell(int col, int row);
    void moveCurrent(int col, int row, bool extend = false);
    void focusCell(int col, int row, bool extend = false);
    void gridMousePress(QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void gridMouseMove(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void gridMouseRelease(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void commitLastClicked();
    QString editorText() const;

    void drawCell(QPainter& p, int col, int row, const QRect& rect, GridDrawState state);
    void drawCellLines(QPainter& p, const QRect& cell, bool fixed);
    void paintFixedRows(QPainter& p, const QRect& area);
    GridDrawState cellState(int col, int row) const;
    QRect viewportCellRect(int col, int row) const;
    void placeBorderPanel();
    void updateBorderPanelGeometry();
    void syncQtCurrent();
    void relayoutRows();

    GridCellModel* m_cells = nullptr;
    GridFixedRows* m_fixedHeader = nullptr;
    QFrame* m_pnlBordoDestro = nullptr;
    TA_InplaceEdit* m_editor = nullptr;
    QPainter* m_canvas = nullptr;
    QFont m_cellFont;

    int m_col = 0;
    int m_row = 1;
    int m_anchorCol = 0;
    int m_anchorRow = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_gridLineWidth = 1;
    QColor m_color;
    QColor m_fixedColor;
    QColor m_fontColor;
    GridOptions m_options;
    bool m_defaultDrawing = true;

    bool m_editorMode = false;
    int m_inplaceCol = -1;
    int m_inplaceRow = -1;
    QString m_editOriginal; // the text the editor opened with, restored by Escape
    int m_originCol = -1;   // the cell of m_editOriginal, kept after the editor closes
    int m_originRow = -1;

    bool m_editorMostrato = false;
    bool m_cellaSelezionabile = false;
    int m_colClick = 0;
    int m_rigaClick = 0;
    bool m_eventoSelect = true;
    bool m_eventoGetEdit = false;
    bool m_celleStabili = true;
    bool m_posizionaBordo = false;
    int m_larghezzaBordo = 0;
    bool m_mouseSelecting = false;
};
