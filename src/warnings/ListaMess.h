#pragma once

#include "store/Global.h"

#include <QList>
#include <QString>

// One line of a warning window.
struct REC_Mess {
    DayNumber Orario = 0; // due time of the memo, ring time of the alarm clock
    QString Testo;
    qint32 Chiave = -1;     // memo ID, or alarm clock index
    qint32 Pos_Avviso = -1; // index in ArrAvvisi of the entry that brought it
};

using ListaMessList = QList<REC_Mess>;

// Removes the first line whose Chiave is key: 1 removed, 0 empty list,
// -1 no such line.
int Togli_Riga(ListaMessList& ListaMess, qint32 key);

// The Anticipo that puts the memo's alarm moment `minutes` after the current
// minute of localNow, its due date and time unchanged. Counted in whole
// minutes, so the moment lands on the minute whatever seconds Orario holds;
// kept within 32 bits. A memo whose date or time is no usable number keeps
// its Anticipo.
qint32 Anticipo_Posticipato(const REC_Memo& memo, const QDateTime& localNow, qint32 minutes);
