#include "sync/SyncMerge.h"

#include "alarms/SveglieCore.h"
#include "engine/ReminderEngine.h"
#include "state/AppState.h"
#include "sync/IcsItems.h"

#include <algorithm>
#include <functional>
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

// Where each UID is in a list.
template <typename Rec> QHash<QString, qsizetype> places(const QList<Rec>& list)
{
    QHash<QString, qsizetype> at;
    at.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].Uid.isEmpty())
            at.insert(list[i].Uid, i);
    }
    return at;
}

template <typename Rec>
std::optional<Rec> find(const QList<Rec>& list, const QHash<QString, qsizetype>& at, const QString& uid)
{
    const qsizetype i = at.value(uid, -1);
    return i >= 0 ? std::optional<Rec>(list[i]) : std::nullopt;
}

template <typename Rec> bool differ(const std::optional<Rec>& a, const std::optional<Rec>& b)
{
    if (a.has_value() != b.has_value())
        return true;
    return a && !sameContent(*a, *b);
}

// The live list as the join changes it.
struct Joiner {
    explicit Joiner(AppState& state)
        : live(state)
        , nextId(Ics::nextMemoId(state.ArrMemo))
    {
    }
    AppState& live;
    qint32 nextId;
    QList<qsizetype> gone; // removed at the end, so that places hold meanwhile

    void add(REC_Memo m)
    {
        m.ID = nextId++;
        live.ArrMemo.append(m);
    }
    void add(const REC_Sveglia& s)
    {
        live.ArrSveglie.append(s);
    }
    void replace(qsizetype at, REC_Memo m)
    {
        m.ID = live.ArrMemo[at].ID;
        live.ArrMemo[at] = m;
        // Its date, time or done mark may have moved: it may warn again.
        Riarma_Avvisi_Memo(live.ArrAvvisi, m.ID);
    }
    void replace(qsizetype at, const REC_Sveglia& s)
    {
        live.ArrSveglie[at] = s;
    }
    template <typename Rec> void removeGone()
    {
        std::sort(gone.begin(), gone.end(), std::greater<>());
        for (const qsizetype at : std::as_const(gone)) {
            if constexpr (std::is_same_v<Rec, REC_Memo>)
                live.ArrMemo.removeAt(at);
            else
                Cancella_Sveglia(live.ArrSveglie, live.ArrAvvisi, at); // its warnings follow the places
        }
        gone.clear();
    }
};

template <typename Rec>
void mergeList(const QList<Rec>& base, const QList<Rec>& pass, QList<Rec>& liveList, Joiner& join, Outcome& out)
{
    if (base == pass)
        return; // the pass brought nothing: what changed here stands
    const QHash<QString, qsizetype> baseAt = places(base), passAt = places(pass);
    QHash<QString, qsizetype> liveAt = places(liveList);
    QStringList uids;
    for (const Rec& r : base)
        uids.append(r.Uid);
    for (const Rec& r : pass) {
        if (!baseAt.contains(r.Uid))
            uids.append(r.Uid);
    }
    for (const QString& uid : std::as_const(uids)) {
        if (uid.isEmpty())
            continue;
        const std::optional<Rec> was = find(base, baseAt, uid), now = find(pass, passAt, uid),
                                 here = find(liveList, liveAt, uid);
        if (!differ(was, now))
            continue; // the pass left it: the live record stands as it is
        const qsizetype at = liveAt.value(uid, -1);
        if (!differ(was, here)) {
            // Untouched here since the copy: the pass's version holds.
            if (!now)
                join.gone.append(at);
            else if (at >= 0)
                join.replace(at, *now);
            else
                join.add(*now);
            out.listsChanged = true;
            continue;
        }
        if (!now)
            continue; // gone there, changed here: the live one goes back as a new item
        if (!here) {
            // Deleted here while it changed there: the version from there
            // comes back, as it does when no pass is running.
            join.add(*now);
            out.listsChanged = true;
            continue;
        }
        if (sameContent(*here, *now))
            continue;
        // Changed on both sides: both are kept. The live one becomes an
        // item of its own, sent by the next pass.
        liveList[at].Uid = Ics::newUid();
        join.add(*now);
        out.listsChanged = true;
        ++out.conflicts;
    }
    join.removeGone<Rec>();
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
    Joiner join(live);
    mergeList(from.memos, pass.memos, live.ArrMemo, join, out);
    mergeList(from.sveglie, pass.sveglie, live.ArrSveglie, join, out);

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
