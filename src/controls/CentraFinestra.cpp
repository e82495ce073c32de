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

int place(int refStart, int refSize, int size, int screen)
{
    return keep(refStart + (refSize - size) / 2, size, screen); // C++ division truncates toward zero
}

} // namespace

QPoint Centra_Finestra(const QRect& reference, const QSize& window, const QSize& screen)
{
    return QPoint(place(reference.left(), reference.width(), window.width(), screen.width()),
        place(reference.top(), reference.height(), window.height(), screen.height()));
}

QPoint keepOnScreen(const QPoint& saved, const QSize& window, const QRect& screen)
{
    return screen.topLeft()
        + QPoint(keep(saved.x() - screen.left(), window.width(), screen.width()),
            keep(saved.y() - screen.top(), window.height(), screen.height()));
}
