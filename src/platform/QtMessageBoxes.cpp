#include "platform/QtMessageBoxes.h"

#include <QApplication>
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

QWidget* QtMessageBoxes::askingWindow() const
{
    // Over the dialog that asks, when one of the main window's dialogs is open.
    QWidget* modal = QApplication::activeModalWidget();
    for (QWidget* w = modal; w && m_parent; w = w->parentWidget()) {
        if (w == m_parent)
            return modal;
    }
    return m_parent.data();
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
    QMessageBox box(icon, caption, text, buttons, askingWindow());
    // Blocks the main window and its dialogs, never the warnings: a reminder
    // falling due while a question waits must still be answered.
    box.setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
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
