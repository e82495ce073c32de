#pragma once

#include "app/AppState.h"

#include <QMainWindow>

class QCloseEvent;

// The main window: owns the program's state for the whole process.
class TfrmReminder : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmReminder(QWidget* parent = nullptr);

    AppState& state();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState m_state;
};
