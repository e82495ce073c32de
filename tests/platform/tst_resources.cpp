#include "platform/ProgramResources.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void parseStringTable()
    {
        const struct {
            QByteArray data;
            QList<int> ids;
            QStringList texts;
        } rows[] = {
            {"96 A = \"1\"\n97 B = \"2\"\n", {96, 97}, {"A = \"1\"", "B = \"2\""}},
            {"5\tA = \"x\"\r\n", {5}, {"A = \"x\""}},                                       // CR LF and tab
            {"# 1 no\n\n2 yes\n", {2}, {"yes"}},                                            // comments and blanks
            {"3  two spaces \n", {3}, {" two spaces "}},                                    // text kept as written
            {"0 first\n1000 last\n1001 beyond\n99999 far\n", {0, 1000}, {"first", "last"}}, // range
            {"7 one\n7 two\n", {7}, {"one"}},                                               // first of two wins
            {"x 1\n-1 neg\n12\n12:bad\n 4 lead\n", {}, {}},                                 // malformed
            {"8 caff\xc3\xa8\n", {8}, {"caff\u00e8"}},                                      // UTF-8
        };
        for (const auto& r : rows) {
            const QMap<int, QString> table = ProgramResources::parseStringTable(r.data);
            QCOMPARE(table.keys(), r.ids);
            QCOMPARE(QStringList(table.values()), r.texts);
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
