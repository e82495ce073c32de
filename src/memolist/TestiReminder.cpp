#include "memolist/TestiReminder.h"

#include "state/Configuration.h"

int Testi_Lingua(const QString& lingua, const QString& nome, TestiReminder& t)
{
    if (lingua == languageItalian()) {
        t.hintNuovo = QStringLiteral("Nuovo promemoria (F3)");
        t.hintCancella = QStringLiteral("Cancella il promemoria selezionato (F8)");
        t.hintSort = QStringLiteral("Ordina per data e ora (F7)");
        t.hintSveglie = QStringLiteral("Impostazione delle sveglie (F2)");
        t.hintMail = QStringLiteral("Consiglia questo programma ai tuoi amici");
        t.hintProprieta = QStringLiteral("Opzioni (F4)");
        t.hintHelp = QStringLiteral("Guida in Linea");
        t.hintBanner = QStringLiteral("Dimensione finestra (F11)");
        t.hintTopMost = QStringLiteral("Finestra sempre in primo piano");
        t.hintNormal = QStringLiteral("Finestra normale");
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
        t.hintColonnaNote
            = QStringLiteral("promemoria (Spazio sulla prima colonna: eseguito; sulla campanella: allarme)");
        t.hintColonnaData = QStringLiteral("data scadenza (Alt+Giù calendario, Ctrl+Su/Giù un giorno avanti/indietro)");
        t.hintColonnaOrario = QStringLiteral("orario scadenza (Ctrl+Su/Giù avanti/indietro)");
        t.hintColonnaAnticipo = QStringLiteral("minuti differenza allarme su orario di scadenza (Ctrl+Su/Giù)");
        t.domandaUscita = QStringLiteral("Chiudendo ") + nome
            + QStringLiteral(" non verranno più mostrati gli avvisi impostati: sei sicuro di volerlo chiudere?");
        t.nomiColonne = {QStringLiteral("Fatto"), QStringLiteral("Promemoria"), QStringLiteral("Allarme"),
            QStringLiteral("Data"), QStringLiteral("Data +/-"), QStringLiteral("Orario"), QStringLiteral("Orario +/-"),
            QStringLiteral("Anticipo"), QStringLiteral("Anticipo +/-")};
        t.eseguito = QStringLiteral("Eseguito");
        t.daFare = QStringLiteral("Da fare");
        t.allarmeAcceso = QStringLiteral("Allarme attivo");
        t.allarmeSpento = QStringLiteral("Allarme spento");
        t.passoData = QStringLiteral("Data un giorno avanti o indietro");
        t.passoOrario = QStringLiteral("Orario avanti o indietro");
        t.passoAnticipo = QStringLiteral("Anticipo un minuto in più o in meno");
        t.tastoSpazio = QStringLiteral("Spazio per cambiare");
        t.tastiPasso = QStringLiteral("Ctrl+Su avanti, Ctrl+Giù indietro");
        t.tastoCalendario
            = QStringLiteral("Alt+Giù apre il calendario; Ctrl+Su e Ctrl+Giù un giorno avanti o indietro");
        t.helpContext = 1;
        return 1;
    }
    if (lingua == languageEnglish()) {
        t.hintNuovo = QStringLiteral("Add a new memo (F3)");
        t.hintCancella = QStringLiteral("Delete the selected memo (F8)");
        t.hintSort = QStringLiteral("Sort memo by date/time (F7)");
        t.hintSveglie = QStringLiteral("Clock setting (F2)");
        t.hintMail = QStringLiteral("Recommend this program to your friends");
        t.hintProprieta = QStringLiteral("Options (F4)");
        t.hintHelp = QStringLiteral("On-line Help");
        t.hintBanner = QStringLiteral("Window size (F11)");
        t.hintTopMost = QStringLiteral("Stay on top");
        t.hintNormal = QStringLiteral("Normal");
        t.hintSuTutto = QStringLiteral("Shifts selected memo to the first position (Shift + PgUp)");
        t.hintGiuTutto = QStringLiteral("Shifts selected memo to the last position (Shift + PgDn)");
        t.hintSuUno = QStringLiteral("Shifts selected memo one position above (Shift + Up)");
        t.hintGiuUno = QStringLiteral("Shifts selected memo one position below (Shift + Down)");
        t.TestoNuovoMemo = QStringLiteral("- new memo -");
        t.ieri = QStringLiteral("Yesterday");
        t.oggi = QStringLiteral("Today");
        t.domani = QStringLiteral("Tomorrow");
        t.popApri = QStringLiteral("Open");
        t.popChiudi = QStringLiteral("Close");
        t.hintColonnaNote = QStringLiteral("memos (Space on the first column: done; on the bell: alarm)");
        t.hintColonnaData = QStringLiteral("date (Alt+Down calendar, Ctrl+Up/Down a day on/back)");
        t.hintColonnaOrario = QStringLiteral("time (Ctrl+Up/Down on/back)");
        t.hintColonnaAnticipo = QStringLiteral("Minutes of difference as to expiry time (Ctrl+Up/Down)");
        t.domandaUscita = QStringLiteral("Closing ") + nome
            + QStringLiteral(" memos and clocks will not be shown: are you sure that you want to exit?");
        t.nomiColonne = {QStringLiteral("Done"), QStringLiteral("Memo"), QStringLiteral("Alarm"),
            QStringLiteral("Date"), QStringLiteral("Date +/-"), QStringLiteral("Time"), QStringLiteral("Time +/-"),
            QStringLiteral("Offset"), QStringLiteral("Offset +/-")};
        t.eseguito = QStringLiteral("Done");
        t.daFare = QStringLiteral("Not done");
        t.allarmeAcceso = QStringLiteral("Alarm on");
        t.allarmeSpento = QStringLiteral("Alarm off");
        t.passoData = QStringLiteral("Date one day on or back");
        t.passoOrario = QStringLiteral("Time on or back");
        t.passoAnticipo = QStringLiteral("Offset one minute more or less");
        t.tastoSpazio = QStringLiteral("Space to change");
        t.tastiPasso = QStringLiteral("Ctrl+Up on, Ctrl+Down back");
        t.tastoCalendario = QStringLiteral("Alt+Down opens the calendar; Ctrl+Up and Ctrl+Down a day on or back");
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
