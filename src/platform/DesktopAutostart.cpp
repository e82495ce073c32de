#include "platform/DesktopAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Escapes of a desktop-entry string value.
QString escapeValue(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\t':
            out += u"\\t";
            break;
        case u'\r':
            out += u"\\r";
            break;
        default:
            // Other control characters have no escape and are not allowed.
            out += c.unicode() < 0x20 ? QChar(u' ') : c;
        }
    }
    // A leading space would be taken for the blank after "=".
    if (out.startsWith(u' '))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

// A program name as a file name: no folder separators, never "." or "..".
QString fileNameOf(const QString& programName)
{
    QString name = programName;
    name.replace(u'/', u'-');
    if (name.isEmpty() || name == u"." || name == u"..")
        name = QStringLiteral("brivo-reminder");
    return name;
}

} // namespace

DesktopAutostart::DesktopAutostart(const QString& configFolder, const QString& executable)
    : m_configFolder(configFolder)
    , m_executable(executable)
{
}

QString DesktopAutostart::entryPath(const QString& programName) const
{
    const QString root = m_configFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : m_configFolder;
    return root + QStringLiteral("/autostart/") + fileNameOf(programName) + QStringLiteral(".desktop");
}

QString DesktopAutostart::quoteExecArgument(const QString& argument)
{
    // Inside double quotes the format reserves ", `, $ and \ ; "%" starts a
    // field code everywhere. The string-value escapes apply on top.
    QString quoted;
    quoted.reserve(argument.size() + 2);
    quoted += u'"';
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return escapeValue(quoted);
}

QByteArray DesktopAutostart::entryText(const QString& programName, const QString& executable)
{
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + escapeValue(programName) + u'\n';
    text += QStringLiteral("Exec=") + quoteExecArgument(executable) + u' ' + autorunSwitch() + u'\n';
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool DesktopAutostart::writeEntry(const QString& programName)
{
    QString executable = m_executable;
    if (executable.isEmpty())
        executable = QCoreApplication::applicationFilePath();
    if (executable.isEmpty())
        return false;
    const QString path = entryPath(programName);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = entryText(programName, executable);
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool DesktopAutostart::removeEntry(const QString& programName)
{
    return QFile::remove(entryPath(programName));
}
