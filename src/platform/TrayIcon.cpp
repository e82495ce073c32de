#include "platform/TrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

namespace {
std::optional<bool> pinnedAvailable;
}

TrayIcon::TrayIcon(const QIcon& iconImage, QMenu* trayMenu, QObject* parent)
    : QObject(parent)
    , icon(iconImage)
    , menu(trayMenu)
{
    icon.setContextMenu(menu); // right click, on every kind of tray host
    connect(&icon, &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
    singleClickWait.setSingleShot(true);
    connect(&singleClickWait, &QTimer::timeout, this, [this] {
        if (!doubleClicked)
            showMenu();
    });
    waitForTray.setInterval(2000);
    connect(&waitForTray, &QTimer::timeout, this, [this] {
        if (available()) {
            waitForTray.stop();
            icon.show();
        }
    });
}

QString TrayIcon::tipFor(const QString& programName)
{
    return programName.left(63);
}

void TrayIcon::setProgramName(const QString& programName)
{
    icon.setToolTip(tipFor(programName));
}

void TrayIcon::show()
{
    if (available())
        icon.show();
    else
        waitForTray.start();
}

void TrayIcon::hide()
{
    waitForTray.stop();
    icon.hide();
}

bool TrayIcon::isShown() const
{
    return icon.isVisible();
}

bool TrayIcon::available()
{
    return pinnedAvailable.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::pinAvailable(std::optional<bool> answer)
{
    pinnedAvailable = answer;
}

void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        doubleClicked = false;
        singleClickWait.start(QApplication::doubleClickInterval());
        break;
    case QSystemTrayIcon::DoubleClick:
        doubleClicked = true;
        singleClickWait.stop();
        emit openRequested();
        break;
    default:
        // The context menu is shown by the tray itself.
        break;
    }
}

void TrayIcon::showMenu()
{
    menu->popup(QCursor::pos());
    emit menuShown();
}
