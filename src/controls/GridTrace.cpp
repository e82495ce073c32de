#include "controls/GridTrace.h"

#include <array>

namespace {

std::array<TracePair, TRACE_RING_SIZE>& ring()
{
    static std::array<TracePair, TRACE_RING_SIZE> pairs; // [0] oldest, back() newest
    return pairs;
}

} // namespace

void Traccia(const QString& routine, const QString& checkpoint)
{
    auto& pairs = ring();
    if (pairs.back().routine != routine) {
        for (int i = 0; i + 1 < TRACE_RING_SIZE; ++i) {
            pairs[i] = std::move(pairs[i + 1]);
        }
        pairs.back().routine = routine;
    }
    pairs.back().checkpoint = checkpoint;
}

void clearTraceRing()
{
    for (TracePair& pair : ring()) {
        pair = TracePair();
    }
}

QList<TracePair> traceRing()
{
    return QList<TracePair>(ring().begin(), ring().end());
}
