#include "sync/SyncSchedule.h"

#include "alarms/SveglieCore.h"
#include "memolist/MemoCommands.h"
#include "platform/Notifications.h"
#include "platform/PasswordStore.h"
#include "state/AppState.h"
#include "state/Configuration.h"

#include <QDeadlineTimer>

SyncSchedule::SyncSchedule(AppState& appState, Notifications& appNotices, PasswordStore& store, QObject* parent)
    : QObject(parent)
    , state(appState)
    , notices(appNotices)
    , passwords(store)
{
    soon.setSingleShot(true);
    connect(&soon, &QTimer::timeout, this, [this] {
        if (m_runner)
            m_runner->request();
    });
    connect(&every, &QTimer::timeout, this, [this] {
        if (m_runner)
            m_runner->request();
    });
}

SyncSchedule::~SyncSchedule() = default;

SyncRunner* SyncSchedule::runner() const
{
    return m_runner.get();
}

void SyncSchedule::begin()
{
    const QString url = state.settings.CalDAV_URL.trimmed();
    if (url.isEmpty()) {
        soon.stop();
        every.stop();
        m_runner.reset(); // a pass under way is cancelled; what it did stays on the server
        return;
    }
    if (url != server || state.settings.CalDAV_Utente != user) {
        server = url;
        user = state.settings.CalDAV_Utente;
        typed.clear();
        storeTried = false;
        keptTried = false;
        notAsking = false;
        asked = 0;
        failing = false;
        if (m_runner)
            m_runner->setPassword({});
    }
    if (!m_runner) {
        m_runner = std::make_unique<SyncRunner>(state);
        m_runner->newRecords = [this](REC_Memo& memo, REC_Sveglia& alarm) {
            // As a memo or alarm clock made in the lists, or imported.
            const QDateTime now = QDateTime::currentDateTime();
            memo = Memo_Predefinito(state.settings, now);
            alarm = Nuova_Sveglia(now, state.settings.Suono_Sveglie);
        };
        m_runner->beforeChange = [this] {
            if (beforeChange)
                beforeChange();
        };
        connect(m_runner.get(), &SyncRunner::passEnded, this, &SyncSchedule::passEnded);
    }
    m_runner->setServer(QUrl(server), user);
    m_runner->request();
    every.start(everyMs);
}

void SyncSchedule::saved()
{
    // Debounced: a burst of saves makes one pass.
    if (m_runner && !ending)
        soon.start(afterSaveMs);
}

void SyncSchedule::end(int ms)
{
    if (!m_runner)
        return;
    ending = true;
    soon.stop();
    const QDeadlineTimer deadline(ms);
    m_runner->finishWithin(int(deadline.remainingTime()));
    if (!deadline.hasExpired()) {
        m_runner->request();
        m_runner->finishWithin(int(deadline.remainingTime()));
    }
    ending = false;
}

void SyncSchedule::passEnded(const SyncRunner::Pass& pass)
{
    if (pass.outcome.listsChanged && listsChanged)
        listsChanged();
    if (pass.result.ok) {
        failing = false;
        asked = 0;
        if (!typed.isEmpty()) {
            passwords.keep(server, user, typed); // where no keeper runs, the runner holds it for the session
            typed.clear();
        }
        return;
    }
    if (pass.result.unauthorized && !ending) {
        // Asked outside the join: a dialog must not run inside it.
        QTimer::singleShot(0, this, &SyncSchedule::passwordWanted);
        return;
    }
    tellFailure(pass.result.error);
}

void SyncSchedule::passwordWanted()
{
    if (!m_runner || asking)
        return;
    if (!storeTried) {
        storeTried = true;
        const QString kept = passwords.find(server, user);
        if (!kept.isEmpty()) {
            keptTried = true;
            m_runner->setPassword(kept);
            m_runner->request();
            return;
        }
    }
    // A wrong password is asked for again once; then the next pass asks.
    if (notAsking || asked >= 2 || !askPassword) {
        asked = 0;
        tellFailure(state.settings.Lingua_attuale == languageItalian()
                ? QStringLiteral("Il server chiede una password valida per %1.").arg(user)
                : QStringLiteral("The server wants a valid password for %1.").arg(user));
        return;
    }
    const bool again = asked > 0 || keptTried;
    ++asked;
    // Passes go on while the question waits; theirs is this one.
    asking = true;
    const QString password = askPassword(server, user, again);
    asking = false;
    if (password.isEmpty()) {
        notAsking = true;
        tellFailure(state.settings.Lingua_attuale == languageItalian()
                ? QStringLiteral("Nessuna password per %1: la sincronizzazione attende.").arg(user)
                : QStringLiteral("No password for %1: sync is waiting.").arg(user));
        return;
    }
    typed = password;
    m_runner->setPassword(password);
    m_runner->request();
}

void SyncSchedule::tellFailure(const QString& error)
{
    if (std::exchange(failing, true))
        return;
    const bool italian = state.settings.Lingua_attuale == languageItalian();
    notices.notify(italian ? QStringLiteral("Sincronizzazione non riuscita") : QStringLiteral("Sync failed"),
        (italian ? QStringLiteral("I promemoria restano qui e partiranno alla prossima sincronizzazione riuscita.")
                 : QStringLiteral("Your memos are kept here and go to the server at the next sync that works."))
            + u'\n' + error);
}
