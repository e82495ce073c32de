#include "platform/QSettingsRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    void locate_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("group");
        const QString ini = QStringLiteral("/c/Brivo/BrivoReminder.ini");
        QTest::newRow("settings key") << KEY << true << ini << "Brivo Reminder/Impostazioni";
        QTest::newRow("without Software") << "Brivo\\BrivoReminder\\X" << true << ini << "X";
        QTest::newRow("application only") << "Software\\Brivo\\BrivoReminder" << true << ini << "";
        QTest::newRow("doubled separators") << "Software\\\\Brivo\\BrivoReminder\\\\A\\" << true << ini << "A";
        QTest::newRow("too short") << "Software\\Brivo" << false << QString() << "";
        QTest::newRow("parent folder") << "Software\\..\\BrivoReminder\\X" << false << QString() << "";
        QTest::newRow("slash in file part") << "Software\\a/b\\c" << false << QString() << "";
    }

    void locate()
    {
        QFETCH(QString, key);
        QFETCH(bool, ok);
        QFETCH(QString, file);
        QFETCH(QString, group);
        const QSettingsRegistry registry(QStringLiteral("/c"));
        QString outFile;
        QString outGroup;
        QCOMPARE(registry.locate(key, outFile, outGroup), ok);
        if (ok) {
            QCOMPARE(outFile, file);
            QCOMPARE(outGroup, group);
        }
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("spaces around") << " 500 ";
        QTest::newRow("comma") << "a, b";
        QTest::newRow("at sign") << "@Variant(x)";
        QTest::newRow("backslash") << "C:\\Suoni\\";
        QTest::newRow("accents") << "Italiano (Italia) \u00e8 \u20ac";
        QTest::newRow("line breaks") << "one\ntwo\r\n";
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        {
            QSettingsRegistry writer(dir.path() + QStringLiteral("/not/yet"));
            QVERIFY(writer.writeStrings(
                KEY, {{QStringLiteral("Value"), text}, {QStringLiteral("Other"), QStringLiteral("x")}}));
        }
        const QSettingsRegistry reader(dir.path() + QStringLiteral("/not/yet"));
        QCOMPARE(reader.readString(KEY, QStringLiteral("Value")), text);
        QCOMPARE(reader.readString(KEY, QStringLiteral("Other")), QStringLiteral("x"));
        // Another program name is another key.
        QCOMPARE(reader.readString(
                     QStringLiteral("Software\\Brivo\\BrivoReminder\\Other\\Impostazioni"), QStringLiteral("Value")),
            QString());
    }

    // A list or a byte array reads empty.
    void valuesOfOtherKindsReadEmpty()
    {
        for (const QByteArray line : {"Width_Appl=500, 600", "Width_Appl=@ByteArray(500)"}) {
            QTemporaryDir dir;
            writeFile(dir.path() + QStringLiteral("/Brivo/BrivoReminder.ini"),
                "[Brivo%20Reminder]\nImpostazioni\\" + line + "\nImpostazioni\\Stay_on_top=1\n");
            const QSettingsRegistry registry(dir.path());
            QCOMPARE(registry.readString(KEY, QStringLiteral("Width_Appl")), QString());
            QCOMPARE(registry.readString(KEY, QStringLiteral("Stay_on_top")), QStringLiteral("1"));
        }
    }

    // A missing file reads empty and is not created; a folder that cannot
    // be made fails quietly; a delete says whether there was a value.
    void missingAndDeleted()
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

        const QString blocker = dir.path() + QStringLiteral("/file"); // a file where the folder should be
        writeFile(blocker, "not a folder");
        QSettingsRegistry blocked(blocker);
        QVERIFY(!blocked.writeString(KEY, QStringLiteral("A"), QStringLiteral("500")));
        QCOMPARE(blocked.readString(KEY, QStringLiteral("A")), QString());
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
