#include "platform/DesktopLauncher.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

QStringList DesktopLauncher::openCommand(const QString& address)
{
    // A leading dash would be read as an option of the opener.
    if (address.trimmed().isEmpty() || address.startsWith(u'-'))
        return {};
    return {QStringLiteral("xdg-open"), address};
}

bool DesktopLauncher::Apri_Url(const QString& address)
{
    QStringList command = openCommand(address);
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command);
}

QString DesktopLauncher::helpPage(int context, const QString& cacheDir)
{
    // One page per language; the English one stands for the contents too.
    const QString name = context == 1 ? QStringLiteral("guida.html") : QStringLiteral("guide.html");
    QFile page(QStringLiteral(":/help/") + name);
    if (!page.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray text = page.readAll();
    const QString dir = cacheDir + QStringLiteral("/help");
    const QString path = dir + u'/' + name;
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
        return path;
    current.close();
    QFile out(path);
    if (!QDir().mkpath(dir) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size())
        return QString();
    return path;
}

bool DesktopLauncher::showHelp(int context)
{
    const QString path = helpPage(context, QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    return !path.isEmpty() && Apri_Url(path);
}
