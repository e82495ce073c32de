#include "controls/QSort.h"

#include <algorithm>
#include <vector>

void QSort(int lo, int hi, const TQSortCompare& compare, const TQSortSwap& swap)
{
    if (lo >= hi) {
        return;
    }
    int p = lo + (hi - lo) / 2;

    // L: right of the pivot but belongs before it; R: left of it but belongs after.
    std::vector<int> L;
    std::vector<int> R;
    const auto room = static_cast<std::size_t>(hi - lo + 1);
    L.reserve(room);
    R.reserve(room);
    for (int i = lo; i <= hi; ++i) {
        if (i == p) {
            continue;
        }
        const int c = compare(i, p);
        if (c < 0 && i > p) {
            L.push_back(i);
        } else if (c > 0 && i < p) {
            R.push_back(i);
        }
    }

    // Pair misplaced elements across the pivot, outermost-right with innermost-left first.
    const std::size_t k = std::min(L.size(), R.size());
    for (std::size_t n = 0; n < k; ++n) {
        swap(L.back(), R.back());
        L.pop_back();
        R.pop_back();
    }

    // Leftovers are carried to the pivot by adjacent exchanges, shifting it one place each time.
    for (const int x : L) {
        for (int t = x; t > p; --t) {
            swap(t, t - 1);
        }
        ++p;
    }
    for (auto it = R.rbegin(); it != R.rend(); ++it) {
        for (int t = *it; t < p; ++t) {
            swap(t, t + 1);
        }
        --p;
    }

    // Release the lists before recursing: deep recursion should not hold them all.
    std::vector<int>().swap(L);
    std::vector<int>().swap(R);
    QSort(lo, p - 1, compare, swap);
    QSort(p + 1, hi, compare, swap);
}
