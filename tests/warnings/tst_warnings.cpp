#include "WarningRig.h"

#include "controls/A_DBStringGrid.h"
#include "controls/A_EditCurr.h"
#include "controls/GridFixture.h"
#include "engine/DueMoments.h"
#include "platform/DBusNotifications.h"
#include "platform/WindowSystem.h"
#include "warnings/FMissed.h"

#include <QApplication>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// "ID Eseguito Attivo hh:mm" with the time of day of the alarm moment.
QStringList memoStates(const MemoList& memos)
{
    QStringList states;
    for (const REC_Memo& m : memos) {
        qint64 moment = 0;
        memoMomentMs(m, moment);
        const QString at = QTime::fromMSecsSinceStartOfDay(int(moment % MS_PER_DAY)).toString("HH:mm");
        states << QStringLiteral("%1 %2 %3 %4").arg(m.ID).arg(m.Eseguito).arg(m.Attivo).arg(at);
    }
    return states;
}

QList<qint32> states(const AvvisoList& queue)
{
    QList<qint32> list;
    for (const REC_Avviso& a : queue)
        list << a.Stato;
    return list;
}

QStringList lineTexts(const ListaMessList& lines)
{
    QStringList texts;
    for (const REC_Mess& line : lines)
        texts << line.Testo;
    return texts;
}

// The desktop's notification service as far as the program uses it, on a bus
// of the test's own. A silent one never answers.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;
    QString icon, desktopEntry; // of the last call
    bool silent = false;
public slots:
    uint Notify(const QString&, uint, const QString& appIcon, const QString& summary, const QString& body,
        const QStringList&, const QVariantMap& hints, int, const QDBusMessage& message)
    {
        message.setDelayedReply(silent);
        calls << summary + u'|' + body;
        icon = appIcon;
        desktopEntry = hints.value(QStringLiteral("desktop-entry")).toString();
        return 7;
    }
    void CloseNotification(uint id)
    {
        calls << QStringLiteral("close %1").arg(id);
    }
signals:
    void ActionInvoked(uint id, const QString& action);
};

} // namespace

class TestWarnings : public QObject {
    Q_OBJECT
    QProcess bus;
    QString busAddress;

private slots:
    void initTestCase()
    {
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (bus.waitForReadyRead(10000))
            busAddress = QString::fromUtf8(bus.readLine()).trimmed();
    }
    void cleanupTestCase()
    {
        bus.kill();
        bus.waitForFinished();
    }

