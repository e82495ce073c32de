#include "memolist/ExchangeSort.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// The smallest key of every span of a power-of-two tree over the list. A NaN
// is never smaller than anything, so it counts as infinity.
class MinTree {
public:
    explicit MinTree(const QList<double>& keys)
    {
        while (size < keys.size())
            size *= 2;
        tree.assign(size_t(2 * size), inf);
        for (qsizetype i = 0; i < keys.size(); ++i)
            tree[size_t(size + i)] = value(keys[i]);
        for (qsizetype p = size - 1; p >= 1; --p)
            tree[size_t(p)] = std::min(tree[size_t(2 * p)], tree[size_t(2 * p + 1)]);
    }

    void set(qsizetype i, double key)
    {
        qsizetype p = size + i;
        tree[size_t(p)] = value(key);
        for (p /= 2; p >= 1; p /= 2)
            tree[size_t(p)] = std::min(tree[size_t(2 * p)], tree[size_t(2 * p + 1)]);
    }

    // The first place from `from` on whose key is smaller than bound, or -1.
    qsizetype firstBelow(qsizetype from, double bound) const
    {
        return firstBelow(1, 0, size, from, bound);
    }

private:
    static constexpr double inf = std::numeric_limits<double>::infinity();
    static double value(double key)
    {
        return std::isnan(key) ? inf : key;
    }
    qsizetype firstBelow(qsizetype node, qsizetype lo, qsizetype hi, qsizetype from, double bound) const
    {
        if (hi <= from || !(tree[size_t(node)] < bound))
            return -1;
        if (hi - lo == 1)
            return lo;
        const qsizetype mid = lo + (hi - lo) / 2;
        const qsizetype left = firstBelow(2 * node, lo, mid, from, bound);
        return left >= 0 ? left : firstBelow(2 * node + 1, mid, hi, from, bound);
    }

    qsizetype size = 1;
    std::vector<double> tree;
};

} // namespace

void exchangeSort(QList<double>& keys, QList<qsizetype>& tags)
{
    const qsizetype n = keys.size();
    // Pass i swaps keys[i] with each later key smaller than it, in turn: the
    // places it swaps with are a chain, each key smaller than all before it
    // from i on. Every key of the chain moves one link on and the last one
    // to i. The tree finds each link without looking at the keys between.
    MinTree tree(keys);
    std::vector<qsizetype> chain;
    // Input whose chains grow long (a list in falling order) goes on with
    // the plain passes, from the same state.
    qint64 budget = 32 * qint64(n) + 1024;
    qsizetype i = 0;
    for (; i + 1 < n && budget > 0; ++i) {
        chain.assign(1, i);
        double current = keys[i];
        for (qsizetype j = tree.firstBelow(i + 1, current); j >= 0; j = tree.firstBelow(j + 1, current)) {
            chain.push_back(j);
            current = keys[j];
        }
        budget -= qint64(chain.size());
        if (chain.size() == 1)
            continue;
        const double lastKey = keys[chain.back()];
        const qsizetype lastTag = tags[chain.back()];
        for (size_t k = chain.size() - 1; k > 0; --k) {
            keys[chain[k]] = keys[chain[k - 1]];
            tags[chain[k]] = tags[chain[k - 1]];
        }
        keys[i] = lastKey;
        tags[i] = lastTag;
        for (const qsizetype p : chain)
            tree.set(p, keys[p]);
    }
    for (; i + 1 < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            if (keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(tags[i], tags[j]);
            }
        }
    }
}
