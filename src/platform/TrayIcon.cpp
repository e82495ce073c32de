#include "platform/TrayIcon.h"

#include "store/Ut.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>

namespace {
std::optional<bool> pinnedAvailable;
}

// On X11 a notification area owns the selection _NET_SYSTEM_TRAY_S<screen>
// (Qt 6.4 decides once, at start, whether to use a StatusNotifier host
// instead, so a host appearing later on the bus would not be used anyway).
// XFixes reports each change of that selection's owner, so a program without
// a notification area sleeps until one appears.
class TraySelectionWatch : public QAbstractNativeEventFilter {
public:
    explicit TraySelectionWatch(std::function<void()> onChange)
        : changed(std::move(onChange))
    {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* c = x11 ? x11->connection() : nullptr;
        const xcb_query_extension_reply_t* xfixes = c ? xcb_get_extension_data(c, &xcb_xfixes_id) : nullptr;
        if (!xfixes || !xfixes->present)
            return; // offscreen, Wayland, or a server without XFixes
        char* host = nullptr;
        int display = 0;
        int screen = 0;
        if (xcb_parse_display(nullptr, &host, &display, &screen))
            std::free(host);
        xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < screen && roots.rem > 1; ++i)
            xcb_screen_next(&roots);
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom
            = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(name.size()), name.constData()), nullptr);
        if (!atom)
            return;
        selection = atom->atom;
        std::free(atom);
        firstEvent = xfixes->first_event;
        // The extension wants its version asked first; Qt has asked on this
        // connection already, the answer is not needed.
        xcb_discard_reply(c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION).sequence);
        xcb_xfixes_select_selection_input(c, roots.data->root, selection,
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
}

TrayIcon::~TrayIcon() = default;

QString TrayIcon::tipFor(const QString& programName)
{
    return leftCharacters(programName, 63);
}

void TrayIcon::setProgramName(const QString& programName)
{
    icon.setToolTip(tipFor(programName));
}

void TrayIcon::show()
{
    wanted = true;
    if (available()) {
        icon.show();
        return;
    }
    if (!trayWatch) {
        trayWatch = std::make_unique<TraySelectionWatch>([this] {
            // Queued, so Qt has handled the same event before the icon asks.
            QTimer::singleShot(0, this, [this] {
                if (wanted && !icon.isVisible() && available())
                    icon.show();
            });
        });
    }
}

void TrayIcon::hide()
{
    wanted = false;
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
