#pragma once

#include <QString>
#include <QStringList>

// What the person is told when the store or the settings cannot be used,
// in the interface language (lingua as in the settings).

// The damaged-store box: its fixed text, then where the files were kept.
QString damagedStoreText(const QString& lingua, const QStringList& kept);

// A failed save, named by the folder or file that could not be written.
// atExit: the user asked to exit, and the program stays open instead.
QString saveFailedText(const QString& lingua, const QString& storeFolder, const QString& settingsFile, bool atExit);
