#include "app/FReminder.h"

#include "app/StartUpRead.h"

#include "alarms/FDataOra.h"
#include "alarms/FSveglie.h"
#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"
#include "controls/A_DBStringGrid.h"
#include "controls/CentraFinestra.h"
#include "controls/PlaceOver.h"
#include "dialogs/FEmail.h"
#include "dialogs/FMessaggioTrayIcon.h"
#include "dialogs/FOpzioni.h"
#include "engine/ReminderEngine.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListLayout.h"
#include "memolist/MemoListPanel.h"
#include "memolist/MemoPictures.h"
#include "platform/CalendarLoader.h"
#include "platform/Clock.h"
#include "platform/LocaleService.h"
#include "platform/MessageBoxes.h"
#include "platform/Notifications.h"
#include "platform/PasswordStore.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/TrayIcon.h"
#include "platform/WindowSystem.h"
#include "sync/Calendar.h"
#include "warnings/FMissed.h"
#include "warnings/WarningWindows.h"

#include <cstdio>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

// The white logo panel that covers the window at start.
class SplashPanel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onFirstPaint;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (onFirstPaint)
            std::exchange(onFirstPaint, nullptr)();
    }
};

} // namespace

TfrmReminder::TfrmReminder(Services& appServices, const ProgramFolders& folders, const QStringList& arguments,
    WarningWindowFactory* warnings, QWidget* parent, StoreReading reading)
    : QMainWindow(parent)
    , services(appServices)
{
    m_state.folders = folders;
    if (!warnings) {
        ownWarnings = std::make_unique<WarningWindows>(m_state, services,
            WarningHost{[this] {
                            // What is typed in the list goes to its memo before the rows are rebuilt.
                            m_panel->commitEditor();
                            m_memoGrid->followListChange();
                            m_panel->Aggiorna_Pulsanti();
                        },
                [this] {
                    m_state.UscitaRichiesta = true;
                    close();
                }});
        warnings = ownWarnings.get();
    }
    m_engine = std::make_unique<ReminderEngine>(m_state, services.clock, *this, *warnings, arguments);
    FormCreate(reading);
}

TfrmReminder::~TfrmReminder()
{
    if (tray)
        tray->hide();
}

