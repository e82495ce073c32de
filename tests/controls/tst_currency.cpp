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
};

BRIVO_REGISTER_TEST(TestCurrency)
#include "tst_currency.moc"
