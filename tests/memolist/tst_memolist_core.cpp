#include "engine/DueMoments.h"
#include "memolist/ExchangeSort.h"
#include "memolist/MemoCommands.h"
#include "memolist/MemoRows.h"
#include "memolist/TestiReminder.h"
#include "memolist/WindowLayout.h"
#include "state/AppState.h"
#include "state/Colorazioni.h"
#include "state/Configuration.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <numeric>

namespace {

const QDate today(2024, 6, 3);

QDateTime atTime(int h, int m, int s = 0, int days = 0)
{
    return QDateTime(today.addDays(days), QTime(h, m, s));
}

REC_Memo memo(int days, QTime time, qint32 anticipo = -5, qint32 eseguito = 0, qint32 attivo = 1)
{
    REC_Memo m;
    m.ID = 1;
    m.Nota = QStringLiteral("memo");
    m.Attivo = attivo;
    m.Eseguito = eseguito;
    m.Data = DayNumbers::fromDate(today.addDays(days));
    m.TipoOrario = time.isValid() ? ORARIO_PRESENTE : ORARIO_ASSENTE;
    // A time left over from before the due time was switched off must not count.
    m.Orario = DayNumbers::fromTime(time.isValid() ? time : QTime(7, 0));
    m.Anticipo = anticipo;
    return m;
}

MemoTextFormat format(const QString& localeName)
{
    const QLocale locale(localeName);
    return MemoTextFormat{locale.dateFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::ShortFormat),
        QStringLiteral("Ieri"), QStringLiteral("Oggi"), QStringLiteral("Domani"), today};
}

// Memos with these IDs, all due today at 09:00, named by their ID ("m3").
MemoList withIds(const QList<qint32>& ids)
{
    MemoList memos;
    for (qint32 id : ids) {
        REC_Memo m = memo(0, QTime(9, 0));
        m.ID = id;
        m.Nota = QStringLiteral("m%1").arg(id);
        memos.append(m);
    }
    return memos;
}

// The memo names in display order (ascending ID).
QStringList shown(const MemoList& memos)
{
    MemoList sorted = memos;
    std::stable_sort(sorted.begin(), sorted.end(), [](const REC_Memo& a, const REC_Memo& b) { return a.ID < b.ID; });
    QStringList names;
    for (const REC_Memo& m : sorted)
        names.append(m.Nota);
    return names;
}

// A state whose queue holds one shown memo entry per memo, and a log of the
// renumberings handed on to the warning windows.
struct Commands {
    AppState state;
    int RigaCorrente = -1;
    MemoCommands commands{state, RigaCorrente};
    QList<MemoIdMap> handedOn;

    explicit Commands(const MemoList& memos, int riga = -1)
    {
        state.ArrMemo = memos;
        RigaCorrente = riga;
        for (const REC_Memo& m : memos)
            state.ArrAvvisi.append(REC_Avviso{AVVISO_MEMO, m.ID, STATO_MOSTRATO});
        state.ArrAvvisi.append(REC_Avviso{AVVISO_SVEGLIA, memos.isEmpty() ? 0 : memos.first().ID, STATO_MOSTRATO});
        commands.onRenumbered = [this](const MemoIdMap& map) { handedOn.append(map); };
    }
    // Every memo entry still names the memo it named at the start.
    QStringList queueNames() const
    {
        QStringList names;
        for (const REC_Avviso& a : state.ArrAvvisi) {
            if (a.Tipo != AVVISO_MEMO)
                continue;
            const qsizetype m = findMemo(state.ArrMemo, a.Chiave);
            names.append(m < 0 ? QString() : state.ArrMemo[m].Nota);
        }
        return names;
    }
};

} // namespace

