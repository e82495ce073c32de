#include "ControlsTest.h"

#include "controls/QSort.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

Q_DECLARE_METATYPE(QList<int>)

// Sorts a list through QSort and records every callback as "c i j" or "s i j".
struct Recorder {
    QList<int> values;
    QStringList calls;

    void sort()
    {
        QSort(
            0, int(values.size()) - 1,
            [this](int i, int j) {
                calls << QStringLiteral("c %1 %2").arg(i).arg(j);
                return values[i] < values[j] ? -1 : (values[i] > values[j] ? 1 : 0);
            },
            [this](int i, int j) {
                calls << QStringLiteral("s %1 %2").arg(i).arg(j);
                std::swap(values[i], values[j]);
            });
    }
};

class TestQSort : public QObject {
    Q_OBJECT

private slots:
    void callSequence_data()
    {
        QTest::addColumn<QList<int>>("input");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("empty") << QList<int>{} << QStringList{};
        QTest::newRow("one") << QList<int>{7} << QStringList{};
        // Pivot 0; the element right of it belongs before it.
        QTest::newRow("two reversed") << QList<int>{2, 1} << QStringList{"c 1 0", "s 1 0"};
        // Pivot 2, L = [3, 4], R = [0, 1]: swap(4, 1), swap(3, 0), then 0..1 and 3..4.
        QTest::newRow("five reversed") << QList<int>{4, 3, 2, 1,
            0} << QStringList{"c 0 2", "c 1 2", "c 3 2", "c 4 2", "s 4 1", "s 3 0", "c 1 0", "s 1 0", "c 4 3", "s 4 3"};
        // Sorted: compares only, the range halving at each level.
        QTest::newRow("five sorted") << QList<int>{0, 1, 2, 3, 4}
                                     << QStringList{"c 0 2", "c 1 2", "c 3 2", "c 4 2", "c 1 0", "c 4 3"};
        QTest::newRow("equal") << QList<int>{5, 5, 5} << QStringList{"c 0 1", "c 2 1"};
        // Unpaired entries go to the pivot by adjacent swaps: L = [2, 3] at the
        // first level (pivot moving right), R = [0] at the second (moving left).
        QTest::newRow("leftovers") << QList<int>{
            1, 3, 0, 2} << QStringList{"c 0 1", "c 2 1", "c 3 1", "s 2 1", "s 3 2", "c 0 1", "c 2 1", "s 0 1", "c 2 1"};
    }

    void callSequence()
    {
        QFETCH(QList<int>, input);
        QFETCH(QStringList, calls);
        Recorder r{input, {}};
        r.sort();
        QCOMPARE(r.calls, calls);
        QList<int> expected = input;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(r.values, expected);
    }

    void randomInputsEndSorted()
    {
        QRandomGenerator rng(20240520);
        for (int round = 0; round < 200; ++round) {
            Recorder r;
            const int n = int(rng.bounded(40));
            for (int i = 0; i < n; ++i) {
                r.values << int(rng.bounded(10)); // many equal keys
            }
            QList<int> expected = r.values;
            std::sort(expected.begin(), expected.end());
            r.sort();
            QCOMPARE(r.values, expected);
        }
    }
};

BRIVO_REGISTER_TEST(TestQSort)
#include "tst_qsort.moc"
