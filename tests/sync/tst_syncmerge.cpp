// Joining a pass's result back into lists that changed while it ran.
#include "TestMain.h"
#include "state/AppState.h"
#include "sync/SyncMerge.h"

#include <QTest>

namespace {

// "a=one;b#7=two": memos by UID, with text and, after #, an ID.
MemoList memos(const QString& text)
{
    MemoList list;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts)) {
        REC_Memo m;
        const QString key = part.section(u'=', 0, 0);
        m.Uid = key.section(u'#', 0, 0);
        m.ID = key.contains(u'#') ? key.section(u'#', 1).toInt() : int(list.size()) + 1;
        m.Nota = part.section(u'=', 1);
        m.Data = 46000;
        list.append(m);
    }
    return list;
}

SvegliaList alarms(const QString& text)
{
    SvegliaList list;
    for (const REC_Memo& m : memos(text))
        list.append(REC_Sveglia{1, 1, m.Nota, 1, 0.5, {}, m.Uid});
    return list;
}

// The live list as "uid=text" in its order; a UID none of the inputs had
// (a record split off) shows as *.
template <typename List> QString shown(const List& list, const QStringList& known)
{
    QStringList parts;
    for (const auto& r : list) {
        QString text;
        if constexpr (std::is_same_v<List, MemoList>)
            text = r.Nota;
        else
            text = r.Messaggio;
        parts.append((known.contains(r.Uid) ? r.Uid : QStringLiteral("*")) + u'=' + text);
    }
    return parts.join(u';');
}

QStringList uidsIn(const QStringList& texts)
{
    QStringList uids;
    for (const QString& text : texts) {
        for (const REC_Memo& m : memos(text))
            uids.append(m.Uid);
    }
    return uids;
}

QHash<QString, QString> renames(const QString& text)
{
    QHash<QString, QString> map;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts))
        map.insert(part.section(u'>', 0, 0), part.section(u'>', 1));
    return map;
}

} // namespace

class TestSyncMerge : public QObject {
    Q_OBJECT

private slots:
    void records_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("pass");
        QTest::addColumn<QString>("renamed");
        QTest::addColumn<QString>("live");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<bool>("changed");

