#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString canonical(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(path) : c;
}

} // namespace

ProgramFolders resolveProgramFolders(
    const QString& executableDir, const QString& homeOverride, const QString& installPrefix, const QString& userDataDir)
{
    ProgramFolders f;
    if (!homeOverride.isEmpty()) {
        f.data = QDir::cleanPath(homeOverride);
        f.sounds = QDir(f.data).filePath(QStringLiteral("Suoni"));
        return f;
    }
    const QString prefix = QDir::cleanPath(installPrefix);
    const QString bin = QDir(prefix).filePath(QStringLiteral(BRIVO_INSTALL_BINDIR));
    if (!installPrefix.isEmpty() && canonical(executableDir) == canonical(bin)) {
        f.installed = true;
        f.data = QDir(userDataDir).filePath(QStringLiteral("Brivo Reminder"));
        f.sounds = QDir(prefix).filePath(QStringLiteral(BRIVO_INSTALL_DATADIR "/brivo-reminder/Suoni"));
        return f;
    }
    f.data = QDir::cleanPath(executableDir);
    f.sounds = QDir(f.data).filePath(QStringLiteral("Suoni"));
    return f;
}

ProgramFolders programFolders()
{
    return resolveProgramFolders(QCoreApplication::applicationDirPath(), qEnvironmentVariable("BRIVO_REMINDER_HOME"),
        QStringLiteral(BRIVO_INSTALL_PREFIX), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
