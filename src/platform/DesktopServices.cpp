#include "platform/DesktopServices.h"

DesktopServices::DesktopServices() = default;

Services DesktopServices::services()
{
    return Services{clock, boxes, registry, autostart, locale, resources, sound, launcher, mailer};
}

QtMessageBoxes& DesktopServices::messageBoxes()
{
    return boxes;
}
