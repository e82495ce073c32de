// Painting of TA_DBStringGrid: cells, fixed rows and the drawing operations
// that the windows call from OnDrawCell.

#include "controls/A_DBStringGrid.h"

#include "controls/A_InplaceEdit.h"
#include "controls/GridCellModel.h"
#include "controls/GridFixedRows.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

GridColor::GridColor(qint32 value)
{
    const auto raw = static_cast<quint32>(value);
    const quint32 kind = raw >> 24;
    if (value != NO_COLOR_VALUE && (kind == 0 || kind == 2)) {
        m_color = QColor(int(raw & 0xFF), int((raw >> 8) & 0xFF), int((raw >> 16) & 0xFF));
    }
}

int roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double diff = value - down;
    double result = down;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(down, 2.0) != 0.0)) {
        result = down + 1.0;
    }
    return static_cast<int>(result);
}

QPixmap transparentByTopLeft(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, 0);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (line[x] == key) {
                line[x] = 0;
            }
        }
    }
    return QPixmap::fromImage(argb);
}

namespace {

int placeX(int alignment, int margin, int freeWidth)
{
    switch (alignment) {
    case ALLINEA_SINISTRA:
        return margin;
    case ALLINEA_DESTRA:
        return freeWidth - margin;
    case ALLINEA_CENTRO:
        return margin + roundHalfEven(freeWidth / 2.0);
    default:
        return 2;
    }
}

bool selectedOrFocused(GridDrawState state)
{
    return state.testFlag(GridDrawFlag::Selected) || state.testFlag(GridDrawFlag::Focused);
}

// Opaque text: the clip rectangle is filled with the background first.
void writeText(QPainter& p, const QRect& clip, QPoint at, const QString& text, const QColor& ink, const QColor& back)
{
    p.save();
    p.setClipRect(clip);
    p.fillRect(clip, back);
    p.setPen(ink);
    p.drawText(QPoint(at.x(), at.y() + QFontMetrics(p.font()).ascent()), text);
    p.restore();
}

} // namespace

QFont TA_DBStringGrid::standardGridFont() const
{
    // Where "MS Sans Serif" or Arial are missing, an installed Arial-metric
    // face keeps the narrow columns readable: the generic fallback is often
    // a much wider face.
    static const QStringList arialLike{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
        QStringLiteral("Nimbus Sans"), QStringLiteral("Arimo")};
    const int dpi = logicalDpiY();
    QFont font;
    if (dpi == 96) {
        font.setFamilies(QStringList{QStringLiteral("MS Sans Serif")} + arialLike);
        font.setPointSize(8);
    } else {
        font.setFamilies(arialLike);
        font.setPointSize(qMax(1, 864 / qMax(dpi, 1)));
    }
    return font;
}

QRect TA_DBStringGrid::viewportCellRect(int col, int row) const
{
    const int net = row - FixedRows();
    return QRect(columnViewportPosition(col), rowViewportPosition(net), columnWidth(col) - m_gridLineWidth,
        rowHeight(net) - m_gridLineWidth);
}

QRect TA_DBStringGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) {
        return {};
    }
    if (row < FixedRows()) {
        if (m_fixedHeader->isHidden()) {
            return {};
        }
        const int step = m_defaultRowHeight + m_gridLineWidth;
        const QRect r(m_fixedHeader->sectionViewportPosition(col), row * step, ColWidths(col), m_defaultRowHeight);
        if (!m_fixedHeader->viewport()->rect().intersects(r)) {
            return {};
        }
        return r.translated(m_fixedHeader->viewport()->mapTo(this, QPoint(0, 0)));
    }
    const QRect r = viewportCellRect(col, row);
    if (!viewport()->rect().intersects(r)) {
        return {};
    }
    return r.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

