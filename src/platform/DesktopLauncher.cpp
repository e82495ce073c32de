#include "platform/DesktopLauncher.h"

#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The first line a desktop tool prints; empty when it is missing or fails.
QString firstLine(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        return QString();
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

} // namespace

QStringList Pulisci_Comando(const QString& command)
{
    QString c = command.left(command.indexOf(u'%')); // the whole text when there is none
    const bool quoted = c.startsWith(u'"');
    if (quoted)
        c.remove(0, 1);
    c = c.left(c.indexOf(u'"'));
    while (c.endsWith(u' '))
        c.chop(1);
    if (quoted)
        return c.isEmpty() ? QStringList() : QStringList{c};
    return c.split(u' ', Qt::SkipEmptyParts);
}

DesktopLauncher::DesktopLauncher(MessageBoxes& messageBoxes, const QString& helpFolder)
    : boxes(messageBoxes)
    , m_helpFolder(helpFolder)
{
}

QStringList DesktopLauncher::openCommand(const QStringList& browser, const QString& address)
{
    // A leading dash would be read as an option of the browser.
    if (browser.isEmpty() || address.trimmed().isEmpty() || address.startsWith(u'-'))
        return {};
    return browser + QStringList{address};
}

QString DesktopLauncher::desktopExec(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || equals < 0 || line.left(equals).trimmed() != QLatin1String("Exec"))
            continue;
        // The escapes of a desktop entry's strings; those of its Exec
        // quoting are left for the cleaning.
        const QString value = line.mid(equals + 1).trimmed();
        QString exec;
        for (qsizetype i = 0; i < value.size(); ++i) {
            const qsizetype at
                = i + 1 < value.size() && value[i] == u'\\' ? QStringLiteral("sntr\\").indexOf(value[i + 1]) : -1;
            if (at < 0) {
                exec += value[i];
                continue;
            }
            exec += QStringLiteral(" \n\t\r\\")[at];
            ++i;
        }
        return exec;
    }
    return QString();
}

QStringList DesktopLauncher::Browser_Predefinito()
{
    QString entry
        = firstLine(QStringLiteral("xdg-settings"), {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (entry.isEmpty())
        entry = firstLine(QStringLiteral("xdg-mime"),
            {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/https")});
    QStringList command;
    if (entry.endsWith(QLatin1String(".desktop")) && !entry.contains(u'/')) {
        const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
        if (!path.isEmpty())
            command = Pulisci_Comando(desktopExec(path)); // its field codes go with the "%" rule
    }
    if (command.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        command = QStringList{QStringLiteral("xdg-open")};
    return command;
}

bool DesktopLauncher::Apri_Url(const QString& address)
{
    const QStringList browser = Browser_Predefinito();
    if (browser.isEmpty()) {
        boxes.Errore(QStringLiteral("Non e' stato trovato alcun Browser per visualizzare la pagina."));
        return false;
    }
    QStringList command = openCommand(browser, address);
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    if (QProcess::startDetached(program, command))
        return true;
    boxes.Errore(QStringLiteral("Non e' possibile avviare il Browser predefinito"));
    return false;
}

QString DesktopLauncher::helpPage(int context, const QString& helpFolder)
{
    // One page per language; the English one stands for the contents too.
    const QString name = context == 1 ? QStringLiteral("guida.html") : QStringLiteral("guide.html");
    const QFileInfo page(QDir(helpFolder).filePath(name));
    return page.isFile() ? page.absoluteFilePath() : QString();
}

bool DesktopLauncher::showHelp(int context)
{
    const QString path = helpPage(context, m_helpFolder);
    return !path.isEmpty() && Apri_Url(path);
}
