#pragma once

#include <QString>

class QFontMetrics;

// The widest text of any time of day in format (QTime's), in fm's font: the
// width a right-aligned time column needs so that no time loses a character.
int widestTimeWidth(const QString& format, const QFontMetrics& fm);
