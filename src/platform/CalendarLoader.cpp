#include "platform/CalendarLoader.h"

#include "platform/ProgramModules.h"

#include "sync/Calendar.h"

#include <QFileInfo>
#include <QLibrary>

QStringList CalendarLoader::defaultPaths()
{
    return programModulePaths(QStringLiteral("libbrivo_calendar.so"));
}

Calendar* CalendarLoader::load(QString& why, const QStringList& paths)
{
    static Calendar* calendar = nullptr;
    if (calendar)
        return calendar;
    QStringList tried;
    for (const QString& path : paths) {
        // Never unloaded: the calendar and what it made live in it.
        if (!QFileInfo::exists(path)) {
            tried.append(path + QStringLiteral(": no such file"));
            continue;
        }
        QLibrary module(path);
        if (!module.load()) {
            tried.append(module.errorString());
            continue;
        }
        if (const auto make = reinterpret_cast<BrivoCalendarNew>(module.resolve(CalendarModule::newName))) {
            calendar = make();
            if (calendar)
                return calendar;
        }
        tried.append(path + QStringLiteral(": not the calendar module"));
    }
    why = tried.join(QStringLiteral("; "));
    return nullptr;
}
