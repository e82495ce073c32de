#include "memolist/MemoGrid.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_InplaceEdit.h"
#include "engine/DueMoments.h"
#include "memolist/MemoPictures.h"
#include "memolist/TestiReminder.h"
#include "memolist/TextWidths.h"
#include "platform/Clock.h"
#include "platform/LocaleService.h"
#include "state/AppState.h"
#include "state/Colorazioni.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

const int columnWidths[MEMO_VISIBLE_COLUMNS] = {22, 349, 22, 67, 16, 35, 16, 25, 16};

// Right-aligned texts keep 5 px on the right; 2 more keep them off the
// left edge.
constexpr int NUMBER_CELL_MARGINS = 7;

// Wider than any offset from low to high: their signs and digit counts, each
// digit the widest of the font.
int widestOffsetWidth(qint32 low, qint32 high, const QFontMetrics& fm)
{
    QChar wideDigit = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d) {
        if (fm.horizontalAdvance(QChar(d)) > fm.horizontalAdvance(wideDigit))
            wideDigit = QChar(d);
    }
    int widest = 0;
    for (const qint32 v : {low, high}) {
        QString text = anticipoText(v);
        for (QChar& c : text) {
            if (c.isDigit())
                c = wideDigit;
        }
        widest = qMax(widest, fm.horizontalAdvance(text));
    }
    return widest;
}

} // namespace

MemoGrid::MemoGrid(AppState& appState, const TestiReminder& appTexts, const Clock& appClock,
    const LocaleService& appLocale, const MemoPictures& appPictures, QWidget* parent, QWidget* iconBar)
    : QObject(parent)
    , state(appState)
    , texts(appTexts)
    , clock(appClock)
    , locale(appLocale)
    , pictures(appPictures)
    , pnlIcone(iconBar)
    , grid(new TA_DBStringGrid(parent))
{
    grid->setObjectName(QStringLiteral("dbsgMemo"));
    setUpGrid();
    hintReshow.setSingleShot(true);
    connect(&hintReshow, &QTimer::timeout, this, [this] {
        QWidget* header = grid->horizontalHeader()->viewport();
        if (QToolTip::isVisible() && header->underMouse())
            showHint(header, QCursor::pos());
    });
}

void MemoGrid::setUpGrid()
{
    grid->setColCount(MEMO_VISIBLE_COLUMNS);
    grid->setFixedRows(1);
    grid->setDefaultRowHeight(20);
    for (int c = 0; c < MEMO_VISIBLE_COLUMNS; ++c)
        grid->setColWidths(c, columnWidths[c]);
    grid->Colonna_espansa = COL_TEXT;
    grid->setGridLineWidth(0);
    grid->setOptions(GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine | GridOption::HorzLine
        | GridOption::Editing);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setDefaultDrawing(false);
    grid->setColor(QColor::fromRgb(DESIGN_GRID_COLOUR));
    grid->Colore_Testo_Sel = grid->palette().color(QPalette::HighlightedText);
    grid->Colore_Back_Sel = grid->palette().color(QPalette::Highlight);
    grid->Bordo_Destro_on = true;
    grid->Avanza_con_invio_on = false;
    grid->Lascia_zero_in_edit_on = false;
    grid->Editor_MaxLength = 0;
    grid->viewport()->setCursor(Qt::PointingHandCursor);
    grid->horizontalHeader()->viewport()->setCursor(Qt::ArrowCursor);
    grid->viewport()->installEventFilter(this);
    grid->horizontalHeader()->viewport()->installEventFilter(this);

    grid->OnSort_Reset = [this](bool& esito) { esito = order.reset(rowIds, grid->qt_righe_Nette, state.ArrMemo); };
    grid->DataText = [this](int col, int d) { return dataText(col, d); };
    grid->OnSort_Calcolo = [this](int A, int B, int& esito) { esito = order.compare(A, B); };
    grid->OnDrawCell = [this](TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState drawState) {
        dbsgMemoDrawCell(g, col, row, rect, drawState);
    };
    grid->OnMouseMove = [this](TA_DBStringGrid*, Qt::KeyboardModifiers, int x, int y) { dbsgMemoMouseMove(x, y); };
}

void MemoGrid::Aggiorna_Griglia()
{
    const int n = int(state.ArrMemo.size()) + 1;
    grid->qt_righe_Nette = n;
    grid->setRowCount(grid->FixedRows() + n);
    const QDate today = clock.now().date();
    builtOnDay = DayNumbers::epoch().daysTo(today);
    cellTexts.setFormat(MemoTextFormat{
        locale.shortDateFormat(), locale.shortTimeFormat(), texts.ieri, texts.oggi, texts.domani, today});
    rowIds.resize(n - 1);
    for (int i = 0; i < n - 1; ++i)
        rowIds[i] = state.ArrMemo[i].ID;
    fitNumberColumns();
    grid->Ordina();
    grid->Pulisci_Celle();
    grid->showDataRows(COL_ID + 1);
    grid->repaint();
}

