#include "sync/IcsTransfer.h"
#include "store/StoreFile.h"
#include "sync/IcsItems.h"
#include "sync/RawIcs.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace IcsTransfer {

namespace {

// The UID of a component as it stands on its line (libical reads the rest).
QString uidOf(const RawIcs::Component& c)
{
    for (const RawIcs::Entry& e : c.entries) {
        if (!e.child && e.name == "UID") {
            REC_Memo unused;
            QString uid;
            // A one-property task lets libical unescape and unfold the value.
            const QByteArray probe = "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\n" + e.bytes + "END:VTODO\r\nEND:VCALENDAR\r\n";
            Ics::readMemo(probe, unused, uid);
            return uid;
        }
    }
    return {};
}

QByteArray tzidOf(const RawIcs::Component& c)
{
    for (const RawIcs::Entry& e : c.entries) {
        if (!e.child && e.name == "TZID")
            return e.bytes.trimmed();
    }
    return {};
}

} // namespace

QByteArray exportAll(MemoList& memos, SvegliaList& sveglie, const SyncData& sync, const QDateTime& stamp)
{
    QByteArray zones, items;
    QSet<QByteArray> zonesIn;
    auto take = [&](const QByteArray& object) {
        QList<RawIcs::Component> top;
        if (!RawIcs::parse(object, top))
            return;
        for (RawIcs::Component& cal : top) {
            for (const RawIcs::Entry& e : cal.entries) {
                if (!e.child)
                    continue;
                if (e.child->name == "VTIMEZONE") {
                    if (!zonesIn.contains(tzidOf(*e.child))) {
                        zonesIn.insert(tzidOf(*e.child));
                        zones += e.child->toBytes();
                    }
                } else {
                    items += e.child->toBytes();
                }
            }
        }
    };
    for (REC_Memo& m : memos) {
        if (m.Uid.isEmpty())
            m.Uid = Ics::newUid();
        take(Ics::memoObject(m, m.Uid, sync.items.value(m.Uid).original, stamp));
    }
    for (REC_Sveglia& s : sveglie) {
        if (s.Uid.isEmpty())
            s.Uid = Ics::newUid();
        take(Ics::alarmObject(s, s.Uid, sync.items.value(s.Uid).original, stamp));
    }
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brivo//Brivo Reminder//IT\r\n" + zones + items
        + "END:VCALENDAR\r\n";
}

bool importAll(QByteArrayView bytes, MemoList& memos, SvegliaList& sveglie, SyncData& sync, const REC_Memo& newMemo,
    const REC_Sveglia& newAlarm, Imported& result)
{
    QList<RawIcs::Component> top;
    if (!RawIcs::parse(bytes, top) || top.isEmpty()
        || std::any_of(top.cbegin(), top.cend(), [](const RawIcs::Component& c) { return c.name != "VCALENDAR"; }))
        return false;
    result = {};
    for (const RawIcs::Component& cal : top) {
        // One object per UID, as a CalDAV server keeps them: the calendar's
        // own lines, its time zones and the UID's components.
        QByteArray head = cal.begin, zones;
        QList<QString> order;
        QMap<QString, QByteArray> byUid;
        for (const RawIcs::Entry& e : cal.entries) {
            if (!e.child) {
                head += e.bytes;
            } else if (e.child->name == "VTIMEZONE") {
                zones += e.child->toBytes();
            } else {
                QString uid = uidOf(*e.child);
                if (uid.isEmpty())
                    uid = Ics::newUid(); // a UID is required; one without is taken as new
                if (!byUid.contains(uid))
                    order.append(uid);
                byUid[uid] += e.child->toBytes();
            }
        }
        for (const QString& uid : std::as_const(order)) {
            const QByteArray object = head + zones + byUid.value(uid) + cal.end;
            const Ics::Kind kind = Ics::kindOf(object);
            QString readUid;
            if (kind == Ics::Kind::Memo) {
                auto it = std::find_if(memos.begin(), memos.end(), [&](const REC_Memo& m) { return m.Uid == uid; });
                REC_Memo m = it != memos.end() ? *it : newMemo;
                if (!Ics::readMemo(object, m, readUid)) {
                    ++result.skipped;
                    continue;
                }
                // The store keeps a note to one line.
                m.Nota = StoreFile::cleanValue(m.Nota);
                m.Uid = uid;
                if (it != memos.end()) {
                    *it = m;
                    ++result.updated;
                } else {
                    m.ID = Ics::nextMemoId(memos);
                    memos.append(m);
                    ++result.added;
                }
            } else if (kind == Ics::Kind::Alarm) {
                auto it
                    = std::find_if(sveglie.begin(), sveglie.end(), [&](const REC_Sveglia& s) { return s.Uid == uid; });
                REC_Sveglia s = it != sveglie.end() ? *it : newAlarm;
                if (!Ics::readAlarm(object, s, readUid)) {
                    ++result.skipped;
                    continue;
                }
                s.Messaggio = StoreFile::cleanValue(s.Messaggio);
                s.Suono = StoreFile::cleanValue(s.Suono);
                s.Uid = uid;
                if (it != sveglie.end()) {
                    *it = s;
                    ++result.updated;
                } else {
                    sveglie.append(s);
                    ++result.added;
                }
            } else {
                ++result.skipped;
                continue;
            }
            // The item as the file has it: what the program does not show
            // goes out again from here. Its place on a server stays.
            sync.items[uid].original = object;
        }
    }
    return true;
}

} // namespace IcsTransfer
