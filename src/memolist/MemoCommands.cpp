#include "memolist/MemoCommands.h"

#include "engine/DueMoments.h"
#include "engine/ReminderEngine.h"
#include "memolist/ExchangeSort.h"
#include "memolist/MemoRows.h"
#include "state/AppState.h"
#include "store/Ut.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// Due moment for the date sort: a memo without time counts from midnight.
double sortMoment(const REC_Memo& m)
{
    const double day = DayNumbers::wholePart(m.Data);
    return m.TipoOrario == ORARIO_PRESENTE ? day + DayNumbers::fractionPart(m.Orario) : day;
}

// Memo indices in display order: ascending ID, equal IDs in list order.
QList<int> idOrder(const MemoList& memos)
{
    QList<int> order(memos.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return memos[a].ID < memos[b].ID; });
    return order;
}

qint32 largestId(const MemoList& memos)
{
    qint32 largest = 0;
    for (const REC_Memo& m : memos)
        largest = qMax(largest, m.ID);
    return largest;
}

qint32 clampToInt32(qint64 v)
{
    return qint32(qBound(qint64(std::numeric_limits<qint32>::min()), v, qint64(std::numeric_limits<qint32>::max())));
}

} // namespace

QString notaFromTyping(const QString& text)
{
    // A pair of line-break characters may shrink to one space.
    QString nota = leftCharacters(text, NOTA_MAX_CHARS * 2);
    nota.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : nota) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return leftCharacters(nota, NOTA_MAX_CHARS);
}

QString deleteQuestion(const REC_Memo& memo, const QString& shortDateFormat, const QString& lingua)
{
    // A question about deleting must be understood: English in the English interface.
    if (lingua == languageEnglish())
        return QStringLiteral("Are you sure you want to delete the memo\r\n") + memo.Nota + QStringLiteral(" of ")
            + DayNumbers::toDate(memo.Data).toString(shortDateFormat) + QStringLiteral("?");
    return QStringLiteral("Sei sicuro di voler cancellare il promemoria\r\n") + memo.Nota + QStringLiteral(" del ")
        + DayNumbers::toDate(memo.Data).toString(shortDateFormat) + QStringLiteral("?");
}

MemoCommands::MemoCommands(AppState& appState, int& rigaCorrente)
    : state(appState)
    , RigaCorrente(rigaCorrente)
{
}

int MemoCommands::rowCount() const
{
    return fixedRows + int(state.ArrMemo.size()) + 1;
}

int MemoCommands::memoAt(int row) const
{
    if (memoOfRow)
        return memoOfRow(row);
    const int n = row - fixedRows;
    if (n < 0 || n >= state.ArrMemo.size())
        return -1;
    return idOrder(state.ArrMemo)[n];
}

void MemoCommands::renumber(const MemoIdMap& map)
{
    if (map.isEmpty())
        return;
    Rinumera_Avvisi_Memo(state.ArrAvvisi, map);
    if (onRenumbered)
        onRenumbered(map);
}

void MemoCommands::rearm(int index)
{
    Riarma_Avvisi_Memo(state.ArrAvvisi, state.ArrMemo[index].ID);
    // Marked when the memo changes, not before: a tick during a dialog that
    // led here has already saved and cleared the flag.
    state.DaSalvare = true;
}

bool MemoCommands::editorAllowed(int col, int row) const
{
    const int m = memoAt(row);
    if (m < 0)
        return false;
    return col == COL_TEXT || col == COL_TIME || (col == COL_ADVANCE && state.ArrMemo[m].Attivo == 1);
}

bool MemoCommands::setEditText(int col, int row, const QString& text)
{
    const int m = memoAt(row);
    if (m < 0 || (col != COL_TEXT && col != COL_TIME && col != COL_ADVANCE))
        return false;
    REC_Memo& memo = state.ArrMemo[m];
    if (col == COL_TEXT) {
        memo.Nota = notaFromTyping(text);
        state.DaSalvare = true;
        return true;
    }
    if (col == COL_TIME) {
        QTime time;
        if (Leggi_Orario(text, time) == 1) {
            memo.TipoOrario = ORARIO_PRESENTE;
            memo.Orario = DayNumbers::fromTime(time);
        } else {
            memo.Attivo = 0;
            memo.TipoOrario = ORARIO_ASSENTE;
        }
    } else {
        Leggi_Intero(text, memo.Anticipo); // 0 when it is no number
    }
    rearm(m);
    return true;
}

