#include "platform/DesktopServices.h"

#include "platform/MessageBoxes.h"

DesktopServices::DesktopServices(const QString& helpFolder)
    : launcher(boxes, helpFolder)
    , notifications(applicationTitle())
{
}

Services DesktopServices::services()
{
    return Services{clock, boxes, registry, autostart, locale, resources, sound, launcher, mailer, notifications};
}

QtMessageBoxes& DesktopServices::messageBoxes()
{
    return boxes;
}
