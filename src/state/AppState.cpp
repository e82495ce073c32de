#include "state/AppState.h"

#include "store/StoreFile.h"

#include <QDir>

int AppState::readStore(QString& diagnostic, const QDateTime& now)
{
    bool mainUnreadable = false;
    const int r = StoreFile::read(folders.data, true, ArrMemo, ArrSveglie, diagnostic, &mainUnreadable);
    QStringList damaged;
    if (r < 0)
        damaged = {StoreFile::fileName, StoreFile::oldFileName};
    else if (mainUnreadable) // the older list was read; the newer one must not vanish
        damaged = {StoreFile::fileName};
    storeDamaged = !damaged.isEmpty();
    keptDamagedFiles = StoreFile::keepDamaged(folders.data, damaged, now);
    return r;
}

int AppState::writeStore(QChar decimalSeparator, const QDate& today)
{
    QDir().mkpath(folders.data); // an installed copy's data folder may not exist yet
    // A copy that cannot be written never holds up the save; the next one
    // tries again.
    StoreFile::backupDaily(folders.data, today);
    return StoreFile::write(folders.data, ArrMemo, ArrSveglie, decimalSeparator);
}

bool AppState::saveFailureToTell(bool saved)
{
    const bool tell = !saved && !saveFailing;
    saveFailing = !saved;
    return tell;
}