QString MemoGrid::dataText(int col, int d) const
{
    const int memos = int(rowIds.size());
    if (d < 0 || d > memos)
        return QString();
    if (d == memos)
        return MemoCellTexts::placeholderText(col, texts.TestoNuovoMemo);
    const int index = memoIndexOfDataRow(rowIds, d, state.ArrMemo);
    if (index < 0) // deleted behind the grid, until the rebuild that follows
        return col == COL_ID ? QString::number(rowIds[d]) : QString();
    return cellTexts.cellText(col, state.ArrMemo[index], d);
}

void MemoGrid::followClock()
{
    followClock(dueClockMs(clock.now()));
}

void MemoGrid::followClock(qint64 clockMs)
{
    // An open editor would lose its text to a rebuild: the next tick tries again.
    if (floorDiv(clockMs, MS_PER_DAY) != builtOnDay && !editorVisible()) {
        Aggiorna_Griglia();
        return;
    }
    // Drawing every row at every tick kept an idle program busy: only a
    // change of some memo's colour is drawn, and nothing while hidden.
    if (!grid->isVisible())
        return;
    if (statesQuiet.holds(state.ArrMemo, clockMs))
        return;
    qint64 changeMs = 0;
    QList<int> states = memoStates(state.ArrMemo, clockMs, &changeMs);
    statesQuiet.walked(state.ArrMemo, clockMs, changeMs);
    if (states != shownStates) {
        shownStates = std::move(states);
        grid->viewport()->update();
    }
}

void MemoGrid::fitNumberColumns()
{
    // A right-aligned text wider than its cell loses its first characters, so
    // the time and offset columns grow to their widest text (the design widths
    // are the minimum) and the text column gives up the difference.
    const QFontMetrics fm(grid->standardGridFont(), grid->viewport());
    const QString key = locale.shortTimeFormat() + u'|' + grid->standardGridFont().key();
    if (key != timeFittedFor) {
        timeWidth = widestTimeWidth(locale.shortTimeFormat(), fm);
        timeFittedFor = key;
    }
    qint32 low = 0;
    qint32 high = 0;
    for (const REC_Memo& m : state.ArrMemo) {
        low = qMin(low, m.Anticipo);
        high = qMax(high, m.Anticipo);
    }
    const int time = qMax(columnWidths[COL_TIME], timeWidth + NUMBER_CELL_MARGINS);
    const int offset = qMax(columnWidths[COL_ADVANCE], widestOffsetWidth(low, high, fm) + NUMBER_CELL_MARGINS);
    const int grow = time - grid->ColWidths(COL_TIME) + offset - grid->ColWidths(COL_ADVANCE);
    if (grow == 0)
        return;
    grid->setColWidths(COL_TIME, time);
    grid->setColWidths(COL_ADVANCE, offset);
    grid->setColWidths(COL_TEXT, qMax(0, grid->ColWidths(COL_TEXT) - grow));
}

void MemoGrid::followListChange()
{
    const int highlighted = RigaCorrente >= grid->FixedRows() ? Memo_Della_Riga(RigaCorrente) : -1;
    const bool hadHighlight = RigaCorrente >= grid->FixedRows();
    Aggiorna_Griglia();
    if (!hadHighlight)
        return;
    const int row = highlighted >= 0 ? rowOfMemo(highlighted) : -1;
    if (row >= 0)
        grid->setRow(row);
    RigaCorrente = row;
    grid->viewport()->update();
}

int MemoGrid::rowOfMemo(int index) const
{
    const int fixed = grid->FixedRows();
    for (int row = fixed; row < grid->RowCount(); ++row) {
        if (Memo_Della_Riga(row) == index)
            return row;
    }
    return -1;
}

int MemoGrid::Memo_Della_Riga(int row) const
{
    return memoIndexOfDataRow(rowIds, grid->Pos_Dato(row - grid->FixedRows()), state.ArrMemo);
}

void MemoGrid::Applica_Colorazione()
{
    const TColorazione* scheme = Colorazione_Corrente(state.ArrColorazioni, state.settings.Tipo_colorazione);
    if (!scheme)
        return;
    grid->setColor(QColor::fromRgb(scheme->ColoreGriglia));
    if (pnlIcone) {
        QPalette palette = pnlIcone->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(scheme->ColoreBarraIcone));
        pnlIcone->setPalette(palette);
    }
    grid->viewport()->update();
    grid->horizontalHeader()->viewport()->update();
}

bool MemoGrid::editorVisible() const
{
    return grid->Editor() && grid->Editor()->isVisible();
}

