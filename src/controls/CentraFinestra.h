#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Centra_Finestra: a window of the given size centred over the reference
// window (half-differences truncated toward zero), then kept on the screen:
// a negative coordinate becomes 0, one whose far edge passes the screen
// becomes screen size - window size - 1.
QPoint Centra_Finestra(const QRect& reference, const QSize& window, const QSize& screen);

// A saved window position kept on the screen by the same rule, for a screen
// that may not start at 0,0.
QPoint keepOnScreen(const QPoint& saved, const QSize& window, const QRect& screen);
