// Draws the grid's shared pictures (check boxes and signal lights) at 1x, 2x
// and 3x into the current folder. Build target: draw_grid_pictures (not built
// by default); run it from resources/controls/ after changing a picture.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int side = 15; // device-independent size of every picture

struct BoxStyle {
    QColor border;
    QColor fill;
    QColor tick;
};

QImage canvas(int scale)
{
    QImage image(side * scale, side * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent); // the top-left pixel stays transparent: it is the key colour
    return image;
}

QImage drawBox(int scale, const BoxStyle& style, bool ticked)
{
    QImage image = canvas(scale);
    QPainter p(&image);
    // Box of 13 x 13 inside a 1-pixel transparent margin, border one pixel wide at any scale factor.
    const QRect outer(scale, scale, 13 * scale, 13 * scale);
    p.fillRect(outer, style.border);
    p.fillRect(outer.adjusted(scale, scale, -scale, -scale), style.fill);
    if (ticked) {
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        QPainterPath tick;
        tick.moveTo(4.0, 7.6);
        tick.lineTo(6.4, 10.0);
        tick.lineTo(11.0, 4.6);
        p.setPen(QPen(style.tick, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return image;
}

QImage drawLight(int scale, const QColor& colour)
{
    QImage image = canvas(scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QRadialGradient glow(QPointF(6.0, 6.0), 6.5);
    glow.setColorAt(0.0, colour.lighter(160));
    glow.setColorAt(1.0, colour);
    p.setBrush(glow);
    p.setPen(QPen(colour.darker(180), 1.0));
    p.drawEllipse(QRectF(1.5, 1.5, 12.0, 12.0));
    return image;
}

bool save(const QImage& image, const char* name, int scale)
{
    const QString file = scale == 1 ? QStringLiteral("%1.png").arg(QLatin1String(name))
                                    : QStringLiteral("%1@%2x.png").arg(QLatin1String(name)).arg(scale);
    if (!image.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const BoxStyle normal{QColor(0x55, 0x5b, 0x66), Qt::white, QColor(0x1b, 0x1f, 0x24)};
    const BoxStyle selected{QColor(0x0b, 0x3d, 0x91), QColor(0xea, 0xf2, 0xff), QColor(0x0b, 0x3d, 0x91)};
    bool ok = true;
    for (int scale = 1; scale <= 3; ++scale) {
        ok &= save(drawBox(scale, normal, true), "CHECK_NORM", scale);
        ok &= save(drawBox(scale, selected, true), "CHECK_SEL", scale);
        ok &= save(drawBox(scale, normal, false), "UNCHECK_NORM", scale);
        ok &= save(drawBox(scale, selected, false), "UNCHECK_SEL", scale);
        ok &= save(drawLight(scale, QColor(0x2e, 0xa0, 0x43)), "SEMAFORO_VERDE", scale);
        ok &= save(drawLight(scale, QColor(0xe8, 0xb4, 0x00)), "SEMAFORO_GIALLO", scale);
        ok &= save(drawLight(scale, QColor(0xd0, 0x2b, 0x2b)), "SEMAFORO_ROSSO", scale);
    }
    return ok ? 0 : 1;
}
