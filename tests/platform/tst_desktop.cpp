#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLocale.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void oneInstanceAtATime()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>("Brivo Reminder", dir.path());
        QVERIFY(first->acquire());
        SingleInstance second("Brivo Reminder", dir.path());
        QVERIFY(!second.acquire());
        SingleInstance otherName("Another", dir.path());
        QVERIFY(otherName.acquire());
        first.reset();
        QVERIFY(second.acquire());
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        QTemporaryDir dir;
        SingleInstance instance("Brivo Reminder", dir.path());
        // What a copy killed while running leaves: a lock naming a process that is gone.
        QFile lock(instance.lockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483600\nbrivo-reminder\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QVERIFY(instance.acquire());
    }

    void shortTimeHasNoSeconds_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("C") << "C"
                           << "09:05";
        QTest::newRow("it_IT") << "it_IT"
                               << "09:05";
        QTest::newRow("en_GB") << "en_GB"
                               << "09:05";
        QTest::newRow("en_US") << "en_US"
                               << "9:05 AM";
        QTest::newRow("de_DE") << "de_DE"
                               << "09:05";
    }
    void shortTimeHasNoSeconds()
    {
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        const SystemLocale system{QLocale(locale)};
        QCOMPARE(QTime(9, 5, 42).toString(system.shortTimeFormat()), shown);
    }

    void stopSignalsAskForAnOrderlyEnd_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void stopSignalsAskForAnOrderlyEnd()
    {
        QFETCH(int, signal);
        SessionEnd end;
        QSignalSpy spy(&end, &SessionEnd::endRequested);
        std::raise(signal); // the process must survive it
        QVERIFY(spy.wait(2000));
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