class TestMemoListCore : public QObject {
    Q_OBJECT
private slots:
    void stepScheme()
    {
        const struct {
            QString from;
            int delta;
            QString to;
        } rows[] = {
            {"Italia", -2, "Viola"},      // < twice
            {"Arancio", -1, "Viola"},     // unknown: < from the first
            {"Arancio", 0, "Grigio"},     // zero selects the current
            {"Grigio", 13, "Italia"},     // more than a turn
            {"Grigio", INT_MIN, "Verde"}, // the most negative: 2^31 = 6k + 2
        };
        ColorazioneList list;
        Crea_Colorazioni(list);
        for (const auto& r : rows) {
            QString tipo = r.from;
            Cambia_Colorazione(list, tipo, r.delta);
            QCOMPARE(tipo, r.to);
        }
        // Names are exact; an empty list steps nowhere and draws with the first scheme.
        QCOMPARE(Colorazione_Corrente(list, "italia"), nullptr);
        QCOMPARE(Colorazione_Disegno(ColorazioneList(), "Grigio").Nome, list.first().Nome);
        QString tipo = "Viola";
        Cambia_Colorazione(ColorazioneList(), tipo, 1);
        QCOMPARE(tipo, QString("Viola"));
    }

    void state()
    {
        const REC_Memo at10 = memo(0, QTime(10, 0), -5); // shown state counts from 10:05
        REC_Memo undone = memo(-1, QTime());
        undone.Eseguito = 2;                       // only 1 means done
        REC_Memo damaged = memo(0, QTime(), -120); // due at 02:00 without a time of day
        damaged.TipoOrario = ORARIO_PRESENTE;
        damaged.Orario = std::nan("");
        const struct {
            REC_Memo m;
            QDateTime now;
            int expected;
        } rows[] = {
            {at10, atTime(9, 33), MEMO_NORMAL},       // 32 minutes before
            {at10, atTime(9, 34, 30), MEMO_IMMINENT}, // 30.5 minutes truncate to 30
            {at10, atTime(10, 4, 59), MEMO_IMMINENT}, // one second before
            {at10, atTime(10, 5), MEMO_OVERDUE},      // at the moment: overdue
            // positive Anticipo moves it earlier
            {memo(0, QTime(10, 0), 10), atTime(9, 50), MEMO_OVERDUE},
            {memo(1, QTime(0, 10), 0), atTime(23, 50), MEMO_IMMINENT},    // across midnight
            {memo(1, QTime(0, 0), 0), atTime(23, 29, 30), MEMO_IMMINENT}, // midnight in 30.5 minutes
            {memo(0, QTime(10, 0, 30), 0), atTime(9, 30), MEMO_IMMINENT}, // seconds of the due time count
            {memo(0, QTime(), 0, 1), atTime(12, 0), MEMO_NORMAL},         // done, due today
            {memo(-1, QTime()), atTime(0, 0), MEMO_OVERDUE},              // no time, yesterday
            {memo(0, QTime()), atTime(23, 59), MEMO_DUE_TODAY},           // no time, today
            {memo(1, QTime()), atTime(23, 59), MEMO_NORMAL},              // no time, tomorrow
            {undone, atTime(9, 0), MEMO_OVERDUE},                         // Eseguito 2 is not done
            {damaged, atTime(1, 0), MEMO_NORMAL},                         // its day decides
        };
        for (const auto& r : rows) {
            QCOMPARE(Stato_Memo(MemoList{REC_Memo(), r.m}, 1, r.now), r.expected);
            // Nothing changes before the moment the idle tick may wait for.
            qint64 changeMs = 0;
            QCOMPARE(memoStates({r.m}, dueClockMs(r.now), &changeMs), QList<int>{r.expected});
            QCOMPARE(memoStates({r.m}, changeMs - 1), QList<int>{r.expected});
        }
    }

    void dateText()
    {
        const double day = DayNumbers::fromDate(today);
        const struct {
            QString localeName;
            double data;
            QString expected;
        } rows[] = {
            {"it_IT", day - 0.01, "Ieri"},       // late yesterday: the time of day does not move the day
            {"it_IT", day + 1.99, "Domani"},     // late tomorrow
            {"en_GB", day - 1.01, "01/06/2024"}, // British short date
            {"it_IT", 1e300, ""},                // damaged
        };
        for (const auto& r : rows) {
            QCOMPARE(dueDateText(r.data, format(r.localeName)), r.expected);
        }
    }

