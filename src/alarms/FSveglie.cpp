#include "alarms/FSveglie.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_InplaceEdit.h"
#include "controls/CentraFinestra.h"
#include "controls/PlaceOver.h"
#include "memolist/MemoPictures.h"
#include "memolist/TestiReminder.h"
#include "platform/Clock.h"
#include "platform/LocaleService.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "state/AppState.h"
#include "state/Colorazioni.h"
#include "store/Ut.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int columnWidths[SVEGLIE_VISIBLE_COLUMNS] = {168, 20, 95, 20, 70, 20, 85, 20, 20};
constexpr int clientWidth = 521;
constexpr int clientHeight = 183;

QToolButton* speedButton(QWidget* parent, const QIcon& icon)
{
    auto* b = new QToolButton(parent);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setIcon(icon);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

TfrmSveglie::TfrmSveglie(AppState& appState, Services& appServices, const MemoPictures& appPictures, QWidget* parent)
    : QDialog(parent, Qt::Tool)
    , state(appState)
    , services(appServices)
    , pictures(appPictures)
    , grid(new TA_DBStringGrid(this))
{
    setObjectName(QStringLiteral("frmSveglie"));
    // Modal to the main window only: a warning that falls due meanwhile can be answered at once.
    setWindowModality(Qt::WindowModal);
    setFixedSize(clientWidth, clientHeight);
    setFont(grid->standardGridFont());
    setUpGrid();

    auto* pnlPulsanti = new QWidget(this);
    pnlPulsanti->setFixedHeight(24);
    btnNuovo = speedButton(pnlPulsanti, QIcon(pictures.imgCopy_Nuovo));
    btnCancella = speedButton(pnlPulsanti, QIcon(pictures.imgCopy_Cancella));
    btnChiudi = speedButton(pnlPulsanti, style()->standardIcon(QStyle::SP_DialogCloseButton));
    auto* buttons = new QHBoxLayout(pnlPulsanti);
    buttons->setContentsMargins(0, 2, 2, 0);
    buttons->setSpacing(0);
    buttons->addWidget(btnNuovo);
    buttons->addWidget(btnCancella);
    buttons->addStretch();
    buttons->addWidget(btnChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid, 1);
    layout->addWidget(pnlPulsanti);

    connect(btnNuovo, &QToolButton::clicked, this, &TfrmSveglie::Nuova_Sveglia);
    connect(btnCancella, &QToolButton::clicked, this, &TfrmSveglie::Cancella_Sveglia);
    connect(btnChiudi, &QToolButton::clicked, this, &TfrmSveglie::close);
}

bool TfrmSveglie::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees its keys before the grid and the cell editor do.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (plain && key->key() == Qt::Key_F3) {
            Nuova_Sveglia();
            return true;
        }
        if (plain && key->key() == Qt::Key_F8) {
            Cancella_Sveglia();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSveglie::setUpGrid()
{
    grid->setObjectName(QStringLiteral("dbsgSveglie"));
    grid->setColCount(SVEGLIE_VISIBLE_COLUMNS);
    grid->setFixedRows(1);
    grid->setDefaultRowHeight(20);
    for (int c = 0; c < SVEGLIE_VISIBLE_COLUMNS; ++c)
        grid->setColWidths(c, columnWidths[c]);
    grid->setGridLineWidth(0);
    grid->setOptions(GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine | GridOption::HorzLine
        | GridOption::Editing);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setDefaultDrawing(false);
    grid->setColor(Qt::white);
    grid->Colore_Testo_Sel = Qt::black;
    grid->Colore_Back_Sel = GridColor(qint32(47709439)).color();
    grid->Bordo_Destro_on = true;
    grid->Colonna_espansa = 0;
    grid->viewport()->setCursor(Qt::PointingHandCursor);
    grid->horizontalHeader()->viewport()->setCursor(Qt::ArrowCursor);

    grid->OnSort_Reset = [this](bool& esito) {
        ChiaviOrdine.clear();
        for (int d = 0; d < grid->qt_righe_Nette; ++d)
            ChiaviOrdine.append(grid->Dati[SV_COL_KEY][d].toDouble());
        esito = true;
    };
    grid->OnSort_Calcolo = [this](int A, int B, int& esito) {
        if (ChiaviOrdine.isEmpty() || ChiaviOrdine[A] == ChiaviOrdine[B])
            esito = 0;
        else
            esito = ChiaviOrdine[A] < ChiaviOrdine[B] ? -1 : 1;
    };
    grid->OnDrawCell = [this](TA_DBStringGrid* g, int col, int row, const QRect& rect, GridDrawState) {
        dbsgSveglieDrawCell(g, col, row, rect);
    };
    grid->OnMouseDown = [this](TA_DBStringGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        dbsgSveglieMouseDown(x, y);
    };
    grid->OnMouseMove = [this](TA_DBStringGrid*, Qt::KeyboardModifiers, int x, int y) { dbsgSveglieMouseMove(x, y); };
    grid->OnEditor_on = [](TA_DBStringGrid* g, bool& can) {
        if (g->Row() >= g->FixedRows())
            can = g->Col() == SV_COL_MESSAGE || g->Col() == SV_COL_TIME;
    };
    grid->OnClick = [](TA_DBStringGrid* g) {
        if (g->Col() == SV_COL_MESSAGE || g->Col() == SV_COL_TIME)
            g->Mostra_Editor(); // one click starts typing
    };
    grid->OnGetEditText = [this](TA_DBStringGrid* g, int, int, QString&) {
        g->viewport()->update();
        if (g->Editor()) {
            QPalette p = g->Editor()->palette();
            p.setColor(QPalette::Base, QColor::fromRgb(scheme().ColoreRigaCorrente));
            g->Editor()->setPalette(p);
        }
    };
    grid->OnSetEditText
        = [this](TA_DBStringGrid*, int col, int row, const QString& value) { dbsgSveglieSetEditText(col, row, value); };
    grid->OnKeyDown = [this](TA_DBStringGrid* g, int& key, Qt::KeyboardModifiers mods) {
        if (cellKey(key, mods))
            key = 0;
        else
            dbsgSveglieKeyDown(g, key);
    };
    grid->OnAccessibleData = [this](TA_DBStringGrid*, int col, int row, int role) {
        const int a = Sveglia_Della_Riga(row);
        return a < 0 ? QVariant() : svegliaCellSpoken(texts, col, role, state.ArrSveglie[a].Attivo == 1);
    };
    grid->OnSelectCell = [this](TA_DBStringGrid*, int, int row, bool& can) { dbsgSveglieSelectCell(row, can); };
}

void TfrmSveglie::Apri(const QWidget* mainWindow)
{
    placeOver(*this, mainWindow);
    exec();
}

void TfrmSveglie::showEvent(QShowEvent* event)
{
    if (Testi_Sveglie(state.settings.Lingua_attuale, texts) == 0) {
        // Start-up already refused an unknown language; nothing to show here.
        services.boxes.Errore(languageErrorText(0, state.settings.Lingua_attuale));
    }
    setWindowTitle(texts.caption);
    grid->setColumnNames(texts.nomiColonne);
    btnNuovo->setText(texts.nuovo);
    btnNuovo->setToolTip(texts.nuovoHint);
    btnCancella->setText(texts.cancella);
    btnCancella->setToolTip(texts.cancellaHint);
    btnChiudi->setText(texts.chiudi);
    btnChiudi->setToolTip(texts.chiudiHint);
    Aggiorna_Sveglie(true, false);
    grid->setRow(grid->FixedRows());
    grid->setCol(SV_COL_SOUND);
    RigaCorrente = -1;
    Aggiorna_Pulsante_Cancella();
    QDialog::showEvent(event);
    grid->setFocus();
    qApp->installEventFilter(this);
}

void TfrmSveglie::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

void TfrmSveglie::done(int result)
{
    commitEditor(); // "Chiudi", Esc and the close box all end here
    // Only a sound tried out here: an open warning's goes on until it is answered.
    services.sound.endPreview();
    QDialog::done(result);
}

void TfrmSveglie::changeEvent(QEvent* event)
{
    // Left for another window (not for a pop-up such as the editor's menu).
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !QApplication::activePopupWidget())
        commitEditor();
    QDialog::changeEvent(event);
}

const TColorazione& TfrmSveglie::scheme() const
{
    return Colorazione_Disegno(state.ArrColorazioni, state.settings.Tipo_colorazione);
}

void TfrmSveglie::Aggiorna_Sveglie(bool Ricalcola_Chiavi, bool Nuova_Riga)
{
    if (const TColorazione* s = Colorazione_Corrente(state.ArrColorazioni, state.settings.Tipo_colorazione))
        grid->setColor(QColor::fromRgb(s->ColoreGriglia));
    const int n = int(state.ArrSveglie.size());
    grid->Imposta_Dati(SVEGLIE_DATA_COLUMNS, n);
    grid->qt_righe_Nette = n;
    grid->setRowCount(grid->FixedRows() + (n >= 1 ? n : 1));
    const SveglieRowFormat format{
        texts, services.locale.shortTimeFormat(), &state.ArrSuoni, state.settings.Suono_Sveglie};
    fillSveglieData(grid->Dati, state.ArrSveglie, format, Ricalcola_Chiavi, Nuova_Riga);

    const int before = grid->Pos_Dato(RigaCorrente - grid->FixedRows());
    grid->Ordina();
    const int shown = before >= 0 ? grid->Riga_Dato(before) : -1;
    if (shown >= 0)
        grid->setRow(grid->FixedRows() + shown);
    grid->Pulisci_Celle();
    for (int c = 0; c < texts.TitoliColonne.size(); ++c)
        grid->setCells(2 * c, 0, texts.TitoliColonne[c]);
    for (int r = 0; r < n; ++r) {
        const int d = grid->Pos_Dato(r);
        for (int c = 0; c <= SV_COL_INDEX; ++c)
            grid->setCells(c, grid->FixedRows() + r, grid->Dati[c][d]);
    }
    grid->viewport()->update();
    grid->horizontalHeader()->viewport()->update();
}

int TfrmSveglie::Sveglia_Della_Riga(int row) const
{
    if (grid->Dati.isEmpty() || grid->qt_righe_Nette < 1)
        return -1;
    return svegliaOfDataRow(grid->Dati, grid->Pos_Dato(row - grid->FixedRows()), state.ArrSveglie.size());
}

int TfrmSveglie::Riga_Della_Sveglia(int index) const
{
    for (int d = 0; d < grid->qt_righe_Nette; ++d) {
        if (svegliaOfDataRow(grid->Dati, d, state.ArrSveglie.size()) == index)
            return d;
    }
    return -1;
}

void TfrmSveglie::Chiudi_Editor()
{
    // As leaving the grid does: typing cleared Scrivi_Edit_on, and hiding
    // the editor without it would drop what was typed.
    if (grid->EditorMode()) {
        grid->Scrivi_Edit_on = true;
        grid->Nascondi_Editor();
    }
    grid->setCol(SV_COL_SOUND);
}

void TfrmSveglie::commitEditor()
{
    if (grid->EditorMode())
        Chiudi_Editor();
}

void TfrmSveglie::followListChange()
{
    commitEditor();
    RigaCorrente = -1;
    Aggiorna_Sveglie(false, false);
    Aggiorna_Pulsante_Cancella();
}

void TfrmSveglie::Aggiorna_Pulsante_Cancella()
{
    btnCancella->setEnabled(RigaCorrente >= grid->FixedRows());
}

void TfrmSveglie::Nuova_Sveglia()
{
    state.DaSalvare = true;
    Chiudi_Editor();
    state.ArrSveglie.append(::Nuova_Sveglia(services.clock.now(), state.settings.Suono_Sveglie));
    Aggiorna_Sveglie(false, true);
    const int d = Riga_Della_Sveglia(int(state.ArrSveglie.size()) - 1);
    const int v = d >= 0 ? grid->Riga_Dato(d) : -1;
    if (v >= 0) {
        grid->setRow(grid->FixedRows() + v);
        grid->setCol(SV_COL_MESSAGE);
    }
    Aggiorna_Pulsante_Cancella();
}

void TfrmSveglie::Cancella_Sveglia()
{
    state.DaSalvare = true;
    Chiudi_Editor();
    const int a = Sveglia_Della_Riga(grid->Row());
    if (a < 0)
        return;
    if (state.settings.Chiedi_conferma_cancellazione != 1
        || services.boxes.Conferma(domandaCancellaSveglia(state.settings.Lingua_attuale))) {
        ::Cancella_Sveglia(state.ArrSveglie, state.ArrAvvisi, a);
        state.DaSalvare = true; // the question may have waited through a tick that saved
    }
    RigaCorrente = a;
    Aggiorna_Sveglie(false, false);
    Aggiorna_Pulsante_Cancella();
}

void TfrmSveglie::dbsgSveglieDrawCell(TA_DBStringGrid* g, int col, int row, const QRect& rect)
{
    const TColorazione& s = scheme();
    const GridDrawState plain; // the scheme gives every colour
    QFont font = g->Canvas()->font();
    font.setBold(row < g->FixedRows());
    g->Canvas()->setFont(font);
    if (row < g->FixedRows()) {
        TA_DBStringGrid::Disegna_Testo_Sel(g, col, row, rect, plain,
            col == SV_COL_TIME ? ALLINEA_DESTRA : ALLINEA_SINISTRA, 5, schemeColour(s.ColoreTestoIntestazione),
            schemeColour(s.ColoreIntestazione));
        return;
    }
    const int index = Sveglia_Della_Riga(row);
    const bool active = index >= 0 && state.ArrSveglie[index].Attivo == 1;
    const GridColor back = row == RigaCorrente ? schemeColour(s.ColoreRigaCorrente) : GridColor(qint32(NO_COLOR_VALUE));
    const GridColor ink = active ? GridColor(qint32(NO_COLOR_VALUE)) : schemeColour(s.ColoreSenzaAllarme);
    const QPixmap* bitmap = nullptr;
    switch (col) {
    case SV_COL_MESSAGE:
    case SV_COL_REPEAT:
    case SV_COL_SOUND:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_SINISTRA, 5, qint32(NO_COLOR_VALUE), back, -1);
        return;
    case SV_COL_TIME:
        TA_DBStringGrid::Disegna_Testo(g, col, row, rect, plain, ALLINEA_DESTRA, 5, ink, back, -1);
        return;
    case SV_COL_SWITCH:
        bitmap = active ? &pictures.imgCopy_Attivo_True : &pictures.imgCopy_Attivo_False;
        break;
    case SV_COL_PLAY:
        bitmap = &pictures.imgCopy_PlaySuono;
        break;
    default:
        bitmap = &pictures.imgCopy_PiuMeno;
        break;
    }
    TA_DBStringGrid::Disegna_Bitmap(*bitmap, true, g, rect, plain, ALLINEA_CENTRO, 0, back);
}

