// Pictures of the options dialog, to look at after a change:
//   options_shots <folder>
// writes options-it.png and options-en.png over a main window with three
// sounds, the shipped configuration and the sound list open on neither.
// Runs offscreen; set QT_SCALE_FACTOR=2 for a high-density copy.

#include "memolist/MemoListRig.h"

#include "dialogs/FOpzioni.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

bool shoot(const QString& folder, bool english)
{
    MemoListRig rig(english ? QStringLiteral("en_GB") : QStringLiteral("it_IT"));
    rig.putSetting(QStringLiteral("Lingua_attuale"), english ? languageEnglish() : languageItalian());
    rig.putSetting(QStringLiteral("Orario_predefinito_nuovi_promemoria"), QStringLiteral("1"));
    rig.putSetting(QStringLiteral("Chiedi_conferma_cancellazione"), QStringLiteral("1"));
    rig.putSetting(QStringLiteral("Suono_Memo"), QStringLiteral("Campanello"));
    TfrmReminder& main = rig.start();
    for (const char* name : {"Campanello", "Din don", "Sveglia classica"}) {
        const QString s = QString::fromUtf8(name);
        main.state().ArrSuoni.append({s, s, rig.dir.filePath(s + QStringLiteral(".wav"))});
    }
    main.state().settings.Suono_Memo = QStringLiteral("Campanello");
    TfrmOpzioni w(main.state(), rig.services, main.pictures());
    w.show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(QStringLiteral("options-%1.png").arg(english ? "en" : "it"));
    if (!w.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: options_shots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    for (const bool english : {false, true})
        ok = shoot(folder, english) && ok;
    return ok ? 0 : 1;
}