void TfrmReminder::FormCreate(StoreReading reading)
{
    const int config = readBuildConfig(m_state.config, services.resources, services.locale, services.boxes);
    if (config < 1) {
        services.boxes.Errore(QStringLiteral("Errore di caricamento risorse!"));
        requestEnd(1);
    } else if (m_state.config.endRequested) {
        requestEnd(1);
    }
    settingsKey = ::settingsKey(m_state.config.NOME_PROGRAMMA);
    m_state.UscitaRichiesta = false;
    m_state.FineSessione = false;
    firstShow = true;

    m_state.ArrSuoni = Carica_Suoni(m_state.folders.sounds);

    QStringList soundNames;
    for (const REC_Suono& s : m_state.ArrSuoni)
        soundNames.append(s.Nome);
    const QString unknownLanguage
        = readSettings(m_state.settings, services.registry, settingsKey, m_state.config, soundNames);
    // Decoded while the memo list's widgets are built, which look at neither
    // the lists nor what the read finds; the store after the settings, which
    // hold how this copy last wrote it.
    m_read = std::make_unique<StartUpRead>(
        m_state.folders, m_state.settings.Codifica_archivio, services.clock.now(), m_state.config.logoPicture);
    buildMemoList();
    const auto [icon, logo] = m_read->takePictures();
    setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    if (reading == StoreReading::BeforeShown)
        finishStoreRead();

    const int language = Testi_Lingua();
    if (language < 1) {
        services.boxes.Errore(languageErrorText(language, m_state.settings.Lingua_attuale));
        requestEnd(1);
    } else if (!unknownLanguage.isEmpty()) {
        m_state.settingsPending = true; // told once: the next start finds the language in use
        QTimer::singleShot(0, this, [this, unknownLanguage] {
            services.boxes.information(unknownLanguageText(m_state.settings.Lingua_attuale, unknownLanguage));
        });
    }
    followQtTexts();
    setWindowTitle(m_state.config.NOME_PROGRAMMA);
    m_layout->Applica_Primo_Piano();
    Crea_Colorazioni(m_state.ArrColorazioni);

    buildTray();
    applyTexts();
    tray->show();

    m_state.ContaTick = 1;
    auto* splash = new SplashPanel(this);
    // The store is read once the logo is on screen; its lists are taken in
    // and the grid filled behind the logo.
    splash->onFirstPaint = [this] {
        if (m_read)
            m_read->allowRead();
        QTimer::singleShot(0, this, [this] { fillGridIfPending(); });
    };
    pnlSplash = splash;
    pnlSplash->setObjectName(QStringLiteral("pnlSplash"));
    pnlSplash->setAutoFillBackground(true);
    QPalette white = pnlSplash->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlSplash->setPalette(white);
    pnlSplash->setAlignment(Qt::AlignCenter);
    if (!logo.isNull())
        pnlSplash->setPixmap(QPixmap::fromImage(logo));
    pnlSplash->setGeometry(rect());
    pnlSplash->show();
    pnlSplash->raise();

    connect(&Timer, &QTimer::timeout, this, [this] {
        finishStoreRead();
        if (m_endRequested)
            return;
        m_engine->TimerTimer();
        // One clock reading per tick: it costs more than an idle tick's checks.
        if (const std::optional<qint64> clockMs = m_engine->tickClockMs())
            m_memoGrid->followClock(*clockMs);
        else
            m_memoGrid->followClock();
    });
    Timer.start(FIRST_TICK_INTERVAL_MS);

    // Once the window is up and the first tick has run: nothing waits for the server.
    if (!m_endRequested)
        QTimer::singleShot(FIRST_TICK_INTERVAL_MS + 500, this, &TfrmReminder::startSync);
    m_formCreated = true;
    if (!m_read)
        tellStoreFindings();
}

void TfrmReminder::finishStoreRead()
{
    if (!m_read)
        return;
    const std::unique_ptr<StartUpRead> read = std::move(m_read);
    m_state.takeStoreRead(std::move(read->finish()));
    if (m_state.storeUnconvertible) {
        // Running on empty lists would only invite changes that cannot be saved.
        const QString text = unconvertibleStoreText(m_state.settings.Lingua_attuale, m_state.folders.data);
        requestEnd(1);
        if (!m_formCreated) {
            services.boxes.Errore(text); // the program entry ends the program before showing the window
            return;
        }
        // The window is up: nothing may run on the empty lists while the box waits.
        Timer.stop();
        hide();
        tray->hide();
        QTimer::singleShot(0, this, [this, text] {
            services.boxes.Errore(text);
            emit closedForGood();
        });
        return;
    }
    if (m_formCreated)
        tellStoreFindings();
}

void TfrmReminder::tellStoreFindings()
{
    if (const QString rescued = m_state.rescuedStore(); !rescued.isEmpty() && !m_state.storeUnconvertible)
        QTimer::singleShot(0, this, [this, rescued] { offerRescuedStore(rescued); });
    // Shown once the timer runs: at an unattended log-in no reminder may wait
    // for the answer.
    if (m_state.storeDamaged) {
        QTimer::singleShot(0, this, [this] {
            services.boxes.information(damagedStoreText(m_state.settings.Lingua_attuale, m_state.keptDamagedFiles,
                m_state.damagedStoreFile, m_state.damagedLines));
        });
    }
}

void TfrmReminder::buildTray()
{
    popTray = new QMenu(this);
    popApri = popTray->addAction(QString(), this, &TfrmReminder::popApriClick);
    popChiudi = popTray->addAction(QString(), this, &TfrmReminder::popChiudiClick);
    popTray->setDefaultAction(popApri);
    tray = new TrayIcon(windowIcon(), popTray, this);
    tray->setProgramName(m_state.config.NOME_PROGRAMMA);
    connect(tray, &TrayIcon::openRequested, this, &TfrmReminder::popApriClick);
    // Hidden, the window could no longer be reached.
    connect(tray, &TrayIcon::lost, this, [this] {
        if (isHidden())
            WindowSystem::bringForward(this);
    });
}

