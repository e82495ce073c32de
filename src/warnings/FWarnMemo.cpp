#include "warnings/FWarnMemo.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_EditCurr.h"
#include "platform/Clock.h"
#include "platform/LocaleService.h"
#include "platform/Services.h"
#include "state/AppState.h"
#include "state/Configuration.h"
#include "store/Ut.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace {

// At least its designed width, wider when its text needs it.
QToolButton* speedButton(QWidget* parent, QStyle::StandardPixmap glyph, int width, bool flat)
{
    auto* b = new QToolButton(parent);
    b->setIcon(parent->style()->standardIcon(glyph));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(flat);
    b->setMinimumSize(width, 22);
    return b;
}

qint32 readNumber(const QList<QStringList>& dati, int col, int row)
{
    qint32 value = -1;
    if (row >= dati.value(col).size() || Leggi_Intero(dati[col][row], value) != INTERO_OK)
        return -1;
    return value;
}

} // namespace

TfrmWarnMemo::TfrmWarnMemo(AppState& appState, Services& appServices, const WarningHost& appHost)
    : WarningForm(appState, appServices, appHost, QSize(441, 158))
    , dbsgMess(new TA_DBStringGrid(this))
    , btnRicordami(speedButton(this, QStyle::SP_BrowserReload, 155, false))
    , editMinuti(new TA_EditCurr(this))
    , lblMinuti(new QLabel(this))
    , btnEseguito(speedButton(this, QStyle::SP_DialogApplyButton, 74, true))
    , btnCancella(speedButton(this, QStyle::SP_TrashIcon, 76, true))
    , btnOK(speedButton(this, QStyle::SP_DialogOkButton, 54, true))
    , createdAt(services.clock.now().time().toString(services.locale.shortTimeFormat()))
{
    dbsgMess->setObjectName(QStringLiteral("dbsgMess"));
    dbsgMess->setColCount(2);
    dbsgMess->setFixedRows(0);
    dbsgMess->setRowCount(0);
    dbsgMess->setColWidths(0, 45);
    dbsgMess->setColWidths(1, 376);
    dbsgMess->setDefaultRowHeight(20);
    dbsgMess->setGridLineWidth(0);
    dbsgMess->setDefaultDrawing(false);
    dbsgMess->setOptions(GridOption::FixedVertLine | GridOption::FixedHorzLine | GridOption::VertLine
        | GridOption::HorzLine | GridOption::RangeSelect | GridOption::RowSelect);
    dbsgMess->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dbsgMess->viewport()->setCursor(Qt::PointingHandCursor);
    dbsgMess->setColor(Qt::white);
    QFont bold = dbsgMess->font();
    bold.setBold(true);
    dbsgMess->setFont(bold);
    dbsgMess->Colore_Testo_Sel = palette().color(QPalette::WindowText);
    dbsgMess->Colore_Back_Sel = Qt::yellow;
    dbsgMess->Bordo_Destro_on = true;
    dbsgMess->Colonna_espansa = 1;
    dbsgMess->OnDrawCell = [this](TA_DBStringGrid* g, int c, int r, const QRect& rect, GridDrawState s) {
        dbsgMessDrawCell(g, c, r, rect, s);
    };

    editMinuti->setFixedSize(25, 21);
    editMinuti->Null_se_vale_zero = false;
    editMinuti->OnChangeFiltroUtente = [this](const QString& text, const QString&, bool& ok, Currency& value) {
        editMinutiChangeFiltroUtente(text, ok, value);
    };

    // The designed places; a text longer than its button widens the window.
    buttonBar = new QHBoxLayout;
    buttonBar->setContentsMargins(0, 0, 1, 0);
    buttonBar->setSpacing(0);
    buttonBar->addWidget(btnRicordami);
    buttonBar->addSpacing(2);
    buttonBar->addWidget(editMinuti, 0, Qt::AlignBottom);
    buttonBar->addSpacing(4);
    buttonBar->addWidget(lblMinuti);
    buttonBar->addStretch(1);
    buttonBar->addSpacing(4);
    buttonBar->addWidget(btnEseguito);
    buttonBar->addWidget(btnCancella);
    buttonBar->addWidget(btnOK);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(1);
    form->addWidget(dbsgMess, 1);
    form->addLayout(buttonBar);

    connect(btnOK, &QToolButton::clicked, this, &TfrmWarnMemo::btnOKClick);
    connect(btnEseguito, &QToolButton::clicked, this, &TfrmWarnMemo::btnEseguitoClick);
    connect(btnCancella, &QToolButton::clicked, this, &TfrmWarnMemo::btnCancellaClick);
    connect(btnRicordami, &QToolButton::clicked, this, &TfrmWarnMemo::btnRicordamiClick);

    // FormCreate
    const int language = Testi_Lingua();
    if (language < 1)
        reportLanguage(language);
    bool taken = true;
    takeEntries(AVVISO_MEMO, [this, &taken](const REC_Avviso& entry, REC_Mess& line) {
        const qsizetype m = findMemo(state.ArrMemo, entry.Chiave);
        if (m < 0) {
            reportError(QStringLiteral("-1 = errore: promemoria non riscontrabile"));
            return taken = false;
        }
        const REC_Memo& memo = state.ArrMemo[m];
        line.Orario = memo.Orario;
        line.Testo = memo.Nota;
        line.Chiave = memo.ID;
        return true;
    });
    if (taken) {
        editMinuti->Azzera();
        editMinuti->Valore = Currency::fromInt(5);
        editMinuti->DoExit();
    }
}

