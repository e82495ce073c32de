#include "sync/SyncData.h"
#include "store/Ut.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace SyncFile {

namespace {

constexpr int formatVersion = 1;

} // namespace

QByteArray toBytes(const SyncData& data, const MemoList& memos, const SvegliaList& sveglie)
{
    QJsonArray memoUids;
    for (const REC_Memo& m : memos)
        memoUids.append(QJsonObject{{QStringLiteral("id"), m.ID}, {QStringLiteral("uid"), m.Uid}});
    QJsonArray alarmUids;
    for (const REC_Sveglia& s : sveglie)
        alarmUids.append(s.Uid);
    QJsonObject items;
    for (auto it = data.items.cbegin(); it != data.items.cend(); ++it) {
        items.insert(it.key(),
            QJsonObject{{QStringLiteral("href"), it->href}, {QStringLiteral("etag"), QString::fromUtf8(it->etag)},
                {QStringLiteral("original"), QString::fromUtf8(it->original)}, {QStringLiteral("hidden"), it->hidden}});
    }
    const QJsonObject root{{QStringLiteral("version"), formatVersion}, {QStringLiteral("collection"), data.collection},
        {QStringLiteral("syncToken"), data.syncToken}, {QStringLiteral("memos"), memoUids},
        {QStringLiteral("alarms"), alarmUids}, {QStringLiteral("items"), items}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool fromBytes(QByteArrayView bytes, SyncData& data, MemoList& memos, SvegliaList& sveglie)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || !doc.isObject() || root.value(u"version").toInt() != formatVersion)
        return false;
    SyncData read;
    read.collection = root.value(u"collection").toString();
    read.syncToken = root.value(u"syncToken").toString();
    const QJsonObject items = root.value(u"items").toObject();
    for (auto it = items.begin(); it != items.end(); ++it) {
        const QJsonObject item = it.value().toObject();
        read.items.insert(it.key(),
            SyncItem{item.value(u"href").toString(), item.value(u"etag").toString().toUtf8(),
                item.value(u"original").toString().toUtf8(), item.value(u"hidden").toBool()});
    }
    QSet<QString> given;
    for (const REC_Memo& m : std::as_const(memos))
        given.insert(m.Uid);
    for (const REC_Sveglia& s : std::as_const(sveglie))
        given.insert(s.Uid);
    const QJsonArray memoUids = root.value(u"memos").toArray();
    for (qsizetype i = 0; i < memoUids.size(); ++i) {
        const qint32 id = memoUids[i].toObject().value(u"id").toInt();
        const QString uid = memoUids[i].toObject().value(u"uid").toString();
        if (uid.isEmpty() || given.contains(uid))
            continue;
        qsizetype at = i < memos.size() && memos[i].ID == id && memos[i].Uid.isEmpty() ? i : -1;
        for (qsizetype k = 0; at < 0 && k < memos.size(); ++k) {
            if (memos[k].ID == id && memos[k].Uid.isEmpty())
                at = k;
        }
        if (at >= 0) {
            memos[at].Uid = uid;
            given.insert(uid);
        }
    }
    const QJsonArray alarmUids = root.value(u"alarms").toArray();
    for (qsizetype i = 0; i < alarmUids.size() && i < sveglie.size(); ++i) {
        const QString uid = alarmUids[i].toString();
        if (!uid.isEmpty() && !given.contains(uid) && sveglie[i].Uid.isEmpty()) {
            sveglie[i].Uid = uid;
            given.insert(uid);
        }
    }
    data = read;
    return true;
}

int write(const QString& folder, const SyncData& data, const MemoList& memos, const SvegliaList& sveglie,
    const StoreFile::SaveFaults& faults)
{
    return StoreFile::writeWhole(QDir(folder).filePath(fileName), toBytes(data, memos, sveglie), faults);
}

int read(const QString& folder, SyncData& data, MemoList& memos, SvegliaList& sveglie)
{
    const QString path = QDir(folder).filePath(fileName);
    if (!QFileInfo::exists(path))
        return 0;
    QByteArray bytes;
    if (Leggi_File(path, bytes) != 1)
        return -1;
    return fromBytes(bytes, data, memos, sveglie) ? 1 : -1;
}

} // namespace SyncFile
