#pragma once

// Every platform service as its fake, and the Services a window takes.

#include "fakes/FakeAutostart.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeLocale.h"
#include "fakes/FakeMailer.h"
#include "fakes/FakeMessageBoxes.h"
#include "fakes/FakeNotifications.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeResources.h"
#include "fakes/FakeSoundPlayer.h"
#include "platform/Services.h"

struct FakeServices {
    explicit FakeServices(const QString& localeName, const FakeResources& table = {})
        : locale(localeName)
        , resources(table)
    {
    }
    FakeClock clock;
    FakeMessageBoxes boxes;
    FakeRegistry registry;
    FakeAutostart autostart;
    FakeLocale locale;
    FakeResources resources;
    FakeSoundPlayer sound;
    FakeLauncher launcher;
    FakeMailer mailer;
    FakeNotifications notifications;
    Services services{clock, boxes, registry, autostart, locale, resources, sound, launcher, mailer, notifications};
};
