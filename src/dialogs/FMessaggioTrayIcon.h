#pragma once

#include <QWidget>

class MessageBoxes;
class QCheckBox;
class QLabel;
class QToolButton;
struct AppState;

// The notice that the program stays in the notification area, shown at a
// hide to the tray; its box turns it off for good.
class TfrmMessaggioTrayIcon : public QWidget {
    Q_OBJECT
public:
    // FormCreate: the texts are set here, once.
    TfrmMessaggioTrayIcon(AppState& state, MessageBoxes& boxes);

    int Testi_Lingua();

    QLabel* imgSveglia;
    QLabel* lblMess;
    QCheckBox* chkMess;
    QToolButton* btnChiudi;
    QWidget* pnlFocus;

protected:
    void showEvent(QShowEvent* event) override;    // FormShow
    void keyPressEvent(QKeyEvent* event) override; // FormKeyPress
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery

private:
    AppState& state;
};
