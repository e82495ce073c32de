#include "platform/QtMessageBoxes.h"

#include <QFile>
#include <QMessageBox>

QtMessageBoxes::QtMessageBoxes(QWidget* parent)
    : m_parent(parent)
{
}

void QtMessageBoxes::setParentWindow(QWidget* parent)
{
    m_parent = parent;
}

Answer QtMessageBoxes::show(MessageKind kind, const QString& caption, const QString& text, bool withCancel)
{
    // End-to-end tests of the real program cannot click: with this variable set,
    // each box is appended to the named file instead of shown, and a question
    // is answered No.
    const QString log = qEnvironmentVariable("BRIVO_REMINDER_BOX_LOG");
    if (!log.isEmpty()) {
        QFile file(log);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write((caption + u'\t' + text + u'\n').toUtf8());
        return kind == MessageKind::Question ? Answer::No : Answer::Yes;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (kind) {
    case MessageKind::Question:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        if (withCancel)
            buttons |= QMessageBox::Cancel;
        break;
    case MessageKind::Information:
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(icon, caption, text, buttons, m_parent.data());
    if (kind == MessageKind::Question)
        box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (kind != MessageKind::Question)
        return Answer::Yes;
    if (clicked == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (withCancel && (clicked == box.button(QMessageBox::Cancel) || clicked == nullptr))
        return Answer::Cancel;
    return Answer::No;
}
