#include "memolist/MemoPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

// One palette for every picture: the ink of the logo, a warm accent, and
// light fills so the header pictures read on dark and light headers alike.
const QColor ink(0x1b, 0x5e, 0x7a);
const QColor inkLight(0x8a, 0xa0, 0xb2);
const QColor paper(0xff, 0xff, 0xff);
const QColor paperShade(0xee, 0xf3, 0xf7);
const QColor accent(0xf2, 0xa1, 0x38);
const QColor accentDark(0x9a, 0x5b, 0x00);
const QColor green(0x2e, 0x9b, 0x4f);
const QColor greenDark(0x1f, 0x6e, 0x37);
const QColor red(0xd0, 0x3b, 0x3b);
const QColor grey(0xb9, 0xc0, 0xc7);
const QColor greyDark(0x7d, 0x87, 0x90);

using Drawing = std::function<void(QPainter&)>;

// A transparent picture of w x h device-independent pixels drawn by draw.
QPixmap picture(int w, int h, qreal dpr, const Drawing& draw)
{
    QPixmap pixmap(int(std::ceil(w * dpr)), int(std::ceil(h * dpr)));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

QPen pen(const QColor& colour, qreal width = 1.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void tick(QPainter& p, const QColor& colour, qreal width, QPointF offset = {})
{
    QPainterPath path;
    path.moveTo(offset + QPointF(4.0, 7.6));
    path.lineTo(offset + QPointF(6.4, 10.0));
    path.lineTo(offset + QPointF(11.0, 4.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(colour, width));
    p.drawPath(path);
}

void doneBox(QPainter& p, bool done)
{
    p.setPen(pen(done ? greenDark : greyDark));
    p.setBrush(done ? green : paper);
    p.drawRoundedRect(QRectF(1.5, 1.5, 12.0, 12.0), 2.5, 2.5);
    if (done)
        tick(p, paper, 1.9);
}

// A bell of about 12 x 14 with its top-left corner at (x, y).
void bell(QPainter& p, qreal x, qreal y, const QColor& fill, const QColor& outline)
{
    QPainterPath body;
    body.moveTo(x + 0.5, y + 11.0);
    body.cubicTo(x + 2.5, y + 9.5, x + 1.5, y + 2.0, x + 6.0, y + 1.5);
    body.cubicTo(x + 10.5, y + 2.0, x + 9.5, y + 9.5, x + 11.5, y + 11.0);
    body.closeSubpath();
    p.setPen(pen(outline));
    p.setBrush(outline);
    p.drawEllipse(QPointF(x + 6.0, y + 12.3), 1.5, 1.5); // clapper
    p.setBrush(fill);
    p.drawPath(body);
    p.drawEllipse(QPointF(x + 6.0, y + 0.9), 0.9, 0.9); // knob
}

void alarm(QPainter& p, bool on)
{
    if (on) {
        bell(p, 2.0, 1.0, accent, accentDark);
        p.setPen(pen(accentDark, 1.1));
        p.setBrush(Qt::NoBrush);
        // Ringing: short arcs round the shoulders of the bell.
        const QRectF ring(0.5, 0.0, 15.0, 15.0);
        p.drawArc(ring, 25 * 16, 40 * 16);
        p.drawArc(ring, 115 * 16, 40 * 16);
    } else {
        bell(p, 2.0, 1.0, grey, greyDark);
        p.setPen(pen(paper, 3.2));
        p.drawLine(QPointF(2.5, 2.5), QPointF(13.5, 13.5));
        p.setPen(pen(greyDark, 1.4));
        p.drawLine(QPointF(2.5, 2.5), QPointF(13.5, 13.5));
    }
}

void plusMinus(QPainter& p)
{
    p.setPen(pen(inkLight));
    p.setBrush(paperShade);
    p.drawRoundedRect(QRectF(0.5, 0.5, 10.0, 8.0), 2.0, 2.0);
    p.drawRoundedRect(QRectF(0.5, 9.5, 10.0, 8.0), 2.0, 2.0);
    p.setPen(pen(ink, 1.4));
    p.drawLine(QPointF(3.0, 4.5), QPointF(8.0, 4.5));
    p.drawLine(QPointF(5.5, 2.0), QPointF(5.5, 7.0));
    p.drawLine(QPointF(3.0, 13.5), QPointF(8.0, 13.5));
}

void sheet(QPainter& p, QRectF r)
{
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - 3.5, r.top());
    page.lineTo(r.right(), r.top() + 3.5);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(pen(ink));
    p.setBrush(paper);
    p.drawPath(page);
    p.setBrush(paperShade);
    QPainterPath fold;
    fold.moveTo(r.right() - 3.5, r.top());
    fold.lineTo(r.right() - 3.5, r.top() + 3.5);
    fold.lineTo(r.right(), r.top() + 3.5);
    p.drawPath(fold);
}

void note(QPainter& p)
{
    sheet(p, QRectF(2.5, 0.5, 11.0, 15.0));
    p.setPen(pen(inkLight, 1.0));
    for (qreal y : {5.5, 8.5, 11.5})
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
}

// A sheet with a round badge at its foot, for the sign of a command.
void badgedSheet(QPainter& p, const QColor& badge)
{
    sheet(p, QRectF(1.5, 0.5, 10.0, 13.0));
    p.setPen(pen(inkLight, 1.0));
    for (qreal y : {5.0, 7.5})
        p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
    p.setPen(pen(paper, 1.0));
    p.setBrush(badge);
    p.drawEllipse(QPointF(11.5, 11.5), 4.0, 4.0);
    p.setPen(pen(paper, 1.6));
}

void newMemo(QPainter& p)
{
    badgedSheet(p, green);
    p.drawLine(QPointF(9.5, 11.5), QPointF(13.5, 11.5));
    p.drawLine(QPointF(11.5, 9.5), QPointF(11.5, 13.5));
}

void calendar(QPainter& p)
{
    p.setPen(pen(ink));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13.0, 12.0), 1.5, 1.5);
    p.setBrush(red);
    p.drawRect(QRectF(1.5, 2.5, 13.0, 3.5));
    p.setPen(pen(ink, 1.4));
    p.drawLine(QPointF(5.0, 1.0), QPointF(5.0, 4.0)); // rings
    p.drawLine(QPointF(11.0, 1.0), QPointF(11.0, 4.0));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (qreal y : {8.0, 11.0}) {
        for (qreal x : {3.5, 6.5, 9.5, 12.5})
            p.drawRect(QRectF(x - 0.5, y, 1.8, 1.8));
    }
}

