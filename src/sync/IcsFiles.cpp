#include "sync/IcsFiles.h"

#include "alarms/SveglieCore.h"
#include "engine/ReminderEngine.h"
#include "memolist/MemoCommands.h"
#include "state/AppState.h"
#include "store/Ut.h"
#include "sync/IcsTransfer.h"

#include <QHash>
#include <QSaveFile>

namespace IcsFiles {

IcsOutcome importFile(AppState& state, const QString& path, const QDateTime& now)
{
    IcsOutcome outcome;
    QByteArray bytes;
    if (Leggi_File(path, bytes) != 1) {
        outcome.fault = IcsOutcome::Fault::CannotRead;
        return outcome;
    }
    const REC_Memo newMemo = Memo_Predefinito(state.settings, now);
    const REC_Sveglia newAlarm = Nuova_Sveglia(now, state.settings.Suono_Sveglie);
    QHash<qint32, REC_Memo> before;
    for (const REC_Memo& m : std::as_const(state.ArrMemo))
        before.insert(m.ID, m);
    IcsTransfer::Imported counts;
    if (!IcsTransfer::importAll(bytes, state.ArrMemo, state.ArrSveglie, state.sync, newMemo, newAlarm, counts)) {
        outcome.fault = IcsOutcome::Fault::NotCalendar;
        return outcome;
    }
    outcome.added = counts.added;
    outcome.updated = counts.updated;
    outcome.skipped = counts.skipped;
    outcome.listsChanged = counts.added + counts.updated > 0;
    // A memo the file moved warns again at its new moment.
    for (const REC_Memo& m : std::as_const(state.ArrMemo)) {
        if (const auto was = before.constFind(m.ID); was != before.cend() && *was != m)
            Riarma_Avvisi_Memo(state.ArrAvvisi, m.ID);
    }
    return outcome;
}

IcsOutcome exportFile(AppState& state, const QString& path, const QDateTime& now)
{
    IcsOutcome outcome;
    const auto before = std::make_pair(state.ArrMemo, state.ArrSveglie);
    const QByteArray text = IcsTransfer::exportAll(state.ArrMemo, state.ArrSveglie, state.sync, now);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        outcome.fault = IcsOutcome::Fault::CannotWrite;
        outcome.detail = out.errorString();
    }
    // New UIDs are kept even when the file failed: they are the records' own.
    outcome.listsChanged = before != std::make_pair(state.ArrMemo, state.ArrSveglie);
    outcome.memos = state.ArrMemo.size();
    outcome.alarms = state.ArrSveglie.size();
    return outcome;
}

} // namespace IcsFiles
