#include "platform/DesktopServices.h"

#include "platform/MessageBoxes.h"

DesktopServices::DesktopServices()
    : notifications(applicationTitle())
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
