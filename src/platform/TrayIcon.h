#pragma once

#include <QDBusServiceWatcher>
#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <optional>

class QMenu;
class TraySelectionWatch;

// The program's icon in the notification area: an X11 tray (XEmbed) or a
// StatusNotifier host on the session bus, whichever the desktop has, followed
// as they come and go. On an X11 tray a single left click waits the
// double-click interval and then shows the menu, unless a double click came
// meanwhile, which asks for the window instead; a right click shows the menu.
// A StatusNotifier host sends no double clicks: its left click (Activate)
// asks for the window, and the host shows the menu itself.
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
    // Whether the desktop has a notification area the icon can be shown in
    // at the moment.
    static bool available();
    // Tests pin the answer of available(); nullopt asks the desktop again.
    static void pinAvailable(std::optional<bool> answer);

    // The icon's activation, as QSystemTrayIcon reports it (public for tests).
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

signals:
    void openRequested();
    void menuShown();
    // The notification area went away: the icon can no longer bring the window back.
    void lost();

private slots:
    void follow();

private:
    void makeIcon();
    void showMenu();
    std::unique_ptr<QSystemTrayIcon> icon;
    QIcon image;
    QString tip;
    QMenu* menu;
    QTimer singleClickWait;
    QDBusServiceWatcher statusNotifierWatch;
    std::unique_ptr<TraySelectionWatch> trayWatch;
    bool wanted = false; // show() was asked for
    bool wasAvailable = false;
    bool doubleClicked = false;
};
