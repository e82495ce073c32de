#include "warnings/ListaMess.h"

#include "engine/DueMoments.h"

#include <algorithm>
#include <limits>

int Togli_Riga(ListaMessList& ListaMess, qint32 key)
{
    if (ListaMess.isEmpty())
        return 0;
    for (qsizetype i = 0; i < ListaMess.size(); ++i) {
        if (ListaMess[i].Chiave == key) {
            ListaMess.removeAt(i);
            return 1;
        }
    }
    return -1;
}

qint32 Anticipo_Posticipato(const REC_Memo& memo, const QDateTime& localNow, qint32 minutes)
{
    qint64 moment = 0;
    if (!memoMomentMs(memo, moment))
        return memo.Anticipo;
    const qint64 thisMinute = dueClockMs(localNow) / MS_PER_MINUTE;
    const qint64 anticipo = memo.Anticipo + thisMinute + minutes - moment / MS_PER_MINUTE;
    return qint32(std::clamp<qint64>(anticipo, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}
