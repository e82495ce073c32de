#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& title, const QString& lockFolder)
{
    QString folder = lockFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
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
