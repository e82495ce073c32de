#include "app/config/BuildConfig.h"
#include "controls/QSort.h"
#include "memolist/Colorazioni.h"
#include "memolist/MemoRows.h"
#include "memolist/TestiReminder.h"

#include <QLocale>
#include <QTest>

#include <utility>

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

// The data rows of dati shown in display order, by their ID column.
QStringList sortedIds(QList<QStringList>& dati, int rows, const MemoList& memos)
{
    MemoOrder order;
    if (!order.reset(dati, rows, memos))
        return {};
    QList<int> shown(rows);
    for (int d = 0; d < rows; ++d)
        shown[d] = d;
    QSort(
        0, rows - 1, [&](int i, int j) { return order.compare(shown[i], shown[j]); },
        [&](int i, int j) { std::swap(shown[i], shown[j]); });
    QStringList ids;
    for (int d : shown)
        ids.append(dati[COL_ID][d]);
    return ids;
}

QList<QStringList> emptyData(int rows)
{
    return QList<QStringList>(MEMO_DATA_COLUMNS, QStringList(rows));
}

} // namespace

class TestMemoListCore : public QObject {
    Q_OBJECT
private slots:
    void schemesAreSortedWithTheirColours_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<uint>>("colours"); // icon bar, grid, current row, header, header text
        QTest::newRow("Grigio") << 0 << "Grigio"
                                << QList<uint>{0xFF646464, 0xFFF2F2F2, 0xFFFFFFD7, 0xFFA0A0A0, 0xFFFFFFFF};
        QTest::newRow("Italia") << 1 << "Italia"
                                << QList<uint>{0xFFEEEEEE, 0xFFFFFFFF, 0xFFC4FFFF, 0xFF255FDC, 0xFFFFFFFF};
        QTest::newRow("Mattone") << 2 << "Mattone"
                                 << QList<uint>{0xFFA05050, 0xFFF7EEEE, 0xFFFFFFBF, 0xFFFF9F71, 0xFFFFFFFF};
        QTest::newRow("Reminder") << 3 << "Reminder"
                                  << QList<uint>{0xFFFFFCD7, 0xFFFFFFFF, 0xFFFFFF00, 0xFFC0C0C0, 0xFF000000};
        QTest::newRow("Verde") << 4 << "Verde"
                               << QList<uint>{0xFF408080, 0xFFCBE4E4, 0xFFFFFFD7, 0xFF53A6A6, 0xFFFFFFFF};
        QTest::newRow("Viola") << 5 << "Viola"
                               << QList<uint>{0xFF8080C0, 0xFFE6E6FB, 0xFFFFFFFF, 0xFF800080, 0xFFFFFFFF};
    }
    void schemesAreSortedWithTheirColours()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QList<uint>, colours);
        ColorazioneList list{TColorazione{}}; // building starts from an empty list
        Crea_Colorazioni(list);
        QCOMPARE(list.size(), 6);
        const TColorazione& c = list[position];
        QCOMPARE(c.Descrizione, name);
        QCOMPARE(c.Nome, name);
        QCOMPARE((QList<uint>{c.ColoreBarraIcone, c.ColoreGriglia, c.ColoreRigaCorrente, c.ColoreIntestazione,
                     c.ColoreTestoIntestazione}),
            colours);
        QCOMPARE((QList<uint>{c.ColoreNormale, c.ColoreImminente, c.ColoreOggi, c.ColoreScaduto, c.ColoreSenzaAllarme}),
            (QList<uint>{0xFF000000, 0xFF008000, 0xFF008000, 0xFFFF0000, 0xFF808080}));
    }

    void lookupTakesTheLastMatch()
    {
        ColorazioneList list;
        Crea_Colorazioni(list);
        TColorazione twin = list[1];
        twin.ColoreGriglia = 0xFF123456;
        list.append(twin); // a second "Italia"
        QCOMPARE(Indice_Colorazione(list, "Italia"), 6);
        QCOMPARE(Colorazione_Corrente(list, "Italia")->ColoreGriglia, 0xFF123456u);
        QCOMPARE(Colorazione_Corrente(list, "italia"), nullptr); // case counts
        QCOMPARE(Colorazione_Disegno(list, "Arancio")->Nome, QString("Grigio"));
        QCOMPARE(Colorazione_Disegno(ColorazioneList(), "Grigio"), nullptr);
    }

    void stepScheme_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("to");
        QTest::newRow("> from Reminder") << "Reminder" << 1 << "Verde";
        QTest::newRow("> six times: full turn") << "Mattone" << 6 << "Mattone";
        QTest::newRow("> from the last wraps") << "Viola" << 1 << "Grigio";
        QTest::newRow("< from Grigio wraps") << "Grigio" << -1 << "Viola";
        QTest::newRow("< twice") << "Italia" << -2 << "Viola";
        QTest::newRow("unknown: > from the first") << "Arancio" << 1 << "Italia";
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

    void stepOnEmptyListKeepsTheName()
    {
        QString tipo = "Viola";
        Cambia_Colorazione(ColorazioneList(), tipo, 1);
        QCOMPARE(tipo, QString("Viola"));
    }

    void state_data()
    {
        QTest::addColumn<REC_Memo>("m");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("expected");
        const REC_Memo at10 = memo(0, QTime(10, 0), -5); // shown state counts from 10:05
        QTest::newRow("30 minutes before: imminent") << at10 << atTime(9, 35) << MEMO_IMMINENT;
        QTest::newRow("31 minutes before: normal") << at10 << atTime(9, 34) << MEMO_NORMAL;
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
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("expected");
        QTest::newRow("yesterday") << "it_IT" << -1 << "Ieri";
        QTest::newRow("today") << "it_IT" << 0 << "Oggi";
        QTest::newRow("tomorrow") << "it_IT" << 1 << "Domani";
        QTest::newRow("day after tomorrow, Italian") << "it_IT" << 2 << "05/06/24";
        QTest::newRow("day after tomorrow, British") << "en_GB" << 2 << "05/06/2024";
        QTest::newRow("two days ago") << "en_GB" << -2 << "01/06/2024";
    }
    void dateText()
    {
        QFETCH(QString, localeName);
        QFETCH(int, days);
        QFETCH(QString, expected);
        // The time of day of Data does not move the day.
        const DayNumber data = DayNumbers::fromDate(today.addDays(days)) + 0.99;
        QCOMPARE(dueDateText(data, format(localeName)), expected);
    }

    void damagedDateHasNoText()
    {
        QCOMPARE(dueDateText(1e300, format("it_IT")), QString());
    }

    void timeAndAnticipoTexts()
    {
        const MemoTextFormat f = format("it_IT");
        QCOMPARE(dueTimeText(memo(0, QTime(9, 5)), f), QString("09:05"));
        QCOMPARE(dueTimeText(memo(0, QTime()), f), QString());
        QCOMPARE(anticipoText(15), QString("+15"));
        QCOMPARE(anticipoText(1), QString("+1"));
        QCOMPARE(anticipoText(0), QString("0"));
        QCOMPARE(anticipoText(-5), QString("-5"));
    }

    void dataRows()
    {
        REC_Memo off = memo(0, QTime(), 7);
        off.Attivo = 0;
        off.Nota = "spesa";
        off.ID = 4;
        const MemoList memos{memo(1, QTime(10, 0), 15), off};
        QList<QStringList> dati = emptyData(4);
        dati[COL_ALARM][2] = "1"; // left by an earlier, longer list
        dati[COL_DATE][2] = "Oggi";
        QVERIFY(fillMemoData(dati, memos, format("it_IT"), "- nuovo promemoria -"));
        auto row = [&](int d) {
            QStringList r;
            for (int c = 0; c < MEMO_DATA_COLUMNS; ++c)
                r.append(dati[c][d]);
            return r;
        };
        QCOMPARE(row(0), (QStringList{"0", "memo", "1", "Domani", "", "10:00", "", "+15", "", "", "1", "0"}));
        QCOMPARE(row(1), (QStringList{"0", "spesa", "0", "Oggi", "", "", "", "+7", "", "", "4", "1"}));
        QCOMPARE(row(2), (QStringList{"0", "- nuovo promemoria -", "", "", "", "", "", "", "", "", "-1", "-1"}));
        QCOMPARE(memoIndexOfDataRow(dati, 1), 1);
        QCOMPARE(memoIndexOfDataRow(dati, 2), -1); // the placeholder
        QCOMPARE(memoIndexOfDataRow(dati, 4), -1);
        dati[COL_INDEX][0] = "x";
        QCOMPARE(memoIndexOfDataRow(dati, 0), -1);
    }

    void dataRowsNeedRoom()
    {
        QList<QStringList> dati = emptyData(1);
        QVERIFY(!fillMemoData(dati, MemoList{memo(0, QTime())}, format("it_IT"), "x"));
        QCOMPARE(dati[COL_TEXT][0], QString());
        QVERIFY(fillMemoData(dati, MemoList(), format("it_IT"), "x"));
        QCOMPARE(dati[COL_TEXT][0], QString("x"));
    }

    void displayOrder_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("7, 3, 5") << QList<int>{7, 3, 5} << QStringList{"3", "5", "7", "-1"};
        QTest::newRow("empty list") << QList<int>{} << QStringList{"-1"};
        QTest::newRow("largest ID") << QList<int>{INT_MAX, 0} << QStringList{"0", QString::number(INT_MAX), "-1"};
    }
    void displayOrder()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, shown);
        MemoList memos;
        for (int id : ids) {
            REC_Memo m = memo(0, QTime());
            m.ID = id;
            memos.append(m);
        }
        QList<QStringList> dati = emptyData(int(memos.size()) + 1);
        QVERIFY(fillMemoData(dati, memos, format("it_IT"), "new"));
        QCOMPARE(sortedIds(dati, int(memos.size()) + 1, memos), shown);
    }

    void nothingToSortWithoutRows()
    {
        MemoOrder order;
        QList<QStringList> dati = emptyData(0);
        QVERIFY(!order.reset(dati, 0, MemoList()));
        QVERIFY(order.ChiaviOrdine.isEmpty());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QStringList>("expected"); // oggi, placeholder, date hint, exit question
        QTest::addColumn<int>("help");
        QTest::newRow("Italian") << languageItalian()
                                 << QStringList{"Oggi", "- nuovo promemoria -", "data scadenza",
                                        "Chiudendo Memo non verranno più mostrati gli avvisi impostati: sei sicuro di "
                                        "volerlo chiudere?"}
                                 << 1;
        QTest::newRow("English") << languageEnglish()
                                 << QStringList{"Today", "- new memo -", "date",
                                        "Closing Memo memos and clocks will not be shown: are you sure that you want "
                                        "to exit?"}
                                 << 2;
    }
    void texts()
    {
        QFETCH(QString, lingua);
        QFETCH(QStringList, expected);
        QFETCH(int, help);
        TestiReminder t;
        QCOMPARE(Testi_Lingua(lingua, "Memo", t), 1);
        QCOMPARE((QStringList{t.oggi, t.TestoNuovoMemo, t.hintColonnaData, t.domandaUscita}), expected);
        QCOMPARE(t.helpContext, help);
    }

    void unknownLanguageLeavesTexts_data()
    {
        QTest::addColumn<QString>("lingua");
        QTest::newRow("letter case") << "Italiano (italia)";
        QTest::newRow("trailing space") << "English (UK) ";
        QTest::newRow("empty") << "";
    }
    void unknownLanguageLeavesTexts()
    {
        QFETCH(QString, lingua);
        TestiReminder t;
        QCOMPARE(Testi_Lingua(languageEnglish(), "Memo", t), 1);
        QCOMPARE(Testi_Lingua(lingua, "Memo", t), 0);
        QCOMPARE(t.oggi, QString("Today"));
        QCOMPARE(languageErrorText(0, lingua),
            QString("Errore 0 nel cambio lingua. Codice lingua attuale=\"%1\"").arg(lingua));
    }
};

QTEST_GUILESS_MAIN(TestMemoListCore)
#include "tst_memolist_core.moc"
