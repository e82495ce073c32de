#pragma once

#include "store/Global.h"
#include "sync/SyncData.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

#include <atomic>

// Two-way sync of the memos and alarm clocks with a CalDAV collection
// (RFC 4791), moving only what changed: the collection's sync token
// (RFC 6578) for what changed there, the kept text of each item for what
// changed here, ETags so that nothing written there in between is
// overwritten.
class CalDavClient {
public:
    CalDavClient(const QUrl& collection, const QString& user = {}, const QString& password = {});

    struct Result {
        bool ok = false;
        QString error; // why the pass stopped; what was done before stays done
        int pulled = 0, pushed = 0, deleted = 0, conflicts = 0;
        bool unauthorized = false;       // the server wants another user or password
        QHash<QString, QString> renamed; // UIDs given to records split off in a conflict (old -> new)
    };
    // One pass: what changed there comes here, then what changed here goes
    // there. An item changed on both sides is kept in both versions: the one
    // from there takes the UID, the one from here goes back as a new item.
    // New records start from newMemo / newAlarm.
    Result sync(MemoList& memos, SvegliaList& sveglie, SyncData& data, const REC_Memo& newMemo,
        const REC_Sveglia& newAlarm, const QDateTime& now);

    int timeoutMs = 15000;
    // From any thread: the request under way is aborted and no other is
    // sent; the pass ends with what it did so far.
    void cancel();

    struct Reply {
        int status = 0; // 0: no answer (refused, timed out)
        QByteArray body;
        QByteArray etag;
        QString error;
    };
    Reply send(const QByteArray& verb, const QUrl& url, const QByteArray& body = {},
        const QList<std::pair<QByteArray, QByteArray>>& headers = {});

private:
    QUrl collection;
    QString user, password;
    QNetworkAccessManager network;
    QNetworkReply* current = nullptr;
    std::atomic_bool cancelled = false;
};
