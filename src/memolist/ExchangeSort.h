#pragma once

#include <QList>

// Sorts keys ascending exactly as the exchange sort "for each i, for each
// j > i: if keys[i] > keys[j] swap them" does, equal keys and NaNs included,
// and moves tags along with them; in about n log n steps on the lists memos
// make, never much slower than the plain passes.
void exchangeSort(QList<double>& keys, QList<qsizetype>& tags);
