#pragma once

class Autostart;
class Clock;
class Launcher;
class LocaleService;
class Mailer;
class MessageBoxes;
class Notifications;
class Registry;
class Resources;
class SoundPlayer;

// The platform services a window uses; the program hands in the real ones,
// tests their fakes.
struct Services {
    const Clock& clock;
    MessageBoxes& boxes;
    Registry& registry;
    Autostart& autostart;
    const LocaleService& locale;
    const Resources& resources;
    SoundPlayer& sound;
    Launcher& launcher;
    Mailer& mailer;
    Notifications& notifications;
};
