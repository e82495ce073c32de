#include "TestMain.h"
#include "store/Global.h"
#include "store/Ut.h"

#include <QTest>

class TestUt : public QObject {
    Q_OBJECT
private slots:
    void leggiIntero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("value");
        QTest::newRow("blanks around") << " 500 " << 1 << 500;
        QTest::newRow("plus") << "+15" << 1 << 15;
        QTest::newRow("max") << "2147483647" << 1 << 2147483647;
        QTest::newRow("min") << "-2147483648" << 1 << int(-2147483647 - 1);
        QTest::newRow("blanks only") << "   " << -1 << 0;
        QTest::newRow("plus alone") << " + " << -4 << 0;
        QTest::newRow("letters after") << "500abc" << -2 << 0;
        QTest::newRow("two signs") << "--5" << -2 << 0;
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("\u0665") << -2 << 0;
        QTest::newRow("just over max") << "2147483648" << -3 << 0;
        QTest::newRow("just under min") << "-2147483649" << -3 << 0;
        QTest::newRow("eleven digits") << "12345678901" << -3 << 0;
        QTest::newRow("long junk is junk first") << "123456789012345a" << -2 << 0;
    }
    void leggiIntero()
    {
        QFETCH(QString, text);
        qint32 v = 99;
        QTEST(Leggi_Intero(text, v), "code");
        QTEST(v, "value");
    }

    void leggiOrario_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QTime>("time");
        QTest::newRow("9.30") << "9.30" << 1 << QTime(9, 30);
        QTest::newRow("0930") << "0930" << 1 << QTime(9, 30);
        QTest::newRow("09:30") << "09:30" << 1 << QTime(9, 30);
        QTest::newRow("12345") << "12345" << 1 << QTime(12, 45);
        QTest::newRow("7.3a") << "7.3a" << 1 << QTime(7, 3);
        QTest::newRow("23:59") << "23:59" << 1 << QTime(23, 59);
        QTest::newRow("930 too short") << "930" << -1 << QTime(0, 0);
        QTest::newRow("too long") << "12:300" << -1 << QTime(0, 0);
        QTest::newRow("letter first") << "a930" << -2 << QTime(0, 0);
        QTest::newRow("no minute digit") << "12:ab" << -3 << QTime(0, 0);
        QTest::newRow("hour 25") << "25.00" << -4 << QTime(0, 0);
        QTest::newRow("minute 60") << "12:60" << -4 << QTime(0, 0);
    }
    void leggiOrario()
    {
        QFETCH(QString, text);
        QTime t(5, 5);
        QTEST(Leggi_Orario(text, t), "code");
        QTEST(t, "time");
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("comma");
        QTest::newRow("whole date") << 45366.0 << "45366";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("10:30") << 0.4375 << "0,4375";
        QTest::newRow("07:15") << 435.0 / 1440 << "0,302083333333333";
        QTest::newRow("one third") << 1.0 / 3 << "0,333333333333333";
        QTest::newRow("half a second") << 0.5 / 86400 << "5,78703703703704E-6";
        QTest::newRow("exactly 0.00001") << 0.00001 << "0,00001";
        QTest::newRow("just below 0.00001") << 0.0000099 << "9,9E-6";
        QTest::newRow("negative") << -5.25 << "-5,25";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1,23456789012346E15";
        QTest::newRow("rounds up to whole") << 0.9999999999999999 << "1";
    }
    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, comma);
        QCOMPARE(formatDayNumber(value, u','), comma);
        QString dot = comma;
        dot.replace(u',', u'.');
        QCOMPARE(formatDayNumber(value, u'.'), dot);
        // Whatever is written reads back within the 15 digits kept.
        double back = -1;
        QVERIFY(parseDayNumber(QStringView(comma), back));
        QVERIFY(qAbs(back - value) <= 1e-14 * qMax(1.0, qAbs(value)));
    }

    // Store numbers: day numbers, and (integer) the store's whole fields.
    void parseNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("integer");
        QTest::newRow("comma") << "0,4375" << true << 0.4375 << false;
        QTest::newRow("dot") << "0.4375" << true << 0.4375 << false;
        QTest::newRow("whole") << "45366" << true << 45366.0 << false;
        QTest::newRow("exponent") << "5,78703703703704E-6" << true << 5.78703703703704e-6 << false;
        QTest::newRow("signs") << "-0,5" << true << -0.5 << false;
        QTest::newRow("no leading digit") << ",5" << true << 0.5 << false;
        QTest::newRow("trailing separator") << "3," << true << 3.0 << false;
        QTest::newRow("blanks") << " 3 " << true << 3.0 << false;
        QTest::newRow("letters") << "abc" << false << 0.0 << false;
        QTest::newRow("empty") << "" << false << 0.0 << false;
        QTest::newRow("two separators") << "1,2,3" << false << 0.0 << false;
        QTest::newRow("thousands") << "1.000,5" << false << 0.0 << false;
        QTest::newRow("exponent without digits") << "1E" << false << 0.0 << false;
        QTest::newRow("infinity") << "inf" << false << 0.0 << false;
        QTest::newRow("overflow") << "1E400" << false << 0.0 << false;
        QTest::newRow("hex") << "0x10" << false << 0.0 << false;
        QTest::newRow("integer") << "17" << true << 17.0 << true;
        QTest::newRow("integer, leading blank") << " 3" << true << 3.0 << true;
        QTest::newRow("integer, trailing blank") << "3 " << false << 0.0 << true;
        QTest::newRow("integer, empty") << "" << false << 0.0 << true;
        QTest::newRow("integer, sign only") << "-" << false << 0.0 << true;
        QTest::newRow("integer out of range") << "4294967296" << false << 0.0 << true;
        QTest::newRow("integer, letters") << "1a" << false << 0.0 << true;
    }
    void parseNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(bool, integer);
        double v = 0;
        qint32 i = 0;
        QCOMPARE(integer ? parseStoreInteger(QStringView(text), i) : parseDayNumber(QStringView(text), v), ok);
        if (ok)
            QTEST(integer ? double(i) : v, "value");
    }

    void dayNumbers()
    {
        QCOMPARE(DayNumbers::fromDate(QDate(2024, 3, 15)), 45366.0);
        QCOMPARE(DayNumbers::fromDate(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(DayNumbers::fromDate(QDate(1899, 12, 29)), -1.0);
        QCOMPARE(DayNumbers::toDate(45366.75), QDate(2024, 3, 15));
        QCOMPARE(DayNumbers::toTime(0.4375), QTime(10, 30));
        QCOMPARE(DayNumbers::toDateTime(45366.4375), QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
        QCOMPARE(DayNumbers::fromDateTime(QDateTime(QDate(2024, 3, 15), QTime(12, 0))), 45366.5);
        QCOMPARE(DayNumbers::toTime(DayNumbers::fromTime(QTime(13, 14, 15, 16))), QTime(13, 14, 15, 16));
        // Weekdays count from Sunday = 1.
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 17)), 1);
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 18)), 2);
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 16)), 7);
        // Minutes of a stored time: seconds dropped, a hair below a minute up, the date part ignored.
        const std::pair<double, int> minutes[]
            = {{0.604166666666667, 870}, {0.302083333333333, 435}, {(37800 + 59.9) / 86400, 630},
                {(37860 - 0.0004) / 86400, 631}, {45366.4375, 630}, {0.9999999999, 1439}, {0.0, 0}};
        for (const auto& [fraction, minute] : minutes)
            QCOMPARE(DayNumbers::hoursMinutes(fraction), minute);
    }

    void wholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        QByteArray data;
        QCOMPARE(Leggi_File(path, data), -1);
        QCOMPARE(Scrivi_File(path, "abc", false), 1);
        QCOMPARE(Scrivi_File(path, "def", true), 1);
        QCOMPARE(Leggi_File(path, data), 1);
        QCOMPARE(data, QByteArray("abcdef"));
        QCOMPARE(Scrivi_File(path, "x", false), 1);
        QCOMPARE(Leggi_File(path, data), 1);
        QCOMPARE(data, QByteArray("x"));
        // Appending to a file that is not there creates it.
        QCOMPARE(Scrivi_File(dir.filePath("new.txt"), "n", true), 1);
        QCOMPARE(Scrivi_File(dir.filePath("missing/f.txt"), "n", false), -1);
        QCOMPARE(Leggi_File(dir.path(), data), -1); // a folder is not a file
    }
};

BRIVO_REGISTER_TEST(TestUt)
#include "tst_ut.moc"