int TfrmWarnMemo::Testi_Lingua()
{
    const QString& nome = state.config.NOME_PROGRAMMA;
    const bool it = state.settings.Lingua_attuale == languageItalian();
    if (!it && state.settings.Lingua_attuale != languageEnglish())
        return 0;
    setWindowTitle(
        createdAt + (it ? QStringLiteral(" Avviso promemoria - ") : QStringLiteral(" Alarm warning - ")) + nome);
    btnOK->setText(QStringLiteral("OK"));
    btnOK->setToolTip(it ? QStringLiteral("Chiude questa finestra e non visualizza più i messaggi selezionati")
                         : QStringLiteral("Closes this window and doesn't show these memos again"));
    btnRicordami->setText(it ? QStringLiteral("Ricordami tra...") : QStringLiteral("Remember me now from"));
    btnRicordami->setToolTip(it ? QStringLiteral("Visualizza in un secondo momento i promemoria selezionati")
                                : QStringLiteral("Shows selectem memos later"));
    lblMinuti->setText(it ? QStringLiteral("minuti") : QStringLiteral("minutes"));
    lblMinuti->setBuddy(editMinuti);
    editMinuti->setAccessibleName(it ? QStringLiteral("Minuti") : QStringLiteral("Minutes"));
    dbsgMess->setColumnNames(it ? QStringList{QStringLiteral("Orario"), QStringLiteral("Promemoria")}
                                : QStringList{QStringLiteral("Time"), QStringLiteral("Memo")});
    btnEseguito->setText(it ? QStringLiteral("Eseguito") : QStringLiteral("Done"));
    btnEseguito->setToolTip(it ? QStringLiteral("Segna i promemoria selezionati come eseguiti")
                               : QStringLiteral("Signs selected memos as done"));
    btnCancella->setText(it ? QStringLiteral("Cancella") : QStringLiteral("Clear"));
    btnCancella->setToolTip(
        it ? QStringLiteral("Cancella i promemoria selezionati") : QStringLiteral("Clears selected memos"));
    const QSize bar = buttonBar->sizeHint();
    setFixedSize(qMax(441, bar.width()), 136 + qMax(22, bar.height()));
    return 1;
}

void TfrmWarnMemo::showWarning()
{
    Aggiorna_Lista();
    if (const TColorazione* s = scheme())
        dbsgMess->setColor(QColor::fromRgb(s->ColoreGriglia));
    const UserSettings& settings = state.settings;
    Suona(services.sound, state.ArrSuoni, Indice_Suono(state.ArrSuoni, settings.Suono_Memo),
        settings.Suono_allarme_ripeturamente == 1, true);
    QStringList shown;
    for (int r = 0; r < int(ListaMess.size()); ++r)
        shown.append(dbsgMess->Dati[0][r] + u' ' + dbsgMess->Dati[1][r]);
    showOnTop(shown.join(u'\n'));
}

void TfrmWarnMemo::renumberKeys(const MemoIdMap& newIds)
{
    for (REC_Mess& line : ListaMess)
        line.Chiave = newIds.value(line.Chiave, line.Chiave);
    Aggiorna_Lista(); // the buttons act on the keys the grid's rows carry
}

