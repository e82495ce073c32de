#include "memolist/WindowLayout.h"

#include "state/Configuration.h"

int altezzaMinima(int dpi, bool withBanner)
{
    // The allowance of 4 is the bottom border the old rule subtracted.
    return (dpi == 96 ? 190 : 240) + 4 + (withBanner ? ALTEZZA_BANNER : 0);
}

namespace {

int placeOnAxis(int saved, int client, int window, int screen)
{
    if (saved < 0)
        return 0;
    if (qint64(saved) + client <= screen)
        return saved;
    return screen - window - 1;
}

} // namespace

QPoint Posizione_Iniziale(bool known, QPoint saved, QSize client, QSize window, QSize screen)
{
    if (!known)
        return QPoint((screen.width() - window.width() - 1) / 2, (screen.height() - window.height() - 1) / 2);
    return QPoint(placeOnAxis(saved.x(), client.width(), window.width(), screen.width()),
        placeOnAxis(saved.y(), client.height(), window.height(), screen.height()));
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
