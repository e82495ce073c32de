#include "ConfigFixture.h"
#include "app/config/BuildConfig.h"
#include "app/config/ConfigValues.h"
#include "fakes/FakeLocale.h"
#include "fakes/FakeMessageBoxes.h"

#include <QTest>

class TestBuildConfig : public QObject {
    Q_OBJECT
private slots:
    void quotedValue_data();
    void quotedValue();
    void typedKey_data();
    void typedKey();
    void keyLookup_data();
    void keyLookup();
    void validTable();
    void idOrder();
    void keyErrors_data();
    void keyErrors();
    void bannerDefault_data();
    void bannerDefault();
    void pictures_data();
    void pictures();
    void defaultLanguage_data();
    void defaultLanguage();
};

void TestBuildConfig::quotedValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("value");
    QTest::newRow("spaces") << "K = \"v\"" << 1 << "v";
    QTest::newRow("no spaces") << "K=\"v\"" << 1 << "v";
    QTest::newRow("many spaces") << "K    =    \"a b \"" << 1 << "a b ";
    QTest::newRow("empty value") << "K = \"\"" << 1 << "";
    QTest::newRow("trailing CR LF") << "K = \"v\"\r\n" << 1 << "v";
    QTest::newRow("third quote ends nothing") << "K = \"a\"b\"" << 1 << "a";
    QTest::newRow("no quote") << "K = v" << -2 << "";
    QTest::newRow("no closing quote") << "K = \"v" << -3 << "";
}

void TestBuildConfig::quotedValue()
{
    QFETCH(QString, line);
    QFETCH(int, result);
    QFETCH(QString, value);
    QString out = QStringLiteral("stale");
    QCOMPARE(extractQuotedValue(line, out), result);
    QCOMPARE(out, value);
}

void TestBuildConfig::typedKey_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("result");
    QTest::addColumn<qint32>("expected"); // booleans as 0/1

    QTest::newRow("boolean 1") << "boolean"
                               << "1" << 1 << 1;
    QTest::newRow("boolean 0") << "boolean"
                               << "0" << 1 << 0;
    QTest::newRow("boolean true") << "boolean"
                                  << "true" << -2 << 0;
    QTest::newRow("boolean 01") << "boolean"
                                << "01" << -2 << 0;
    QTest::newRow("boolean empty") << "boolean"
                                   << "" << -2 << 0;
    QTest::newRow("boolean spaced") << "boolean"
                                    << " 1" << -2 << 0;

    QTest::newRow("integer") << "integer"
                             << "3" << 1 << 3;
    QTest::newRow("integer negative") << "integer"
                                      << "-7" << 1 << -7;
    QTest::newRow("integer plus") << "integer"
                                  << "+7" << 1 << 7;
    QTest::newRow("integer max") << "integer"
                                 << "2147483647" << 1 << 2147483647;
    QTest::newRow("integer min") << "integer"
                                 << "-2147483648" << 1 << qint32(-2147483647 - 1);
    QTest::newRow("integer too big") << "integer"
                                     << "2147483648" << -2 << 0;
    QTest::newRow("integer eleven digits") << "integer"
                                           << "12345678901" << -2 << 0;
    QTest::newRow("hex") << "integer"
                         << "$10" << 1 << 16;
    QTest::newRow("hex lower case") << "integer"
                                    << "$ff" << 1 << 255;
    QTest::newRow("hex all ones") << "integer"
                                  << "$FFFFFFFF" << 1 << -1;
    QTest::newRow("hex leading zeros") << "integer"
                                       << "$000000000001" << 1 << 1;
    QTest::newRow("hex nine digits") << "integer"
                                     << "$100000000" << -2 << 0;
    QTest::newRow("hex bare") << "integer"
                              << "$" << -2 << 0;
    QTest::newRow("hex bad digit") << "integer"
                                   << "$1G" << -2 << 0;
    QTest::newRow("integer letters") << "integer"
                                     << "3a" << -2 << 0;
    QTest::newRow("integer empty") << "integer"
                                   << "" << -2 << 0;
    QTest::newRow("integer sign only") << "integer"
                                       << "-" << -2 << 0;
    QTest::newRow("integer spaced") << "integer"
                                    << " 3" << -2 << 0;

    QTest::newRow("colour name") << "colour"
                                 << "clWhite" << 1 << 0xFFFFFF;
    QTest::newRow("colour name any case") << "colour"
                                          << "CLNAVY" << 1 << 0x800000;
    QTest::newRow("system colour") << "colour"
                                   << "clBtnFace" << 1 << qint32(0xFF00000F);
    QTest::newRow("colour number") << "colour"
                                   << "$00FABD05" << 1 << 0x00FABD05;
    QTest::newRow("colour decimal") << "colour"
                                    << "255" << 1 << 255;
    QTest::newRow("colour unknown") << "colour"
                                    << "clNoSuchColour" << -2 << 0;
    QTest::newRow("colour bare name") << "colour"
                                      << "White" << -2 << 0;
}