void TfrmReminder::applyTexts()
{
    popApri->setText(m_texts.popApri);
    popChiudi->setText(m_texts.popChiudi);
}

int TfrmReminder::Testi_Lingua()
{
    const int r = ::Testi_Lingua(m_state.settings.Lingua_attuale, m_state.config.NOME_PROGRAMMA, m_texts);
    if (r >= 1 && popTray)
        applyTexts();
    if (r >= 1 && m_panel)
        m_panel->applyTexts();
    return r;
}

void TfrmReminder::buildMemoList()
{
    // Drawn for the densest screen, so no picture is ever scaled up.
    m_pictures = std::make_unique<MemoPictures>(qApp->devicePixelRatio());
    m_panel = new MemoListPanel(m_state, services, m_texts, *m_pictures);
    m_memoGrid = &m_panel->memoGrid();
    m_layout = new MemoListLayout(m_state, services, this, m_panel);
    setCentralWidget(m_layout->client());
    m_panel->commands().onRenumbered = [this](const MemoIdMap& newIds) { m_engine->renumberMemoWarnings(newIds); };
    connect(m_panel, &MemoListPanel::opzioniRequested, this, &TfrmReminder::Apri_Opzioni);
    connect(m_panel, &MemoListPanel::sveglieRequested, this, &TfrmReminder::Apri_Sveglie);
    m_panel->datePicker = [this](QDate& date) {
        if (!frmDataOra)
            frmDataOra = new TfrmDataOra(this);
        // Day and month names in the interface language, weeks as the user's region has them.
        const QLocale names(m_state.settings.Lingua_attuale == languageEnglish() ? QLocale::English : QLocale::Italian,
            m_state.settings.Lingua_attuale == languageEnglish() ? QLocale::UnitedKingdom : QLocale::Italy);
        date = frmDataOra->Scegli(date, this, names, services.locale.firstDayOfWeek());
        return true;
    };
    connect(m_panel, &MemoListPanel::emailRequested, this, &TfrmReminder::Apri_Email);
    qApp->installEventFilter(this); // key preview: the window sees every key of its controls first
}

void TfrmReminder::Apri_Sveglie()
{
    if (!frmSveglie)
        frmSveglie = new TfrmSveglie(m_state, services, *m_pictures, this);
    frmSveglie->Apri(this);
}

void TfrmReminder::Apri_Email()
{
    if (!frmEmail)
        frmEmail = new TfrmEmail(m_state, services, m_pictures->imgMail, this);
    placeOver(*frmEmail, this);
    frmEmail->exec();
}

void TfrmReminder::Mostra_Avviso_Tray()
{
    if (!frmMessaggioTrayIcon)
        frmMessaggioTrayIcon = std::make_unique<TfrmMessaggioTrayIcon>(m_state, services.boxes);
    TfrmMessaggioTrayIcon& notice = *frmMessaggioTrayIcon;
    placeOver(notice, this);
    WindowSystem::bringForward(&notice);
}

TfrmMessaggioTrayIcon* TfrmReminder::trayNotice() const
{
    return frmMessaggioTrayIcon.get();
}

void TfrmReminder::Apri_Opzioni()
{
    if (!frmOpzioni) {
        frmOpzioni = new TfrmOpzioni(m_state, services, *m_pictures, this);
        frmOpzioni->OnLinguaCambiata = [this] { followQtTexts(); };
        frmOpzioni->OnFileIcs = [this](bool exporting, const QString& path) { return transferIcs(exporting, path); };
    }
    frmOpzioni->Apri(this);
    m_memoGrid->Applica_Colorazione();
    const int language = Testi_Lingua();
    if (language < 1) {
        services.boxes.Errore(languageErrorText(language, m_state.settings.Lingua_attuale));
        QCoreApplication::exit(1);
        return;
    }
    m_memoGrid->Aggiorna_Griglia();
    startSync(); // the server may have changed
}

