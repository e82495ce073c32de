#include "controls/HighlightLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

THighlightLabel::THighlightLabel(QWidget* parent)
    : QLabel(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void THighlightLabel::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && OnClick && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        OnClick(this);
        return;
    }
    QLabel::keyPressEvent(e);
}

void THighlightLabel::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    if (hasFocus()) {
        QPainter p(this);
        p.setPen(QPen(fontColor(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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
