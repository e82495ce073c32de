#include "memolist/TestiReminder.h"

#include "state/Configuration.h"

int Testi_Lingua(const QString& lingua, const QString& nome, TestiReminder& t)
{
    if (lingua == languageItalian()) {
        t.hintNuovo = QStringLiteral("Nuovo promemoria (F3)");
        t.hintCancella = QStringLiteral("Cancella il promemoria selezionato (F8)");
        t.hintSort = QStringLiteral("Ordina per data e ora (F5)");
        t.hintSveglie = QStringLiteral("Impostazione delle sveglie (F2)");
        t.hintMail = QStringLiteral("Consiglia questo programma ai tuoi amici");
        t.hintProprieta = QStringLiteral("Opzioni (F4)");
        t.hintHelp = QStringLiteral("Guida in Linea");
        t.hintBanner = QStringLiteral("Dimensione finestra (F11)");
        t.hintTopMost = QStringLiteral("Finestra sempre in primo piano (T)");
        t.hintNormal = QStringLiteral("Finestra normale (T)");
        t.hintSuTutto = QStringLiteral("Sposta il promemoria nella prima posizione (Shift + PgUp)");
        t.hintGiuTutto = QStringLiteral("Sposta il promemoria in ultima posizione (Shift + PgDn)");
        t.hintSuUno = QStringLiteral("Sposta il promemoria più in alto (Shift + Su)");
        t.hintGiuUno = QStringLiteral("Sposta il promemoria più in basso (Shift + Giù)");
        t.TestoNuovoMemo = QStringLiteral("- nuovo promemoria -");
        t.ieri = QStringLiteral("Ieri");
        t.oggi = QStringLiteral("Oggi");
        t.domani = QStringLiteral("Domani");
        t.popApri = QStringLiteral("Apri");
        t.popChiudi = QStringLiteral("Chiudi");
        t.hintColonnaNote = QStringLiteral("promemoria");
        t.hintColonnaData = QStringLiteral("data scadenza");
        t.hintColonnaOrario = QStringLiteral("orario scadenza");
        t.hintColonnaAnticipo = QStringLiteral("minuti differenza allarme su orario di scadenza");
        t.domandaUscita = QStringLiteral("Chiudendo ") + nome
            + QStringLiteral(" non verranno più mostrati gli avvisi impostati: sei sicuro di volerlo chiudere?");
        t.helpContext = 1;
        return 1;
    }
    if (lingua == languageEnglish()) {
        t.hintNuovo = QStringLiteral("Add a new memo (F3)");
        t.hintCancella = QStringLiteral("Delete the selected memo (F8)");
        t.hintSort = QStringLiteral("Sort memo by date/time (F5)");
        t.hintSveglie = QStringLiteral("Clock setting (F2)");
        t.hintMail = QStringLiteral("Recommend this program to your friends");
        t.hintProprieta = QStringLiteral("Options (F4)");
        t.hintHelp = QStringLiteral("On-line Help");
        t.hintBanner = QStringLiteral("Window size (F11)");
        t.hintTopMost = QStringLiteral("Stay on top (T)");
        t.hintNormal = QStringLiteral("Normal (T)");
        t.hintSuTutto = QStringLiteral("Shifts selected memo to the first position (Shift + PgUp)");
        t.hintGiuTutto = QStringLiteral("Shifts selected memo to the last position (Shift + PgDn)");
        t.hintSuUno = QStringLiteral("Shifts selected memo one position above (Shift + Su)");
        t.hintGiuUno = QStringLiteral("Shifts selected memo one position below (Shift + Giù)");
        t.TestoNuovoMemo = QStringLiteral("- new memo -");
        t.ieri = QStringLiteral("Yesterday");
        t.oggi = QStringLiteral("Today");
        t.domani = QStringLiteral("Tomorrow");
        t.popApri = QStringLiteral("Open");
        t.popChiudi = QStringLiteral("Close");
        t.hintColonnaNote = QStringLiteral("memos");
        t.hintColonnaData = QStringLiteral("date");
        t.hintColonnaOrario = QStringLiteral("time");
        t.hintColonnaAnticipo = QStringLiteral("Minutes of difference as to expiry time");
        t.domandaUscita = QStringLiteral("Closing ") + nome
            + QStringLiteral(" memos and clocks will not be shown: are you sure that you want to exit?");
        t.helpContext = 2;
        return 1;
    }
    return 0;
}

QString languageErrorText(int result, const QString& lingua)
{
    return QStringLiteral("Errore ") + QString::number(result)
        + QStringLiteral(" nel cambio lingua. Codice lingua attuale=") + u'"' + lingua + u'"';
}