    // Indexes outside the list or the grid, and too few data rows, are refused.
    void outOfRange()
    {
        const MemoList memos{memo(0, QTime())};
        QCOMPARE((QList<int>{Stato_Memo(memos, -1, atTime(9, 0)), Stato_Memo(memos, 1, atTime(9, 0)),
                     Stato_Memo(MemoList(), 0, atTime(9, 0))}),
            (QList<int>{-1, -2, -2}));
        QList<QStringList> dati(MEMO_DATA_COLUMNS, QStringList(1));
        QVERIFY(!fillMemoData(dati, memos, format("it_IT"), "x"));
        QCOMPARE(dati[COL_TEXT][0], QString());
        Commands c(withIds({1, 2}));
        int row = 0;
        QCOMPARE((QList<int>{c.commands.Ruota_ID(-1, 1, row), c.commands.Ruota_ID(5, -1, row)}), (QList<int>{-1, -2}));
        QCOMPARE(c.commands.Ruota_ID(2, INT_MIN, row), 2);
        QCOMPARE(shown(c.state.ArrMemo), (QStringList{"m2", "m1"}));
    }

    void cellActions()
    {
        const QTime none, at10(10, 0);
        const struct {
            REC_Memo before;
            int col;
            bool upper;
            REC_Memo after;
            bool rearmed;
            int step = 5; // minutes a +/- click of the time moves
        } rows[] = {
            // time + on 23:58 wraps on the same date
            {memo(0, QTime(23, 58)), COL_TIME_BUTTON, true, memo(0, QTime(0, 3)), true},
            // time + without time starts from now
            {memo(0, none), COL_TIME_BUTTON, true, memo(0, QTime(9, 55, 17)), true},
            // alarm on gives a timeless memo the current time
            {memo(0, none, -5, 0, 0), COL_ALARM, true, memo(0, QTime(9, 50, 17)), true},
            {memo(0, at10), COL_DONE, true, memo(0, at10, -5, 1, 0), true}, // done turns the alarm off
            // undone leaves the alarm off
            {memo(0, at10, -5, 1, 0), COL_DONE, true, memo(0, at10, -5, 0, 0), false},
            // offset + with the alarm on
            {memo(0, at10), COL_ADVANCE_BUTTON, true, memo(0, at10, -4), true},
            // offset button without alarm does nothing
            {memo(0, none, -5, 0, 0), COL_ADVANCE_BUTTON, false, memo(0, none, -5, 0, 0), false},
            // offset - stops at the smallest number
            {memo(0, at10, INT_MIN), COL_ADVANCE_BUTTON, false, memo(0, at10, INT_MIN), true},
            // a step of two days and two hours back, as a + click, wraps to a time of the same day
            {memo(0, QTime(9, 0)), COL_TIME_BUTTON, true, memo(0, QTime(7, 0)), true, -3000},
        };
        for (const auto& r : rows) {
            REC_Memo other;
            other.ID = 2;
            Commands c({other, r.before}); // the memo is second in the list, first on the grid
            c.state.settings.Incremento_orario_piu_meno = r.step;
            QCOMPARE(c.commands.mouseDown(r.col, 1, r.upper, atTime(9, 50, 17)), r.before != r.after || r.rearmed);
            QVERIFY(!c.commands.mouseDown(COL_TEXT, 1, r.upper, atTime(9, 50))); // the click opens the editor instead
            QCOMPARE(c.state.ArrMemo[1], r.after);
            QCOMPARE(c.state.ArrMemo[0], other);
            QCOMPARE(c.state.ArrAvvisi[1].Stato, r.rearmed ? STATO_RIARMATO : STATO_MOSTRATO);
            QCOMPARE(c.state.ArrAvvisi[0].Stato, STATO_MOSTRATO);
            QCOMPARE(c.state.DaSalvare, r.before != r.after || r.rearmed);    // marked by the change itself
            QVERIFY(!c.commands.mouseDown(r.col, 3, r.upper, atTime(9, 50))); // the placeholder
        }
    }

