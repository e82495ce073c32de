// Settings through the real settings file, from one start to the next. Values
// of the wrong kind in a hand-edited file are the registry tests' part.

#include "SettingsFields.h"
#include "fakes/FakeAutostart.h"
#include "platform/DesktopAutostart.h"
#include "platform/QSettingsRegistry.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

const QString PROGRAM = QStringLiteral("Brivo Reminder");

// One start of the program as far as its settings go, in folder `run`: reads
// the file the previous start left in folder `previous`, applies `change`
// and saves. QSettings caches files by name, so each start reads a copy in a
// folder of its own.
UserSettings startIn(const QString& home, int run, const std::function<void(UserSettings&)>& change)
{
    const QString folder = home + u'/' + QString::number(run);
    QDir().mkpath(folder + QStringLiteral("/Brivo"));
    QFile::copy(home + u'/' + QString::number(run - 1) + QStringLiteral("/Brivo/BrivoReminder.ini"),
        folder + QStringLiteral("/Brivo/BrivoReminder.ini"));
    QSettingsRegistry registry(folder);
    DesktopAutostart autostart(home, QStringLiteral("/usr/bin/brivo-reminder"));
    UserSettings s;
    readSettings(s, registry, settingsKey(PROGRAM), settingsConfig(), {QStringLiteral("Campana")});
    UserSettings saved = s;
    change(saved);
    writeSettings(saved, registry, settingsKey(PROGRAM), autostart, PROGRAM);
    return s;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void nextRunReadsWhatThisRunWrote();
};

void TestSettingsFile::nextRunReadsWhatThisRunWrote()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString entry = home.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");

    const UserSettings first = startIn(home.path(), 1, [](UserSettings& s) {
        s.Width_Appl = 600;
        s.Lingua_attuale = QStringLiteral("Italiano (Italia)");
        s.Ultima_pos_Left = 33;
        s.Ultima_pos_Top = -44;
        s.Avvio_automatico = 1;
        s.Suono_Memo = QStringLiteral("-nessun suono-");
    });
    QCOMPARE(first.qt_aperture_prog, 1);
    QVERIFY(!first.positionKnown);
    QVERIFY(QFile::exists(entry));

    const UserSettings second = startIn(home.path(), 2, [](UserSettings& s) { s.Avvio_automatico = 0; });
    QCOMPARE(second.qt_aperture_prog, 2);
    QCOMPARE(second.Width_Appl, 600);
    QCOMPARE(second.Lingua_attuale, QStringLiteral("Italiano (Italia)"));
    QCOMPARE(second.Suono_Memo, QStringLiteral("-nessun suono-"));
    QVERIFY(second.positionKnown);
    QCOMPARE(QPoint(second.Ultima_pos_Left, second.Ultima_pos_Top), QPoint(33, -44));
    QCOMPARE(second.Avvio_automatico, 1);
    QVERIFY(!QFile::exists(entry));

    QCOMPARE(startIn(home.path(), 3, [](UserSettings&) {}).Avvio_automatico, 0);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