void TA_DBStringGrid::MouseToCell(QPoint pos, int& col, int& row) const
{
    col = -1;
    row = -1;
    if (!m_fixedHeader->isHidden()) {
        const QPoint hp = m_fixedHeader->viewport()->mapFrom(this, pos);
        if (m_fixedHeader->viewport()->rect().contains(hp)) {
            const int r = hp.y() / (m_defaultRowHeight + m_gridLineWidth);
            const int c = m_fixedHeader->logicalIndexAt(hp.x());
            if (r < FixedRows() && c >= 0) {
                col = c;
                row = r;
            }
            return;
        }
    }
    const QPoint vp = viewport()->mapFrom(this, pos);
    if (viewport()->rect().contains(vp)) {
        const int r = rowAt(vp.y());
        const int c = columnAt(vp.x());
        if (r >= 0 && c >= 0) {
            col = c;
            row = r + FixedRows();
        }
    }
}

GridDrawState TA_DBStringGrid::cellState(int col, int row) const
{
    GridDrawState state;
    if (row < FixedRows() || col < FixedCols()) {
        return GridDrawFlag::Fixed;
    }
    const bool gridFocused = hasFocus() || (m_editor && m_editor->hasFocus());
    if (gridFocused && col == m_col && row == m_row) {
        state |= GridDrawFlag::Focused;
    }
    const bool drawSel = !state.testFlag(GridDrawFlag::Focused) || m_options.testFlag(GridOption::DrawFocusSelected)
        || m_options.testFlag(GridOption::RowSelect);
    if (drawSel && Selection().contains(col, row)) {
        state |= GridDrawFlag::Selected;
    }
    return state;
}

void TA_DBStringGrid::drawCell(QPainter& p, int col, int row, const QRect& rect, GridDrawState state)
{
    p.save();
    p.setFont(m_cellFont);
    if (m_defaultDrawing) {
        QColor back = m_color;
        QColor ink = m_fontColor;
        if (state.testFlag(GridDrawFlag::Fixed)) {
            back = m_fixedColor;
        } else if (selectedOrFocused(state)) {
            back = palette().color(QPalette::Highlight);
            ink = palette().color(QPalette::HighlightedText);
        }
        writeText(p, rect, rect.topLeft() + QPoint(2, 2), Cells(col, row), ink, back);
    }
    if (OnDrawCell) {
        OnDrawCell(this, col, row, rect, state);
    }
    // The focused cell is framed, so a keyboard user sees where keys go.
    const bool editing = m_editor && m_editor->isVisible() && col == m_inplaceCol && row == m_inplaceRow;
    if (state.testFlag(GridDrawFlag::Focused) && !editing && rect.width() > 4 && rect.height() > 4) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    p.restore();
}

void TA_DBStringGrid::drawCellLines(QPainter& p, const QRect& cell, bool fixed)
{
    if (m_gridLineWidth <= 0) {
        return;
    }
    const bool vert = m_options.testFlag(fixed ? GridOption::FixedVertLine : GridOption::VertLine);
    const bool horz = m_options.testFlag(fixed ? GridOption::FixedHorzLine : GridOption::HorzLine);
    const QColor line = palette().color(fixed ? QPalette::Dark : QPalette::Mid);
    if (vert) {
        p.fillRect(QRect(cell.right() + 1, cell.top(), m_gridLineWidth, cell.height() + m_gridLineWidth), line);
    }
    if (horz) {
        p.fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width() + m_gridLineWidth, m_gridLineWidth), line);
    }
}

void TA_DBStringGrid::paintEvent(QPaintEvent* e)
{
    m_posizionaBordo = true;
    m_cellFont = standardGridFont();
    m_fontColor = palette().color(QPalette::WindowText);
    QPainter p(viewport());
    const QRect area = e->rect();
    p.fillRect(area, m_color);
    // Only the rows and columns under the damaged area are drawn.
    const int firstRow = rowAt(area.top());
    const int firstCol = columnAt(area.left());
    if (firstRow < 0 || firstCol < 0) {
        return;
    }
    int lastRow = rowAt(area.bottom());
    int lastCol = columnAt(area.right());
    if (lastRow < 0) {
        lastRow = m_cells->rowCount() - 1;
    }
    if (lastCol < 0) {
        lastCol = ColCount() - 1;
    }
    m_canvas = &p;
    for (int r = firstRow + FixedRows(); r <= lastRow + FixedRows(); ++r) {
        for (int c = firstCol; c <= lastCol; ++c) {
            const QRect rect = viewportCellRect(c, r);
            drawCell(p, c, r, rect, cellState(c, r));
            drawCellLines(p, rect, false);
        }
    }
    m_canvas = nullptr;
}

