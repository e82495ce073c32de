#pragma once

#include "store/Global.h"

#include <limits>

// Lets an idle tick skip a walk over a thousand memos when the walk would
// find what it found last time: the list is the one walked, and the clock
// has stayed between that walk and the first moment the walk said anything
// could change. The walked list is held shared, so any write to the
// program's list copies it first (implicit sharing) and shows as another
// buffer; nobody needs to remember to report an edit.
class QuietSpan {
public:
    static constexpr qint64 NEVER = std::numeric_limits<qint64>::max();

    // clockMs: the local clock as the due tests count it.
    bool holds(const MemoList& memos, qint64 clockMs) const
    {
        return memos.constData() == walkedList.constData() && memos.size() == walkedList.size() && clockMs >= fromMs
            && clockMs < untilMs;
    }
    // After a walk at clockMs that found nothing can change before changeMs.
    void walked(const MemoList& memos, qint64 clockMs, qint64 changeMs)
    {
        walkedList = memos;
        fromMs = clockMs;
        untilMs = changeMs;
    }

private:
    MemoList walkedList;
    qint64 fromMs = 0;
    qint64 untilMs = std::numeric_limits<qint64>::min();
};
