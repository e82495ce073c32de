// Passes run off the GUI thread against a real Radicale, while the lists
// go on changing here.
#include "Radicale.h"
#include "TestMain.h"
#include "state/AppState.h"
#include "sync/SyncRunner.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

namespace {

QByteArray task(const char* uid, const char* summary)
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Phone//EN\nBEGIN:VTODO\nUID:" + QByteArray(uid)
        + "\nDTSTAMP:20240101T000000Z\nSUMMARY:" + summary + "\nDUE:20240315T103000\nEND:VTODO\nEND:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

REC_Memo memo(qint32 id, const QString& text)
{
    return REC_Memo{id, 1, text, 1, 0, 1, 46000, ORARIO_PRESENTE, 0.5, 2, -5};
}

// The summaries the collection holds, sorted.
QStringList summaries(CalDavClient& client, const QUrl& collection)
{
    QStringList found;
    const QByteArray body = client.send("PROPFIND", collection, {}, {{"Depth", "1"}}).body;
    for (qsizetype at = 0; (at = body.indexOf(".ics</", at)) >= 0; ++at) {
        const qsizetype start = body.lastIndexOf('>', at) + 1;
        const QByteArray object
            = client.send("GET", collection.resolved(QUrl(QString::fromUtf8(body.mid(start, at + 4 - start))))).body;
        const qsizetype s = object.indexOf("SUMMARY:");
        found.append(QString::fromUtf8(object.mid(s + 8, object.indexOf('\r', s) - s - 8)));
    }
    found.sort();
    return found;
}

QStringList texts(const MemoList& memos)
{
    QStringList found;
    for (const REC_Memo& m : memos)
        found.append(m.Nota);
    found.sort();
    return found;
}

} // namespace

class TestSyncRunner : public QObject {
    Q_OBJECT

private slots:
    void changesDuringAPassAreKept()
    {
        Radicale server;
        QVERIFY(server.start());
        CalDavClient setup(server.url());
        QCOMPARE(setup.send("MKCOL", server.url(QStringLiteral("/anna/"))).status, 201);
        QCOMPARE(setup.send("MKCALENDAR", server.url()).status, 201);
        QCOMPARE(setup
                     .send("PUT", server.url().resolved(QUrl(QStringLiteral("phone.ics"))),
                         task("phone-1", "From phone"), {{"Content-Type", "text/calendar"}})
                     .status,
            201);

        AppState state;
        state.ArrMemo = {memo(1, QStringLiteral("one")), memo(2, QStringLiteral("two"))};
        SyncRunner runner(state);
        runner.setServer(server.url(), {});
        QSignalSpy ended(&runner, &SyncRunner::passEnded);
        runner.request();
        QVERIFY(runner.running());
        // Typed while the pass runs on its copy: a change, a deletion, a new memo.
        state.ArrMemo[0].Nota = QStringLiteral("ONE");
        state.ArrMemo.removeAt(1);
        state.ArrMemo.append(memo(3, QStringLiteral("typed")));
        QVERIFY(ended.wait(20000));
        QCOMPARE(texts(state.ArrMemo), (QStringList{"From phone", "ONE", "typed"}));
        QVERIFY(state.DaSalvare);
        // The pass sent the copy it started from; the rest goes next.
        QCOMPARE(summaries(setup, server.url()), (QStringList{"From phone", "one", "two"}));

        runner.request();
        runner.request(); // runs once after this one
        runner.request();
        QVERIFY(runner.queued());
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 3, 20000);
        QVERIFY(ended.last().at(0).value<SyncRunner::Pass>().result.ok);
        QCOMPARE(summaries(setup, server.url()), (QStringList{"From phone", "ONE", "typed"}));
        QCOMPARE(texts(state.ArrMemo), (QStringList{"From phone", "ONE", "typed"}));
        QVERIFY(!runner.running());
        QVERIFY(!ended.wait(300)); // asked twice, run once
    }

    void aHungServerIsLeftAtTheDeadline()
    {
        QTcpServer silent; // takes the connection and never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        AppState state;
        state.ArrMemo = {memo(1, QStringLiteral("one"))};
        SyncRunner runner(state);
        runner.setServer(QUrl(QStringLiteral("http://127.0.0.1:%1/c/").arg(silent.serverPort())), {});
        runner.requestTimeoutMs = 600000;
        runner.request();
        QVERIFY(runner.finishWithin(200));
        QVERIFY(!runner.running());
        QCOMPARE(texts(state.ArrMemo), QStringList{"one"});
    }
};

BRIVO_REGISTER_TEST(TestSyncRunner)

#include "tst_syncrunner.moc"
