#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

class MessageBoxes;
class QCheckBox;
class QLabel;
class QToolButton;
struct AppState;

// The small font these windows were laid out for, in pixels as their
// layout is: "MS Sans Serif" 8 point, or a face of Arial's metrics.
QFont dialogFont();
// A picture fitted into a box, drawn for the screen's density so it stays sharp.
QPixmap sharpScaled(const QPixmap& picture, const QSize& box, qreal ratio);

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
