#include "ControlsTest.h"

#include "controls/Currency.h"

class TestCurrency : public QObject {
    Q_OBJECT

private slots:
    void valoreDaTesto_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<qint64>("units");
        QTest::newRow("zero") << "0" << 1 << qint64(0);
        QTest::newRow("zero comma decimals") << "0,00" << 1 << qint64(0);
        QTest::newRow("minus zero") << "-0" << 1 << qint64(0);
        QTest::newRow("blanks trimmed") << "  0  " << 1 << qint64(0);
        QTest::newRow("decimal point") << "12.5" << 1 << qint64(125000);
        QTest::newRow("comma as separator") << "-3,25" << 1 << qint64(-32500);
        QTest::newRow("plus sign") << "+7" << 1 << qint64(70000);
        QTest::newRow("leading separator") << ".5" << 1 << qint64(5000);
        QTest::newRow("empty") << "" << -1 << qint64(0);
        QTest::newRow("letter") << "0a" << -2 << qint64(0);
        QTest::newRow("sign inside") << "1-2" << -2 << qint64(0);
        QTest::newRow("two signs") << "+-1" << -2 << qint64(0);
        QTest::newRow("two separators") << "1,2,3" << -3 << qint64(0);
        QTest::newRow("sign alone") << "+" << -4 << qint64(0);
        QTest::newRow("separator alone") << "," << -4 << qint64(0);
        QTest::newRow("out of range") << "99999999999999999999" << -4 << qint64(0);
    }

    void valoreDaTesto()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(qint64, units);
        Currency value = Currency::fromUnits(99);
        QCOMPARE(Valore_da_Testo(text, value, QLatin1Char('.')), code);
        QCOMPARE(value.units(), units);
    }

    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("units");
        QTest::newRow("half to even, down") << "0.00005" << true << qint64(0);
        QTest::newRow("half to even, up") << "0.00015" << true << qint64(2);
        QTest::newRow("above half") << "0.000051" << true << qint64(1);
        QTest::newRow("negative") << "-1.23456" << true << qint64(-12346);
        QTest::newRow("largest") << "922337203685477.5807" << true << qint64(9223372036854775807LL);
        QTest::newRow("smallest") << "-922337203685477.5808" << true << qint64(-9223372036854775807LL - 1);
        QTest::newRow("just past the largest") << "922337203685477.5808" << false << qint64(0);
        QTest::newRow("exponent") << "1e3" << false << qint64(0);
    }

    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, units);
        Currency value;
        QCOMPARE(Currency::fromText(text, QLatin1Char('.'), value), ok);
        if (ok)
            QCOMPARE(value.units(), units);
    }

    void toText_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << qint64(150000) << "15";
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("trailing zeros dropped") << qint64(15000) << "1,5";
        QTest::newRow("small negative") << qint64(-1) << "-0,0001";
        QTest::newRow("most negative") << qint64(-9223372036854775807LL - 1) << "-922337203685477,5808";
    }

    void toText()
    {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromUnits(units).toText(QLatin1Char(',')), text);
    }
};

BRIVO_REGISTER_TEST(TestCurrency)
#include "tst_currency.moc"
