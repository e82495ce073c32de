#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& title, const QString& lockFolder)
{
    QString folder = lockFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        // Not a shared name in /tmp, which any other user could take first
        // and so keep the program from starting: a folder in our own home.
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
            + QStringLiteral("/brivo-reminder");
    }
    QDir().mkpath(folder);
    path = QDir(folder).filePath(title + QStringLiteral(".lock"));
}

bool SingleInstance::acquire()
{
    lock = std::make_unique<QLockFile>(path);
    // tryLock takes over a lock whose process no longer runs.
    if (lock->tryLock(0))
        return true;
    lock.reset();
    return false;
}

QString SingleInstance::lockPath() const
{
    return path;
}

QString SingleInstance::socketPath() const
{
    return path.chopped(4) + QStringLiteral("socket");
}