void TA_DBStringGrid::paintFixedRows(QPainter& p, const QRect& area)
{
    m_posizionaBordo = true;
    m_cellFont = standardGridFont();
    m_fontColor = palette().color(QPalette::WindowText);
    p.fillRect(area, m_color);
    const int firstCol = m_fixedHeader->logicalIndexAt(area.left());
    if (firstCol < 0) {
        return;
    }
    int lastCol = m_fixedHeader->logicalIndexAt(area.right());
    if (lastCol < 0) {
        lastCol = ColCount() - 1;
    }
    const int step = m_defaultRowHeight + m_gridLineWidth;
    m_canvas = &p;
    for (int c = firstCol; c <= lastCol; ++c) {
        for (int r = 0; r < FixedRows(); ++r) {
            const QRect rect(m_fixedHeader->sectionViewportPosition(c), r * step, ColWidths(c), m_defaultRowHeight);
            drawCell(p, c, r, rect, GridDrawFlag::Fixed);
            drawCellLines(p, rect, true);
        }
    }
    m_canvas = nullptr;
}

// ---- Drawing operations ----

int TA_DBStringGrid::Disegna_Testo(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect, GridDrawState State,
    int Alignment, int Margin, GridColor FontColor, GridColor BrushColor, int MaxWidth)
{
    if (!Sender || !Sender->m_canvas) {
        return -1;
    }
    QPainter& p = *Sender->m_canvas;
    const bool noData = Sender->qt_righe_Nette < 1;
    const bool sel = selectedOrFocused(State);
    const bool fixed = State.testFlag(GridDrawFlag::Fixed);
    QString text = Sender->Cells(ACol, ARow);
    const QFontMetrics fm(p.font());
    // A left-aligned text wider than its cell ends with an ellipsis, not
    // mid-letter; numbers are never shortened.
    const int room = Rect.width() - Margin;
    if (Alignment == ALLINEA_SINISTRA && room > 0 && fm.horizontalAdvance(text) > room) {
        text = fm.elidedText(text, Qt::ElideRight, room);
    }
    const int x = placeX(Alignment, Margin, Rect.width() - fm.horizontalAdvance(text));
    const int y = roundHalfEven((Rect.height() - fm.height()) / 2.0);

    QColor ink = Sender->m_fontColor;
    if (sel && !noData) {
        ink = Sender->Colore_Testo_Sel;
    }
    if (!FontColor.isNone()) {
        ink = FontColor.color(); // an explicit colour beats the selection colour
    }
    QColor back = Sender->m_color;
    if (!BrushColor.isNone()) {
        back = BrushColor.color();
    }
    if (sel) {
        back = Sender->Colore_Back_Sel;
    }
    if (noData) {
        back = Sender->m_color;
    }
    if (fixed) {
        back = Sender->m_fixedColor;
    }

    QRect clip = Rect;
    if (MaxWidth >= 0) {
        p.fillRect(Rect, back);
        clip.setWidth(qMin(MaxWidth, Rect.width()));
    }
    writeText(p, clip, Rect.topLeft() + QPoint(x, y), text, ink, back);
    if (fixed && Sender->m_options.testFlag(GridOption::FixedVertLine)
        && Sender->m_options.testFlag(GridOption::FixedHorzLine)) {
        // Raised inner edge on the top and left sides.
        const QColor light = Sender->palette().color(QPalette::Light);
        p.fillRect(QRect(Rect.left(), Rect.top(), Rect.width(), 1), light);
        p.fillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height()), light);
    }
    Sender->placeBorderPanel();
    return 1;
}

