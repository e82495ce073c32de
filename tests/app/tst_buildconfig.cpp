#include "ConfigFixture.h"
#include "app/config/BuildConfig.h"
#include "app/config/ConfigValues.h"
#include "fakes/FakeLocale.h"
#include "fakes/FakeMessageBoxes.h"

#include <QTest>

namespace {

enum Kind { Text, Boolean, Integer, Colour };

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

struct Row {
    QStringList changes; // for changedTable
    QStringList boxes;
    int banner;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestBuildConfig : public QObject {
    Q_OBJECT
private slots:
    // One reader per kind, after a line of another key; numbers compared as text.
    void readKey()
    {
        const struct {
            int kind;
            QString line;
            int result;
            QString expected; // a failed read leaves text empty, numbers 0
        } rows[] = {
            {int(Text), "KEY=\"a b \"\r\n", 1, "a b "},                // text
            {int(Text), " KEY = \"v\"", -1, ""},                       // text missing
            {int(Text), "KEY = v", -12, ""},                           // text no quote
            {int(Text), "KEY = \"v", -13, ""},                         // text no closing quote
            {int(Boolean), "KEY = \"1\"", 1, "1"},                     // boolean 1
            {int(Boolean), "KEY = \"true\"", -2, "0"},                 // boolean true
            {int(Integer), "KEY = \"-2147483648\"", 1, "-2147483648"}, // integer min
            {int(Integer), "KEY = \"2147483648\"", -2, "0"},           // integer too big
            {int(Integer), "KEY = \"$FFFFFFFF\"", 1, "-1"},            // hex all ones
            {int(Integer), "KEY = \"$000000000001\"", 1, "1"},         // hex leading zeros
            {int(Integer), "KEY = \"$100000000\"", -2, "0"},           // hex nine digits
            {int(Text), "key = \"v\"", -1, ""},                        // key in another case
            {int(Colour), "KEY = \"CLNAVY\"", 1, "8388608"},           // colour name any case
            {int(Colour), "KEY = \"clNoSuchColour\"", -2, "0"},        // colour unknown
        };
        for (const auto& r : rows) {
            const QStringList lines{QStringLiteral("OTHER = \"9\""), r.line};
            const QString key = QStringLiteral("KEY");
            QString text = QStringLiteral("stale");
            bool flag = false;
            qint32 out = 0;
            if (r.kind == Text) {
                QCOMPARE(readConfigText(lines, key, text), r.result);
            } else if (r.kind == Boolean) {
                QCOMPARE(readConfigBoolean(lines, key, flag), r.result);
                out = flag;
            } else {
                QCOMPARE(r.kind == Integer ? readConfigInteger(lines, key, out) : readConfigColour(lines, key, out),
                    r.result);
            }
            QCOMPARE(r.kind == Text ? text : QString::number(out), r.expected);
        }
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

    // Key errors are told in key order and do not stop the reading: the
    // pictures still load. Size 2 shows the banner by default; 1 does not,
    // nor a refused 3.
    void keyErrors_data()
    {
        QTest::addColumn<Row>("r");
        const QString size = QStringLiteral("Errore: DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)");
        const auto error
            = [](int code, const char* key) { return QString("Errore: Errore %1 in \"%2\"").arg(code).arg(key); };
        QTest::newRow("valid table") << Row{{}, {}, 1};
        QTest::newRow("size 1") << Row{{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"1\""}, {}, 0};
        QTest::newRow("missing text key") << Row{{"NOME_PROGRAMMA", ""}, {error(-1, "NOME_PROGRAMMA")}, 1};
        QTest::newRow("mandatory, unused") << Row{{"SECONDI_ATTESA_LOGO", ""}, {error(-1, "SECONDI_ATTESA_LOGO")}, 1};
        QTest::newRow("size 3") << Row{{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"3\""}, {size}, 0};
        QTest::newRow("size not a number")
            << Row{{"DIMENSIONE_INIZIALE", "DIMENSIONE_INIZIALE = \"x\""}, {error(-2, "DIMENSIONE_INIZIALE"), size}, 0};
        QTest::newRow("custom colours missing")
            << Row{{"COLORI_PERSONALIZZATI_ON", ""}, {error(-1, "COLORI_PERSONALIZZATI_ON")}, 1};
        QTest::newRow("colour keys unread while off") << Row{{"COLORE_CIFRE", "", "COLORE_BARRA_ICONE", ""}, {}, 1};
        QTest::newRow("colour keys read when on")
            << Row{{"COLORI_PERSONALIZZATI_ON", "COLORI_PERSONALIZZATI_ON = \"1\"", "COLORE_CIFRE", "",
                       "COLORE_BARRA_ICONE", "COLORE_BARRA_ICONE = \"clNowhere\""},
                   {error(-1, "COLORE_CIFRE"), error(-2, "COLORE_BARRA_ICONE")}, 1};
        QTest::newRow("every error in key order") << Row{
            {"NOME_PROGRAMMA", "", "OGGETTO_EMAIL", "OGGETTO_EMAIL = \"x", "DIMENSIONE_INIZIALE",
                "DIMENSIONE_INIZIALE = \"0\"", "COLORI_PERSONALIZZATI_ON", "COLORI_PERSONALIZZATI_ON = \"\""},
            {error(-1, "NOME_PROGRAMMA"), error(-13, "OGGETTO_EMAIL"), size, error(-2, "COLORI_PERSONALIZZATI_ON")}, 0};
    }
    void keyErrors()
    {
        QFETCH(Row, r);
        const ConfigRead read(changedTable(r.changes));
        QCOMPARE(read.result, 1);
        QCOMPARE(read.boxes.texts(), r.boxes);
        QCOMPARE(read.config.endRequested, !r.boxes.isEmpty());
        QCOMPARE(read.config.bannerDefault, r.banner);
        QVERIFY(!read.config.bannerPicture.isEmpty());
    }

    void pictures()
    {
        // Both, no logo, neither (the logo told first), no banner; the logo off, the banner off.
        const QString logoBox = QStringLiteral("Errore: Impossibile caricare la bitmap del Logo");
        const QString bannerBox = QStringLiteral("Errore: Impossibile caricare la bitmap del Banner");
        const struct {
            bool logoOn, bannerOn;
            QStringList present;
            int result;
            QStringList boxes;
        } rows[] = {{true, true, {"LOGO", "BANNER"}, 1, {}}, {true, true, {"BANNER"}, -3, {logoBox}},
            {true, true, {}, -3, {logoBox}}, {true, true, {"LOGO"}, -3, {bannerBox}}, {false, true, {"BANNER"}, 1, {}},
            {true, false, {"LOGO"}, 1, {}}};
        for (const auto& r : rows) {
            FakeResources resources = changedTable(
                {"LOGO_INIZIALE_DISPLAY_ON", QStringLiteral("LOGO_INIZIALE_DISPLAY_ON = \"%1\"").arg(int(r.logoOn)),
                    "BANNER_PRESENTE_ON", QStringLiteral("BANNER_PRESENTE_ON = \"%1\"").arg(int(r.bannerOn))});
            for (const QString& name : {QStringLiteral("LOGO"), QStringLiteral("BANNER")}) {
                if (!r.present.contains(name))
                    resources.bitmaps.remove(name);
            }
            const ConfigRead read(resources);
            QCOMPARE(read.result, r.result);
            QCOMPARE(read.boxes.texts(), r.boxes);
            QCOMPARE(read.config.logoPicture.isEmpty(), !(r.logoOn && r.present.contains(QStringLiteral("LOGO"))));
            if (r.result == 1)
                QCOMPARE(read.config.bannerPicture.isEmpty(), !r.bannerOn);
        }
    }

    void defaultLanguage()
    {
        // "System" takes Italian for any Italian region, else English; a named language
        // stays, and only "System" exactly is the system one.
        const struct {
            QString value, locale, language;
        } rows[] = {{"System", "it_IT", "Italiano (Italia)"}, {"System", "it_CH", "Italiano (Italia)"},
            {"System", "de_DE", "English (UK)"}, {"English (UK)", "it_IT", "English (UK)"},
            {"system", "it_IT", "system"}};
        for (const auto& r : rows) {
            const ConfigRead read(
                changedTable({"LINGUA_DEFAULT", QStringLiteral("LINGUA_DEFAULT = \"%1\"").arg(r.value)}), r.locale);
            QCOMPARE(read.result, 1);
            QCOMPARE(read.config.LINGUA_DEFAULT, r.language);
        }
    }
};

QTEST_GUILESS_MAIN(TestBuildConfig)
#include "tst_buildconfig.moc"
