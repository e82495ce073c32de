// Another program's changes to the store, taken in before a save.
#include "store/StoreFile.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace StoreFile {

namespace {

// A record as the store writes it: values read back from the file and the
// same values held in memory compare equal.
QByteArray keyOf(const REC_Memo& m)
{
    return buildBytes({m}, {}, u',');
}

QByteArray keyOf(const REC_Sveglia& s)
{
    return buildBytes({}, {s}, u',');
}

template <typename Rec>
Joined join(const QList<Rec>& base, const QList<Rec>& theirs, QList<Rec>& ours, QList<Rec>& added)
{
    QHash<QByteArray, int> unmatched; // base records not found again on disk
    for (const Rec& r : base)
        ++unmatched[keyOf(r)];
    for (const Rec& r : theirs) {
        auto it = unmatched.find(keyOf(r));
        if (it != unmatched.end() && it.value() > 0)
            --it.value();
        else
            added.append(r);
    }
    // What was deleted (or changed) there goes here only where it is as it was.
    QHash<QByteArray, QList<qsizetype>> mine;
    for (qsizetype i = 0; i < ours.size(); ++i)
        mine[keyOf(ours[i])].append(i);
    QList<bool> drop(ours.size(), false);
    Joined joined;
    for (auto it = unmatched.cbegin(); it != unmatched.cend(); ++it) {
        const QList<qsizetype> places = mine.value(it.key());
        for (qsizetype k = 0; k < places.size() && k < it.value(); ++k) {
            drop[places[k]] = true;
            ++joined.removed;
        }
    }
    if (joined.removed > 0) {
        QList<Rec> kept;
        kept.reserve(ours.size() - joined.removed);
        for (qsizetype i = 0; i < ours.size(); ++i) {
            if (!drop[i])
                kept.append(ours[i]);
        }
        ours = std::move(kept);
    }
    return joined;
}

} // namespace

Joined joinOutsideChanges(const MemoList& baseMemos, const SvegliaList& baseSveglie, const MemoList& theirMemos,
    const SvegliaList& theirSveglie, MemoList& ourMemos, SvegliaList& ourSveglie)
{
    MemoList newMemos;
    SvegliaList newSveglie;
    const Joined memos = join(baseMemos, theirMemos, ourMemos, newMemos);
    const Joined sveglie = join(baseSveglie, theirSveglie, ourSveglie, newSveglie);
    // The other copy numbered its memos on its own: ours keep their IDs, the
    // ones taken in follow them in their order there.
    qint32 largest = 0;
    for (const REC_Memo& m : std::as_const(ourMemos))
        largest = qMax(largest, m.ID);
    for (REC_Memo& m : newMemos) {
        m.ID = largest < std::numeric_limits<qint32>::max() ? ++largest : largest;
        ourMemos.append(m);
    }
    ourSveglie.append(newSveglie);
    return {int(newMemos.size() + newSveglie.size()), memos.removed + sveglie.removed};
}

} // namespace StoreFile
