// The store on disk: checked saves, reads with fallback, damaged copies.
#include "store/StoreFile.h"
#include "store/Ut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace StoreFile {

namespace {

bool fails(const SaveFaults& faults, SaveStep step)
{
    return faults && faults(step);
}

// QFile has no sync of its own, and QSaveFile ignores a failed one.
bool syncToDisk(QFile& file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Renames, replacing a file at to in one step, so to is never missing.
bool replaceFile(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(QFile(from).filesystemFileName(), QFile(to).filesystemFileName(), ec);
    return !ec;
}

// The file a link points to, through a chain of links; path itself otherwise.
QString linkTarget(const QString& path)
{
    QString target = path;
    for (int hops = 0; hops < 32 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

// Memos are private notes: what we make new is for the owner alone.
constexpr QFileDevice::Permissions ownerOnly
    = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;

// Opens path as a new file of our own with its final mode from the start, so
// no other user can open it in between. A leftover of any kind is removed
// first; a link planted there is removed, never followed.
bool createNew(QFile& out, const QString& path, QFileDevice::Permissions permissions)
{
    QFile::remove(path);
#ifdef Q_OS_WIN
    if (!out.open(QIODevice::NewOnly | QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    out.setPermissions(permissions);
    return true;
#else
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[]
        = {{QFileDevice::ReadOwner, S_IRUSR}, {QFileDevice::WriteOwner, S_IWUSR}, {QFileDevice::ExeOwner, S_IXUSR},
            {QFileDevice::ReadGroup, S_IRGRP}, {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
            {QFileDevice::ReadOther, S_IROTH}, {QFileDevice::WriteOther, S_IWOTH}, {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits) {
        if (permissions.testFlag(permission))
            mode |= bit;
    }
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    // The umask may have narrowed the mode of the store being replaced.
    if (::fchmod(fd, mode) != 0
        || !out.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#endif
}

// Writes bytes to a new file at path, checking every step; on failure the
// file is removed. 1, -11 (not created) or -12 (not fully on disk).
int writeChecked(
    const QString& path, QByteArrayView bytes, QFileDevice::Permissions permissions, const SaveFaults& faults)
{
    QFile out(path);
    // Unbuffered: a full disk shows at the write, not at a close nobody checks.
    if (fails(faults, SaveStep::Create) || !createNew(out, path, permissions)) {
        QFile::remove(path);
        return -11;
    }
    const qint64 size = qint64(bytes.size());
    bool ok = true;
    for (qint64 done = 0; ok && done < size;) {
        const qint64 n = fails(faults, SaveStep::Write) ? -1 : out.write(bytes.data() + done, size - done);
        ok = n > 0;
        done += n;
    }
    ok = ok && !fails(faults, SaveStep::Flush) && out.flush();
    ok = ok && !fails(faults, SaveStep::Sync) && syncToDisk(out);
    out.close();
    ok = ok && !fails(faults, SaveStep::Close) && out.error() == QFileDevice::NoError;
    ok = ok && !fails(faults, SaveStep::SizeCheck) && QFileInfo(path).size() == size;
    if (!ok) {
        QFile::remove(path);
        return -12;
    }
    return 1;
}

// Holds the store as it was under a temporary name beside Store_old.dat, so
// that replacing it loses nothing: a hard link costs no room, a copy serves
// where links cannot be made (another file system, a link's target).
bool holdPrevious(const QString& target, const QString& holdPath, const SaveFaults& faults)
{
    if (fails(faults, SaveStep::KeepOld))
        return false;
    QFile::remove(holdPath);
    std::error_code ec;
    std::filesystem::create_hard_link(QFile(target).filesystemFileName(), QFile(holdPath).filesystemFileName(), ec);
    return !ec || QFile::copy(target, holdPath);
}

} // namespace

bool makePrivateFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return true; // one that exists keeps its mode
    return QDir().mkpath(path)
        && QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

int writeWhole(const QString& path, QByteArrayView bytes, const SaveFaults& faults)
{
    const QString target = linkTarget(path);
    const QFileInfo previous(target);
    const QString newPath = target + QStringLiteral(".new");
    const int written = writeChecked(newPath, bytes, previous.exists() ? previous.permissions() : ownerOnly, faults);
    if (written != 1)
        return written;
    if (fails(faults, SaveStep::Replace) || !replaceFile(newPath, target)) {
        QFile::remove(newPath);
        return -11;
    }
    return 1;
}

int write(const QString& folder, const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator,
    const SaveFaults& faults, QByteArray* writtenBytes, CodePage* codePage)
{
    const QDir dir(folder);
    const QString mainPath = dir.filePath(fileName);
    const QString oldPath = dir.filePath(oldFileName);
    const QString target = linkTarget(mainPath);
    const QString newPath = target + QStringLiteral(".new");
    const QFileInfo previous(target);
    const bool hadStore = previous.exists();

    // An existing store keeps its mode; a new one is the owner's alone.
    const QFileDevice::Permissions permissions = hadStore ? previous.permissions() : ownerOnly;
    CodePage wrote = codePage ? *codePage : CodePage::Unknown;
    const QByteArray bytes = buildBytes(memos, sveglie, decimalSeparator, &wrote);
    const int written = writeChecked(newPath, bytes, permissions, faults);
    if (written != 1)
        return written;

    // Without it only the previous version is lost; the save goes on.
    const QString holdPath = oldPath + QStringLiteral(".new");
    const bool held = hadStore && holdPrevious(target, holdPath, faults);
    // The one step that changes the store: whole before, whole after.
    if (fails(faults, SaveStep::Replace) || !replaceFile(newPath, target)) {
        QFile::remove(newPath);
        if (held)
            QFile::remove(holdPath);
        return -11;
    }
    if (held && !replaceFile(holdPath, oldPath))
        QFile::remove(holdPath);
    if (writtenBytes)
        *writtenBytes = bytes;
    if (codePage)
        *codePage = wrote;
    return 1;
}

int read(const QString& folder, bool fallback, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    ReadReport* report, CodePage* codePage)
{
    memos.clear();
    sveglie.clear();
    diagnostic.clear();
    ReadReport unused;
    ReadReport& rep = report ? *report : unused;
    rep = {};
    // Each file is read with the history; what was read tells the new one.
    const CodePage history = codePage ? *codePage : CodePage::Unknown;
    CodePage mainCodePage = history, oldCodePage = history;
    const auto readAs = [codePage](CodePage c) {
        if (codePage)
            *codePage = c;
    };
    const QDir dir(folder);
    const QString mainPath = dir.filePath(fileName);
    const QString oldPath = dir.filePath(oldFileName);
    const bool mainExists = QFile::exists(mainPath);
    if (!mainExists && !QFile::exists(oldPath))
        return 0;
    QByteArray bytes;
    const int r = Leggi_File(mainPath, bytes);
    if (r == 1) {
        rep.file = fileName;
        const int parsed = parseFileBytes(bytes, memos, sveglie, diagnostic, &rep.damagedLines, &mainCodePage);
        // Not one record read from it: the previous store is better than
        // none. Its own failures leave this result.
        rep.bytes = std::move(bytes);
        if (!fallback || parsed >= 0 || parsed == -4 || !memos.isEmpty() || !sveglie.isEmpty()) {
            readAs(mainCodePage);
            return parsed;
        }
        MemoList oldMemos;
        SvegliaList oldSveglie;
        QString oldDiagnostic;
        QList<int> oldLines;
        QByteArray oldBytes;
        if (Leggi_File(oldPath, oldBytes) != 1)
            return parsed;
        const int older = parseFileBytes(oldBytes, oldMemos, oldSveglie, oldDiagnostic, &oldLines, &oldCodePage);
        if (older < -2 || (oldMemos.isEmpty() && oldSveglie.isEmpty()))
            return parsed;
        memos = std::move(oldMemos);
        sveglie = std::move(oldSveglie);
        diagnostic = std::move(oldDiagnostic);
        rep = {oldFileName, true, oldLines, std::move(oldBytes)};
        readAs(oldCodePage);
        return older;
    }
    rep.mainUnusable = mainExists;
    if (!fallback)
        return r - 10;
    const int r2 = Leggi_File(oldPath, bytes);
    if (r2 < 0)
        return -20 + r2; // -21 open failed, -22 short read
    rep.file = oldFileName;
    const int older = parseFileBytes(bytes, memos, sveglie, diagnostic, &rep.damagedLines, &oldCodePage);
    readAs(oldCodePage);
    rep.bytes = std::move(bytes);
    return older;
}

int backupDaily(const QString& folder, const QDate& day)
{
    const QDir dir(folder);
    const QString store = linkTarget(dir.filePath(fileName));
    const QString backups = dir.filePath(QStringLiteral("Backup"));
    const QString copy = backups + QStringLiteral("/Store_") + day.toString(Qt::ISODate) + QStringLiteral(".dat");
    // A folder or a pipe in the store's place has nothing to copy, and
    // reading a pipe would never end.
    if (!day.isValid() || !QFileInfo(store).isFile() || QFileInfo::exists(copy))
        return 0;
    QByteArray bytes;
    if (Leggi_File(store, bytes) != 1)
        return -1;
    if (!makePrivateFolder(backups))
        return -2;
    const QString newCopy = copy + QStringLiteral(".new");
    if (writeChecked(newCopy, bytes, ownerOnly, {}) != 1)
        return -3;
    if (!replaceFile(newCopy, copy)) {
        QFile::remove(newCopy);
        return -4;
    }
    // Only our own dated copies go, oldest first; the names sort by date.
    const auto dated = [](const QString& name) { // Store_yyyy-MM-dd.dat
        if (name.size() != 20 || !name.startsWith(QLatin1String("Store_")) || !name.endsWith(QLatin1String(".dat")))
            return false;
        const QStringView date = QStringView(name).mid(6, 10);
        for (qsizetype i = 0; i < date.size(); ++i) {
            if (i == 4 || i == 7 ? date[i] != u'-' : !date[i].isDigit() || date[i].unicode() > 0x7f)
                return false;
        }
        return QDate::fromString(date.toString(), Qt::ISODate).isValid();
    };
    QStringList ours;
    for (const QString& name : QDir(backups).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (dated(name))
            ours << name;
    }
    while (ours.size() > 14)
        QFile::remove(QDir(backups).filePath(ours.takeFirst()));
    return 1;
}

QString timeStamp(const QDateTime& now)
{
    return now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QStringList keepDamaged(const QString& folder, const QStringList& names, const QDateTime& now)
{
    return keepAs(folder, names, QStringLiteral("damaged"), now);
}

QStringList keepAs(const QString& folder, const QStringList& names, const QString& why, const QDateTime& now)
{
    const QDir dir(folder);
    const QString stamp = timeStamp(now);
    QStringList kept;
    for (const QString& name : names) {
        const QString from = dir.filePath(name);
        if (!QFileInfo(from).exists() && !QFileInfo(from).isSymLink())
            continue;
        const QString base = QFileInfo(name).completeBaseName() + u'_' + why + u'_' + stamp;
        QString to = dir.filePath(base + QStringLiteral(".dat"));
        for (int n = 2; QFileInfo(to).exists() || QFileInfo(to).isSymLink(); ++n)
            to = dir.filePath(base + u'_' + QString::number(n) + QStringLiteral(".dat"));
        if (QFile::copy(from, to) || QFile::rename(from, to))
            kept.append(to);
    }
    return kept;
}

} // namespace StoreFile
