#include "memolist/TextWidths.h"

#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QTime>

#include <array>
#include <cmath>

namespace {

constexpr int minutesOfDay = 24 * 60;

// Widths in 64ths of a pixel, the unit text layout adds in, so that sums are exact.
qint64 units(qreal width)
{
    return std::llround(width * 64);
}

int measureAll(const QList<QString>& texts, const QFontMetrics& fm)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = qMax(widest, fm.horizontalAdvance(text));
    return widest;
}

// Latin-1 letters, digits, signs and spaces: text a font shapes glyph by
// glyph, each pair of neighbours at most kerned.
bool glyphByGlyph(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u > 0xff)
            return false;
    }
    return true;
}

} // namespace

int widestTimeWidth(const QString& format, const QFontMetrics& fm)
{
    QList<QString> texts(minutesOfDay);
    for (int minute = 0; minute < minutesOfDay; ++minute)
        texts[minute] = QTime(minute / 60, minute % 60).toString(format);
    for (const QString& text : texts) {
        if (text.size() < 2 || !glyphByGlyph(text))
            return measureAll(texts, fm);
    }
    // Laying out all 1,440 texts cost more than the rest of the grid's start.
    // Where a text is its glyphs' advances plus the kerning of each pair of
    // neighbours, its width follows from the widths of its characters and
    // pairs, which the day's texts share: only the texts that come out widest
    // so are laid out, and the widest of them is the column's.
    const QFontMetricsF fmf(fm);
    std::array<qint64, 256> single;
    single.fill(-1);
    QHash<quint32, qint64> pairs;
    const auto singleWidth = [&](char16_t c) {
        if (single[c] < 0)
            single[c] = units(fmf.horizontalAdvance(QString(QChar(c))));
        return single[c];
    };
    QList<qint64> estimates(minutesOfDay);
    qint64 widest = 0;
    for (int minute = 0; minute < minutesOfDay; ++minute) {
        const QString& text = texts[minute];
        // Each pair laid out alone, less the characters both pairs around one share.
        qint64 width = 0;
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            const char16_t a = text[i].unicode();
            const char16_t b = text[i + 1].unicode();
            const quint32 key = quint32(a) << 16 | b;
            auto it = pairs.constFind(key);
            if (it == pairs.cend())
                it = pairs.insert(key, units(fmf.horizontalAdvance(text.mid(i, 2))));
            width += *it;
            if (i > 0)
                width -= singleWidth(a);
        }
        estimates[minute] = width;
        widest = qMax(widest, width);
    }
    // Every text that comes within a pixel of the widest, one of each width.
    QList<qint64> measured;
    int result = 0;
    for (int minute = 0; minute < minutesOfDay; ++minute) {
        if (estimates[minute] + 64 < widest || measured.contains(estimates[minute]))
            continue;
        measured.append(estimates[minute]);
        result = qMax(result, fm.horizontalAdvance(texts[minute]));
    }
    return result;
}
