#include "EngineRig.h"
#include "engine/DueMoments.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <map>
#include <optional>

// A simulated week of 3-second ticks over 500 memos and 20 alarm clocks, with
// warning windows that the "user" answers after a few seconds and grid edits
// that renumber and reuse memo IDs. Each memo must warn exactly once per alarm
// moment it had, each alarm clock once on each of its days, at the first due
// check inside the span, and nothing else may warn.
namespace {

const QDateTime startedAt(QDate(2024, 6, 3), QTime(8, 0), QTimeZone::utc()); // a Monday
const qint64 T0 = startedAt.toMSecsSinceEpoch();
const qint64 END = T0 + 7 * 24 * 3600 * 1000LL;
const qint64 epochOffsetMs = dueClockMs(startedAt) - T0; // UTC ms -> due-clock ms

qint64 tickAt(qint64 k)
{
    return T0 + FIRST_TICK_INTERVAL_MS + TICK_INTERVAL_MS * k;
}

// The first due check (every tick but the first) later than `after` that
// falls in [lo, hi], in UTC ms.
std::optional<qint64> firstCheck(qint64 after, qint64 lo, qint64 hi)
{
    const qint64 from = std::max(lo, after + 1) - tickAt(0);
    qint64 k = std::max<qint64>(1, from <= 0 ? 0 : (from + TICK_INTERVAL_MS - 1) / TICK_INTERVAL_MS);
    const qint64 t = tickAt(k);
    if (t > hi || t > END)
        return std::nullopt;
    return t;
}

qint64 minuteOf(qint64 utcMs)
{
    return (utcMs + epochOffsetMs) / MS_PER_MINUTE; // due-clock minutes, positive here
}

qint32 tagOf(const REC_Memo& m)
{
    return m.Nota.mid(1).toInt();
}

class Week {
public:
    EngineRig rig{startedAt};
    QRandomGenerator rnd{20240603};
    std::vector<std::vector<qint64>> expectedMemo, actualMemo; // by tag
    std::vector<std::vector<qint64>> expectedAlarm, actualAlarm;
    std::multimap<qint64, FakeWarningWindow*> closing;
    QStringList broken;
    int renumberings = 0;
    int postponed = 0;

    void setUp()
    {
        rig.factory.onCreate = [this](FakeWarningWindow& w) { created(w); };
        QList<qint32> ids;
        for (int i = 1; i <= 500; ++i)
            ids << i;
        std::shuffle(ids.begin(), ids.end(), rnd); // not in date order: a date sort renumbers
        for (int i = 0; i < 500; ++i) {
            const qint64 day = minuteOf(T0) / 1440 + rnd.bounded(-1, 8);
            REC_Memo m = memoAt(day * 1440 + rnd.bounded(1440), ids[i]);
            m.Anticipo = rnd.bounded(10) == 0 ? (rnd.bounded(2) ? -1440 : 120) : rnd.bounded(-60, 61);
            const int kind = rnd.bounded(10);
            m.Attivo = kind < 8 ? 1 : 0;
            m.Eseguito = kind == 9 ? 1 : 0;
            m.TipoOrario = rnd.bounded(10) == 0 ? ORARIO_ASSENTE : ORARIO_PRESENTE;
            addMemo(m, T0 - 1);
        }
        // 07:59 is still in its span at the first due check, 07:58 is not.
        addMemo(memoAt(minuteOf(T0) - 1, 501), T0 - 1);
        addMemo(memoAt(minuteOf(T0) - 2, 502), T0 - 1);

        SvegliaList& alarms = rig.state.ArrSveglie;
        for (int i = 0; i < 12; ++i)
            alarms << makeAlarm(QTime::fromMSecsSinceStartOfDay(rnd.bounded(1440) * 60000));
        alarms[0].Orario = alarms[1].Orario = DayNumbers::fromTime(QTime(12, 0)); // one window for both
        alarms[2].Orario = DayNumbers::fromTime(QTime(23, 59));
        alarms[3].Orario = DayNumbers::fromTime(QTime(0, 0));
        alarms[4].Orario = DayNumbers::fromTime(QTime(7, 59)); // in its span at start-up
        for (int i = 0; i < 6; ++i) {
            const QTime t = QTime::fromMSecsSinceStartOfDay(rnd.bounded(1440) * 60000);
            alarms << makeAlarm(t, SVEGLIA_UN_GIORNO, i == 0 ? 2 : rnd.bounded(1, 8));
        }
        alarms << makeAlarm(QTime(9, 0), SVEGLIA_OGNI_GIORNO, 1, 0) << makeAlarm(QTime(9, 0), SVEGLIA_UN_GIORNO, 2, 0);
        expectedAlarm.resize(alarms.size());
        actualAlarm.resize(alarms.size());
        for (qsizetype j = 0; j < alarms.size(); ++j)
            expectAlarm(j);
    }