void clockFace(QPainter& p)
{
    p.setPen(pen(ink, 1.2));
    p.setBrush(paper);
    p.drawEllipse(QPointF(8.0, 8.0), 6.6, 6.6);
    p.setPen(pen(ink, 1.4));
    p.drawLine(QPointF(8.0, 8.0), QPointF(8.0, 4.0));
    p.drawLine(QPointF(8.0, 8.0), QPointF(11.0, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(8.0, 8.0), 1.1, 1.1);
}

void alarmDifference(QPainter& p)
{
    bell(p, 0.5, 1.0, accent, accentDark);
    // A small plus-minus beside the bell, minutes before or after, on a light
    // badge so it reads on every header colour.
    p.setPen(pen(inkLight));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(12.5, 0.5, 7.0, 11.0), 2.0, 2.0);
    p.setPen(pen(ink, 1.3));
    p.drawLine(QPointF(14.0, 4.5), QPointF(18.0, 4.5));
    p.drawLine(QPointF(16.0, 2.5), QPointF(16.0, 6.5));
    p.drawLine(QPointF(14.0, 9.0), QPointF(18.0, 9.0));
}

void play(QPainter& p)
{
    p.setPen(pen(ink));
    p.setBrush(QColor(0x2f, 0x9b, 0xb3));
    p.drawEllipse(QPointF(7.0, 7.0), 6.3, 6.3);
    QPainterPath triangle;
    triangle.moveTo(5.3, 4.0);
    triangle.lineTo(10.3, 7.0);
    triangle.lineTo(5.3, 10.0);
    triangle.closeSubpath();
    p.setPen(pen(paper, 0.8));
    p.setBrush(paper);
    p.drawPath(triangle);
}

void dropDown(QPainter& p)
{
    p.setPen(pen(inkLight));
    p.setBrush(paperShade);
    p.drawRoundedRect(QRectF(0.5, 2.5, 10.0, 11.0), 2.0, 2.0);
    QPainterPath arrow;
    arrow.moveTo(3.0, 6.5);
    arrow.lineTo(8.0, 6.5);
    arrow.lineTo(5.5, 9.5);
    arrow.closeSubpath();
    p.setPen(pen(ink, 0.8));
    p.setBrush(ink);
    p.drawPath(arrow);
}

void cross(QPainter& p)
{
    p.setPen(pen(red, 2.2));
    p.drawLine(QPointF(3.0, 3.0), QPointF(11.0, 11.0));
    p.drawLine(QPointF(11.0, 3.0), QPointF(3.0, 11.0));
}

void doneHeader(QPainter& p)
{
    p.setPen(pen(ink));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13.0, 13.0), 2.5, 2.5);
    tick(p, green, 2.0, QPointF(0.5, 0.5));
}

