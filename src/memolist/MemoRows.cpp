#include "memolist/MemoRows.h"

#include "engine/DueMoments.h"

#include <cmath>

namespace {

// The due tests' constants, for the double arithmetic of the states.
constexpr double msPerMinute = double(MS_PER_MINUTE);
constexpr double msPerDay = double(MS_PER_DAY);

// Far beyond any real date; larger values (a damaged store) get no date text.
bool usableDay(DayNumber v)
{
    return std::isfinite(v) && std::fabs(v) < 1e8;
}

// today: the day number of now's date; nowMs: its time of day.
int memoState(const REC_Memo& m, double today, double nowMs)
{
    if (m.Eseguito == 1)
        return MEMO_NORMAL;
    const double day = DayNumbers::wholePart(m.Data);
    if (m.TipoOrario == ORARIO_PRESENTE) {
        // The time of day adds 0 to one day. Summed in the same order as
        // below, so the bounds hold in doubles too; most memos end here and
        // the tick does not work out their time.
        const double fromDay = (day - today) * msPerDay;
        const double advance = double(m.Anticipo) * msPerMinute;
        if (fromDay - advance - nowMs >= (IMMINENT_MINUTES + 1) * msPerMinute)
            return MEMO_NORMAL;
        if (fromDay + msPerDay - advance - nowMs <= 0)
            return MEMO_OVERDUE;
        // Whole milliseconds (exact in a double), so the 30-minute edge does
        // not move with the rounding of day fractions.
        const double timeMs = std::round(std::fabs(DayNumbers::fractionPart(m.Orario)) * msPerDay);
        const double leftMs = fromDay + timeMs - advance - nowMs;
        if (leftMs <= 0)
            return MEMO_OVERDUE;
        return std::trunc(leftMs / msPerMinute) > IMMINENT_MINUTES ? MEMO_NORMAL : MEMO_IMMINENT;
    }
    if (day < today)
        return MEMO_OVERDUE;
    return day == today ? MEMO_DUE_TODAY : MEMO_NORMAL;
}

} // namespace

int Stato_Memo(const MemoList& memos, int index, const QDateTime& now)
{
    if (index < 0)
        return -1;
    if (index >= memos.size())
        return -2;
    return memoState(memos[index], DayNumbers::fromDate(now.date()), now.time().msecsSinceStartOfDay());
}

QList<int> memoStates(const MemoList& memos, qint64 clockMs, qint64* changeMs)
{
    const qint64 day = floorDiv(clockMs, MS_PER_DAY);
    const double today = double(day);
    const double nowMs = double(clockMs - day * MS_PER_DAY);
    QList<int> states(memos.size());
    int* out = states.data(); // one detach check, not one per memo
    for (const REC_Memo& m : memos)
        *out++ = memoState(m, today, nowMs);
    if (changeMs) {
        // Every state holds until tomorrow's words; a memo with a due time
        // changes when it turns imminent and when its moment comes.
        qint64 next = (day + 1) * MS_PER_DAY;
        const auto edge = [&](qint64 t) {
            if (t > clockMs)
                next = qMin(next, t);
        };
        // From the moment back to the first millisecond of imminence.
        constexpr qint64 imminent = (IMMINENT_MINUTES + 1) * MS_PER_MINUTE - 1;
        for (const REC_Memo& m : memos) {
            if (m.Eseguito == 1 || m.TipoOrario != ORARIO_PRESENTE || !usableDay(m.Data))
                continue;
            const qint64 start
                = qint64(DayNumbers::wholePart(m.Data)) * MS_PER_DAY - qint64(m.Anticipo) * MS_PER_MINUTE;
            if (start - imminent >= next)
                continue; // none of its edges comes sooner
            // The edges of its day: a damaged time of day changes state only there.
            edge(start - imminent);
            edge(start + MS_PER_DAY);
            const double timeMs = std::round(std::fabs(DayNumbers::fractionPart(m.Orario)) * msPerDay);
            if (std::isfinite(timeMs)) {
                edge(start + qint64(timeMs) - imminent);
                edge(start + qint64(timeMs));
            }
        }
        *changeMs = next;
    }
    return states;
}

QString dueDateText(DayNumber data, const MemoTextFormat& format)
{
    if (!usableDay(data))
        return QString();
    const double day = DayNumbers::wholePart(data);
    const double today = DayNumbers::fromDate(format.today);
    if (day == today - 1)
        return format.ieri;
    if (day == today)
        return format.oggi;
    if (day == today + 1)
        return format.domani;
    return DayNumbers::toDate(data).toString(format.dateFormat);
}

