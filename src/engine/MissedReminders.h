#pragma once

#include "store/Global.h"

#include <QList>
#include <QString>

// A memo or alarm clock whose moment fell between two ticks too far apart
// for either to find it due: a suspend, a stopped process, a clock moved on,
// the program not running.
struct MissedReminder {
    qint32 Tipo = AVVISO_MEMO; // or AVVISO_SVEGLIA
    qint32 Chiave = 0;         // memo ID, alarm clock index
    qint64 whenMs = 0;         // due-clock ms: the memo's due date and time, the alarm clock's ring
    bool hasTime = true;       // false for a memo without a due time
    QString Testo;             // Nota or Messaggio
};
using MissedList = QList<MissedReminder>;

// What the ticks at fromMs and toMs (due-clock ms) both missed: armed memos
// not done whose alarm moment lies after fromMs and by toMs yet are not due
// at toMs, and alarm clocks that should have rung in that gap, each once at
// its latest ring that is not ringing now. A clock that went back gives
// nothing. In the order of their dates.
MissedList missedBetween(const MemoList& memos, const SvegliaList& alarms, qint64 fromMs, qint64 toMs);