// A sheet with a red cross; grey when the command is not available.
void deleteMemo(QPainter& p, bool enabled)
{
    badgedSheet(p, enabled ? red : grey);
    p.drawLine(QPointF(10.0, 10.0), QPointF(13.0, 13.0));
    p.drawLine(QPointF(13.0, 10.0), QPointF(10.0, 13.0));
    if (!enabled) {
        // The page greys out too, so the whole icon reads as off.
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.fillRect(QRectF(0, 0, 16, 16), QColor(255, 255, 255, 130));
    }
}

// The calendar with a downward arrow: sort by date.
void sortByDate(QPainter& p)
{
    p.save();
    p.scale(0.75, 0.75);
    calendar(p);
    p.restore();
    p.setPen(pen(accentDark, 1.6));
    p.drawLine(QPointF(13.0, 5.5), QPointF(13.0, 14.5));
    p.drawLine(QPointF(10.8, 12.0), QPointF(13.0, 14.5));
    p.drawLine(QPointF(15.2, 12.0), QPointF(13.0, 14.5));
}

// A round alarm clock with two bells on top.
void alarmClock(QPainter& p)
{
    p.setPen(pen(accentDark, 1.0));
    p.setBrush(accent);
    p.drawChord(QRectF(0.5, 0.5, 6.0, 6.0), 30 * 16, 180 * 16);
    p.drawChord(QRectF(9.5, 0.5, 6.0, 6.0), -30 * 16, 180 * 16);
    p.setPen(pen(ink, 1.2));
    p.drawLine(QPointF(4.0, 13.5), QPointF(2.5, 15.0));
    p.drawLine(QPointF(12.0, 13.5), QPointF(13.5, 15.0));
    p.setBrush(paper);
    p.drawEllipse(QPointF(8.0, 8.8), 5.9, 5.9);
    p.setPen(pen(ink, 1.3));
    p.drawLine(QPointF(8.0, 8.8), QPointF(8.0, 5.2));
    p.drawLine(QPointF(8.0, 8.8), QPointF(10.6, 10.2));
}

// A gear: the options.
void gear(QPainter& p)
{
    QPainterPath path;
    const QPointF c(8.0, 8.0);
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal r = i % 2 == 0 ? 7.3 : 5.4;
        const qreal a0 = (i - 0.5) * M_PI / teeth;
        const qreal a1 = (i + 0.5) * M_PI / teeth;
        const QPointF p0 = c + QPointF(r * std::cos(a0), r * std::sin(a0));
        const QPointF p1 = c + QPointF(r * std::cos(a1), r * std::sin(a1));
        if (i == 0)
            path.moveTo(p0);
        else
            path.lineTo(p0);
        path.lineTo(p1);
    }
    path.closeSubpath();
    path.addEllipse(c, 2.2, 2.2);
    p.setPen(pen(ink, 1.0));
    p.setBrush(inkLight);
    p.drawPath(path);
}

// An envelope: recommend by mail.
void envelope(QPainter& p)
{
    p.setPen(pen(ink, 1.0));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(0.5, 3.5, 15.0, 10.0), 1.5, 1.5);
    QPainterPath flap;
    flap.moveTo(1.0, 4.0);
    flap.lineTo(8.0, 9.5);
    flap.lineTo(15.0, 4.0);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRect(QRectF(11.0, 5.0, 2.5, 2.0)); // the stamp
}

