#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"
#include "fakes/FakeAutostart.h"
#include "fakes/FakeRegistry.h"

#include <QTest>

namespace {

const QString KEY = QStringLiteral("Software\\Brivo\\BrivoReminder\\Brivo Reminder\\Impostazioni");
const QStringList SOUNDS{QStringLiteral("Campana"), QStringLiteral("Gong")};

// The shipped switches.
BuildConfig settingsConfig()
{
    BuildConfig config;
    config.NOME_PROGRAMMA = QStringLiteral("Brivo Reminder");
    config.LINGUA_DEFAULT = QStringLiteral("English (UK)");
    config.COLORAZIONE_DEFAULT = QStringLiteral("Reminder");
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = true;
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = true;
    config.bannerDefault = 1;
    return config;
}

struct Row {
    const char *change, *stored, *expected;
};

} // namespace

Q_DECLARE_METATYPE(Row)

class TestUserSettings : public QObject {
    Q_OBJECT
private slots:
    // Stored values as they are read and written back at the next save: a
    // change to the switches, then "name=value" lists joined by ';'.
    void storedValues_data()
    {
        QTest::addColumn<Row>("r");
        QTest::newRow("first start") << Row{"", "",
            "Tipo_colorazione=Reminder;Lingua_attuale=English (UK);Suono_Memo=Campana;Suono_Sveglie=Campana;"
            "vis_banner=1;positionKnown=0;qt_aperture_prog=1;Width_Appl=472;Height_pnlGen=222;"
            "Preavviso_predefinito_memo=-5;Notifica_desktop=1"};
        QTest::newRow("blanks around") << Row{"", "Width_Appl= 500 ", "Width_Appl=500"};
        QTest::newRow("followed by letters") << Row{"", "Width_Appl=500abc", "Width_Appl=472"};
        QTest::newRow("junk, default -5") << Row{"", "Preavviso_predefinito_memo=5 0", "Preavviso_predefinito_memo=-5"};
        QTest::newRow("unknown language: the default")
            << Row{"", "Lingua_attuale=Klingon", "Lingua_attuale=English (UK);unknownLanguage=Klingon"};
        QTest::newRow("language in other letter case") << Row{
            "", "Lingua_attuale=italiano (italia)", "Lingua_attuale=English (UK);unknownLanguage=italiano (italia)"};
        QTest::newRow("known language") << Row{
            "", "Lingua_attuale=Italiano (Italia)", "Lingua_attuale=Italiano (Italia);unknownLanguage="};
        QTest::newRow("build's own default unknown")
            << Row{"default Klingon", "Lingua_attuale=Vulcan", "Lingua_attuale=Vulcan;unknownLanguage="};
        QTest::newRow("language switch off")
            << Row{"language off", "Lingua_attuale=Italiano (Italia)", "Lingua_attuale=English (UK)"};
        QTest::newRow("banner saved 0") << Row{"", "vis_banner=0", "vis_banner=0"};
        QTest::newRow("banner saved 1 over default 0") << Row{"banner default 0", "vis_banner=1", "vis_banner=1"};
        QTest::newRow("banner junk") << Row{"", "vis_banner=yes", "vis_banner=1"};
        QTest::newRow("banner switch off") << Row{"banner off", "vis_banner=0", "vis_banner=1"};
        QTest::newRow("position") << Row{
            "", "Ultima_pos_Left=-5;Ultima_pos_Top=-7", "positionKnown=1;Ultima_pos_Left=-5;Ultima_pos_Top=-7"};
        QTest::newRow("position 0, 0") << Row{"", "Ultima_pos_Left=0;Ultima_pos_Top=0", "positionKnown=1"};
        QTest::newRow("left missing") << Row{"", "Ultima_pos_Top=20", "positionKnown=0"};
        QTest::newRow("top junk") << Row{"", "Ultima_pos_Left=10;Ultima_pos_Top=x", "positionKnown=0"};
        QTest::newRow("no sounds") << Row{"no sounds", "", "Suono_Memo=-nessun suono-;Suono_Sveglie=-nessun suono-"};
        QTest::newRow("sound saved") << Row{
            "", "Suono_Memo=Gong;Suono_Sveglie=-nessun suono-", "Suono_Memo=Gong;Suono_Sveglie=-nessun suono-"};
        QTest::newRow("start counted") << Row{"", "qt_aperture_prog=41", "qt_aperture_prog=42"};
        QTest::newRow("start count junk") << Row{"", "qt_aperture_prog=many", "qt_aperture_prog=1"};
        QTest::newRow("desktop notifications off") << Row{"", "Notifica_desktop=0", "Notifica_desktop=0"};
        QTest::newRow("start count at 2147483647") << Row{"", "qt_aperture_prog=2147483647", "qt_aperture_prog=1"};
        QTest::newRow("latest check, written in UTC")
            << Row{"", "Ultimo_controllo=2024-06-03T10:30:00+02:00", "Ultimo_controllo=2024-06-03T08:30:00.000Z"};
        QTest::newRow("latest check junk") << Row{"", "Ultimo_controllo=ieri", "Ultimo_controllo="};
        QTest::newRow("CalDAV collection and user")
            << Row{"", "CalDAV_URL=https://dav.example.org/anna/promemoria/;CalDAV_Utente=anna",
                   "CalDAV_URL=https://dav.example.org/anna/promemoria/;CalDAV_Utente=anna"};
        QTest::newRow("no CalDAV: no sync") << Row{"", "", "CalDAV_URL=;CalDAV_Utente="};
    }
    void storedValues()
    {
        QFETCH(Row, r);
        const QString change = QString::fromUtf8(r.change);
        const QStringList stored = QString::fromUtf8(r.stored).split(u';');
        BuildConfig config = settingsConfig();
        config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = change != u"language off";
        config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = change != u"banner off";
        config.bannerDefault = change == u"banner default 0" ? 0 : 1;
        if (change == u"default Klingon")
            config.LINGUA_DEFAULT = QStringLiteral("Klingon");
        FakeRegistry registry;
        for (const QString& value : stored)
            registry.values.insert({KEY, value.section(u'=', 0, 0)}, value.section(u'=', 1));
        UserSettings s;
        const QString unknownLanguage
            = readSettings(s, registry, KEY, config, change == u"no sounds" ? QStringList() : SOUNDS);
        FakeAutostart autostart;
        writeSettings(s, registry, KEY, autostart, config.NOME_PROGRAMMA);
        QCOMPARE(registry.passes, 1); // reading wrote nothing
        for (const QString& value : QString::fromUtf8(r.expected).split(u';')) {
            const QString name = value.section(u'=', 0, 0);
            const QString got = name == u"positionKnown" ? QString::number(s.positionKnown)
                : name == u"unknownLanguage"             ? unknownLanguage
                                                         : registry.readString(KEY, name);
            QCOMPARE(got, value.section(u'=', 1));
        }
    }

    // 1 writes the entry; 0, and any other number, removes it.
    void autostartEntry()
    {
        for (const qint32 avvio : {1, 0, 2}) {
            FakeRegistry registry;
            FakeAutostart autostart;
            autostart.entries = {QStringLiteral("Brivo Reminder"), QStringLiteral("Other Program")};
            UserSettings s;
            s.Avvio_automatico = avvio;
            writeSettings(s, registry, KEY, autostart, QStringLiteral("Brivo Reminder"));
            QCOMPARE(autostart.entries.contains(QStringLiteral("Brivo Reminder")), avvio == 1);
            QVERIFY(autostart.entries.contains(QStringLiteral("Other Program")));
            QCOMPARE(autostart.calls.size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
