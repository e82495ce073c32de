#include "SmallDisk.h"
#include "TestMain.h"
#include "store/StoreFile.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// A saving process killed at any moment leaves a store that reads back
// complete, holding one whole generation, never an older one than before;
// also while the disk fills up and empties again under it.
class TestCrash : public QObject {
    Q_OBJECT
    static constexpr int memos = 1500;

    // The generation every memo carries, or -1 when the memos disagree.
    static int generationOf(const MemoList& list)
    {
        if (list.size() != memos)
            return -1;
        const int g = list[0].Anticipo;
        for (int i = 0; i < list.size(); ++i) {
            const REC_Memo& m = list[i];
            if (m.Anticipo != g || m.ID != i + 1 || m.Nota != QStringLiteral("gen %1 memo %2").arg(g).arg(i + 1))
                return -1;
        }
        return g;
    }

private slots:
    void killedWhileSaving()
    {
        QTemporaryDir tempDir;
        SmallDisk disk(2048); // three stores of 1500 memos and some room
        const QString folder = disk.mounted() ? disk.path() : tempDir.path();
        if (!disk.mounted())
            qInfo("not root: no full disk among the kills");
        QRandomGenerator rng(20261206);
        bool full = false;
        int last = 0;
        int advanced = 0;
        const int kills = 200;
        for (int k = 0; k < kills; ++k) {
            QProcess child;
            if (disk.mounted() && rng.bounded(4) == 0) {
                full = !full;
                QFile::remove(QDir(folder).filePath("Store.dat.new")); // its room would be taken back
                full ? disk.fill() : disk.empty();
            }
            child.start(QStringLiteral(CRASH_WRITER), {folder, QString::number(last + 1), QString::number(memos)});
            QVERIFY(child.waitForStarted());
            QThread::msleep(rng.bounded(2, 60));
            QCOMPARE(child.state(), QProcess::Running); // it must not stop by itself
            child.kill();                               // SIGKILL
            QVERIFY(child.waitForFinished());

            MemoList list;
            SvegliaList sveglie;
            QString diag;
            const int r = StoreFile::read(folder, true, list, sveglie, diag);
            if (k == 0 && r == 0)
                continue; // killed before its first save finished
            QCOMPARE(r, 1);
            const int g = generationOf(list);
            QVERIFY2(g >= last, qPrintable(QStringLiteral("kill %1: generation %2 after %3").arg(k).arg(g).arg(last)));
            QVERIFY2(!full || g == last, "a save went through on a full disk");
            advanced += g > last;
            last = g;
        }
        // The kills must have landed in the middle of saving, not only between runs.
        QVERIFY(advanced > kills / 8);
    }
};

BRIVO_REGISTER_TEST(TestCrash)
#include "tst_crash.moc"