// A question mark in a blue disc: the guide.
void help(QPainter& p)
{
    p.setPen(pen(ink, 1.0));
    p.setBrush(QColor(0x2f, 0x9b, 0xb3));
    p.drawEllipse(QPointF(8.0, 8.0), 7.0, 7.0);
    QPainterPath q;
    q.moveTo(5.6, 6.2);
    q.cubicTo(5.6, 3.2, 10.6, 3.2, 10.4, 6.2);
    q.cubicTo(10.3, 7.9, 8.0, 8.1, 8.0, 10.0);
    p.setPen(pen(paper, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QPointF(8.0, 12.4), 1.1, 1.1);
}

// An arrow head for the move buttons, pointing up or down, with a bar for
// the ends of the list.
void moveArrow(QPainter& p, bool up, bool toEnd)
{
    QPainterPath head;
    const qreal tip = up ? 4.0 : 14.0;
    const qreal base = up ? 10.0 : 8.0;
    head.moveTo(9.0, tip);
    head.lineTo(14.0, base);
    head.lineTo(4.0, base);
    head.closeSubpath();
    p.setPen(pen(ink, 1.0));
    p.setBrush(ink);
    p.drawPath(head);
    p.setPen(pen(ink, 2.0));
    p.drawLine(QPointF(9.0, base), QPointF(9.0, up ? 14.0 : 4.0));
    if (toEnd) {
        p.setPen(pen(accentDark, 1.8));
        const qreal y = up ? 2.0 : 16.0;
        p.drawLine(QPointF(4.0, y), QPointF(14.0, y));
    }
}

// A pin, upright when the window stays on top, lying when it does not.
void pin(QPainter& p, bool upright)
{
    if (!upright) {
        p.translate(6.5, 8.0);
        p.rotate(-55.0);
        p.translate(-6.5, -8.0);
    }
    p.setPen(pen(greyDark, 1.3));
    p.drawLine(QPointF(6.5, 9.0), QPointF(6.5, 15.5));
    p.setPen(pen(upright ? QColor(0x9b, 0x1c, 0x1c) : greyDark, 1.0));
    p.setBrush(upright ? red : grey);
    p.drawRoundedRect(QRectF(3.5, 0.5, 6.0, 4.0), 1.0, 1.0);
    p.drawRect(QRectF(5.0, 4.5, 3.0, 3.0));
    p.drawRoundedRect(QRectF(1.5, 7.5, 10.0, 2.0), 1.0, 1.0);
}

// A window outline, with a band across its foot when the banner shows.
void windowSize(QPainter& p, bool withBanner)
{
    p.setPen(pen(ink, 1.0));
    p.setBrush(paper);
    p.drawRect(QRectF(1.5, 1.5, 13.0, 13.0));
    p.setBrush(ink);
    p.drawRect(QRectF(1.5, 1.5, 13.0, 2.5)); // the title bar
    p.setPen(pen(inkLight, 1.0));
    const qreal bottom = withBanner ? 8.0 : 12.0;
    for (qreal y = 6.0; y <= bottom; y += 2.0)
        p.drawLine(QPointF(3.5, y), QPointF(12.5, y));
    if (withBanner) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x9b, 0xb3));
        p.drawRect(QRectF(2.0, 10.0, 12.0, 4.0));
    }
}

} // namespace

MemoPictures::MemoPictures(qreal dpr)
    : imgCopy_DropDown(picture(11, 16, dpr, dropDown))
    , imgCopy_Cancella(picture(14, 14, dpr, cross))
    , imgCopy_PiuMeno(picture(11, 18, dpr, plusMinus))
    , imgCopy_Eseguito_True(picture(15, 15, dpr, [](QPainter& p) { doneBox(p, true); }))
    , imgCopy_Eseguito_False(picture(15, 15, dpr, [](QPainter& p) { doneBox(p, false); }))
    , imgCopy_Attivo_True(picture(16, 16, dpr, [](QPainter& p) { alarm(p, true); }))
    , imgCopy_Attivo_False(picture(16, 16, dpr, [](QPainter& p) { alarm(p, false); }))
    , imgCopy_PlaySuono(picture(14, 14, dpr, play))
    , imgCopy_Col_Eseguito(picture(16, 16, dpr, doneHeader))
    , imgCopy_Col_Data(picture(16, 16, dpr, calendar))
    , imgCopy_Col_Note(picture(16, 16, dpr, note))
    , imgCopy_Col_Orario(picture(16, 16, dpr, clockFace))
    , imgCopy_Diff_Allarme(picture(20, 16, dpr, alarmDifference))
    , imgCopy_Nuovo(picture(16, 16, dpr, newMemo))
    , imgNuovo(imgCopy_Nuovo)
    , imgCancella_Enabled(picture(16, 16, dpr, [](QPainter& p) { deleteMemo(p, true); }))
    , imgCancella_Disabled(picture(16, 16, dpr, [](QPainter& p) { deleteMemo(p, false); }))
    , imgSort(picture(16, 16, dpr, sortByDate))
    , imgSveglie(picture(16, 16, dpr, alarmClock))
    , imgProprieta(picture(16, 16, dpr, gear))
    , imgMail(picture(16, 16, dpr, envelope))
    , imgHelp(picture(16, 16, dpr, help))
    , btnSuTutto(picture(18, 18, dpr, [](QPainter& p) { moveArrow(p, true, true); }))
    , btnGiuTutto(picture(18, 18, dpr, [](QPainter& p) { moveArrow(p, false, true); }))
    , btnSuUno(picture(18, 18, dpr, [](QPainter& p) { moveArrow(p, true, false); }))
    , btnGiuUno(picture(18, 18, dpr, [](QPainter& p) { moveArrow(p, false, false); }))
    , imgNormal(picture(13, 16, dpr, [](QPainter& p) { pin(p, false); }))
    , imgTopMost(picture(13, 16, dpr, [](QPainter& p) { pin(p, true); }))
    , imgConBanner(picture(16, 16, dpr, [](QPainter& p) { windowSize(p, true); }))
    , imgSenzaBanner(picture(16, 16, dpr, [](QPainter& p) { windowSize(p, false); }))
{
}
