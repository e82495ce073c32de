#include "sync/CalDavClient.h"
#include "store/StoreFile.h"
#include "sync/CalDavAddress.h"
#include "sync/IcsItems.h"

#include <QAuthenticator>
#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct Change {
    QString href;
    QByteArray etag;
    bool gone = false;
};

// The sync-collection answer: every changed or removed member and the new token.
bool parseChanges(const QByteArray& xml, QList<Change>& changes, QString& token)
{
    QXmlStreamReader r(xml);
    Change current;
    bool inResponse = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const QStringView name = r.name();
            if (name == u"response") {
                inResponse = true;
                current = {};
            } else if (name == u"sync-token" && !inResponse) {
                token = r.readElementText();
            } else if (inResponse && name == u"href") {
                current.href = r.readElementText().trimmed();
            } else if (inResponse && name == u"getetag") {
                current.etag = r.readElementText().trimmed().toUtf8();
            } else if (inResponse && name == u"status") {
                if (r.readElementText().contains(u" 404"))
                    current.gone = true;
            }
        } else if (r.isEndElement() && r.name() == u"response") {
            inResponse = false;
            if (!current.href.isEmpty())
                changes.append(current);
        }
    }
    return !r.hasError();
}

const QByteArray syncReport = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                              "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>%1</d:sync-token>"
                              "<d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

template <typename List> qsizetype indexOfUid(const List& list, const QString& uid)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].Uid == uid)
            return i;
    }
    return -1;
}

} // namespace

CalDavClient::CalDavClient(const QUrl& collection, const QString& user, const QString& password)
    : collection(collection)
    , user(user)
    , password(password)
{
    if (!this->collection.path().endsWith(u'/'))
        this->collection.setPath(this->collection.path() + u'/');
    QObject::connect(
        &network, &QNetworkAccessManager::authenticationRequired, [this](QNetworkReply*, QAuthenticator* auth) {
            // Asked once per request; a wrong password is not tried again and again.
            if (!this->user.isEmpty() && auth->user().isEmpty()) {
                auth->setUser(this->user);
                auth->setPassword(this->password);
            }
        });
}

CalDavClient::Reply CalDavClient::send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
    const QList<std::pair<QByteArray, QByteArray>>& headers)
{
    Reply result;
    if (cancelled) {
        result.error = QStringLiteral("cancelled");
        return result;
    }
    if (!calDavAddressAllowed(url)) {
        result.error = QStringLiteral("http is used only to this computer; the address needs https");
        return result;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply* reply = network.sendCustomRequest(request, verb, body);
    current = reply;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    loop.exec();
    current = nullptr;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->isOpen()) // not after an abort
        result.body = reply->readAll();
    result.etag = reply->rawHeader("ETag");
    if (result.status == 0)
        result.error = reply->errorString();
    reply->deleteLater();
    return result;
}

void CalDavClient::cancel()
{
    cancelled = true;
    // Run by the thread the requests are sent from, in the loop waiting for one.
    QMetaObject::invokeMethod(
        &network,
        [this] {
            if (current)
                current->abort();
        },
        Qt::QueuedConnection);
}

