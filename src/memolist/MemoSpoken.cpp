#include "memolist/MemoSpoken.h"

#include "controls/GridRoles.h"

#include "memolist/MemoRows.h"
#include "memolist/TestiReminder.h"

QVariant memoCellSpoken(const TestiReminder& t, int col, int role, bool memoRow, bool done, bool alarmOn)
{
    const bool mark = col == COL_DONE || col == COL_ALARM;
    if (!memoRow) // no marks drawn there: their stored "0" is not read out
        return mark && role == Qt::AccessibleTextRole ? QVariant(QString()) : QVariant();
    const bool on = col == COL_DONE ? done : alarmOn;
    switch (role) {
    case GridStepRole:
        return col == COL_DATE_BUTTON || col == COL_TIME_BUTTON || col == COL_ADVANCE_BUTTON;
    case Qt::CheckStateRole:
        return mark ? QVariant(on ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::AccessibleTextRole:
        switch (col) {
        case COL_DONE:
            return done ? t.eseguito : t.daFare;
        case COL_ALARM:
            return alarmOn ? t.allarmeAcceso : t.allarmeSpento;
        case COL_DATE_BUTTON:
            return t.passoData;
        case COL_TIME_BUTTON:
            return t.passoOrario;
        case COL_ADVANCE_BUTTON:
            return t.passoAnticipo;
        default:
            return {};
        }
    case Qt::AccessibleDescriptionRole:
        if (mark)
            return t.tastoSpazio;
        if (col == COL_DATE || col == COL_DATE_BUTTON)
            return t.tastoCalendario;
        if (col == COL_TIME || col == COL_TIME_BUTTON || col == COL_ADVANCE || col == COL_ADVANCE_BUTTON)
            return t.tastiPasso;
        return {};
    default:
        return {};
    }
}