    void run()
    {
        qint64 nextEdit = T0 + 30 * 60000;
        for (qint64 k = 0; tickAt(k) <= END; ++k) {
            const qint64 t = tickAt(k);
            while (!closing.empty() && closing.begin()->first < t) {
                auto [when, w] = *closing.begin();
                closing.erase(closing.begin());
                rig.clock.ms = when;
                answer(*w);
            }
            if (nextEdit < t) {
                rig.clock.ms = nextEdit;
                if (quiet(nextEdit)) {
                    gridEdit(nextEdit);
                    nextEdit += rnd.bounded(30, 181) * 60000LL;
                } else {
                    nextEdit += 60000;
                }
            }
            rig.nextTickMs = t;
            rig.tick();
            checkPositions();
        }
    }

    // Every warning as "memo 12 Mon 08:00:01.500", sorted.
    static QStringList listed(const char* what, const std::vector<std::vector<qint64>>& byTag)
    {
        QStringList list;
        for (size_t i = 0; i < byTag.size(); ++i) {
            for (qint64 ms : byTag[i])
                list << QStringLiteral("%1 %2 %3")
                            .arg(what)
                            .arg(i)
                            .arg(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toString("ddd hh:mm:ss.zzz"));
        }
        list.sort();
        return list;
    }

    // What `a` holds beyond `b`, duplicates counted.
    static QStringList beyond(QStringList a, const QStringList& b)
    {
        for (const QString& x : b)
            a.removeOne(x);
        return a;
    }

private:
    REC_Memo memoAt(qint64 minute, qint32 id)
    {
        REC_Memo m = makeMemo(id, DayNumbers::epoch().addDays(minute / 1440), QTime(0, 0), 0);
        m.Orario = DayNumbers::fromTime(QTime::fromMSecsSinceStartOfDay(int(minute % 1440) * 60000));
        m.Nota = QStringLiteral("w%1").arg(expectedMemo.size());
        return m;
    }

    void addMemo(const REC_Memo& m, qint64 setAt)
    {
        expectedMemo.emplace_back();
        actualMemo.emplace_back();
        rig.state.ArrMemo << m;
        expectMemo(m, setAt);
    }

    // The memo's alarm moment, as the test reckons it (whole days, minutes).
    static qint64 momentMinute(const REC_Memo& m)
    {
        return qint64(m.Data) * 1440 + DayNumbers::hoursMinutes(m.Orario) + m.Anticipo;
    }

    static qint64 momentUtc(const REC_Memo& m)
    {
        return momentMinute(m) * MS_PER_MINUTE - epochOffsetMs;
    }

    void expectMemo(const REC_Memo& m, qint64 setAt)
    {
        const qint64 moment = momentUtc(m);
        if (m.Attivo == 1) {
            if (auto t = firstCheck(setAt, moment, moment + DUE_SPAN_MS))
                expectedMemo[tagOf(m)].push_back(*t);
        }
    }

    // An edit changes a memo only at a quiet time, so what it expected is
    // either past or still to come.
    void dropFutureExpectations(const REC_Memo& m, qint64 now)
    {
        std::erase_if(expectedMemo[tagOf(m)], [now](qint64 t) { return t > now; });
    }