void TfrmSveglie::dbsgSveglieMouseDown(int x, int y)
{
    state.DaSalvare = true;
    int col = -1;
    int row = -1;
    grid->MouseToCell(QPoint(x, y), col, row);
    if (row >= 0 && row < grid->FixedRows())
        Chiudi_Editor();
    if (row < grid->FixedRows()) { // the title row, or outside the cells
        RigaCorrente = -1;
        grid->viewport()->update();
        Aggiorna_Pulsante_Cancella();
        return;
    }
    const QRect cell = grid->CellRect(col, row);
    stepCell(col, row, y - cell.top() <= cell.height() / 2);
}

bool TfrmSveglie::cellKey(int key, Qt::KeyboardModifiers mods)
{
    mods &= ~Qt::KeypadModifier;
    int col = grid->Col();
    const int row = grid->Row();
    if (Sveglia_Della_Riga(row) < 0)
        return false;
    const bool editing = grid->Editor() && grid->Editor()->isVisible();
    if (key == Qt::Key_Space && mods == Qt::NoModifier && !editing && (col == SV_COL_SWITCH || col == SV_COL_PLAY)) {
        state.DaSalvare = true;
        stepCell(col, row, true);
        grid->setCol(col); // the cursor stays for the next key
        return true;
    }
    if ((key != Qt::Key_Up && key != Qt::Key_Down) || mods != Qt::ControlModifier)
        return false;
    // A value and its stepper step alike, as a click on the upper or lower half.
    if (col == SV_COL_REPEAT || col == SV_COL_TIME)
        ++col;
    else if (col == SV_COL_SOUND || col == SV_COL_PLAY)
        col = SV_COL_SOUND_STEP;
    if (col != SV_COL_REPEAT_STEP && col != SV_COL_TIME_STEP && col != SV_COL_SOUND_STEP)
        return false;
    state.DaSalvare = true;
    const int shown = grid->Col();
    stepCell(col, row, key == Qt::Key_Up);
    grid->setCol(shown);
    return true;
}

