#include "TestMain.h"
#include "sync/IcsItems.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QDateTime stamp(QDate(2026, 12, 7), QTime(5, 30), Qt::UTC);

REC_Memo memo(const char* text, DayNumber data, qint32 tipoOrario, QTime orario, qint32 attivo, qint32 anticipo,
    qint32 eseguito = 0)
{
    return REC_Memo{1, 1, QString::fromUtf8(text), attivo, eseguito, 1, data, tipoOrario, DayNumbers::fromTime(orario),
        2, anticipo};
}

// What a read starts from: the values an item does not carry.
REC_Memo startingMemo()
{
    return memo("", 45000, ORARIO_PRESENTE, QTime(8, 8), 0, 77);
}

// Times compare to the second: iCalendar has no finer one.
void compareMemo(const REC_Memo& got, const REC_Memo& want)
{
    QCOMPARE(got.Nota, want.Nota);
    QCOMPARE(got.Data, want.Data);
    QCOMPARE(got.TipoOrario, want.TipoOrario);
    QCOMPARE(
        DayNumbers::toTime(got.Orario).toString(u"HH:mm:ss"), DayNumbers::toTime(want.Orario).toString(u"HH:mm:ss"));
    QCOMPARE(got.Attivo, want.Attivo);
    QCOMPARE(got.Anticipo, want.Anticipo);
    QCOMPARE(got.Eseguito, want.Eseguito);
    QCOMPARE(got.ID, want.ID);
    QCOMPARE(got.TipoMemo, want.TipoMemo);
}

REC_Sveglia sveglia(qint32 tipo, qint32 giorno, QTime orario, qint32 attivo, const char* text = "Sveglia",
    const char* suono = "Campanello")
{
    return REC_Sveglia{
        tipo, attivo, QString::fromUtf8(text), giorno, DayNumbers::fromTime(orario), QString::fromUtf8(suono)};
}

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

// A task as another client writes it: a time zone, a folded description,
// attendees, a recurrence, two alarms and a property of its own.
const QByteArray foreignTask = crlf("BEGIN:VCALENDAR\n"
                                    "PRODID:-//Other Client//EN\n"
                                    "VERSION:2.0\n"
                                    "BEGIN:VTIMEZONE\n"
                                    "TZID:Etc/GMT-1\n"
                                    "BEGIN:STANDARD\n"
                                    "DTSTART:19700101T000000\n"
                                    "TZOFFSETFROM:+0100\n"
                                    "TZOFFSETTO:+0100\n"
                                    "END:STANDARD\n"
                                    "END:VTIMEZONE\n"
                                    "BEGIN:VTODO\n"
                                    "UID:task-1@other\n"
                                    "DTSTAMP:20240301T080000Z\n"
                                    "X-OTHER-COLOUR:#ff0000\n"
                                    "SUMMARY;LANGUAGE=it:Pagare l'affitto\\, subito\n"
                                    "DESCRIPTION:Una descrizione lunga che un altro programma ha piegato su pi\n"
                                    " ù righe\\, come vuole la norma.\n"
                                    "ATTENDEE;CN=Anna:mailto:anna@example.org\n"
                                    "DUE;TZID=Etc/GMT-1:20240315T113000\n"
                                    "RRULE:FREQ=MONTHLY;BYMONTHDAY=15\n"
                                    "STATUS:NEEDS-ACTION\n"
                                    "BEGIN:VALARM\n"
                                    "ACTION:AUDIO\n"
                                    "TRIGGER;RELATED=END:-PT15M\n"
                                    "END:VALARM\n"
                                    "BEGIN:VALARM\n"
                                    "ACTION:DISPLAY\n"
                                    "DESCRIPTION:Domani\n"
                                    "TRIGGER:-P1D\n"
                                    "END:VALARM\n"
                                    "END:VTODO\n"
                                    "END:VCALENDAR\n");

} // namespace

