// Settings through the real settings file: one run to the next, and files
// edited by hand.

#include "SettingsFields.h"
#include "app/config/BuildConfig.h"
#include "fakes/FakeAutostart.h"
#include "platform/QSettingsRegistry.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString PROGRAM = QStringLiteral("Brivo Reminder");

// One run of the probe; its printed values by name.
QMap<QString, QString> runProbe(const QString& configHome, const QStringList& assignments)
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(SETTINGS_PROBE), assignments);
    QMap<QString, QString> values;
    if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return values;
    const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        values.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    return values;
}

BuildConfig probeConfig()
{
    BuildConfig config;
    config.NOME_PROGRAMMA = PROGRAM;
    config.LINGUA_DEFAULT = QStringLiteral("English (UK)");
    config.COLORAZIONE_DEFAULT = QStringLiteral("Reminder");
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = true;
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = true;
    config.bannerDefault = 1;
    return config;
}

// A value no reading can take for a 32-bit integer: text without ASCII
// digits (INI escapes included), digits broken by letters or blanks, numbers
// beyond 32 bits, other numerals.
QString junkInteger(QRandomGenerator& random)
{
    static const QString noDigits
        = QString::fromUtf8("abcxyzABCXYZ +-+-.,;:#\"'\\@=[](){}<>!?%&$*/|^~`_\txÀé€\u00A0\u3000");
    static const QStringList numerals{QString::fromUtf8("\u0665\u0660\u0660"), QString::fromUtf8("\uFF11\uFF12"),
        QString::fromUtf8("\u0967\u0968"), QString::fromUtf8("\u00B2\u00B3"), QStringLiteral("\u2167")};
    auto digits = [&random](int count) {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + random.bounded(10));
        return s;
    };
    auto pick = [&random](const QString& from) { return from.at(random.bounded(from.size())); };
    switch (random.bounded(6)) {
    case 0: {
        QString s;
        const int length = random.bounded(25);
        for (int i = 0; i < length; ++i)
            s += pick(noDigits);
        return s;
    }
    case 1: { // a number broken inside by a letter or a blank
        const QString n = digits(1 + random.bounded(6));
        const int at = random.bounded(n.size() + 1);
        static const QString breakers = QStringLiteral("aZx .e_");
        QString s = n;
        s.insert(at, pick(breakers));
        return at == 0 || at == n.size() ? s + QStringLiteral("x") : s;
    }
    case 2: { // beyond 32 bits
        const QString sign = random.bounded(2) ? QStringLiteral("-") : QString();
        if (random.bounded(2))
            return sign + QString::number(2147483649LL + random.bounded(1000000));
        return sign + QChar(u'1' + random.bounded(9)) + digits(10 + random.bounded(20));
    }
    case 3: { // signs and blanks only
        static const QStringList lone{"", " ", "+", "-", " + ", "+-", "-+", "++1", "--1", "+ 1", "- 1"};
        return lone.at(random.bounded(lone.size()));
    }
    case 4: { // other number forms
        static const QStringList forms{"0x1F", "1e3", "12.5", "12,5", "$10", "0b11", "1_000", "1'000", "5 5", "ten"};
        return forms.at(random.bounded(forms.size()));
    }
    default:
        return numerals.at(random.bounded(numerals.size()));
    }
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void nextRunReadsWhatThisRunWrote();
    void handEditedJunkReadsAsDefaults();
};

