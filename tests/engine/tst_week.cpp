#include "EngineRig.h"
#include "engine/DueMoments.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

// A simulated week of 3-second ticks over 500 memos and 20 alarm clocks, with
// warning windows that the user closes after a few seconds, and grid edits
// (date sort, inserted memos) that renumber and so reuse memo IDs. Each
// active memo must warn exactly once, each alarm clock once on each of its
// days, at the first due check inside the span, and nothing else may warn.
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

// The memo's alarm moment in UTC ms, as the test reckons it (whole days, minutes).
qint64 momentUtc(const REC_Memo& m)
{
    const qint64 minute = qint64(m.Data) * 1440 + DayNumbers::hoursMinutes(m.Orario) + m.Anticipo;
    return minute * MS_PER_MINUTE - epochOffsetMs;
}

// A warning as "memo 12 Mon 08:00:01.500"; memos are told apart by a tag in
// their Nota, as their IDs change.
QString warning(const char* kind, qint64 tag, qint64 utcMs)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(utcMs, QTimeZone::utc());
    return QStringLiteral("%1 %2 %3").arg(kind).arg(tag).arg(t.toString("ddd hh:mm:ss.zzz"));
}

class Week {
public:
    EngineRig rig{startedAt};
    QRandomGenerator rnd{20240603};
    QStringList expected, actual;
    std::multimap<qint64, FakeWarningWindow*> closing;
    int edits = 0;

    void setUp()
    {
        rig.onCreate = [this](FakeWarningWindow& w) { created(w); };
        QList<qint32> ids;
        for (int i = 1; i <= 500; ++i)
            ids << i;
        std::shuffle(ids.begin(), ids.end(), rnd); // not in date order: a date sort renumbers
        for (qint32 id : ids) {
            const qint64 day = minuteOf(T0) / 1440 + rnd.bounded(-1, 8);
            REC_Memo m = memoAt(day * 1440 + rnd.bounded(1440), id);
            m.Anticipo = rnd.bounded(10) == 0 ? (rnd.bounded(2) ? -1440 : 120) : rnd.bounded(-60, 61);
            const int kind = rnd.bounded(10);
            m.Attivo = kind < 8 ? 1 : 0;
            m.Eseguito = kind == 9 ? 1 : 0;
            m.TipoOrario = rnd.bounded(10) == 0 ? ORARIO_ASSENTE : ORARIO_PRESENTE;
            addMemo(m, T0 - 1);
        }

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
        for (qsizetype j = 0; j < alarms.size(); ++j)
            expectAlarm(j);
    }

