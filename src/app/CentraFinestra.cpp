#include "app/CentraFinestra.h"

namespace {

int place(int refStart, int refSize, int size, int screen)
{
    const int start = refStart + (refSize - size) / 2; // C++ division truncates toward zero
    if (start >= 0 && start + size <= screen)
        return start;
    if (start < 0)
        return 0;
    return screen - size - 1;
}

} // namespace

QPoint Centra_Finestra(const QRect& reference, const QSize& window, const QSize& screen)
{
    return QPoint(place(reference.left(), reference.width(), window.width(), screen.width()),
        place(reference.top(), reference.height(), window.height(), screen.height()));
}
