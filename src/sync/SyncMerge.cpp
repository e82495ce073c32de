#include "sync/SyncMerge.h"

#include "alarms/SveglieCore.h"
#include "engine/ReminderEngine.h"
#include "state/AppState.h"
#include "sync/IcsItems.h"

#include <optional>

namespace SyncMerge {

namespace {

template <typename List> qsizetype indexOfUid(const List& list, const QString& uid)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].Uid == uid)
            return i;
    }
    return -1;
}

// A memo's ID is this store's own number, renumbered at will here: not
// part of what the memo says.
bool sameContent(const REC_Memo& a, const REC_Memo& b)
{
    REC_Memo c = b;
    c.ID = a.ID;
    return a == c;
}

bool sameContent(const REC_Sveglia& a, const REC_Sveglia& b)
{
    return a == b;
}

template <typename Rec> std::optional<Rec> find(const QList<Rec>& list, const QString& uid)
{
    const qsizetype at = indexOfUid(list, uid);
    return at >= 0 ? std::optional<Rec>(list[at]) : std::nullopt;
}

template <typename Rec> bool differ(const std::optional<Rec>& a, const std::optional<Rec>& b)
{
    if (a.has_value() != b.has_value())
        return true;
    return a && !sameContent(*a, *b);
}

void add(AppState& live, REC_Memo m)
{
    m.ID = Ics::nextMemoId(live.ArrMemo);
    live.ArrMemo.append(m);
}

void add(AppState& live, const REC_Sveglia& s)
{
    live.ArrSveglie.append(s);
}

void replace(AppState& live, qsizetype at, REC_Memo m)
{
    m.ID = live.ArrMemo[at].ID;
    live.ArrMemo[at] = m;
    // Its date, time or done mark may have moved: it may warn again.
    Riarma_Avvisi_Memo(live.ArrAvvisi, m.ID);
}

void replace(AppState& live, qsizetype at, const REC_Sveglia& s)
{
    live.ArrSveglie[at] = s;
}

void remove(AppState& live, qsizetype at, const REC_Memo*)
{
    live.ArrMemo.removeAt(at);
}

void remove(AppState& live, qsizetype at, const REC_Sveglia*)
{
    Cancella_Sveglia(live.ArrSveglie, live.ArrAvvisi, at);
}

template <typename Rec>
void mergeList(const QList<Rec>& base, const QList<Rec>& pass, QList<Rec>& liveList, AppState& live, Outcome& out)
{
    QStringList uids;
    for (const Rec& r : base)
        uids.append(r.Uid);
    for (const Rec& r : pass) {
        if (indexOfUid(base, r.Uid) < 0)
            uids.append(r.Uid);
    }
    for (const QString& uid : std::as_const(uids)) {
        if (uid.isEmpty())
            continue;
        const std::optional<Rec> was = find(base, uid), now = find(pass, uid), here = find(liveList, uid);
        if (!differ(was, now))
            continue; // the pass left it: the live record stands as it is
        const qsizetype at = indexOfUid(liveList, uid);
        if (!differ(was, here)) {
            // Untouched here since the copy: the pass's version holds.
            if (!now)
                remove(live, at, static_cast<const Rec*>(nullptr));
            else if (at >= 0)
                replace(live, at, *now);
            else
                add(live, *now);
            out.listsChanged = true;
            continue;
        }
        if (!now)
            continue; // gone there, changed here: the live one goes back as a new item
        if (!here) {
            // Deleted here while it changed there: the version from there
            // comes back, as it does when no pass is running.
            add(live, *now);
            out.listsChanged = true;
            continue;
        }
        if (sameContent(*here, *now))
            continue;
        // Changed on both sides: both are kept. The live one becomes an
        // item of its own, sent by the next pass.
        liveList[at].Uid = Ics::newUid();
        add(live, *now);
        out.listsChanged = true;
        ++out.conflicts;
    }
}

template <typename Rec> void rename(QList<Rec>& list, const QString& from, const QString& to)
{
    if (const qsizetype at = indexOfUid(list, from); at >= 0)
        list[at].Uid = to;
}

} // namespace

Lists snapshot(MemoList& memos, SvegliaList& sveglie, const SyncData& data)
{
    for (REC_Memo& m : memos) {
        if (m.Uid.isEmpty())
            m.Uid = Ics::newUid();
    }
    for (REC_Sveglia& s : sveglie) {
        if (s.Uid.isEmpty())
            s.Uid = Ics::newUid();
    }
    return {memos, sveglie, data};
}

Outcome apply(const Lists& base, const Lists& pass, const QHash<QString, QString>& renamed, AppState& live)
{
    Outcome out;
    // A record the pass split off from a conflict keeps its place here
    // under its new UID; the old UID now names the version from there.
    Lists from = base;
    for (auto it = renamed.cbegin(); it != renamed.cend(); ++it) {
        rename(from.memos, it.key(), it.value());
        rename(from.sveglie, it.key(), it.value());
        rename(live.ArrMemo, it.key(), it.value());
        rename(live.ArrSveglie, it.key(), it.value());
        out.listsChanged = true;
    }
    mergeList(from.memos, pass.memos, live.ArrMemo, live, out);
    mergeList(from.sveglie, pass.sveglie, live.ArrSveglie, live, out);

    // The sync data is the pass's, but for items changed here meanwhile
    // (an import) that the pass did not touch.
    SyncData data = pass.data;
    QStringList uids = base.data.items.keys();
    uids.append(live.sync.items.keys());
    for (const QString& uid : std::as_const(uids)) {
        const bool wasThere = base.data.items.contains(uid), isHere = live.sync.items.contains(uid);
        const bool changedHere
            = wasThere != isHere || (wasThere && base.data.items.value(uid) != live.sync.items.value(uid));
        const bool passLeft = pass.data.items.contains(uid) == wasThere
            && (!wasThere || pass.data.items.value(uid) == base.data.items.value(uid));
        if (!changedHere || !passLeft)
            continue;
        if (isHere)
            data.items.insert(uid, live.sync.items.value(uid));
        else
            data.items.remove(uid);
    }
    out.dataChanged = data != live.sync;
    live.sync = std::move(data);
    return out;
}

} // namespace SyncMerge
