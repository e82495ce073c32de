#pragma once

#include <optional>

class QWidget;

// What the desktop lets the program do with its windows. On a native Wayland
// session the compositor alone places windows, keeps them on top and gives
// the focus: the program only asks to be shown.
namespace WindowSystem {

// Before the application object. Where a Wayland session also has X11
// (XWayland) and the person chose no platform (QT_QPA_PLATFORM, -platform),
// the program runs on X11, where its positions and its warnings on top work;
// on Wayland alone it runs on Wayland.
void choosePlatform();

bool nativeWayland();
// Tests pin the answer of nativeWayland(); nullopt asks the platform again.
void pinNativeWayland(std::optional<bool> answer);

// The window shown normal, raised and active (as far as the desktop lets a
// program take the focus).
void bringForward(QWidget* window);

} // namespace WindowSystem
