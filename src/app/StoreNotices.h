#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the person is told when the store or the settings cannot be used,
// in the interface language (lingua as in the settings).

// The damaged-store box: its fixed text, the lines of file whose records
// were skipped, then where the files were kept.
QString damagedStoreText(
    const QString& lingua, const QStringList& kept, const QString& file = {}, const QList<int>& lines = {});

// The box of a store (in folder) in a code page this build cannot convert;
// the program ends without touching it.
QString unconvertibleStoreText(const QString& lingua, const QString& folder);

// Another program changed the store in folder while this copy ran: its
// changes were joined with ours, or, when it could not be read, it was kept
// as keptCopy before ours replaced it.
QString outsideChangesText(const QString& lingua, const QString& folder, const QString& keptCopy);

// At start: the previous session ended with the store unsaved in folder,
// and it was kept as rescued; take it in?
QString rescuedStoreQuestion(const QString& lingua, const QString& folder, const QString& rescued);

// What follows a failed save.
enum class AfterFailedSave {
    Retry,      // the tick tries again
    RetryLater, // settings: tried again, ever more slowly
    StayOpen,   // at exit: the memos could not be saved, the program stays open
    LeaveAnyway // at exit: only the settings failed, the memos are saved, the program ends
};

// A failed save, named by the folder or file that could not be written.
QString saveFailedText(
    const QString& lingua, const QString& storeFolder, const QString& settingsFile, AfterFailedSave after);

// The stored language was not known; the program speaks lingua instead.
QString unknownLanguageText(const QString& lingua, const QString& unknown);
