#pragma once

#include <QString>

// Where the store and the sounds live.
struct ProgramFolders {
    QString data;   // Store.dat, Store_old.dat
    QString sounds; // the "Suoni" folder of WAV files
    bool installed = false;
};
