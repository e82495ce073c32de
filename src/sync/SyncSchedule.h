#pragma once

#include "sync/Calendar.h"
#include "sync/SyncRunner.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

struct AppState;
class Notifications;
class PasswordStore;

// When the running program syncs: at start, a few seconds after each saved
// change, every few minutes and at exit. A failing server is told once per
// run of failures, quietly; the password is asked for only when the server
// wants one, and kept by the desktop where it keeps passwords, otherwise
// for this session only.
class SyncSchedule : public QObject, public CalendarSync {
    Q_OBJECT
public:
    SyncSchedule(AppState& state, Notifications& notices, PasswordStore& passwords, QObject* parent = nullptr);
    ~SyncSchedule() override;

    int afterSaveMs = 5000;
    int everyMs = 5 * 60 * 1000;

    // Follows the settings: an empty CalDAV_URL means no sync at all (no
    // thread, no timer, no network); otherwise a pass now and the others.
    void begin() override;
    void saved() override; // a save was made: a pass in a little while
    // The running pass and one more, within ms in all.
    void end(int ms) override;

    SyncRunner* runner() const;

private:
    void passEnded(const SyncRunner::Pass& pass);
    void passwordWanted();
    void tellFailure(const QString& error);

    AppState& state;
    Notifications& notices;
    PasswordStore& passwords;
    std::unique_ptr<SyncRunner> m_runner;
    QTimer soon, every;
    QString server, user;
    QString typed;           // given by the person, not yet known to work
    bool failing = false;    // told; quiet until a pass succeeds
    bool storeTried = false; // the desktop's keeper was asked this session
    bool keptTried = false;  // and the password it kept was refused
    int asked = 0;           // times asked since the last pass that got in
    bool notAsking = false;  // the person gave no password: not asked again this session
    bool ending = false;
    bool asking = false; // a question is on screen
};
