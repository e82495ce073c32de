#include "app/StoreNotices.h"

#include "app/config/BuildConfig.h"
#include "store/StoreFile.h"

#include <QDir>

namespace {

bool english(const QString& lingua)
{
    return lingua == languageEnglish();
}

// "3", "3 e 7", "3, 7 e 12", the first ten and how many more.
QString lineList(const QList<int>& lines, bool en)
{
    constexpr int shown = 10;
    QStringList numbers;
    for (int i = 0; i < lines.size() && i < shown; ++i)
        numbers.append(QString::number(lines[i]));
    const QString and_ = en ? QStringLiteral(" and ") : QStringLiteral(" e ");
    if (lines.size() > shown)
        return numbers.join(QStringLiteral(", ")) + and_
            + (en ? QStringLiteral("%1 more") : QStringLiteral("altre %1")).arg(lines.size() - shown);
    const QString last = numbers.takeLast();
    return numbers.isEmpty() ? last : numbers.join(QStringLiteral(", ")) + and_ + last;
}

} // namespace

QString damagedStoreText(const QString& lingua, const QStringList& kept, const QString& file, const QList<int>& lines)
{
    const bool en = english(lingua);
    QString text
        = QStringLiteral("File dati corrotto e/o illeggibile! Verrà creato un nuovo file per la memorizzazione "
                         "dei promemoria");
    if (!lines.isEmpty()) {
        const bool one = lines.size() == 1;
        text += QStringLiteral("\n\n");
        if (en) {
            text += (one ? QStringLiteral("Line %1 of %2 is damaged and was skipped; the rest was read.")
                         : QStringLiteral("Lines %1 of %2 are damaged and were skipped; the rest was read."))
                        .arg(lineList(lines, en), file);
        } else {
            text += (one ? QStringLiteral("La riga %1 di %2 è danneggiata ed è stata saltata; il resto è stato letto.")
                         : QStringLiteral("Le righe %1 di %2 sono danneggiate e sono state saltate; il resto è stato "
                                          "letto."))
                        .arg(lineList(lines, en), file);
        }
    }
    if (kept.isEmpty()) {
        text += en ? QStringLiteral("\n\nNo copy of the damaged files could be kept.")
                   : QStringLiteral("\n\nNon è stato possibile conservare una copia dei file danneggiati.");
        return text;
    }
    text += en ? QStringLiteral("\n\nThe damaged files were kept as:")
               : QStringLiteral("\n\nI file danneggiati sono stati conservati come:");
    for (const QString& path : kept)
        text += u'\n' + path;
    return text;
}

QString unconvertibleStoreText(const QString& lingua, const QString& folder)
{
    return (english(lingua)
            ? QStringLiteral("The file \"%1\" is written in the Windows-1252 code page, which this build "
                             "of the program cannot read (Qt without ICU). The file was not changed; the program "
                             "ends.")
            : QStringLiteral("Il file \"%1\" è scritto nella codifica Windows-1252, che questa versione "
                             "del programma non sa leggere (Qt senza ICU). Il file non è stato modificato; il "
                             "programma termina."))
        .arg(QDir(folder).filePath(StoreFile::fileName));
}

QString rescuedStoreQuestion(const QString& lingua, const QString& folder, const QString& rescued)
{
    return (english(lingua)
            ? QStringLiteral("When the last session ended the memos could not be saved in \"%1\"; they were kept "
                             "in \"%2\".\nTake them back now? (No leaves that file where it is.)")
            : QStringLiteral("Alla fine della sessione precedente i promemoria non si potevano salvare in \"%1\"; "
                             "sono stati conservati in \"%2\".\nRiprenderli ora? (No lascia quel file dov'è.)"))
        .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(rescued));
}

QString outsideChangesText(const QString& lingua, const QString& folder, const QString& keptCopy)
{
    const bool en = english(lingua);
    if (!keptCopy.isEmpty()) {
        return (en ? QStringLiteral("The memo file was changed by another program and could not be read; it was kept "
                                    "as:\n%1")
                   : QStringLiteral("Il file dei promemoria è stato cambiato da un altro programma e non si può "
                                    "leggere; è stato conservato come:\n%1"))
            .arg(QDir::toNativeSeparators(keptCopy));
    }
    return (en ? QStringLiteral("The memo file \"%1\" was changed by another program while this one ran. Its changes "
                                "were joined with the ones made here.")
               : QStringLiteral("Il file dei promemoria \"%1\" è stato cambiato da un altro programma mentre questo "
                                "era aperto. Le sue modifiche sono state unite a quelle fatte qui."))
        .arg(QDir::toNativeSeparators(QDir(folder).filePath(StoreFile::fileName)));
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
    case AfterFailedSave::RetryLater:
        lines.append(en ? QStringLiteral("The memos are not affected. The preferences are kept in memory and saving "
                                         "is tried again every few minutes.")
                        : QStringLiteral("I promemoria non ne risentono. Le preferenze restano in memoria e il "
                                         "salvataggio viene ritentato ogni pochi minuti."));
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

QString unknownLanguageText(const QString& lingua, const QString& unknown)
{
    return (english(lingua) ? QStringLiteral("The language \"%1\" in the settings is not known: the program uses "
                                             "\"%2\".")
                            : QStringLiteral("La lingua \"%1\" delle impostazioni non è conosciuta: il programma usa "
                                             "\"%2\"."))
        .arg(unknown, lingua);
}
