#pragma once

#include <functional>

// compare(i, j): negative when the element at i belongs before the one at j,
// 0 when equal, positive when after.
using TQSortCompare = std::function<int(int i, int j)>;
// swap(i, j): exchange the elements at i and j.
using TQSortSwap = std::function<void(int i, int j)>;

// Sorts the elements at lo .. hi (inclusive) in place through the two
// callbacks. Not stable. Every comparison of one level is made against the
// pivot's index before any exchange of that level, so compare never sees
// elements in motion; misplaced elements move by pairwise exchange, the rest
// by adjacent exchanges.
void QSort(int lo, int hi, const TQSortCompare& compare, const TQSortSwap& swap);