void TfrmSveglie::stepCell(int col, int row, bool upper)
{
    const int a = Sveglia_Della_Riga(row);
    switch (col) {
    case SV_COL_SWITCH:
    case SV_COL_REPEAT_STEP:
    case SV_COL_TIME_STEP:
    case SV_COL_PLAY:
    case SV_COL_SOUND_STEP:
        Chiudi_Editor();
        break;
    default:
        return;
    }
    if (a < 0)
        return;
    REC_Sveglia& s = state.ArrSveglie[a];
    switch (col) {
    case SV_COL_SWITCH:
        s.Attivo = s.Attivo == 1 ? 0 : 1;
        break;
    case SV_COL_REPEAT_STEP:
        Passo_Ripetizione(s, upper);
        break;
    case SV_COL_TIME_STEP: {
        const int step = state.settings.Incremento_orario_piu_meno;
        Passo_Orario(s, upper ? step : -step);
        break;
    }
    case SV_COL_PLAY: {
        const int i = Indice_Suono(state.ArrSuoni, s.Suono);
        services.sound.playPreview(i >= 0 ? state.ArrSuoni[i].Percorso : QString());
        return;
    }
    case SV_COL_SOUND_STEP:
        Passo_Suono(s, state.ArrSuoni, upper);
        break;
    }
    Aggiorna_Sveglie(false, false);
}