    void expectAlarm(qsizetype j)
    {
        const REC_Sveglia& s = rig.state.ArrSveglie[j];
        if (s.Attivo != 1)
            return;
        const QDate first = startedAt.date();
        for (QDate d = first; d <= first.addDays(7); d = d.addDays(1)) {
            if (s.TipoSveglia == SVEGLIA_UN_GIORNO && DayNumbers::weekday(d) != s.Giorno)
                continue;
            const qint64 midnight = QDateTime(d, QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();
            const qint64 moment = midnight + DayNumbers::hoursMinutes(s.Orario) * MS_PER_MINUTE;
            const qint64 hi = std::min(moment + DUE_SPAN_MS, midnight + MS_PER_DAY - 1);
            if (auto t = firstCheck(T0, moment, hi))
                expectedAlarm[j].push_back(*t);
        }
    }

    void created(FakeWarningWindow& w)
    {
        const qint64 now = rig.clock.ms;
        for (const FakeLine& l : w.lines) {
            if (w.tipo == AVVISO_SVEGLIA) {
                actualAlarm[l.Chiave].push_back(now);
            } else {
                const qsizetype i = findMemo(rig.state.ArrMemo, l.Chiave);
                if (i < 0)
                    broken << QStringLiteral("window for missing memo ID %1").arg(l.Chiave);
                else
                    actualMemo[tagOf(rig.state.ArrMemo[i])].push_back(now);
            }
        }
        const qint64 delay = rnd.bounded(100) < 85 ? rnd.bounded(1000, 15000) : rnd.bounded(15000, 300000);
        closing.emplace(now + delay, &w);
    }

    // What the user does in a memo window, line by line, as the real window
    // does it; then the window closes.
    void answer(FakeWarningWindow& w)
    {
        AvvisoList& queue = rig.state.ArrAvvisi;
        const std::vector<FakeLine> lines = w.lines;
        for (const FakeLine& l : w.tipo == AVVISO_MEMO ? lines : std::vector<FakeLine>{}) {
            const qsizetype i = findMemo(rig.state.ArrMemo, queue[l.Pos_Avviso].Chiave);
            const int action = rnd.bounded(10);
            if (i < 0 || action < 5)
                continue; // OK: the line stays until the window closes
            REC_Memo& m = rig.state.ArrMemo[i];
            if (action < 7) { // "Eseguito"
                m.Eseguito = 1;
                m.Attivo = 0;
            } else if (action < 8) { // "Cancella"
                rig.state.ArrMemo.removeAt(i);
            } else { // "Ricordami tra..."
                const qint64 target = minuteOf(rig.clock.ms) + rnd.bounded(0, 31);
                m.Anticipo += qint32(target - momentMinute(m));
                queue[l.Pos_Avviso].Stato = STATO_RIARMATO;
                expectMemo(m, rig.clock.ms);
                ++postponed;
            }
            w.removeLine(l.Chiave);
        }
        w.close();
    }

    bool quiet(qint64 now) const
    {
        if (!rig.engine->ArrWarnMemo().isEmpty() || !rig.engine->ArrWarnSveglie().isEmpty())
            return false;
        return std::none_of(rig.state.ArrMemo.cbegin(), rig.state.ArrMemo.cend(),
            [now](const REC_Memo& m) { return m.Attivo == 1 && std::abs(momentUtc(m) - now) < 130000; });
    }

    void gridEdit(qint64 now)
    {
        MemoList& memos = rig.state.ArrMemo;
        const int kind = rnd.bounded(100);
        if (memos.isEmpty() || kind < 20) {
            sortByDate();
            return;
        }
        if (kind < 50) { // a new memo, at the end or before a selected one
            REC_Memo m = memoAt(minuteOf(now) + rnd.bounded(3, 3 * 1440), 0);
            m.Anticipo = rnd.bounded(-30, 31);
            m.Attivo = rnd.bounded(10) < 9 ? 1 : 0;
            qint32 maxId = 0;
            for (const REC_Memo& x : std::as_const(memos))
                maxId = std::max(maxId, x.ID);
            if (kind < 35) {
                m.ID = maxId + 1;
            } else {
                m.ID = memos[rnd.bounded(memos.size())].ID;
                for (REC_Memo& x : memos)
                    x.ID += x.ID >= m.ID ? 1 : 0;
                ++renumberings;
            }
            addMemo(m, now);
            return;
        }
        REC_Memo& m = memos[rnd.bounded(memos.size())];
        if (kind < 70) { // a later time
            const qint64 base = minuteOf(now) + rnd.bounded(5, 2 * 1440) - m.Anticipo;
            m.Data = double(base / 1440);
            m.Orario = DayNumbers::fromTime(QTime::fromMSecsSinceStartOfDay(int(base % 1440) * 60000));
            Riarma_Avvisi_Memo(rig.state.ArrAvvisi, m.ID);
            dropFutureExpectations(m, now);
            expectMemo(m, now);
        } else if (kind < 80) { // done
            m.Eseguito = 1;
            m.Attivo = 0;
            Riarma_Avvisi_Memo(rig.state.ArrAvvisi, m.ID);
            dropFutureExpectations(m, now);
        } else if (kind < 90) { // armed again
            if (m.Attivo != 1) {
                m.Attivo = 1;
                m.Eseguito = 0;
                Riarma_Avvisi_Memo(rig.state.ArrAvvisi, m.ID);
                expectMemo(m, now);
            }
        } else { // deleted in the grid
            dropFutureExpectations(m, now);
            memos.removeAt(&m - memos.data());
        }
    }

    // Sorts by due moment and hands the existing IDs out again in ascending
    // order, as the memo list's date sort does.
    void sortByDate()
    {
        MemoList& memos = rig.state.ArrMemo;
        QList<qint32> ids;
        for (const REC_Memo& m : std::as_const(memos))
            ids << m.ID;
        std::sort(ids.begin(), ids.end());
        auto due
            = [](const REC_Memo& m) { return std::trunc(m.Data) + (m.TipoOrario == ORARIO_PRESENTE ? m.Orario : 0.0); };
        std::stable_sort(
            memos.begin(), memos.end(), [&](const REC_Memo& a, const REC_Memo& b) { return due(a) < due(b); });
        for (qsizetype i = 0; i < memos.size(); ++i)
            memos[i].ID = ids[i];
        ++renumberings;
    }

    // Open windows refer to their entries by position; the queue must keep them.
    void checkPositions()
    {
        const AvvisoList& queue = rig.state.ArrAvvisi;
        for (const auto& w : rig.factory.made) {
            if (w->released)
                continue;
            for (const FakeLine& l : w->lines) {
                if (l.Pos_Avviso >= queue.size() || queue[l.Pos_Avviso].Tipo != w->tipo
                    || queue[l.Pos_Avviso].Chiave != l.Chiave) {
                    broken << QStringLiteral("line position %1 lost at %2").arg(l.Pos_Avviso).arg(rig.clock.ms);
                    return;
                }
            }
        }
    }
};

} // namespace

class TestWeek : public QObject {
    Q_OBJECT
private slots:
    void week()
    {
        Week w;
        w.setUp();
        w.run();
        const QStringList expected = Week::listed("memo", w.expectedMemo) + Week::listed("alarm", w.expectedAlarm);
        const QStringList actual = Week::listed("memo", w.actualMemo) + Week::listed("alarm", w.actualAlarm);
        for (const QString& s : Week::beyond(expected, actual))
            w.broken << "missing: " + s;
        for (const QString& s : Week::beyond(actual, expected))
            w.broken << "unexpected: " + s;
        qInfo("%lld warnings (%d after a postponement), %d renumberings, %lld queue entries left",
            static_cast<long long>(actual.size()), w.postponed, w.renumberings,
            static_cast<long long>(w.rig.state.ArrAvvisi.size()));
        QVERIFY2(w.broken.isEmpty(), qPrintable(w.broken.mid(0, 12).join('\n')));
        // Guard against a week that tests nothing.
        QVERIFY(Week::listed("memo", w.expectedMemo).size() > 300);
        QVERIFY(Week::listed("alarm", w.expectedAlarm).size() > 90);
        QVERIFY(w.postponed > 20);
        QVERIFY(w.renumberings > 10);
    }
};

QTEST_GUILESS_MAIN(TestWeek)
#include "tst_week.moc"
