#pragma once

#include "state/ProgramFolders.h"

#include <QString>

// BRIVO_REMINDER_HOME, when set, holds both. Otherwise an installed copy (the
// executable in a "bin" folder with "../share/brivo-reminder" beside it) keeps
// its store in the user's data folder and reads the sounds from that share
// folder; a build or portable copy keeps both beside the executable.
ProgramFolders resolveProgramFolders(
    const QString& executableDir, const QString& homeOverride, const QString& userDataDir);

// The same for the running program, from its environment.
ProgramFolders programFolders();
