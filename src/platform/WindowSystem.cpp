#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QWidget>

namespace {
std::optional<bool> pinnedWayland;
}

void WindowSystem::choosePlatform()
{
    // A -platform argument beats the variable by itself.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    // Said outright, so Qt neither guesses from XDG_SESSION_TYPE nor logs about its guess.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland" : "xcb");
}

bool WindowSystem::nativeWayland()
{
    return pinnedWayland.value_or(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
}

void WindowSystem::pinNativeWayland(std::optional<bool> answer)
{
    pinnedWayland = answer;
}

void WindowSystem::bringForward(QWidget* window)
{
    window->showNormal();
    window->raise();
    window->activateWindow();
}
