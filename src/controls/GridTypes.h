#pragma once

#include <QColor>
#include <QFlags>
#include <QImage>
#include <QPixmap>

// Cell flags given to OnDrawCell and the drawing operations.
enum class GridDrawFlag { Selected = 1, Focused = 2, Fixed = 4 };
Q_DECLARE_FLAGS(GridDrawState, GridDrawFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridDrawState)

enum class GridOption {
    FixedVertLine = 0x1,
    FixedHorzLine = 0x2,
    VertLine = 0x4,
    HorzLine = 0x8,
    RangeSelect = 0x10,
    RowSelect = 0x20,
    Editing = 0x40,
    AlwaysShowEditor = 0x80,
    DrawFocusSelected = 0x100,
    Tabs = 0x200, // Tab and Shift+Tab move between cells instead of to the next widget
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// Alignment argument of the drawing operations; any other value means 2 px from the left.
constexpr int ALLINEA_SINISTRA = 0;
constexpr int ALLINEA_DESTRA = 1;
constexpr int ALLINEA_CENTRO = 2;

// The colour argument value that means "no override".
constexpr qint32 NO_COLOR_VALUE = 536870911; // 0x1FFFFFFF

// A colour argument of the drawing operations: a colour, or none.
class GridColor {
public:
    GridColor(const QColor& color)
        : m_color(color)
    {
    }
    GridColor(Qt::GlobalColor color)
        : m_color(color)
    {
    }
    // A 32-bit platform colour value: 0x00BBGGRR, or 0x02BBGGRR palette-relative.
    // NO_COLOR_VALUE and any other form mean none.
    GridColor(qint32 value);

    bool isNone() const
    {
        return !m_color.isValid();
    }
    QColor color() const
    {
        return m_color;
    }

private:
    QColor m_color;
};

// Round to nearest, halves to the even neighbour (as the cell placement does).
int roundHalfEven(double value);

// The picture with every pixel of its top-left pixel's colour made transparent.
QPixmap transparentByTopLeft(const QImage& image);

// A colour of a scheme (0xAARRGGBB) as the drawing operations take it.
inline GridColor schemeColour(quint32 argb)
{
    return GridColor(QColor::fromRgb(argb));
}
