#include "memolist/WindowLayout.h"

#include "state/Configuration.h"

int altezzaMinima(int dpi, bool withBanner)
{
    // The allowance of 4 is the bottom border the old rule subtracted.
    return (dpi == 96 ? 190 : 240) + 4 + (withBanner ? ALTEZZA_BANNER : 0);
}

QPoint Posizione_Centrata(QSize window, QSize screen)
{
    return QPoint((screen.width() - window.width() - 1) / 2, (screen.height() - window.height() - 1) / 2);
}

bool Banner_Forzato(const BuildConfig& c, qint32 qt_aperture_prog)
{
    return c.VIS_BANNER_FORZATA_ON && c.BANNER_PRESENTE_ON && c.RIDIMENSIONAMENTO_ON
        && c.VIS_BANNER_FORZATA_OGNI_QT_VOLTE >= 1 && qt_aperture_prog % c.VIS_BANNER_FORZATA_OGNI_QT_VOLTE == 0;
}

int sizeWithin(qint32 saved, int minimum, int maximum)
{
    return qMax(minimum, qMin(int(saved), maximum));
}
