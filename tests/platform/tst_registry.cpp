#include "platform/QSettingsRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString KEY = QStringLiteral("Software\\Brivo\\BrivoReminder\\Brivo Reminder\\Impostazioni");

void writeFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class TestRegistry : public QObject {
    Q_OBJECT
private slots:
    void locate()
    {
        const QString ini = QStringLiteral("/c/Brivo/BrivoReminder.ini");
        const struct {
            QString key;
            QString file; // empty: refused
            QString group;
        } rows[] = {
            {KEY, ini, "Brivo Reminder/Impostazioni"},             // settings key
            {"Brivo\\BrivoReminder\\X", ini, "X"},                 // without Software
            {"Software\\Brivo\\BrivoReminder", ini, ""},           // application only
            {"Software\\\\Brivo\\BrivoReminder\\\\A\\", ini, "A"}, // doubled separators
            {"Software\\Brivo", "", ""},                           // too short
            {"Software\\..\\BrivoReminder\\X", "", ""},            // parent folder
            {"Software\\a/b\\c", "", ""},                          // slash in file part
        };
        const QSettingsRegistry registry(QStringLiteral("/c"));
        for (const auto& r : rows) {
            QString file;
            QString group;
            QCOMPARE(registry.locate(r.key, file, group), !r.file.isEmpty());
            if (!r.file.isEmpty())
                QCOMPARE(file + u'|' + group, r.file + u'|' + r.group);
        }
    }

    // A missing file reads empty and is not created; a folder that cannot
    // be made fails quietly; a delete says whether there was a value; a
    // list or a byte array reads empty. Odd strings round-trip as QSettings
    // escapes them; reading back what a run wrote is the program test's.
    void missingDeletedAndOtherKinds()
    {
        QTemporaryDir dir;
        QSettingsRegistry registry(dir.path());
        QCOMPARE(registry.readString(KEY, QStringLiteral("A")), QString());
        QCOMPARE(registry.deleteValue(KEY, QStringLiteral("A")), 0);
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(registry.writeString(KEY, QStringLiteral("A"), QStringLiteral("1")));
        QVERIFY(registry.writeString(KEY, QStringLiteral("B"), QStringLiteral("2")));
        QCOMPARE(registry.deleteValue(KEY, QStringLiteral("A")), 1);
        QCOMPARE(registry.deleteValue(KEY, QStringLiteral("A")), 0);
        const QSettingsRegistry fresh(dir.path());
        QCOMPARE(fresh.readString(KEY, QStringLiteral("A")), QString());
        QCOMPARE(fresh.readString(KEY, QStringLiteral("B")), QStringLiteral("2"));
        writeFile(dir.path() + QStringLiteral("/Brivo/BrivoReminder.ini"),
            "[Brivo%20Reminder]\nImpostazioni\\L=500, 600\nImpostazioni\\Y=@ByteArray(500)\nImpostazioni\\Z=1\n");
        QCOMPARE(fresh.readString(KEY, QStringLiteral("L")), QString());
        QCOMPARE(fresh.readString(KEY, QStringLiteral("Y")), QString());
        QCOMPARE(fresh.readString(KEY, QStringLiteral("Z")), QStringLiteral("1"));

        const QString blocker = dir.path() + QStringLiteral("/file"); // a file where the folder should be
        writeFile(blocker, "not a folder");
        QSettingsRegistry blocked(blocker);
        QVERIFY(!blocked.writeString(KEY, QStringLiteral("A"), QStringLiteral("500")));
        QCOMPARE(blocked.readString(KEY, QStringLiteral("A")), QString());
    }

    // A settings file the program makes is the user's alone, from its first
    // byte on; one that exists keeps the mode its owner gave it.
    void fileMode()
    {
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        const struct {
            const char* name;
            std::optional<QFile::Permissions> existing;
        } rows[] = {
            {"new", std::nullopt},
            {"existing, readable by all", owner | QFile::ReadGroup | QFile::ReadOther},
            {"existing, group may write", owner | QFile::ReadGroup | QFile::WriteGroup},
        };
        for (const auto& r : rows) {
            QTemporaryDir dir;
            const QString ini = dir.path() + QStringLiteral("/Brivo/BrivoReminder.ini");
            if (r.existing) {
                writeFile(ini, "[x]\ny=1\n");
                QVERIFY(QFile::setPermissions(ini, *r.existing));
            }
            QSettingsRegistry registry(dir.path());
            QVERIFY(registry.writeString(KEY, QStringLiteral("A"), QStringLiteral("1")));
            QVERIFY(registry.writeString(KEY, QStringLiteral("B"), QStringLiteral("2")));
            const QFile::Permissions unixBits = QFile::permissions(ini)
                & (owner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                    | QFile::WriteOther | QFile::ExeOther);
            QVERIFY2(unixBits == r.existing.value_or(owner), r.name);
            QCOMPARE(QSettingsRegistry(dir.path()).readString(KEY, QStringLiteral("B")), QStringLiteral("2"));
        }
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
