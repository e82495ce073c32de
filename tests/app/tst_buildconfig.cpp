#include "ConfigFixture.h"
#include "app/config/BuildConfig.h"
#include "app/config/ConfigValues.h"
#include "fakes/FakeLocale.h"
#include "fakes/FakeMessageBoxes.h"

#include <QTest>

namespace {

enum Kind { Boolean, Integer, Colour };

// The valid table with lines replaced: key, new line (empty: the key is
// gone), key, new line...
FakeResources changedTable(const QStringList& changes)
{
    FakeResources resources = validResources();
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
        const int id = idOfKey(resources.strings, changes[i]);
        if (id < 0)
            qFatal("no key %s in the table", qPrintable(changes[i]));
        resources.strings.insert(id, changes[i + 1]);
    }
    return resources;
}

// One reading of a table under a locale, with the boxes it showed.
struct ConfigRead {
    explicit ConfigRead(const FakeResources& resources, const QString& locale = QStringLiteral("en_GB"))
    {
        const FakeLocale user(locale);
        result = readBuildConfig(config, resources, user, boxes);
    }
    BuildConfig config;
    FakeMessageBoxes boxes;
    int result = 0;
};

} // namespace

class TestBuildConfig : public QObject {
    Q_OBJECT
private slots:
    void textKey_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("value");
        QTest::newRow("found") << QStringList{"A = \"x\"", "KEY = \"v\""} << 1 << "v";
        QTest::newRow("no spaces around =") << QStringList{"KEY=\"v\""} << 1 << "v";
        QTest::newRow("many spaces") << QStringList{"KEY    =    \"a b \""} << 1 << "a b ";
        QTest::newRow("empty value") << QStringList{"KEY = \"\""} << 1 << "";
        QTest::newRow("trailing CR LF") << QStringList{"KEY = \"v\"\r\n"} << 1 << "v";
        QTest::newRow("third quote ends nothing") << QStringList{"KEY = \"a\"b\""} << 1 << "a";
        QTest::newRow("missing") << QStringList{"A = \"x\""} << -1 << "";
        QTest::newRow("leading space") << QStringList{" KEY = \"v\""} << -1 << "";
        QTest::newRow("other case") << QStringList{"key = \"v\""} << -1 << "";
        QTest::newRow("first line wins") << QStringList{"KEY = \"one\"", "KEY = \"two\""} << 1 << "one";
        QTest::newRow("prefix match") << QStringList{"KEY_LONGER = \"p\""} << 1 << "p";
        QTest::newRow("no quote") << QStringList{"KEY = v"} << -12 << "";
        QTest::newRow("no closing quote") << QStringList{"KEY = \"v"} << -13 << "";
        QTest::newRow("bad first line hides good one") << QStringList{"KEY = v", "KEY = \"v\""} << -12 << "";
    }

    void textKey()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, result);
        QFETCH(QString, value);
        QString out = QStringLiteral("stale"); // a failed read leaves it empty
        QCOMPARE(readConfigText(lines, QStringLiteral("KEY"), out), result);
        QCOMPARE(out, value);
    }

    void typedKey_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("result");
        QTest::addColumn<qint32>("expected"); // booleans as 0/1
        QTest::newRow("boolean 1") << int(Boolean) << "1" << 1 << 1;
        QTest::newRow("boolean 0") << int(Boolean) << "0" << 1 << 0;
        QTest::newRow("boolean true") << int(Boolean) << "true" << -2 << 0;
        QTest::newRow("integer") << int(Integer) << "3" << 1 << 3;
        QTest::newRow("integer plus") << int(Integer) << "+7" << 1 << 7;
        QTest::newRow("integer max") << int(Integer) << "2147483647" << 1 << 2147483647;
        QTest::newRow("integer min") << int(Integer) << "-2147483648" << 1 << qint32(-2147483647 - 1);
        QTest::newRow("integer too big") << int(Integer) << "2147483648" << -2 << 0;
        QTest::newRow("hex") << int(Integer) << "$10" << 1 << 16;
        QTest::newRow("hex all ones") << int(Integer) << "$FFFFFFFF" << 1 << -1;
        QTest::newRow("hex leading zeros") << int(Integer) << "$000000000001" << 1 << 1;
        QTest::newRow("hex nine digits") << int(Integer) << "$100000000" << -2 << 0;
        QTest::newRow("hex bare") << int(Integer) << "$" << -2 << 0;
        QTest::newRow("hex bad digit") << int(Integer) << "$1G" << -2 << 0;
        QTest::newRow("integer letters") << int(Integer) << "3a" << -2 << 0;
        QTest::newRow("integer sign only") << int(Integer) << "-" << -2 << 0;
        QTest::newRow("colour name") << int(Colour) << "clWhite" << 1 << 0xFFFFFF;
        QTest::newRow("colour name any case") << int(Colour) << "CLNAVY" << 1 << 0x800000;
        QTest::newRow("system colour") << int(Colour) << "clBtnFace" << 1 << qint32(0xFF00000F);
        QTest::newRow("colour number") << int(Colour) << "$00FABD05" << 1 << 0x00FABD05;
        QTest::newRow("colour decimal") << int(Colour) << "255" << 1 << 255;
        QTest::newRow("colour unknown") << int(Colour) << "clNoSuchColour" << -2 << 0;
    }

    void typedKey()
    {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(int, result);
        QFETCH(qint32, expected);
        const QStringList lines{QStringLiteral("OTHER = \"9\""), QStringLiteral("KEY = \"") + value + u'"'};
        const QString key = QStringLiteral("KEY");
        bool flag = false;
        qint32 out = 0;
        if (kind == Boolean) {
            QCOMPARE(readConfigBoolean(lines, key, flag), result);
            out = flag;
        } else {
            QCOMPARE(kind == Integer ? readConfigInteger(lines, key, out) : readConfigColour(lines, key, out), result);
        }
        QCOMPARE(out, expected);
    }

    // Lines are taken by ascending id, whatever order they were defined in;
    // ids 0 and 1000 count, 1001 is never read.
    void idOrder()
    {
        FakeResources resources = changedTable({"NOME_PROGRAMMA", "", "OGGETTO_EMAIL", "", "LINK_BANNER", ""});
        resources.strings.insert(1000, QStringLiteral("NOME_PROGRAMMA = \"Higher id\""));
        resources.strings.insert(0, QStringLiteral("NOME_PROGRAMMA = \"Lower id\""));
        resources.strings.insert(1000 - 1, QStringLiteral("OGGETTO_EMAIL = \"Last id\""));
        resources.strings.insert(1001, QStringLiteral("LINK_BANNER = \"beyond the table\""));
        const ConfigRead read(resources);
        QCOMPARE(read.result, 1);
        QCOMPARE(read.config.NOME_PROGRAMMA, QStringLiteral("Lower id"));
        QCOMPARE(read.config.OGGETTO_EMAIL, QStringLiteral("Last id"));
        QCOMPARE(read.boxes.texts(), QStringList{QStringLiteral("Errore: Errore -1 in \"LINK_BANNER\"")});
        QVERIFY(read.config.endRequested);
    }

    void keyErrors_data()
    {
        QTest::addColumn<QStringList>("changes"); // for changedTable
        QTest::addColumn<QStringList>("boxes");
        const QString size = QStringLiteral("Errore: DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)");
        QTest::newRow("valid table") << QStringList{} << QStringList{};
        QTest::newRow("missing text key")
            << QStringList{"NOME_PROGRAMMA", ""} << QStringList{"Errore: Errore -1 in \"NOME_PROGRAMMA\""};
        QTest::newRow("boolean true") << QStringList{"CAMBIO_LINGUA_ON", "CAMBIO_LINGUA_ON = \"true\""}
                                      << QStringList{"Errore: Errore -2 in \"CAMBIO_LINGUA_ON\""};
        QTest::newRow("mandatory unused key")
            << QStringList{"SECONDI_ATTESA_LOGO", ""} << QStringList{"Errore: Errore -1 in \"SECONDI_ATTESA_LOGO\""};
        QTest::newRow("size 3") << QStringList{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"3\""}
                                << QStringList{size};
        QTest::newRow("size not a number") << QStringList{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"x\""}
                                           << QStringList{"Errore: Errore -2 in \"DIMENSIONE_INIZIALE\"", size};
        QTest::newRow("custom colours missing") << QStringList{"COLORI_PERSONALIZZATI_ON", ""}
                                                << QStringList{"Errore: Errore -1 in \"COLORI_PERSONALIZZATI_ON\""};
        QTest::newRow("colour keys unread while off")
            << QStringList{"COLORE_CIFRE", "", "COLORE_BARRA_ICONE", ""} << QStringList{};
        QTest::newRow("colour keys read when on")
            << QStringList{"COLORI_PERSONALIZZATI_ON", "COLORI_PERSONALIZZATI_ON = \"1\"", "COLORE_CIFRE", "",
                   "COLORE_BARRA_ICONE", "COLORE_BARRA_ICONE = \"clNowhere\""}
            << QStringList{"Errore: Errore -1 in \"COLORE_CIFRE\"", "Errore: Errore -2 in \"COLORE_BARRA_ICONE\""};
        QTest::newRow("every error in key order")
            << QStringList{"NOME_PROGRAMMA", "", "OGGETTO_EMAIL", "OGGETTO_EMAIL = \"x", "DIMENSIONE_INIZIALE",
                   "DIMENSIONE_INIZIALE = \"0\"", "COLORI_PERSONALIZZATI_ON", "COLORI_PERSONALIZZATI_ON = \"\""}
            << QStringList{"Errore: Errore -1 in \"NOME_PROGRAMMA\"", "Errore: Errore -13 in \"OGGETTO_EMAIL\"", size,
                   "Errore: Errore -2 in \"COLORI_PERSONALIZZATI_ON\""};
    }

    void keyErrors()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, boxes);
        const ConfigRead read(changedTable(changes));
        // Key errors do not stop the reading: the pictures still load.
        QCOMPARE(read.result, 1);
        QCOMPARE(read.boxes.texts(), boxes);
        QCOMPARE(read.config.endRequested, !boxes.isEmpty());
        QVERIFY(!read.config.bannerPicture.isEmpty());
        for (const FakeMessageBoxes::Shown& box : read.boxes.shown) {
            QCOMPARE(box.kind, MessageKind::Error);
            QCOMPARE(box.caption, QStringLiteral("Brivo Reminder"));
        }
    }

    // Size 2 shows the banner by default; 1 does not, nor a refused 3.
    void bannerDefault()
    {
        for (const auto& [size, shown] : std::initializer_list<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 0}}) {
            const ConfigRead read(
                changedTable({"DIMENSIONE_INIZIALE", QStringLiteral("DIMENSIONE_INIZIALE = \"%1\"").arg(size)}));
            QCOMPARE(read.config.bannerDefault, shown);
        }
    }

    void pictures_data()
    {
        QTest::addColumn<bool>("logoOn");
        QTest::addColumn<bool>("bannerOn");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("boxes");
        const QString logoBox = QStringLiteral("Errore: Impossibile caricare la bitmap del Logo");
        const QString bannerBox = QStringLiteral("Errore: Impossibile caricare la bitmap del Banner");
        QTest::newRow("both") << true << true << QStringList{"LOGO", "BANNER"} << 1 << QStringList{};
        QTest::newRow("no logo") << true << true << QStringList{"BANNER"} << -3 << QStringList{logoBox};
        QTest::newRow("neither: logo first") << true << true << QStringList{} << -3 << QStringList{logoBox};
        QTest::newRow("no banner") << true << true << QStringList{"LOGO"} << -3 << QStringList{bannerBox};
        QTest::newRow("logo off") << false << true << QStringList{"BANNER"} << 1 << QStringList{};
        QTest::newRow("banner off") << true << false << QStringList{"LOGO"} << 1 << QStringList{};
    }

    void pictures()
    {
        QFETCH(bool, logoOn);
        QFETCH(bool, bannerOn);
        QFETCH(QStringList, present);
        QFETCH(int, result);
        QFETCH(QStringList, boxes);
        FakeResources resources = changedTable(
            {"LOGO_INIZIALE_DISPLAY_ON", QStringLiteral("LOGO_INIZIALE_DISPLAY_ON = \"%1\"").arg(int(logoOn)),
                "BANNER_PRESENTE_ON", QStringLiteral("BANNER_PRESENTE_ON = \"%1\"").arg(int(bannerOn))});
        for (const QString& name : {QStringLiteral("LOGO"), QStringLiteral("BANNER")}) {
            if (!present.contains(name))
                resources.bitmaps.remove(name);
        }
        const ConfigRead read(resources);
        QCOMPARE(read.result, result);
        QCOMPARE(read.boxes.texts(), boxes);
        QCOMPARE(read.config.logoPicture.isEmpty(), !(logoOn && present.contains(QStringLiteral("LOGO"))));
        if (result == 1)
            QCOMPARE(read.config.bannerPicture.isEmpty(), !bannerOn);
    }

    void defaultLanguage_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::newRow("System, Italian") << "System" << QString("it_IT") << "Italiano (Italia)";
        QTest::newRow("System, Swiss Italian") << "System" << QString("it_CH") << "Italiano (Italia)";
        QTest::newRow("System, German") << "System" << QString("de_DE") << "English (UK)";
        QTest::newRow("named language kept") << "English (UK)" << QString("it_IT") << "English (UK)";
        QTest::newRow("only System exactly") << "system" << QString("it_IT") << "system";
    }

    void defaultLanguage()
    {
        QFETCH(QString, value);
        QFETCH(QString, locale);
        QFETCH(QString, language);
        const ConfigRead read(
            changedTable({"LINGUA_DEFAULT", QStringLiteral("LINGUA_DEFAULT = \"%1\"").arg(value)}), locale);
        QCOMPARE(read.result, 1);
        QCOMPARE(read.config.LINGUA_DEFAULT, language);
    }
};

QTEST_GUILESS_MAIN(TestBuildConfig)
#include "tst_buildconfig.moc"
