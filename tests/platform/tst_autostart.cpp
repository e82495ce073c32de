#include "platform/DesktopAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString PROGRAM = QStringLiteral("Brivo Reminder");

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString execLine(const QString& entry)
{
    const QStringList lines = entry.split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(u"Exec="))
            return line.mid(5);
    }
    return QString();
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void execQuoting_data();
    void execQuoting();
    void writeRewriteRemove();
    void runningExecutableByDefault();
    void programNameStaysInFolder();
    void unusableFolderFails();
};

void TestAutostart::execQuoting_data()
{
    // The path, and the Exec value as the desktop-entry format wants it:
    // quoted, with \ " ` $ escaped inside the quotes, % doubled, and the
    // backslashes doubled once more as a string value.
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain") << "/opt/brivo/bin/brivo-reminder"
                           << "\"/opt/brivo/bin/brivo-reminder\" /AutoRun";
    QTest::newRow("spaces") << "/home/ann/My Programs/brivo-reminder"
                            << "\"/home/ann/My Programs/brivo-reminder\" /AutoRun";
    QTest::newRow("dollar") << "/tmp/$HOME/brivo"
                            << "\"/tmp/\\\\$HOME/brivo\" /AutoRun";
    QTest::newRow("double quote") << "/tmp/a\"b/brivo"
                                  << "\"/tmp/a\\\\\"b/brivo\" /AutoRun";
    QTest::newRow("backquote") << "/tmp/a`b/brivo"
                               << "\"/tmp/a\\\\`b/brivo\" /AutoRun";
    QTest::newRow("backslash") << "/tmp/a\\b/brivo"
                               << "\"/tmp/a\\\\\\\\b/brivo\" /AutoRun";
    QTest::newRow("percent") << "/tmp/100%/brivo"
                             << "\"/tmp/100%%/brivo\" /AutoRun";
    QTest::newRow("reserved outside quotes") << "/tmp/a;b&c|d(e)*?#~<>'/brivo"
                                             << "\"/tmp/a;b&c|d(e)*?#~<>'/brivo\" /AutoRun";
    QTest::newRow("non-ASCII") << "/home/zo\u00eb/Programmi \u00e0/brivo"
                               << "\"/home/zo\u00eb/Programmi \u00e0/brivo\" /AutoRun";
}

void TestAutostart::execQuoting()
{
    QFETCH(QString, executable);
    QFETCH(QString, exec);
    QTemporaryDir dir;
    DesktopAutostart autostart(dir.path(), executable);
    QVERIFY(autostart.writeEntry(PROGRAM));
    const QString path = dir.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");
    QCOMPARE(autostart.entryPath(PROGRAM), path);
    QCOMPARE(execLine(readText(path)), exec);

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing: install desktop-file-utils");
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {path});
    QVERIFY(validate.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(validate.readAll());
    QVERIFY2(validate.exitStatus() == QProcess::NormalExit && validate.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
}

void TestAutostart::writeRewriteRemove()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");
    DesktopAutostart first(dir.path(), QStringLiteral("/old/brivo"));
    DesktopAutostart second(dir.path(), QStringLiteral("/new/brivo"));
    QVERIFY(!second.removeEntry(PROGRAM));
    QVERIFY(first.writeEntry(PROGRAM));
    QVERIFY(second.writeEntry(PROGRAM));
    const QString entry = readText(path);
    QCOMPARE(execLine(entry), QStringLiteral("\"/new/brivo\" /AutoRun"));
    QVERIFY(entry.startsWith(u"[Desktop Entry]\n"));
    QVERIFY(entry.contains(u"\nName=Brivo Reminder\n"));
    QVERIFY(entry.contains(u"\nType=Application\n"));
    QVERIFY(second.removeEntry(PROGRAM));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!second.removeEntry(PROGRAM));
}

void TestAutostart::runningExecutableByDefault()
{
    QTemporaryDir dir;
    DesktopAutostart autostart(dir.path());
    QVERIFY(autostart.writeEntry(PROGRAM));
    QCOMPARE(execLine(readText(autostart.entryPath(PROGRAM))),
        DesktopAutostart::quoteExecArgument(QCoreApplication::applicationFilePath()) + QStringLiteral(" /AutoRun"));
    QVERIFY(QCoreApplication::applicationFilePath().startsWith(u'/'));
}

void TestAutostart::programNameStaysInFolder()
{
    QTemporaryDir dir;
    DesktopAutostart autostart(dir.path(), QStringLiteral("/opt/brivo"));
    for (const QString& name : {QStringLiteral("../../escape"), QStringLiteral(".."), QString()}) {
        QVERIFY(autostart.writeEntry(name));
        const QString path = autostart.entryPath(name);
        QCOMPARE(QFileInfo(path).absolutePath(), dir.path() + QStringLiteral("/autostart"));
        QVERIFY(QFile::exists(path));
    }
}

void TestAutostart::unusableFolderFails()
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + QStringLiteral("/file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DesktopAutostart autostart(blocker.fileName(), QStringLiteral("/opt/brivo"));
    QVERIFY(!autostart.writeEntry(PROGRAM));
    QVERIFY(!autostart.removeEntry(PROGRAM));
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