int TA_DBStringGrid::Disegna_Testo_Sel(TA_DBStringGrid* Sender, int ACol, int ARow, const QRect& Rect,
    GridDrawState State, int Alignment, int Margin, GridColor FontColor, GridColor BrushColor)
{
    if (!Sender || !Sender->m_canvas) {
        return -1;
    }
    QPainter& p = *Sender->m_canvas;
    const bool sel = selectedOrFocused(State);
    const QString text = Sender->Cells(ACol, ARow);
    const QFontMetrics fm(p.font());
    const int x = placeX(Alignment, Margin, Rect.width() - fm.horizontalAdvance(text));
    const int y = roundHalfEven((Rect.height() - fm.height()) / 2.0);

    QColor ink = Sender->m_fontColor;
    if (!FontColor.isNone()) {
        ink = FontColor.color();
    }
    if (sel) {
        ink = Sender->Colore_Testo_Sel; // here the selection colour wins
    }
    QColor back = Sender->m_color;
    if (!BrushColor.isNone()) {
        back = BrushColor.color();
    }
    if (sel) {
        back = Sender->Colore_Back_Sel;
    }
    writeText(p, Rect, Rect.topLeft() + QPoint(x, y), text, ink, back);
    if (State.testFlag(GridDrawFlag::Fixed) && Sender->m_options.testFlag(GridOption::FixedVertLine)
        && Sender->m_options.testFlag(GridOption::FixedHorzLine)) {
        const QColor light = Sender->palette().color(QPalette::Light);
        p.fillRect(QRect(Rect.left(), Rect.top(), Rect.width(), 1), light);
        p.fillRect(QRect(Rect.left(), Rect.top(), 1, Rect.height()), light);
    }
    Sender->placeBorderPanel();
    return 1;
}

namespace {

QColor pictureBackground(const TA_DBStringGrid* grid, GridDrawState state, GridColor brush)
{
    QColor back = grid->Color();
    if (!brush.isNone()) {
        back = brush.color();
    }
    if (selectedOrFocused(state)) {
        back = grid->Colore_Back_Sel;
    }
    if (grid->qt_righe_Nette < 1) {
        back = grid->Color();
    }
    if (state.testFlag(GridDrawFlag::Fixed)) {
        back = grid->FixedColor();
    }
    return back;
}

} // namespace

int TA_DBStringGrid::Disegna_Check(bool Visibile, bool Spuntato, bool Riempi, TA_DBStringGrid* Sender,
    const QRect& Rect, GridDrawState State, int Alignment, int Margin, GridColor BrushColor)
{
    if (!Sender || !Sender->m_canvas) {
        return -1;
    }
    constexpr int side = 15; // the check pictures, in device-independent pixels
    QPainter& p = *Sender->m_canvas;
    const int freeW = Rect.width() - side;
    const int x = freeW <= 0 ? 2 : placeX(Alignment, Margin, freeW);
    const int y = roundHalfEven((Rect.height() - side) / 2.0);
    if (Riempi) {
        p.fillRect(Rect, pictureBackground(Sender, State, BrushColor));
    }
    if (Sender->qt_righe_Nette < 1 || !Visibile) {
        return 1;
    }
    const bool sel = selectedOrFocused(State);
    const SharedBitmap which = Spuntato ? (sel ? CHECK_SEL : CHECK_NORM) : (sel ? UNCHECK_SEL : UNCHECK_NORM);
    if (const QPixmap* picture = sharedBitmap(which)) {
        p.drawPixmap(Rect.left() + x, Rect.top() + y, *picture);
    }
    return 1;
}

int TA_DBStringGrid::Disegna_Bitmap(const QPixmap& Bitmap, bool Riempi, TA_DBStringGrid* Sender, const QRect& Rect,
    GridDrawState State, int Alignment, int Margin, GridColor BrushColor)
{
    if (!Sender || !Sender->m_canvas) {
        return -1;
    }
    QPainter& p = *Sender->m_canvas;
    const QSize size = Bitmap.deviceIndependentSize().toSize();
    const int freeW = Rect.width() - size.width();
    const int x = freeW < 0 ? 2 : placeX(Alignment, Margin, freeW);
    const int y = roundHalfEven((Rect.height() - size.height()) / 2.0);
    if (Riempi) {
        p.fillRect(Rect, pictureBackground(Sender, State, BrushColor));
    }
    if (Sender->qt_righe_Nette < 1) {
        return 1;
    }
    p.drawPixmap(Rect.left() + x, Rect.top() + y, Bitmap);
    return 1;
}
