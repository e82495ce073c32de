// The main window's part in sync: when passes run and what follows them.
#include "alarms/FSveglie.h"
#include "app/FReminder.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListPanel.h"
#include "platform/CalendarLoader.h"
#include "platform/Notifications.h"
#include "platform/SecretPasswordStore.h"
#include "sync/Calendar.h"

#include <QInputDialog>
#include <QLineEdit>

namespace {

// Waits at exit: a hung server never keeps the program, or the session's
// end, from ending.
constexpr int EXIT_SYNC_MS = 8000;
constexpr int SESSION_END_SYNC_MS = 3000;

} // namespace

void TfrmReminder::startSync()
{
    finishStoreRead();
    if (m_endRequested)
        return;
    if (!m_sync) {
        if (m_state.settings.CalDAV_URL.trimmed().isEmpty())
            return; // no sync: nothing made
        QString why;
        Calendar* calendar = CalendarLoader::load(why);
        if (!calendar) {
            if (!std::exchange(m_toldNoCalendar, true)) {
                const bool italian = m_state.settings.Lingua_attuale == languageItalian();
                services.notifications.notify(
                    italian ? QStringLiteral("Sincronizzazione non disponibile") : QStringLiteral("Sync not available"),
                    (italian ? QStringLiteral("I promemoria restano qui; la sincronizzazione non è disponibile in "
                                              "questa installazione.")
                             : QStringLiteral("Your memos are kept here; sync is not available in this installation."))
                        + u'\n' + why);
            }
            return;
        }
        m_passwords = std::make_unique<SecretPasswordStore>();
        m_sync = calendar->sync(m_state, services.notifications, *m_passwords);
        m_sync->beforeChange = [this] { commitEditors(); };
        m_sync->listsChanged = [this] { followSync(); };
        m_sync->askPassword = [this](const QString& server, const QString& user, bool again) {
            const bool italian = m_state.settings.Lingua_attuale == languageItalian();
            QString label
                = italian ? QStringLiteral("Password di %1 per %2:") : QStringLiteral("Password of %1 for %2:");
            if (again)
                label.prepend(italian ? QStringLiteral("La password non è stata accettata.\n")
                                      : QStringLiteral("The password was not accepted.\n"));
            bool ok = false;
            const QString password = QInputDialog::getText(isVisible() ? this : nullptr, m_state.config.NOME_PROGRAMMA,
                label.arg(user, server), QLineEdit::Password, {}, &ok);
            return ok ? password : QString();
        };
    }
    m_sync->begin();
}

CalendarSync* TfrmReminder::syncSchedule() const
{
    return m_sync.get();
}

void TfrmReminder::syncAfterSave()
{
    if (m_sync)
        m_sync->saved();
}

void TfrmReminder::syncAtExit()
{
    if (m_sync)
        m_sync->end(m_state.FineSessione ? SESSION_END_SYNC_MS : EXIT_SYNC_MS);
}

void TfrmReminder::followSync()
{
    // As after an edit: the rows, the buttons and the alarm clocks shown
    // follow; the merge has re-armed the changed memos and marked the save.
    m_memoGrid->followListChange();
    m_panel->Aggiorna_Pulsanti();
    if (frmSveglie && frmSveglie->isVisible())
        frmSveglie->followListChange();
}
