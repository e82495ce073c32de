#pragma once

#include "store/Global.h"
#include "sync/SyncData.h"

#include <QHash>
#include <QList>
#include <QString>

struct AppState;

// A sync pass runs on a copy of the lists taken when it starts, while the
// person goes on working on the live ones. Its result is joined back here,
// three ways by UID: what the pass changed goes to the live lists, except
// where the live record changed too since the copy was taken.
namespace SyncMerge {

struct Lists {
    MemoList memos;
    SvegliaList sveglie;
    SyncData data;
};

// The copy a pass starts from. Live records without a UID get one first,
// so that the copy and the live lists can be matched afterwards.
Lists snapshot(MemoList& memos, SvegliaList& sveglie, const SyncData& data);

struct Outcome {
    bool listsChanged = false; // records added, changed or removed here
    bool dataChanged = false;  // the sync data differs from the live one before
    int conflicts = 0;         // changed here during the pass and there: kept both
};

// base: the copy the pass started from; pass: the copy after it; renamed:
// the UIDs the pass gave to records it split off (old -> new). Changes the
// live lists, their warnings in ArrAvvisi and the sync data of state.
// Records changed here during the pass win over a change the pass brought
// only where the pass brought none: a record changed on both sides is kept
// in both versions, the live one under a new UID, as a conflict within a
// pass is.
Outcome apply(const Lists& base, const Lists& pass, const QHash<QString, QString>& renamed, AppState& live);

} // namespace SyncMerge
