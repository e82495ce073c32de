#include "controls/CentraFinestra.h"

namespace {

int keep(int start, int size, int screen)
{
    if (start >= 0 && start + size <= screen)
        return start;
    if (start < 0)
        return 0;
    return screen - size - 1;
}

} // namespace

QPoint Centra_Finestra(const QRect& reference, const QSize& window, const QRect& screen)
{
    // C++ division truncates toward zero.
    const QPoint centred(reference.left() + (reference.width() - window.width()) / 2,
        reference.top() + (reference.height() - window.height()) / 2);
    return keepOnScreen(centred, window, screen);
}

QPoint keepOnScreen(const QPoint& saved, const QSize& window, const QRect& screen)
{
    return screen.topLeft()
        + QPoint(keep(saved.x() - screen.left(), window.width(), screen.width()),
            keep(saved.y() - screen.top(), window.height(), screen.height()));
}
