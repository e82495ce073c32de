#include "state/AppState.h"

#include "store/StoreFile.h"
#include "store/Ut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

int AppState::readStore(QString& diagnostic, const QDateTime& now)
{
    StoreFile::ReadReport report;
    StoreFile::CodePage found = codePage();
    const int r = StoreFile::read(folders.data, true, ArrMemo, ArrSveglie, diagnostic, &report, &found);
    noteCodePage(found);
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
    if (r == 1 && report.file == StoreFile::fileName && SyncFile::read(folders.data, sync, ArrMemo, ArrSveglie) < 0) {
        // Kept before a save writes a new one; its UIDs would be lost.
        keptSyncFile = StoreFile::keepDamaged(folders.data, {SyncFile::fileName}, now).value(0);
    }
    // What a later save compares the file with: the bytes just read, held
    // for the run, so without the room their reading left spare. A store
    // that was not read whole is no base to join with: it is simply written
    // over, as before.
    const QString path = QDir(folders.data).filePath(StoreFile::fileName);
    if (r == 1 && report.file == StoreFile::fileName && QFileInfo(path).isFile()) {
        report.bytes.squeeze();
        rememberStoreOnDisk(report.bytes, false);
    } else if (r >= 0 && !QFileInfo::exists(path))
        rememberStoreOnDisk({});
    return r;
}

void AppState::takeStoreRead(AppState&& read)
{
    ArrMemo = std::move(read.ArrMemo);
    ArrSveglie = std::move(read.ArrSveglie);
    sync = std::move(read.sync);
    keptSyncFile = std::move(read.keptSyncFile);
    storeDamaged = read.storeDamaged;
    keptDamagedFiles = std::move(read.keptDamagedFiles);
    damagedStoreFile = std::move(read.damagedStoreFile);
    damagedLines = std::move(read.damagedLines);
    storeUnconvertible = read.storeUnconvertible;
    onDisk = std::move(read.onDisk);
    noteCodePage(read.codePage());
}

StoreFile::CodePage AppState::codePage() const
{
    return StoreFile::codePageNamed(settings.Codifica_archivio);
}

void AppState::noteCodePage(StoreFile::CodePage codePage)
{
    const QString name = StoreFile::codePageName(codePage);
    if (name.isEmpty() || name == settings.Codifica_archivio)
        return;
    settings.Codifica_archivio = name;
    settingsPending = true;
}

void AppState::rememberStoreOnDisk(const QByteArray& bytes, bool pack)
{
    const QFileInfo file(QDir(folders.data).filePath(StoreFile::fileName));
    onDisk = {true, file.exists(), file.size(), file.lastModified(), bytes, {}};
    if (pack)
        packStoreOnDisk();
}

void AppState::packStoreOnDisk()
{
    if (onDisk.bytes.isEmpty())
        return;
    onDisk.packed = qCompress(onDisk.bytes, 1);
    onDisk.bytes = QByteArray();
}

QByteArray AppState::storeBytesOnDisk() const
{
    return onDisk.packed.isEmpty() ? onDisk.bytes : qUncompress(onDisk.packed);
}

bool AppState::storeChangedOutside() const
{
    if (!onDisk.known)
        return false;
    const QFileInfo file(QDir(folders.data).filePath(StoreFile::fileName));
    if (file.exists() != onDisk.exists)
        return true;
    if (!file.exists())
        return false;
    if (!file.isFile())
        return true; // a folder or a pipe in its place
    if (file.size() == onDisk.size && file.lastModified() == onDisk.modified)
        return false;
    QByteArray bytes;
    return Leggi_File(file.filePath(), bytes) != 1 || bytes != storeBytesOnDisk();
}

