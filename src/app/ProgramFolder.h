#pragma once

#include <QString>

// Where the store and the sounds live.
struct ProgramFolders {
    QString data;   // Store.dat, Store_old.dat
    QString sounds; // the "Suoni" folder of WAV files
    bool installed = false;
};

// BRIVO_REMINDER_HOME, when set, holds both. Otherwise an installed copy (the
// executable in a "bin" folder with "../share/brivo-reminder" beside it) keeps
// its store in the user's data folder and reads the sounds from that share
// folder; a build or portable copy keeps both beside the executable.
ProgramFolders resolveProgramFolders(
    const QString& executableDir, const QString& homeOverride, const QString& userDataDir);

// The same for the running program, from its environment.
ProgramFolders programFolders();