void TestBuildConfig::typedKey()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(int, result);
    QFETCH(qint32, expected);
    const QStringList lines{QStringLiteral("OTHER = \"9\""), QStringLiteral("KEY = \"") + value + u'"'};
    const QString key = QStringLiteral("KEY");
    if (type == u"boolean") {
        bool out = false;
        QCOMPARE(readConfigBoolean(lines, key, out), result);
        QCOMPARE(qint32(out), expected);
    } else if (type == u"integer") {
        qint32 out = 0;
        QCOMPARE(readConfigInteger(lines, key, out), result);
        QCOMPARE(out, expected);
    } else {
        qint32 out = 0;
        QCOMPARE(readConfigColour(lines, key, out), result);
        QCOMPARE(out, expected);
    }
}

void TestBuildConfig::keyLookup_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("value");
    QTest::newRow("found") << QStringList{"A = \"x\"", "KEY = \"v\""} << 1 << "v";
    QTest::newRow("no spaces around =") << QStringList{"KEY=\"v\""} << 1 << "v";
    QTest::newRow("missing") << QStringList{"A = \"x\""} << -1 << "";
    QTest::newRow("leading space") << QStringList{" KEY = \"v\""} << -1 << "";
    QTest::newRow("other case") << QStringList{"key = \"v\""} << -1 << "";
    QTest::newRow("first line wins") << QStringList{"KEY = \"one\"", "KEY = \"two\""} << 1 << "one";
    QTest::newRow("prefix match") << QStringList{"KEY_LONGER = \"p\""} << 1 << "p";
    QTest::newRow("no quote") << QStringList{"KEY = v"} << -12 << "";
    QTest::newRow("no closing quote") << QStringList{"KEY = \"v"} << -13 << "";
    QTest::newRow("bad first line hides good one") << QStringList{"KEY = v", "KEY = \"v\""} << -12 << "";
}

void TestBuildConfig::keyLookup()
{
    QFETCH(QStringList, lines);
    QFETCH(int, result);
    QFETCH(QString, value);
    QString out = QStringLiteral("stale"); // a failed text read leaves it empty
    QCOMPARE(readConfigText(lines, QStringLiteral("KEY"), out), result);
    QCOMPARE(out, value);
}

void TestBuildConfig::validTable()
{
    FakeResources resources = validResources();
    resources.strings.insert(5, QString()); // empty strings are skipped
    resources.strings.insert(300, QStringLiteral("# not a key"));
    FakeLocale locale(QStringLiteral("en_GB"));
    FakeMessageBoxes boxes;
    BuildConfig config;
    QCOMPARE(readBuildConfig(config, resources, locale, boxes), 1);
    QCOMPARE(boxes.texts(), QStringList());
    QVERIFY(!config.endRequested);
    QCOMPARE(config.lines.size(), 26);
    QCOMPARE(config.NOME_PROGRAMMA, QStringLiteral("Brivo Reminder"));
    QCOMPARE(config.LINGUA_DEFAULT, QStringLiteral("English (UK)"));
    QVERIFY(config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON && config.VIS_BANNER_FORZATA_ON);
    QCOMPARE(config.VIS_BANNER_FORZATA_OGNI_QT_VOLTE, 3);
    QCOMPARE(config.bannerDefault, 1);
    QVERIFY(!config.COLORI_PERSONALIZZATI_ON);
    QCOMPARE(config.COLORE_CIFRE, 0); // not read while custom colours are off
    QCOMPARE(config.logoPicture, QByteArray("logo picture"));
    QCOMPARE(config.bannerPicture, QByteArray("banner picture"));
}

