#include "state/AppState.h"

#include "store/StoreFile.h"

#include <QDir>

int AppState::readStore(QString& diagnostic, const QDateTime& now)
{
    StoreFile::ReadReport report;
    const int r = StoreFile::read(folders.data, true, ArrMemo, ArrSveglie, diagnostic, &report);
    storeUnconvertible = r == -4;
    // Only a file found wanting is called damaged; one that was never read
    // (an intact Store_old.dat) is not.
    QStringList damaged;
    if (report.mainUnusable) // the older list was read; the newer one must not vanish
        damaged << StoreFile::fileName;
    if (r >= -3 && r <= -1 && !report.file.isEmpty() && !damaged.contains(report.file))
        damaged << report.file;
    if (r <= -21) // neither could be read
        damaged = QStringList{StoreFile::fileName, StoreFile::oldFileName};
    storeDamaged = !damaged.isEmpty();
    damagedStoreFile = report.file;
    damagedLines = report.damagedLines;
    keptDamagedFiles = StoreFile::keepDamaged(folders.data, damaged, now);
    return r;
}

int AppState::writeStore(QChar decimalSeparator, const QDate& today)
{
    if (storeUnconvertible)
        return -11;              // the store this build could not read stays as it is
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

bool AppState::settingsFailureToTell(bool saved)
{
    const bool tell = !saved && !settingsFailing;
    settingsFailing = !saved;
    return tell;
}