bool MemoCommands::mouseDown(int col, int row, bool upperHalf, const QDateTime& now)
{
    const int m = memoAt(row);
    if (m < 0)
        return false;
    REC_Memo& memo = state.ArrMemo[m];
    switch (col) {
    case COL_DONE:
        if (memo.Eseguito != 1) {
            memo.Eseguito = 1;
            memo.Attivo = 0;
            rearm(m);
        } else {
            memo.Eseguito = 0;
            state.DaSalvare = true;
        }
        return true;
    case COL_ALARM:
        if (memo.Attivo != 1) {
            memo.Attivo = 1;
            if (memo.TipoOrario == ORARIO_ASSENTE) {
                memo.TipoOrario = ORARIO_PRESENTE;
                memo.Orario = DayNumbers::fromTime(now.time());
            }
        } else {
            memo.Attivo = 0;
        }
        break;
    case COL_DATE_BUTTON:
        memo.Data += upperHalf ? 1 : -1;
        break;
    case COL_TIME_BUTTON: {
        if (memo.TipoOrario == ORARIO_ASSENTE)
            memo.Orario = DayNumbers::fromTime(now.time());
        // In whole milliseconds and modulo a day, so a step of any size
        // wraps round midnight and never leaves a negative time.
        const double fraction = std::isfinite(memo.Orario) ? DayNumbers::fractionPart(memo.Orario) : 0.0;
        const qint64 step = qint64(state.settings.Incremento_orario_piu_meno) * MS_PER_MINUTE;
        qint64 ms = qint64(std::llround(fraction * double(MS_PER_DAY))) + (upperHalf ? step : -step);
        ms = ((ms % MS_PER_DAY) + MS_PER_DAY) % MS_PER_DAY;
        memo.TipoOrario = ORARIO_PRESENTE;
        memo.Orario = double(ms) / double(MS_PER_DAY);
        break;
    }
    case COL_ADVANCE_BUTTON:
        if (memo.Attivo != 1)
            return false;
        memo.Anticipo = clampToInt32(qint64(memo.Anticipo) + (upperHalf ? 1 : -1));
        break;
    default:
        return false;
    }
    rearm(m);
    return true;
}

bool MemoCommands::setDate(qint32 id, QDate date)
{
    const int m = int(findMemo(state.ArrMemo, id));
    if (m < 0 || !date.isValid())
        return false;
    state.ArrMemo[m].Data = DayNumbers::fromDate(date);
    rearm(m);
    return true;
}

REC_Memo Memo_Predefinito(const UserSettings& s, const QDateTime& now)
{
    const QTime time = now.time();
    REC_Memo memo;
    memo.TipoMemo = 1;
    memo.Attivo = s.Attivazione_nuovi_promemoria;
    memo.Eseguito = 0;
    memo.TipoData = 1;
    memo.Data = DayNumbers::fromDate(now.date());
    memo.TipoOrario = s.Orario_predefinito_nuovi_promemoria == 1 ? ORARIO_PRESENTE : ORARIO_ASSENTE;
    memo.Orario = DayNumbers::fromTime(QTime(time.hour(), time.minute()));
    memo.TipoAnticipo = 2;
    memo.Anticipo = s.Preavviso_predefinito_memo;
    return memo;
}

int MemoCommands::Nuovo_Memo(const QDateTime& now)
{
    state.DaSalvare = true;
    MemoList& memos = state.ArrMemo;
    const int cur = RigaCorrente;
    const int m = cur < 0 ? -1 : memoAt(cur);

    // One more ID past the largest would overflow: hand the IDs out again
    // from 1 in display order first.
    const bool full = largestId(memos) == std::numeric_limits<qint32>::max();
    if (full) {
        MemoIdMap map;
        const QList<int> order = idOrder(memos);
        for (int k = 0; k < order.size(); ++k) {
            REC_Memo& r = memos[order[k]];
            if (r.ID != k + 1 && !map.contains(r.ID))
                map.insert(r.ID, k + 1);
            r.ID = k + 1;
        }
        renumber(map);
    }

    REC_Memo memo = Memo_Predefinito(state.settings, now);
    if (m < 0) {
        memo.ID = largestId(memos) + 1;
    } else {
        memo.ID = memos[m].ID;
        MemoIdMap map;
        for (REC_Memo& r : memos) {
            if (r.ID >= memo.ID) {
                map.insert(r.ID, r.ID + 1);
                ++r.ID;
            }
        }
        renumber(map);
    }
    memos.append(memo);
    return cur < fixedRows ? int(memos.size()) - 1 + fixedRows : cur;
}