void TfrmSveglie::dbsgSveglieMouseMove(int x, int y)
{
    int col = -1;
    int row = -1;
    grid->MouseToCell(QPoint(x, y), col, row);
    grid->viewport()->setCursor(row >= grid->FixedRows() ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfrmSveglie::dbsgSveglieSetEditText(int col, int row, const QString& value)
{
    if (grid->Col() != SV_COL_MESSAGE && grid->Col() != SV_COL_TIME)
        return;
    const int a = Sveglia_Della_Riga(row);
    if (a < 0)
        return;
    REC_Sveglia& s = state.ArrSveglie[a];
    if (grid->unchangedText(col, row, value)) {
        // Left as it was offered: the seconds of the time stay.
    } else if (col == SV_COL_MESSAGE) {
        QString text = leftCharacters(value, SVEGLIE_MESSAGE_MAX);
        // Pasted text stays one line, as the store holds it.
        for (QChar& c : text) {
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        }
        s.Messaggio = text;
    } else if (col == SV_COL_TIME) {
        QTime time;
        if (Leggi_Orario(value, time) == 1)
            s.Orario = DayNumbers::fromTime(time);
    }
    state.DaSalvare = true; // also when the text comes back as the editor loses the focus
    grid->Scrivi_Edit_on = false;
    Aggiorna_Sveglie(false, false);
    grid->Scrivi_Edit_on = true;
}

void TfrmSveglie::dbsgSveglieKeyDown(TA_DBStringGrid* g, int key)
{
    state.DaSalvare = true;
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !g->EditorMode())
        return;
    const QString text = g->Editor() ? g->Editor()->text() : QString();
    g->Nascondi_Editor();
    dbsgSveglieSetEditText(g->Col(), g->Row(), text);
    g->Scrivi_Edit_on = false;
    g->setCol(SV_COL_SOUND);
    g->Scrivi_Edit_on = true;
}

void TfrmSveglie::dbsgSveglieSelectCell(int row, bool& canSelect)
{
    if (grid->Row() < grid->FixedRows())
        canSelect = false;
    if (grid->Pos_Dato(row - grid->FixedRows()) >= 0) {
        RigaCorrente = row;
    } else {
        RigaCorrente = -1;
        grid->Nascondi_Editor();
    }
    grid->viewport()->update();
    Aggiorna_Pulsante_Cancella();
}
