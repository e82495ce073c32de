#pragma once

#include <QList>

// Sorts keys ascending exactly as the exchange sort "for each i, for each
// j > i: if keys[i] > keys[j] swap them" does, equal keys included, and
// moves tags along with them; in n log n steps unless a key is a NaN.
void exchangeSort(QList<double>& keys, QList<qsizetype>& tags);
