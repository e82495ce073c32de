#include "memolist/MemoListPanel.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_InplaceEdit.h"
#include "controls/HighlightLabel.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoPictures.h"
#include "memolist/MemoRows.h"
#include "memolist/MemoSpoken.h"
#include "memolist/TestiReminder.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "platform/LocaleService.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "state/AppState.h"
#include "state/Colorazioni.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int ICON_BAR_WIDTH = 22;
constexpr int GRID_LEFT = 25;
constexpr int BOTTOM_ROW = 22; // the move buttons, the link and the switches below the grid
constexpr int BUTTON_SIZE = 18;

} // namespace

IconLabel::IconLabel(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    // Keys and a screen reader's press come as a click; the mouse acts on the press.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onPress)
            onPress();
    });
}

void IconLabel::setPixmap(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

QSize IconLabel::sizeHint() const
{
    return m_picture.deviceIndependentSize().toSize();
}

void IconLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onPress)
        onPress();
    else
        QWidget::mousePressEvent(event);
}

void IconLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
}

void IconLabel::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void IconLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
    if (hasFocus()) {
        // Drawn over the picture: the bar's icons fill their place.
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

MemoListPanel::MemoListPanel(AppState& appState, Services& appServices, const TestiReminder& appTexts,
    const MemoPictures& appPictures, QWidget* parent)
    : QWidget(parent)
    , pnlIcone(new QWidget(this))
    , state(appState)
    , services(appServices)
    , texts(appTexts)
    , pictures(appPictures)
    , grid(new MemoGrid(state, texts, services.clock, services.locale, pictures, this, pnlIcone))
    , dbsgMemo(grid->dbsgMemo())
    , m_commands(state, grid->RigaCorrente)
{
    setObjectName(QStringLiteral("pnlGen"));
    pnlIcone->setObjectName(QStringLiteral("pnlIcone"));
    pnlIcone->setAutoFillBackground(true);
    QPalette bar = pnlIcone->palette();
    bar.setColor(QPalette::Window, QColor::fromRgb(DESIGN_ICON_BAR_COLOUR));
    pnlIcone->setPalette(bar);

    imgNuovo = icon(pnlIcone, pictures.imgNuovo, 3, 2, [this] { Nuovo_Memo(); });
    imgCancella = icon(pnlIcone, pictures.imgCancella_Disabled, 3, 21, [this] {
        Chiudi_Editor();
        Cancella_Memo();
    });
    imgSort = icon(pnlIcone, pictures.imgSort, 3, 41, [this] { sortByDate(); });
    imgSveglie = icon(pnlIcone, pictures.imgSveglie, 3, 68, [this] { Apri_Sveglie(); });
    imgProprieta = icon(pnlIcone, pictures.imgProprieta, 3, 88, [this] { Apri_Opzioni(); });
    imgMail = icon(pnlIcone, pictures.imgMail, 3, 107, [this] { Apri_Email(); });
    imgHelp = icon(pnlIcone, pictures.imgHelp, 3, 126, [this] { help(); });

    btnSuTutto = moveButton(pictures.btnSuTutto, SPOSTA_IN_CIMA);
    btnGiuTutto = moveButton(pictures.btnGiuTutto, SPOSTA_IN_FONDO);
    btnSuUno = moveButton(pictures.btnSuUno, SPOSTA_SU);
    btnGiuUno = moveButton(pictures.btnGiuUno, SPOSTA_GIU);

    hglLink = new THighlightLabel(this);
    hglLink->setObjectName(QStringLiteral("hglLink"));
    QFont bold = hglLink->font();
    bold.setBold(true);
    hglLink->setFont(bold);
    hglLink->setFontColor(QColor(0, 0, 255));
    hglLink->HighlightColor = QColor(255, 0, 0);
    hglLink->setAlignment(Qt::AlignCenter);
    hglLink->setCursor(Qt::PointingHandCursor);
    hglLink->OnClick = [this](THighlightLabel*) { emit linkClicked(); };

    imgNormal = icon(this, pictures.imgNormal, 0, 0, [this] { emit stayOnTopToggleRequested(); });
    imgTopMost = icon(this, pictures.imgTopMost, 0, 0, [this] { emit stayOnTopToggleRequested(); });
    imgConBanner = icon(this, pictures.imgConBanner, 0, 0, [this] { emit sizeToggleRequested(); });
    imgSenzaBanner = icon(this, pictures.imgSenzaBanner, 0, 0, [this] { emit sizeToggleRequested(); });
    imgTopMost->hide();
    imgConBanner->hide();

    bvlBanner = new QFrame(this);
    bvlBanner->setObjectName(QStringLiteral("bvlBanner"));
    bvlBanner->setFrameShape(QFrame::HLine);
    bvlBanner->setFrameShadow(QFrame::Sunken);
    bvlBanner->hide();

    wireGrid();
    applyTexts();
    Aggiorna_Pulsanti();
}

IconLabel* MemoListPanel::icon(
    QWidget* parent, const QPixmap& picture, int x, int y, const std::function<void()>& press)
{
    auto* label = new IconLabel(parent);
    label->setPixmap(picture);
    const QSize size = picture.deviceIndependentSize().toSize();
    label->setGeometry(x, y, size.width(), size.height());
    label->onPress = press;
    return label;
}

QToolButton* MemoListPanel::moveButton(const QPixmap& picture, int kind)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true); // flat until the mouse is over it
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(BUTTON_SIZE - 4, BUTTON_SIZE - 4));
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QToolButton::clicked, this, [this, kind] {
        Chiudi_Editor();
        Sposta_Memo(kind);
    });
    return button;
}

