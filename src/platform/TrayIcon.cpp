#include "platform/TrayIcon.h"

#include "store/Ut.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>

namespace {

std::optional<bool> pinnedAvailable;
// Qt 6.4 chooses between its StatusNotifier icon and XEmbed when the first
// icon of the process is made, and keeps that choice: no icon is made, and
// QSystemTrayIcon::isSystemTrayAvailable (which would make that choice) is
// never asked, until the desktop has a place for it.
std::optional<bool> qtChoice;

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

bool statusNotifierHost()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcherService))
        return false;
    // The property Qt reads before it chooses its StatusNotifier icon.
    QDBusInterface watcher(watcherService, watcherPath, watcherService, bus);
    return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

xcb_connection_t* x11()
{
    auto* x = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x ? x->connection() : nullptr;
}

// The selection _NET_SYSTEM_TRAY_S<screen> that an X11 notification area
// owns, and the root window of that screen; XCB_NONE without X11.
xcb_atom_t traySelection(xcb_connection_t* c, xcb_window_t* root)
{
    if (!c)
        return XCB_NONE;
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && roots.rem > 1; ++i)
        xcb_screen_next(&roots);
    *root = roots.data->root;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(name.size()), name.constData()), nullptr);
    if (!atom)
        return XCB_NONE;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    return selection;
}

bool x11TrayOwned()
{
    xcb_connection_t* c = x11();
    xcb_window_t root = XCB_NONE;
    const xcb_atom_t selection = traySelection(c, &root);
    if (selection == XCB_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner
        = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return owned;
}

} // namespace

// XFixes reports each change of the owner of the X11 tray selection, so a
// program without a notification area sleeps until one appears.
class TraySelectionWatch : public QAbstractNativeEventFilter {
public:
    explicit TraySelectionWatch(std::function<void()> onChange)
        : changed(std::move(onChange))
    {
        xcb_connection_t* c = x11();
        const xcb_query_extension_reply_t* xfixes = c ? xcb_get_extension_data(c, &xcb_xfixes_id) : nullptr;
        if (!xfixes || !xfixes->present)
            return; // offscreen, Wayland, or a server without XFixes
        xcb_window_t root = XCB_NONE;
        selection = traySelection(c, &root);
        if (selection == XCB_NONE)
            return;
        firstEvent = xfixes->first_event;
        // The extension wants its version asked first; Qt has asked on this
        // connection already, the answer is not needed.
        xcb_discard_reply(c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION).sequence);
        xcb_xfixes_select_selection_input(c, root, selection,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        xcb_flush(c);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == firstEvent + XCB_XFIXES_SELECTION_NOTIFY
            && reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event)->selection == selection)
            changed();
        return false; // Qt handles the event as well
    }

private:
    std::function<void()> changed;
    xcb_atom_t selection = XCB_NONE;
    quint8 firstEvent = 0;
};

TrayIcon::TrayIcon(const QIcon& iconImage, QMenu* trayMenu, QObject* parent)
    : QObject(parent)
    , image(iconImage)
    , menu(trayMenu)
    , statusNotifierWatch(watcherService, QDBusConnection::sessionBus(),
          QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration)
{
    singleClickWait.setSingleShot(true);
    connect(&singleClickWait, &QTimer::timeout, this, [this] {
        if (!doubleClicked)
            showMenu();
    });
    connect(&statusNotifierWatch, &QDBusServiceWatcher::serviceRegistered, this, &TrayIcon::follow);
    connect(&statusNotifierWatch, &QDBusServiceWatcher::serviceUnregistered, this, &TrayIcon::follow);
    // A watcher may start before its host (the panel) registers with it.
    QDBusConnection::sessionBus().connect(watcherService, watcherPath, watcherService,
        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(follow()));
}

TrayIcon::~TrayIcon() = default;

QString TrayIcon::tipFor(const QString& programName)
{
    return leftCharacters(programName, 63);
}

void TrayIcon::setProgramName(const QString& programName)
{
    tip = tipFor(programName);
    if (icon)
        icon->setToolTip(tip);
}

void TrayIcon::show()
{
    wanted = true;
    if (!trayWatch) {
        trayWatch = std::make_unique<TraySelectionWatch>([this] {
            // Queued, so Qt has handled the same event before the icon asks.
            QTimer::singleShot(0, this, &TrayIcon::follow);
        });
    }
    follow();
}

void TrayIcon::hide()
{
    wanted = false;
    if (icon)
        icon->hide();
}

bool TrayIcon::isShown() const
{
    return icon && icon->isVisible();
}

bool TrayIcon::available()
{
    if (pinnedAvailable)
        return *pinnedAvailable;
    if (!qtChoice)
        return statusNotifierHost() || x11TrayOwned();
    return *qtChoice ? statusNotifierHost() : x11TrayOwned();
}

void TrayIcon::pinAvailable(std::optional<bool> answer)
{
    pinnedAvailable = answer;
}

void TrayIcon::follow()
{
    const bool now = available();
    // A StatusNotifier icon registers again by itself with a watcher that
    // starts again.
    if (wanted && now) {
        if (!icon)
            makeIcon();
        icon->show();
    }
    if (wasAvailable && !now)
        emit lost();
    wasAvailable = now;
}

void TrayIcon::makeIcon()
{
    if (!qtChoice)
        qtChoice = statusNotifierHost();
    icon = std::make_unique<QSystemTrayIcon>(image);
    icon->setToolTip(tip);
    icon->setContextMenu(menu); // right click, on every kind of tray host
    connect(icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
}

void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (qtChoice.value_or(false)) {
            emit openRequested(); // no double click will follow
            break;
        }
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
    // At the icon, below it or above it as the screen leaves room.
    QPoint at = QCursor::pos();
    const QRect place = icon ? icon->geometry() : QRect();
    if (place.isValid()) {
        const QScreen* screen = QGuiApplication::screenAt(place.center());
        const int height = menu->sizeHint().height();
        const bool below = !screen || place.bottom() + height < screen->availableGeometry().bottom();
        at = below ? place.bottomLeft() + QPoint(0, 1) : place.topLeft() - QPoint(0, height);
    }
    menu->popup(at);
    emit menuShown();
}
