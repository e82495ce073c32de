#include "app/AppState.h"

#include "store/StoreFile.h"

#include <QDir>

int AppState::readStore(QString& diagnostic)
{
    const int r = StoreFile::read(folders.data, true, ArrMemo, ArrSveglie, diagnostic);
    keepDamagedBeforeSave = r < 0;
    return r;
}

int AppState::writeStore(QChar decimalSeparator, const QDateTime& now)
{
    if (keepDamagedBeforeSave) {
        // Without the copies the save would rotate away what may be the last
        // complete store; try again at the next save.
        if (!StoreFile::keepDamagedCopies(folders.data, now))
            return -1;
        keepDamagedBeforeSave = false;
    }
    QDir().mkpath(folders.data); // an installed copy's data folder may not exist yet
    return StoreFile::write(folders.data, ArrMemo, ArrSveglie, decimalSeparator);
}