        QTest::newRow("nothing moved") << "a=one"
                                       << "a=one"
                                       << ""
                                       << "a=one"
                                       << "a=one" << 0 << false;
        QTest::newRow("changed there") << "a=one;b=two"
                                       << "a=uno;b=two"
                                       << ""
                                       << "a=one;b=two"
                                       << "a=uno;b=two" << 0 << true;
        QTest::newRow("changed here during the pass") << "a=one"
                                                      << "a=one"
                                                      << ""
                                                      << "a=ONE"
                                                      << "a=ONE" << 0 << false;
        QTest::newRow("changed on both sides") << "a=one"
                                               << "a=uno"
                                               << ""
                                               << "a=ONE"
                                               << "*=ONE;a=uno" << 1 << true;
        QTest::newRow("changed alike on both sides") << "a=one"
                                                     << "a=uno"
                                                     << ""
                                                     << "a=uno"
                                                     << "a=uno" << 0 << false;
        QTest::newRow("deleted here during the pass") << "a=one;b=two"
                                                      << "a=one;b=two"
                                                      << ""
                                                      << "b=two"
                                                      << "b=two" << 0 << false;
        QTest::newRow("deleted here, changed there") << "a=one;b=two"
                                                     << "a=uno;b=two"
                                                     << ""
                                                     << "b=two"
                                                     << "b=two;a=uno" << 0 << true;
        QTest::newRow("added there") << "a=one"
                                     << "a=one;n=new"
                                     << ""
                                     << "a=one"
                                     << "a=one;n=new" << 0 << true;
        QTest::newRow("added here during the pass") << "a=one"
                                                    << "a=one"
                                                    << ""
                                                    << "a=one;c=mine"
                                                    << "a=one;c=mine" << 0 << false;
        QTest::newRow("added on both sides") << "a=one"
                                             << "a=one;n=new"
                                             << ""
                                             << "a=one;c=mine"
                                             << "a=one;c=mine;n=new" << 0 << true;
        QTest::newRow("deleted there") << "a=one;b=two"
                                       << "a=one"
                                       << ""
                                       << "a=one;b=two"
                                       << "a=one" << 0 << true;
        QTest::newRow("deleted there, changed here") << "a=one;b=two"
                                                     << "a=one"
                                                     << ""
                                                     << "a=one;b=TWO"
                                                     << "a=one;b=TWO" << 0 << false;
        QTest::newRow("deleted on both sides") << "a=one;b=two"
                                               << "a=one"
                                               << ""
                                               << "a=one"
                                               << "a=one" << 0 << false;
        // The pass itself found a conflict and split the record off as f.
        QTest::newRow("split off by the pass") << "a=one"
                                               << "f=one;a=theirs"
                                               << "a>f"
                                               << "a=one"
                                               << "f=one;a=theirs" << 0 << true;
        QTest::newRow("split off by the pass, changed here too") << "a=one"
                                                                 << "f=one;a=theirs"
                                                                 << "a>f"
                                                                 << "a=ONE"
                                                                 << "f=ONE;a=theirs" << 0 << true;
        // The list renumbered here while the pass ran: still the same memo.
        QTest::newRow("renumbered here, changed there") << "a#1=one;b#2=two"
                                                        << "a#1=uno;b#2=two"
                                                        << ""
                                                        << "b#1=two;a#2=one"
                                                        << "b=two;a=uno" << 0 << true;
    }
    void records()
    {
        QFETCH(QString, base);
        QFETCH(QString, pass);
        QFETCH(QString, renamed);
        QFETCH(QString, live);
        QFETCH(QString, expected);
        QFETCH(int, conflicts);
        QFETCH(bool, changed);
        const QStringList known = uidsIn({base, pass, live, expected});

        // Memos and alarm clocks follow the same rules.
        AppState state;
        state.ArrMemo = memos(live);
        const SyncMerge::Outcome memoOutcome
            = SyncMerge::apply({memos(base), {}, {}}, {memos(pass), {}, {}}, renames(renamed), state);
        QCOMPARE(shown(state.ArrMemo, known), expected);
        QCOMPARE(memoOutcome.conflicts, conflicts);
        QCOMPARE(memoOutcome.listsChanged, changed);
        QSet<qint32> ids;
        for (const REC_Memo& m : std::as_const(state.ArrMemo))
            ids.insert(m.ID);
        QCOMPARE(ids.size(), state.ArrMemo.size()); // every memo its own ID

        AppState other;
        other.ArrSveglie = alarms(live);
        const SyncMerge::Outcome alarmOutcome
            = SyncMerge::apply({{}, alarms(base), {}}, {{}, alarms(pass), {}}, renames(renamed), other);
        QCOMPARE(shown(other.ArrSveglie, known), expected);
        QCOMPARE(alarmOutcome.conflicts, conflicts);
    }

    void keepsLiveIdsAndFollowsWarnings()
    {
        AppState state;
        state.ArrMemo = memos("a#4=one;b#9=two");
        state.ArrSveglie = alarms("x=wake;y=tea");
        state.ArrAvvisi = {{AVVISO_MEMO, 4, STATO_MOSTRATO}, {AVVISO_SVEGLIA, 1, STATO_MOSTRATO}};
        SyncMerge::apply({memos("a#4=one;b#9=two"), alarms("x=wake;y=tea"), {}},
            {memos("a#1=uno;b#2=two;n#3=new"), alarms("y=tea"), {}}, {}, state);
        // A memo changed there keeps its number here; a new one takes the next.
        QCOMPARE(state.ArrMemo.value(0).ID, 4);
        QCOMPARE(state.ArrMemo.value(2).ID, 10);
        // The changed memo may warn again; the alarm clock's entry follows its place.
        QCOMPARE(state.ArrAvvisi[0].Stato, STATO_RIARMATO);
        QCOMPARE(state.ArrAvvisi[1].Chiave, 0);
        QCOMPARE(state.ArrAvvisi[1].Stato, STATO_MOSTRATO);
    }

    void syncData()
    {
        const SyncItem old{QStringLiteral("/c/a.ics"), "\"1\"", "A1"},
            pushed{QStringLiteral("/c/a.ics"), "\"2\"", "A2"}, imported{{}, {}, "I"};
        SyncData base;
        base.syncToken = QStringLiteral("t1");
        base.items.insert(QStringLiteral("a"), old);
        SyncData pass = base;
        pass.syncToken = QStringLiteral("t2");
        pass.items.insert(QStringLiteral("a"), pushed);

        AppState state;
        state.ArrMemo = memos("a=one");
        state.sync = base;
        state.sync.items.insert(QStringLiteral("i"), imported); // an import while the pass ran
        const SyncMerge::Outcome outcome
            = SyncMerge::apply({memos("a=one"), {}, base}, {memos("a=one"), {}, pass}, {}, state);
        QVERIFY(outcome.dataChanged);
        QCOMPARE(state.sync.syncToken, QStringLiteral("t2"));
        QCOMPARE(state.sync.items.value(QStringLiteral("a")), pushed); // the next If-Match
        QCOMPARE(state.sync.items.value(QStringLiteral("i")), imported);
    }

    void snapshotGivesUids()
    {
        MemoList live = memos("=one;k=two");
        SvegliaList liveAlarms = alarms("=wake");
        const SyncMerge::Lists copy = SyncMerge::snapshot(live, liveAlarms, {});
        QVERIFY(!live[0].Uid.isEmpty());
        QCOMPARE(live[1].Uid, QStringLiteral("k"));
        QVERIFY(!liveAlarms[0].Uid.isEmpty());
        QCOMPARE(copy.memos, live);
        QCOMPARE(copy.sveglie, liveAlarms);
    }
};

BRIVO_REGISTER_TEST(TestSyncMerge)

#include "tst_syncmerge.moc"
