#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolders resolveProgramFolders(
    const QString& executableDir, const QString& homeOverride, const QString& userDataDir)
{
    ProgramFolders f;
    // Decided from the layout, not from the prefix the build was configured
    // with: an install to any prefix, or a moved one, still counts.
    const QString exe = QDir::cleanPath(executableDir);
    const QString share = QDir::cleanPath(exe + QStringLiteral("/../share/brivo-reminder"));
    f.installed = QDir(exe).dirName() == QLatin1String("bin") && QFileInfo(share).isDir();
    // The guide belongs to the program, wherever the user's data is kept.
    f.help = QDir(f.installed ? share : exe).filePath(QStringLiteral("help"));
    if (!homeOverride.isEmpty())
        f.data = QDir::cleanPath(homeOverride);
    else
        f.data = f.installed ? QDir(userDataDir).filePath(QStringLiteral("Brivo Reminder")) : exe;
    f.sounds = QDir(f.installed && homeOverride.isEmpty() ? share : f.data).filePath(QStringLiteral("Suoni"));
    return f;
}

ProgramFolders programFolders()
{
    ProgramFolders f
        = resolveProgramFolders(QCoreApplication::applicationDirPath(), qEnvironmentVariable("BRIVO_REMINDER_HOME"),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    // The user's state folder, else the runtime folder: both outside the data
    // folder, whose disk may be the one that is full.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() && !QDir::homePath().isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    if (state.isEmpty())
        state = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!state.isEmpty())
        f.rescue = QDir(state).filePath(QStringLiteral("brivo-reminder"));
    return f;
}
