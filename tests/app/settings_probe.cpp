// One start of the program as far as its settings go: reads them from the
// real settings file (XDG_CONFIG_HOME), prints every value as name=value,
// applies the name=value assignments of its arguments and saves, as the
// program does at exit.

#include "SettingsFields.h"
#include "platform/DesktopAutostart.h"
#include "platform/QSettingsRegistry.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const BuildConfig config = settingsConfig();

    QSettingsRegistry registry;
    DesktopAutostart autostart;
    const QString key = settingsKey(config.NOME_PROGRAMMA);
    UserSettings settings;
    readSettings(settings, registry, key, config, {QStringLiteral("Campana")});

    QTextStream out(stdout);
    for (const auto& [name, member] : INTEGER_SETTINGS)
        out << name << '=' << settings.*member << '\n';
    for (const auto& [name, member] : TEXT_SETTINGS)
        out << name << '=' << settings.*member << '\n';
    out << "positionKnown=" << int(settings.positionKnown) << '\n';

    const QStringList assignments = app.arguments().mid(1);
    for (const QString& assignment : assignments)
        assignSetting(settings, assignment);
    writeSettings(settings, registry, key, autostart, config.NOME_PROGRAMMA);
    return 0;
}
