#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolders resolveProgramFolders(
    const QString& executableDir, const QString& homeOverride, const QString& userDataDir)
{
    ProgramFolders f;
    if (!homeOverride.isEmpty()) {
        f.data = QDir::cleanPath(homeOverride);
        f.sounds = QDir(f.data).filePath(QStringLiteral("Suoni"));
        return f;
    }
    // Decided from the layout, not from the prefix the build was configured
    // with: an install to any prefix, or a moved one, still counts.
    const QString exe = QDir::cleanPath(executableDir);
    const QString share = QDir::cleanPath(exe + QStringLiteral("/../share/brivo-reminder"));
    if (QDir(exe).dirName() == QLatin1String("bin") && QFileInfo(share).isDir()) {
        f.installed = true;
        f.data = QDir(userDataDir).filePath(QStringLiteral("Brivo Reminder"));
        f.sounds = QDir(share).filePath(QStringLiteral("Suoni"));
        return f;
    }
    f.data = exe;
    f.sounds = QDir(f.data).filePath(QStringLiteral("Suoni"));
    return f;
}

ProgramFolders programFolders()
{
    return resolveProgramFolders(QCoreApplication::applicationDirPath(), qEnvironmentVariable("BRIVO_REMINDER_HOME"),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