void TestBuildConfig::idOrder()
{
    // Lines are taken by ascending id, whatever order they were defined in;
    // ids 0 and 1000 count, 1001 is never read.
    FakeResources resources = validResources();
    resources.strings.remove(idOfKey(resources.strings, QStringLiteral("NOME_PROGRAMMA")));
    resources.strings.remove(idOfKey(resources.strings, QStringLiteral("OGGETTO_EMAIL")));
    resources.strings.remove(idOfKey(resources.strings, QStringLiteral("LINK_BANNER")));
    resources.strings.insert(1000, QStringLiteral("NOME_PROGRAMMA = \"Higher id\""));
    resources.strings.insert(0, QStringLiteral("NOME_PROGRAMMA = \"Lower id\""));
    resources.strings.insert(1000 - 1, QStringLiteral("OGGETTO_EMAIL = \"Last id\""));
    resources.strings.insert(1001, QStringLiteral("LINK_BANNER = \"beyond the table\""));
    FakeLocale locale;
    FakeMessageBoxes boxes;
    BuildConfig config;
    QCOMPARE(readBuildConfig(config, resources, locale, boxes), 1);
    QCOMPARE(config.NOME_PROGRAMMA, QStringLiteral("Lower id"));
    QCOMPARE(config.OGGETTO_EMAIL, QStringLiteral("Last id"));
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Errore: Errore -1 in \"LINK_BANNER\"")});
    QVERIFY(config.endRequested);
}

void TestBuildConfig::keyErrors_data()
{
    // Changes to the valid table: key -> new line (empty = remove the key).
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("missing text key") << QStringList{"NOME_PROGRAMMA", ""}
                                      << QStringList{"Errore: Errore -1 in \"NOME_PROGRAMMA\""};
    QTest::newRow("boolean true") << QStringList{"CAMBIO_LINGUA_ON", "CAMBIO_LINGUA_ON = \"true\""}
                                  << QStringList{"Errore: Errore -2 in \"CAMBIO_LINGUA_ON\""};
    QTest::newRow("boolean 01") << QStringList{"MODIFICA_COLORI_ON", "MODIFICA_COLORI_ON = \"01\""}
                                << QStringList{"Errore: Errore -2 in \"MODIFICA_COLORI_ON\""};
    QTest::newRow("unquoted") << QStringList{"LINK_BANNER", "LINK_BANNER = https://x"}
                              << QStringList{"Errore: Errore -12 in \"LINK_BANNER\""};
    QTest::newRow("unclosed") << QStringList{"OGGETTO_EMAIL", "OGGETTO_EMAIL = \"Programma"}
                              << QStringList{"Errore: Errore -13 in \"OGGETTO_EMAIL\""};
    QTest::newRow("mandatory unused key")
        << QStringList{"SECONDI_ATTESA_LOGO", ""} << QStringList{"Errore: Errore -1 in \"SECONDI_ATTESA_LOGO\""};
    QTest::newRow("size 3") << QStringList{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"3\""}
                            << QStringList{"Errore: DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)"};
    QTest::newRow("size not a number") << QStringList{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"x\""}
                                       << QStringList{"Errore: Errore -2 in \"DIMENSIONE_INIZIALE\"",
                                              "Errore: DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)"};
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
        << QStringList{"Errore: Errore -1 in \"NOME_PROGRAMMA\"", "Errore: Errore -13 in \"OGGETTO_EMAIL\"",
               "Errore: DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)",
               "Errore: Errore -2 in \"COLORI_PERSONALIZZATI_ON\""};
}

void TestBuildConfig::keyErrors()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, boxes);
    FakeResources resources = validResources();
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
        const int id = idOfKey(resources.strings, changes[i]);
        QVERIFY2(id >= 0, qPrintable(changes[i]));
        resources.strings.insert(id, changes[i + 1]);
    }
    FakeLocale locale;
    FakeMessageBoxes shown;
    BuildConfig config;
    // Key errors do not stop the reading: the pictures still load.
    QCOMPARE(readBuildConfig(config, resources, locale, shown), 1);
    QCOMPARE(shown.texts(), boxes);
    QCOMPARE(config.endRequested, !boxes.isEmpty());
    QVERIFY(!config.bannerPicture.isEmpty());
    for (const FakeMessageBoxes::Shown& box : shown.shown) {
        QCOMPARE(box.kind, MessageKind::Error);
        QCOMPARE(box.caption, QStringLiteral("Brivo Reminder"));
    }
}