void TfrmReminder::followQtTexts()
{
    // Message-box buttons and the like speak the interface language too.
    qtTexts.follow(m_state.settings.Lingua_attuale == languageItalian());
}

bool TfrmReminder::eventFilter(QObject* watched, QEvent* event)
{
    // A key or a click before the lists are taken in waits for them.
    if (m_read) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            finishStoreRead();
            break;
        default:
            break;
        }
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()
        || static_cast<QWidget*>(watched)->window() != this)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        close(); // hides to the tray
        return true;
    }
    return m_panel->windowKey(key) || QMainWindow::eventFilter(watched, event);
}

void TfrmReminder::requestEnd(int code)
{
    // Start-up goes on; the program entry ends the program before showing the window.
    m_endRequested = true;
    m_exitCode = code;
}

AppState& TfrmReminder::state()
{
    finishStoreRead();
    return m_state;
}

ReminderEngine& TfrmReminder::engine()
{
    finishStoreRead();
    return *m_engine;
}

TrayIcon& TfrmReminder::trayIcon()
{
    return *tray;
}

QTimer& TfrmReminder::timer()
{
    return Timer;
}

const TestiReminder& TfrmReminder::texts() const
{
    return m_texts;
}

MemoGrid& TfrmReminder::memoGrid()
{
    finishStoreRead();
    return *m_memoGrid;
}

MemoListPanel& TfrmReminder::memoList()
{
    finishStoreRead();
    return *m_panel;
}

MemoListLayout& TfrmReminder::windowLayout()
{
    return *m_layout;
}

const MemoPictures& TfrmReminder::pictures() const
{
    return *m_pictures;
}

bool TfrmReminder::endRequested() const
{
    return m_endRequested;
}

int TfrmReminder::exitCode() const
{
    return m_exitCode;
}

bool TfrmReminder::splashVisible() const
{
    return pnlSplash && !pnlSplash->isHidden();
}

void TfrmReminder::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A pending save is kept on purpose: clearing it here would lose a change
    // made just before the window was reopened.
    if (firstShow) {
        m_layout->applyStartingSize();
        restorePosition();
        if (!m_state.settings.positionKnown)
            m_layout->Applica_Posizione(); // a first start opens centred
        m_memoGrid->RigaCorrente = -1;
        // Under the logo the grid is not seen: it is filled after the logo's
        // first frame, so the logo shows sooner, or when the logo goes.
        gridFillPending = true;
        if (!splashVisible())
            fillGridIfPending();
        firstShow = false;
    }
    m_memoGrid->Applica_Colorazione();
    if (pnlSplash && pnlSplash->isVisible())
        pnlSplash->setGeometry(rect());
}

void TfrmReminder::restorePosition()
{
    // The position of the client area, as writeSettings saves it: the frame
    // is unknown until the window manager has mapped the window, and mixing
    // the two moved the window by the title bar at every start.
    // Kept on the desktop: a position saved at another scale factor, or on a
    // screen that is gone, would open the window out of reach.
    const UserSettings& s = m_state.settings;
    if (!s.positionKnown)
        return;
    const QPoint saved(s.Ultima_pos_Left, s.Ultima_pos_Top);
    setGeometry(QRect(keepOnScreen(saved, frameGeometry().size(), screen()->virtualGeometry()), size()));
}

void TfrmReminder::closeEvent(QCloseEvent* event)
{
    finishStoreRead();
    if (m_endRequested) { // the start-up failed: nothing of this run to keep
        event->accept();
        return;
    }
    // Whether it hides or ends: the session may end without a hide.
    commitEditors();
    const bool ending = m_state.UscitaRichiesta || m_state.FineSessione;
    if (!ending && TrayIcon::available()) {
        hideToTray();
        event->ignore();
        return;
    }
    // Without a notification area there is no "Chiudi" to reach: the close
    // box asks its question instead.
    if (!ending && !confirmExit()) {
        event->ignore();
        return;
    }
    syncAtExit();
    m_closing = true;
    writeSettings();
    const bool memosSaved = writeStore() == 1;
    m_closing = false;
    if (!memosSaved && m_state.FineSessione)
        rescueStore();
    if (!memosSaved && !m_state.FineSessione) {
        // Ending now would lose what could not be saved.
        services.boxes.Errore(saveFailedText(AfterFailedSave::StayOpen));
        m_state.UscitaRichiesta = false;
        event->ignore();
        return;
    }
    // Preferences alone are not worth keeping a person who wants to leave:
    // say so, and end.
    if (!m_settingsSaved && !m_state.FineSessione)
        services.boxes.Errore(saveFailedText(AfterFailedSave::LeaveAnyway));
    tray->hide();
    event->accept();
    emit closedForGood();
}