CalDavClient::Result CalDavClient::sync(MemoList& memos, SvegliaList& sveglie, SyncData& data, const REC_Memo& newMemo,
    const REC_Sveglia& newAlarm, const QDateTime& now)
{
    Result result;
    const QString collectionText = collection.toString();
    if (data.collection != collectionText) {
        // Another collection: nothing there is known yet; every record goes as new.
        data.collection = collectionText;
        data.syncToken.clear();
        for (SyncItem& item : data.items) {
            item.href.clear();
            item.etag.clear();
        }
        data.items.removeIf([](const auto& it) { return it->hidden; });
    }

    // 1. What changed there.
    const QList<std::pair<QByteArray, QByteArray>> xml{
        {"Content-Type", "application/xml; charset=utf-8"}, {"Depth", "0"}}; // as sync-collection asks
    Reply report = send("REPORT", collection, QByteArray(syncReport).replace("%1", escaped(data.syncToken)), xml);
    if ((report.status == 403 || report.status == 409) && !data.syncToken.isEmpty()) {
        data.syncToken.clear(); // a token the server no longer knows: start over
        report = send("REPORT", collection, QByteArray(syncReport).replace("%1", ""), xml);
    }
    QList<Change> changes;
    QString token;
    if (report.status != 207 || !parseChanges(report.body, changes, token)) {
        result.error = report.status ? QStringLiteral("the server answered %1 to the change list").arg(report.status)
                                     : report.error;
        result.unauthorized = report.status == 401;
        return result;
    }
    auto itemOfHref = [&](const QString& href) {
        for (auto it = data.items.begin(); it != data.items.end(); ++it) {
            if (it->href == href)
                return it;
        }
        return data.items.end();
    };
    auto changedHere = [&](const QString& uid) {
        const SyncItem item = data.items.value(uid);
        const qsizetype m = indexOfUid(memos, uid);
        if (m >= 0)
            return Ics::memoObject(memos[m], uid, item.original, now) != item.original;
        const qsizetype s = indexOfUid(sveglie, uid);
        return s >= 0 && Ics::alarmObject(sveglie[s], uid, item.original, now) != item.original;
    };
    auto sameAsHere = [&](const QString& uid, const QByteArray& object) {
        QString readUid;
        if (const qsizetype m = indexOfUid(memos, uid); m >= 0) {
            REC_Memo there = memos[m];
            return Ics::readMemo(object, there, readUid)
                && Ics::memoObject(there, uid, {}, now) == Ics::memoObject(memos[m], uid, {}, now);
        }
        if (const qsizetype s = indexOfUid(sveglie, uid); s >= 0) {
            REC_Sveglia there = sveglie[s];
            return Ics::readAlarm(object, there, readUid)
                && Ics::alarmObject(there, uid, {}, now) == Ics::alarmObject(sveglie[s], uid, {}, now);
        }
        return false;
    };
    // A record changed here while its item changed or went there: it stays
    // as a new item of its own.
    auto splitOff = [&](const QString& uid) {
        const QString fresh = Ics::newUid();
        if (const qsizetype m = indexOfUid(memos, uid); m >= 0)
            memos[m].Uid = fresh;
        if (const qsizetype s = indexOfUid(sveglie, uid); s >= 0)
            sveglie[s].Uid = fresh;
        result.renamed.insert(uid, fresh);
        ++result.conflicts;
    };

    for (const Change& change : std::as_const(changes)) {
        auto known = itemOfHref(change.href);
        if (change.gone) {
            if (known == data.items.end())
                continue;
            const QString uid = known.key();
            if (changedHere(uid)) {
                splitOff(uid);
            } else {
                if (const qsizetype m = indexOfUid(memos, uid); m >= 0)
                    memos.removeAt(m);
                if (const qsizetype s = indexOfUid(sveglie, uid); s >= 0)
                    sveglie.removeAt(s);
                ++result.pulled;
            }
            data.items.remove(uid);
            continue;
        }
        if (known != data.items.end() && !change.etag.isEmpty() && known->etag == change.etag)
            continue; // what this copy wrote there
        const Reply got = send("GET", collection.resolved(QUrl(change.href)));
        if (got.status != 200) {
            result.error = got.status ? QStringLiteral("the server answered %1 to a GET").arg(got.status) : got.error;
            result.unauthorized = got.status == 401;
            return result;
        }
        QString uid;
        const Ics::Kind kind = Ics::kindOf(got.body);
        REC_Memo m = newMemo;
        REC_Sveglia s = newAlarm;
        if (kind == Ics::Kind::Memo)
            Ics::readMemo(got.body, m, uid);
        else if (kind == Ics::Kind::Alarm)
            Ics::readAlarm(got.body, s, uid);
        if (uid.isEmpty())
            uid = known != data.items.end() ? known.key() : change.href;
        // Changed on both sides into the same thing (or written there by a
        // pass whose answer was lost) is no conflict.
        if (data.items.contains(uid) && changedHere(uid) && !sameAsHere(uid, got.body))
            splitOff(uid);
        const SyncItem item{change.href, got.etag.isEmpty() ? change.etag : got.etag, got.body,
            kind != Ics::Kind::Memo && kind != Ics::Kind::Alarm};
        if (kind == Ics::Kind::Memo) {
            const qsizetype at = indexOfUid(memos, uid);
            REC_Memo into = at >= 0 ? memos[at] : newMemo;
            Ics::readMemo(got.body, into, uid);
            into.Nota = StoreFile::cleanValue(into.Nota);
            into.Uid = uid;
            if (at >= 0) {
                memos[at] = into;
            } else {
                into.ID = Ics::nextMemoId(memos);
                memos.append(into);
            }
        } else if (kind == Ics::Kind::Alarm) {
            const qsizetype at = indexOfUid(sveglie, uid);
            REC_Sveglia into = at >= 0 ? sveglie[at] : newAlarm;
            Ics::readAlarm(got.body, into, uid);
            into.Messaggio = StoreFile::cleanValue(into.Messaggio);
            into.Uid = uid;
            if (at >= 0)
                sveglie[at] = into;
            else
                sveglie.append(into);
        }
        data.items.insert(uid, item);
        ++result.pulled;
    }
    data.syncToken = token;

    // 2. What changed here.
    auto push = [&](const QString& uid, const QByteArray& object) -> bool {
        SyncItem& item = data.items[uid];
        if (!item.href.isEmpty() && object == item.original)
            return true;
        QList<std::pair<QByteArray, QByteArray>> headers{{"Content-Type", "text/calendar; charset=utf-8"}};
        QString href = item.href;
        if (href.isEmpty()) {
            href = collection.path() + QString::fromLatin1(QUrl::toPercentEncoding(uid)) + QStringLiteral(".ics");
            headers.append(std::pair<QByteArray, QByteArray>("If-None-Match", "*"));
        } else if (!item.etag.isEmpty()) {
            headers.append(std::pair<QByteArray, QByteArray>("If-Match", item.etag));
        }
        const Reply put = send("PUT", collection.resolved(QUrl(href)), object, headers);
        if (put.status == 412)
            return true; // changed there meanwhile: the next pass brings it, and keeps both
        if (put.status < 200 || put.status > 299) {
            result.error = put.status ? QStringLiteral("the server answered %1 to a PUT").arg(put.status) : put.error;
            result.unauthorized = put.status == 401;
            return false;
        }
        item = SyncItem{href, put.etag, object, false};
        ++result.pushed;
        return true;
    };
    for (REC_Memo& m : memos) {
        if (m.Uid.isEmpty())
            m.Uid = Ics::newUid();
        if (!push(m.Uid, Ics::memoObject(m, m.Uid, data.items.value(m.Uid).original, now)))
            return result;
    }
    for (REC_Sveglia& s : sveglie) {
        if (s.Uid.isEmpty())
            s.Uid = Ics::newUid();
        if (!push(s.Uid, Ics::alarmObject(s, s.Uid, data.items.value(s.Uid).original, now)))
            return result;
    }
    // Deleted here: deleted there, unless it changed there meanwhile.
    const QStringList uids = data.items.keys();
    for (const QString& uid : uids) {
        const SyncItem item = data.items.value(uid);
        if (item.hidden || indexOfUid(memos, uid) >= 0 || indexOfUid(sveglie, uid) >= 0)
            continue;
        if (item.href.isEmpty()) {
            data.items.remove(uid);
            continue;
        }
        QList<std::pair<QByteArray, QByteArray>> headers;
        if (!item.etag.isEmpty())
            headers.append(std::pair<QByteArray, QByteArray>("If-Match", item.etag));
        const Reply del = send("DELETE", collection.resolved(QUrl(item.href)), {}, headers);
        if (del.status == 412)
            continue;
        if (del.status != 404 && (del.status < 200 || del.status > 299)) {
            result.error
                = del.status ? QStringLiteral("the server answered %1 to a DELETE").arg(del.status) : del.error;
            result.unauthorized = del.status == 401;
            return result;
        }
        data.items.remove(uid);
        ++result.deleted;
    }
    result.ok = true;
    return result;
}
