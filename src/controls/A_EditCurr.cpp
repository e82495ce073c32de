#include "controls/A_EditCurr.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>

TA_EditCurr::TA_EditCurr(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { textChangeStep(); });
    m_statoCambio = 1;
    Azzera();
}

QString TA_EditCurr::valueText() const
{
    const QString point = QLocale::system().decimalPoint();
    return Valore.toText(point.isEmpty() ? QLatin1Char('.') : point.front());
}

void TA_EditCurr::textChangeStep()
{
    // Changes made by the control itself reach neither the filter nor OnChange.
    if (m_statoCambio != 1 && m_statoCambio != 4) {
        m_statoCambio = 1;
        return;
    }
    bool accept = true;
    Currency value;
    if (OnChangeFiltroUtente) {
        OnChangeFiltroUtente(text(), m_testoAccettato, accept, value);
    }
    if (!accept) {
        // Put the caret back where it stood before the refused edit.
        const int caret = cursorPosition() - int(text().size() - m_testoAccettato.size());
        m_statoCambio = 2;
        setText(m_testoAccettato);
        setCursorPosition(qBound(0, caret, int(text().size())));
        return;
    }
    if (Null_se_vale_zero && value.isZero()) {
        m_statoCambio = 4;
        setText(QString());
    }
    m_testoAccettato = text();
    Valore = value;
    if (OnChange) {
        OnChange(this);
    }
}

void TA_EditCurr::Azzera()
{
    m_statoCambio = 5;
    Valore = Currency();
    setText(Null_se_vale_zero ? QString() : QStringLiteral("0"));
    m_statoCambio = 1;
    DoExit();
}

void TA_EditCurr::DoExit()
{
    m_statoCambio = 3;
    setText(valueText());
    m_statoCambio = 3;
    if (Null_se_vale_zero && Valore.isZero()) {
        setText(QString());
    }
    m_statoCambio = 3;
    if (OnExit) {
        OnExit(this);
    }
    m_statoCambio = 1;
}

void TA_EditCurr::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // Coming back to the window is not entering the field; the window's
    // first activation is.
    const bool windowSwitch = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
    const bool returning = windowSwitch && m_awayWithWindow;
    m_awayWithWindow = false;
    if (returning) {
        return;
    }
    setText(Valore.isZero() ? QString() : valueText());
    m_testoAccettato = text();
    if (OnEnter) {
        OnEnter(this);
    }
}

void TA_EditCurr::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) {
        m_awayWithWindow = true;
        return;
    }
    DoExit();
}

void TA_EditCurr::keyPressEvent(QKeyEvent* e)
{
    // Enter and Escape stop here: no default button, no closing, no error.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        e->accept();
        return;
    default:
        QLineEdit::keyPressEvent(e);
    }
}
