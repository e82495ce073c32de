#include "warnings/WarningForm.h"

#include "memolist/TestiReminder.h"
#include "platform/MessageBoxes.h"
#include "platform/Notifications.h"
#include "platform/Services.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowSystem.h"
#include "state/AppState.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

namespace {

constexpr qint64 KEY_GUARD_MS = 1000;

qint64 steadyMs(const WarningHost& host)
{
    static const QElapsedTimer since = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return host.monotonicMs ? host.monotonicMs() : since.elapsed();
}

} // namespace

WarningForm::WarningForm(AppState& appState, Services& appServices, const WarningHost& appHost, QSize clientSize)
    : QWidget(nullptr,
        Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , state(appState)
    , services(appServices)
    , host(appHost)
{
    installAccessibility();
    setAttribute(Qt::WA_DeleteOnClose, false); // the tick releases it
    setFixedSize(clientSize);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
}

void WarningForm::takeEntries(qint32 tipo, const std::function<bool(const REC_Avviso&, REC_Mess&)>& makeLine)
{
    for (qsizetype i = 0; i < state.ArrAvvisi.size(); ++i) {
        REC_Avviso& entry = state.ArrAvvisi[i];
        if (entry.Tipo != tipo || entry.Stato != STATO_NUOVO)
            continue;
        REC_Mess line;
        line.Pos_Avviso = qint32(i);
        if (!makeLine(entry, line))
            return;
        ListaMess.append(line);
        entry.Stato = STATO_MOSTRATO;
    }
}

void WarningForm::reportLanguage(int result)
{
    reportError(languageErrorText(result, state.settings.Lingua_attuale));
    QTimer::singleShot(0, this, [this] {
        if (host.endProgram)
            host.endProgram();
    });
}

void WarningForm::reportError(const QString& text)
{
    QTimer::singleShot(0, this, [this, text] { services.boxes.Errore(text); });
}

const TColorazione* WarningForm::scheme() const
{
    return Colorazione_Corrente(state.ArrColorazioni, state.settings.Tipo_colorazione);
}

namespace {

// A warning window is an alert to screen readers, its message the description.
QAccessibleInterface* warningAccessible(const QString& className, QObject* object)
{
    auto* form = qobject_cast<WarningForm*>(object);
    if (form && className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(form, QAccessible::AlertMessage);
    return nullptr;
}

} // namespace

void WarningForm::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(warningAccessible);
        return true;
    }();
    (void)installed;
}

void WarningForm::showOnTop(const QString& body)
{
    setAccessibleDescription(body);
    // Watch the keys of every control, as they are all made by now.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    bringToFront();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    shownAtMs = steadyMs(host);
    // Wayland keeps no window on top: a maximised window would cover the
    // warning, the notification (urgent, until answered) is seen.
    if (state.settings.Notifica_desktop == 1 || WindowSystem::nativeWayland())
        notification = services.notifications.notify(windowTitle(), body, [this] { bringToFront(); });
}

void WarningForm::bringToFront()
{
    // Also from a notification's click on a warning the person minimised.
    WindowSystem::bringForward(this);
}

bool WarningForm::keysGuarded() const
{
    return shownAtMs >= 0 && steadyMs(host) - shownAtMs < KEY_GUARD_MS;
}

bool WarningForm::isShownOnScreen() const
{
    return isVisible();
}

bool WarningForm::showsKey(qint32 key) const
{
    for (const REC_Mess& line : ListaMess) {
        if (line.Chiave == key)
            return true;
    }
    return false;
}

bool WarningForm::isFinished() const
{
    return Finestra_Chiusa;
}

void WarningForm::release()
{
    deleteLater();
}

bool WarningForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (keysGuarded() || previewKey(static_cast<QKeyEvent*>(event)->key())))
        return true;
    return QWidget::eventFilter(watched, event);
}

void WarningForm::keyPressEvent(QKeyEvent* event)
{
    if (keysGuarded())
        event->accept();
    else if (!previewKey(event->key()))
        QWidget::keyPressEvent(event);
}

void WarningForm::closeEvent(QCloseEvent* event)
{
    Finestra_Chiusa = true;
    services.notifications.close(notification);
    notification = 0;
    FormCloseQuery();
    services.sound.stop();
    event->accept();
}
