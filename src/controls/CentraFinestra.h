#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Centra_Finestra: a window of the given size centred over the reference
// window (half-differences truncated toward zero), then kept on the screen
// the reference is on: a coordinate before the screen's start becomes its
// start, one whose far edge passes the screen becomes the screen's end -
// window size - 1. Reckoned on that screen, not the primary one, so a dialog
// opens beside a main window kept on a second monitor.
QPoint Centra_Finestra(const QRect& reference, const QSize& window, const QRect& screen);

// A saved window position kept on the screen by the same rule.
QPoint keepOnScreen(const QPoint& saved, const QSize& window, const QRect& screen);