    void typedValues()
    {
        const struct {
            int col;
            QString text;
            QString nota;
            QString time; // empty: no due time
            int attivo;
            int anticipo;
        } rows[] = {
            {COL_TIME, "18.5", "m1", "18:05", 1, -5},                               // 18.5 is 18:05
            {COL_TIME, "25.00", "m1", "", 0, -5},                                   // 25.00 blanks the time
            {COL_TIME, "", "m1", "", 0, -5},                                        // empty time
            {COL_ADVANCE, " +12 ", "m1", "09:00", 1, 12},                           // offset
            {COL_ADVANCE, "12a", "m1", "09:00", 1, 0},                              // offset no number
            {COL_TEXT, "a\tb\r\nc\rd\ne", "a b c d e", "09:00", 1, -5},             // pasted lines
            {COL_TEXT, QString(150, 'x') + "y", QString(150, 'x'), "09:00", 1, -5}, // 151 characters
            // 150 after a line break
            {COL_TEXT, "\r\n" + QString(150, 'x'), " " + QString(149, 'x'), "09:00", 1, -5},
            // An emoji, a letter with its accent or a flag across the cut goes whole.
            {COL_TEXT, QString(149, 'x') + QStringLiteral("\U0001F600"), QString(149, 'x'), "09:00", 1, -5},
            {COL_TEXT, QString(148, 'x') + QStringLiteral("\U0001F600y"),
                QString(148, 'x') + QStringLiteral("\U0001F600"), "09:00", 1, -5},
            {COL_TEXT, QString(149, 'x') + QStringLiteral("e\u0301"), QString(149, 'x'), "09:00", 1, -5},
            {COL_TEXT, QString(147, 'x') + QStringLiteral("\U0001F1EE\U0001F1F9"), QString(147, 'x'), "09:00", 1, -5},
            // One letter under more accents than fit: cut between them, not emptied.
            {COL_TEXT, QStringLiteral("a") + QString(200, QChar(0x0301)),
                QStringLiteral("a") + QString(149, QChar(0x0301)), "09:00", 1, -5},
            {COL_DATE, "04/06/24", "m1", "09:00", 1, -5}, // date cell takes no text
        };
        for (const auto& r : rows) {
            Commands c(withIds({1}));
            QCOMPARE(c.commands.setEditText(r.col, 1, r.text), r.col != COL_DATE);
            const REC_Memo& m = c.state.ArrMemo[0];
            QCOMPARE(m.Nota, r.nota);
            QCOMPARE(
                m.TipoOrario == ORARIO_PRESENTE ? DayNumbers::toTime(m.Orario).toString("HH:mm") : QString(), r.time);
            if (r.time.isEmpty())
                QCOMPARE(DayNumbers::toTime(m.Orario), QTime(9, 0)); // kept for the next time it is switched on
            QCOMPARE(m.Attivo, r.attivo);
            QCOMPARE(m.Anticipo, r.anticipo);
            // Time and offset re-arm the memo's warning; the text does not.
            QCOMPARE(c.state.ArrAvvisi[0].Stato,
                r.col == COL_TIME || r.col == COL_ADVANCE ? STATO_RIARMATO : STATO_MOSTRATO);
            QVERIFY(!c.commands.setEditText(COL_TEXT, 2, "placeholder"));
            QCOMPARE(c.state.ArrMemo.size(), 1);
        }
    }

