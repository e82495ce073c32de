#include "platform/ProgramModules.h"

#include <QCoreApplication>

QStringList programModulePaths(const QString& fileName)
{
    const QString exe = QCoreApplication::applicationDirPath();
    return {exe + u'/' + fileName, exe + QStringLiteral("/" BRIVO_MODULES_FROM_BIN "/") + fileName};
}