void TfrmReminder::rescueStore()
{
    // Nobody is there to read a box at session end: the log says it.
    const QByteArray data = QDir::toNativeSeparators(m_state.folders.data).toLocal8Bit();
    std::fprintf(stderr, "brivo-reminder: the memos could not be saved in %s\n", data.constData());
    if (m_state.writeRescueStore(services.locale.decimalSeparator()) == 1) {
        const QByteArray rescue = QDir::toNativeSeparators(m_state.folders.rescue).toLocal8Bit();
        std::fprintf(stderr, "brivo-reminder: they were kept in %s\n", rescue.constData());
    } else {
        std::fprintf(stderr, "brivo-reminder: they could not be kept anywhere else either\n");
    }
}

void TfrmReminder::offerRescuedStore(const QString& rescued)
{
    if (!services.boxes.Conferma(rescuedStoreQuestion(m_state.settings.Lingua_attuale, m_state.folders.data, rescued)))
        return;
    if (m_state.takeRescuedStore(services.clock.now())) {
        m_memoGrid->RigaCorrente = -1;
        m_memoGrid->Aggiorna_Griglia();
        m_panel->Aggiorna_Pulsanti();
    }
}

void TfrmReminder::commitEditors()
{
    // What is typed in a cell goes to the lists whenever the window is left:
    // the text would otherwise wait in a window that may not come back
    // before the session ends.
    m_panel->commitEditor();
    if (frmSveglie)
        frmSveglie->commitEditor();
}

void TfrmReminder::hideEvent(QHideEvent* event)
{
    commitEditors();
    QMainWindow::hideEvent(event);
}

void TfrmReminder::changeEvent(QEvent* event)
{
    // Another window taken to, not a pop-up such as the editor's own menu.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !QApplication::activePopupWidget())
        m_panel->commitEditor();
    QMainWindow::changeEvent(event);
}

void TfrmReminder::popApriClick()
{
    WindowSystem::bringForward(this);
}

void TfrmReminder::popChiudiClick()
{
    if (confirmExit())
        close();
}

bool TfrmReminder::confirmExit()
{
    if (!services.boxes.Conferma(m_texts.domandaUscita))
        return false;
    m_state.UscitaRichiesta = true;
    return true;
}

void TfrmReminder::endSession()
{
    m_state.FineSessione = true;
    close();
}

void TfrmReminder::hideSplash()
{
    fillGridIfPending();
    m_state.packStoreOnDisk();
    if (pnlSplash)
        pnlSplash->hide();
}

void TfrmReminder::fillGridIfPending()
{
    finishStoreRead();
    if (!gridFillPending)
        return;
    gridFillPending = false;
    m_memoGrid->Aggiorna_Griglia();
    emit gridFilled();
}

void TfrmReminder::setTimerInterval(int ms)
{
    Timer.start(ms);
}

void TfrmReminder::hideToTray()
{
    if (!m_state.InAutorun && m_state.settings.Vis_mess_trayicon != 1)
        Mostra_Avviso_Tray();
    // Without a notification area the window could not be reached again:
    // minimise it instead, or on Wayland, where the program cannot bring a
    // minimised window back and no panel may show it, leave it shown.
    if (TrayIcon::available())
        hide();
    else if (!WindowSystem::nativeWayland())
        showMinimized();
}

