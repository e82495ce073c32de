#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Message boxes as modal QMessageBox dialogs over an optional parent window.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr);

    void setParentWindow(QWidget* parent);

protected:
    Answer show(MessageKind kind, const QString& caption, const QString& text, bool withCancel) override;

private:
    QPointer<QWidget> m_parent;
};
