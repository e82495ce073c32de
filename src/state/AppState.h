#pragma once

#include "engine/Suoni.h"
#include "state/Colorazioni.h"
#include "state/Configuration.h"
#include "state/ProgramFolders.h"
#include "state/Settings.h"
#include "store/Global.h"
#include "store/StoreFile.h"
#include "sync/SyncData.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the main window holds for the whole process. The main window owns
// one and hands a reference to every window it opens; tests build their own.
struct AppState {
    MemoList ArrMemo;
    SvegliaList ArrSveglie;
    AvvisoList ArrAvvisi;

    bool DaSalvare = false;       // a save of the store (and the settings with it) is pending
    bool settingsPending = false; // only the settings wait to be written
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
    // A file that could not be read or parsed is kept at once under a
    // damaged name, before any save can rotate it away.
    int readStore(QString& diagnostic, const QDateTime& now);
    // Takes what read's readStore found (the lists, the sync data and the
    // findings above): the start-up reads into a state of its own on
    // another thread, so that nothing here is touched while it reads.
    void takeStoreRead(AppState&& read);
    bool storeDamaged = false;    // start-up found a store file it could not use
    QStringList keptDamagedFiles; // where such files were kept
    QString damagedStoreFile;     // the file read, whose damagedLines were skipped
    QList<int> damagedLines;
    // The store is Windows-1252 and this build cannot convert it: it is
    // neither read nor ever written over.
    bool storeUnconvertible = false;

    // The first save of each day also keeps the store it replaces in Backup.
    // Changes another program made to Store.dat since this copy last read or
    // wrote it are taken in first (see storeChangedOutside).
    int writeStore(QChar decimalSeparator, const QDate& today, QTime time = QTime::currentTime());
    // At session end, when the data folder could not take the store: the
    // same safe write into folders.rescue. 1 = kept there.
    int writeRescueStore(QChar decimalSeparator);
    // A store kept in folders.rescue by an earlier session end, or empty.
    QString rescuedStore() const;
    // Takes that store in place of the lists and keeps the file under
    // another name there; true when it was read.
    bool takeRescuedStore(const QDateTime& now);
    // Which UID each memo and alarm clock has, and what sync keeps of them:
    // read with Store.dat (not with Store_old.dat, whose places may differ)
    // and written with every save once there is any.
    SyncData sync;
    QString keptSyncFile; // where an unreadable sync file was kept
    // Writes the sync file when there is anything to keep; writeStore does
    // after each save. A failure is tried again at the next save.
    bool writeSync();

    // Store.dat is no longer the file this copy last read or wrote: a synced
    // folder, an editor or a restored backup changed, replaced or removed it.
    bool storeChangedOutside() const;
    // Compresses the store's bytes kept since the start-up's read, which
    // leaves them whole so as not to lengthen the start.
    void packStoreOnDisk();
    // Set by a save that took in outside changes, for the window to redraw
    // its lists and tell the person; outsideCopy names the copy kept of an
    // outside file that could not be joined.
    bool outsideChangesTaken = false;
    QString outsideCopy;
    // After each save: whether to tell the person that it failed, which is
    // only at the first failure of a run (the tick retries every 3 s).
    bool saveFailureToTell(bool saved);
    // The same for the settings, which have their own notice.
    bool settingsFailureToTell(bool saved);

private:
    void takeInOutsideChanges(const QDateTime& now);
    // The store's code page as settings keep it, and the one a read or a
    // write found (kept with the settings when it changed).
    StoreFile::CodePage codePage() const;
    void noteCodePage(StoreFile::CodePage codePage);
    void rememberStoreOnDisk(const QByteArray& bytes, bool pack = true);

    bool saveFailing = false;
    // Store.dat as this copy last read or wrote it.
    struct OnDisk {
        bool known = false;
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QByteArray bytes;  // as read or written, until packed
        QByteArray packed; // the same, compressed: an eighth of the room for the run
    } onDisk;
    QByteArray storeBytesOnDisk() const;
    bool settingsFailing = false;
};
