#include "Product.h"
#include "app/FReminder.h"
#include "app/FirstFrameClock.h"
#include "app/IcsVerbs.h"
#include "app/ProgramFolder.h"
#include "platform/DesktopServices.h"
#include "platform/MessageBoxes.h"
#include "platform/RunningCopy.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "store/StoreFile.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include <cstdio>
#include <cstring>
#include <thread>

namespace {

const char usage[] = "Usage: brivo-reminder [/AutoRun]\n"
                     "       brivo-reminder --export-ics FILE | --import-ics FILE\n"
                     "A memo and alarm-clock reminder that lives in the notification area.\n\n"
                     "  /AutoRun           start hidden (any letter case), as the log-in entry does\n"
                     "  --export-ics FILE  write every memo and alarm clock to an iCalendar file and end\n"
                     "  --import-ics FILE  add the memos and alarm clocks of an iCalendar file and end\n"
                     "                     (one whose UID is already here is updated)\n"
                     "  --help             show this text and end\n"
                     "  --version          show the version and end\n";

// Answered before the application object, so they need no display. True when
// the program should end.
bool answeredInformationRequest(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Brivo Reminder %s\n", product::version);
            return true;
        }
    }
    return false;
}

// Anything but the switch in first place is ignored, as before, but no
// longer silently.
void reportUnknownArguments(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (i > 1 || arguments[i].toUpper() != QLatin1String("/AUTORUN"))
            std::fprintf(
                stderr, "brivo-reminder: unknown argument ignored: %s (see --help)\n", qPrintable(arguments[i]));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (answeredInformationRequest(argc, argv))
        return 0;
    if (const int verb = runIcsVerb(argc, argv); verb >= 0)
        return verb;
    WindowSystem::choosePlatform();
    QApplication app(argc, argv);
    // The font list, which fontconfig builds from its whole configuration, is
    // a third of the start: made on a thread while the window's first parts
    // are, its first text waiting for it under Qt's own lock.
    const std::jthread fontList([] { QFontDatabase::families(); });
    reportUnknownArguments(QApplication::arguments());
    QApplication::setApplicationName(applicationTitle());
    QApplication::setOrganizationName(QStringLiteral("Brivo"));
    // Desktops match windows to the launcher by it (Wayland's app id).
    QGuiApplication::setDesktopFileName(QLatin1String(product::desktopId));
    // The program lives in the tray: closing a warning while the main window
    // is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const ProgramFolders folders = programFolders();
    DesktopServices desktop(folders.help);
    Services services = desktop.services();

    SingleInstance instance(QApplication::applicationName());
    if (!instance.acquire()) {
        // The running copy shows its window; one that does not answer (hung,
        // or still starting) leaves the person the box.
        const auto answer = RunningCopy::ask(instance.socketPath(), {QStringLiteral("show")}, 2000);
        if (answer && answer->value(0) == QLatin1String("ok"))
            return 0;
        services.boxes.information(
            QStringLiteral("Attenzione: il programma è già attivo! Per aprirlo, fare doppio-clic sull'icona posta "
                           "nell'area di notifica del desktop"));
        return 0;
    }

    // One copy per store too, whatever its runtime folder: two sessions
    // sharing a home would each save their own list over the other's.
    StoreFile::makePrivateFolder(folders.data);
    SingleInstance storeLock(QStringLiteral("Store"), folders.data);
    if (!storeLock.acquire()) {
        services.boxes.information(
            QStringLiteral("Attenzione: i promemoria di questa cartella sono già aperti da un'altra copia del "
                           "programma, in un'altra sessione o su un altro computer:\n%1\nQuesta copia termina per non "
                           "scrivere sopra le loro modifiche.")
                .arg(QDir::toNativeSeparators(folders.data)));
        return 0;
    }

    TfrmReminder window(
        services, folders, QApplication::arguments(), nullptr, nullptr, TfrmReminder::StoreReading::BehindLogo);
    desktop.messageBoxes().setParentWindow(&window);
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::endRequested, &window, &TfrmReminder::endSession);
    // exit, not quit: quit would first ask every window to close, and the main
    // window answers a close by hiding to the tray.
    QObject::connect(
        &window, &TfrmReminder::closedForGood, &app, [&window] { QCoreApplication::exit(window.exitCode()); },
        Qt::QueuedConnection);
    if (window.endRequested())
        return window.exitCode();
    // Later starts ask this copy to show its window instead of starting.
    RunningCopy door;
    door.addVerb(QStringLiteral("show"), [&window](const QStringList&) {
        window.popApriClick();
        return RunningCopy::Answer{};
    });
    // --import-ics / --export-ics of a later start work on this copy's lists.
    addIcsVerbs(door, [&window](bool exporting, const QString& path) { return window.transferIcs(exporting, path); });
    if (!door.listen(instance.socketPath())) {
        std::fprintf(stderr, "brivo-reminder: a later start cannot reach this copy: %s\n",
            qPrintable(QDir::toNativeSeparators(instance.socketPath())));
    }
    // For the start-up benchmark.
    // "filled": once the memos are in the grid, behind the logo, rather than at the first frame.
    FirstFrameClock firstFrame;
    const QByteArray quitWhen = qgetenv("BRIVO_REMINDER_QUIT_WHEN_SHOWN");
    if (quitWhen == "filled")
        QObject::connect(&window, &TfrmReminder::gridFilled, &FirstFrameClock::stopNow);
    else if (!quitWhen.isEmpty())
        app.installEventFilter(&firstFrame);
    window.show();
    return QApplication::exec();
}
