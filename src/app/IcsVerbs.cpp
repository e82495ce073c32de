#include "app/IcsVerbs.h"
#include "app/ProgramFolder.h"
#include "platform/MessageBoxes.h"
#include "platform/SingleInstance.h"
#include "state/AppState.h"
#include "store/Ut.h"
#include "sync/IcsTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <cstdio>
#include <cstring>

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "brivo-reminder: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int runIcsVerb(int argc, char* argv[])
{
    const char* verb = nullptr;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export-ics") == 0 || std::strcmp(argv[i], "--import-ics") == 0) {
            verb = argv[i];
            file = i + 1 < argc ? argv[i + 1] : nullptr;
            break;
        }
    }
    if (!verb)
        return -1;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(applicationTitle());
    QCoreApplication::setOrganizationName(QStringLiteral("Brivo"));
    if (!file || !*file)
        return fail(QStringLiteral("%1 needs a file name (see --help)").arg(QString::fromLocal8Bit(verb)));
    const QString path = QFile::decodeName(file);
    const bool exporting = std::strcmp(verb, "--export-ics") == 0;

    AppState state;
    state.folders = programFolders();
    // A running copy owns the store. It is to take the verb through its local
    // channel (see the running-copy socket) so its lists and the store stay
    // one; until then the verb stops here and changes nothing.
    SingleInstance instance(QCoreApplication::applicationName());
    StoreFile::makePrivateFolder(state.folders.data);
    SingleInstance storeLock(QStringLiteral("Store"), state.folders.data);
    if (!instance.acquire() || !storeLock.acquire())
        return fail(
            QStringLiteral("the program is running; close it and try %1 again").arg(QString::fromLocal8Bit(verb)));

    const QDateTime now = QDateTime::currentDateTime();
    QString diagnostic;
    const int read = state.readStore(diagnostic, now);
    if (read < 0)
        return fail(QStringLiteral("the store in %1 could not be read whole; start the program first (%2)")
                        .arg(QDir::toNativeSeparators(state.folders.data), diagnostic));
    const QChar separator = QLocale::system().decimalPoint().at(0);

    if (exporting) {
        const auto before = std::make_pair(state.ArrMemo, state.ArrSveglie);
        const QByteArray text = IcsTransfer::exportAll(state.ArrMemo, state.ArrSveglie, state.sync, now);
        // A file there already is replaced only by a whole new one.
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
            return fail(QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
        // New UIDs are kept, so a later import of this file updates instead of adding.
        if (before != std::make_pair(state.ArrMemo, state.ArrSveglie) && state.writeStore(separator, now.date()) != 1)
            return fail(QStringLiteral("exported, but the new UIDs could not be saved in %1").arg(state.folders.data));
        std::printf("Exported %lld memos and %lld alarm clocks to %s\n", static_cast<long long>(state.ArrMemo.size()),
            static_cast<long long>(state.ArrSveglie.size()), qPrintable(path));
        return 0;
    }

    QByteArray bytes;
    if (Leggi_File(path, bytes) != 1)
        return fail(QStringLiteral("cannot read %1").arg(path));
    REC_Memo newMemo{0, 1, {}, 0, 0, 1, DayNumbers::fromDate(now.date()), ORARIO_PRESENTE, 0, 2,
        state.settings.Preavviso_predefinito_memo};
    REC_Sveglia newAlarm{SVEGLIA_OGNI_GIORNO, 1, {}, 1, 0, state.settings.Suono_Sveglie};
    IcsTransfer::Imported result;
    if (!IcsTransfer::importAll(bytes, state.ArrMemo, state.ArrSveglie, state.sync, newMemo, newAlarm, result))
        return fail(QStringLiteral("%1 is not an iCalendar file; nothing imported").arg(path));
    if (result.added + result.updated > 0 && state.writeStore(separator, now.date()) != 1)
        return fail(QStringLiteral("the store in %1 could not be saved; nothing imported").arg(state.folders.data));
    std::printf("Imported from %s: %d added, %d updated, %d not shown (no memo or alarm clock stands for them)\n",
        qPrintable(path), result.added, result.updated, result.skipped);
    return 0;
}
