#include "controls/PlaceOver.h"

#include "controls/CentraFinestra.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeOver(QWidget& window, const QWidget* over)
{
    QSize framed = window.frameGeometry().size();
    if (over && framed == window.size())
        framed += over->frameGeometry().size() - over->size();
    const QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    window.move(Centra_Finestra(over ? over->frameGeometry() : QRect(), framed, screen ? screen->geometry() : QRect()));
}
