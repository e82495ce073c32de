#pragma once

#include "store/Global.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// Memos and alarm clocks as iCalendar objects (one VCALENDAR each, as a
// CalDAV server keeps them): a memo is a VTODO, an alarm clock a VEVENT.
// Times are floating (the local wall clock), as the program counts them.
namespace Ics {

// The object of a memo. original is the object as the server or a file last
// had it (empty for one this program makes): only the properties that stand
// for fields the memo changed since are rewritten, every other line goes
// back byte for byte. stamp is a new object's DTSTAMP.
QByteArray memoObject(const REC_Memo& memo, const QString& uid, QByteArrayView original, const QDateTime& stamp);
// The same for an alarm clock.
QByteArray alarmObject(const REC_Sveglia& alarm, const QString& uid, QByteArrayView original, const QDateTime& stamp);

// Reads the object's VTODO into memo, whose fields the object does not carry
// (ID, the kinds, Orario or Anticipo where the item cannot say) stay as they
// come in. False when there is no VTODO.
bool readMemo(QByteArrayView object, REC_Memo& memo, QString& uid);
// Reads the object's VEVENT into alarm (Suono stays unless the object names
// one). False when there is none, or it does not repeat daily or weekly:
// an alarm clock always repeats.
bool readAlarm(QByteArrayView object, REC_Sveglia& alarm, QString& uid);

enum class Kind { Invalid, Memo, Alarm, Other };
Kind kindOf(QByteArrayView object);

// A new UID for an item made here.
QString newUid();
// The ID a memo taken in from elsewhere gets: one past the highest in use.
qint32 nextMemoId(const MemoList& memos);

} // namespace Ics
