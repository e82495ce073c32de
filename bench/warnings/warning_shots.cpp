// Pictures of the two warning windows and the missed-reminders notice, to
// look at after a change:
//   warning_shots <folder>
// writes memo-, alarm- and missed-<scheme>-<language>.png for
// the schemes "Reminder" and "Viola" in Italian (it_IT) and English (en_US,
// 12-hour times). Runs offscreen; set QT_SCALE_FACTOR=2 for a high-density
// copy.

#include "warnings/WarningRig.h"

#include "controls/A_DBStringGrid.h"
#include "engine/DueMoments.h"
#include "warnings/FMissed.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: warning_shots <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    int written = 0;
    for (const char* scheme : {"Reminder", "Viola"}) {
        for (const bool english : {false, true}) {
            WarningRig rig;
            rig.state.settings.Tipo_colorazione = QString::fromLatin1(scheme);
            rig.state.settings.Lingua_attuale = english ? "English (UK)" : "Italiano (Italia)";
            if (english)
                rig.locale = FakeLocale(QStringLiteral("en_US"));
            rig.queueMemo(1, QTime(10, 0), english ? "Call the dentist" : "Telefonare al dentista", -5);
            rig.queueMemo(2, QTime(10, 15), english ? "Hand in the project" : "Consegnare il progetto");
            rig.queueMemo(3, QTime(10, 17), english ? "Pay the electricity bill" : "Pagare la bolletta della luce");
            rig.queueAlarm(QTime(7, 30), english ? "Wake up" : "Sveglia", "Campana");
            auto memo = rig.open<TfrmWarnMemo>();
            auto alarm = rig.open<TfrmWarnSveglie>();
            QApplication::processEvents();
            const QString suffix = QStringLiteral("-%1-%2.png").arg(scheme, english ? "en" : "it");
            written += memo->grab().save(out.filePath("memo" + suffix));
            written += alarm->grab().save(out.filePath("alarm" + suffix));

            TfrmMissed missed(rig.state, rig.services, {});
            const qint64 day = DayNumbers::epoch().daysTo(QDate(2024, 6, 3)) * MS_PER_DAY;
            missed.Aggiungi({{AVVISO_MEMO, 1, day + 600 * MS_PER_MINUTE, true, rig.state.ArrMemo[0].Nota},
                {AVVISO_SVEGLIA, 0, day + 615 * MS_PER_MINUTE, true, english ? "Team meeting" : "Riunione di reparto"},
                {AVVISO_MEMO, 3, day + 540 * MS_PER_MINUTE, false, rig.state.ArrMemo[2].Nota}});
            QApplication::processEvents();
            written += missed.grab().save(out.filePath("missed" + suffix));
        }
    }
    std::printf("%d pictures in %s\n", written, qPrintable(out.absolutePath()));
    return written == 12 ? 0 : 1;
}
