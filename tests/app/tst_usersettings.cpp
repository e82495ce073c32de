#include "SettingsFields.h"
#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"
#include "fakes/FakeAutostart.h"
#include "fakes/FakeRegistry.h"

#include <QTest>

namespace {

const QString KEY = QStringLiteral("Software\\Brivo\\BrivoReminder\\Brivo Reminder\\Impostazioni");

BuildConfig shippedConfig()
{
    BuildConfig config;
    config.NOME_PROGRAMMA = QStringLiteral("Brivo Reminder");
    config.LINGUA_DEFAULT = QStringLiteral("English (UK)");
    config.COLORAZIONE_DEFAULT = QStringLiteral("Reminder");
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = true;
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = true;
    config.DIMENSIONE_INIZIALE = 2;
    config.bannerDefault = 1;
    return config;
}

const QStringList SOUNDS{QStringLiteral("Campana"), QStringLiteral("Gong")};

// Logs the log-on entry calls among the registry writes, to check their place.
class JournalAutostart : public FakeAutostart {
public:
    explicit JournalAutostart(FakeRegistry& registry)
        : m_registry(registry)
    {
    }
    bool writeEntry(const QString& name) override
    {
        m_registry.writes.append(QStringLiteral("[autostart written]"));
        return FakeAutostart::writeEntry(name);
    }
    bool removeEntry(const QString& name) override
    {
        m_registry.writes.append(QStringLiteral("[autostart removed]"));
        return FakeAutostart::removeEntry(name);
    }

private:
    FakeRegistry& m_registry;
};

} // namespace

class TestUserSettings : public QObject {
    Q_OBJECT
private slots:
    void firstStart();
    void readOrder_data();
    void readOrder();
    void writeOrder();
    void integerValues_data();
    void integerValues();
    void savedLanguage_data();
    void savedLanguage();
    void savedBanner_data();
    void savedBanner();
    void lastPosition_data();
    void lastPosition();
    void soundDefaults_data();
    void soundDefaults();
    void startCount_data();
    void startCount();
    void autostartEntry_data();
    void autostartEntry();
};

void TestUserSettings::firstStart()
{
    FakeRegistry registry;
    JournalAutostart autostart(registry);
    UserSettings s;
    readSettings(s, registry, KEY, shippedConfig(), SOUNDS);
    QCOMPARE(s.Tipo_colorazione, QStringLiteral("Reminder"));
    QCOMPARE(s.Lingua_attuale, QStringLiteral("English (UK)"));
    QCOMPARE(s.Suono_Memo, QStringLiteral("Campana"));
    QCOMPARE(s.Suono_Sveglie, QStringLiteral("Campana"));
    QCOMPARE(s.Width_Appl, 472);
    QCOMPARE(s.Height_pnlGen, 222);
    QCOMPARE(s.qt_aperture_prog, 1);
    QCOMPARE(s.vis_banner, 1);
    QVERIFY(!s.positionKnown);
    const UserSettings defaults;
    for (const auto& [name, member] : INTEGER_SETTINGS) {
        if (name != QLatin1String("qt_aperture_prog") && name != QLatin1String("vis_banner"))
            QVERIFY2(s.*member == defaults.*member, name);
    }
    QVERIFY(registry.writes.isEmpty()); // reading creates nothing

    writeSettings(s, registry, KEY, autostart, QStringLiteral("Brivo Reminder"));
    QCOMPARE(registry.value(KEY, QStringLiteral("qt_aperture_prog")), QStringLiteral("1"));
    QCOMPARE(registry.value(KEY, QStringLiteral("Width_Appl")), QStringLiteral("472"));
    QCOMPARE(registry.value(KEY, QStringLiteral("Height_pnlGen")), QStringLiteral("222"));
    QCOMPARE(registry.value(KEY, QStringLiteral("Preavviso_predefinito_memo")), QStringLiteral("-5"));
    QCOMPARE(registry.value(KEY, QStringLiteral("Lingua_attuale")), QStringLiteral("English (UK)"));
}

void TestUserSettings::readOrder_data()
{
    QTest::addColumn<bool>("savedLanguage");
    QTest::addColumn<bool>("savedBanner");
    QTest::addColumn<QStringList>("order");
    const QStringList all{"Tipo_colorazione", "qt_aperture_prog", "Stay_on_top", "Lingua_attuale",
        "Chiedi_conferma_esc", "Chiedi_conferma_cancellazione", "Orario_predefinito_nuovi_promemoria",
        "Incremento_orario_piu_meno", "Anticipo_per_memo_imminenti", "Preavviso_predefinito_memo", "Avvio_automatico",
        "Suono_allarme_ripeturamente", "Attivazione_nuovi_promemoria", "Height_pnlGen", "Width_Appl", "Suono_Memo",
        "Suono_Sveglie", "vis_banner", "Ultima_pos_Left", "Ultima_pos_Top", "Vis_mess_trayicon"};
    QStringList noLanguage = all;
    noLanguage.removeAll(QStringLiteral("Lingua_attuale"));
    QStringList noBanner = all;
    noBanner.removeAll(QStringLiteral("vis_banner"));
    QTest::newRow("both switches on") << true << true << all;
    QTest::newRow("language switch off") << false << true << noLanguage;
    QTest::newRow("banner switch off") << true << false << noBanner;
}

