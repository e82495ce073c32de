#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <optional>

class QMenu;
class TraySelectionWatch;

// The program's icon in the notification area. A single left click waits the
// double-click interval and then shows the menu, unless a double click came
// meanwhile, which asks for the window instead; a right click shows the menu.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(const QIcon& icon, QMenu* menu, QObject* parent = nullptr);
    ~TrayIcon() override;

    // The tip: the program name cut to 63 characters.
    static QString tipFor(const QString& programName);
    void setProgramName(const QString& programName);

    // Shows the icon now, or as soon as a notification area appears (at
    // log-in the program may start before the panel does). The desktop says
    // when one appears: nothing is polled meanwhile.
    void show();
    void hide();
    bool isShown() const;
    // Whether the desktop has a notification area at the moment.
    static bool available();
    // Tests pin the answer of available(); nullopt asks the desktop again.
    static void pinAvailable(std::optional<bool> answer);

    // The icon's activation, as QSystemTrayIcon reports it (public for tests).
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

signals:
    void openRequested();
    void menuShown();

private:
    void showMenu();
    QSystemTrayIcon icon;
    QMenu* menu;
    QTimer singleClickWait;
    std::unique_ptr<TraySelectionWatch> trayWatch;
    bool wanted = false; // show() was asked for
    bool doubleClicked = false;
};
