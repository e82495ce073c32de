#pragma once

#include "app/ProgramFolder.h"
#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"
#include "engine/Suoni.h"
#include "memolist/Colorazioni.h"
#include "store/Global.h"

#include <QDateTime>
#include <QString>

// What the main window holds for the whole process. The main window owns
// one and hands a reference to every window it opens; tests build their own.
struct AppState {
    MemoList ArrMemo;
    SvegliaList ArrSveglie;
    AvvisoList ArrAvvisi;

    bool DaSalvare = false; // a save is pending
    int ContaTick = 0;
    bool UscitaRichiesta = false; // the user asked to exit
    bool FineSessione = false;    // the session is ending
    bool InAutorun = false;

    SuonoList ArrSuoni;
    ColorazioneList ArrColorazioni; // the colour schemes, built at start-up

    ProgramFolders folders;

    BuildConfig config;    // product-level choices of this build
    UserSettings settings; // the user's preferences

    // Reads the store from the data folder with fallback to Store_old.dat.
    int readStore(QString& diagnostic);
    // Writes the store; after a failed start-up read, copies of the damaged
    // files are kept first so that the rotation cannot cost the backup.
    int writeStore(QChar decimalSeparator, const QDateTime& now);

private:
    bool keepDamagedBeforeSave = false;
};
