#include "TestMain.h"
#include "sync/IcsItems.h"
#include "sync/IcsTransfer.h"

#include <QTest>

namespace {

const QDateTime stamp(QDate(2026, 12, 7), QTime(5, 30), Qt::UTC);
const REC_Memo newMemo{0, 1, {}, 0, 0, 1, 46000, ORARIO_PRESENTE, 0, 2, -5};
const REC_Sveglia newAlarm{SVEGLIA_OGNI_GIORNO, 1, {}, 1, 0, QStringLiteral("Campanello")};

QByteArray calendar(const QByteArray& items)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\n" + items + "END:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

QByteArray task(const char* uid, const char* summary, const QByteArray& extra = {})
{
    return "BEGIN:VTODO\nUID:" + QByteArray(uid) + "\nDTSTAMP:20240101T000000Z\nSUMMARY:" + summary
        + "\nDUE:20240315T103000\n" + extra + "END:VTODO\n";
}

} // namespace

class TestIcsTransfer : public QObject {
    Q_OBJECT

private slots:
    void import_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("updated");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QStringList>("notes"); // of the memos after, in order
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("new task") << calendar(task("n1", "Nuovo")) << 1 << 0 << 0 << QStringList{"Esistente", "Nuovo"}
                                  << QList<int>{4, 5};
        QTest::newRow("known UID updates in place")
            << calendar(task("known", "Cambiato")) << 0 << 1 << 0 << QStringList{"Cambiato"} << QList<int>{4};
        QTest::newRow("one-off event not shown")
            << calendar("BEGIN:VEVENT\nUID:e1\nDTSTAMP:20240101T000000Z\nDTSTART:20240315T100000\nEND:VEVENT\n") << 0
            << 0 << 1 << QStringList{"Esistente"} << QList<int>{4};
        QTest::newRow("line breaks made one line") << calendar(task("n2", "riga uno\\nriga\\tdue")) << 1 << 0 << 0
                                                   << QStringList{"Esistente", "riga uno riga due"} << QList<int>{4, 5};
        QTest::newRow("an override travels with its task")
            << calendar(task("n3", "Ripetuto", "RRULE:FREQ=WEEKLY\n")
                   + "BEGIN:VTODO\nUID:n3\nRECURRENCE-ID:20240322T103000\nDTSTAMP:20240101T000000Z\n"
                     "SUMMARY:Spostato\nDUE:20240323T103000\nEND:VTODO\n")
            << 1 << 0 << 0 << QStringList{"Esistente", "Ripetuto"} << QList<int>{4, 5};
    }

    void import()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, added);
        QFETCH(int, updated);
        QFETCH(int, skipped);
        QFETCH(QStringList, notes);
        QFETCH(QList<int>, ids);
        REC_Memo existing = newMemo;
        existing.ID = 4;
        existing.TipoMemo = 9; // a kind the item does not carry stays
        existing.Nota = QStringLiteral("Esistente");
        existing.Uid = QStringLiteral("known");
        MemoList memos{existing};
        SvegliaList sveglie;
        SyncData sync;
        IcsTransfer::Imported result;
        QVERIFY(IcsTransfer::importAll(file, memos, sveglie, sync, newMemo, newAlarm, result));
        QCOMPARE(result.added, added);
        QCOMPARE(result.updated, updated);
        QCOMPARE(result.skipped, skipped);
        QStringList gotNotes;
        QList<int> gotIds;
        for (const REC_Memo& m : memos) {
            gotNotes << m.Nota;
            gotIds << m.ID;
        }
        QCOMPARE(gotNotes, notes);
        QCOMPARE(gotIds, ids);
        QCOMPARE(memos[0].TipoMemo, 9);
        // What the program does not show goes out again as it came.
        if (memos.size() > 1 && file.contains("RECURRENCE-ID")) {
            const QByteArray out = IcsTransfer::exportAll(memos, sveglie, sync, stamp);
            QVERIFY(out.contains("SUMMARY:Spostato\r\n"));
            QVERIFY(out.contains("RRULE:FREQ=WEEKLY\r\n"));
        }
    }

    void notACalendar()
    {
        MemoList memos;
        SvegliaList sveglie;
        SyncData sync;
        IcsTransfer::Imported result;
        for (const QByteArray& bytes :
            {QByteArray("hello"), QByteArray("BEGIN:VCALENDAR\r\n"), QByteArray("BEGIN:VCARD\r\nEND:VCARD\r\n")})
            QVERIFY(!IcsTransfer::importAll(bytes, memos, sveglie, sync, newMemo, newAlarm, result));
        QVERIFY(memos.isEmpty());
    }

    // Export then import: nothing added twice, every record the same.
    void exportedFileImportsAsUpdates()
    {
        MemoList memos{REC_Memo{1, 1, QStringLiteral("Telefonare al dentista"), 1, 0, 1, 45366, 1, 0.4375, 2, -5},
            REC_Memo{2, 1, QStringLiteral("Pane, latte; uova"), 0, 1, 1, 45367, 2, 0.5, 2, 10}};
        SvegliaList sveglie{REC_Sveglia{2, 1, QStringLiteral("Riunione settimanale"), 2, 0.302083333333333,
                                QStringLiteral("-nessun suono-")},
            REC_Sveglia{1, 0, QStringLiteral("Medicina"), 1, 0.25, QStringLiteral("Campanello")}};
        SyncData sync;
        const QByteArray file = IcsTransfer::exportAll(memos, sveglie, sync, stamp);
        QVERIFY(!memos[0].Uid.isEmpty() && memos[0].Uid != memos[1].Uid);
        QCOMPARE(file.count("BEGIN:VCALENDAR"), 1);
        const MemoList memosBefore = memos;
        const SvegliaList sveglieBefore = sveglie;
        IcsTransfer::Imported result;
        QVERIFY(IcsTransfer::importAll(file, memos, sveglie, sync, newMemo, newAlarm, result));
        QCOMPARE(result.added, 0);
        QCOMPARE(result.updated, 4);
        QCOMPARE(memos.size(), 2);
        QCOMPARE(sveglie.size(), 2);
        for (qsizetype i = 0; i < memos.size(); ++i) {
            QCOMPARE(memos[i].Nota, memosBefore[i].Nota);
            QCOMPARE(memos[i].Eseguito, memosBefore[i].Eseguito);
            QCOMPARE(memos[i].Attivo, memosBefore[i].Attivo);
            QCOMPARE(DayNumbers::hoursMinutes(memos[i].Orario), DayNumbers::hoursMinutes(memosBefore[i].Orario));
        }
        for (qsizetype i = 0; i < sveglie.size(); ++i) {
            QCOMPARE(sveglie[i].TipoSveglia, sveglieBefore[i].TipoSveglia);
            QCOMPARE(sveglie[i].Suono, sveglieBefore[i].Suono);
            QCOMPARE(sveglie[i].Attivo, sveglieBefore[i].Attivo);
        }
        // Into an empty list the same file adds everything once.
        MemoList fresh;
        SvegliaList freshAlarms;
        QVERIFY(IcsTransfer::importAll(file, fresh, freshAlarms, sync, newMemo, newAlarm, result));
        QCOMPARE(result.added, 4);
        QCOMPARE(fresh.size(), 2);
        QCOMPARE(fresh[1].ID, 2);
    }
};

BRIVO_REGISTER_TEST(TestIcsTransfer)
#include "tst_icstransfer.moc"
