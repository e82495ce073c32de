#pragma once

#include <QString>
#include <QStringList>

class Calendar;

// The calendar module (sync/Calendar.h), loaded at its first use and kept
// loaded for the rest of the run.
namespace CalendarLoader {

// Beside the program (a build), then where an installed copy keeps its modules.
QStringList defaultPaths();

// The calendar of the first of paths that is the calendar module; nullptr
// when none is, why then saying what was tried. Once found, later calls
// return it whatever the paths.
Calendar* load(QString& why, const QStringList& paths = defaultPaths());

} // namespace CalendarLoader
