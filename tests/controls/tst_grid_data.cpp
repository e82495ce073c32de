#include "ControlsTest.h"
#include "GridFixture.h"

#include "controls/QSort.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

Q_DECLARE_METATYPE(QList<int>)

class TestGridData : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        failOnWarnings();
    }

    void ordinaCodes()
    {
        // Without a reset handler, a compare handler or data; declined; sorted; no data rows;
        // already in order; equal keys, which the sort exchanges.
        const QList<int> untouched{9, 9};
        const QStringList numeric{"30", "400", "-7", "31"}; // numeric key: text order would differ
        const struct {
            bool withReset, withCompare;
            int dataRows; // -1: no Dati at all
            bool consent;
            int code;
            QList<int> order;
            QStringList keys = {};
        } rows[] = {{false, true, 4, true, -2, untouched, numeric}, {true, false, 4, true, -3, untouched, numeric},
            {true, true, -1, true, -4, untouched}, {true, true, 4, false, 0, {0, 1, 2, 3}, numeric},
            {true, true, 4, true, 1, {2, 0, 3, 1}, numeric}, {true, true, 0, true, 1, {}},
            {true, true, 4, true, 1, {0, 1, 2, 3}, {"-7", "30", "31", "400"}},
            {true, true, 4, true, 1, {0, 1, 3, 2}, {"1", "2", "3", "3"}}};
        for (const auto& r : rows) {
            TA_DBStringGrid grid;
            grid.setRowCount(1 + std::max(r.dataRows, 0));
            if (r.dataRows >= 0) {
                grid.Imposta_Dati(2, r.dataRows);
                if (r.dataRows == 4)
                    grid.Dati[1] = r.keys;
            }
            grid.Ordine = {9, 9};
            QList<int> keys;
            int resets = 0;
            if (r.withReset) {
                grid.OnSort_Reset = [&](bool& esito) {
                    ++resets;
                    keys.clear();
                    for (const QString& k : grid.Dati[1])
                        keys << k.toInt();
                    esito = r.consent;
                };
            }
            if (r.withCompare)
                grid.OnSort_Calcolo = [&](int A, int B, int& esito) { esito = keys[A] - keys[B]; };
            QCOMPARE(grid.Ordina(), r.code);
            QCOMPARE(grid.Ordine, r.order);
            QCOMPARE(resets, r.code >= 0 ? 1 : 0);
        }
    }

    // An inconsistent comparison may give any order at all, but Ordine must
    // stay a permutation and the sort must end.
    void ordinaKeepsAPermutation()
    {
        TA_DBStringGrid grid;
        const int n = 500;
        grid.setRowCount(grid.FixedRows() + n);
        grid.Imposta_Dati(1, n);
        QRandomGenerator rng(7);
        grid.OnSort_Reset = [](bool& esito) { esito = true; };
        grid.OnSort_Calcolo = [&](int, int, int& esito) { esito = int(rng.bounded(3)) - 1; };
        QCOMPARE(grid.Ordina(), 1);
        QList<int> sorted = grid.Ordine;
        std::sort(sorted.begin(), sorted.end());
        QList<int> all(n);
        std::iota(all.begin(), all.end(), 0);
        QCOMPARE(sorted, all);
    }

    // Many equal keys; each random list ends sorted.
    void qsortRandomInputsEndSorted()
    {
        QRandomGenerator rng(20240520);
        for (int round = 0; round < 200; ++round) {
            QList<int> values(int(rng.bounded(40)));
            for (int& v : values)
                v = int(rng.bounded(10));
            QList<int> expected = values;
            std::sort(expected.begin(), expected.end());
            QSort(
                0, int(values.size()) - 1, [&](int i, int j) { return values[i] - values[j]; },
                [&](int i, int j) { std::swap(values[i], values[j]); });
            QCOMPARE(values, expected);
        }
    }

    void posDatoAndRigaDato()
    {
        TA_DBStringGrid grid;
        grid.setRowCount(1 + 3);
        // Before any sort Ordine is empty.
        QCOMPARE((QList<int>{grid.Pos_Dato(0), grid.Pos_Dato(2), grid.Pos_Dato(-1), grid.Riga_Dato(0)}),
            (QList<int>{-2, -2, -1, -3}));
        grid.Ordine = {2, 0, 2}; // data 2 is first in rows 0 and 2: the first match wins
        QCOMPARE((QList<int>{grid.Pos_Dato(0), grid.Pos_Dato(3), grid.Riga_Dato(2), grid.Riga_Dato(0),
                     grid.Riga_Dato(1), grid.Riga_Dato(-5)}),
            (QList<int>{2, -2, 0, 1, -3, -1}));
    }

    void impostaDatiKeepsWhatFits()
    {
        TA_DBStringGrid grid;
        QCOMPARE(grid.Imposta_Dati(3, 2), 1);
        grid.Dati[0][0] = "x";
        grid.Dati[2][1] = "gone";
        QCOMPARE(grid.Imposta_Dati(2, 4), 1);
        QCOMPARE(grid.Dati.size(), 2);
        QCOMPARE(grid.Dati[0], (QStringList{"x", "", "", ""}));
        QCOMPARE(grid.Dati[1].size(), 4);
        grid.Imposta_Dati(3, 2);
        QCOMPARE(grid.Dati[2], (QStringList{"", ""})); // not the old text
    }

    // Rows shown from the data ask for their texts when drawn or read, not
    // before; a cell written holds its own text, and its row keeps the rest.
    void shownDataRowsAskedWhenRead()
    {
        GridFixture f(3, 0);
        TA_DBStringGrid& g = *f.grid;
        g.setDefaultDrawing(true);
        const int n = 10000;
        int asked = 0;
        g.DataText = [&](int col, int d) {
            ++asked;
            return QStringLiteral("%1%2").arg(QChar(u'a' + col)).arg(d);
        };
        g.qt_righe_Nette = n;
        g.setRowCount(g.FixedRows() + n);
        g.OnSort_Reset = [](bool& esito) { esito = true; };
        g.OnSort_Calcolo = [](int A, int B, int& esito) { esito = B - A; }; // the last data row first
        QCOMPARE(g.Ordina(), 1);                                            // no Dati: DataText stands for it
        g.showDataRows(2);
        QVERIFY(f.show());
        asked = 0;
        g.grab(); // one paint: two texts a row in view
        QVERIFY2(asked > 0 && asked <= 2 * (g.VisibleRowCount() + 2), qPrintable(QString::number(asked)));
        const int drawn = asked;
        QCOMPARE((QStringList{g.Cells(1, 1), g.Cells(2, 1), g.model()->index(n - 1, 0).data().toString()}),
            (QStringList{"b9999", "", "a0"})); // column 2 is not shown from the data
        QCOMPARE(asked, drawn + 2);
        QVERIFY(g.unchangedText(1, 2, "b9998"));
        QVERIFY(!g.unchangedText(1, 2, "b9997"));
        g.setCells(0, 1, "typed");
        asked = 0;
        QCOMPARE((QStringList{g.Cells(0, 1), g.Cells(1, 1)}), (QStringList{"typed", "b9999"}));
        QCOMPARE(asked, 0); // the row holds its texts now
        g.Pulisci_Celle();
        QCOMPARE((QStringList{g.Cells(0, 1), g.Cells(1, 2)}), (QStringList{"", ""}));
        QCOMPARE(asked, 0);
    }

    void pulisciCelle()
    {
        GridFixture f(3, 2);
        f.grid->setCells(1, 0, "title");
        f.grid->setCells(10, 1, "hidden"); // beyond ColCount: kept, not shown
        f.grid->Pulisci_Celle();
        for (int r = 0; r < f.grid->RowCount(); ++r) {
            for (int c = 0; c < f.grid->ColCount(); ++c) {
                QVERIFY2(f.grid->Cells(c, r).isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
            }
        }
        QCOMPARE(f.grid->Cells(10, 1), QStringLiteral("hidden"));
    }
};

BRIVO_REGISTER_TEST(TestGridData)
#include "tst_grid_data.moc"
