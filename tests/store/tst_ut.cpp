#include "TestMain.h"
#include "store/Global.h"
#include "store/Ut.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

class TestUt : public QObject {
    Q_OBJECT
private slots:
    void leggiIntero()
    {
        const struct {
            QString text;
            int code;
            int value;
        } rows[] = {
            {" 500 ", 1, 500},                        // blanks around
            {"+15", 1, 15},                           // plus
            {"2147483647", 1, 2147483647},            // max
            {"-2147483648", 1, int(-2147483647 - 1)}, // min
            {"   ", -1, 0},                           // blanks only
            {" + ", -4, 0},                           // plus alone
            {"500abc", -2, 0},                        // letters after
            {"--5", -2, 0},                           // two signs
            {QString::fromUtf8("\u0665"), -2, 0},     // arabic-indic digit
            {"2147483648", -3, 0},                    // just over max
            {"-2147483649", -3, 0},                   // just under min
            {"12345678901", -3, 0},                   // eleven digits
            {"123456789012345a", -2, 0},              // long junk is junk first
        };
        for (const auto& r : rows) {
            qint32 v = 99;
            QCOMPARE(Leggi_Intero(r.text, v), r.code);
            QCOMPARE(v, r.value);
        }
    }

    void leggiOrario()
    {
        const struct {
            QString text;
            int code;
            QTime time;
        } rows[] = {
            {"9.30", 1, QTime(9, 30)},   // 9.30
            {"0930", 1, QTime(9, 30)},   // 0930
            {"09:30", 1, QTime(9, 30)},  // 09:30
            {"12345", 1, QTime(12, 45)}, // 12345
            {"7.3a", 1, QTime(7, 3)},    // 7.3a
            {"23:59", 1, QTime(23, 59)}, // 23:59
            {"930", -1, QTime(0, 0)},    // 930 too short
            {"12:300", -1, QTime(0, 0)}, // too long
            {"a930", -2, QTime(0, 0)},   // letter first
            {"12:ab", -3, QTime(0, 0)},  // no minute digit
            {"25.00", -4, QTime(0, 0)},  // hour 25
            {"12:60", -4, QTime(0, 0)},  // minute 60
            // 12-hour forms, as an English short time shows them or a person types them
            {"10:00 AM", 1, QTime(10, 0)},                             // morning
            {"10:00 PM", 1, QTime(22, 0)},                             // evening
            {"1030pm", 1, QTime(22, 30)},                              // no separator, no blank
            {"6.45pm", 1, QTime(18, 45)},                              // one hour digit
            {"6 p.m.", 1, QTime(18, 0)},                               // hour alone, dotted mark
            {"930 am", 1, QTime(9, 30)},                               // three digits
            {"12:15 am", 1, QTime(0, 15)},                             // midnight hour
            {"12:15 PM", 1, QTime(12, 15)},                            // noon hour
            {QString("7:05") + QChar(0x202F) + "PM", 1, QTime(19, 5)}, // CLDR's narrow blank
            {"AM 8:20", 1, QTime(8, 20)},                              // mark first
            {"13:00 PM", -4, QTime(0, 0)},                             // no such hour
            {"pm", -1, QTime(0, 0)},                                   // mark alone
            {"pm 7:30 am", -1, QTime(0, 0)},                           // two marks
        };
        for (const auto& r : rows) {
            QTime t(5, 5);
            QCOMPARE(Leggi_Orario(r.text, t), r.code);
            QCOMPARE(t, r.time);
        }
    }

    void formatNumber()
    {
        const struct {
            double value;
            QString comma;
        } rows[] = {
            {0.0, "0"},                                  // zero
            {1.0 / 3, "0,333333333333333"},              // one third
            {0.5 / 86400, "5,78703703703704E-6"},        // half a second
            {0.00001, "0,00001"},                        // exactly 0.00001
            {0.0000099, "9,9E-6"},                       // just below 0.00001
            {-5.25, "-5,25"},                            // negative
            {123456789012345.0, "123456789012345"},      // 15 digits
            {1234567890123456.0, "1,23456789012346E15"}, // 16 digits
            {0.9999999999999999, "1"},                   // rounds up to whole
        };
        for (const auto& r : rows) {
            QCOMPARE(formatDayNumber(r.value, u','), r.comma);
            QString dot = r.comma;
            dot.replace(u',', u'.');
            QCOMPARE(formatDayNumber(r.value, u'.'), dot);
            // Whatever is written reads back within the 15 digits kept.
            double back = -1;
            QVERIFY(parseDayNumber(QStringView(r.comma), back));
            QVERIFY(qAbs(back - r.value) <= 1e-14 * qMax(1.0, qAbs(r.value)));
        }
    }