MemoGrid& MemoListPanel::memoGrid()
{
    return *grid;
}

MemoCommands& MemoListPanel::commands()
{
    return m_commands;
}

void MemoListPanel::applyTexts()
{
    dbsgMemo->setColumnNames(texts.nomiColonne);
    imgNuovo->setToolTip(texts.hintNuovo);
    imgCancella->setToolTip(texts.hintCancella);
    imgSort->setToolTip(texts.hintSort);
    imgSveglie->setToolTip(texts.hintSveglie);
    imgProprieta->setToolTip(texts.hintProprieta);
    imgMail->setToolTip(texts.hintMail);
    imgHelp->setToolTip(texts.hintHelp);
    btnSuTutto->setToolTip(texts.hintSuTutto);
    btnGiuTutto->setToolTip(texts.hintGiuTutto);
    btnSuUno->setToolTip(texts.hintSuUno);
    btnGiuUno->setToolTip(texts.hintGiuUno);
    imgNormal->setToolTip(texts.hintNormal);
    imgTopMost->setToolTip(texts.hintTopMost);
    imgConBanner->setToolTip(texts.hintBanner);
    imgSenzaBanner->setToolTip(texts.hintBanner);
    // A screen reader names each button by its hint, without the key in brackets.
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{imgNuovo, imgCancella, imgSort, imgSveglie,
             imgProprieta, imgMail, imgHelp, btnSuTutto, btnGiuTutto, btnSuUno, btnGiuUno, imgNormal, imgTopMost,
             imgConBanner, imgSenzaBanner}) {
        const QString hint = b->toolTip();
        const qsizetype open = hint.lastIndexOf(QLatin1String(" ("));
        b->setAccessibleName(open > 0 && hint.endsWith(u')') ? hint.left(open) : hint);
        b->setAccessibleDescription(hint);
    }
}

void MemoListPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // pnlGenResize: the grid takes the width beside the icon bar.
    const int w = width();
    const int h = height();
    const int above = qMax(0, h - BOTTOM_ROW);
    pnlIcone->setGeometry(0, 0, ICON_BAR_WIDTH, above);
    dbsgMemo->setGeometry(GRID_LEFT, 0, qMax(0, w - GRID_LEFT), above);
    const int y = h - BUTTON_SIZE - 2;
    int x = 0;
    for (QToolButton* b : {btnSuTutto, btnGiuTutto, btnSuUno, btnGiuUno}) {
        b->setGeometry(x, y, BUTTON_SIZE, BUTTON_SIZE);
        x += BUTTON_SIZE;
    }
    hglLink->setGeometry(x, y, qMax(0, w - 36 - x), BUTTON_SIZE);
    for (IconLabel* i : {imgNormal, imgTopMost})
        i->move(w - 36, y + 1);
    for (IconLabel* i : {imgConBanner, imgSenzaBanner})
        i->move(w - 18, y + 1);
    bvlBanner->setGeometry(0, h - 2, w, 2);
}