void TestUserSettings::readOrder()
{
    QFETCH(bool, savedLanguage);
    QFETCH(bool, savedBanner);
    QFETCH(QStringList, order);
    BuildConfig config = shippedConfig();
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = savedLanguage;
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = savedBanner;
    FakeRegistry registry;
    UserSettings s;
    readSettings(s, registry, KEY, config, SOUNDS);
    QCOMPARE(registry.reads, order);
}

void TestUserSettings::writeOrder()
{
    FakeRegistry registry;
    JournalAutostart autostart(registry);
    UserSettings s;
    writeSettings(s, registry, KEY, autostart, QStringLiteral("Brivo Reminder"));
    const QStringList order{"Tipo_colorazione", "Orario_predefinito_nuovi_promemoria", "Incremento_orario_piu_meno",
        "Anticipo_per_memo_imminenti", "Preavviso_predefinito_memo", "Avvio_automatico", "Lingua_attuale", "Suono_Memo",
        "Suono_Sveglie", "Attivazione_nuovi_promemoria", "Suono_allarme_ripeturamente", "Chiedi_conferma_cancellazione",
        "Height_pnlGen", "Width_Appl", "vis_banner", "Stay_on_top", "Chiedi_conferma_esc", "Ultima_pos_Left",
        "Ultima_pos_Top", "[autostart removed]", "qt_aperture_prog", "Vis_mess_trayicon"};
    QCOMPARE(registry.writes, order);
}

void TestUserSettings::integerValues_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint32>("width");
    QTest::newRow("plain") << "500" << 500;
    QTest::newRow("surrounded by spaces") << " 500 " << 500;
    QTest::newRow("tabs") << "\t500\t" << 500;
    QTest::newRow("plus sign") << "+500" << 500;
    QTest::newRow("negative") << "-20" << -20;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("followed by letters") << "500abc" << 472;
    QTest::newRow("lone plus") << "+" << 472;
    QTest::newRow("lone minus") << "-" << 472;
    QTest::newRow("empty") << "" << 472;
    QTest::newRow("blank") << "   " << 472;
    QTest::newRow("eleven digits") << "12345678901" << 472;
    QTest::newRow("just past 32 bits") << "2147483648" << 472;
    QTest::newRow("space inside") << "5 00" << 472;
    QTest::newRow("hex") << "0x1F4" << 472;
    QTest::newRow("decimal point") << "500.0" << 472;
    QTest::newRow("two signs") << "--500" << 472;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0665\u0660\u0660") << 472;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF15\uFF10\uFF10") << 472;
}

void TestUserSettings::integerValues()
{
    QFETCH(QString, stored);
    QFETCH(qint32, width);
    FakeRegistry registry;
    registry.values.insert({KEY, QStringLiteral("Width_Appl")}, stored);
    registry.values.insert({KEY, QStringLiteral("Preavviso_predefinito_memo")}, stored);
    UserSettings s;
    readSettings(s, registry, KEY, shippedConfig(), SOUNDS);
    QCOMPARE(s.Width_Appl, width);
    // Another value with another default follows the same rule.
    QCOMPARE(s.Preavviso_predefinito_memo, width == 472 ? -5 : width);
}

void TestUserSettings::savedLanguage_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("language");
    QTest::newRow("on, saved") << true << "Italiano (Italia)"
                               << "Italiano (Italia)";
    QTest::newRow("on, none saved") << true << ""
                                    << "English (UK)";
    QTest::newRow("on, unknown kept") << true << "Klingon"
                                      << "Klingon";
    QTest::newRow("off, saved ignored") << false << "Italiano (Italia)"
                                        << "English (UK)";
}

void TestUserSettings::savedLanguage()
{
    QFETCH(bool, switchOn);
    QFETCH(QString, stored);
    QFETCH(QString, language);
    BuildConfig config = shippedConfig();
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = switchOn;
    FakeRegistry registry;
    FakeAutostart autostart;
    registry.values.insert({KEY, QStringLiteral("Lingua_attuale")}, stored);
    UserSettings s;
    readSettings(s, registry, KEY, config, SOUNDS);
    QCOMPARE(s.Lingua_attuale, language);
    // The next save stores the language in use.
    writeSettings(s, registry, KEY, autostart, config.NOME_PROGRAMMA);
    QCOMPARE(registry.value(KEY, QStringLiteral("Lingua_attuale")), language);
}

void TestUserSettings::savedBanner_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<qint32>("bannerDefault");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint32>("banner");
    QTest::newRow("on, saved 0") << true << 1 << "0" << 0;
    QTest::newRow("on, saved 1") << true << 0 << "1" << 1;
    QTest::newRow("on, junk") << true << 1 << "yes" << 1;
    QTest::newRow("on, none") << true << 0 << "" << 0;
    QTest::newRow("off, saved ignored") << false << 1 << "0" << 1;
}

