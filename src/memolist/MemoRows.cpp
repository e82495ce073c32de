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

namespace {

// Texts cached per day or per time: more than this many are forgotten at once.
constexpr qsizetype CACHED_TEXTS = 4096;

// Eseguito and Attivo: the usual 0 and 1 share static strings.
QString flagText(qint32 v)
{
    return v == 1 ? QStringLiteral("1") : (v == 0 ? QStringLiteral("0") : QString::number(v));
}

} // namespace

void MemoCellTexts::setFormat(const MemoTextFormat& format)
{
    if (format == m_format)
        return;
    m_format = format;
    m_days.clear();
    m_times.clear();
}

QString MemoCellTexts::dateText(DayNumber data) const
{
    if (!usableDay(data))
        return dueDateText(data, m_format);
    const qint64 day = qint64(DayNumbers::wholePart(data));
    if (const auto it = m_days.constFind(day); it != m_days.cend())
        return *it;
    if (m_days.size() >= CACHED_TEXTS)
        m_days.clear();
    ++m_formatted;
    return *m_days.insert(day, dueDateText(data, m_format));
}

QString MemoCellTexts::timeText(const REC_Memo& m) const
{
    if (m.TipoOrario != ORARIO_PRESENTE)
        return QString();
    const QTime time = DayNumbers::toTime(m.Orario);
    const int key = time.isValid() ? time.msecsSinceStartOfDay() : -1;
    if (const auto it = m_times.constFind(key); it != m_times.cend())
        return *it;
    if (m_times.size() >= CACHED_TEXTS)
        m_times.clear();
    ++m_formatted;
    return *m_times.insert(key, dueTimeText(m, m_format));
}

QString MemoCellTexts::cellText(int col, const REC_Memo& m, int index) const
{
    switch (col) {
    case COL_DONE:
        return flagText(m.Eseguito);
    case COL_TEXT:
        return m.Nota;
    case COL_ALARM:
        return flagText(m.Attivo);
    case COL_DATE:
        return dateText(m.Data);
    case COL_TIME:
        return timeText(m);
    case COL_ADVANCE:
        return anticipoText(m.Anticipo);
    case COL_ID:
        return QString::number(m.ID);
    case COL_INDEX:
        return QString::number(index);
    default:
        return QString();
    }
}

QString MemoCellTexts::placeholderText(int col, const QString& TestoNuovoMemo)
{
    switch (col) {
    case COL_DONE:
        return QStringLiteral("0");
    case COL_TEXT:
        return TestoNuovoMemo;
    case COL_ID:
    case COL_INDEX:
        return QStringLiteral("-1");
    default:
        return QString();
    }
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
    MemoCellTexts texts;
    texts.setFormat(format);
    for (int c = 0; c < MEMO_DATA_COLUMNS; ++c) {
        if (c == COL_ID - 1)
            continue; // not used: left as it was
        for (int i = 0; i < rows - 1; ++i)
            dati[c][i] = texts.cellText(c, memos[i], i);
        // The rows are resized keeping what fits: this clears what an earlier memo left here.
        dati[c][rows - 1] = MemoCellTexts::placeholderText(c, TestoNuovoMemo);
    }
    return true;
}

int memoIndexOfDataRow(const QList<qint32>& ids, int d, const MemoList& memos)
{
    if (d < 0 || d >= ids.size())
        return -1;
    // The row was built from the list as it was then; a warning may have
    // deleted a memo since. The index is only a hint: the ID decides.
    const qint32 id = ids[d];
    if (d < memos.size() && memos[d].ID == id)
        return d;
    for (qsizetype i = 0; i < memos.size(); ++i) {
        if (memos[i].ID == id)
            return int(i);
    }
    return -1;
}

bool MemoOrder::reset(const QList<qint32>& ids, int rows, const MemoList& memos)
{
    ChiaviOrdine.resize(qMax(rows, 0));
    for (int d = 0; d < ChiaviOrdine.size(); ++d)
        ChiaviOrdine[d] = d < ids.size() ? ids[d] : -1; // the placeholder goes last
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