void MemoListPanel::wireGrid()
{
    TA_DBStringGrid* g = dbsgMemo;
    m_commands.memoOfRow = [this](int row) { return grid->Memo_Della_Riga(row); };
    m_commands.fixedRows = g->FixedRows();
    g->OnEditor_on = [this](TA_DBStringGrid* s, bool& can) { can = m_commands.editorAllowed(s->Col(), s->Row()); };
    g->OnGetEditText = [this](TA_DBStringGrid* s, int, int, QString&) {
        const TColorazione& scheme = Colorazione_Disegno(state.ArrColorazioni, state.settings.Tipo_colorazione);
        if (s->Editor()) {
            QPalette palette = s->Editor()->palette();
            palette.setColor(QPalette::Base, QColor::fromRgb(scheme.ColoreRigaCorrente));
            s->Editor()->setPalette(palette);
        }
    };
    g->OnSetEditText
        = [this](TA_DBStringGrid*, int col, int row, const QString& value) { setTypedText(col, row, value); };
    g->OnSelectCell = [this](TA_DBStringGrid* s, int, int row, bool& can) {
        can = true;
        if (row >= s->FixedRows() && grid->Memo_Della_Riga(row) < 0) {
            grid->RigaCorrente = -1;
            s->Nascondi_Editor();
        } else {
            grid->RigaCorrente = row;
        }
        s->viewport()->update();
        Aggiorna_Pulsanti();
    };
    g->OnClick = [this](TA_DBStringGrid* s) {
        const int col = s->Col();
        const int m = grid->Memo_Della_Riga(s->Row());
        if (col == COL_TEXT && m < 0) {
            Chiudi_Editor();
            Nuovo_Memo();
        } else if (m >= 0
            && (col == COL_TEXT || col == COL_TIME || (col == COL_ADVANCE && state.ArrMemo[m].Attivo == 1))) {
            s->Mostra_Editor();
        }
    };
    g->OnMouseDown
        = [this](TA_DBStringGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { dbsgMemoMouseDown(x, y); };
    g->OnKeyDown = [this](TA_DBStringGrid*, int& key, Qt::KeyboardModifiers mods) { dbsgMemoKeyDown(key, mods); };
    g->OnAccessibleData = [this](TA_DBStringGrid* s, int col, int row, int role) {
        return memoCellSpoken(texts, col, role, grid->Memo_Della_Riga(row) >= 0,
            s->Cells(COL_DONE, row) == QLatin1String("1"), s->Cells(COL_ALARM, row) == QLatin1String("1"));
    };
}

void MemoListPanel::setTypedText(int col, int row, const QString& text)
{
    // A text left as the cell offered it changes nothing: read back it could
    // drop the seconds of a time, or a 12-hour time the store has no form for.
    // The rebuild still shows the cell as it was.
    if (!dbsgMemo->unchangedText(col, row, text) && !m_commands.setEditText(col, row, text))
        return;
    // Rebuilding must not write the editor's text back a second time.
    dbsgMemo->Scrivi_Edit_on = false;
    grid->Aggiorna_Griglia();
    dbsgMemo->Scrivi_Edit_on = true;
}

void MemoListPanel::dbsgMemoKeyDown(int& key, Qt::KeyboardModifiers mods)
{
    state.DaSalvare = true;
    if (cellKey(key, mods)) {
        key = 0;
        Aggiorna_Pulsanti();
        return;
    }
    const int col = dbsgMemo->Col();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid->editorVisible()
        && (col == COL_TEXT || col == COL_TIME || col == COL_ADVANCE)) {
        const int row = dbsgMemo->Row();
        dbsgMemo->Nascondi_Editor(); // writes the text back
        setTypedText(col, row, dbsgMemo->Editor()->text());
        dbsgMemo->Scrivi_Edit_on = false;
        dbsgMemo->setCol(0);
        dbsgMemo->Scrivi_Edit_on = true;
    }
    Aggiorna_Pulsanti();
}