void TestSettingsFile::nextRunReadsWhatThisRunWrote()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString entry = home.path() + QStringLiteral("/autostart/Brivo Reminder.desktop");

    QMap<QString, QString> first = runProbe(home.path(),
        {"Width_Appl=600", "Height_pnlGen=250", "Lingua_attuale=Italiano (Italia)", "Tipo_colorazione=Notte",
            "Ultima_pos_Left=33", "Ultima_pos_Top=-44", "Avvio_automatico=1", "Suono_Memo=-nessun suono-"});
    QCOMPARE(first.value("qt_aperture_prog"), QStringLiteral("1"));
    QCOMPARE(first.value("Width_Appl"), QStringLiteral("472"));
    QCOMPARE(first.value("Height_pnlGen"), QStringLiteral("222"));
    QCOMPARE(first.value("Suono_Memo"), QStringLiteral("Campana"));
    QCOMPARE(first.value("positionKnown"), QStringLiteral("0"));
    QVERIFY(QFile::exists(home.path() + QStringLiteral("/Brivo/BrivoReminder.ini")));
    QVERIFY(QFile::exists(entry));

    QMap<QString, QString> second = runProbe(home.path(), {"Avvio_automatico=0"});
    QCOMPARE(second.value("qt_aperture_prog"), QStringLiteral("2"));
    QCOMPARE(second.value("Width_Appl"), QStringLiteral("600"));
    QCOMPARE(second.value("Height_pnlGen"), QStringLiteral("250"));
    QCOMPARE(second.value("Lingua_attuale"), QStringLiteral("Italiano (Italia)"));
    QCOMPARE(second.value("Tipo_colorazione"), QStringLiteral("Notte"));
    QCOMPARE(second.value("Suono_Memo"), QStringLiteral("-nessun suono-"));
    QCOMPARE(second.value("Ultima_pos_Left"), QStringLiteral("33"));
    QCOMPARE(second.value("Ultima_pos_Top"), QStringLiteral("-44"));
    QCOMPARE(second.value("positionKnown"), QStringLiteral("1"));
    QCOMPARE(second.value("Avvio_automatico"), QStringLiteral("1"));
    QVERIFY(!QFile::exists(entry));

    QMap<QString, QString> third = runProbe(home.path(), {});
    QCOMPARE(third.value("qt_aperture_prog"), QStringLiteral("3"));
    QCOMPARE(third.value("Avvio_automatico"), QStringLiteral("0"));
    QCOMPARE(third.value("Width_Appl"), QStringLiteral("600"));
}

void TestSettingsFile::handEditedJunkReadsAsDefaults()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const BuildConfig config = probeConfig();
    const QString key = settingsKey(PROGRAM);
    const quint32 seed = 20240607;
    QRandomGenerator random(seed);
    const UserSettings defaults;

    for (int run = 0; run < 200; ++run) {
        // A fresh folder each time: QSettings caches files by name.
        const QString folder = home.path() + u'/' + QString::number(run);
        QSettingsRegistry registry(folder);
        FakeAutostart autostart;
        UserSettings saved;
        saved.Tipo_colorazione = QStringLiteral("Notte");
        writeSettings(saved, registry, key, autostart, PROGRAM);

        QFile file(folder + QStringLiteral("/Brivo/BrivoReminder.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        file.close();
        int edited = 0;
        QStringList junk;
        for (QString& line : lines) {
            const QString name = line.section(u'=', 0, 0).section(u'\\', -1);
            for (const auto& [field, member] : INTEGER_SETTINGS) {
                if (name == QLatin1String(field)) {
                    junk.append(junkInteger(random));
                    line = line.section(u'=', 0, 0) + u'=' + junk.back();
                    ++edited;
                }
            }
        }
        QCOMPARE(edited, int(std::size(INTEGER_SETTINGS)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join(u'\n').toUtf8());
        file.close();

        UserSettings read;
        readSettings(read, registry, key, config, {QStringLiteral("Campana")});
        const QString context = QStringLiteral("seed %1 run %2 values [%3]").arg(seed).arg(run).arg(junk.join(u'|'));
        QVERIFY2(read.qt_aperture_prog == 1, qPrintable(context));
        QVERIFY2(read.vis_banner == config.bannerDefault, qPrintable(context));
        QVERIFY2(!read.positionKnown, qPrintable(context));
        for (const auto& [field, member] : INTEGER_SETTINGS) {
            const QString name = QLatin1String(field);
            if (name == u"qt_aperture_prog" || name == u"vis_banner" || name.startsWith(u"Ultima_pos_"))
                continue;
            QVERIFY2(read.*member == defaults.*member, qPrintable(name + u' ' + context));
        }
        // A text value keeps its text, or gives its default when an unclosed
        // quote above it made the INI reader take its line into the junk.
        QVERIFY2(read.Tipo_colorazione == u"Notte" || read.Tipo_colorazione == config.COLORAZIONE_DEFAULT,
            qPrintable(lines.join(u'\n')));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
