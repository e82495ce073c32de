#pragma once

// A main window with fakes and a temporary program folder, for the window
// tests and the screenshot tool.

#include "app/ConfigFixture.h"
#include "app/FReminder.h"
#include "app/settings/UserSettings.h"
#include "fakes/FakeServices.h"

#include <QTemporaryDir>

#include <memory>

struct MemoListRig : FakeServices {
    QTemporaryDir dir;
    std::unique_ptr<TfrmReminder> window;

    // Monday 3 June 2024, 09:50, in the given regional settings.
    explicit MemoListRig(const QString& localeName = QStringLiteral("it_IT"))
        : FakeServices(localeName, validResources())
    {
        clock.set(at(2024, 6, 3, 9, 50));
    }

    void putSetting(const QString& name, const QString& value)
    {
        registry.values.insert({settingsKey(QStringLiteral("Brivo Reminder")), name}, value);
    }

    QString setting(const QString& name) const
    {
        return registry.values.value({settingsKey(QStringLiteral("Brivo Reminder")), name});
    }

    // Builds the window (start-up runs) and puts memos in its list.
    TfrmReminder& start(const MemoList& memos = {}, const QStringList& arguments = {},
        TfrmReminder::StoreReading reading = TfrmReminder::StoreReading::BeforeShown)
    {
        window = std::make_unique<TfrmReminder>(services,
            ProgramFolders{
                dir.path(), dir.filePath(QStringLiteral("Suoni")), {}, false, dir.filePath(QStringLiteral("rescue"))},
            arguments, nullptr, nullptr, reading);
        if (!memos.isEmpty()) // else what the store in dir held
            window->state().ArrMemo = memos;
        return *window;
    }
};

// A memo due `days` from 3 June 2024; a null time means no due time.
inline REC_Memo memoOn(
    qint32 id, int days, QTime time = QTime(), qint32 anticipo = -5, qint32 attivo = 1, const QString& nota = QString())
{
    REC_Memo m;
    m.ID = id;
    m.TipoMemo = 1;
    m.Nota = nota.isEmpty() ? QStringLiteral("memo %1").arg(id) : nota;
    m.Attivo = attivo;
    m.TipoData = 1;
    m.Data = DayNumbers::fromDate(QDate(2024, 6, 3).addDays(days));
    m.TipoOrario = time.isValid() ? ORARIO_PRESENTE : ORARIO_ASSENTE;
    m.Orario = time.isValid() ? DayNumbers::fromTime(time) : 0.0;
    m.TipoAnticipo = 2;
    m.Anticipo = anticipo;
    return m;
}