bool MemoListPanel::cellKey(int key, Qt::KeyboardModifiers mods)
{
    mods &= ~Qt::KeypadModifier;
    const int row = dbsgMemo->Row();
    const int m = grid->Memo_Della_Riga(row);
    if (m < 0)
        return false;
    int col = dbsgMemo->Col();
    const bool editing = grid->editorVisible();
    if (key == Qt::Key_Space && mods == Qt::NoModifier && !editing && (col == COL_DONE || col == COL_ALARM)) {
        m_commands.mouseDown(col, row, true, services.clock.now());
        grid->Aggiorna_Griglia();
        return true;
    }
    if (key == Qt::Key_Down && mods == Qt::AltModifier && (col == COL_DATE || col == COL_DATE_BUTTON)) {
        pickDate(row);
        return true;
    }
    if ((key != Qt::Key_Up && key != Qt::Key_Down) || mods != Qt::ControlModifier)
        return false;
    // The value and its stepper step alike, as a click on the upper or lower half.
    if (col == COL_DATE || col == COL_TIME || col == COL_ADVANCE)
        ++col;
    if (col != COL_DATE_BUTTON && col != COL_TIME_BUTTON && col != COL_ADVANCE_BUTTON)
        return false;
    const int shown = dbsgMemo->Col();
    if (editing) // what was typed goes in first
        dbsgMemo->Nascondi_Editor();
    const qint32 id = state.ArrMemo[m].ID;
    m_commands.mouseDown(col, row, key == Qt::Key_Up, services.clock.now());
    grid->Aggiorna_Griglia();
    // The memo keeps the cursor where the rebuild put it.
    for (int r = dbsgMemo->FixedRows(); r < dbsgMemo->RowCount(); ++r) {
        const int at = grid->Memo_Della_Riga(r);
        if (at >= 0 && state.ArrMemo[at].ID == id) {
            dbsgMemo->setRow(r);
            dbsgMemo->setCol(shown);
            grid->RigaCorrente = r;
            break;
        }
    }
    if (editing && m_commands.editorAllowed(shown, dbsgMemo->Row()))
        dbsgMemo->Mostra_Editor();
    return true;
}

void MemoListPanel::pickDate(int row)
{
    const int m = grid->Memo_Della_Riga(row);
    if (m < 0)
        return;
    QDate date = DayNumbers::toDate(state.ArrMemo[m].Data);
    const qint32 id = state.ArrMemo[m].ID;
    if (datePicker && datePicker(date))
        m_commands.setDate(id, date);
    grid->Aggiorna_Griglia();
}

void MemoListPanel::dbsgMemoMouseDown(int x, int y)
{
    state.DaSalvare = true;
    int col = -1;
    int row = -1;
    dbsgMemo->MouseToCell(QPoint(x, y), col, row);
    const QRect cell = dbsgMemo->CellRect(col, row);
    const bool upper = cell.height() / 2 >= y - cell.top();
    const int m = grid->Memo_Della_Riga(row);
    bool rebuild = m < 0 && (col == COL_DATE || col == COL_DATE_BUTTON || col == COL_TIME_BUTTON);
    if (m >= 0 && col == COL_DATE) {
        pickDate(row);
    } else if (m >= 0) {
        rebuild = m_commands.mouseDown(col, row, upper, services.clock.now());
    }
    if (rebuild)
        grid->Aggiorna_Griglia();
    if (col < 0 || row < 0) {
        dbsgMemo->setCol(0);
        grid->RigaCorrente = -1;
        dbsgMemo->viewport()->update();
    }
    Aggiorna_Pulsanti();
}

void MemoListPanel::Chiudi_Editor()
{
    if (dbsgMemo->EditorMode()) {
        dbsgMemo->Scrivi_Edit_on = true;
        dbsgMemo->Nascondi_Editor();
    }
    dbsgMemo->setCol(0);
}

void MemoListPanel::commitEditor()
{
    if (dbsgMemo->EditorMode())
        Chiudi_Editor();
}

void MemoListPanel::Aggiorna_Pulsanti()
{
    const bool enabled = grid->RigaCorrente >= dbsgMemo->FixedRows();
    for (QToolButton* b : {btnSuTutto, btnGiuTutto, btnSuUno, btnGiuUno})
        b->setEnabled(enabled);
    imgCancella->setPixmap(enabled ? pictures.imgCancella_Enabled : pictures.imgCancella_Disabled);
}

