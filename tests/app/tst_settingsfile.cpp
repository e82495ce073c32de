// Settings through the real settings file: one run to the next, and files
// edited by hand.

#include "SettingsFields.h"
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

// The expected "name=value" pairs a run did not print, with what it printed.
QStringList unmet(const QMap<QString, QString>& printed, const QStringList& expected)
{
    QStringList wrong;
    for (const QString& pair : expected) {
        const QString value = printed.value(pair.section(u'=', 0, 0), QStringLiteral("(none)"));
        if (value != pair.section(u'=', 1))
            wrong << pair + QStringLiteral(" but ") + value;
    }
    return wrong;
}

// A value no reading can take for a 32-bit integer: text without ASCII
// digits (INI escapes included), digits broken by a letter or a blank,
// numbers beyond 32 bits, other number forms and numerals.
QString junkInteger(QRandomGenerator& random)
{
    static const QString noDigits
        = QString::fromUtf8("abcxyzABCXYZ +-+-.,;:#\"'\\@=[](){}<>!?%&$*/|^~`_\txÀé€\u00A0\u3000");
    static const QStringList forms{"", " ", "+", "-", " + ", "+-", "++1", "--1", "+ 1", "0x1F", "1e3", "12.5", "12,5",
        "$10", "1_000", "1'000", "5 5", QString::fromUtf8("\u0665\u0660\u0660"), QString::fromUtf8("\uFF11\uFF12"),
        QString::fromUtf8("\u00B2\u00B3"), QStringLiteral("\u2167")};
    QString s;
    switch (random.bounded(4)) {
    case 0:
        for (int i = random.bounded(25); i > 0; --i)
            s += noDigits.at(random.bounded(noDigits.size()));
        return s;
    case 1: // a number broken inside by a letter or a blank
        s = QString::number(random.bounded(10, 1000000));
        return s.insert(random.bounded(1, s.size()), QStringLiteral("aZx .e_").at(random.bounded(7)));
    case 2: // beyond 32 bits
        s = QString::number(2147483649LL + random.bounded(1000000)) + QString::number(random.bounded(1000000));
        return random.bounded(2) ? s.left(10 + random.bounded(s.size() - 9)) : QStringLiteral("-") + s;
    default:
        return forms.at(random.bounded(forms.size()));
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

    const QMap<QString, QString> first = runProbe(home.path(),
        {"Width_Appl=600", "Height_pnlGen=250", "Lingua_attuale=Italiano (Italia)", "Tipo_colorazione=Notte",
            "Ultima_pos_Left=33", "Ultima_pos_Top=-44", "Avvio_automatico=1", "Suono_Memo=-nessun suono-"});
    QCOMPARE(
        unmet(first,
            {"qt_aperture_prog=1", "Width_Appl=472", "Height_pnlGen=222", "Suono_Memo=Campana", "positionKnown=0"}),
        QStringList());
    QVERIFY(QFile::exists(home.path() + QStringLiteral("/Brivo/BrivoReminder.ini")));
    QVERIFY(QFile::exists(entry));

    const QMap<QString, QString> second = runProbe(home.path(), {"Avvio_automatico=0"});
    QCOMPARE(unmet(second,
                 {"qt_aperture_prog=2", "Width_Appl=600", "Height_pnlGen=250", "Lingua_attuale=Italiano (Italia)",
                     "Tipo_colorazione=Notte", "Suono_Memo=-nessun suono-", "Ultima_pos_Left=33", "Ultima_pos_Top=-44",
                     "positionKnown=1", "Avvio_automatico=1"}),
        QStringList());
    QVERIFY(!QFile::exists(entry));

    const QMap<QString, QString> third = runProbe(home.path(), {});
    QCOMPARE(unmet(third, {"qt_aperture_prog=3", "Avvio_automatico=0", "Width_Appl=600"}), QStringList());
}

void TestSettingsFile::handEditedJunkReadsAsDefaults()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const BuildConfig config = settingsConfig();
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