void AppState::takeInOutsideChanges(const QDateTime& now)
{
    outsideChangesTaken = true;
    const QString path = QDir(folders.data).filePath(StoreFile::fileName);
    // Gone, or a folder or a pipe: nothing to read (a pipe would never end);
    // the save puts the store back or fails and says so.
    if (!QFileInfo(path).isFile())
        return;
    MemoList theirMemos, baseMemos;
    SvegliaList theirSveglie, baseSveglie;
    QString diagnostic;
    QByteArray bytes;
    StoreFile::CodePage theirs = codePage(), base = codePage();
    const bool read = Leggi_File(path, bytes) == 1
        && StoreFile::parseFileBytes(bytes, theirMemos, theirSveglie, diagnostic, nullptr, &theirs) == 1
        && StoreFile::parseFileBytes(storeBytesOnDisk(), baseMemos, baseSveglie, diagnostic, nullptr, &base) >= 0;
    if (!read) {
        // Cannot be joined: kept whole beside the store before ours replaces it.
        const QStringList kept = StoreFile::keepAs(folders.data, {StoreFile::fileName}, QStringLiteral("outside"), now);
        outsideCopy = kept.value(0);
        return;
    }
    StoreFile::joinOutsideChanges(baseMemos, baseSveglie, theirMemos, theirSveglie, ArrMemo, ArrSveglie);
}

int AppState::writeStore(QChar decimalSeparator, const QDate& today, QTime time)
{
    if (storeUnconvertible)
        return -11;                             // the store this build could not read stays as it is
    StoreFile::makePrivateFolder(folders.data); // an installed copy's data folder may not exist yet
    if (storeChangedOutside())
        takeInOutsideChanges(QDateTime(today, time));
    // A copy that cannot be written never holds up the save; the next one
    // tries again.
    StoreFile::backupDaily(folders.data, today);
    QByteArray written;
    StoreFile::CodePage wrote = codePage();
    const int r = StoreFile::write(folders.data, ArrMemo, ArrSveglie, decimalSeparator, {}, &written, &wrote);
    if (r == 1) {
        rememberStoreOnDisk(written);
        noteCodePage(wrote);
        writeSync();
    }
    return r;
}

bool AppState::writeSync()
{
    const bool anyUid
        = std::any_of(ArrMemo.cbegin(), ArrMemo.cend(), [](const REC_Memo& m) { return !m.Uid.isEmpty(); })
        || std::any_of(ArrSveglie.cbegin(), ArrSveglie.cend(), [](const REC_Sveglia& s) { return !s.Uid.isEmpty(); });
    // Nobody who never synced or exported gets the file.
    if (!anyUid && sync.isEmpty() && !QFileInfo::exists(QDir(folders.data).filePath(SyncFile::fileName)))
        return true;
    return SyncFile::write(folders.data, sync, ArrMemo, ArrSveglie) == 1;
}

int AppState::writeRescueStore(QChar decimalSeparator)
{
    if (folders.rescue.isEmpty() || !StoreFile::makePrivateFolder(folders.rescue))
        return -11;
    StoreFile::CodePage wrote = codePage(); // the rescue file is read back with the same history
    return StoreFile::write(folders.rescue, ArrMemo, ArrSveglie, decimalSeparator, {}, nullptr, &wrote);
}

QString AppState::rescuedStore() const
{
    const QString path = QDir(folders.rescue).filePath(StoreFile::fileName);
    return !folders.rescue.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

bool AppState::takeRescuedStore(const QDateTime& now)
{
    MemoList memos;
    SvegliaList sveglie;
    QString diagnostic;
    StoreFile::CodePage found = codePage();
    if (StoreFile::read(folders.rescue, false, memos, sveglie, diagnostic, nullptr, &found) != 1)
        return false;
    ArrMemo = std::move(memos);
    ArrSveglie = std::move(sveglie);
    DaSalvare = true;
    // Kept, not removed: it is the only copy until the next save succeeds.
    const QDir rescue(folders.rescue);
    QFile::rename(rescue.filePath(StoreFile::fileName),
        rescue.filePath(QStringLiteral("Store_taken_") + StoreFile::timeStamp(now) + QStringLiteral(".dat")));
    return true;
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