    // One notification per warning window, withdrawn when it closes; a click
    // on it brings the window back, hidden or minimised. Without a service or a bus, or with one
    // that never answers, the window opens as before, at once.
    void desktopNotification()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon (scripts/setup.sh installs it)");
        const QString alarm = "Brivo Reminder - Sveglia|07:30 - Sveglia";
        const QString memo = "10:17 Avviso promemoria - Brivo Reminder|10:00 Telefonare &lt;Ada&gt;\n10:05 Dentista";
        const std::pair<QString, QStringList> rows[] = {{"memo", {memo, "close 7"}}, {"alarm", {alarm, "close 7"}},
            {"switched off", {}}, {"no service", {}}, {"no bus", {}}, {"no answer", {alarm}},
            {"memo switched off on Wayland", {memo, "close 7"}}}; // Wayland keeps no warning on top: always told
        for (const auto& [tag, calls] : rows) {
            QDBusConnection client
                = QDBusConnection::connectToBus(tag == "no bus" ? "unix:path=/nowhere" : busAddress, tag);
            QDBusConnection server = QDBusConnection::connectToBus(busAddress, "server " + tag);
            const auto leave = qScopeGuard([&] { QDBusConnection::disconnectFromBus("server " + tag); });
            NotificationServer service;
            service.silent = tag == "no answer";
            if (tag != "no service") {
                QVERIFY(server.registerObject("/org/freedesktop/Notifications", &service,
                    QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
                QVERIFY(server.registerService("org.freedesktop.Notifications"));
            }
            DBusNotifications notifications("Brivo Reminder", client);
            WarningRig rig;
            Services withBus{rig.clock, rig.boxes, rig.registry, rig.autostart, rig.locale, rig.resources, rig.sound,
                rig.launcher, rig.mailer, notifications};
            WarningWindows windows(rig.state, withBus, {});
            rig.state.settings.Notifica_desktop = tag.contains("switched off") ? 0 : 1;
            WindowSystem::pinNativeWayland(tag.contains("Wayland"));
            rig.queueMemo(1, QTime(10, 0), "Telefonare <Ada>");
            rig.queueMemo(2, QTime(10, 5), "Dentista");
            rig.queueAlarm(QTime(7, 30), "Sveglia", "Bell");

            QElapsedTimer opening;
            opening.start();
            std::unique_ptr<WarningWindow> w(
                tag.startsWith("memo") ? windows.createMemoWarning() : windows.createAlarmWarning());
            w->showWarning();
            QVERIFY(opening.elapsed() < 1000); // nothing waits for the bus
            auto* window = dynamic_cast<QWidget*>(w.get());
            if (!calls.isEmpty()) {
                QTRY_COMPARE(service.calls, calls.mid(0, 1));
                // The desktop finds the program's launcher by the hint, and
                // shows the launcher's icon.
                QFile launcher(QStringLiteral(BRIVO_LAUNCHERS "/%1.desktop").arg(service.desktopEntry));
                QVERIFY2(launcher.open(QIODevice::ReadOnly), qPrintable(launcher.fileName()));
                QVERIFY(!service.icon.isEmpty());
                QVERIFY(QString::fromUtf8(launcher.readAll()).split(u'\n').contains("Icon=" + service.icon));
                if (tag.startsWith("memo"))
                    window->hide();
                else
                    window->showMinimized();
                emit service.ActionInvoked(7, "default");
                QTRY_COMPARE(window->isVisible() && !window->isMinimized(), !service.silent);
            }
            window->close();
            QTest::qWait(100);
            QTRY_COMPARE(service.calls, calls);
            QCOMPARE(rig.boxes.texts(), QStringList());
        }
        WindowSystem::pinNativeWayland(std::nullopt);
    }

    void memoWindowTakesNewMemoEntriesUpToAMissingMemo()
    {
        WarningRig rig;
        rig.state.settings.Tipo_colorazione = "Viola";
        rig.queueMemo(1, QTime(10, 0), "Telefonare al dentista");
        rig.state.ArrAvvisi.append({AVVISO_SVEGLIA, 0, STATO_NUOVO});
        rig.queueMemo(2, QTime(10, 15), "Pagare la bolletta");
        auto w = rig.open<TfrmWarnMemo>();
        QCOMPARE(w->windowFlags() & (Qt::Tool | Qt::WindowStaysOnTopHint), Qt::Tool | Qt::WindowStaysOnTopHint);
        TA_DBStringGrid* g = w->dbsgMess;
        QCOMPARE(g->RowCount(), 2);
        QCOMPARE(g->Color(), QColor(0xE6, 0xE6, 0xFB));
        QCOMPARE(QStringList({g->Cells(0, 0), g->Cells(1, 0), g->Cells(0, 1), g->Cells(1, 1)}),
            QStringList({"10:00", "Telefonare al dentista", "10:15", "Pagare la bolletta"}));
        QCOMPARE(g->Dati[3], QStringList({"0", "2"})); // queue positions, not rows
        QCOMPARE(states(rig.state.ArrAvvisi), QList<qint32>({STATO_MOSTRATO, STATO_NUOVO, STATO_MOSTRATO}));
        QCOMPARE(w->editMinuti->text(), QString("5"));
        QVERIFY(w->showsKey(2) && !w->showsKey(0));

        // A memo gone before its window: the taking stops there, the rest of
        // the creation is skipped, and the window opens all the same.
        rig.state.ArrAvvisi.append({AVVISO_MEMO, 9, STATO_NUOVO});
        rig.queueMemo(3, QTime(10, 16), "Ritirare le analisi");
        auto second = rig.open<TfrmWarnMemo>();
        QVERIFY(second->isVisible() && second->lines().isEmpty());
        QCOMPARE(states(rig.state.ArrAvvisi).mid(3), QList<qint32>({STATO_NUOVO, STATO_NUOVO}));
        QCOMPARE(second->editMinuti->text(), QString("0"));
        QTRY_COMPARE(rig.boxes.texts(), QStringList({"Errore: -1 = errore: promemoria non riscontrabile"}));
    }

    void memoActions()
    {
        const QStringList untouched{"1 0 1 10:00", "2 0 1 10:15"};
        const QStringList both{"Telefonare", "Pagare"};
        const QList<qint32> shown{STATO_MOSTRATO, STATO_MOSTRATO};
        const QList<qint32> postponed{STATO_RIARMATO, STATO_MOSTRATO};
        const struct {
            QString action;
            int top;
            int bottom;
            QStringList memos; // "ID Eseguito Attivo alarm"; saved when touched
            QStringList lines;
            QList<qint32> entries;
            int keysAfterMs; // after the window appeared
        } rows[] = {
            {"Eseguito", 1, 1, {"1 0 1 10:00", "2 1 0 10:15"}, {"Telefonare"}, shown, 1000},
            {"Cancella", 0, 1, {}, {}, shown, 1000},
            {"Enter", 0, 0, {"1 0 1 10:22", "2 0 1 10:15"}, {"Pagare"}, postponed, 1000}, // at 10:17:40 to 10:22
            {"Ricordami tra...", 1, 0, {"1 0 1 10:22", "2 0 1 10:22"}, {}, {STATO_RIARMATO, STATO_RIARMATO}, 1000},
            {"OK", 0, 1, untouched, both, shown, 0},
            {"Esc", 0, 1, untouched, both, shown, 1500},
            {"Esc", 0, 1, untouched, both, shown, 200},   // the key guard: nothing
            {"Enter", 0, 0, untouched, both, shown, 999}, // the key guard: nothing
            {"close box", 0, 1, untouched, both, shown, 1000},
        };
        for (const auto& r : rows) {
            WarningRig rig;
            rig.queueMemo(1, QTime(10, 0), "Telefonare");
            rig.queueMemo(2, QTime(10, 20, 30), "Pagare", -5); // seconds, as a store may hold: ignored
            auto w = rig.open<TfrmWarnMemo>(r.keysAfterMs);
            clickCell(w->dbsgMess, 1, r.top);
            clickCell(w->dbsgMess, 1, r.bottom, 0, Qt::ShiftModifier);
            if (r.action == "Enter" || r.action == "Esc")
                QTest::keyClick(w->editMinuti, r.action == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            else if (r.action == "close box")
                w->close();
            for (QToolButton* button : w->findChildren<QToolButton*>()) {
                if (button->text() == r.action)
                    QTest::mouseClick(button, Qt::LeftButton);
            }

            QCOMPARE(memoStates(rig.state.ArrMemo), r.memos);
            QCOMPARE(lineTexts(w->lines()), r.lines);
            QCOMPARE(states(rig.state.ArrAvvisi), r.entries);
            QCOMPARE(rig.state.DaSalvare, r.memos != untouched);
            const bool keyIgnored = r.keysAfterMs < 1000 && (r.action == "Esc" || r.action == "Enter");
            const bool closed
                = !keyIgnored && (r.lines.isEmpty() || QStringList({"OK", "Esc", "close box"}).contains(r.action));
            QCOMPARE(w->isFinished(), closed);
            QCOMPARE(w->isVisible(), !closed);
            QCOMPARE(rig.refreshes, closed || r.lines.size() < 2 ? 1 : 0); // the memo list follows at once
            QCOMPARE(rig.sound.calls.last(), closed ? QString("stop") : QString("once /s/Campana.wav"));
            if (!closed)
                QCOMPARE(w->dbsgMess->RowCount(), int(r.lines.size()));
            QVERIFY(rig.boxes.shown.isEmpty()); // no question, not even for Cancella
        }
    }

    // Pasted over the whole text: empty is 0, anything but digits is refused.
    void minutesField()
    {
        for (const auto& [typed, accepted] :
            {std::pair{"", true}, {"0", true}, {"12", true}, {"-3", false}, {"+", false}, {"5a", false}}) {
            WarningRig rig;
            rig.queueMemo(1, QTime(10, 0), "Telefonare");
            auto w = rig.open<TfrmWarnMemo>();
            QFocusEvent entering(QEvent::FocusIn, Qt::MouseFocusReason);
            QApplication::sendEvent(w->editMinuti, &entering);
            w->editMinuti->setText(typed);
            QCOMPARE(w->editMinuti->text(), accepted ? QString(typed) : QString("5"));
            QCOMPARE(w->editMinuti->Valore.units(), (accepted ? QString(typed).toInt() : 5) * Currency::Scale);
        }
    }

    // With 0 minutes the alarm moment is this minute: after the tick that
    // releases the window and purges the re-armed entry, the memo is due again.
    void zeroMinutesWarnsAgainAtTheNextTick()
    {
        WarningRig rig;
        rig.queueMemo(1, QTime(10, 17), "Telefonare");
        rig.state.ArrAvvisi.clear();
        rig.state.ContaTick = 2; // past the first tick
        ReminderEngine engine(rig.state, rig.clock, rig, rig.windows, {"brivo-reminder"});
        engine.TimerTimer();
        QCOMPARE(engine.ArrWarnMemo().size(), 1);
        auto* first = dynamic_cast<TfrmWarnMemo*>(engine.ArrWarnMemo().first());
        QVERIFY(first && first->isVisible());
        QPointer<QObject> firstAlive(first);
        first->editMinuti->setText("0");
        rig.steadyMs += 1000;
        QTest::keyClick(first->dbsgMess, Qt::Key_Enter);
        QVERIFY(first->isFinished());
        QCOMPARE(memoStates(rig.state.ArrMemo), QStringList({"1 0 1 10:17"}));

        rig.clock.advanceMs(TICK_INTERVAL_MS);
        engine.TimerTimer();
        QCOMPARE(engine.ArrWarnMemo().size(), 1);
        QVERIFY(engine.ArrWarnMemo().first() != first);
        // The new window keeps the re-armed entry from being purged yet.
        QCOMPARE(states(rig.state.ArrAvvisi), QList<qint32>({STATO_RIARMATO, STATO_MOSTRATO}));
        QTRY_VERIFY(!firstAlive);      // released by the tick
        QVERIFY(!rig.state.DaSalvare); // the tick saved the postponement
    }

    // The memo's sound after a stop, the alarm's own without; a missing one
    // is silent for a memo and the first sound for an alarm.
    void sounds()
    {
        const struct {
            bool memo;
            QString name; // Suono_Memo, or the alarm clock's Suono
            int loop;
            bool noSounds;
            QStringList calls;
        } rows[] = {
            {true, "Bell", 0, false, {"stop", "once /s/Bell.WAV"}},
            {true, "Campana", 1, false, {"stop", "loop /s/Campana.wav"}},
            {true, "Gong", 1, false, {}},                    // sound removed: silent
            {true, "Campana", 0, true, {}},                  // empty folder
            {false, "Bell", 0, false, {"once /s/Bell.WAV"}}, // its own, no stop
            {false, "Bell", 1, false, {"loop /s/Bell.WAV"}},
            {false, "-nessun suono-", 0, false, {"once /s/Campana.wav"}}, // no sound: the first
            {false, "Gong", 1, false, {"loop /s/Campana.wav"}},           // removed: the first
            {false, "Bell", 0, true, {}},                                 // empty folder
        };
        for (const auto& r : rows) {
            WarningRig rig;
            rig.state.settings.Suono_allarme_ripeturamente = r.loop;
            if (r.noSounds)
                rig.state.ArrSuoni.clear();
            std::unique_ptr<WarningForm> w;
            if (r.memo) {
                rig.state.settings.Suono_Memo = r.name;
                rig.queueMemo(1, QTime(10, 0), "Telefonare");
                w = rig.open<TfrmWarnMemo>();
            } else {
                rig.queueAlarm(QTime(10, 17), "Sveglia", r.name);
                w = rig.open<TfrmWarnSveglie>();
            }
            QCOMPARE(rig.sound.calls, r.calls);
            QTest::keyClick(w.get(), Qt::Key_Escape);
            QCOMPARE(rig.sound.calls, r.calls + QStringList{"stop"});
        }
    }

    // Two alarm clocks of one minute: both messages, one line each, and the
    // first one's sound.
    void alarmWindowShowsEveryAlarm()
    {
        WarningRig rig;
        rig.locale.timeFormat = "HH.mm";
        rig.queueAlarm(QTime(7, 30), "Wake up", "Bell");
        rig.queueAlarm(QTime(7, 30), "Medicine", "Campana");
        auto w = rig.open<TfrmWarnSveglie>();
        QCOMPARE(w->memMess->toPlainText(), QString("07.30 - Wake up\n07.30 - Medicine"));
        QCOMPARE(lineTexts(w->lines()), QStringList({"07.30 - Wake up", "07.30 - Medicine"}));
        QCOMPARE(rig.sound.calls, QStringList{"once /s/Bell.WAV"});
        QCOMPARE(w->memMess->palette().color(QPalette::Base), QColor(Qt::white)); // no scheme
        QCOMPARE(w->imgSveglia->pixmap().size(), QSize(174, 182));                // the JPEG was read
        QTest::keyClick(w->memMess, Qt::Key_Return); // key guard: memoActions; sounds: the sounds table
        QVERIFY(w->isFinished() && !w->isVisible());
        QCOMPARE(states(rig.state.ArrAvvisi).first(), STATO_MOSTRATO); // never re-armed by the window
    }

    // What comes while it is open is added, a closed one starts afresh; its
    // button shows the memo list.
    void missedWindow()
    {
        WarningRig rig;
        int mainShown = 0;
        TfrmMissed w(rig.state, rig.services, [&] { ++mainShown; });
        const qint64 monday = DayNumbers::epoch().daysTo(QDate(2024, 6, 3)) * MS_PER_DAY;
        const MissedReminder memo{AVVISO_MEMO, 1, monday + 600 * MS_PER_MINUTE, true, "Telefonare"};
        const MissedReminder alarm{AVVISO_SVEGLIA, 0, monday + 615 * MS_PER_MINUTE, true, "Riunione"};
        const MissedReminder undated{AVVISO_MEMO, 2, monday + 540 * MS_PER_MINUTE, false, "Bolletta"};
        w.Aggiungi({memo, alarm});
        w.Aggiungi({undated}); // while open: added
        QVERIFY(w.isVisible());
        QCOMPARE(w.lstPersi->topLevelItemCount(), 3);
        QCOMPARE(w.lstPersi->topLevelItem(2)->text(1), QString("Bolletta"));
        QCOMPARE(w.lines({memo, alarm, undated}),
            QStringList({"03/06/24 10:00 - Telefonare", "03/06/24 10:15 - Sveglia: Riunione", "03/06/24 - Bolletta"}));

        QTest::mouseClick(w.btnApri, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(mainShown, 1);
        w.Aggiungi({alarm});
        QCOMPARE(w.lstPersi->topLevelItemCount(), 1);
    }

    void unknownLanguageReportsAndEnds()
    {
        WarningRig rig;
        rig.state.settings.Lingua_attuale = "Deutsch";
        rig.queueMemo(1, QTime(10, 0), "Telefonare");
        rig.queueAlarm(QTime(10, 17), "Sveglia", "Bell");
        auto m = rig.open<TfrmWarnMemo>();
        auto a = rig.open<TfrmWarnSveglie>();
        const QString text = "Errore: Errore 0 nel cambio lingua. Codice lingua attuale=\"Deutsch\"";
        QTRY_COMPARE(rig.boxes.texts(), QStringList({text, text}));
        QTRY_COMPARE(rig.ends, 2);
        QVERIFY(m->isVisible() && a->isVisible());
    }
};

QTEST_MAIN(TestWarnings)
#include "tst_warnings.moc"
