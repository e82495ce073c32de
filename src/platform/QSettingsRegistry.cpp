#include "platform/QSettingsRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

QSettingsRegistry::QSettingsRegistry(const QString& configFolder)
    : m_configFolder(configFolder)
{
}

bool QSettingsRegistry::locate(const QString& key, QString& file, QString& group) const
{
    QStringList parts = key.split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.front().compare(u"Software", Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() < 2)
        return false;
    for (const QString& part : parts) {
        // A file name part must not leave the config folder.
        if (part == u"." || part == u"..")
            return false;
    }
    const QString root = m_configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : m_configFolder;
    if (root.isEmpty() || parts[0].contains(u'/') || parts[1].contains(u'/'))
        return false;
    file = root + u'/' + parts[0] + u'/' + parts[1] + QStringLiteral(".ini");
    group = parts.mid(2).join(u'/');
    return true;
}

// The settings hold private choices: a new file is the user's alone. QSettings
// replaces the file with one of the same mode, so an existing file keeps its own.
void QSettingsRegistry::createPrivate(const QString& file)
{
    if (QFileInfo::exists(file) || !QDir().mkpath(QFileInfo(file).path()))
        return;
    QFile(file).open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner);
}

QString QSettingsRegistry::readString(const QString& key, const QString& name) const
{
    QString file;
    QString group;
    if (!locate(key, file, group))
        return QString();
    const QSettings settings(file, QSettings::IniFormat);
    const QVariant value = settings.value(group.isEmpty() ? name : group + u'/' + name);
    // A hand-edited list or typed value is of the wrong kind, as a non-string
    // registry value would be.
    if (value.typeId() != QMetaType::QString)
        return QString();
    return value.toString();
}

bool QSettingsRegistry::writeStrings(const QString& key, const Values& values)
{
    QString file;
    QString group;
    if (!locate(key, file, group))
        return false;
    createPrivate(file);
    QSettings settings(file, QSettings::IniFormat);
    if (!settings.isWritable())
        return false;
    for (const auto& [name, text] : values)
        settings.setValue(group.isEmpty() ? name : group + u'/' + name, text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

int QSettingsRegistry::deleteValue(const QString& key, const QString& name)
{
    QString file;
    QString group;
    if (!locate(key, file, group))
        return 0;
    QSettings settings(file, QSettings::IniFormat);
    const QString path = group.isEmpty() ? name : group + u'/' + name;
    if (!settings.contains(path) || !settings.isWritable())
        return 0;
    settings.remove(path);
    settings.sync();
    return settings.status() == QSettings::NoError ? 1 : 0;
}

QString QSettingsRegistry::location(const QString& key) const
{
    QString file;
    QString group;
    return locate(key, file, group) ? file : QString();
}
