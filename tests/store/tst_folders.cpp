#include "TestMain.h"
#include "app/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestFolders : public QObject {
    Q_OBJECT
private slots:
    void resolve_data()
    {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("sounds");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build or portable copy") << "/opt/brivo"
                                                << ""
                                                << "/opt/brivo"
                                                << "/opt/brivo/Suoni" << false;
        QTest::newRow("installed copy") << "/usr/local/bin"
                                        << ""
                                        << "/home/u/.local/share/Brivo Reminder"
                                        << "/usr/local/share/brivo-reminder/Suoni" << true;
        QTest::newRow("override beats installed") << "/usr/local/bin"
                                                  << "/tmp/h/"
                                                  << "/tmp/h"
                                                  << "/tmp/h/Suoni" << false;
        QTest::newRow("override beats portable") << "/opt/brivo"
                                                 << "/data"
                                                 << "/data"
                                                 << "/data/Suoni" << false;
    }
    void resolve()
    {
        QFETCH(QString, exeDir);
        QFETCH(QString, home);
        QFETCH(QString, data);
        QFETCH(QString, sounds);
        QFETCH(bool, installed);
        const ProgramFolders f = resolveProgramFolders(exeDir, home, "/usr/local", "/home/u/.local/share");
        QCOMPARE(f.data, data);
        QCOMPARE(f.sounds, sounds);
        QCOMPARE(f.installed, installed);
    }

    void installedThroughALink()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("prefix/bin"));
        QVERIFY(QFile::link(dir.filePath("prefix"), dir.filePath("alias")));
        const ProgramFolders f = resolveProgramFolders(dir.filePath("alias/bin"), "", dir.filePath("prefix"), "/d");
        QVERIFY(f.installed);
    }
};

BRIVO_REGISTER_TEST(TestFolders)
#include "tst_folders.moc"