bool MemoCommands::Cancella_Memo(const std::function<bool(const QString&)>& confirm, const QString& shortDateFormat)
{
    state.DaSalvare = true;
    if (RigaCorrente < 0)
        return false;
    int m = memoAt(RigaCorrente);
    if (m < 0)
        return false;
    if (state.settings.Chiedi_conferma_cancellazione == 1) {
        // The warnings can be answered while the question waits, and may
        // delete memos: the one asked about is found again by its ID.
        const qint32 id = state.ArrMemo[m].ID;
        if (!confirm(deleteQuestion(state.ArrMemo[m], shortDateFormat, state.settings.Lingua_attuale)))
            return false;
        m = int(findMemo(state.ArrMemo, id));
        if (m < 0)
            return false;
    }
    const int rows = rowCount();
    state.ArrMemo.removeAt(m);
    state.DaSalvare = true; // the question may have waited through a tick that saved
    if (RigaCorrente >= rows - fixedRows - 1)
        --RigaCorrente;
    return true;
}

int MemoCommands::Sposta_Memo(int kind, int& newRow)
{
    newRow = -1;
    if (RigaCorrente < 0)
        return 0;
    const int nette = int(state.ArrMemo.size()) + 1;
    int delta = 0;
    switch (kind) {
    case SPOSTA_IN_CIMA:
        delta = -(nette + 10);
        break;
    case SPOSTA_SU:
        delta = -1;
        break;
    case SPOSTA_GIU:
        delta = 1;
        break;
    case SPOSTA_IN_FONDO:
        delta = nette + 10;
        break;
    default:
        return 0;
    }
    return Ruota_ID(RigaCorrente, delta, newRow);
}

int MemoCommands::Ruota_ID(int row, int delta, int& newRow)
{
    newRow = -1;
    if (row < 0)
        return -1;
    if (row > rowCount())
        return -2;
    const qint64 end = qint64(row) + delta;
    const int step = delta < 0 ? -1 : 1;
    QList<int> noted;
    for (qint64 r = row;; r += step) {
        const int m = r >= 0 && r <= rowCount() ? memoAt(int(r)) : -1;
        if (m < 0)
            break;
        noted.append(m);
        newRow = int(r);
        if (r == end)
            break;
    }
    if (newRow == row || newRow < 0 || noted.size() < 2)
        return 1;
    MemoList& memos = state.ArrMemo;
    QList<qint32> ids;
    for (int m : noted)
        ids.append(memos[m].ID);
    MemoIdMap map;
    for (int k = 0; k < noted.size(); ++k) {
        const qint32 id = ids[k == 0 ? ids.size() - 1 : k - 1];
        if (!map.contains(ids[k]))
            map.insert(ids[k], id);
        memos[noted[k]].ID = id;
    }
    renumber(map);
    state.DaSalvare = true;
    return 2;
}

void MemoCommands::Ordina_Per_Data(int& newRow)
{
    state.DaSalvare = true;
    MemoList& memos = state.ArrMemo;
    const int cur = RigaCorrente < 0 ? -1 : memoAt(RigaCorrente);
    const qsizetype n = memos.size();
    // The exchange sort fixes where equal moments go; a stable sort would
    // not. It runs on the moments and a permutation, the records move once.
    QList<double> moment(n);
    QList<qsizetype> from(n);
    for (qsizetype i = 0; i < n; ++i) {
        moment[i] = sortMoment(memos[i]);
        from[i] = i;
    }
    exchangeSort(moment, from);
    MemoList sorted;
    sorted.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        sorted.append(memos[from[i]]);
    memos = std::move(sorted);
    newRow = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (cur >= 0 && from[i] == cur)
            newRow = int(i) + fixedRows;
    }

    // Exchanging only the ID fields leaves them ascending along the list.
    QList<qint32> ids;
    for (const REC_Memo& m : memos)
        ids.append(m.ID);
    const QList<qint32> before = ids;
    std::sort(ids.begin(), ids.end());
    for (qsizetype p = 0; p < n; ++p)
        memos[p].ID = ids[p];
    MemoIdMap map;
    for (qsizetype p = 0; p < n; ++p) {
        if (before[p] != ids[p] && !map.contains(before[p]))
            map.insert(before[p], ids[p]);
    }
    renumber(map);
}