    void run()
    {
        qint64 nextEdit = T0 + 30 * 60000;
        while (rig.nextTickMs <= END) {
            const qint64 t = rig.nextTickMs;
            while (!closing.empty() && closing.begin()->first < t) {
                closing.begin()->second->close();
                closing.erase(closing.begin());
            }
            if (nextEdit < t) {
                const bool edited = quiet(nextEdit);
                if (edited)
                    edit(nextEdit);
                nextEdit += edited ? rnd.bounded(30, 181) * 60000LL : 60000;
            }
            rig.tick();
        }
    }

private:
    // Memos are added, never removed, so their count tags the next one.
    REC_Memo memoAt(qint64 minute, qint32 id)
    {
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(minute % 1440) * 60000);
        REC_Memo m = makeMemo(id, DayNumbers::epoch().addDays(minute / 1440), time, 0);
        m.Nota = QStringLiteral("w%1").arg(rig.state.ArrMemo.size());
        return m;
    }

    void addMemo(const REC_Memo& m, qint64 setAt)
    {
        rig.state.ArrMemo << m;
        const qint64 moment = momentUtc(m);
        if (m.Attivo != 1)
            return;
        if (auto t = firstCheck(setAt, moment, moment + DUE_SPAN_MS))
            expected << warning("memo", m.Nota.mid(1).toInt(), *t);
    }

    void expectAlarm(qsizetype j)
    {
        const REC_Sveglia& s = rig.state.ArrSveglie[j];
        if (s.Attivo != 1)
            return;
        for (QDate d = startedAt.date(); d <= startedAt.date().addDays(7); d = d.addDays(1)) {
            if (s.TipoSveglia == SVEGLIA_UN_GIORNO && DayNumbers::weekday(d) != s.Giorno)
                continue;
            const qint64 midnight = QDateTime(d, QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();
            const qint64 moment = midnight + DayNumbers::hoursMinutes(s.Orario) * MS_PER_MINUTE;
            if (auto t = firstCheck(T0, moment, std::min(moment + DUE_SPAN_MS, midnight + MS_PER_DAY - 1)))
                expected << warning("alarm", j, *t);
        }
    }

    void created(FakeWarningWindow& w)
    {
        const qint64 now = rig.clock.ms;
        for (qint32 key : std::as_const(w.keys)) {
            const qsizetype i = w.tipo == AVVISO_MEMO ? findMemo(rig.state.ArrMemo, key) : -1;
            if (w.tipo == AVVISO_SVEGLIA)
                actual << warning("alarm", key, now);
            else if (i < 0)
                actual << QStringLiteral("window for missing memo ID %1").arg(key);
            else
                actual << warning("memo", rig.state.ArrMemo[i].Nota.mid(1).toInt(), now);
        }
        const qint64 delay = rnd.bounded(100) < 85 ? rnd.bounded(1000, 15000) : rnd.bounded(15000, 300000);
        closing.emplace(now + delay, &w);
    }

    // Edits come at quiet times only: renumbering a memo that is due would
    // hand its queue entry to another memo.
    bool quiet(qint64 now) const
    {
        if (!rig.engine->ArrWarnMemo().isEmpty() || !rig.engine->ArrWarnSveglie().isEmpty())
            return false;
        return std::none_of(rig.state.ArrMemo.cbegin(), rig.state.ArrMemo.cend(),
            [now](const REC_Memo& m) { return m.Attivo == 1 && std::abs(momentUtc(m) - now) < 130000; });
    }

    void edit(qint64 now)
    {
        ++edits;
        MemoList& memos = rig.state.ArrMemo;
        if (rnd.bounded(10) < 3) {
            // The date sort: by due moment, the existing IDs handed out again in ascending order.
            QList<qint32> ids;
            for (const REC_Memo& m : std::as_const(memos))
                ids << m.ID;
            std::sort(ids.begin(), ids.end());
            std::stable_sort(memos.begin(), memos.end(), [](const REC_Memo& a, const REC_Memo& b) {
                return std::trunc(a.Data) + (a.TipoOrario == ORARIO_PRESENTE ? a.Orario : 0.0)
                    < std::trunc(b.Data) + (b.TipoOrario == ORARIO_PRESENTE ? b.Orario : 0.0);
            });
            for (qsizetype i = 0; i < memos.size(); ++i)
                memos[i].ID = ids[i];
            return;
        }
        // A new memo before a selected one takes its ID; the later ones move up.
        REC_Memo m = memoAt(minuteOf(now) + rnd.bounded(3, 3 * 1440), memos[rnd.bounded(memos.size())].ID);
        m.Anticipo = rnd.bounded(-30, 31);
        for (REC_Memo& x : memos)
            x.ID += x.ID >= m.ID ? 1 : 0;
        addMemo(m, now);
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
        std::sort(w.expected.begin(), w.expected.end());
        std::sort(w.actual.begin(), w.actual.end());
        QStringList missing, unexpected;
        std::set_difference(
            w.expected.cbegin(), w.expected.cend(), w.actual.cbegin(), w.actual.cend(), std::back_inserter(missing));
        std::set_difference(
            w.actual.cbegin(), w.actual.cend(), w.expected.cbegin(), w.expected.cend(), std::back_inserter(unexpected));
        qInfo("%lld warnings, %d edits", static_cast<long long>(w.actual.size()), w.edits);
        QVERIFY2(missing.isEmpty() && unexpected.isEmpty(),
            qPrintable(
                "missing: " + missing.mid(0, 6).join(", ") + "\nunexpected: " + unexpected.mid(0, 6).join(", ")));
        // Guard against a week that tests nothing.
        QVERIFY(w.expected.filter("memo ").size() > 300);
        QVERIFY(w.expected.filter("alarm ").size() > 90);
        QVERIFY(w.edits > 10);
        QCOMPARE(w.rig.missed, QStringList()); // 3-second ticks miss nothing
    }
};

QTEST_GUILESS_MAIN(TestWeek)
#include "tst_week.moc"
