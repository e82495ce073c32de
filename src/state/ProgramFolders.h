#pragma once

#include <QString>

// Where the store, the sounds and the user guide live.
struct ProgramFolders {
    QString data;   // Store.dat, Store_old.dat
    QString sounds; // the "Suoni" folder of WAV files
    QString help;   // the guide's pages, one per language
    bool installed = false;
    // Where the store goes at session end when the data folder cannot take
    // it; empty: nowhere.
    QString rescue;
};
