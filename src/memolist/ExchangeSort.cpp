#include "memolist/ExchangeSort.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// How many of the places marked so far lie before a place.
class PlaceCount {
public:
    explicit PlaceCount(qsizetype n)
        : tree(size_t(n) + 1, 0)
    {
    }
    void mark(qsizetype place)
    {
        for (size_t i = size_t(place) + 1; i < tree.size(); i += i & (~i + 1))
            ++tree[i];
    }
    qsizetype before(qsizetype place) const
    {
        qsizetype n = 0;
        for (size_t i = size_t(place); i > 0; i -= i & (~i + 1))
            n += tree[i];
        return n;
    }

private:
    std::vector<qsizetype> tree;
};

void plainPasses(QList<double>& keys, QList<qsizetype>& tags)
{
    for (qsizetype i = 0; i + 1 < keys.size(); ++i) {
        for (qsizetype j = i + 1; j < keys.size(); ++j) {
            if (keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(tags[i], tags[j]);
            }
        }
    }
}

} // namespace

void exchangeSort(QList<double>& keys, QList<qsizetype>& tags)
{
    const qsizetype n = keys.size();
    // A NaN is neither smaller nor larger than anything: no order to reason with.
    if (std::any_of(keys.cbegin(), keys.cend(), [](double k) { return std::isnan(k); })) {
        plainPasses(keys, tags);
        return;
    }
    // The passes end with the keys ascending; only where equal keys go needs
    // working out. For one key, only which places hold smaller keys matters:
    // the equal ones met so far form a block that no pass splits, and every
    // smaller key met after the first of them turns the block by one (its
    // first goes to its end). Larger keys change nothing.
    std::vector<qsizetype> byKey(static_cast<size_t>(n));
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(), [&](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    PlaceCount smaller(n);
    std::vector<qsizetype> next(static_cast<size_t>(n)); // the block as a ring, by place
    QList<double> sortedKeys;
    QList<qsizetype> sortedTags;
    sortedKeys.reserve(n);
    sortedTags.reserve(n);
    for (qsizetype first = 0; first < n;) {
        qsizetype end = first;
        while (end < n && keys[byKey[size_t(end)]] == keys[byKey[size_t(first)]])
            ++end;
        qsizetype last = -1; // the block's end; its start is next[last]
        for (qsizetype k = first; k < end; ++k) {
            const qsizetype place = byKey[size_t(k)];
            next[size_t(place)] = last < 0 ? place : next[size_t(last)];
            if (last >= 0)
                next[size_t(last)] = place;
            last = place;
            const qsizetype upTo = k + 1 < end ? byKey[size_t(k + 1)] : n;
            for (qsizetype turns = (smaller.before(upTo) - smaller.before(place + 1)) % (k - first + 1); turns > 0;
                 --turns)
                last = next[size_t(last)];
        }
        for (qsizetype k = first, place = next[size_t(last)]; k < end; ++k, place = next[size_t(place)]) {
            sortedKeys.append(keys[place]);
            sortedTags.append(tags[place]);
        }
        for (qsizetype k = first; k < end; ++k)
            smaller.mark(byKey[size_t(k)]);
        first = end;
    }
    keys = std::move(sortedKeys);
    tags = std::move(sortedTags);
}
