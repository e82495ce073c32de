#pragma once

#include "store/Global.h"
#include "store/StoreFile.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// What sync keeps of an item beside the store: where it lives on the server
// and the object as it was last read or written there.
struct SyncItem {
    QString href;        // its path in the collection; empty: not there yet
    QByteArray etag;     // as the server last gave it
    QByteArray original; // the object last read or written, kept whole
    bool hidden = false; // on the server but no memo or alarm clock stands for it: left alone there

    bool operator==(const SyncItem&) const = default;
};

struct SyncData {
    QString collection; // the collection the token and the items belong to
    QString syncToken;
    QHash<QString, SyncItem> items; // by UID

    bool isEmpty() const
    {
        return collection.isEmpty() && syncToken.isEmpty() && items.isEmpty();
    }
    bool operator==(const SyncData&) const = default;
};

// The sync data file beside the store. The store file keeps its format;
// this one says which UID each memo (by place and ID) and each alarm clock
// (by index) of the store has, so it is written with every save.
namespace SyncFile {

inline const QString fileName = QStringLiteral("Sync.json");

QByteArray toBytes(const SyncData& data, const MemoList& memos, const SvegliaList& sveglie);
// Gives the records their UIDs. A memo whose place holds another ID takes
// the UID of the first entry with its ID; a UID goes to one record only.
// False when the bytes are no sync data.
bool fromBytes(QByteArrayView bytes, SyncData& data, MemoList& memos, SvegliaList& sveglie);

// 1 = written; StoreFile::writeWhole's codes otherwise.
int write(const QString& folder, const SyncData& data, const MemoList& memos, const SvegliaList& sveglie,
    const StoreFile::SaveFaults& faults = {});
// 1 = read; 0 = no file yet; -1 = unreadable or not sync data (data and
// records untouched).
int read(const QString& folder, SyncData& data, MemoList& memos, SvegliaList& sveglie);

} // namespace SyncFile