void TfrmWarnMemo::Aggiorna_Lista()
{
    const int n = int(ListaMess.size());
    dbsgMess->Imposta_Dati(4, n);
    dbsgMess->qt_righe_Nette = n;
    dbsgMess->setRowCount(n);
    const QString timeFormat = services.locale.shortTimeFormat();
    for (int r = 0; r < n; ++r) {
        const REC_Mess& line = ListaMess[r];
        dbsgMess->Dati[0][r] = DayNumbers::toTime(line.Orario).toString(timeFormat);
        dbsgMess->Dati[1][r] = line.Testo;
        dbsgMess->Dati[2][r] = QString::number(line.Chiave);
        dbsgMess->Dati[3][r] = QString::number(line.Pos_Avviso);
    }
    dbsgMess->Pulisci_Celle();
    // A 12-hour time ("10:00 AM") is wider than the designed column.
    const QFontMetrics metrics(dbsgMess->font());
    int timeWidth = 45;
    for (int r = 0; r < n; ++r) {
        dbsgMess->setCells(0, r, dbsgMess->Dati[0][r]);
        dbsgMess->setCells(1, r, dbsgMess->Dati[1][r]);
        timeWidth = qMax(timeWidth, metrics.horizontalAdvance(dbsgMess->Dati[0][r]) + 10);
    }
    dbsgMess->setColWidths(0, timeWidth);
    dbsgMess->repaint();
}

void TfrmWarnMemo::dbsgMessDrawCell(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State)
{
    QFont bold = Sender->Canvas()->font();
    bold.setBold(true);
    Sender->Canvas()->setFont(bold);
    // The selected lines are the ones the buttons act on, and "Cancella"
    // asks nothing: they are shown in the selection colours.
    State &= ~GridDrawState(GridDrawFlag::Fixed);
    TA_DBStringGrid::Disegna_Testo(Sender, ACol, ARow, Rect, State, ALLINEA_SINISTRA, 5, GridColor(NO_COLOR_VALUE),
        GridColor(NO_COLOR_VALUE), Rect.width());
}

void TfrmWarnMemo::forSelectedRows(const std::function<void(qint32 K, qint32 P, qsizetype memo)>& action)
{
    const QRect sel = dbsgMess->Selection();
    // The grid is not touched during the walk, so its rows keep their data.
    for (int row = qMax(sel.top(), 0); row <= sel.bottom(); ++row) {
        const qint32 K = readNumber(dbsgMess->Dati, 2, row);
        const qint32 P = readNumber(dbsgMess->Dati, 3, row);
        qsizetype memo = -1;
        if (P >= 0 && P < state.ArrAvvisi.size())
            memo = findMemo(state.ArrMemo, state.ArrAvvisi[P].Chiave);
        action(K, P, memo);
    }
    if (ListaMess.isEmpty()) {
        close(); // redraws the memo list
    } else {
        Aggiorna_Lista();
        // The memo list shows the change at once, so that its next click or
        // key acts on the memo it shows.
        if (host.Aggiorna_Griglia)
            host.Aggiorna_Griglia();
    }
}

void TfrmWarnMemo::btnOKClick()
{
    close();
}

void TfrmWarnMemo::btnEseguitoClick()
{
    forSelectedRows([this](qint32 K, qint32, qsizetype memo) {
        if (memo < 0)
            return;
        state.ArrMemo[memo].Eseguito = 1;
        state.ArrMemo[memo].Attivo = 0;
        // Saved at the next tick, not whenever something else is saved.
        state.DaSalvare = true;
        Togli_Riga(ListaMess, K);
    });
}

void TfrmWarnMemo::btnCancellaClick()
{
    forSelectedRows([this](qint32 K, qint32, qsizetype memo) {
        if (memo >= 0) {
            state.ArrMemo.removeAt(memo);
            state.DaSalvare = true;
        }
        Togli_Riga(ListaMess, K);
    });
}

void TfrmWarnMemo::btnRicordamiClick()
{
    dbsgMess->setFocus();
    const auto minutes = qint32(editMinuti->Valore.units() / Currency::Scale);
    const QDateTime now = services.clock.now();
    forSelectedRows([&](qint32 K, qint32 P, qsizetype memo) {
        if (memo >= 0) {
            REC_Memo& m = state.ArrMemo[memo];
            m.Anticipo = Anticipo_Posticipato(m, now, minutes);
            state.DaSalvare = true;
        }
        Togli_Riga(ListaMess, K);
        if (P >= 0 && P < state.ArrAvvisi.size())
            state.ArrAvvisi[P].Stato = STATO_RIARMATO;
    });
}

void TfrmWarnMemo::editMinutiChangeFiltroUtente(const QString& Text_New, bool& Accettabile_on, Currency& Valore_out)
{
    Accettabile_on = false;
    qint32 n = 0;
    if (Leggi_Intero(Text_New, n) > INTERO_NON_NUMERO) {
        Accettabile_on = n >= 0;
        Valore_out = Currency::fromInt(n);
    }
}

bool TfrmWarnMemo::previewKey(int key)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        btnRicordami->click();
        return true;
    }
    return false;
}

void TfrmWarnMemo::FormCloseQuery()
{
    if (host.Aggiorna_Griglia)
        host.Aggiorna_Griglia();
}