void TestUserSettings::savedBanner()
{
    QFETCH(bool, switchOn);
    QFETCH(qint32, bannerDefault);
    QFETCH(QString, stored);
    QFETCH(qint32, banner);
    BuildConfig config = shippedConfig();
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = switchOn;
    config.bannerDefault = bannerDefault;
    FakeRegistry registry;
    registry.values.insert({KEY, QStringLiteral("vis_banner")}, stored);
    UserSettings s;
    readSettings(s, registry, KEY, config, SOUNDS);
    QCOMPARE(s.vis_banner, banner);
}

void TestUserSettings::lastPosition_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<bool>("known");
    QTest::newRow("both") << "10"
                          << "20" << true;
    QTest::newRow("negative both") << "-5"
                                   << "-7" << true;
    QTest::newRow("zero both") << "0"
                               << "0" << true;
    QTest::newRow("left missing") << ""
                                  << "20" << false;
    QTest::newRow("top junk") << "10"
                              << "x" << false;
    QTest::newRow("neither") << ""
                             << "" << false;
}

void TestUserSettings::lastPosition()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(bool, known);
    FakeRegistry registry;
    registry.values.insert({KEY, QStringLiteral("Ultima_pos_Left")}, left);
    registry.values.insert({KEY, QStringLiteral("Ultima_pos_Top")}, top);
    UserSettings s;
    readSettings(s, registry, KEY, shippedConfig(), SOUNDS);
    QCOMPARE(s.positionKnown, known);
    if (known) {
        QCOMPARE(s.Ultima_pos_Left, left.toInt());
        QCOMPARE(s.Ultima_pos_Top, top.toInt());
    }
}

void TestUserSettings::soundDefaults_data()
{
    QTest::addColumn<QStringList>("sounds");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("sound");
    QTest::newRow("first of the list") << SOUNDS << ""
                                       << "Campana";
    QTest::newRow("empty list") << QStringList{} << ""
                                << "-nessun suono-";
    QTest::newRow("saved kept") << SOUNDS << "Gong"
                                << "Gong";
    QTest::newRow("saved no sound kept") << SOUNDS << "-nessun suono-"
                                         << "-nessun suono-";
}

void TestUserSettings::soundDefaults()
{
    QFETCH(QStringList, sounds);
    QFETCH(QString, stored);
    QFETCH(QString, sound);
    FakeRegistry registry;
    registry.values.insert({KEY, QStringLiteral("Suono_Memo")}, stored);
    registry.values.insert({KEY, QStringLiteral("Suono_Sveglie")}, stored);
    UserSettings s;
    readSettings(s, registry, KEY, shippedConfig(), sounds);
    QCOMPARE(s.Suono_Memo, sound);
    QCOMPARE(s.Suono_Sveglie, sound);
}

void TestUserSettings::startCount_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint32>("count");
    QTest::newRow("first start") << "" << 1;
    QTest::newRow("counted") << "41" << 42;
    QTest::newRow("junk") << "many" << 1;
    QTest::newRow("at the 32-bit limit") << "2147483647" << 1;
}

void TestUserSettings::startCount()
{
    QFETCH(QString, stored);
    QFETCH(qint32, count);
    FakeRegistry registry;
    FakeAutostart autostart;
    registry.values.insert({KEY, QStringLiteral("qt_aperture_prog")}, stored);
    UserSettings s;
    readSettings(s, registry, KEY, shippedConfig(), SOUNDS);
    QCOMPARE(s.qt_aperture_prog, count);
    writeSettings(s, registry, KEY, autostart, QStringLiteral("Brivo Reminder"));
    QCOMPARE(registry.value(KEY, QStringLiteral("qt_aperture_prog")), QString::number(count));
}

void TestUserSettings::autostartEntry_data()
{
    QTest::addColumn<qint32>("avvio");
    QTest::addColumn<bool>("entry");
    QTest::newRow("1 writes") << 1 << true;
    QTest::newRow("0 removes") << 0 << false;
    QTest::newRow("only 1 is on") << 2 << false;
}

void TestUserSettings::autostartEntry()
{
    QFETCH(qint32, avvio);
    QFETCH(bool, entry);
    FakeRegistry registry;
    FakeAutostart autostart;
    autostart.entries.insert(QStringLiteral("Brivo Reminder"));
    autostart.entries.insert(QStringLiteral("Other Program"));
    UserSettings s;
    s.Avvio_automatico = avvio;
    writeSettings(s, registry, KEY, autostart, QStringLiteral("Brivo Reminder"));
    QCOMPARE(autostart.entries.contains(QStringLiteral("Brivo Reminder")), entry);
    QVERIFY(autostart.entries.contains(QStringLiteral("Other Program")));
    QCOMPARE(autostart.calls.size(), 1);
}

QTEST_GUILESS_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
