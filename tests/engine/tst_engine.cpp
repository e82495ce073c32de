#include "EngineRig.h"
#include "engine/DueMoments.h"

#include <QTest>

#include <cmath>

// Tick edge cases with a fake clock. 3 June 2024 is a Monday.
namespace {
const QDate monday(2024, 6, 3);

QDateTime on(QDate d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(d, QTime(h, mi, s, ms), QTimeZone::utc());
}
} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    // Boundaries to the millisecond and damaged values; offsets, weekdays and
    // midnight crossings are the simulated week's.
    void memoDue()
    {
        const double day = DayNumbers::fromDate(monday);
        const double ten = DayNumbers::fromTime(QTime(10, 0));
        const double lastMinute = DayNumbers::fromTime(QTime(23, 59));
        const struct {
            double data;
            double orario;
            int anticipo;
            QDateTime now;
            bool due;
        } rows[] = {
            {day, ten, -5, on(monday, 9, 54, 59, 999), false}, // just before
            {day, ten, -5, on(monday, 9, 55), true},           // at the moment
            {day, ten, -5, on(monday, 9, 56, 59), true},       // last of the span
            {day, ten, -5, on(monday, 9, 56, 59, 1), false},   // span over
            // seconds of Orario dropped
            {day, DayNumbers::fromTime(QTime(14, 30, 40)), 0, on(monday, 14, 30, 5), true},
            {day + 0.75, ten, 0, on(monday, 10, 1), true},               // fraction of Data ignored
            {day, lastMinute, 0, on(monday.addDays(1), 0, 0, 59), true}, // span past midnight
            {day, ten, -2880, on(monday.addDays(-2), 10, 1), true},      // two days' advance
            {day, 0.0, 0, on(monday, 0, 0), true},                       // midnight, at the moment
            {std::nan(""), ten, 0, on(monday, 10, 0, 1), false},         // damaged Data
            {1e300, ten, 0, on(monday, 10, 0, 1), false},                // absurd Data
        };
        for (const auto& r : rows) {
            REC_Memo m = makeMemo(1, monday, QTime(0, 0), r.anticipo);
            m.Data = r.data;
            m.Orario = r.orario;
            QCOMPARE(isMemoDue(m, dueClockMs(r.now)), r.due);
        }
    }

    void alarmDue()
    {
        const double half7 = DayNumbers::fromTime(QTime(7, 30));
        const QDate tuesday = monday.addDays(1);
        const QDate sunday = monday.addDays(-1);
        const double late = DayNumbers::fromTime(QTime(23, 59));
        const struct {
            double orario;
            int tipo;
            int giorno;
            QDateTime now;
            bool due;
        } rows[] = {
            {half7, 1, 1, on(monday, 7, 29, 59, 999), false}, // daily before
            {half7, 1, 1, on(monday, 7, 30), true},           // daily at
            {half7, 1, 1, on(monday, 7, 31, 59), true},       // daily span end
            {half7, 1, 1, on(monday, 7, 31, 59, 1), false},   // daily span over
            {half7, 2, 2, on(monday, 7, 30, 3), true},        // Monday on Monday
            {half7, 2, 0, on(sunday, 7, 30, 3), false},       // weekday out of range
            {late, 1, 1, on(monday, 23, 59, 59, 999), true},  // 23:59 before midnight
            {late, 1, 1, on(tuesday, 0, 0, 30), false},       // 23:59 after midnight
            {1.25, 1, 1, on(monday, 6, 0, 30), true},         // Orario of 1 or more
        };
        for (const auto& r : rows) {
            REC_Sveglia s = makeAlarm(QTime(0, 0), r.tipo, r.giorno);
            s.Orario = r.orario;
            QCOMPARE(isAlarmDue(s, dueClockMs(r.now)), r.due);
        }
    }

    void firstTick_data()
    {
        QTest::addColumn<QStringList>("commandLine");
        QTest::addColumn<bool>("hides");
        QTest::newRow("no argument") << QStringList{"brivo"} << false;
        QTest::newRow("/AUTORUN") << QStringList{"brivo", "/AUTORUN"} << true;
        QTest::newRow("/AutoRunX") << QStringList{"brivo", "/AutoRunX"} << false;
        QTest::newRow("second argument") << QStringList{"brivo", "-x", "/AutoRun"} << false;
    }

    // The first tick only ends the start-up: no due check, no save. The
    // /AutoRun hide is told it is one, and the flag is cleared after it.
    void firstTick()
    {
        QFETCH(QStringList, commandLine);
        QFETCH(bool, hides);
        EngineRig rig(on(monday, 9, 55, 10), commandLine);
        rig.state.ArrMemo << makeMemo(1, monday, QTime(9, 55), 0);
        rig.state.ArrAvvisi << REC_Avviso{AVVISO_MEMO, 7, STATO_MOSTRATO};
        rig.state.DaSalvare = true;
        rig.saveResult = -3; // a failed save stays pending
        rig.tick();

        QStringList expected{"hideSplash", "interval 3000"};
        if (hides)
            expected << "hideToTray InAutorun=1";
        QCOMPARE(rig.log, expected);
        QCOMPARE(rig.state.InAutorun, false);
        QVERIFY(rig.state.ArrAvvisi.isEmpty());
        QCOMPARE(rig.made.size(), size_t(0));
        QVERIFY(rig.state.DaSalvare);

        rig.tick(); // the second tick finds the memo and tries to save
        QCOMPARE(rig.made.size(), size_t(1));
        QCOMPARE(rig.log.mid(expected.size()), (QStringList{"writeSettings", "writeStore"}));
        QVERIFY(rig.state.DaSalvare);
        rig.saveResult = 1;
        rig.tick();
        QCOMPARE(rig.log.size(), expected.size() + 4);
        QVERIFY(!rig.state.DaSalvare);
    }

    void pendingSaves_data()
    {
        QTest::addColumn<bool>("memoChange");
        QTest::addColumn<bool>("settingsChange");
        QTest::addColumn<int>("memoChangeAt");    // a further memo change before this tick; -1 none
        QTest::addColumn<int>("settingsFailing"); // writes that fail before one succeeds; -1 all
        QTest::addColumn<int>("storeResult");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QList<int>>("storeWrites"); // the ticks that wrote
        QTest::addColumn<QList<int>>("settingsWrites");
        const QList<int> backingOff{0, 1, 3, 7, 15, 31, 63, 127, 191};
        QTest::newRow("memo change, settings unwritable")
            << true << false << -1 << -1 << 1 << 200 << QList<int>{0} << backingOff;
        QTest::newRow("options change, settings unwritable")
            << false << true << -1 << -1 << 1 << 200 << QList<int>{} << backingOff;
        QTest::newRow("memo change while settings back off")
            << false << true << 10 << -1 << 1 << 20 << QList<int>{10} << QList<int>{0, 1, 3, 7, 10};
        QTest::newRow("settings writable again")
            << false << true << -1 << 2 << 1 << 50 << QList<int>{} << QList<int>{0, 1, 3};
        QTest::newRow("written again at once after") // the wait starts from one tick again
            << false << true << 10 << 2 << 1 << 50 << QList<int>{10} << QList<int>{0, 1, 3, 10};
        QTest::newRow("store unwritable: every tick")
            << true << false << -1 << 0 << -3 << 4 << QList<int>{0, 1, 2, 3} << QList<int>{0, 1, 2, 3};
        QTest::newRow("both written") << true << true << -1 << 0 << 1 << 5 << QList<int>{0} << QList<int>{0};
    }

    // Settings and store each have their pending save: a memo change writes
    // both, an options change only the settings. Unwritable settings never
    // make the store be written again, and are tried at a slowing pace.
    void pendingSaves()
    {
        QFETCH(bool, memoChange);
        QFETCH(bool, settingsChange);
        QFETCH(int, memoChangeAt);
        QFETCH(int, settingsFailing);
        QFETCH(int, storeResult);
        QFETCH(int, ticks);
        EngineRig rig(on(monday, 9, 0));
        rig.tick();
        rig.log.clear();
        rig.state.DaSalvare = memoChange;
        rig.state.settingsPending = settingsChange;
        rig.saveResult = storeResult;
        QList<int> storeWrites;
        QList<int> settingsWrites;
        int settingsTries = 0;
        for (int i = 0; i < ticks; ++i) {
            if (i == memoChangeAt)
                rig.state.DaSalvare = true;
            rig.settingsResult = settingsFailing < 0 || settingsTries < settingsFailing ? 0 : 1;
            rig.tick();
            if (rig.log.contains("writeStore"))
                storeWrites << i;
            if (rig.log.contains("writeSettings")) {
                settingsWrites << i;
                ++settingsTries;
            }
            rig.log.clear();
        }
        QTEST(storeWrites, "storeWrites");
        QTEST(settingsWrites, "settingsWrites");
        QCOMPARE(rig.state.DaSalvare, storeResult != 1);
        QCOMPARE(rig.state.settingsPending, settingsFailing < 0);
    }

    // Whether closed early (OK) or left open past the span, the memo warns
    // once; its entry is purged once the window is gone and the span over.
    void oneWarningPerSpan_data()
    {
        QTest::addColumn<QDateTime>("closeAt");
        QTest::addColumn<QDateTime>("purgedBy");
        QTest::newRow("OK at once") << on(monday, 9, 55, 20) << on(monday, 9, 57, 2);
        QTest::newRow("open past the span") << on(monday, 10, 0) << on(monday, 10, 0, 3);
    }

    void oneWarningPerSpan()
    {
        QFETCH(QDateTime, closeAt);
        QFETCH(QDateTime, purgedBy);
        EngineRig rig(on(monday, 9, 50));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), -5);
        rig.runUntil(on(monday, 9, 55, 3));
        QCOMPARE(rig.made.size(), size_t(1));
        FakeWarningWindow* w = rig.made[0].get();
        QCOMPARE(w->keys, QList<qint32>{1});

        rig.runUntil(closeAt);
        w->close();
        rig.runUntil(on(monday, 9, 56, 58));
        QCOMPARE(rig.made.size(), size_t(1));
        QCOMPARE(rig.state.ArrAvvisi, (AvvisoList{{AVVISO_MEMO, 1, STATO_MOSTRATO}}));

        rig.runUntil(purgedBy);
        QVERIFY(rig.engine->ArrWarnMemo().isEmpty());
        QVERIFY(w->released);
        QVERIFY(rig.state.ArrAvvisi.isEmpty());
        rig.runUntil(on(monday, 11, 0));
        QCOMPARE(rig.made.size(), size_t(1));
    }

    // A daily alarm clock rings once a day, whether yesterday's warning was
    // closed at once or is still open.
    void alarmRingsEveryDay_data()
    {
        QTest::addColumn<bool>("leftOpen");
        QTest::newRow("closed at once") << false;
        QTest::newRow("yesterday's still open") << true;
    }
    void alarmRingsEveryDay()
    {
        QFETCH(bool, leftOpen);
        EngineRig rig(on(monday, 7, 0));
        rig.state.ArrSveglie << makeAlarm(QTime(7, 30));
        rig.onCreate = [leftOpen](FakeWarningWindow& w) {
            if (!leftOpen)
                w.close();
        };
        rig.runUntil(on(monday.addDays(1), 7, 40));
        QCOMPARE(rig.made.size(), size_t(2));
        QCOMPARE(rig.made[1]->keys, QList<qint32>{0});
        QCOMPARE(rig.engine->ArrWarnSveglie().size(), leftOpen ? 2 : 0);
    }

    // A memo changed in the grid while its warning shows is re-armed: the
    // visible window keeps it from a second one; once closed, a memo marked
    // done is purged.
    void rearmedWhileShown_data()
    {
        QTest::addColumn<bool>("done");
        QTest::newRow("marked done") << true;
        QTest::newRow("text edited, still due") << false;
    }
    void rearmedWhileShown()
    {
        QFETCH(bool, done);
        EngineRig rig(on(monday, 9, 50));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), -5);
        rig.runUntil(on(monday, 9, 55, 3));
        QCOMPARE(rig.made.size(), size_t(1));
        FakeWarningWindow* w = rig.made[0].get();

        rig.state.ArrMemo[0].Eseguito = done ? 1 : 0;
        rig.state.ArrMemo[0].Attivo = done ? 0 : 1;
        Riarma_Avvisi_Memo(rig.state.ArrAvvisi, 1);
        QCOMPARE(rig.state.ArrAvvisi[0].Stato, STATO_RIARMATO);
        rig.tick(); // the window still open keeps the entry in place
        QCOMPARE(rig.state.ArrAvvisi.size(), 1);
        QCOMPARE(rig.made.size(), size_t(1));
        if (!done)
            return;
        w->close();
        rig.tick();
        QVERIFY(rig.state.ArrAvvisi.isEmpty());
        QCOMPARE(rig.made.size(), size_t(1));
    }

    // An edit between two ticks of a quiet minute, when the idle tick skips
    // its walk over the memos, is seen at the next tick.
    void editBetweenTicks()
    {
        EngineRig rig(on(monday, 10, 5));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), 0); // its span is over
        rig.runUntil(on(monday, 10, 6, 10));
        QCOMPARE(rig.made.size(), size_t(0));
        rig.state.ArrMemo[0].Orario = DayNumbers::fromTime(QTime(10, 6));
        rig.tick();
        QCOMPARE(rig.made.size(), size_t(1));
    }

    // The local clock is read in full once a minute: a time zone switched
    // in the middle of one is seen within the memo's due span all the same.
    void zoneSwitched()
    {
        EngineRig rig(on(monday, 8, 59));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), 0);
        rig.runUntil(on(monday, 9, 0, 10));
        rig.clock.zone = QTimeZone(3600); // 10:00:10 there
        rig.runUntil(on(monday, 9, 3));
        QCOMPARE(rig.made.size(), size_t(1));
    }

    // Two memos share one window, a third on a later tick gets a second, a
    // fourth a third; a closed window goes, the others keep their order.
    void windowsComeAndGo()
    {
        EngineRig rig(on(monday, 9, 50));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(9, 55), 0) << makeMemo(2, monday, QTime(10, 0), -5)
                          << makeMemo(3, monday, QTime(9, 56), 0) << makeMemo(4, monday, QTime(9, 57), 0);
        rig.runUntil(on(monday, 9, 55, 3));
        QCOMPARE(rig.made.size(), size_t(1));
        QCOMPARE(rig.made[0]->keys, (QList<qint32>{1, 2}));
        rig.runUntil(on(monday, 9, 57, 3));
        QCOMPARE(rig.made.size(), size_t(3));
        QCOMPARE(rig.made[1]->keys, QList<qint32>{3});

        rig.made[1]->close();
        rig.tick();
        const QList<WarningWindow*> expected{rig.made[0].get(), rig.made[2].get()};
        QCOMPARE(rig.engine->ArrWarnMemo(), expected);
        QVERIFY(rig.made[1]->released);
        QVERIFY(!rig.made[0]->released);
        // Still open windows keep the queue whole: their positions stay valid.
        QCOMPARE(rig.state.ArrAvvisi.size(), 4);
    }

    // Memo 1 due at 10:00 warns at 09:55; alarm clock 0 rings daily at 10:15,
    // 1 on Saturdays at 10:10. Done, unarmed and switched-off ones never count.
    // The clock jumps from `from` to `to` (a sleep, or a clock set back).
    void missedNotice_data()
    {
        QTest::addColumn<QDateTime>("recorded"); // the latest check of the last run
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<int>("windows");
        const QDateTime none;
        const QString both("memo 1 Mon 10:00, alarm 0 Mon 10:15");
        const auto row = [](const char* name, const QDateTime& recorded, const QDateTime& start, const QDateTime& from,
                             const QDateTime& to, const QStringList& notices, int windows) {
            QTest::newRow(name) << recorded << start << from << to << notices << windows;
        };
        const QDateTime at940 = on(monday, 9, 40), at950 = on(monday, 9, 50), at11 = on(monday, 11, 0);
        row("sleep 09:50 to 10:30", none, at940, at950, on(monday, 10, 30), {both}, 0);
        row("woken in the memo's span: it warns", none, at940, at950, on(monday, 9, 56), {}, 3);
        row("woken in the alarm's span: it rings", none, at940, at950, on(monday, 10, 16), {"memo 1 Mon 10:00"}, 1);
        row("closed 09:00 to 11:00", on(monday, 9, 0), at11, none, none, {both}, 0);
        row("closed since Friday", on(monday.addDays(-3), 9, 0), at11, none, none, {"alarm 1 Sat 10:10, " + both}, 0);
        row("first start", none, at11, none, none, {}, 0);
        row("recorded later than now", on(monday, 12, 0), at11, none, none, {}, 0);
        row("clock set back warns again", none, on(monday, 10, 20), on(monday, 10, 30), at950, {}, 3);
    }
    void missedNotice()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        EngineRig rig(start);
        QFETCH(QDateTime, recorded);
        rig.state.settings.Ultimo_controllo = recorded;
        REC_Memo done = makeMemo(2, monday, QTime(10, 5), 0), unarmed = makeMemo(3, monday, QTime(10, 6), 0);
        done.Eseguito = 1; // yet armed, as a store may hold it: it warns, but is never missed
        unarmed.Attivo = 0;
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), -5) << done << unarmed;
        rig.state.ArrSveglie << makeAlarm(QTime(10, 15)) << makeAlarm(QTime(10, 10), SVEGLIA_UN_GIORNO, 7)
                             << makeAlarm(QTime(10, 20), SVEGLIA_OGNI_GIORNO, 1, 0);
        rig.onCreate = [](FakeWarningWindow& w) { w.close(); };
        qint64 highest = recorded.isValid() ? recorded.toMSecsSinceEpoch() : 0;
        if (from.isValid()) {
            rig.runUntil(from);
            highest = qMax(highest, rig.nextTickMs - TICK_INTERVAL_MS);
            rig.nextTickMs = to.toMSecsSinceEpoch();
        }
        rig.runUntil((to.isValid() ? to : start).addSecs(1800));
        QTEST(rig.missed, "notices");
        QTEST(int(rig.made.size()), "windows");
        // The latest check never moves back with the clock.
        highest = qMax(highest, rig.nextTickMs - TICK_INTERVAL_MS);
        QCOMPARE(rig.state.settings.Ultimo_controllo.toMSecsSinceEpoch(), highest);
    }

    // A clock reset a year back at boot and corrected minutes later lists what
    // fell due since the last real check, once; and a check that saw a warning
    // is written at the next tick, so a crash then does not list it again.
    void clockResetThenCorrected()
    {
        EngineRig rig(on(monday, 9, 40));
        rig.state.ArrMemo << makeMemo(1, monday, QTime(10, 0), -5);
        rig.state.ArrSveglie << makeAlarm(QTime(10, 15)) << makeAlarm(QTime(10, 10), SVEGLIA_UN_GIORNO, 7);
        rig.onCreate = [](FakeWarningWindow& w) { w.close(); };
        rig.runUntil(on(monday, 9, 54, 59));
        rig.log.clear();
        rig.runUntil(on(monday, 9, 55, 6)); // the memo warns, then the next tick
        QVERIFY(rig.log.contains("writeSettings"));
        QVERIFY(rig.state.settings.Ultimo_controllo >= on(monday, 9, 55));
        const QDateTime reset = on(monday, 9, 56).addYears(-1);
        rig.nextTickMs = reset.toMSecsSinceEpoch();
        rig.runUntil(reset.addSecs(300));
        rig.nextTickMs = on(monday, 10, 30).toMSecsSinceEpoch();
        rig.runUntil(on(monday, 11, 0));
        QCOMPARE(rig.missed, QStringList{"alarm 0 Mon 10:15"});
    }

    // In Rome, on the spring day 02:30 never shows on the clock: a memo and a
    // daily alarm clock there are told as missed. On the autumn day it shows
    // twice: each warns once.
    void daylightSaving_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("windows");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("spring") << QDate(2024, 3, 31) << 0 << QStringList{"memo 1 Sun 02:30, alarm 0 Sun 02:30"};
        QTest::newRow("autumn") << QDate(2024, 10, 27) << 2 << QStringList{};
    }
    void daylightSaving()
    {
        QFETCH(QDate, day);
        const QTimeZone rome("Europe/Rome");
        QVERIFY(rome.isValid());
        EngineRig rig(QDateTime(day, QTime(1, 0), rome));
        rig.clock.zone = rome;
        rig.state.ArrMemo << makeMemo(1, day, QTime(2, 30), 0);
        rig.state.ArrSveglie << makeAlarm(QTime(2, 30));
        rig.onCreate = [](FakeWarningWindow& w) { w.close(); };
        rig.runUntil(QDateTime(day, QTime(4, 30), rome));
        QTEST(int(rig.made.size()), "windows");
        QTEST(rig.missed, "notices");
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
