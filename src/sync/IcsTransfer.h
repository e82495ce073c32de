#pragma once

#include "store/Global.h"
#include "sync/SyncData.h"

#include <QByteArray>
#include <QDateTime>

// Calendar files in and out: every memo and alarm clock in one VCALENDAR.
namespace IcsTransfer {

// The file's text. Records without a UID get one here (to be saved with
// the store); an item first read from elsewhere is written from the text
// sync keeps of it, so what the program does not show goes out too.
QByteArray exportAll(MemoList& memos, SvegliaList& sveglie, const SyncData& sync, const QDateTime& stamp);

struct Imported {
    int added = 0;
    int updated = 0;
    int skipped = 0; // items no memo or alarm clock can stand for
};

// Adds what the file holds; a UID already here updates that memo or alarm
// clock in place (its ID, kinds and sound stay). New ones start from
// newMemo / newAlarm. The text of each item is kept in sync.items so that
// writing it back keeps what the program does not show. False when the
// bytes are no calendar (nothing changed).
bool importAll(QByteArrayView bytes, MemoList& memos, SvegliaList& sveglie, SyncData& sync, const REC_Memo& newMemo,
    const REC_Sveglia& newAlarm, Imported& result);

} // namespace IcsTransfer
