#pragma once

#include <QList>
#include <QString>

// In-memory trail of the last checkpoints passed by the grid's routines, for
// reading in a debugger. Nothing in the program writes it out.
struct TracePair {
    QString routine;
    QString checkpoint;
};

constexpr int TRACE_RING_SIZE = 20;

// A new routine pushes a pair (dropping the oldest); the same routine as the
// newest pair only replaces that pair's checkpoint.
void Traccia(const QString& routine, const QString& checkpoint);
void clearTraceRing();
QList<TracePair> traceRing(); // oldest first, always TRACE_RING_SIZE pairs
