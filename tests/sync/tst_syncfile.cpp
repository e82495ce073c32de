#include "TestMain.h"
#include "state/AppState.h"
#include "store/Ut.h"
#include "sync/SyncData.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "ID:UID" per memo, in store order.
MemoList memosOf(const QStringList& entries)
{
    MemoList memos;
    for (const QString& e : entries) {
        REC_Memo m{e.section(u':', 0, 0).toInt(), 1, QStringLiteral("memo ") + e.section(u':', 0, 0), 1, 0, 1, 45366, 1,
            0.5, 2, -5};
        m.Uid = e.section(u':', 1);
        memos.append(m);
    }
    return memos;
}

SvegliaList alarmsOf(const QStringList& uids)
{
    SvegliaList sveglie;
    for (const QString& uid : uids) {
        REC_Sveglia s{1, 1, QStringLiteral("sveglia"), 1, 0.25, QStringLiteral("-nessun suono-")};
        s.Uid = uid;
        sveglie.append(s);
    }
    return sveglie;
}

QStringList uidsOf(const MemoList& memos)
{
    QStringList uids;
    for (const REC_Memo& m : memos)
        uids << m.Uid;
    return uids;
}

QStringList uidsOf(const SvegliaList& sveglie)
{
    QStringList uids;
    for (const REC_Sveglia& s : sveglie)
        uids << s.Uid;
    return uids;
}

QByteArray fileBytes(const QString& path)
{
    QByteArray bytes;
    Leggi_File(path, bytes);
    return bytes;
}

} // namespace

class TestSyncFile : public QObject {
    Q_OBJECT

private slots:
    void uidsFindTheirRecords_data()
    {
        QTest::addColumn<QStringList>("saved");    // memos as the file has them
        QTest::addColumn<QStringList>("now");      // IDs of the memos read
        QTest::addColumn<QStringList>("expected"); // their UIDs
        QTest::addColumn<QStringList>("savedAlarms");
        QTest::addColumn<int>("alarmsNow");
        QTest::addColumn<QStringList>("expectedAlarms");
        QTest::newRow("same places") << QStringList{"1:a", "2:b"} << QStringList{"1", "2"} << QStringList{"a", "b"}
                                     << QStringList{"x", "y"} << 2 << QStringList{"x", "y"};
        QTest::newRow("moved: found by ID") << QStringList{"1:a", "2:b"} << QStringList{"2", "1"}
                                            << QStringList{"b", "a"} << QStringList{} << 1 << QStringList{""};
        QTest::newRow("same ID twice: by place") << QStringList{"3:a", "3:b"} << QStringList{"3", "3"}
                                                 << QStringList{"a", "b"} << QStringList{} << 0 << QStringList{};
        QTest::newRow("ID gone") << QStringList{"1:a", "5:b"} << QStringList{"1", "2"} << QStringList{"a", ""}
                                 << QStringList{"x", "y", "z"} << 2 << QStringList{"x", "y"};
        QTest::newRow("no UID yet") << QStringList{"1:", "2:b"} << QStringList{"1", "2"} << QStringList{"", "b"}
                                    << QStringList{"", "y"} << 3 << QStringList{"", "y", ""};
        QTest::newRow("a UID goes to one memo") << QStringList{"1:a", "2:a"} << QStringList{"1", "2"}
                                                << QStringList{"a", ""} << QStringList{"a"} << 1 << QStringList{""};
    }

