#include "app/StoreNotices.h"

#include "app/config/BuildConfig.h"

namespace {

bool english(const QString& lingua)
{
    return lingua == languageEnglish();
}

} // namespace

QString damagedStoreText(const QString& lingua, const QStringList& kept)
{
    QString text
        = QStringLiteral("File dati corrotto e/o illeggibile! Verrà creato un nuovo file per la memorizzazione "
                         "dei promemoria");
    if (kept.isEmpty()) {
        text += english(lingua)
            ? QStringLiteral("\n\nNo copy of the damaged files could be kept.")
            : QStringLiteral("\n\nNon è stato possibile conservare una copia dei file danneggiati.");
        return text;
    }
    text += english(lingua) ? QStringLiteral("\n\nThe damaged files were kept as:")
                            : QStringLiteral("\n\nI file danneggiati sono stati conservati come:");
    for (const QString& path : kept)
        text += u'\n' + path;
    return text;
}

QString saveFailedText(
    const QString& lingua, const QString& storeFolder, const QString& settingsFile, AfterFailedSave after)
{
    const bool en = english(lingua);
    QStringList lines;
    if (!storeFolder.isEmpty()) {
        lines.append((en ? QStringLiteral("Could not save the memos in \"%1\".")
                         : QStringLiteral("Impossibile salvare i promemoria in \"%1\"."))
                         .arg(storeFolder));
    }
    if (!settingsFile.isEmpty()) {
        lines.append((en ? QStringLiteral("Could not save the settings in \"%1\".")
                         : QStringLiteral("Impossibile salvare le impostazioni in \"%1\"."))
                         .arg(settingsFile));
    }
    switch (after) {
    case AfterFailedSave::Retry:
        lines.append(en ? QStringLiteral("The changes are kept in memory and saving is tried again every few seconds.")
                        : QStringLiteral("Le modifiche restano in memoria e il salvataggio viene ritentato ogni pochi "
                                         "secondi."));
        break;
    case AfterFailedSave::StayOpen:
        lines.append(en ? QStringLiteral("The program stays open so that the changes are not lost.")
                        : QStringLiteral("Il programma resta aperto per non perdere le modifiche."));
        break;
    case AfterFailedSave::LeaveAnyway:
        lines.append(en
                ? QStringLiteral("The memos are saved; changed preferences could not be kept.")
                : QStringLiteral("I promemoria sono salvati; le preferenze cambiate non sono state conservate."));
        break;
    }
    return lines.join(u'\n');
}
