#pragma once

#include <QStringList>

// Where a module of the program (the sound, the calendar) is looked for:
// beside the program, as a build has it, then in the folder an installed
// copy keeps its modules in.
QStringList programModulePaths(const QString& fileName);
