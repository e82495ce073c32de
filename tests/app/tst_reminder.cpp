#include "alarms/FDataOra.h"
#include "alarms/FSveglie.h"
#include "controls/A_DBStringGrid.h"
#include "controls/CentraFinestra.h"
#include "controls/GridFixture.h"
#include "dialogs/FEmail.h"
#include "dialogs/FMessaggioTrayIcon.h"
#include "dialogs/FOpzioni.h"
#include "engine/ReminderEngine.h"
#include "memolist/MemoGrid.h"
#include "memolist/MemoListPanel.h"
#include "memolist/MemoListRig.h"
#include "platform/CalendarLoader.h"
#include "platform/TrayIcon.h"
#include "platform/WindowSystem.h"
#include "state/Colorazioni.h"
#include "store/Codepage.h"
#include "store/StoreFile.h"
#include "warnings/FWarnMemo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sys/stat.h>

namespace {

// The shown top-level window of type T, as a dialog opened by the program.
template <class T> T* shownWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    }
    return nullptr;
}

QStringList notes(const MemoList& memos)
{
    QStringList list;
    for (const REC_Memo& m : memos)
        list.append(m.Nota);
    return list;
}

// The window rig with one sound installed and the timer driven by hand.
struct Rig : MemoListRig {
    Rig()
    {
        QDir(dir.path()).mkdir("Suoni");
        QFile(dir.filePath("Suoni/Campana.wav")).open(QIODevice::WriteOnly);
    }
    // One tick of the timer, the clock moved as the real one would be.
    void tick(int ms = TICK_INTERVAL_MS)
    {
        clock.advanceMs(ms);
        window->engine().TimerTimer();
    }
    // What Store.dat holds now.
    bool stored(MemoList& memos, SvegliaList& sveglie) const
    {
        QString diagnostic;
        return StoreFile::read(dir.path(), false, memos, sveglie, diagnostic) == 1;
    }
};

// A click where a person clicks: through the button's window, so that a
// window blocked by a modal dialog does not get it.
void clickOnScreen(QWidget* button)
{
    QWidget* window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window, button->rect().center()));
}

} // namespace