    void editorOpensOnTextTimeAndArmedOffset()
    {
        MemoList memos = withIds({1, 2});
        memos[1].Attivo = 0;
        Commands c(memos);
        QList<int> open;
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < MEMO_VISIBLE_COLUMNS; ++col) {
                if (c.commands.editorAllowed(col, row))
                    open.append(row * 10 + col);
            }
        }
        QCOMPARE(open, (QList<int>{11, 15, 17, 21, 25}));
    }

    void newMemo()
    {
        const struct {
            QList<qint32> ids;
            int riga;
            QStringList order; // "new" for the added memo
            int row;           // where the editor opens
        } rows[] = {
            {QList<qint32>{}, -1, QStringList{"new"}, 1}, // empty list
            // none selected: after the largest
            {QList<qint32>{3, 7, 5}, -1, QStringList{"m3", "m5", "m7", "new"}, 4},
            // second of three: in second place
            {QList<qint32>{3, 7, 5}, 2, QStringList{"m3", "new", "m5", "m7"}, 2},
            {QList<qint32>{1, 2}, 3, QStringList{"m1", "m2", "new"}, 3}, // placeholder row current
            // largest ID taken: numbered again from 1
            {QList<qint32>{INT_MAX, 4}, -1, QStringList{"m4", QString("m%1").arg(INT_MAX), "new"}, 3},
            // inserted above the largest ID
            {QList<qint32>{INT_MAX, 4}, 2, QStringList{"m4", "new", QString("m%1").arg(INT_MAX)}, 2},
        };
        for (const auto& r : rows) {
            Commands c(withIds(r.ids), r.riga);
            const QStringList named = c.queueNames();
            QCOMPARE(c.commands.Nuovo_Memo(atTime(9, 50, 17)), r.row);
            QVERIFY(c.state.DaSalvare);
            QCOMPARE(c.RigaCorrente, r.riga);
            REC_Memo& added = c.state.ArrMemo.last();
            QVERIFY(added.ID >= 1);
            added.Nota = "new";
            QCOMPARE(shown(c.state.ArrMemo), r.order);
            QCOMPARE(c.queueNames(), named);
            QCOMPARE(c.state.ArrAvvisi.last().Chiave, r.ids.isEmpty() ? 0 : r.ids.first()); // alarm entries keep theirs
            QCOMPARE(!c.handedOn.isEmpty(), r.riga == 2 || r.ids.contains(INT_MAX));
        }
    }

    void newMemoDefaults()
    {
        Commands c(withIds({1}));
        c.state.settings.Attivazione_nuovi_promemoria = 1;
        c.state.settings.Orario_predefinito_nuovi_promemoria = 1;
        c.state.settings.Preavviso_predefinito_memo = 10;
        c.commands.Nuovo_Memo(atTime(9, 50, 17));
        const REC_Memo expected{2, 1, QString(), 1, 0, 1, DayNumbers::fromDate(today), ORARIO_PRESENTE,
            DayNumbers::fromTime(QTime(9, 50)), 2, 10};
        QCOMPARE(c.state.ArrMemo.last(), expected);
        c.state.settings.Orario_predefinito_nuovi_promemoria = 2;
        c.commands.Nuovo_Memo(atTime(9, 50, 17));
        QCOMPARE(c.state.ArrMemo.last().TipoOrario, ORARIO_ASSENTE);
    }

    void deleteMemo()
    {
        const struct {
            int riga;
            int ask;
            bool yes;
            QStringList left;
            int rigaAfter;
        } rows[] = {
            {2, 0, true, QStringList{"m1"}, 1},         // the last of two
            {1, 1, true, QStringList{"m2"}, 1},         // asked, yes
            {1, 1, false, QStringList{"m1", "m2"}, 1},  // asked, no
            {3, 1, true, QStringList{"m1", "m2"}, 3},   // placeholder current
            {-1, 1, true, QStringList{"m1", "m2"}, -1}, // none current
        };
        for (const auto& r : rows) {
            Commands c(withIds({2, 1}), r.riga);
            c.state.settings.Chiedi_conferma_cancellazione = r.ask;
            QStringList asked;
            const bool deleted = c.commands.Cancella_Memo(
                [&](const QString& q) {
                    asked.append(q);
                    return r.yes;
                },
                "dd/MM/yy");
            QCOMPARE(deleted, r.left.size() == 1);
            QVERIFY(c.state.DaSalvare);
            QCOMPARE(shown(c.state.ArrMemo), r.left);
            QCOMPARE(c.RigaCorrente, r.rigaAfter);
            const bool memoRow = r.riga == 1 || r.riga == 2;
            QCOMPARE(asked,
                r.ask == 1 && memoRow ? QStringList{"Sei sicuro di voler cancellare il promemoria\r\nm1 del 03/06/24?"}
                                      : QStringList{});
            QCOMPARE(c.state.ArrAvvisi.size(), 3); // the queue keeps the entries of a deleted memo
        }
    }

    // Moves to the top and one down are the window's keys test.
    void move()
    {
        const QStringList same{"m1", "m2", "m3"};
        const struct {
            int riga;
            int kind;
            int result;
            int newRow;
            QStringList order;
        } rows[] = {
            {1, SPOSTA_SU, 1, 1, same},                                // Shift+Up on the first
            {1, SPOSTA_IN_CIMA, 1, 1, same},                           // Shift+PgUp on the first
            {1, SPOSTA_IN_FONDO, 2, 3, QStringList{"m2", "m3", "m1"}}, // Shift+PgDn on the first of three
            {3, SPOSTA_GIU, 1, 3, same},                               // Shift+Down on the last
            {4, SPOSTA_SU, 1, -1, same},                               // Shift+Up on the placeholder
            {2, 5, 0, -1, same},                                       // an unknown kind
            {-1, SPOSTA_SU, 0, -1, same},                              // none current
        };
        for (const auto& r : rows) {
            Commands c(withIds({3, 1, 2}), r.riga);
            const QStringList named = c.queueNames();
            int row = -2;
            QCOMPARE(c.commands.Sposta_Memo(r.kind, row), r.result);
            QCOMPARE(row, r.newRow);
            QCOMPARE(shown(c.state.ArrMemo), r.order);
            QList<qint32> ids;
            for (const REC_Memo& m : c.state.ArrMemo)
                ids.append(m.ID);
            std::sort(ids.begin(), ids.end());
            QCOMPARE(ids, (QList<qint32>{1, 2, 3})); // the set of IDs stays
            QCOMPARE(c.queueNames(), named);
            QCOMPARE(c.handedOn.size(), r.result == 2 ? 1 : 0);
            QCOMPARE(c.state.DaSalvare, r.result == 2);
        }
    }

    void dateSort()
    {
        MemoList memos{memo(0, QTime()), memo(0, QTime(8, 0)), memo(-1, QTime(23, 0))};
        for (int i = 0; i < 3; ++i) {
            memos[i].ID = 3 - i;
            memos[i].Nota = QStringList{"today", "today 08:00", "yesterday 23:00"}[i];
        }
        Commands c(memos, 2); // "today 08:00" is current
        const QStringList named = c.queueNames();
        int row = 0;
        c.commands.Ordina_Per_Data(row);
        QVERIFY(c.state.DaSalvare);
        QCOMPARE(shown(c.state.ArrMemo), (QStringList{"yesterday 23:00", "today", "today 08:00"}));
        QCOMPARE(c.state.ArrMemo[0].Nota, QString("yesterday 23:00")); // the list itself is sorted
        QCOMPARE(row, 3);
        QCOMPARE(c.queueNames(), named);
        QCOMPARE(c.handedOn.size(), 1);
        c.RigaCorrente = -1;
        c.commands.Ordina_Per_Data(row);
        QCOMPARE(row, -1);
        QCOMPARE(c.handedOn.size(), 1); // sorted already: no ID changed
        // Equal moments leave in the order of the exchange sort, not in list order.
        Commands ties(withIds({1, 2, 3, 4}));
        for (REC_Memo& m : ties.state.ArrMemo)
            m.Orario = 0;
        ties.state.ArrMemo[0].Data -= 1; // yesterday, today, today, yesterday
        ties.state.ArrMemo[3].Data -= 1;
        ties.commands.Ordina_Per_Data(row);
        QCOMPARE(shown(ties.state.ArrMemo), (QStringList{"m1", "m4", "m3", "m2"}));
    }

    // The quick exchange sort leaves equal moments where the plain passes do:
    // many or few ties, a falling list, repeated runs, infinities and NaNs.
    void exchangeSortAsThePlainPasses()
    {
        QRandomGenerator rng(26);
        const auto random = [&](int n, int values, bool odd) {
            QList<double> keys(n);
            for (double& k : keys) {
                k = double(rng.bounded(values));
                if (odd && rng.bounded(8) == 0)
                    k = QList<double>{std::nan(""), HUGE_VAL, -HUGE_VAL}[rng.bounded(3)];
            }
            return keys;
        };
        QList<double> falling(3000);
        QList<double> runs(3000);
        for (int i = 0; i < falling.size(); ++i) {
            falling[i] = double((3000 - i) / 3);
            runs[i] = double(i % 40) + (i % 3 == 0 ? 0 : double(i % 1440) / 1440);
        }
        QList<double> infinities = random(300, 5, true);
        infinities.removeIf([](double k) { return std::isnan(k); });
        const QList<double> rows[] = {{}, {1}, random(500, 3, false), random(500, 40, false), random(2000, 2000, false),
            falling, runs, infinities, random(300, 5, true)};
        for (const QList<double>& keys : rows) {
            QList<double> plain = keys;
            QList<qsizetype> plainTags(keys.size());
            std::iota(plainTags.begin(), plainTags.end(), 0);
            QList<double> quick = keys;
            QList<qsizetype> quickTags = plainTags;
            for (qsizetype i = 0; i + 1 < plain.size(); ++i) {
                for (qsizetype j = i + 1; j < plain.size(); ++j) {
                    if (plain[i] > plain[j]) {
                        std::swap(plain[i], plain[j]);
                        std::swap(plainTags[i], plainTags[j]);
                    }
                }
            }
            exchangeSort(quick, quickTags);
            QCOMPARE(quickTags, plainTags);
        }
    }

    void lowestHeightsAndForcedBanner()
    {
        QCOMPARE(altezzaMinima(120, false), 244); // 194 and 254 at 96 dpi are shown on the window
        BuildConfig c;
        c.VIS_BANNER_FORZATA_ON = c.BANNER_PRESENTE_ON = c.RIDIMENSIONAMENTO_ON = true;
        c.VIS_BANNER_FORZATA_OGNI_QT_VOLTE = 3;
        QList<int> forced;
        for (int start = 1; start <= 10; ++start) {
            if (Banner_Forzato(c, start))
                forced.append(start);
        }
        QCOMPARE(forced, (QList<int>{3, 6, 9}));
        c.RIDIMENSIONAMENTO_ON = false;
        QVERIFY(!Banner_Forzato(c, 3));
        c.RIDIMENSIONAMENTO_ON = true;
        c.VIS_BANNER_FORZATA_OGNI_QT_VOLTE = 0;
        QVERIFY(!Banner_Forzato(c, 3));           // no division by zero
        QCOMPARE(sizeWithin(300, 190, 100), 190); // a screen lower than the lowest window
    }

    // An unknown language leaves the texts as they were.
    void unknownLanguageKeepsTheTexts()
    {
        TestiReminder t;
        QCOMPARE(Testi_Lingua(languageEnglish(), "Memo", t), 1);
        for (const QString& unknown : {QString("English (UK) "), QString("italiano (italia)"), QString()})
            QCOMPARE(Testi_Lingua(unknown, "Memo", t), 0);
        QCOMPARE(t.oggi, QString("Today"));
    }
};

QTEST_GUILESS_MAIN(TestMemoListCore)
#include "tst_memolist_core.moc"
