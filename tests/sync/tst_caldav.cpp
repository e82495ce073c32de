// Sync against a real Radicale on 127.0.0.1, started and stopped here.
#include "Radicale.h"
#include "TestMain.h"
#include "sync/CalDavClient.h"
#include "sync/IcsItems.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QDateTime stamp(QDate(2026, 12, 7), QTime(5, 30), Qt::UTC);
const REC_Memo newMemo{0, 1, {}, 0, 0, 1, 46000, ORARIO_PRESENTE, 0, 2, -5};
const REC_Sveglia newAlarm{SVEGLIA_OGNI_GIORNO, 1, {}, 1, 0, QStringLiteral("Campanello")};

QByteArray task(const char* uid, const char* summary, const char* status = "NEEDS-ACTION")
{
    QByteArray text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Phone//EN\nBEGIN:VTODO\nUID:" + QByteArray(uid)
        + "\nDTSTAMP:20240101T000000Z\nSUMMARY:" + summary + "\nDUE:20240315T103000\nSTATUS:" + status
        + "\nATTENDEE;CN=Anna:mailto:anna@example.org\nEND:VTODO\nEND:VCALENDAR\n";
    return text.replace("\n", "\r\n");
}

// What the server holds, by UID, as any other client would see it.
QMap<QByteArray, QByteArray> serverItems(CalDavClient& client, const QUrl& collection)
{
    QMap<QByteArray, QByteArray> items;
    const auto list = client.send("PROPFIND", collection, {}, {{"Depth", "1"}});
    QByteArray body = list.body;
    for (qsizetype at = 0; (at = body.indexOf(".ics</", at)) >= 0; ++at) {
        const qsizetype start = body.lastIndexOf('>', at) + 1;
        const QByteArray href = body.mid(start, at + 4 - start);
        const QByteArray object = client.send("GET", collection.resolved(QUrl(QString::fromUtf8(href)))).body;
        const qsizetype u = object.indexOf("UID:");
        items.insert(object.mid(u + 4, object.indexOf('\r', u) - u - 4), object);
    }
    return items;
}

} // namespace

class TestCalDav : public QObject {
    Q_OBJECT

private:
    Radicale* server = nullptr;
    MemoList memos;
    SvegliaList sveglie;
    SyncData data;

    CalDavClient::Result sync()
    {
        CalDavClient client(server->url());
        return client.sync(memos, sveglie, data, newMemo, newAlarm, stamp);
    }

private slots:
    void init()
    {
        server = new Radicale;
        QVERIFY(server->start());
        CalDavClient setup(server->url());
        QCOMPARE(setup.send("MKCOL", server->url(QStringLiteral("/anna/"))).status, 201);
        QCOMPARE(setup.send("MKCALENDAR", server->url()).status, 201);
        memos.clear();
        sveglie.clear();
        data = {};
    }
    void cleanup()
    {
        delete server;
        server = nullptr;
    }

    void bothWays()
    {
        memos.append(REC_Memo{1, 1, QStringLiteral("Telefonare al dentista"), 1, 0, 1, 45366, 1, 0.4375, 2, -5});
        sveglie.append(REC_Sveglia{2, 1, QStringLiteral("Riunione"), 2, 0.3, QStringLiteral("Gallo")});
        CalDavClient::Result r = sync();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.pushed, 2);
        CalDavClient other(server->url());
        auto there = serverItems(other, server->url());
        QCOMPARE(there.size(), 2);
        QVERIFY(there.value(memos[0].Uid.toUtf8()).contains("SUMMARY:Telefonare al dentista"));

        // Nothing changed: nothing moves.
        r = sync();
        QVERIFY(r.ok);
        QCOMPARE(r.pulled + r.pushed + r.deleted, 0);

