#include "TestMain.h"
#include "platform/CalendarLoader.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The options' Import/Export load the calendar module; in the build it is
    // not beside the tests, so it is loaded from where it is, once for the run.
    QString why;
    if (!CalendarLoader::load(why, {QStringLiteral(BRIVO_CALENDAR_MODULE)}))
        qFatal("no calendar module: %s", qPrintable(why));
    return TestRegistry::runAll(argc, argv);
}