QString dueTimeText(const REC_Memo& memo, const MemoTextFormat& format)
{
    if (memo.TipoOrario != ORARIO_PRESENTE)
        return QString();
    return DayNumbers::toTime(memo.Orario).toString(format.timeFormat);
}

QString anticipoText(qint32 anticipo)
{
    return anticipo >= 1 ? QLatin1Char('+') + QString::number(anticipo) : QString::number(anticipo);
}

bool fillMemoData(
    QList<QStringList>& dati, const MemoList& memos, const MemoTextFormat& format, const QString& TestoNuovoMemo)
{
    const int rows = int(memos.size()) + 1;
    if (dati.size() < MEMO_DATA_COLUMNS)
        return false;
    for (int c = 0; c < MEMO_DATA_COLUMNS; ++c) {
        if (dati[c].size() < rows)
            return false;
    }
    // The usual 0 and 1 share one string each instead of one per row.
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    const auto flag = [&](qint32 v) { return v == 1 ? one : (v == 0 ? zero : QString::number(v)); };
    for (int i = 0; i < rows - 1; ++i) {
        const REC_Memo& m = memos[i];
        dati[COL_DONE][i] = flag(m.Eseguito);
        dati[COL_TEXT][i] = m.Nota;
        dati[COL_ALARM][i] = flag(m.Attivo);
        dati[COL_DATE][i] = dueDateText(m.Data, format);
        dati[COL_DATE_BUTTON][i].clear();
        dati[COL_TIME][i] = dueTimeText(m, format);
        dati[COL_TIME_BUTTON][i].clear();
        dati[COL_ADVANCE][i] = anticipoText(m.Anticipo);
        dati[COL_ADVANCE_BUTTON][i].clear();
        dati[COL_ID][i] = QString::number(m.ID);
        dati[COL_INDEX][i] = QString::number(i);
    }
    const int p = rows - 1;
    const QString none = QStringLiteral("-1");
    dati[COL_DONE][p] = zero;
    dati[COL_TEXT][p] = TestoNuovoMemo;
    // The rows are resized keeping what fits: clear what an earlier memo left here.
    dati[COL_ALARM][p].clear();
    for (int c = COL_DATE; c <= COL_ADVANCE_BUTTON; ++c)
        dati[c][p].clear();
    dati[COL_ID][p] = none;
    dati[COL_INDEX][p] = none;
    return true;
}

int memoIndexOfDataRow(const QList<QStringList>& dati, int d, const MemoList& memos)
{
    if (d < 0 || dati.size() <= COL_INDEX || d >= dati[COL_INDEX].size())
        return -1;
    bool ok = false;
    const qint32 id = dati[COL_ID][d].toInt(&ok);
    if (!ok)
        return -1;
    // The row was built from the list as it was then; a warning may have
    // deleted a memo since. The index is only a hint: the ID decides.
    const int index = dati[COL_INDEX][d].toInt(&ok);
    if (!ok || index < 0) // the placeholder row
        return -1;
    if (index < memos.size() && memos[index].ID == id)
        return index;
    for (qsizetype i = 0; i < memos.size(); ++i) {
        if (memos[i].ID == id)
            return int(i);
    }
    return -1;
}

bool MemoOrder::reset(const QList<QStringList>& dati, int rows, const MemoList& memos)
{
    ChiaviOrdine.resize(qMax(rows, 0));
    const QStringList noIds;
    const QStringList& ids = dati.size() > COL_ID ? dati[COL_ID] : noIds;
    for (int d = 0; d < ChiaviOrdine.size(); ++d) {
        bool ok = false;
        const qint64 key = d < ids.size() ? ids[d].toLongLong(&ok) : -1;
        ChiaviOrdine[d] = ok ? key : -1; // a row without an ID is no memo: it goes last
    }
    qint64 largest = 0;
    for (const REC_Memo& m : memos)
        largest = qMax(largest, qint64(m.ID));
    placeholderKey = largest + 1;
    return rows >= 1;
}

int MemoOrder::compare(int a, int b) const
{
    const qint64 ka = ChiaviOrdine[a] < 0 ? placeholderKey : ChiaviOrdine[a];
    const qint64 kb = ChiaviOrdine[b] < 0 ? placeholderKey : ChiaviOrdine[b];
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}
