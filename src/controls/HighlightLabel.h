#pragma once

#include <QColor>
#include <QLabel>

#include <functional>

// A label used as a link: its text takes HighlightColor while the mouse is
// over it and gets its own colour back when the mouse leaves. Tab reaches it
// and Space or Enter follow it, as a click does.
class THighlightLabel : public QLabel {
    Q_OBJECT

public:
    explicit THighlightLabel(QWidget* parent = nullptr);

    QColor HighlightColor{0, 0, 255};

    // Left click released over the label.
    std::function<void(THighlightLabel* Sender)> OnClick;

    QColor fontColor() const;
    void setFontColor(const QColor& color);
    QColor Colore_Normale() const
    {
        return m_coloreNormale;
    }

protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_coloreNormale{Qt::black};
    bool m_pressed = false;
};