    void uidsFindTheirRecords()
    {
        QFETCH(QStringList, saved);
        QFETCH(QStringList, now);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, savedAlarms);
        QFETCH(int, alarmsNow);
        QFETCH(QStringList, expectedAlarms);
        const QByteArray bytes = SyncFile::toBytes({}, memosOf(saved), alarmsOf(savedAlarms));
        MemoList memos;
        for (const QString& id : now)
            memos += memosOf({id + u':'});
        SvegliaList sveglie = alarmsOf(QStringList(alarmsNow, QString()));
        SyncData data;
        QVERIFY(SyncFile::fromBytes(bytes, data, memos, sveglie));
        QCOMPARE(uidsOf(memos), expected);
        QCOMPARE(uidsOf(sveglie), expectedAlarms);
    }

    void itemsKeptWhole()
    {
        SyncData data;
        data.collection = QStringLiteral("http://127.0.0.1:5232/anna/promemoria/");
        data.syncToken = QStringLiteral("http://radicale.org/ns/sync/abc");
        data.items.insert(QStringLiteral("a"),
            SyncItem{QStringLiteral("/anna/promemoria/a.ics"), "\"etag-1\"",
                QByteArray("BEGIN:VCALENDAR\r\nSUMMARY:Caffè \\, 歯\r\n \tpiegata\r\nEND:VCALENDAR\r\n")});
        data.items.insert(QStringLiteral("b"), SyncItem{});
        data.items.insert(QStringLiteral("c"), SyncItem{QStringLiteral("/c.ics"), "e", "x", true});
        SyncData back;
        MemoList memos;
        SvegliaList sveglie;
        QVERIFY(SyncFile::fromBytes(SyncFile::toBytes(data, {}, {}), back, memos, sveglie));
        QCOMPARE(back, data);
    }

    void notSyncData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut short") << QByteArray("{\"version\": 1, \"memos\": [");
        QTest::newRow("another version") << QByteArray("{\"version\": 2}");
        QTest::newRow("not an object") << QByteArray("[1, 2]");
    }

    // Nothing is taken from a file that is not ours as we wrote it.
    void notSyncData()
    {
        QFETCH(QByteArray, bytes);
        SyncData data;
        data.syncToken = QStringLiteral("kept");
        MemoList memos = memosOf({"1:"});
        SvegliaList sveglie;
        QVERIFY(!SyncFile::fromBytes(bytes, data, memos, sveglie));
        QCOMPARE(data.syncToken, QStringLiteral("kept"));
        QCOMPARE(memos[0].Uid, QString());
    }

    // UIDs live beside the store, never in it, and follow the memos through
    // a save and a new start even when their IDs change.
    void savedWithTheStore()
    {
        QTemporaryDir dir;
        AppState state;
        state.folders.data = dir.path();
        state.ArrMemo = memosOf({"1:", "2:"});
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 7)), 1);
        QVERIFY2(!QFileInfo::exists(dir.filePath(SyncFile::fileName)), "no file for someone who never syncs");

        state.ArrMemo = memosOf({"1:uid-one", "2:uid-two"});
        state.ArrSveglie = alarmsOf({"uid-alarm"});
        state.sync.syncToken = QStringLiteral("token-1");
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 7)), 1);
        const QByteArray store = fileBytes(dir.filePath(StoreFile::fileName));
        QVERIFY(!store.contains("uid-"));
        QCOMPARE(QFile(dir.filePath(SyncFile::fileName)).permissions() & 0x0077, QFileDevice::Permissions());

        // Moved down: the IDs rotate, the UIDs stay with the memos.
        std::swap(state.ArrMemo[0].ID, state.ArrMemo[1].ID);
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 7)), 1);
        AppState next;
        next.folders.data = dir.path();
        QString diagnostic;
        QCOMPARE(next.readStore(diagnostic, QDateTime(QDate(2026, 12, 7), QTime(9, 0))), 1);
        QCOMPARE(next.ArrMemo.size(), 2);
        QCOMPARE(next.ArrMemo[0].Nota, QStringLiteral("memo 1"));
        QCOMPARE(next.ArrMemo[0].Uid, QStringLiteral("uid-one"));
        QCOMPARE(next.ArrMemo[1].Uid, QStringLiteral("uid-two"));
        QCOMPARE(next.ArrSveglie[0].Uid, QStringLiteral("uid-alarm"));
        QCOMPARE(next.sync.syncToken, QStringLiteral("token-1"));
    }

    void unreadableSyncFileKept()
    {
        QTemporaryDir dir;
        AppState state;
        state.folders.data = dir.path();
        state.ArrMemo = memosOf({"1:uid-one"});
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 7)), 1);
        const QString path = dir.filePath(SyncFile::fileName);
        QCOMPARE(Scrivi_File(path, "{ broken", false), 1);
        AppState next;
        next.folders.data = dir.path();
        QString diagnostic;
        QCOMPARE(next.readStore(diagnostic, QDateTime(QDate(2026, 12, 7), QTime(9, 0))), 1);
        QVERIFY(!next.keptSyncFile.isEmpty());
        QCOMPARE(fileBytes(next.keptSyncFile), QByteArray("{ broken"));
    }

    void failedWriteLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("step");
        for (StoreFile::SaveStep step : {StoreFile::SaveStep::Create, StoreFile::SaveStep::Write,
                 StoreFile::SaveStep::Sync, StoreFile::SaveStep::SizeCheck, StoreFile::SaveStep::Replace})
            QTest::newRow(QByteArray::number(int(step)).constData()) << int(step);
    }

    void failedWriteLeavesTheOldFile()
    {
        QFETCH(int, step);
        QTemporaryDir dir;
        const MemoList before = memosOf({"1:old"});
        QCOMPARE(SyncFile::write(dir.path(), {}, before, {}), 1);
        const QByteArray old = fileBytes(dir.filePath(SyncFile::fileName));
        const int r = SyncFile::write(
            dir.path(), {}, memosOf({"1:new"}), {}, [step](StoreFile::SaveStep s) { return int(s) == step; });
        QVERIFY(r < 0);
        QCOMPARE(fileBytes(dir.filePath(SyncFile::fileName)), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{SyncFile::fileName});
    }
};

BRIVO_REGISTER_TEST(TestSyncFile)
#include "tst_syncfile.moc"
