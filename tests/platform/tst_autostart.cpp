#include "platform/DesktopAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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
    return QRegularExpression(QStringLiteral("^Exec=(.*)$"), QRegularExpression::MultilineOption)
        .match(entry)
        .captured(1);
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    // The Exec value's path as the desktop-entry format wants it: quoted,
    // with \ " ` $ escaped inside the quotes, % doubled, and the backslashes
    // doubled once more as a string value.
    void execQuoting()
    {
        const QString rows[][2] = {
            {"/home/ann/My Programs/brivo", "\"/home/ann/My Programs/brivo\""},
            {"/tmp/$HOME/brivo", "\"/tmp/\\\\$HOME/brivo\""},
            {"/tmp/a\"b/brivo", "\"/tmp/a\\\\\"b/brivo\""},
            {"/tmp/a`b/brivo", "\"/tmp/a\\\\`b/brivo\""},
            {"/tmp/a\\b/brivo", "\"/tmp/a\\\\\\\\b/brivo\""},
            {"/tmp/100%/brivo", "\"/tmp/100%%/brivo\""},
            {"/tmp/a;b&c|d(e)*?#~<>'/brivo", "\"/tmp/a;b&c|d(e)*?#~<>'/brivo\""}, // reserved outside quotes
            {"/home/zo\u00eb/Programmi \u00e0", "\"/home/zo\u00eb/Programmi \u00e0\""},
        };
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing: install desktop-file-utils");
        for (const auto& [executable, exec] : rows) {
            QTemporaryDir dir;
            DesktopAutostart autostart(dir.path(), executable);
            QVERIFY(autostart.writeEntry(PROGRAM));
            const QString path = dir.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");
            QCOMPARE(execLine(readText(path)), exec + QStringLiteral(" /AutoRun"));
            QProcess validate;
            validate.setProcessChannelMode(QProcess::MergedChannels);
            validate.start(validator, {path});
            QVERIFY(validate.waitForFinished(30000));
            const QString output = QString::fromLocal8Bit(validate.readAll());
            QVERIFY2(
                validate.exitStatus() == QProcess::NormalExit && validate.exitCode() == 0 && output.trimmed().isEmpty(),
                qPrintable(output));
        }
    }

    void writeRewriteRemove()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");
        DesktopAutostart running(dir.path()); // the running executable
        DesktopAutostart other(dir.path(), QStringLiteral("/new/brivo"));
        QVERIFY(!running.removeEntry(PROGRAM));
        QVERIFY(running.writeEntry(PROGRAM));
        QCOMPARE(execLine(readText(path)),
            DesktopAutostart::quoteExecArgument(QCoreApplication::applicationFilePath()) + QStringLiteral(" /AutoRun"));
        QVERIFY(other.writeEntry(PROGRAM));
        const QString entry = readText(path);
        QCOMPARE(execLine(entry), QStringLiteral("\"/new/brivo\" /AutoRun"));
        QVERIFY(entry.contains(u"\nName=Brivo Reminder\n")); // the rest of a valid entry is execQuoting's
        QVERIFY(running.removeEntry(PROGRAM));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!other.removeEntry(PROGRAM));

        // A name cannot lead out of the folder; a folder that cannot be made fails.
        for (const QString& name : {QStringLiteral("../../escape"), QStringLiteral(".."), QString()}) {
            QVERIFY(other.writeEntry(name));
            QCOMPARE(QFileInfo(other.entryPath(name)).absolutePath(), dir.path() + QStringLiteral("/autostart"));
            QVERIFY(QFile::exists(other.entryPath(name)));
        }
        DesktopAutostart blocked(path + QStringLiteral("x"), QStringLiteral("/opt/brivo"));
        QFile(path + QStringLiteral("x")).open(QIODevice::WriteOnly);
        QVERIFY(!blocked.writeEntry(PROGRAM));
        QVERIFY(!blocked.removeEntry(PROGRAM));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