void MemoGrid::dbsgMemoDrawCell(TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState)
{
    const TColorazione& scheme = Colorazione_Disegno(state.ArrColorazioni, state.settings.Tipo_colorazione);
    // Every colour comes from the scheme: the grid's selection and fixed colours never apply.
    const GridDrawState plain;

    if (row < g->FixedRows()) {
        const GridColor header = schemeColour(scheme.ColoreIntestazione);
        switch (col) {
        case COL_TEXT:
            TA_DBStringGrid::Disegna_Bitmap(
                pictures.imgCopy_Col_Note, true, g, rect, plain, ALLINEA_SINISTRA, 7, header);
            break;
        case COL_DATE:
            TA_DBStringGrid::Disegna_Bitmap(pictures.imgCopy_Col_Data, true, g, rect, plain, ALLINEA_CENTRO, 0, header);
            break;
        case COL_TIME:
            TA_DBStringGrid::Disegna_Bitmap(
                pictures.imgCopy_Col_Orario, true, g, rect, plain, ALLINEA_CENTRO, 0, header);
            break;
        case COL_ADVANCE:
            TA_DBStringGrid::Disegna_Bitmap(
                pictures.imgCopy_Diff_Allarme, true, g, rect, plain, ALLINEA_DESTRA, 2, header);
            break;
        default:
            TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, plain, ALLINEA_CENTRO, 0, header);
            break;
        }
        return;
    }

    const GridColor back
        = row == RigaCorrente ? schemeColour(scheme.ColoreRigaCorrente) : GridColor(qint32(NO_COLOR_VALUE));
    const int index = Memo_Della_Riga(row);
    ColourValue text = scheme.ColoreNormale;
    if (index >= 0) {
        switch (Stato_Memo(state.ArrMemo, index, clock.now())) {
        case MEMO_IMMINENT:
            text = scheme.ColoreImminente;
            break;
        case MEMO_DUE_TODAY:
            text = scheme.ColoreOggi;
            break;
        case MEMO_OVERDUE:
            text = scheme.ColoreScaduto;
            break;
        default:
            break;
        }
    }
    const bool alarmOn = g->Cells(COL_ALARM, row) == QLatin1String("1");
    const GridColor ink = schemeColour(text);
    const GridColor timeInk = alarmOn ? ink : schemeColour(scheme.ColoreSenzaAllarme);
    QFont font = g->Canvas()->font();
    font.setBold(index < 0);
    g->Canvas()->setFont(font);

    if (index < 0) { // the placeholder row
        if (col == COL_TEXT) {
            TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_SINISTRA, 25, ink, back, -1);
            TA_DBStringGrid::Disegna_Bitmap(pictures.imgCopy_Nuovo, false, g, rect, plain, ALLINEA_SINISTRA, 5, back);
        } else {
            TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
        }
        return;
    }

    const QPixmap* button = nullptr;
    switch (col) {
    case COL_DONE:
        button = g->Cells(COL_DONE, row) == QLatin1String("1") ? &pictures.imgCopy_Eseguito_True
                                                               : &pictures.imgCopy_Eseguito_False;
        break;
    case COL_TEXT:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_SINISTRA, 5, ink, back, -1);
        return;
    case COL_ALARM:
        button = alarmOn ? &pictures.imgCopy_Attivo_True : &pictures.imgCopy_Attivo_False;
        break;
    case COL_DATE:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_DESTRA, 5, ink, back, -1);
        return;
    case COL_TIME:
        // Empty without a due time, so only the background shows.
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_DESTRA, 5, timeInk, back, -1);
        return;
    case COL_ADVANCE:
        if (alarmOn) {
            TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_DESTRA, 5, ink, back, -1);
            return;
        }
        break;
    case COL_DATE_BUTTON:
    case COL_TIME_BUTTON:
        button = &pictures.imgCopy_PiuMeno;
        break;
    case COL_ADVANCE_BUTTON:
        button = alarmOn ? &pictures.imgCopy_PiuMeno : nullptr;
        break;
    default:
        break;
    }
    if (button)
        TA_DBStringGrid::Disegna_Bitmap(*button, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
    else
        TA_DBStringGrid::Disegna_Check(false, false, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
}

QString MemoGrid::headerHint(int col) const
{
    switch (col) {
    case COL_TEXT:
        return texts.hintColonnaNote;
    case COL_DATE:
        return texts.hintColonnaData;
    case COL_TIME:
        return texts.hintColonnaOrario;
    case COL_ADVANCE:
        return texts.hintColonnaAnticipo;
    default:
        return QString();
    }
}

void MemoGrid::dbsgMemoMouseMove(int x, int y)
{
    int col = -1;
    int row = -1;
    grid->MouseToCell(QPoint(x, y), col, row);
    const bool header = row >= 0 && row < grid->FixedRows();
    const QString previous = hintText;
    RigaMouse = row;
    hintText = header ? headerHint(col) : QString();
    if (hintText.isEmpty()) {
        hintReshow.stop();
        QToolTip::hideText();
    } else if (hintText != previous && QToolTip::isVisible() && !hintReshow.isActive()) {
        hintReshow.start(hintReshowMs());
    }
}

int MemoGrid::hintReshowMs() const
{
    return RigaMouse >= 0 && RigaMouse < grid->FixedRows() ? HEADER_HINT_RESHOW_MS : 0;
}

void MemoGrid::showHint(QWidget* over, QPoint globalPos)
{
    if (hintText.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Kept up over the whole header, so that moving along it only changes the text.
    QToolTip::showText(globalPos, hintText, over, over->rect());
}

bool MemoGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* over = static_cast<QWidget*>(watched);
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint pos = over->mapTo(grid, help->pos());
        dbsgMemoMouseMove(pos.x(), pos.y());
        showHint(over, help->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
