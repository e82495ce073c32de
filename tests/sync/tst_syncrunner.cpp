// Passes run off the GUI thread against a real Radicale, while the lists
// go on changing here.
#include "Radicale.h"
#include "TestMain.h"
#include "fakes/FakeNotifications.h"
#include "platform/PasswordStore.h"
#include "state/AppState.h"
#include "sync/SyncRunner.h"
#include "sync/SyncSchedule.h"

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

// The desktop's keeper, or none (kept stays empty and keep fails).
class FakePasswords : public PasswordStore {
public:
    bool running = true;
    QString kept;
    QString find(const QString&, const QString&) override
    {
        return kept;
    }
    bool keep(const QString&, const QString&, const QString& password) override
    {
        if (running)
            kept = password;
        return running;
    }
    void forget(const QString&, const QString&) override
    {
        kept.clear();
    }
};

void makeCollection(Radicale& server, const QString& user = {}, const QString& password = {})
{
    CalDavClient setup(server.url(), user, password);
    const int made = setup.send("MKCOL", server.url(QStringLiteral("/anna/"))).status;
    QVERIFY(made == 201 || made == 405); // a user's own folder is there at log-in
    QCOMPARE(setup.send("MKCALENDAR", server.url()).status, 201);
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

    // Offline at start: the program goes on, the changes wait, one notice
    // for the whole run of failures; they go when the server is back.
    void offlineThenBack()
    {
        Radicale server;
        AppState state;
        state.settings.CalDAV_URL = server.url().toString();
        state.ArrMemo = {memo(1, QStringLiteral("one"))};
        FakeNotifications notices;
        FakePasswords passwords;
        SyncSchedule schedule(state, notices, passwords);
        schedule.everyMs = 150;
        schedule.afterSaveMs = 10;
        schedule.begin();
        QSignalSpy ended(schedule.runner(), &SyncRunner::passEnded);
        QTRY_COMPARE(notices.sent.size(), 1);
        state.ArrMemo.append(memo(2, QStringLiteral("two")));
        schedule.saved();
        QTRY_VERIFY(ended.size() >= 4);
        QCOMPARE(notices.sent.size(), 1);

        QVERIFY(server.start());
        makeCollection(server);
        CalDavClient look(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(summaries(look, server.url()), (QStringList{"one", "two"}), 20000);
        QCOMPARE(notices.sent.size(), 1);

        // A later run of failures is told again, once.
        server.stop();
        QTRY_COMPARE(notices.sent.size(), 2);
        const int passes = int(ended.size());
        QTRY_VERIFY(ended.size() >= passes + 3);
        QCOMPARE(notices.sent.size(), 2);
    }

    void password_data()
    {
        QTest::addColumn<QString>("kept"); // in the desktop's keeper at start
        QTest::addColumn<bool>("keeperRuns");
        QTest::addColumn<QStringList>("answers"); // typed at each question; "" gives none
        QTest::addColumn<QString>("questions");   // "n" first time, "a" again after a refusal
        QTest::addColumn<bool>("synced");
        QTest::addColumn<QString>("keptAfter");
        QTest::addColumn<int>("notices");
        QTest::addColumn<QString>("afterNext");   // the questions once another pass ran
        QTest::addColumn<bool>("anonymousReads"); // only writing needs the password

        QTest::newRow("kept and right") << "secret" << true << QStringList{} << "" << true << "secret" << 0 << ""
                                        << false;
        QTest::newRow("asked, then kept")
            << "" << true << QStringList{"secret"} << "n" << true << "secret" << 0 << "n" << false;
        QTest::newRow("asked, no keeper")
            << "" << false << QStringList{"secret"} << "n" << true << "" << 0 << "n" << false;
        QTest::newRow("wrong, then right")
            << "" << true << QStringList{"bad", "secret"} << "na" << true << "secret" << 0 << "na" << false;
        QTest::newRow("kept but wrong") << "old" << true << QStringList{"secret"} << "a" << true << "secret" << 0 << "a"
                                        << false;
        QTest::newRow("wrong twice") << "" << true << QStringList{"bad", "worse"} << "na" << false << "" << 1 << "nan"
                                     << false;
        QTest::newRow("none given") << "" << true << QStringList{""} << "n" << false << "" << 1 << "n" << false;
        QTest::newRow("asked when only writing needs it")
            << "" << true << QStringList{"secret"} << "n" << true << "secret" << 0 << "n" << true;
    }
    void password()
    {
        QFETCH(QString, kept);
        QFETCH(bool, keeperRuns);
        QFETCH(QStringList, answers);
        QFETCH(QString, questions);
        QFETCH(bool, synced);
        QFETCH(QString, keptAfter);
        QFETCH(int, notices);
        QFETCH(QString, afterNext);
        QFETCH(bool, anonymousReads);

        Radicale server("anna:secret\n", anonymousReads);
        QVERIFY(server.start());
        makeCollection(server, QStringLiteral("anna"), QStringLiteral("secret"));
        AppState state;
        state.settings.CalDAV_URL = server.url().toString();
        state.settings.CalDAV_Utente = QStringLiteral("anna");
        state.ArrMemo = {memo(1, QStringLiteral("one"))};
        FakeNotifications told;
        FakePasswords passwords;
        passwords.running = keeperRuns;
        passwords.kept = kept;
        SyncSchedule schedule(state, told, passwords);
        QString asked;
        schedule.askPassword = [&](const QString& url, const QString& user, bool again) {
            [&] {
                QCOMPARE(url, server.url().toString());
                QCOMPARE(user, QStringLiteral("anna"));
            }();
            asked += again ? u'a' : u'n';
            if (asked.size() == 1) {
                // A pass refused while the question waits asks nothing more.
                QSignalSpy during(schedule.runner(), &SyncRunner::passEnded);
                schedule.runner()->request();
                during.wait(20000);
                QTest::qWait(100);
            }
            return answers.value(asked.size() - 1);
        };
        schedule.begin();
        QSignalSpy ended(schedule.runner(), &SyncRunner::passEnded);
        const int passes = 1 + (kept.isEmpty() ? 0 : 1) + int(answers.count(QString()) == 0 ? answers.size() : 0)
            + (questions.isEmpty() ? 0 : 1);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), passes, 20000);
        QVERIFY(!ended.wait(300));
        QCOMPARE(asked, questions);
        CalDavClient look(server.url(), QStringLiteral("anna"), QStringLiteral("secret"));
        QCOMPARE(summaries(look, server.url()), synced ? QStringList{"one"} : QStringList{});
        QCOMPARE(passwords.kept, keptAfter);
        QCOMPARE(told.sent.size(), notices);

        // A password that works is not asked for again this session; a
        // refused one is, once per pass; none given, not at all.
        schedule.runner()->request();
        QVERIFY(ended.wait(20000));
        QTest::qWait(300);
        QCOMPARE(asked, afterNext);
        QCOMPARE(told.sent.size(), notices);
    }
};

BRIVO_REGISTER_TEST(TestSyncRunner)

#include "tst_syncrunner.moc"
