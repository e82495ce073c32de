#pragma once

// The warning windows on real widgets with the fakes: a state with two
// sounds and the colour schemes, at 10:17:40 on Monday 3 June 2024. The rig
// is the windows' host (it counts what they asked) and a quiet engine host.

#include "engine/ReminderEngine.h"
#include "fakes/FakeServices.h"
#include "fakes/QuietEngineHost.h"
#include "state/AppState.h"
#include "warnings/FWarnMemo.h"
#include "warnings/FWarnSveglie.h"
#include "warnings/WarningWindows.h"

#include <memory>

struct WarningRig : QuietEngineHost, FakeServices {
    AppState state;
    int refreshes = 0;   // Aggiorna_Griglia
    int ends = 0;        // the program asked to end
    qint64 steadyMs = 0; // the key guard's clock
    WarningWindows windows{
        state, services, WarningHost{[this] { ++refreshes; }, [this] { ++ends; }, [this] { return steadyMs; }}};

    WarningRig()
        : FakeServices(QStringLiteral("it_IT"))
    {
        clock.set(at(2024, 6, 3, 10, 17, 40));
        state.config.NOME_PROGRAMMA = QStringLiteral("Brivo Reminder");
        state.settings.Lingua_attuale = QStringLiteral("Italiano (Italia)");
        Crea_Colorazioni(state.ArrColorazioni);
        state.ArrSuoni = {{"Campana", "Campana", "/s/Campana.wav"}, {"Bell", "Bell", "/s/Bell.WAV"}};
        state.settings.Suono_Memo = QStringLiteral("Campana");
    }

    // A memo due today at `time`, queued as the tick queues it.
    void queueMemo(qint32 id, QTime time, const QString& nota, qint32 anticipo = 0)
    {
        state.ArrMemo.append({.ID = id,
            .Nota = nota,
            .Attivo = 1,
            .Data = DayNumbers::fromDate(QDate(2024, 6, 3)),
            .TipoOrario = ORARIO_PRESENTE,
            .Orario = DayNumbers::fromTime(time),
            .Anticipo = anticipo});
        state.ArrAvvisi.append({AVVISO_MEMO, id, STATO_NUOVO});
    }

    void queueAlarm(QTime time, const QString& messaggio, const QString& suono)
    {
        state.ArrSveglie.append(
            {.Attivo = 1, .Messaggio = messaggio, .Orario = DayNumbers::fromTime(time), .Suono = suono});
        state.ArrAvvisi.append({AVVISO_SVEGLIA, qint32(state.ArrSveglie.size() - 1), STATO_NUOVO});
    }

    // Made and shown as the tick does, keysAfterMs before the test goes on.
    template <typename Window> std::unique_ptr<Window> open(qint64 keysAfterMs = 1000)
    {
        WarningWindow* w
            = std::is_same_v<Window, TfrmWarnMemo> ? windows.createMemoWarning() : windows.createAlarmWarning();
        w->showWarning();
        steadyMs += keysAfterMs;
        return std::unique_ptr<Window>(static_cast<Window*>(w));
    }
};
