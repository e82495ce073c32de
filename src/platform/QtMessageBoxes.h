#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Message boxes as QMessageBox dialogs, modal to an optional parent window
// (the main window) and the dialogs it has open.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr);

    void setParentWindow(QWidget* parent);

protected:
    Answer show(MessageKind kind, const QString& caption, const QString& text, bool withCancel) override;

private:
    QWidget* askingWindow() const;
    QPointer<QWidget> m_parent;
};