void TestBuildConfig::bannerDefault_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<qint32>("bannerDefault");
    QTest::addColumn<bool>("endRequested");
    QTest::newRow("1 without banner") << "1" << 0 << false;
    QTest::newRow("2 with banner") << "2" << 1 << false;
    QTest::newRow("3 refused") << "3" << 0 << true;
    QTest::newRow("hex 2") << "$2" << 1 << false;
}

void TestBuildConfig::bannerDefault()
{
    QFETCH(QString, size);
    QFETCH(qint32, bannerDefault);
    QFETCH(bool, endRequested);
    FakeResources resources = validResources();
    resources.strings.insert(idOfKey(resources.strings, QStringLiteral("DIMENSIONE_INIZIALE")),
        QStringLiteral("DIMENSIONE_INIZIALE = \"%1\"").arg(size));
    FakeLocale locale;
    FakeMessageBoxes boxes;
    BuildConfig config;
    QCOMPARE(readBuildConfig(config, resources, locale, boxes), 1);
    QCOMPARE(config.bannerDefault, bannerDefault);
    QCOMPARE(config.endRequested, endRequested);
}

void TestBuildConfig::pictures_data()
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

void TestBuildConfig::pictures()
{
    QFETCH(bool, logoOn);
    QFETCH(bool, bannerOn);
    QFETCH(QStringList, present);
    QFETCH(int, result);
    QFETCH(QStringList, boxes);
    FakeResources resources = validResources();
    resources.strings.insert(idOfKey(resources.strings, QStringLiteral("LOGO_INIZIALE_DISPLAY_ON")),
        QStringLiteral("LOGO_INIZIALE_DISPLAY_ON = \"%1\"").arg(int(logoOn)));
    resources.strings.insert(idOfKey(resources.strings, QStringLiteral("BANNER_PRESENTE_ON")),
        QStringLiteral("BANNER_PRESENTE_ON = \"%1\"").arg(int(bannerOn)));
    for (const QString& name : {QStringLiteral("LOGO"), QStringLiteral("BANNER")}) {
        if (!present.contains(name))
            resources.bitmaps.remove(name);
    }
    FakeLocale locale;
    FakeMessageBoxes shown;
    BuildConfig config;
    QCOMPARE(readBuildConfig(config, resources, locale, shown), result);
    QCOMPARE(shown.texts(), boxes);
    QCOMPARE(config.logoPicture.isEmpty(), !(logoOn && present.contains(QStringLiteral("LOGO"))));
    if (result == 1)
        QCOMPARE(config.bannerPicture.isEmpty(), !bannerOn);
}

void TestBuildConfig::defaultLanguage_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("System, Italian") << "System"
                                     << "it_IT"
                                     << "Italiano (Italia)";
    QTest::newRow("System, Swiss Italian") << "System"
                                           << "it_CH"
                                           << "Italiano (Italia)";
    QTest::newRow("System, German") << "System"
                                    << "de_DE"
                                    << "English (UK)";
    QTest::newRow("System, British") << "System"
                                     << "en_GB"
                                     << "English (UK)";
    QTest::newRow("System, C locale") << "System"
                                      << "C"
                                      << "English (UK)";
    QTest::newRow("named language kept") << "English (UK)"
                                         << "it_IT"
                                         << "English (UK)";
    QTest::newRow("only System exactly") << "system"
                                         << "it_IT"
                                         << "system";
}

void TestBuildConfig::defaultLanguage()
{
    QFETCH(QString, value);
    QFETCH(QString, locale);
    QFETCH(QString, language);
    FakeResources resources = validResources();
    resources.strings.insert(idOfKey(resources.strings, QStringLiteral("LINGUA_DEFAULT")),
        QStringLiteral("LINGUA_DEFAULT = \"%1\"").arg(value));
    FakeLocale user(locale);
    FakeMessageBoxes boxes;
    BuildConfig config;
    QCOMPARE(readBuildConfig(config, resources, user, boxes), 1);
    QCOMPARE(config.LINGUA_DEFAULT, language);
}

QTEST_GUILESS_MAIN(TestBuildConfig)
#include "tst_buildconfig.moc"
