#pragma once

#include "platform/DBusNotifications.h"
#include "platform/DesktopAutostart.h"
#include "platform/DesktopLauncher.h"
#include "platform/DesktopMailer.h"
#include "platform/ProgramResources.h"
#include "platform/QSettingsRegistry.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "platform/Services.h"
#include "platform/SystemClock.h"
#include "platform/SystemLocale.h"

// The real services of the running program.
class DesktopServices {
public:
    explicit DesktopServices(const QString& helpFolder);
    Services services();
    QtMessageBoxes& messageBoxes();

private:
    SystemClock clock;
    QtMessageBoxes boxes;
    QSettingsRegistry registry;
    DesktopAutostart autostart;
    SystemLocale locale;
    ProgramResources resources;
    QtSoundPlayer sound;
    DesktopLauncher launcher;
    DesktopMailer mailer;
    DBusNotifications notifications;
};
