#pragma once

#include "store/Global.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>

// Display states of a memo (Stato_Memo).
constexpr int MEMO_NORMAL = 1;
constexpr int MEMO_IMMINENT = 2;
constexpr int MEMO_DUE_TODAY = 3;
constexpr int MEMO_OVERDUE = 4;

// A memo with a due time is imminent this many minutes before its moment.
constexpr int IMMINENT_MINUTES = 30;

// Columns of the memo grid; 0 to 8 are shown, 9 to 11 are data only.
constexpr int COL_DONE = 0;
constexpr int COL_TEXT = 1;
constexpr int COL_ALARM = 2;
constexpr int COL_DATE = 3;
constexpr int COL_DATE_BUTTON = 4;
constexpr int COL_TIME = 5;
constexpr int COL_TIME_BUTTON = 6;
constexpr int COL_ADVANCE = 7;
constexpr int COL_ADVANCE_BUTTON = 8;
constexpr int COL_ID = 10;
constexpr int COL_INDEX = 11;
constexpr int MEMO_VISIBLE_COLUMNS = 9;
constexpr int MEMO_DATA_COLUMNS = 12;

// Urgency of memo `index` at `now`: 1 normal (or done), 2 imminent, 3 due
// today, 4 overdue; -1 for a negative index, -2 for one past the end.
// With a due time the moment is Data + Orario MINUS Anticipo minutes, unlike
// the alarm moment, and "imminent" is a fixed 30 minutes.
int Stato_Memo(const MemoList& memos, int index, const QDateTime& now);
// Stato_Memo of every memo, in list order, at clockMs (the clock as
// dueClockMs counts it). changeMs, when given, gets the first moment after it
// at which one may change.
QList<int> memoStates(const MemoList& memos, qint64 clockMs, qint64* changeMs = nullptr);

// What the texts of a rebuild depend on.
struct MemoTextFormat {
    QString dateFormat; // QDate::toString formats of the user's short forms
    QString timeFormat;
    QString ieri; // the words for yesterday, today and tomorrow
    QString oggi;
    QString domani;
    QDate today;

    bool operator==(const MemoTextFormat&) const = default;
};

// The due date: a day word for yesterday, today and tomorrow, else the short date.
QString dueDateText(DayNumber data, const MemoTextFormat& format);
// The short time, or empty without a due time.
QString dueTimeText(const REC_Memo& memo, const MemoTextFormat& format);
// "+10", "0", "-5".
QString anticipoText(qint32 anticipo);

// The texts of the memo grid's data columns, made from the records when a
// cell is drawn or read: a due date's text once per day and a time once per
// time of day, until the format changes.
class MemoCellTexts {
public:
    // Forgets the texts made when the format is not the last one.
    void setFormat(const MemoTextFormat& format);
    // Data column col of the row of memo m, index its place in the list.
    QString cellText(int col, const REC_Memo& m, int index) const;
    // Data column col of the placeholder row.
    static QString placeholderText(int col, const QString& TestoNuovoMemo);
    QString dateText(DayNumber data) const;
    QString timeText(const REC_Memo& m) const;
    // Dates and times formatted so far (texts found made are not counted).
    int formatted() const
    {
        return m_formatted;
    }

private:
    MemoTextFormat m_format;
    mutable QHash<qint64, QString> m_days; // by whole day number
    mutable QHash<int, QString> m_times;   // by milliseconds of the day, -1 for none
    mutable int m_formatted = 0;
};

// Writes the data rows of the memo grid into dati, already sized to
// MEMO_DATA_COLUMNS x (memos + 1): one row per memo in list order, then the
// placeholder row. False (nothing written) when dati is too small.
bool fillMemoData(
    QList<QStringList>& dati, const MemoList& memos, const MemoTextFormat& format, const QString& TestoNuovoMemo);

// The index in memos of the memo data row d was built for (ids[d], built
// from memos[d]), found by its ID; -1 when there is no such row (the
// placeholder is past ids) or that memo is no longer in the list.
int memoIndexOfDataRow(const QList<qint32>& ids, int d, const MemoList& memos);

// The display order: ascending ID, the placeholder last.
class MemoOrder {
public:
    // OnSort_Reset: keys of the first `rows` data rows, ids[d] for a memo
    // row and -1 past them. True when there is anything to sort.
    bool reset(const QList<qint32>& ids, int rows, const MemoList& memos);
    // OnSort_Calcolo: -1, 0 or 1 for data rows a and b.
    int compare(int a, int b) const;

    QList<qint64> ChiaviOrdine;

private:
    // Negative keys sort as this: one past the largest ID, computed once per
    // sort rather than at every comparison.
    qint64 placeholderKey = 1;
};