class TestReminder : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        TrayIcon::pinAvailable(std::nullopt);
        WindowSystem::pinNativeWayland(std::nullopt);
    }

    // The logo shows until the first tick, 1500 ms after the start; then the
    // timer runs every 3000 ms, and "/AutoRun" hides the window without the
    // tray notice (the engine tests read the switch). Without a notification
    // area the window stays reachable: minimised on X11, shown on Wayland,
    // where nothing could bring a minimised window back.
    void firstTickEndsTheStartUp()
    {
        enum Shown { Hidden, Minimised, Normal };
        const struct {
            bool tray, wayland;
            Shown shown;
        } rows[] = {{true, false, Hidden}, {false, false, Minimised}, {true, true, Hidden}, {false, true, Normal}};
        for (const auto& [tray, wayland, shown] : rows) {
            TrayIcon::pinAvailable(tray);
            WindowSystem::pinNativeWayland(wayland);
            Rig rig;
            TfrmReminder& w = rig.start({}, {"brivo-reminder", "/autorun"});
            QVERIFY(w.splashVisible());
            QCOMPARE(w.timer().interval(), 1500);
            QCOMPARE(w.state().settings.Suono_Memo, QString("Campana")); // first sound is the default
            QVERIFY(rig.boxes.shown.isEmpty());

            w.show();
            rig.tick(1500);
            QVERIFY(!w.splashVisible());
            QCOMPARE(w.timer().interval(), 3000);
            QCOMPARE(w.isHidden() ? Hidden : w.isMinimized() ? Minimised : Normal, shown);
            QVERIFY(!w.trayNotice());
        }
    }

    // The store is read, and the logo and the icon decoded, beside the rest
    // of the start. Under the logo the grid is filled once the logo has been
    // painted, or when the first tick takes the logo away before it ever was.
    // Read behind the logo, the lists are taken in then too, or sooner by
    // whatever needs them first: a tick, the session's end, a calendar file
    // asked for by a later start.
    void storeReadBehindTheLogo()
    {
        using Reading = TfrmReminder::StoreReading;
        QFile real(QStringLiteral(":/bitmaps/LOGO"));
        QVERIFY(real.open(QIODevice::ReadOnly));
        const QByteArray logo = real.readAll();
        enum Entry { Painted, Tick, SessionEnd, Export };
        const struct {
            Reading reading;
            Entry entry;
        } rows[] = {{Reading::BeforeShown, Painted}, {Reading::BeforeShown, Tick}, {Reading::BehindLogo, Painted},
            {Reading::BehindLogo, Tick}, {Reading::BehindLogo, SessionEnd}, {Reading::BehindLogo, Export}};
        for (const auto& row : rows) {
            Rig rig;
            rig.resources.bitmaps.insert(QStringLiteral("LOGO"), logo);
            // Missed since the last check, to be told at the first tick.
            rig.putSetting("Ultimo_controllo", at(2024, 6, 3, 9, 0).toUTC().toString(Qt::ISODate));
            QVERIFY(StoreFile::write(rig.dir.path(), {memoOn(1, 0, QTime(9, 30), 0, 1, "Dentista")}, {}, u',') == 1);
            TfrmReminder& w = rig.start({}, {}, row.reading);
            // Not through memoGrid(), which would take the lists in itself.
            auto* grid = w.findChild<TA_DBStringGrid*>();
            QVERIFY(grid);
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("pnlSplash"))->pixmap().size(), QImage::fromData(logo).size());
            QCOMPARE(w.windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)});
            switch (row.entry) {
            case Painted:
                w.show();
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                QTRY_COMPARE(grid->Cells(COL_TEXT, 1), QString("Dentista"));
                QVERIFY(w.splashVisible());
                break;
            case Tick:
                // Through the window's own timer, as the program ticks.
                for (const int ms : {1500, 3000}) {
                    rig.clock.advanceMs(ms);
                    w.timer().start(0);
                    QTRY_VERIFY(!w.splashVisible());
                }
                QTRY_COMPARE(int(rig.notifications.sent.size()), 1);
                QVERIFY(rig.notifications.sent[0][1].contains("Dentista"));
                QCOMPARE(grid->Cells(COL_TEXT, 1), QString("Dentista"));
                break;
            case SessionEnd: {
                w.endSession();
                MemoList memos;
                SvegliaList sveglie;
                QVERIFY(rig.stored(memos, sveglie));
                QCOMPARE(notes(memos), QStringList{"Dentista"});
                break;
            }
            case Export: {
                QString why;
                QVERIFY2(CalendarLoader::load(why, {QStringLiteral(BRIVO_CALENDAR_MODULE)}), qPrintable(why));
                const QString ics = rig.dir.filePath("out.ics");
                QVERIFY(w.transferIcs(true, ics).ok());
                QFile file(ics);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QVERIFY(file.readAll().contains("Dentista"));
                break;
            }
            }
        }
    }

    // A missing configuration picture ends the start-up with an error. An
    // unknown language in the settings does not: the configured default
    // (Italian here) takes its place, one box says so once the timer runs,
    // and the next save writes the language in use.
    void startUpErrors()
    {
        for (const QString fault : {"language", "language case", "logo", "logo, store read behind it"}) {
            Rig rig;
            const bool logo = fault.startsWith("logo");
            if (logo)
                rig.resources.bitmaps.remove("LOGO");
            else
                rig.putSetting("Lingua_attuale", fault == "language" ? "Klingon" : "italiano (italia)");
            TfrmReminder& w = rig.start({}, {},
                fault == "logo" ? TfrmReminder::StoreReading::BeforeShown : TfrmReminder::StoreReading::BehindLogo);
            if (logo) {
                QVERIFY(w.endRequested());
                QVERIFY(rig.boxes.texts().last().startsWith("Errore: Errore di caricamento risorse!"));
                rig.window.reset(); // never shown: the store is not read, and nothing waits for it
                continue;
            }
            QVERIFY(!w.endRequested());
            QVERIFY(rig.boxes.shown.isEmpty()); // nothing waits before the timer runs
            w.show();
            QCoreApplication::processEvents();
            rig.tick(1500);
            rig.tick();
            QCOMPARE(rig.boxes.texts(),
                QStringList{"La lingua \"" + QString(fault == "language" ? "Klingon" : "italiano (italia)")
                    + "\" delle impostazioni non è conosciuta: il programma usa \"Italiano (Italia)\"."});
            QCOMPARE(rig.boxes.shown[0].kind, MessageKind::Information);
            QCOMPARE(w.texts().popChiudi, QString("Chiudi"));
            QCOMPARE(rig.setting("Lingua_attuale"), QString("Italiano (Italia)"));
            QVERIFY(!w.isHidden());
        }
    }

    // Every way to close, with and without a notification area: with one the
    // window hides without a word; without one, and from the tray's "Chiudi",
    // the exit question decides, and Yes saves and ends.
    void closing()
    {
        const QString it("Italiano (Italia)");
        const QString en("English (UK)");
        const struct {
            QString way;
            bool tray;
            QString language;
            Answer answer;
            bool notice, ends;
        } rows[] = {
            {"close box", true, it, Answer::No, true, false},   // hides, with the notice
            {"Escape", true, it, Answer::No, false, false},     // hides, notice off
            {"Chiudi", true, it, Answer::No, false, false},     // Chiudi, No
            {"Chiudi", true, en, Answer::Yes, false, true},     // Chiudi, Yes, English
            {"close box", false, it, Answer::No, false, false}, // no tray: asked, No
            {"close box", false, en, Answer::Yes, false, true}, // no tray: asked, Yes
            {"Escape", false, it, Answer::Yes, false, true},    // no tray: Escape, Yes
        };
        for (const auto& [way, tray, language, answer, notice, ends] : rows) {
            TrayIcon::pinAvailable(tray);
            Rig rig;
            rig.putSetting("Lingua_attuale", language);
            rig.putSetting("Vis_mess_trayicon", notice || way != "Escape" ? "0" : "1");
            TfrmReminder& w = rig.start();
            QSignalSpy closed(&w, &TfrmReminder::closedForGood);
            w.show();
            w.state().ArrMemo.append(memoOn(1, 0, QTime(10, 0)));
            rig.registry.writes.clear();
            rig.boxes.setNextAnswer(answer);
            if (way == "Chiudi")
                w.popChiudiClick();
            else if (way == "Escape")
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close();

            const bool asked = way == "Chiudi" || !tray;
            const QString question = language == "Italiano (Italia)"
                ? "Chiudendo Brivo Reminder non verranno più mostrati gli avvisi impostati: sei sicuro di volerlo "
                  "chiudere?"
                : "Closing Brivo Reminder memos and clocks will not be shown: are you sure that you want to exit?";
            QCOMPARE(rig.boxes.texts(), asked ? QStringList{question} : QStringList{});
            QCOMPARE(w.trayNotice() && w.trayNotice()->isVisible(), notice);
            QCOMPARE(w.isHidden(), (tray && !asked) || ends);
            QCOMPARE(closed.count(), ends ? 1 : 0);
            QCOMPARE(QFile::exists(rig.dir.filePath("Store.dat")), ends);
            QCOMPARE(rig.setting("qt_aperture_prog").isEmpty(), !ends);
            QCOMPARE(rig.registry.writes.isEmpty(), !ends);
        }
    }

    // Nothing but the timer runs: the memo turns imminent on screen within a
    // tick of its moment, and the day words follow midnight.
    void tickRepaintsAndRebuildsAtMidnight()
    {
        Rig rig;
        TfrmReminder& w = rig.start({memoOn(1, 0, QTime(10, 0), 0), memoOn(2, 1)});
        rig.clock.set(at(2024, 6, 3, 9, 28, 57)); // imminent from 09:29:00, 31 minutes before
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        rig.tick(1500);
        const QColor imminent = QColor::fromRgb(
            Colorazione_Corrente(w.state().ArrColorazioni, w.state().settings.Tipo_colorazione)->ColoreImminente);
        TA_DBStringGrid* g = w.memoGrid().dbsgMemo();
        QWidget* cells = g->viewport();
        const auto imminentOnScreen = [&] { // text is smoothed: pixels near the colour
            const QRect area(cells->mapTo(&w, QPoint(g->columnViewportPosition(COL_TEXT), 0)),
                QSize(g->ColWidths(COL_TEXT), cells->height()));
            return countNear(w.screen()->grabWindow(w.winId()).toImage(), area, imminent);
        };
        QTest::qWait(50);
        QCOMPARE(imminentOnScreen(), 0);
        rig.clock.advanceMs(3000); // 09:29:01.5
        w.timer().start(0);
        QTRY_VERIFY(imminentOnScreen() > 0);

        QCOMPARE(g->Cells(COL_DATE, 2), QString("Domani"));
        rig.clock.set(at(2024, 6, 4, 0, 0, 1));
        QTRY_COMPARE(g->Cells(COL_DATE, 2), QString("Oggi"));
    }

    // A memo missed while the program was closed: its window, and one
    // desktop notification when the switch is on.
    void missedAtStartIsNotifiedOnce()
    {
        for (const int notifica : {1, 0}) {
            Rig rig;
            rig.putSetting("Notifica_desktop", QString::number(notifica));
            rig.putSetting("Ultimo_controllo", at(2024, 6, 3, 9, 0).toUTC().toString(Qt::ISODate));
            rig.start({memoOn(1, 0, QTime(9, 30), 0)});
            rig.tick(1500);
            rig.tick();
            QCOMPARE(int(rig.notifications.sent.size()), notifica);
            if (notifica) {
                QCOMPARE(rig.notifications.sent[0][0], QString("Promemoria persi"));
                QVERIFY(rig.notifications.sent[0][1].contains("memo 1"));
            }
        }
    }

    // A damaged store's box, a note that lets the start go on, waits for its
    // answer while reminders go on, and says where the unusable files were kept.
    void damagedStoreBoxHoldsNoReminderBack()
    {
        Rig rig;
        QFile store(rig.dir.filePath("Store.dat"));
        QVERIFY(store.open(QIODevice::WriteOnly) && store.write("#MEMO#\t#_ID:x\r\n") > 0);
        store.close();
        rig.clock.set(at(2024, 6, 3, 9, 53, 40));
        TfrmReminder& w = rig.start({}, {"brivo-reminder", "/AutoRun"});
        w.state().ArrMemo.append(memoOn(1, 0, QTime(9, 54), 0));
        int warnings = -1;
        rig.boxes.whileShown = [&] {
            rig.tick(1500);
            for (int i = 0; i < 10; ++i)
                rig.tick();
            warnings = int(w.engine().ArrWarnMemo().size());
        };
        QVERIFY(rig.boxes.shown.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(rig.boxes.shown.size(), 1);
        QCOMPARE(warnings, 1);
        QVERIFY(!w.endRequested());
        QCOMPARE(rig.boxes.shown[0].kind, MessageKind::Information);
        QVERIFY(rig.boxes.texts()[0].startsWith("File dati corrotto e/o illeggibile!"));
        QVERIFY(rig.boxes.texts()[0].contains("\n\nLa riga 1 di Store.dat è danneggiata ed è stata saltata"));
        QVERIFY(rig.boxes.texts()[0].endsWith(
            "conservati come:\n" + rig.dir.filePath("Store_damaged_20240603-095340.dat")));
    }

    // A Qt without ICU cannot read a Windows-1252 store: an error box, the
    // program ends, and the store stays as it was.
    void unconvertibleStoreEndsUntouched()
    {
        Codepage::setConverterNameForTests("no-such-code-page");
        const auto restore = qScopeGuard([] { Codepage::setConverterNameForTests(nullptr); });
        for (const auto reading : {TfrmReminder::StoreReading::BeforeShown, TfrmReminder::StoreReading::BehindLogo}) {
            Rig rig;
            const QByteArray windows = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Perch\xe9\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366"
                                       "\t#TOR:1\t#_OR:0,5\t#TAN:2\t#_AN:-5\r\n";
            QFile store(rig.dir.filePath("Store.dat"));
            QVERIFY(store.open(QIODevice::WriteOnly) && store.write(windows) == windows.size());
            store.close();
            TfrmReminder& w = rig.start({}, {}, reading);
            if (reading == TfrmReminder::StoreReading::BehindLogo) {
                // Found once the logo is up: the window goes, then the box, then the program.
                QSignalSpy ended(&w, &TfrmReminder::closedForGood);
                QVERIFY(!w.endRequested());
                w.show();
                QTRY_COMPARE(ended.size(), 1);
                QCOMPARE(rig.boxes.texts().size(), 1);
                QVERIFY(w.isHidden());
                QCOMPARE(w.exitCode(), 1);
            }
            QVERIFY(w.endRequested());
            QCOMPARE(rig.boxes.texts().size(), 1);
            QVERIFY(rig.boxes.texts()[0].startsWith(
                "Errore: Il file \"" + store.fileName() + "\" è scritto nella codifica"));
            w.state().DaSalvare = true;
            rig.tick(1500);
            rig.tick();
            w.endSession();
            QVERIFY(store.open(QIODevice::ReadOnly) && store.readAll() == windows);
            QCOMPARE(QDir(rig.dir.path()).entryList({"Store*"}), QStringList{"Store.dat"});
        }
    }

    // The settings keep the code page the store was last written in, so a
    // Windows-1252 store whose bytes also read as UTF-8 reads, saves and
    // joins outside changes in that code page; without that history the
    // bytes read as UTF-8, as they always did, and that is what is kept.
    void codePageKeptWithTheSettings()
    {
        for (const QString history : {"windows-1252", ""}) {
            Rig rig;
            const auto line = [](const QByteArray& id, const QByteArray& note) {
                return "#MEMO#\t#_ID:" + id + "\t#TME:1\t#_NT:" + note
                    + "\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366\t#TOR:1\t#_OR:0,5\t#TAN:2\t#_AN:-5\r\n";
            };
            const QByteArray first = line("1", "PERCH\xc8\x85");
            QFile store(rig.dir.filePath("Store.dat"));
            QVERIFY(store.open(QIODevice::WriteOnly) && store.write(first) == first.size());
            store.close();
            if (!history.isEmpty())
                rig.putSetting("Codifica_archivio", history);
            TfrmReminder& w = rig.start();
            const bool windows = !history.isEmpty();
            QCOMPARE(w.state().ArrMemo.size(), 1);
            QCOMPARE(w.state().ArrMemo[0].Nota, windows ? QString("PERCHÈ…") : QString("PERCHȅ"));
            rig.tick(1500);
            rig.tick();
            QCOMPARE(rig.setting("Codifica_archivio"), windows ? history : QString("utf-8"));
            // Another copy in the code page adds a memo through a synced folder.
            const QByteArray both = first + line("2", "CITT\xc9\x94");
            QVERIFY(store.open(QIODevice::WriteOnly) && store.write(both) == both.size());
            store.close();
            w.state().DaSalvare = true;
            rig.tick();
            QCOMPARE(w.state().ArrMemo.size(), 2);
            QCOMPARE(w.state().ArrMemo[1].Nota, windows ? QString("CITTÉ”") : QString("CITTɔ"));
            QVERIFY(store.open(QIODevice::ReadOnly));
            QCOMPARE(store.readAll(), both); // either way the bytes are written back as they came
            store.close();
        }
    }

    // A session that ends with the data folder unwritable keeps the memos in
    // the rescue folder; the next start offers them, and taken they are saved
    // and the rescued file is kept under another name.
    void sessionEndRescuesAnUnsavedStore()
    {
        QByteArray rescued;
        {
            Rig rig;
            TfrmReminder& w = rig.start({memoOn(1, 0, QTime(12, 0), -5, 1, "Da non perdere")});
            w.show();
            rig.tick(1500);
            const QString blocked = rig.dir.filePath("blocked");
            QFile(blocked).open(QIODevice::WriteOnly); // a file where the folder should be
            w.state().folders.data = blocked + "/data";
            w.state().DaSalvare = true;
            w.endSession();
            MemoList kept;
            SvegliaList sveglie;
            QString diagnostic;
            QCOMPARE(StoreFile::read(rig.dir.filePath("rescue"), false, kept, sveglie, diagnostic), 1);
            QCOMPARE(notes(kept), QStringList{"Da non perdere"});
            QFile file(rig.dir.filePath("rescue/Store.dat"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            rescued = file.readAll();
        }
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            Rig rig;
            QDir(rig.dir.path()).mkdir("rescue");
            QFile file(rig.dir.filePath("rescue/Store.dat"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rescued) == rescued.size());
            file.close();
            rig.boxes.setNextAnswer(answer);
            TfrmReminder& w = rig.start();
            w.show();
            QCoreApplication::processEvents();
            QCOMPARE(rig.boxes.shown.size(), 1);
            QVERIFY(rig.boxes.texts()[0].contains(rig.dir.filePath("rescue/Store.dat")));
            QCOMPARE(notes(w.state().ArrMemo), answer == Answer::Yes ? QStringList{"Da non perdere"} : QStringList{});
            QCOMPARE(QFile::exists(rig.dir.filePath("rescue/Store.dat")), answer == Answer::No);
            if (answer == Answer::Yes) {
                QCOMPARE(QDir(rig.dir.filePath("rescue")).entryList({"Store_taken_*.dat"}).size(), 1);
                QCOMPARE(w.memoGrid().dbsgMemo()->Cells(COL_TEXT, 1), QString("Da non perdere"));
                rig.tick(1500);
                rig.tick();
                MemoList memos;
                SvegliaList sveglie;
                QVERIFY(rig.stored(memos, sveglie));
                QCOMPARE(notes(memos), QStringList{"Da non perdere"});
            }
        }
    }

    // A save that fails is told once, with the folder; the tick tries again
    // and a later success is silent. Exiting then would lose the changes.
    void failedSaveToldOnceAndRetried()
    {
        Rig rig;
        TfrmReminder& w = rig.start();
        w.show();
        rig.tick(1500);
        const QString blocked = rig.dir.filePath("blocked");
        QFile(blocked).open(QIODevice::WriteOnly); // a file where the folder should be
        w.state().folders.data = blocked + "/data";
        w.state().ArrMemo.append(memoOn(1, 0, QTime(11, 0)));
        w.state().DaSalvare = true;
        for (int i = 0; i < 3; ++i) {
            rig.tick();
            QCoreApplication::processEvents();
        }
        QVERIFY(w.state().DaSalvare);
        QCOMPARE(rig.boxes.texts(),
            QStringList{"Errore: Impossibile salvare i promemoria in \"" + blocked
                + "/data\".\nLe modifiche restano in memoria e il salvataggio viene "
                  "ritentato ogni pochi secondi."});
        QCOMPARE(rig.boxes.shown[0].kind, MessageKind::Error);

        rig.boxes.setNextAnswer(Answer::Yes);
        w.popChiudiClick();
        QVERIFY(w.isVisible());
        QVERIFY(rig.boxes.texts().last().endsWith("Il programma resta aperto per non perdere le modifiche."));

        QVERIFY(QFile::remove(blocked));
        rig.boxes.shown.clear();
        rig.tick();
        QCoreApplication::processEvents();
        QVERIFY(!w.state().DaSalvare);
        QVERIFY(QFile::exists(blocked + "/data/Store.dat"));
        QVERIFY(rig.boxes.shown.isEmpty());
    }

    // The window's own warning windows; what they show and play is the warnings tests'.
    void dueMemoWarnsAndItsCloseRedrawsTheList()
    {
        Rig rig;
        TfrmReminder& w = rig.start();
        w.state().ArrMemo.append(memoOn(1, 0, QTime(10, 0), -5, 1, "Telefonare al dentista"));
        w.show();
        rig.clock.set(at(2024, 6, 3, 9, 54, 58));
        rig.tick(1500);
        rig.tick(); // 09:55:01
        QCOMPARE(w.engine().ArrWarnMemo().size(), 1);
        auto* warning = dynamic_cast<TfrmWarnMemo*>(w.engine().ArrWarnMemo().first());
        QVERIFY(warning && warning->isVisible());
        w.state().ArrMemo.first().Nota = "Chiamare";
        warning->close();
        QCOMPARE(w.memoGrid().dbsgMemo()->Cells(1, 1), QString("Chiamare"));
        rig.tick();
        QVERIFY(w.engine().ArrWarnMemo().isEmpty());
    }

    // A warning's action shows in the memo list at once, and the list's
    // rows, its highlight and F8 keep to the memo each one shows.
    void warningActionsAndTheListAgree()
    {
        const struct {
            const char* action;
            int doneAtRow2;
            QString textAtRow2, advanceAtRow2;
            QStringList left; // after F8 on the highlighted "Tre"
        } rows[] = {
            {"Cancella", 0, "Tre", "-5", {"Uno", "Quattro"}},
            {"Eseguito", 1, "Due", "-5", {"Uno", "Due", "Quattro"}},
            {"Ricordami", 0, "Due", "0", {"Uno", "Due", "Quattro"}},
        };
        for (const auto& r : rows) {
            Rig rig;
            TfrmReminder& w
                = rig.start({memoOn(1, 0, QTime(12, 0), -5, 1, "Uno"), memoOn(2, 0, QTime(10, 0), -5, 1, "Due"),
                    memoOn(3, 0, QTime(12, 0), -5, 1, "Tre"), memoOn(4, 0, QTime(10, 0), -5, 1, "Quattro")});
            w.show();
            rig.clock.set(at(2024, 6, 3, 9, 54, 58));
            rig.tick(1500);
            rig.tick(); // 09:55:01: "Due" and "Quattro" fall due
            QCOMPARE(w.engine().ArrWarnMemo().size(), 1);
            auto* warning = dynamic_cast<TfrmWarnMemo*>(w.engine().ArrWarnMemo().first());
            QVERIFY(warning && warning->dbsgMess->RowCount() == 2);
            TA_DBStringGrid* list = w.memoGrid().dbsgMemo();
            list->setRow(3); // "Tre" highlighted
            QCOMPARE(w.memoGrid().RigaCorrente, 3);

            clickCell(warning->dbsgMess, 1, 0); // "Due" alone
            QToolButton* button = QString(r.action) == "Cancella" ? warning->btnCancella
                : QString(r.action) == "Eseguito"                 ? warning->btnEseguito
                                                                  : warning->btnRicordami;
            button->click();
            QVERIFY2(warning->isVisible(), r.action); // "Quattro" is still shown there
            QCOMPARE(list->Cells(COL_TEXT, 2), r.textAtRow2);
            QCOMPARE(list->Cells(COL_DONE, 2) == "1", r.doneAtRow2 == 1);
            QCOMPARE(list->Cells(COL_ADVANCE, 2), r.advanceAtRow2);
            QCOMPARE(list->Cells(COL_TEXT, w.memoGrid().RigaCorrente), QString("Tre"));

            rig.boxes.setNextAnswer(Answer::Yes);
            QTest::keyClick(list, Qt::Key_F8);
            QCOMPARE(notes(w.state().ArrMemo), r.left);
        }
    }

    // Every command that waits for a dialog marks the save when the answer
    // changes something: a tick while the dialog is open has saved and
    // cleared the flag, and the next tick must still write the change.
    void dialogAnswersAreSavedAtTheNextTick()
    {
        const struct {
            const char* name;
            std::function<void(Rig&, TfrmReminder&)> command;
            std::function<void(const MemoList&, const SvegliaList&)> check; // what Store.dat holds then
        } rows[] = {
            {"date picker",
                [](Rig& rig, TfrmReminder& w) {
                    QTimer::singleShot(0, [&rig] {
                        auto* picker = shownWindow<TfrmDataOra>();
                        QVERIFY(picker);
                        rig.tick();
                        auto* view = picker->mtcCalendario()->findChild<QTableView*>();
                        QVERIFY(view);
                        picker->mtcCalendario()->setSelectedDate(QDate(2024, 6, 20));
                        QTest::keyClick(view, Qt::Key_Escape);
                    });
                    clickCell(w.memoGrid().dbsgMemo(), COL_DATE, 1);
                },
                [](const MemoList& memos, const SvegliaList&) {
                    QCOMPARE(memos.size(), 1);
                    QCOMPARE(DayNumbers::toDate(memos[0].Data), QDate(2024, 6, 20));
                }},
            {"memo delete question",
                [](Rig& rig, TfrmReminder& w) {
                    w.memoGrid().RigaCorrente = 1; // as a click on the row leaves it
                    rig.boxes.whileShown = [&rig] { rig.tick(); };
                    rig.boxes.setNextAnswer(Answer::Yes);
                    QTest::keyClick(w.memoGrid().dbsgMemo(), Qt::Key_F8);
                },
                [](const MemoList& memos, const SvegliaList&) { QVERIFY(memos.isEmpty()); }},
            {"alarm clock delete question",
                [](Rig& rig, TfrmReminder& w) {
                    w.state().ArrSveglie.append(
                        REC_Sveglia{SVEGLIA_OGNI_GIORNO, 1, "sveglia", 1, DayNumbers::fromTime(QTime(7, 0)), ""});
                    QTimer::singleShot(0, [&rig] {
                        auto* alarms = shownWindow<TfrmSveglie>();
                        QVERIFY(alarms);
                        clickCell(alarms->dbsgSveglie(), SV_COL_SOUND, 1);
                        rig.boxes.whileShown = [&rig] { rig.tick(); };
                        rig.boxes.setNextAnswer(Answer::Yes);
                        alarms->btnCancella->click();
                        rig.boxes.whileShown = nullptr;
                        alarms->btnChiudi->click();
                    });
                    QTest::keyClick(w.memoGrid().dbsgMemo(), Qt::Key_F2);
                },
                [](const MemoList&, const SvegliaList& sveglie) { QVERIFY(sveglie.isEmpty()); }},
            {"options, a scheme chosen",
                [](Rig& rig, TfrmReminder& w) {
                    QString chosen, saved;
                    QTimer::singleShot(0, [&] {
                        auto* options = shownWindow<TfrmOpzioni>();
                        QVERIFY(options);
                        rig.tick();
                        const int next
                            = (options->cboColorazioni->currentIndex() + 1) % options->cboColorazioni->count();
                        options->cboColorazioni->setCurrentIndex(next);
                        emit options->cboColorazioni->activated(next);
                        rig.tick(); // the options still open
                        chosen = w.state().settings.Tipo_colorazione;
                        saved = rig.setting("Tipo_colorazione");
                        options->close();
                    });
                    QTest::keyClick(w.memoGrid().dbsgMemo(), Qt::Key_F4);
                    QVERIFY(!chosen.isEmpty());
                    QCOMPARE(saved, chosen);
                },
                nullptr},
        };
        for (const auto& r : rows) {
            Rig rig;
            rig.putSetting("Chiedi_conferma_cancellazione", "1");
            TfrmReminder& w = rig.start({memoOn(1, 0, QTime(12, 0))});
            w.show();
            rig.tick(1500);
            rig.tick();
            QVERIFY2(!w.state().DaSalvare, r.name);
            r.command(rig, w);
            rig.boxes.whileShown = nullptr;
            rig.tick();
            QVERIFY2(!w.state().DaSalvare, r.name);
            QVERIFY2(!w.state().settingsPending, r.name);
            MemoList memos;
            SvegliaList sveglie;
            if (!r.check) { // settings alone are no reason to write the memos
                QVERIFY2(!QFile::exists(rig.dir.filePath("Store.dat")), r.name);
                continue;
            }
            QVERIFY(rig.stored(memos, sveglie));
            r.check(memos, sveglie);
        }
    }

    // Each dialog of the main window open while memos fall due: the first
    // warning is answered at once ("Cancella" deletes its memo) and the
    // dialog stays; closing the dialog leaves the second warning's loop
    // playing, and the date picked or the memo deleted is still the one
    // the person chose, though a memo before it went meanwhile.
    void warningsAnsweredOverDialogs()
    {
        for (const QString dialog : {"options", "alarm clocks", "mail", "date picker", "delete question"}) {
            Rig rig;
            rig.putSetting("Suono_allarme_ripeturamente", "1");
            rig.putSetting("Chiedi_conferma_cancellazione", "1");
            TfrmReminder& w = rig.start({memoOn(1, 0, QTime(10, 0), -5, 1, "Primo"),
                memoOn(2, 0, QTime(10, 3), -5, 1, "Secondo"), memoOn(3, 2, QTime(), 0, 0, "Terzo")});
            const QString loop = "loop " + rig.dir.filePath("Suoni/Campana.wav");
            rig.clock.set(at(2024, 6, 3, 9, 54, 58));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            rig.tick(1500);
            TA_DBStringGrid* g = w.memoGrid().dbsgMemo();
            const auto warning = [&w]() { return dynamic_cast<TfrmWarnMemo*>(w.engine().ArrWarnMemo().last()); };
            QStringList seen;
            const auto whileOpen = [&] {
                QWidget* d = QApplication::activeModalWidget();
                seen << (d ? d->objectName() : QString());
                rig.tick(); // 09:55:01.5, the first memo falls due
                QCOMPARE(w.engine().ArrWarnMemo().size(), 1);
                QCOMPARE(rig.sound.calls.last(), loop);
                clickOnScreen(warning()->btnCancella);
                seen << QString::number(warning()->isVisible()) << rig.sound.calls.last()
                     << QString::number(d && d->isVisible());
                rig.clock.set(at(2024, 6, 3, 9, 57, 59));
                rig.tick(); // the second
                QCOMPARE(rig.sound.calls.last(), loop);
                if (auto* options = qobject_cast<TfrmOpzioni*>(d))
                    options->imgPlayMemo->click(); // tried out: cuts the loop until the dialog closes
                if (auto* picker = qobject_cast<TfrmDataOra*>(d))
                    picker->mtcCalendario()->setSelectedDate(QDate(2024, 6, 14));
                if (d)
                    QTest::keyClick(d, Qt::Key_Escape);
            };
            if (dialog == "delete question") {
                rig.boxes.whileShown = whileOpen;
                rig.boxes.setNextAnswer(Answer::Yes);
                w.memoGrid().RigaCorrente = 3;
                QTest::keyClick(g, Qt::Key_F8);
            } else {
                QTimer::singleShot(0, whileOpen);
                if (dialog == "date picker")
                    clickCell(g, COL_DATE, 3);
                else if (dialog == "mail")
                    w.memoList().Apri_Email();
                else
                    QTest::keyClick(g, dialog == "options" ? Qt::Key_F4 : Qt::Key_F2);
            }
            const QString name = dialog == "options" ? "frmOpzioni"
                : dialog == "alarm clocks"           ? "frmSveglie"
                : dialog == "mail"                   ? "frmEmail"
                : dialog == "date picker"            ? "frmDataOra"
                                                     : "";
            QCOMPARE(seen, (QStringList{name, "0", "stop", name.isEmpty() ? "0" : "1"}));
            QCOMPARE(rig.sound.calls.last(), loop); // the second warning still rings
            QStringList left;
            for (const REC_Memo& m : w.state().ArrMemo)
                left << m.Nota + ' ' + DayNumbers::toDate(m.Data).toString("dd/MM");
            const QStringList expected = dialog == "delete question" ? QStringList{"Secondo 03/06"}
                : dialog == "date picker"                            ? QStringList{"Secondo 03/06", "Terzo 14/06"}
                                                                     : QStringList{"Secondo 03/06", "Terzo 05/06"};
            QCOMPARE(left, expected);
            clickOnScreen(warning()->btnOK);
            QCOMPARE(rig.sound.calls.last(), QString("stop"));
        }
    }

    // Only the settings unsavable (a read-only configuration folder): the
    // exit says so and ends, the memos being saved. With the memos
    // unsavable too the program stays open.
    void exitWithUnsavableSettings()
    {
        for (const bool memosToo : {false, true}) {
            Rig rig;
            TfrmReminder& w = rig.start({memoOn(1, 0, QTime(11, 0))});
            QSignalSpy closed(&w, &TfrmReminder::closedForGood);
            w.show();
            rig.registry.failWrites = true;
            const QString blocked = rig.dir.filePath("blocked");
            if (memosToo) {
                QFile(blocked).open(QIODevice::WriteOnly); // a file where the folder should be
                w.state().folders.data = blocked;
            }
            rig.boxes.setNextAnswer(Answer::Yes);
            w.popChiudiClick();
            const QString settings
                = "Impossibile salvare le impostazioni in \"registry:" + settingsKey("Brivo Reminder") + "\".\n";
            QCOMPARE(rig.boxes.texts().last(),
                memosToo ? "Errore: Impossibile salvare i promemoria in \"" + blocked + "\".\n" + settings
                        + "Il programma resta aperto per non perdere le modifiche."
                         : "Errore: " + settings
                        + "I promemoria sono salvati; le preferenze cambiate non sono state conservate.");
            QCOMPARE(closed.count(), memosToo ? 0 : 1);
            QCOMPARE(w.isVisible(), memosToo);
            QCOMPARE(QFile::exists(rig.dir.filePath("Store.dat")), !memosToo);
        }
    }

    // Settings that cannot be written while the program runs: one box, the
    // store written once for the change that asked for it and never again
    // for the settings' sake, the settings tried ever more seldom, and
    // "Chiudi" ends.
    void unsavableSettingsSpareTheStore()
    {
        Rig rig;
        TfrmReminder& w = rig.start({memoOn(1, 0, QTime(11, 0))});
        QSignalSpy closed(&w, &TfrmReminder::closedForGood);
        w.show();
        rig.tick(1500);
        rig.registry.failWrites = true;
        rig.registry.passes = 0;
        w.state().ArrMemo.append(memoOn(2, 0, QTime(12, 0)));
        w.state().DaSalvare = true;
        rig.tick();
        const QString store = rig.dir.filePath("Store.dat");
        struct stat first { };
        QCOMPARE(::stat(QFile::encodeName(store).constData(), &first), 0);
        for (int i = 0; i < 100; ++i) { // five minutes
            rig.tick();
            QCoreApplication::processEvents();
        }
        struct stat last { };
        QCOMPARE(::stat(QFile::encodeName(store).constData(), &last), 0);
        QCOMPARE(last.st_ino, first.st_ino); // not replaced
        QCOMPARE(last.st_mtim.tv_nsec, first.st_mtim.tv_nsec);
        QVERIFY(!w.state().DaSalvare);
        QVERIFY(w.state().settingsPending);
        QVERIFY2(
            rig.registry.passes >= 5 && rig.registry.passes <= 10, qPrintable(QString::number(rig.registry.passes)));
        QCOMPARE(rig.boxes.texts(),
            QStringList{"Errore: Impossibile salvare le impostazioni in \"registry:" + settingsKey("Brivo Reminder")
                + "\".\nI promemoria non ne risentono. Le preferenze restano in memoria e il salvataggio viene "
                  "ritentato ogni pochi minuti."});

        rig.boxes.setNextAnswer(Answer::Yes);
        w.popChiudiClick();
        QCOMPARE(closed.count(), 1);
        QVERIFY(rig.boxes.texts().last().endsWith("le preferenze cambiate non sono state conservate."));
        MemoList memos;
        SvegliaList sveglie;
        QVERIFY(rig.stored(memos, sveglie));
        QCOMPARE(memos.size(), 2);
    }

    // Dialogs open on the main window's screen: the second of two offscreen
    // screens, right of the first (onScreen checks the arithmetic).
    void dialogsOnTheMainWindowsScreen()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("one screen: run with the test's own main");
        Rig rig;
        TfrmReminder& w = rig.start({memoOn(1, 0)});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(screens[1]->geometry().topLeft() + QPoint(300, 200));
        QTRY_COMPARE(w.screen(), screens[1]);
        rig.tick(1500);
        QList<QRect> placed;
        const auto look = [&] {
            QWidget* d = QApplication::activeModalWidget();
            QVERIFY(d);
            placed << d->frameGeometry();
            QTest::keyClick(d, Qt::Key_Escape);
        };
        for (const Qt::Key key : {Qt::Key_F4, Qt::Key_F2}) {
            QTimer::singleShot(0, look);
            QTest::keyClick(w.memoGrid().dbsgMemo(), key);
        }
        QTimer::singleShot(0, look);
        clickCell(w.memoGrid().dbsgMemo(), COL_DATE, 1);
        QCOMPARE(placed.size(), 3);
        for (const QRect& r : placed)
            QVERIFY2(screens[1]->geometry().contains(r.center()), qPrintable(QString("%1,%2").arg(r.x()).arg(r.y())));
    }

    // A memo another program adds to Store.dat shows in the list after the
    // next save, which says so once a run.
    void outsideChangesShownAndToldOnce()
    {
        Rig rig;
        TfrmReminder& w = rig.start({memoOn(1, 0, QTime(12, 0), -5, 1, "Uno")});
        w.show();
        rig.tick(1500);
        w.state().DaSalvare = true;
        rig.tick();
        const QString store = rig.dir.filePath("Store.dat");
        for (const QString note : {"Da un altro computer", "E un altro"}) {
            MemoList memos;
            SvegliaList sveglie;
            QVERIFY(rig.stored(memos, sveglie));
            memos.append(memoOn(9, 1, QTime(8, 0), -5, 1, note));
            QVERIFY(QFile::remove(store));
            QCOMPARE(StoreFile::write(rig.dir.path(), memos, sveglie, u','), 1);
            w.state().DaSalvare = true;
            rig.tick();
            QCoreApplication::processEvents();
            QCOMPARE(w.memoGrid().dbsgMemo()->Cells(COL_TEXT, int(w.state().ArrMemo.size())), note);
        }
        QCOMPARE(rig.boxes.texts().size(), 1);
        QVERIFY(rig.boxes.texts()[0].contains("è stato cambiato da un altro programma"));
    }

    void trayMenuTipAndClicks()
    {
        Rig rig;
        rig.resources.strings[96] = QString("NOME_PROGRAMMA = \"%1\"").arg(QString(70, u'x'));
        TfrmReminder& w = rig.start();
        QCOMPARE(TrayIcon::tipFor(w.state().config.NOME_PROGRAMMA).size(), 63);
        auto* menu = w.findChild<QMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->defaultAction()->text(), QString("Apri"));

        TrayIcon& tray = w.trayIcon();
        QSignalSpy menus(&tray, &TrayIcon::menuShown);
        QSignalSpy opens(&tray, &TrayIcon::openRequested);

        tray.handleActivation(QSystemTrayIcon::Trigger);
        QCOMPARE(menus.count(), 0); // not before the double-click time
        QVERIFY(menus.wait(QApplication::doubleClickInterval() + 1000));
        QCOMPARE(opens.count(), 0);
        menu->hide();

        tray.handleActivation(QSystemTrayIcon::Trigger);
        tray.handleActivation(QSystemTrayIcon::DoubleClick);
        QCOMPARE(opens.count(), 1);
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QCOMPARE(menus.count(), 1); // the double click showed no menu
    }

    // Centra_Finestra on a 1024 x 768 screen: centred on the reference, the
    // half pixel cut, kept on the screen; on a second screen right of it,
    // kept on that one. The same rule keeping a saved position on the screen
    // is the program test's, at scale 2 under Xvfb.
    void onScreen()
    {
        const QRect first(0, 0, 1024, 768);
        const QRect second(1024, 0, 1280, 1024);
        const struct {
            QRect reference;
            QSize window;
            QRect screen;
            QPoint place;
        } rows[] = {
            {{10, 20, 600, 400}, {360, 100}, first, {130, 170}}, {{10, 20, 600, 400}, {361, 100}, first, {129, 170}},
            {{-200, 20, 600, 400}, {361, 100}, first, {0, 170}}, {{900, 20, 600, 400}, {361, 100}, first, {662, 170}},
            {{10, 700, 600, 400}, {360, 100}, first, {130, 667}}, {{100, 100, 10, 10}, {31, 31}, first, {90, 90}},
            {{1500, 20, 600, 400}, {361, 100}, second, {1619, 170}},  // on the second screen, as it is
            {{900, 20, 600, 400}, {361, 100}, second, {1024, 170}},   // its left edge
            {{2100, 900, 600, 400}, {361, 100}, second, {1942, 923}}, // its right and bottom edges
        };
        for (const auto& r : rows)
            QCOMPARE(Centra_Finestra(r.reference, r.window, r.screen), r.place);
    }
};

// Two offscreen screens side by side, the first as the platform's own one,
// so that dialogs can be seen opening on the second.
int main(int argc, char** argv)
{
    QTemporaryDir dir;
    QFile screens(dir.filePath("screens.json"));
    const bool twoScreens = qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open(QIODevice::WriteOnly)
        && screens.write(R"({"screens": [
            {"name": "left", "x": 0, "y": 0, "width": 800, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
            {"name": "right", "x": 800, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
        ]})")
            > 0;
    screens.close();
    if (twoScreens)
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestReminder test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_reminder.moc"
