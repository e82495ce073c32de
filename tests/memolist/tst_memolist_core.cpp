#include "app/config/BuildConfig.h"
#include "memolist/Colorazioni.h"
#include "memolist/MemoRows.h"
#include "memolist/TestiReminder.h"

#include <QLocale>
#include <QTest>

namespace {

const QDate today(2024, 6, 3);

QDateTime atTime(int h, int m, int s = 0, int days = 0)
{
    return QDateTime(today.addDays(days), QTime(h, m, s));
}

REC_Memo memo(int days, QTime time, qint32 anticipo = -5, qint32 eseguito = 0)
{
    REC_Memo m;
    m.ID = 1;
    m.Nota = QStringLiteral("memo");
    m.Attivo = 1;
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

} // namespace

class TestMemoListCore : public QObject {
    Q_OBJECT
private slots:
    // Sorted by description; the urgency colours are shared by every scheme.
    void schemesAreSorted()
    {
        ColorazioneList list{TColorazione{}}; // building starts from an empty list
        Crea_Colorazioni(list);
        QStringList names;
        for (const TColorazione& c : list)
            names.append(c.Descrizione + "/" + c.Nome);
        QCOMPARE(names,
            (QStringList{"Grigio/Grigio", "Italia/Italia", "Mattone/Mattone", "Reminder/Reminder", "Verde/Verde",
                "Viola/Viola"}));
    }

    // The last match and the fall-back to the first are shown on the grid.
    void lookupIsExactAndSafeOnAnEmptyList()
    {
        ColorazioneList list;
        Crea_Colorazioni(list);
        QCOMPARE(Colorazione_Corrente(list, "italia"), nullptr); // case counts
        QCOMPARE(Colorazione_Disegno(ColorazioneList(), "Grigio"), nullptr);
        QString tipo = "Viola";
        Cambia_Colorazione(ColorazioneList(), tipo, 1);
        QCOMPARE(tipo, QString("Viola"));
    }

    void stepScheme_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("to");
        QTest::newRow("< twice") << "Italia" << -2 << "Viola";
        QTest::newRow("unknown: < from the first") << "Arancio" << -1 << "Viola";
        QTest::newRow("zero selects the current") << "Arancio" << 0 << "Grigio";
        QTest::newRow("more than a turn") << "Grigio" << 13 << "Italia";
        QTest::newRow("most negative") << "Grigio" << int(INT_MIN) << "Verde"; // 2^31 = 6k + 2
    }
    void stepScheme()
    {
        QFETCH(QString, from);
        QFETCH(int, delta);
        QFETCH(QString, to);
        ColorazioneList list;
        Crea_Colorazioni(list);
        QString tipo = from;
        Cambia_Colorazione(list, tipo, delta);
        QCOMPARE(tipo, to);
    }

    void state_data()
    {
        QTest::addColumn<REC_Memo>("m");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("expected");
        const REC_Memo at10 = memo(0, QTime(10, 0), -5); // shown state counts from 10:05
        QTest::newRow("30.5 minutes truncate to 30") << at10 << atTime(9, 34, 30) << MEMO_IMMINENT;
        QTest::newRow("one second before") << at10 << atTime(10, 4, 59) << MEMO_IMMINENT;
        QTest::newRow("at the moment: overdue") << at10 << atTime(10, 5) << MEMO_OVERDUE;
        QTest::newRow("positive Anticipo moves it earlier")
            << memo(0, QTime(10, 0), 10) << atTime(9, 50) << MEMO_OVERDUE;
        QTest::newRow("across midnight") << memo(1, QTime(0, 10), 0) << atTime(23, 50) << MEMO_IMMINENT;
        QTest::newRow("seconds of the due time count")
            << memo(0, QTime(10, 0, 30), 0) << atTime(9, 30) << MEMO_IMMINENT;
        QTest::newRow("done, long overdue") << memo(-10, QTime(10, 0), 0, 1) << atTime(12, 0) << MEMO_NORMAL;
        QTest::newRow("done, due today") << memo(0, QTime(), 0, 1) << atTime(12, 0) << MEMO_NORMAL;
        QTest::newRow("no time, yesterday") << memo(-1, QTime()) << atTime(0, 0) << MEMO_OVERDUE;
        QTest::newRow("no time, today") << memo(0, QTime()) << atTime(23, 59) << MEMO_DUE_TODAY;
        QTest::newRow("no time, tomorrow") << memo(1, QTime()) << atTime(23, 59) << MEMO_NORMAL;
        REC_Memo undone = memo(-1, QTime());
        undone.Eseguito = 2; // only 1 means done
        QTest::newRow("Eseguito 2 is not done") << undone << atTime(9, 0) << MEMO_OVERDUE;
    }
    void state()
    {
        QFETCH(REC_Memo, m);
        QFETCH(QDateTime, now);
        QFETCH(int, expected);
        QCOMPARE(Stato_Memo(MemoList{REC_Memo(), m}, 1, now), expected);
    }

    void stateOutOfRange()
    {
        const MemoList memos{memo(0, QTime())};
        QCOMPARE(Stato_Memo(memos, -1, atTime(9, 0)), -1);
        QCOMPARE(Stato_Memo(memos, 1, atTime(9, 0)), -2);
        QCOMPARE(Stato_Memo(MemoList(), 0, atTime(9, 0)), -2);
    }

    void dateText_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<double>("data");
        QTest::addColumn<QString>("expected");
        const double day = DayNumbers::fromDate(today);
        QTest::newRow("late yesterday") << "it_IT" << day - 0.01 << "Ieri"; // the time of day does not move the day
        QTest::newRow("late tomorrow") << "it_IT" << day + 1.99 << "Domani";
        QTest::newRow("British short date") << "en_GB" << day - 1.01 << "01/06/2024";
        QTest::newRow("damaged") << "it_IT" << 1e300 << "";
    }
    void dateText()
    {
        QFETCH(QString, localeName);
        QFETCH(double, data);
        QFETCH(QString, expected);
        QCOMPARE(dueDateText(data, format(localeName)), expected);
    }

    void dataRowsNeedRoom()
    {
        QList<QStringList> dati(MEMO_DATA_COLUMNS, QStringList(1));
        QVERIFY(!fillMemoData(dati, MemoList{memo(0, QTime())}, format("it_IT"), "x"));
        QCOMPARE(dati[COL_TEXT][0], QString());
        QVERIFY(fillMemoData(dati, MemoList(), format("it_IT"), "x"));
        QCOMPARE(dati[COL_TEXT][0], QString("x"));
    }

    // Oggi and the new-memo text are shown on the grid, the Italian exit question by the window.
    void texts()
    {
        TestiReminder t;
        QCOMPARE(Testi_Lingua(languageEnglish(), "Memo", t), 1);
        QCOMPARE((QStringList{t.hintColonnaData, t.domandaUscita}),
            (QStringList{
                "date", "Closing Memo memos and clocks will not be shown: are you sure that you want to exit?"}));
        QCOMPARE(t.helpContext, 2);
        // An unknown language leaves the texts as they were.
        for (const QString& unknown : {QString("English (UK) "), QString("italiano (italia)"), QString()})
            QCOMPARE(Testi_Lingua(unknown, "Memo", t), 0);
        QCOMPARE(t.oggi, QString("Today"));
        QCOMPARE(Testi_Lingua(languageItalian(), "Memo", t), 1);
        QCOMPARE(t.hintColonnaData, QString("data scadenza"));
        QCOMPARE(t.helpContext, 1);
    }
};

QTEST_GUILESS_MAIN(TestMemoListCore)
#include "tst_memolist_core.moc"
