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

// stored and expected are "name=value" lists joined by ';'.
void addRow(const char* tag, const char* change, const char* stored, const char* expected)
{
    QTest::newRow(tag) << QString::fromUtf8(change) << QString::fromUtf8(stored).split(u';')
                       << QString::fromUtf8(expected).split(u';');
}

} // namespace

class TestUserSettings : public QObject {
    Q_OBJECT
private slots:
    // Stored values as they are read and written back at the next save.
    void storedValues_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("expected");
        addRow("first start", "", "",
            "Tipo_colorazione=Reminder;Lingua_attuale=English (UK);Suono_Memo=Campana;Suono_Sveglie=Campana;"
            "vis_banner=1;positionKnown=0;qt_aperture_prog=1;Width_Appl=472;Height_pnlGen=222;"
            "Preavviso_predefinito_memo=-5;Notifica_desktop=1");
        addRow("blanks around", "", "Width_Appl= 500 ", "Width_Appl=500");
        addRow("negative", "", "Width_Appl=-20", "Width_Appl=-20");
        addRow("followed by letters", "", "Width_Appl=500abc", "Width_Appl=472");
        addRow("junk, another default", "", "Preavviso_predefinito_memo=5 0", "Preavviso_predefinito_memo=-5");
        addRow("language saved", "", "Lingua_attuale=Italiano (Italia)", "Lingua_attuale=Italiano (Italia)");
        addRow("unknown language kept", "", "Lingua_attuale=Klingon", "Lingua_attuale=Klingon");
        addRow(
            "language switch off", "language off", "Lingua_attuale=Italiano (Italia)", "Lingua_attuale=English (UK)");
        addRow("banner saved 0", "", "vis_banner=0", "vis_banner=0");
        addRow("banner saved 1 over default 0", "banner default 0", "vis_banner=1", "vis_banner=1");
        addRow("banner junk", "", "vis_banner=yes", "vis_banner=1");
        addRow("banner switch off", "banner off", "vis_banner=0", "vis_banner=1");
        addRow("position", "", "Ultima_pos_Left=-5;Ultima_pos_Top=-7",
            "positionKnown=1;Ultima_pos_Left=-5;Ultima_pos_Top=-7");
        addRow("position 0, 0", "", "Ultima_pos_Left=0;Ultima_pos_Top=0", "positionKnown=1");
        addRow("left missing", "", "Ultima_pos_Top=20", "positionKnown=0");
        addRow("top junk", "", "Ultima_pos_Left=10;Ultima_pos_Top=x", "positionKnown=0");
        addRow("no sounds", "no sounds", "", "Suono_Memo=-nessun suono-;Suono_Sveglie=-nessun suono-");
        addRow("sound saved", "", "Suono_Memo=Gong;Suono_Sveglie=-nessun suono-",
            "Suono_Memo=Gong;Suono_Sveglie=-nessun suono-");
        addRow("start counted", "", "qt_aperture_prog=41", "qt_aperture_prog=42");
        addRow("start count junk", "", "qt_aperture_prog=many", "qt_aperture_prog=1");
        addRow("desktop notifications off", "", "Notifica_desktop=0", "Notifica_desktop=0");
        addRow("start count at the 32-bit limit", "", "qt_aperture_prog=2147483647", "qt_aperture_prog=1");
        addRow("latest check, written in UTC", "", "Ultimo_controllo=2024-06-03T10:30:00+02:00",
            "Ultimo_controllo=2024-06-03T08:30:00.000Z");
        addRow("latest check junk", "", "Ultimo_controllo=ieri", "Ultimo_controllo=");
    }

    void storedValues()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, expected);
        BuildConfig config = settingsConfig();
        config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = change != u"language off";
        config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = change != u"banner off";
        config.bannerDefault = change == u"banner default 0" ? 0 : 1;
        FakeRegistry registry;
        for (const QString& value : std::as_const(stored))
            registry.values.insert({KEY, value.section(u'=', 0, 0)}, value.section(u'=', 1));
        UserSettings s;
        readSettings(s, registry, KEY, config, change == u"no sounds" ? QStringList() : SOUNDS);
        FakeAutostart autostart;
        writeSettings(s, registry, KEY, autostart, config.NOME_PROGRAMMA);
        QCOMPARE(registry.passes, 1); // reading wrote nothing
        QCOMPARE(settingsKey(config.NOME_PROGRAMMA), KEY);
        for (const QString& value : std::as_const(expected)) {
            const QString name = value.section(u'=', 0, 0);
            QCOMPARE(name == u"positionKnown" ? QString::number(s.positionKnown) : registry.readString(KEY, name),
                value.section(u'=', 1));
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