class TestIcsItems : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Floating times need no zone; the foreign task's zone is read in UTC.
        qputenv("TZ", "UTC");
        tzset();
    }

    void memoRoundTrip_data()
    {
        QTest::addColumn<REC_Memo>("memo");
        QTest::addColumn<REC_Memo>("expected");
        auto same = [](const char* name, const REC_Memo& m) { QTest::newRow(name) << m << m; };
        same("store's worked example", memo("Telefonare al dentista", 45366, ORARIO_PRESENTE, QTime(10, 30), 1, -5));
        same("offset after", memo("Dopo", 45366, ORARIO_PRESENTE, QTime(10, 0), 1, 30));
        same("offset a day before", memo("Prima", 45366, ORARIO_PRESENTE, QTime(10, 0), 1, -1440));
        same("at midnight, alarm the day before", memo("Mezzanotte", 45366, ORARIO_PRESENTE, QTime(0, 0), 1, -5));
        same("no time keeps its alarm time", memo("Senza ora", 45366, ORARIO_ASSENTE, QTime(10, 0), 1, -15));
        same("no time, offset past the day", memo("Senza ora", 45366, ORARIO_ASSENTE, QTime(23, 50), 1, 20));
        same("commas and semicolons", memo("Pane, latte; uova \\ e: burro", 45366, ORARIO_PRESENTE, QTime(9, 5), 1, 0));
        // iCalendar has one line break, LF.
        QTest::newRow("line breaks") << memo("riga uno\nriga due\r\nriga tre", 45366, ORARIO_PRESENTE, QTime(9, 5), 1,
            -5) << memo("riga uno\nriga due\nriga tre", 45366, ORARIO_PRESENTE, QTime(9, 5), 1, -5);
        same("non-Latin letters", memo("Позвонить 歯医者 ☎ caffè", 45366, ORARIO_PRESENTE, QTime(18, 45), 1, -5));
        same("long text folds",
            memo(QByteArray(150, 'x').prepend("è").constData(), 45366, ORARIO_PRESENTE, QTime(7, 0), 1, -5));
        same("seconds kept", memo("Secondi", 45366, ORARIO_PRESENTE, QTime(7, 0, 42), 1, -5));
        // What the item does not carry comes from the memo read into.
        REC_Memo done = memo("Fatto", 45366, ORARIO_PRESENTE, QTime(10, 30), 0, -5, 1);
        REC_Memo doneRead = done;
        doneRead.Anticipo = startingMemo().Anticipo;
        QTest::newRow("done, bell off") << done << doneRead;
        REC_Memo doneArmed = memo("Fatto ma armato", 45366, ORARIO_PRESENTE, QTime(10, 30), 1, -5, 1);
        QTest::newRow("done, bell on") << doneArmed << doneArmed;
        REC_Memo quiet = memo("Muto", 45366, ORARIO_ASSENTE, QTime(10, 30), 0, -5);
        REC_Memo quietRead = quiet;
        quietRead.Anticipo = startingMemo().Anticipo;
        QTest::newRow("no time, bell off") << quiet << quietRead;
    }

    void memoRoundTrip()
    {
        QFETCH(REC_Memo, memo);
        QFETCH(REC_Memo, expected);
        const QByteArray object = Ics::memoObject(memo, QStringLiteral("uid-1"), {}, stamp);
        QCOMPARE(Ics::kindOf(object), Ics::Kind::Memo);
        REC_Memo got = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(object, got, uid));
        QCOMPARE(uid, QStringLiteral("uid-1"));
        compareMemo(got, expected);
        // Lines of at most 75 octets, CR LF ended.
        for (const QByteArray& line : object.split('\n')) {
            QVERIFY2(line.size() <= 76, line.constData());
            QVERIFY(line.isEmpty() || line.endsWith('\r'));
        }
        // The same memo written again over its own object changes nothing.
        QCOMPARE(Ics::memoObject(memo, QStringLiteral("uid-1"), object, stamp.addDays(1)), object);
    }

    void memoObjectLines_data()
    {
        QTest::addColumn<REC_Memo>("memo");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("timed") << memo("Dentista", 45366, ORARIO_PRESENTE, QTime(10, 30), 1, -5)
                               << QByteArrayList{"DUE:20240315T103000", "STATUS:NEEDS-ACTION",
                                      "TRIGGER;RELATED=END:-PT5M", "BEGIN:VALARM"};
        QTest::newRow("date only counts the alarm from midnight")
            << memo("Dentista", 45366, ORARIO_ASSENTE, QTime(10, 30), 1, -5)
            << QByteArrayList{"DUE;VALUE=DATE:20240315", "TRIGGER;RELATED=END:PT10H25M", "X-BRIVO-TIME:10:30:00"};
        QTest::newRow("done") << memo("Dentista", 45366, ORARIO_PRESENTE, QTime(10, 30), 0, -5, 1)
                              << QByteArrayList{"STATUS:COMPLETED"};
        QTest::newRow("escaped text") << memo("a, b; c\nd", 45366, ORARIO_PRESENTE, QTime(10, 30), 0, -5)
                                      << QByteArrayList{"SUMMARY:a\\, b\\; c\\nd"};
    }

    // Other clients read these lines, not our own reading of them.
    void memoObjectLines()
    {
        QFETCH(REC_Memo, memo);
        QFETCH(QByteArrayList, lines);
        const QByteArray object = Ics::memoObject(memo, QStringLiteral("u"), {}, stamp);
        for (const QByteArray& line : lines)
            QVERIFY2(object.contains("\r\n" + line + "\r\n"), (line + " not in\n" + object).constData());
        QCOMPARE(object.contains("BEGIN:VALARM"), memo.Attivo == 1);
    }

    void alarmRoundTrip_data()
    {
        QTest::addColumn<REC_Sveglia>("alarm");
        QTest::addColumn<REC_Sveglia>("expected");
        QTest::addColumn<QByteArray>("rule");
        auto same = [](const char* name, const REC_Sveglia& s, const QByteArray& rule) {
            QTest::newRow(name) << s << s << rule;
        };
        same("every day", sveglia(SVEGLIA_OGNI_GIORNO, 4, QTime(7, 15), 1), "RRULE:FREQ=DAILY");
        same("Sundays", sveglia(SVEGLIA_UN_GIORNO, 1, QTime(9, 0), 1), "RRULE:FREQ=WEEKLY;BYDAY=SU");
        same("Mondays, the worked example",
            sveglia(SVEGLIA_UN_GIORNO, 2, QTime(7, 15), 1, "Riunione settimanale", "-nessun suono-"),
            "RRULE:FREQ=WEEKLY;BYDAY=MO");
        same("Saturdays", sveglia(SVEGLIA_UN_GIORNO, 7, QTime(23, 59), 1), "RRULE:FREQ=WEEKLY;BYDAY=SA");
        same("switched off", sveglia(SVEGLIA_OGNI_GIORNO, 1, QTime(6, 0), 0), "RRULE:FREQ=DAILY");
        same("text and sound",
            sveglia(SVEGLIA_OGNI_GIORNO, 1, QTime(6, 0), 1, "Medicina; 2, con\nacqua — 薬", "Gallo 2"),
            "RRULE:FREQ=DAILY");
        // Made after 23:00: only the time of day counts.
        REC_Sveglia late = sveglia(SVEGLIA_OGNI_GIORNO, 1, QTime(0, 10), 1);
        REC_Sveglia lateStored = late;
        late.Orario += 1;
        QTest::newRow("past a day") << late << lateStored << QByteArray("RRULE:FREQ=DAILY");
        // The engine rings any other kind every day, and so does the item.
        REC_Sveglia other = sveglia(0, 3, QTime(8, 0), 1);
        REC_Sveglia otherRead = other;
        otherRead.TipoSveglia = SVEGLIA_OGNI_GIORNO;
        QTest::newRow("unknown kind rings daily") << other << otherRead << QByteArray("RRULE:FREQ=DAILY");
    }

    void alarmRoundTrip()
    {
        QFETCH(REC_Sveglia, alarm);
        QFETCH(REC_Sveglia, expected);
        QFETCH(QByteArray, rule);
        const QByteArray object = Ics::alarmObject(alarm, QStringLiteral("a-1"), {}, stamp);
        QVERIFY2(object.contains("\r\n" + rule + "\r\n"), object.constData());
        QCOMPARE(object.contains("TRIGGER;RELATED=START:PT0S"), alarm.Attivo == 1);
        QCOMPARE(Ics::kindOf(object), Ics::Kind::Alarm);
        REC_Sveglia got = sveglia(SVEGLIA_OGNI_GIORNO, 5, QTime(1, 1), 0, "", "");
        QString uid;
        QVERIFY(Ics::readAlarm(object, got, uid));
        QCOMPARE(uid, QStringLiteral("a-1"));
        QCOMPARE(got.TipoSveglia, expected.TipoSveglia);
        if (expected.TipoSveglia == SVEGLIA_UN_GIORNO)
            QCOMPARE(got.Giorno, expected.Giorno);
        QCOMPARE(got.Attivo, expected.Attivo);
        QCOMPARE(got.Messaggio, expected.Messaggio);
        QCOMPARE(got.Suono, expected.Suono);
        QCOMPARE(DayNumbers::hoursMinutes(got.Orario), DayNumbers::hoursMinutes(expected.Orario));
        QCOMPARE(Ics::alarmObject(alarm, QStringLiteral("a-1"), object, stamp.addDays(2)), object);
    }

    void eventsThatAreNoAlarmClock_data()
    {
        QTest::addColumn<QByteArray>("event");
        QTest::newRow("once") << QByteArray("DTSTART:20240315T100000\n");
        QTest::newRow("monthly") << QByteArray("DTSTART:20240315T100000\nRRULE:FREQ=MONTHLY\n");
        QTest::newRow("no start") << QByteArray("RRULE:FREQ=DAILY\n");
    }

    // The program has no alarm clock that rings once or monthly: such an
    // event is not taken for one that rings every day.
    void eventsThatAreNoAlarmClock()
    {
        QFETCH(QByteArray, event);
        const QByteArray object
            = crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\nBEGIN:VEVENT\nUID:e\nDTSTAMP:20240101T000000Z\n" + event
                + "SUMMARY:Riunione\nEND:VEVENT\nEND:VCALENDAR\n");
        REC_Sveglia s;
        QString uid;
        QVERIFY(!Ics::readAlarm(object, s, uid));
        QCOMPARE(Ics::kindOf(object), Ics::Kind::Other);
    }

    void foreignTaskRead()
    {
        REC_Memo got = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(foreignTask, got, uid));
        QCOMPARE(uid, QStringLiteral("task-1@other"));
        QCOMPARE(got.Nota, QStringLiteral("Pagare l'affitto, subito"));
        // 11:30 at UTC+1 is 10:30 here; the first alarm is the one shown.
        QCOMPARE(DayNumbers::toDate(got.Data), QDate(2024, 3, 15));
        QCOMPARE(DayNumbers::toTime(got.Orario), QTime(10, 30));
        QCOMPARE(got.Attivo, 1);
        QCOMPARE(got.Anticipo, -15);
        QCOMPARE(got.Eseguito, 0);
    }

    void otherClientsTimes_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<int>("tipoOrario");
        QTest::addColumn<QTime>("orario");
        QTest::addColumn<int>("attivo");
        QTest::addColumn<int>("anticipo");
        QTest::newRow("date only, alarm that day")
            << QByteArray("DUE;VALUE=DATE:20240315\nBEGIN:VALARM\nACTION:DISPLAY\nDESCRIPTION:x\n"
                          "TRIGGER;RELATED=END:PT9H\nEND:VALARM\n")
            << ORARIO_ASSENTE << QTime(9, 0) << 1 << 0;
        QTest::newRow("date only, alarm the evening before")
            << QByteArray("DUE;VALUE=DATE:20240315\nBEGIN:VALARM\nACTION:DISPLAY\nDESCRIPTION:x\n"
                          "TRIGGER;RELATED=END:-PT1H\nEND:VALARM\n")
            << ORARIO_ASSENTE << QTime(0, 0) << 1 << -60;
        QTest::newRow("absolute alarm") << QByteArray(
            "DUE:20240315T100000\nBEGIN:VALARM\nACTION:DISPLAY\nDESCRIPTION:x\n"
            "TRIGGER;VALUE=DATE-TIME:20240315T090000Z\nEND:VALARM\n")
                                        << ORARIO_PRESENTE << QTime(10, 0) << 1 << -60;
        QTest::newRow("alarm from the start")
            << QByteArray("DTSTART:20240315T080000\nDUE:20240315T100000\nBEGIN:VALARM\nACTION:DISPLAY\n"
                          "DESCRIPTION:x\nTRIGGER:PT0S\nEND:VALARM\n")
            << ORARIO_PRESENTE << QTime(10, 0) << 1 << -120;
        QTest::newRow("due in UTC") << QByteArray("DUE:20240315T093000Z\n") << ORARIO_PRESENTE << QTime(9, 30) << 0
                                    << 77;
        QTest::newRow("no due keeps the memo's") << QByteArray() << ORARIO_PRESENTE << QTime(8, 8) << 0 << 77;
    }

    void otherClientsTimes()
    {
        QFETCH(QByteArray, lines);
        QFETCH(int, tipoOrario);
        QFETCH(QTime, orario);
        QFETCH(int, attivo);
        QFETCH(int, anticipo);
        const QByteArray object = crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\nBEGIN:VTODO\nUID:t\n"
                                       "DTSTAMP:20240101T000000Z\nSUMMARY:Compito\n"
            + lines + "END:VTODO\nEND:VCALENDAR\n");
        REC_Memo m = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(object, m, uid));
        QCOMPARE(m.TipoOrario, tipoOrario);
        QCOMPARE(DayNumbers::toTime(m.Orario), orario);
        QCOMPARE(m.Attivo, attivo);
        QCOMPARE(m.Anticipo, anticipo);
        QCOMPARE(DayNumbers::toDate(m.Data), lines.isEmpty() ? DayNumbers::toDate(45000) : QDate(2024, 3, 15));
        // Written back untouched, the item stays as it came.
        QCOMPARE(Ics::memoObject(m, uid, object, stamp), object);
    }

    void foreignTaskWrittenBack_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QByteArrayList>("from"); // lines replaced, in order
        QTest::addColumn<QByteArrayList>("to");
        QTest::newRow("untouched") << 0 << QByteArrayList{} << QByteArrayList{};
        QTest::newRow("text") << 1 << QByteArrayList{"SUMMARY;LANGUAGE=it:Pagare l'affitto\\, subito\r\n"}
                              << QByteArrayList{"SUMMARY:Pagare l'affitto\\; oggi\r\n"};
        QTest::newRow("done") << 2 << QByteArrayList{"STATUS:NEEDS-ACTION\r\n"}
                              << QByteArrayList{"STATUS:COMPLETED\r\n"};
        QTest::newRow("offset: the first alarm only") << 3 << QByteArrayList{"TRIGGER;RELATED=END:-PT15M\r\n"}
                                                      << QByteArrayList{"TRIGGER;RELATED=END:-PT30M\r\n"};
        QTest::newRow("time") << 4 << QByteArrayList{"DUE;TZID=Etc/GMT-1:20240315T113000\r\n"}
                              << QByteArrayList{"DUE:20240316T103000\r\n"};
    }

    // Only the lines of what changed are rewritten; the rest of another
    // client's item, folding included, stays byte for byte.
    void foreignTaskWrittenBack()
    {
        QFETCH(int, change);
        QFETCH(QByteArrayList, from);
        QFETCH(QByteArrayList, to);
        REC_Memo m = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(foreignTask, m, uid));
        if (change == 1)
            m.Nota = QStringLiteral("Pagare l'affitto; oggi");
        else if (change == 2)
            m.Eseguito = 1;
        else if (change == 3)
            m.Anticipo = -30;
        else if (change == 4)
            m.Data += 1;
        QByteArray expected = foreignTask;
        for (qsizetype i = 0; i < from.size(); ++i) {
            QVERIFY(expected.contains(from[i]));
            expected.replace(from[i], to[i]);
        }
        QCOMPARE(Ics::memoObject(m, uid, foreignTask, stamp), expected);
    }

    void foreignTaskBellOffAndBack()
    {
        REC_Memo m = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(foreignTask, m, uid));
        m.Attivo = 0;
        const QByteArray off = Ics::memoObject(m, uid, foreignTask, stamp);
        QVERIFY(!off.contains("VALARM"));
        QVERIFY(off.contains("ATTENDEE;CN=Anna:mailto:anna@example.org\r\n"));
        m.Attivo = 1;
        const QByteArray on = Ics::memoObject(m, uid, off, stamp);
        REC_Memo back = startingMemo();
        QVERIFY(Ics::readMemo(on, back, uid));
        QCOMPARE(back.Attivo, 1);
        QCOMPARE(back.Anticipo, -15);
        QVERIFY(on.contains("RRULE:FREQ=MONTHLY;BYMONTHDAY=15\r\n"));
    }

    void foreignCompletionTakenBack()
    {
        QByteArray done = foreignTask;
        done.replace(
            "STATUS:NEEDS-ACTION\r\n", "STATUS:COMPLETED\r\nCOMPLETED:20240314T100000Z\r\nPERCENT-COMPLETE:100\r\n");
        REC_Memo m = startingMemo();
        QString uid;
        QVERIFY(Ics::readMemo(done, m, uid));
        QCOMPARE(m.Eseguito, 1);
        m.Eseguito = 0;
        QCOMPARE(Ics::memoObject(m, uid, done, stamp), foreignTask);
    }

    void foreignEventWrittenBack()
    {
        const QByteArray event = crlf("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:x\nBEGIN:VEVENT\nUID:ev@other\n"
                                      "DTSTAMP:20240101T000000Z\nDTSTART:20231204T063000\nDURATION:PT30M\n"
                                      "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;UNTIL=20991231T000000Z\nSUMMARY:Palestra\n"
                                      "LOCATION:Via Roma\\, 1\nEND:VEVENT\nEND:VCALENDAR\n");
        REC_Sveglia s = sveglia(SVEGLIA_OGNI_GIORNO, 1, QTime(0, 0), 1, "", "Gallo");
        QString uid;
        QVERIFY(Ics::readAlarm(event, s, uid));
        QCOMPARE(s.TipoSveglia, SVEGLIA_UN_GIORNO);
        QCOMPARE(s.Giorno, 2);
        QCOMPARE(s.Attivo, 0);
        QCOMPARE(s.Suono, QStringLiteral("Gallo"));
        QCOMPARE(Ics::alarmObject(s, uid, event, stamp), event);
        s.Messaggio = QStringLiteral("Palestra e piscina");
        QByteArray expected = event;
        expected.replace("SUMMARY:Palestra", "SUMMARY:Palestra e piscina");
        // Another client's item gets no sound line while the sound is the one it was read with.
        QCOMPARE(Ics::alarmObject(s, uid, event, stamp), expected);
    }
};

BRIVO_REGISTER_TEST(TestIcsItems)
#include "tst_icsitems.moc"