int TfrmReminder::writeSettings()
{
    UserSettings& s = m_state.settings;
    s.Width_Appl = width();
    s.Height_pnlGen = m_layout->pnlGenHeight();
    s.Ultima_pos_Left = geometry().x();
    s.Ultima_pos_Top = geometry().y();
    m_settingsSaved
        = ::writeSettings(s, services.registry, settingsKey, services.autostart, m_state.config.NOME_PROGRAMMA);
    // Told once per run of failures; the exit says it in its own words.
    if (m_state.settingsFailureToTell(m_settingsSaved) && !m_closing) {
        QTimer::singleShot(0, this,
            [this,
                text = ::saveFailedText(m_state.settings.Lingua_attuale, QString(),
                    services.registry.location(settingsKey), AfterFailedSave::RetryLater)] {
                services.boxes.Errore(text);
            });
    }
    return m_settingsSaved ? 1 : 0;
}

int TfrmReminder::writeStore()
{
    // Typed text goes to its record before the lists take in another
    // program's changes.
    if (m_state.storeChangedOutside())
        commitEditors();
    const QDateTime now = services.clock.now();
    const int r = m_state.writeStore(services.locale.decimalSeparator(), now.date(), now.time());
    if (std::exchange(m_state.outsideChangesTaken, false))
        followOutsideChanges();
    m_storeSaved = r == 1;
    if (m_storeSaved && !m_closing)
        syncAfterSave();
    // Told once per run of failures, after the tick that found it.
    if (m_state.saveFailureToTell(m_storeSaved) && !m_closing) {
        QTimer::singleShot(0, this,
            [this,
                text = ::saveFailedText(m_state.settings.Lingua_attuale, m_state.folders.data, QString(),
                    AfterFailedSave::Retry)] { services.boxes.Errore(text); });
    }
    return r;
}

void TfrmReminder::followListChange()
{
    m_memoGrid->followListChange();
    m_panel->Aggiorna_Pulsanti();
    if (frmSveglie && frmSveglie->isVisible())
        frmSveglie->followListChange();
}

IcsOutcome TfrmReminder::transferIcs(bool exporting, const QString& path)
{
    finishStoreRead();
    if (m_endRequested)
        return IcsOutcome::unavailable(unconvertibleStoreText(m_state.settings.Lingua_attuale, m_state.folders.data));
    // Typed text goes out with the rest; an import does not land under an open editor.
    commitEditors();
    const QDateTime now = services.clock.now();
    QString why;
    Calendar* calendar = CalendarLoader::load(why);
    if (!calendar)
        return IcsOutcome::unavailable(why);
    const IcsOutcome outcome
        = exporting ? calendar->exportFile(m_state, path, now) : calendar->importFile(m_state, path, now);
    if (outcome.listsChanged) {
        m_state.DaSalvare = true;
        followListChange();
    }
    return outcome;
}

void TfrmReminder::followOutsideChanges()
{
    followListChange();
    const QString copy = std::exchange(m_state.outsideCopy, QString());
    if (m_toldOutsideChanges && copy.isEmpty())
        return;
    m_toldOutsideChanges = true;
    const QString text = outsideChangesText(m_state.settings.Lingua_attuale, m_state.folders.data, copy);
    if (!m_closing)
        QTimer::singleShot(0, this, [this, text] { services.boxes.information(text); });
}

void TfrmReminder::missedReminders(const MissedList& missed)
{
    if (!frmMissed)
        frmMissed = std::make_unique<TfrmMissed>(m_state, services, [this] { popApriClick(); });
    frmMissed->Aggiungi(missed);
    if (m_state.settings.Notifica_desktop == 1) {
        services.notifications.notify(frmMissed->windowTitle(), frmMissed->lines(missed).join(u'\n'),
            [this] { WindowSystem::bringForward(frmMissed.get()); });
    }
}

QString TfrmReminder::saveFailedText(AfterFailedSave after) const
{
    return ::saveFailedText(m_state.settings.Lingua_attuale, m_storeSaved ? QString() : m_state.folders.data,
        m_settingsSaved ? QString() : services.registry.location(settingsKey), after);
}