void MemoListPanel::Nuovo_Memo()
{
    Chiudi_Editor();
    const int cur = grid->RigaCorrente;
    const int row = m_commands.Nuovo_Memo(services.clock.now());
    grid->Aggiorna_Griglia();
    dbsgMemo->setRow(row);
    dbsgMemo->setCol(COL_TEXT);
    grid->RigaCorrente = cur; // the highlight stays where it was, even on no row
    dbsgMemo->viewport()->update();
    dbsgMemo->setFocus();
    dbsgMemo->Mostra_Editor();
}

void MemoListPanel::Cancella_Memo()
{
    Chiudi_Editor();
    const bool deleted
        = m_commands.Cancella_Memo([this](const QString& question) { return services.boxes.Conferma(question); },
            services.locale.shortDateFormat());
    if (deleted) {
        const int kept = grid->RigaCorrente;
        grid->Aggiorna_Griglia();
        grid->RigaCorrente = kept; // a rebuild may select a cell
    }
    if (grid->RigaCorrente >= 0) {
        Aggiorna_Pulsanti();
        dbsgMemo->viewport()->update();
    }
}

void MemoListPanel::Sposta_Memo(int kind)
{
    if (grid->RigaCorrente < 0)
        return;
    Chiudi_Editor();
    int newRow = -1;
    m_commands.Sposta_Memo(kind, newRow);
    if (newRow >= 0)
        dbsgMemo->setRow(newRow);
    grid->Aggiorna_Griglia();
}

void MemoListPanel::sortByDate()
{
    Chiudi_Editor();
    int newRow = -1;
    m_commands.Ordina_Per_Data(newRow);
    grid->RigaCorrente = newRow;
    grid->Aggiorna_Griglia();
}

void MemoListPanel::Apri_Sveglie()
{
    Chiudi_Editor();
    emit sveglieRequested();
}

void MemoListPanel::Apri_Opzioni()
{
    Chiudi_Editor();
    emit opzioniRequested();
}

void MemoListPanel::Apri_Email()
{
    emit emailRequested();
}

void MemoListPanel::help()
{
    services.launcher.showHelp(texts.helpContext);
}

bool MemoListPanel::schemeKey(const QKeyEvent* event)
{
    const QString key = event->text();
    if (key != QLatin1String("<") && key != QLatin1String(">"))
        return false;
    if (!state.config.MODIFICA_COLORI_ON || grid->editorVisible())
        return false;
    Cambia_Colorazione(state.ArrColorazioni, state.settings.Tipo_colorazione, key == QLatin1String("<") ? -1 : 1);
    grid->Applica_Colorazione();
    return true;
}

bool MemoListPanel::windowKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_F2:
            Apri_Sveglie();
            break;
        case Qt::Key_F3:
            Nuovo_Memo();
            break;
        case Qt::Key_F4:
            Apri_Opzioni();
            break;
        case Qt::Key_F7:
            sortByDate();
            break;
        case Qt::Key_F8:
            Cancella_Memo();
            break;
        case Qt::Key_F11:
            emit sizeToggleRequested();
            break;
        default:
            return schemeKey(event);
        }
        // The key goes on to the grid when it has the focus, whose key
        // handling marks the save; the grid's own use of it (F2 opens the
        // editor) is left out.
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == dbsgMemo || dbsgMemo->isAncestorOf(focus))) {
            int key = event->key();
            dbsgMemoKeyDown(key);
        }
        return true;
    }
    if (mods == Qt::ShiftModifier) {
        switch (event->key()) {
        case Qt::Key_PageUp:
            Sposta_Memo(SPOSTA_IN_CIMA);
            return true;
        case Qt::Key_PageDown:
            Sposta_Memo(SPOSTA_IN_FONDO);
            return true;
        case Qt::Key_Up:
            Sposta_Memo(SPOSTA_SU);
            return true;
        case Qt::Key_Down:
            Sposta_Memo(SPOSTA_GIU);
            return true;
        default:
            break;
        }
        // Every other Shift key is dropped, but typed characters still arrive.
        const QString text = event->text();
        const bool typed = !text.isEmpty() && text.front().unicode() >= 32 && text.front().unicode() != 0x7F;
        if (typed)
            return schemeKey(event);
        return true;
    }
    return false;
}