        // Made there.
        QCOMPARE(other
                     .send("PUT", server->url().resolved(QUrl("phone-1.ics")), task("phone-1", "Dal telefono"),
                         {{"Content-Type", "text/calendar"}})
                     .status,
            201);
        r = sync();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.pulled, 1);
        QCOMPARE(r.pushed, 0);
        QCOMPARE(memos.size(), 2);
        QCOMPARE(memos[1].Nota, QStringLiteral("Dal telefono"));
        QCOMPARE(memos[1].ID, 2);

        // Done here goes there, the attendee with it.
        memos[1].Eseguito = 1;
        r = sync();
        QCOMPARE(r.pushed, 1);
        there = serverItems(other, server->url());
        QVERIFY(there.value("phone-1").contains("STATUS:COMPLETED"));
        QVERIFY(there.value("phone-1").contains("anna@example.org"));

        // Taken back there comes here.
        QVERIFY(other
                    .send("PUT", server->url().resolved(QUrl("phone-1.ics")), task("phone-1", "Dal telefono"),
                        {{"Content-Type", "text/calendar"}})
                    .status
            < 300);
        r = sync();
        QVERIFY(r.ok);
        QCOMPARE(memos[1].Eseguito, 0);

        // Deleted here goes there; deleted there comes here.
        memos.removeAt(0);
        r = sync();
        QCOMPARE(r.deleted, 1);
        QCOMPARE(serverItems(other, server->url()).size(), 2);
        QVERIFY(other.send("DELETE", server->url().resolved(QUrl("phone-1.ics"))).status < 300);
        r = sync();
        QVERIFY(r.ok);
        QCOMPARE(memos.size(), 0);
        QCOMPARE(sveglie.size(), 1);
    }

    void conflictKeepsBoth()
    {
        memos.append(REC_Memo{1, 1, QStringLiteral("Comprare il pane"), 0, 0, 1, 45366, 1, 0.5, 2, -5});
        QVERIFY(sync().ok);
        const QString uid = memos[0].Uid;
        CalDavClient other(server->url());
        const QString href = data.items.value(uid).href;
        QVERIFY(other
                    .send("PUT", server->url().resolved(QUrl(href)), task(uid.toUtf8().constData(), "Pane e latte"),
                        {{"Content-Type", "text/calendar"}})
                    .status
            < 300);
        memos[0].Nota = QStringLiteral("Pane e uova");
        const CalDavClient::Result r = sync();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.conflicts, 1);
        QCOMPARE(memos.size(), 2);
        QStringList notes{memos[0].Nota, memos[1].Nota};
        notes.sort();
        QCOMPARE(notes, (QStringList{"Pane e latte", "Pane e uova"}));
        QCOMPARE(serverItems(other, server->url()).size(), 2);
    }

    // A server gone mid-way loses nothing; the change goes when it is back.
    void serverAway()
    {
        memos.append(REC_Memo{1, 1, QStringLiteral("Prima"), 0, 0, 1, 45366, 1, 0.5, 2, -5});
        QVERIFY(sync().ok);
        server->stop();
        memos[0].Nota = QStringLiteral("Dopo");
        memos.append(REC_Memo{2, 1, QStringLiteral("Nuovo"), 0, 0, 1, 45366, 1, 0.5, 2, -5});
        const CalDavClient::Result away = sync();
        QVERIFY(!away.ok);
        QVERIFY(!away.error.isEmpty());
        QCOMPARE(memos.size(), 2);
        QCOMPARE(memos[0].Nota, QStringLiteral("Dopo"));
        QVERIFY(server->start());
        const CalDavClient::Result back = sync();
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.pushed, 2);
        CalDavClient other(server->url());
        const auto there = serverItems(other, server->url());
        QVERIFY(there.value(memos[0].Uid.toUtf8()).contains("SUMMARY:Dopo"));
        QVERIFY(there.value(memos[1].Uid.toUtf8()).contains("SUMMARY:Nuovo"));
    }

    // Stopped while the items go there: what went and what did not both
    // arrive once, none twice, when the server is back.
    void serverStoppedMidway()
    {
        for (int i = 1; i <= 40; ++i)
            memos.append(REC_Memo{i, 1, QStringLiteral("Memo %1").arg(i), 0, 0, 1, 45366, 1, 0.5, 2, -5});
        const QDir stored(server->folder(QStringLiteral("collections/collection-root/anna/promemoria")));
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (stored.entryList({QStringLiteral("*.ics")}, QDir::Files).size() >= 3) {
                watch.stop();
                server->stop();
            }
        });
        watch.start(2);
        const CalDavClient::Result cut = sync();
        watch.stop();
        QVERIFY2(!cut.ok, "the server was to stop before the pass ended");
        QVERIFY(cut.pushed > 0 && cut.pushed < 40);
        QCOMPARE(memos.size(), 40);
        QVERIFY(server->start());
        const CalDavClient::Result back = sync();
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.conflicts, 0);
        QCOMPARE(memos.size(), 40);
        CalDavClient other(server->url());
        const auto there = serverItems(other, server->url());
        QCOMPARE(there.size(), 40);
        for (const REC_Memo& m : std::as_const(memos))
            QVERIFY(there.value(m.Uid.toUtf8()).contains("SUMMARY:" + m.Nota.toUtf8() + "\r\n"));
        QVERIFY(sync().ok);
        QCOMPARE(sync().pushed, 0);
    }

    // A PUT the server took whose answer never came: the item there is
    // this memo, not a second one.
    void answerLost()
    {
        memos.append(REC_Memo{1, 1, QStringLiteral("Senza risposta"), 1, 0, 1, 45366, 1, 0.5, 2, -5});
        memos[0].Uid = QStringLiteral("lost-1");
        data.items.insert(memos[0].Uid, SyncItem{}); // as the failed pass left it
        CalDavClient other(server->url());
        QVERIFY(other
                    .send("PUT", server->url().resolved(QUrl("lost-1.ics")),
                        Ics::memoObject(memos[0], memos[0].Uid, {}, stamp), {{"Content-Type", "text/calendar"}})
                    .status
            < 300);
        const CalDavClient::Result r = sync();
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.conflicts, 0);
        QCOMPARE(memos.size(), 1);
        QCOMPARE(serverItems(other, server->url()).size(), 1);
        QCOMPARE(sync().pushed, 0);
    }

    void plainHttpOnlyHere()
    {
        CalDavClient client(QUrl(QStringLiteral("http://example.org/cal/")));
        const CalDavClient::Result r = client.sync(memos, sveglie, data, newMemo, newAlarm, stamp);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(u"https"));
    }
};

BRIVO_REGISTER_TEST(TestCalDav)
#include "tst_caldav.moc"
