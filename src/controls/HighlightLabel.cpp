#include "controls/HighlightLabel.h"

#include <QMouseEvent>

THighlightLabel::THighlightLabel(QWidget* parent)
    : QLabel(parent)
{
}

QColor THighlightLabel::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

void THighlightLabel::setFontColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void THighlightLabel::enterEvent(QEnterEvent* e)
{
    m_coloreNormale = fontColor();
    setFontColor(HighlightColor);
    QLabel::enterEvent(e);
}

void THighlightLabel::leaveEvent(QEvent* e)
{
    setFontColor(m_coloreNormale);
    QLabel::leaveEvent(e);
}

void THighlightLabel::mousePressEvent(QMouseEvent* e)
{
    m_pressed = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void THighlightLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(e);
    if (click && OnClick) {
        OnClick(this);
    }
}
