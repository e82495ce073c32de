#pragma once

#include <QPoint>
#include <QSize>

struct BuildConfig;

// The main window can never be narrower than this.
constexpr int LARGHEZZA_MINIMA = 476;
// Height of the banner picture below the memo list.
constexpr int ALTEZZA_BANNER = 60;

// FormCanResize: the lowest window height, frame included: 194 on a screen
// of 96 dots per inch, 244 on any other, each plus the banner when shown.
int altezzaMinima(int dpi, bool withBanner);

// Applica_Posizione without a saved position: the window centred on the
// screen, half-differences truncated.
QPoint Posizione_Centrata(QSize window, QSize screen);

// The banner is forced at every Nth start (qt_aperture_prog counts this one).
bool Banner_Forzato(const BuildConfig& config, qint32 qt_aperture_prog);

// A saved size taken within [minimum, maximum]; the minimum wins when the
// two cross (a screen smaller than the smallest window).
int sizeWithin(qint32 saved, int minimum, int maximum);
