#pragma once

#include "app/StoreNotices.h"
#include "engine/EngineHost.h"
#include "memolist/TestiReminder.h"
#include "platform/QtTexts.h"
#include "platform/Services.h"
#include "state/AppState.h"
#include "sync/IcsOutcome.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <memory>

class MemoGrid;
class MemoListLayout;
class MemoListPanel;
class QAction;
class QLabel;
class QMenu;
class PasswordStore;
class StartUpRead;
class ReminderEngine;
class CalendarSync;
struct MemoPictures;
class TfrmDataOra;
class TfrmEmail;
class TfrmMessaggioTrayIcon;
class TfrmMissed;
class TfrmOpzioni;
class TfrmSveglie;
class TrayIcon;
class WarningWindowFactory;

// The main window: owns the program's state, the timer and the tray icon for
// the whole process. Closing it hides it to the tray; only a confirmed exit
// or the end of the session really closes it, writing settings and store.
class TfrmReminder : public QMainWindow, public EngineHost {
    Q_OBJECT
public:
    // When the store read at start-up is taken in: before the constructor
    // returns, or once the start-up logo is on screen (or sooner, when
    // anything needs the lists), which shows the window sooner.
    enum class StoreReading { BeforeShown, BehindLogo };

    // folders: where the store and the sounds are. arguments: the command line.
    TfrmReminder(Services& services, const ProgramFolders& folders, const QStringList& arguments,
        WarningWindowFactory* warnings = nullptr, QWidget* parent = nullptr,
        StoreReading reading = StoreReading::BeforeShown);
    ~TfrmReminder() override;

    AppState& state();
    ReminderEngine& engine();
    TrayIcon& trayIcon();
    QTimer& timer();
    const TestiReminder& texts() const;
    MemoGrid& memoGrid();
    MemoListPanel& memoList();
    MemoListLayout& windowLayout();
    const MemoPictures& pictures() const;

    // Writes the window's texts for Lingua_attuale; 1 done, 0 unknown language
    // (texts unchanged: the caller reports it and ends the program).
    int Testi_Lingua();

    // Start-up asked the program to end (bad build configuration or language,
    // or, once it is read, a store this build cannot convert).
    bool endRequested() const;
    int exitCode() const;

    // Tray menu commands.
    void popApriClick();
    void popChiudiClick();
    // The session ends or the program was told to stop: save and close without a question.
    void endSession();

    // EngineHost
    void hideSplash() override;
    void setTimerInterval(int ms) override;
    void hideToTray() override;
    int writeSettings() override;
    int writeStore() override;
    void missedReminders(const MissedList& missed) override;
    // After a save that took in another program's changes to the store.
    void followOutsideChanges();
    // A calendar file read into the lists (shown at once, saved at the next
    // tick) or written from them: for the options and for later starts.
    IcsOutcome transferIcs(bool exporting, const QString& path);
    // Session end with the store unsaved: kept in the rescue folder.
    void rescueStore();
    // At start: a store an earlier session end kept there, taken in if the
    // person wants it.
    void offerRescuedStore(const QString& rescued);

    bool splashVisible() const;

    // Sync with the CalDAV server of the settings (FReminderSync.cpp).
    // Follows CalDAV_URL: started at start-up and again after the options.
    void startSync();
    CalendarSync* syncSchedule() const;

    // The tray notice, once a hide to the tray has shown it.
    TfrmMessaggioTrayIcon* trayNotice() const;

signals:
    // Settings and store are written, or the start-up failed: the program
    // may end, with exitCode().
    void closedForGood();
    // The start-up's memos are in the grid (for the start-up benchmark).
    void gridFilled();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Closes any open cell editor, its text kept, in this window and the alarm-clock window.
    void commitEditors();
    void FormCreate(StoreReading reading);
    // Joins the start-up's store read and takes its lists in, once; every
    // way in that may touch the lists calls it first.
    void finishStoreRead();
    // A rescued store to offer and a damaged one to tell of, once the timer runs.
    void tellStoreFindings();
    void requestEnd(int code);
    bool confirmExit();
    void restorePosition();
    void buildTray();
    void applyTexts();
    void buildMemoList();
    QString saveFailedText(AfterFailedSave after) const;
    // The options dialog; after it, scheme, language and grid follow its choices.
    void Apri_Opzioni();
    // The memo grid, its buttons and the alarm-clock window show the lists again.
    void followListChange();
    void followQtTexts();
    void Apri_Sveglie();
    void Apri_Email();
    void Mostra_Avviso_Tray();
    void syncAfterSave();
    void syncAtExit();
    void followSync();

    Services& services;
    AppState m_state;
    TestiReminder m_texts;
    QString settingsKey;
    bool firstShow = true;
    bool gridFillPending = false; // the first fill waits for the logo to be painted
    void fillGridIfPending();
    bool m_endRequested = false;
    bool m_settingsSaved = true;
    bool m_storeSaved = true;
    bool m_closing = false;
    bool m_toldOutsideChanges = false; // once a run
    int m_exitCode = 0;

    QTimer Timer;
    QLabel* pnlSplash = nullptr;
    QMenu* popTray = nullptr;
    QAction* popApri = nullptr;
    QAction* popChiudi = nullptr;
    TrayIcon* tray = nullptr;
    std::unique_ptr<MemoPictures> m_pictures;
    TfrmSveglie* frmSveglie = nullptr; // made at first use, kept
    TfrmDataOra* frmDataOra = nullptr;
    TfrmEmail* frmEmail = nullptr;
    // Owned by the program, not the main window: it stays on screen when the window hides.
    std::unique_ptr<TfrmMessaggioTrayIcon> frmMessaggioTrayIcon;
    TfrmOpzioni* frmOpzioni = nullptr;
    QtTexts qtTexts;
    MemoListPanel* m_panel = nullptr;
    MemoGrid* m_memoGrid = nullptr;
    MemoListLayout* m_layout = nullptr;
    std::unique_ptr<WarningWindowFactory> ownWarnings;
    std::unique_ptr<ReminderEngine> m_engine;
    std::unique_ptr<TfrmMissed> frmMissed; // made at the first notice, kept
    std::unique_ptr<PasswordStore> m_passwords;
    std::unique_ptr<CalendarSync> m_sync;
    std::unique_ptr<StartUpRead> m_read; // until the start-up's read is taken in
    bool m_formCreated = false;
    bool m_toldNoCalendar = false; // the calendar module is missing, said once
};
