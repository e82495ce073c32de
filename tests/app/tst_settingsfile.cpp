// Settings through the real settings file: one run to the next, and files
// edited by hand.

#include "SettingsFields.h"
#include "fakes/FakeAutostart.h"
#include "platform/DesktopAutostart.h"
#include "platform/QSettingsRegistry.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

const QString PROGRAM = QStringLiteral("Brivo Reminder");

// One start of the program as far as its settings go, in folder `run`: reads
// the file the previous start left in folder `previous`, applies `change`
// and saves. QSettings caches files by name, so each start reads a copy in a
// folder of its own.
UserSettings startIn(const QString& home, int run, const std::function<void(UserSettings&)>& change)
{
    const QString folder = home + u'/' + QString::number(run);
    QDir().mkpath(folder + QStringLiteral("/Brivo"));
    QFile::copy(home + u'/' + QString::number(run - 1) + QStringLiteral("/Brivo/BrivoReminder.ini"),
        folder + QStringLiteral("/Brivo/BrivoReminder.ini"));
    QSettingsRegistry registry(folder);
    DesktopAutostart autostart(home, QStringLiteral("/usr/bin/brivo-reminder"));
    UserSettings s;
    readSettings(s, registry, settingsKey(PROGRAM), settingsConfig(), {QStringLiteral("Campana")});
    UserSettings saved = s;
    change(saved);
    writeSettings(saved, registry, settingsKey(PROGRAM), autostart, PROGRAM);
    return s;
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

    const UserSettings first = startIn(home.path(), 1, [](UserSettings& s) {
        s.Width_Appl = 600;
        s.Lingua_attuale = QStringLiteral("Italiano (Italia)");
        s.Ultima_pos_Left = 33;
        s.Ultima_pos_Top = -44;
        s.Avvio_automatico = 1;
        s.Suono_Memo = QStringLiteral("-nessun suono-");
    });
    QCOMPARE(first.qt_aperture_prog, 1);
    QVERIFY(!first.positionKnown);
    QVERIFY(QFile::exists(entry));

    const UserSettings second = startIn(home.path(), 2, [](UserSettings& s) { s.Avvio_automatico = 0; });
    QCOMPARE(second.qt_aperture_prog, 2);
    QCOMPARE(second.Width_Appl, 600);
    QCOMPARE(second.Lingua_attuale, QStringLiteral("Italiano (Italia)"));
    QCOMPARE(second.Suono_Memo, QStringLiteral("-nessun suono-"));
    QVERIFY(second.positionKnown);
    QCOMPARE(QPoint(second.Ultima_pos_Left, second.Ultima_pos_Top), QPoint(33, -44));
    QCOMPARE(second.Avvio_automatico, 1);
    QVERIFY(!QFile::exists(entry));

    QCOMPARE(startIn(home.path(), 3, [](UserSettings&) {}).Avvio_automatico, 0);
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