    // Store numbers: day numbers, and (integer) the store's whole fields.
    void parseNumber()
    {
        const struct {
            QString text;
            bool ok;
            double value;
            bool integer;
        } rows[] = {
            {",5", true, 0.5, false},         // no leading digit
            {"3,", true, 3.0, false},         // trailing separator
            {" 3 ", true, 3.0, false},        // blanks
            {"abc", false, 0.0, false},       // letters
            {"", false, 0.0, false},          // empty
            {"1,2,3", false, 0.0, false},     // two separators
            {"1.000,5", false, 0.0, false},   // thousands
            {"1E", false, 0.0, false},        // exponent without digits
            {"inf", false, 0.0, false},       // infinity
            {"1E400", false, 0.0, false},     // overflow
            {"0x10", false, 0.0, false},      // hex
            {" 3", true, 3.0, true},          // integer, leading blank
            {"3 ", false, 0.0, true},         // integer, trailing blank
            {"", false, 0.0, true},           // integer, empty
            {"-", false, 0.0, true},          // integer, sign only
            {"4294967296", false, 0.0, true}, // integer out of range
            {"1a", false, 0.0, true},         // integer, letters
            // The quick exact reading and the full one must give the same bits.
            {"-0", true, -0.0, false},                                   // negative zero
            {"+0,25", true, 0.25, false},                                // plus sign
            {"0,000694444444444444", true, 0.000694444444444444, false}, // a minute, as written
            {"0,12345678901234567", true, 0.12345678901234567, false},   // 17 digits: beyond 2^53
            {"9007199254740993", true, 9007199254740992.0, false},       // 2^53 + 1 rounds to even
            {"5,78703703703704E-6", true, 5.78703703703704e-6, false},   // exponent form
            {"1e22", true, 1e22, false},                                 // largest exact power
            {"1e23", true, 1e23, false},                                 // one beyond it
            {"123456,5e-22", true, 123456.5e-22, false},                 // exponent and fraction
            {"1E-400", false, 0.0, false},                               // underflow
            {"1E0400", false, 0.0, false},                               // long exponent
            {"0,5x", false, 0.0, false},                                 // trailing letter
            {"00000000000000000000000000000000000000000000000000000000000000005", false, 0.0, false}, // 65 characters
        };
        for (const auto& r : rows) {
            double v = 0;
            qint32 i = 0;
            QCOMPARE(
                r.integer ? parseStoreInteger(QStringView(r.text), i) : parseDayNumber(QStringView(r.text), v), r.ok);
            if (r.ok && r.integer)
                QCOMPARE(i, qint32(r.value));
            else if (r.ok)
                QVERIFY2(std::bit_cast<quint64>(v) == std::bit_cast<quint64>(r.value), qPrintable(r.text));
        }
        // Many numbers in every form the store and a hand may write, read bit
        // for bit as the C++ library reads them.
        std::mt19937_64 random(26);
        const auto reference = [](const std::string& dot) {
            double v = 0;
            std::from_chars(dot.data(), dot.data() + dot.size(), v);
            return v;
        };
        for (int k = 0; k < 20000; ++k) {
            const double scale[] = {1.0, 3e6, 1e-7, 1e15, 1e-3};
            double x = std::uniform_real_distribution<double>(-1, 1)(random) * scale[k % 5];
            if (k % 7 == 0)
                x = std::round(x * 86400000) / 86400000; // whole milliseconds
            char buf[64];
            std::vector<std::string> forms;
            for (const int precision : {15, 16, 17}) {
                forms.emplace_back(buf, std::to_chars(buf, buf + 64, x, std::chars_format::fixed, precision).ptr);
                forms.emplace_back(buf, std::to_chars(buf, buf + 64, x, std::chars_format::scientific, precision).ptr);
            }
            forms.emplace_back(buf, size_t(formatDayNumber(x, '.', buf)));
            for (const std::string& dot : forms) {
                if (dot.size() >= 64)
                    continue; // refused whatever it reads
                QByteArray comma = QByteArray::fromStdString(dot);
                if (k % 2)
                    comma.replace('.', ',');
                double v = 0;
                QVERIFY2(parseDayNumber(QByteArrayView(comma), v), comma.constData());
                QVERIFY2(std::bit_cast<quint64>(v) == std::bit_cast<quint64>(reference(dot)), comma.constData());
            }
        }
    }

    void dayNumbers()
    {
        QCOMPARE(DayNumbers::fromDate(QDate(2024, 3, 15)), 45366.0);
        QCOMPARE(DayNumbers::fromDate(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(DayNumbers::fromDate(QDate(1899, 12, 29)), -1.0);
        QCOMPARE(DayNumbers::toDate(45366.75), QDate(2024, 3, 15));
        QCOMPARE(DayNumbers::toTime(0.4375), QTime(10, 30));
        QCOMPARE(DayNumbers::toTime(DayNumbers::fromTime(QTime(13, 14, 15, 16))), QTime(13, 14, 15, 16));
        // Weekdays count from Sunday = 1.
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 17)), 1);
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 18)), 2);
        QCOMPARE(DayNumbers::weekday(QDate(2024, 3, 16)), 7);
        // Minutes of a stored time: seconds dropped, a hair below a minute up, the date part ignored,
        // before day 0 counted from midnight.
        const std::pair<double, int> minutes[]
            = {{0.604166666666667, 870}, {0.302083333333333, 435}, {(37800 + 59.9) / 86400, 630},
                {(37860 - 0.0004) / 86400, 631}, {45366.4375, 630}, {0.9999999999, 1439}, {0.0, 0}, {-1.25, 360}};
        for (const auto& [fraction, minute] : minutes)
            QCOMPARE(DayNumbers::hoursMinutes(fraction), minute);
    }
};

BRIVO_REGISTER_TEST(TestUt)
#include "tst_ut.moc"
