#include "app/IcsVerbs.h"
#include "app/ProgramFolder.h"
#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"
#include "engine/Suoni.h"
#include "platform/CalendarLoader.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramResources.h"
#include "platform/QSettingsRegistry.h"
#include "platform/RunningCopy.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLocale.h"
#include "state/AppState.h"
#include "sync/Calendar.h"
#include "sync/IcsFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <cstring>

namespace {

// How long the running copy may take a request up, and how long after that
// its answer is waited for. A copy that takes it up later refuses it, so a
// command that said "no answer" has changed nothing.
constexpr qint64 takeUpMs = 5000;
constexpr qint64 answerMs = 5000;

int fail(const QString& text)
{
    std::fprintf(stderr, "brivo-reminder: %s\n", qPrintable(text));
    return 1;
}

// The request's words: the verb, the file and the moment after which it is stale.
QStringList request(bool exporting, const QString& path, qint64 staleAfterMs)
{
    return {
        exporting ? QStringLiteral("export-ics") : QStringLiteral("import-ics"), path, QString::number(staleAfterMs)};
}

int askRunningCopy(const QString& socket, bool exporting, const QString& path)
{
    const qint64 staleAfter = QDateTime::currentMSecsSinceEpoch() + takeUpMs;
    const auto answer = RunningCopy::ask(socket, request(exporting, path, staleAfter), int(takeUpMs + answerMs));
    if (!answer) {
        return fail(QStringLiteral("the running copy of the program did not answer in time (hung or busy); nothing "
                                   "was %1")
                        .arg(exporting ? QStringLiteral("exported") : QStringLiteral("imported")));
    }
    if (answer->value(0) != u"ok")
        return fail(answer->value(1, QStringLiteral("the running copy refused the request")));
    IcsOutcome counts;
    // "ok added updated skipped" for an import, "ok memos alarms" for an export.
    counts.added = answer->value(1).toInt();
    counts.updated = answer->value(2).toInt();
    counts.skipped = answer->value(3).toInt();
    counts.memos = counts.added;
    counts.alarms = counts.updated;
    std::printf("%s\n", qPrintable(IcsFiles::describe(counts, path, exporting)));
    return 0;
}

// Without a display the build configuration's complaints go to standard error.
class ErrorOutput : public MessageBoxes {
public:
    Answer show(MessageKind, const QString&, const QString& text, bool) override
    {
        std::fprintf(stderr, "brivo-reminder: %s\n", qPrintable(text));
        return Answer::No;
    }
};

// The person's settings as the program reads them: new memos start from
// them, and they hold the store's code page. The key is where they live.
QString readPersonSettings(AppState& state, const Registry& registry)
{
    ErrorOutput errors;
    readBuildConfig(state.config, ProgramResources(), SystemLocale(), errors);
    const QString key = settingsKey(state.config.NOME_PROGRAMMA);
    QStringList soundNames;
    for (const REC_Suono& s : Carica_Suoni(state.folders.sounds))
        soundNames.append(s.Nome);
    readSettings(state.settings, registry, key, state.config, soundNames);
    return key;
}

int runHere(AppState& state, bool exporting, const QString& path)
{
    // Before the store is read: without the module nothing is touched.
    QString why;
    Calendar* calendar = CalendarLoader::load(why);
    if (!calendar)
        return fail(IcsFiles::describe(IcsOutcome::unavailable(why), path, exporting));
    QSettingsRegistry registry;
    const QString key = readPersonSettings(state, registry);
    state.settingsPending = false;
    const QDateTime now = QDateTime::currentDateTime();
    QString diagnostic;
    if (state.readStore(diagnostic, now) < 0)
        return fail(QStringLiteral("the store in %1 could not be read whole; start the program first (%2)")
                        .arg(QDir::toNativeSeparators(state.folders.data), diagnostic));
    const QChar separator = QLocale::system().decimalPoint().at(0);
    const IcsOutcome outcome
        = exporting ? calendar->exportFile(state, path, now) : calendar->importFile(state, path, now);
    if (outcome.ok() && outcome.listsChanged && state.writeStore(separator, now.date()) != 1) {
        return fail(exporting ? QStringLiteral("exported, but the new UIDs could not be saved in %1")
                                    .arg(QDir::toNativeSeparators(state.folders.data))
                              : QStringLiteral("the store in %1 could not be saved; nothing imported")
                                    .arg(QDir::toNativeSeparators(state.folders.data)));
    }
    // The code page the store was found or written in, for the program's next save.
    if (state.settingsPending)
        registry.writeString(key, QStringLiteral("Codifica_archivio"), state.settings.Codifica_archivio);
    if (!outcome.ok())
        return fail(IcsFiles::describe(outcome, path, exporting));
    std::printf("%s\n", qPrintable(IcsFiles::describe(outcome, path, exporting)));
    return 0;
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
    // The running copy has a folder of its own.
    const QString path = QFileInfo(QFile::decodeName(file)).absoluteFilePath();
    const bool exporting = std::strcmp(verb, "--export-ics") == 0;

    AppState state;
    state.folders = programFolders();
    SingleInstance instance(QCoreApplication::applicationName());
    if (!instance.acquire())
        return askRunningCopy(instance.socketPath(), exporting, path);
    // A copy in another session on the same store cannot be asked.
    StoreFile::makePrivateFolder(state.folders.data);
    SingleInstance storeLock(QStringLiteral("Store"), state.folders.data);
    if (!storeLock.acquire())
        return fail(QStringLiteral("the program is running in another session; close it and try %1 again")
                        .arg(QString::fromLocal8Bit(verb)));
    return runHere(state, exporting, path);
}

void addIcsVerbs(RunningCopy& door, IcsTransferHook transfer)
{
    for (const bool exporting : {false, true}) {
        door.addVerb(request(exporting, {}, 0).front(), [exporting, transfer](const QStringList& arguments) {
            const QString path = arguments.value(0);
            bool valid = false;
            const qint64 staleAfter = arguments.value(1).toLongLong(&valid);
            if (!valid || QDateTime::currentMSecsSinceEpoch() > staleAfter)
                return RunningCopy::Answer{false, {QStringLiteral("the request came too late; nothing done")}};
            if (!QFileInfo(path).isAbsolute())
                return RunningCopy::Answer{false, {QStringLiteral("the file must be named by its full path")}};
            const IcsOutcome o = transfer(exporting, path);
            if (!o.ok())
                return RunningCopy::Answer{false, {IcsFiles::describe(o, path, exporting)}};
            const QList<qsizetype> counts
                = exporting ? QList<qsizetype>{o.memos, o.alarms} : QList<qsizetype>{o.added, o.updated, o.skipped};
            QStringList words;
            for (const qsizetype n : counts)
                words.append(QString::number(n));
            return RunningCopy::Answer{true, words};
        });
    }
}
