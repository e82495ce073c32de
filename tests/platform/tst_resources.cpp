#include "app/config/BuildConfig.h"
#include "fakes/FakeLocale.h"
#include "fakes/FakeMessageBoxes.h"
#include "fakes/FakeResources.h"
#include "platform/ProgramResources.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void parseStringTable_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("lines") << QByteArray("96 A = \"1\"\n97 B = \"2\"\n") << QList<int>{96, 97}
                               << QStringList{"A = \"1\"", "B = \"2\""};
        QTest::newRow("CR LF and tab") << QByteArray("5\tA = \"x\"\r\n") << QList<int>{5} << QStringList{"A = \"x\""};
        QTest::newRow("comments and blanks") << QByteArray("# 1 no\n\n2 yes\n") << QList<int>{2} << QStringList{"yes"};
        QTest::newRow("text kept as written")
            << QByteArray("3  two spaces \n") << QList<int>{3} << QStringList{" two spaces "};
        QTest::newRow("range") << QByteArray("0 first\n1000 last\n1001 beyond\n99999 far\n") << QList<int>{0, 1000}
                               << QStringList{"first", "last"};
        QTest::newRow("first of two wins") << QByteArray("7 one\n7 two\n") << QList<int>{7} << QStringList{"one"};
        QTest::newRow("malformed") << QByteArray("x 1\n-1 neg\n12\n12:bad\n 4 lead\n") << QList<int>{} << QStringList{};
        QTest::newRow("UTF-8") << QByteArray("8 caff\xc3\xa8\n") << QList<int>{8} << QStringList{"caff\u00e8"};
    }

    void parseStringTable()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, texts);
        const QMap<int, QString> table = ProgramResources::parseStringTable(data);
        QCOMPARE(table.keys(), ids);
        QCOMPARE(QStringList(table.values()), texts);
    }

    void shippedConfigurationReadsClean()
    {
        const ProgramResources resources;
        FakeLocale italian(QStringLiteral("it_IT"));
        FakeMessageBoxes boxes;
        BuildConfig config;
        QCOMPARE(readBuildConfig(config, resources, italian, boxes), 1);
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(!config.endRequested);
        QCOMPARE(config.NOME_PROGRAMMA, QStringLiteral("Brivo Reminder"));
        QCOMPARE(config.LINGUA_DEFAULT, QStringLiteral("Italiano (Italia)"));
        for (const QString& link :
            {config.INDIRIZZO_LINK_GRANDE, config.INDIRIZZO_LINK_PICCOLO, config.LINK_BANNER, config.LINK_E_MAIL}) {
            QVERIFY2(link.startsWith(u"https://www.example.org/"), qPrintable(link));
        }
    }

    void bitmapNamesAndBadPictures()
    {
        QTemporaryDir dir;
        QFile bad(dir.path() + QStringLiteral("/BAD"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("this is not a picture") > 0);
        bad.close();
        QFile::copy(QStringLiteral(":/bitmaps/LOGO"), dir.path() + QStringLiteral("/GOOD"));
        const ProgramResources resources(QStringLiteral(":/stringtable.txt"), dir.path());
        QVERIFY(!resources.loadBitmap(QStringLiteral("GOOD")).isEmpty());
        QVERIFY(resources.loadBitmap(QStringLiteral("BAD")).isEmpty());
        QVERIFY(resources.loadBitmap(QStringLiteral("MISSING")).isEmpty());
        QVERIFY(resources.loadBitmap(QStringLiteral("../GOOD")).isEmpty());
        QVERIFY(resources.loadBitmap(QString()).isEmpty());
        const ProgramResources noTable(dir.path() + QStringLiteral("/none.txt"), dir.path());
        QCOMPARE(noTable.loadString(96), QString());
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
