#include "dialogs/OpzioniCore.h"

#include "state/Configuration.h"
#include "store/Ut.h"

int Testi_Opzioni(const QString& lingua, TestiOpzioni& t)
{
    if (lingua == languageItalian()) {
        t.caption = QStringLiteral("Opzioni");
        t.chkConfCancell = QStringLiteral("Confermare prima di cancellare");
        t.chkAutoAvvio = QStringLiteral("Esecuzione automatica all'avvio della sessione");
        t.chkNotifica_desktop = QStringLiteral("Ogni avviso anche come notifica del desktop");
        t.lblPulsantiInc = QStringLiteral("Incremento/decremento degli orari");
        t.lblMinutiAnticipo = QStringLiteral("I promemoria sono \"imminenti\" quando mancano");
        t.lblPreavvAllarme = QStringLiteral("Minuti di preavviso ad attivazione allarme: ");
        t.minuti = QStringLiteral("minuti");
        t.btnChiudi = QStringLiteral("Chiudi");
        t.btnChiudiHint = QStringLiteral("Chiude la finestra");
        t.lblColorazioni = QStringLiteral("Colorazione");
        t.lblLingua = QStringLiteral("Lingua");
        t.lblSuonoMemo = QStringLiteral("Suono predefinito per i promemoria");
        t.lblSuonoAllarmi = QStringLiteral("Suono predefinito per gli allarmi");
        t.gbxNuoviMemo = QStringLiteral(" Creazione nuovi promemoria ");
        t.rdbNessunOrario = QStringLiteral("nessun orario predefinito");
        t.rdbOrarioComputer = QStringLiteral("impostare l'ora del computer");
        t.chkAttivaz_nuovi_memo = QStringLiteral("Attivare subito l'allarme");
        t.lblModEsecuzione = QStringLiteral("Modalità di esecuzione");
        t.rdbUnaVolta = QStringLiteral("Una sola volta");
        t.rdbRipetuto = QStringLiteral("Ripetuto");
        t.gbxCalDav = QStringLiteral(" Promemoria su altri dispositivi ");
        t.lblCalDavUrl = QStringLiteral("Indirizzo della raccolta CalDAV");
        t.editCalDavUrlHint = QStringLiteral("https://... (vuoto: nessuna sincronizzazione)");
        t.lblCalDavUtente = QStringLiteral("Utente");
        t.btnImporta = QStringLiteral("Importa...");
        t.btnImportaHint = QStringLiteral("Aggiunge i promemoria e le sveglie di un file iCalendar (.ics)");
        t.btnEsporta = QStringLiteral("Esporta...");
        t.btnEsportaHint = QStringLiteral("Scrive tutti i promemoria e le sveglie in un file iCalendar (.ics)");
        t.filtroIcs = QStringLiteral("File iCalendar (*.ics);;Tutti i file (*)");
    } else if (lingua == languageEnglish()) {
        t.caption = QStringLiteral("Options");
        t.chkConfCancell = QStringLiteral("Ask before deleting any memo");
        t.chkAutoAvvio = QStringLiteral("Auto-run at session startup");
        t.chkNotifica_desktop = QStringLiteral("Show each warning as a desktop notification too");
        t.lblPulsantiInc = QStringLiteral("Time increase/reduction");
        t.lblMinutiAnticipo = QStringLiteral("Memos are imminent with a time advance of");
        t.lblPreavvAllarme = QStringLiteral("Minutes' notice before activating the alarm");
        t.minuti = QStringLiteral("minutes");
        t.btnChiudi = QStringLiteral("Close");
        t.btnChiudiHint = QStringLiteral("Close this window");
        t.lblColorazioni = QStringLiteral("Color set");
        t.lblLingua = QStringLiteral("Language");
        t.lblSuonoMemo = QStringLiteral("Pre-defined sounds for memos");
        t.lblSuonoAllarmi = QStringLiteral("Pre-defined sounds for alarms");
        t.gbxNuoviMemo = QStringLiteral(" Creation of a new memo ");
        t.rdbNessunOrario = QStringLiteral("no pre-defined schedule");
        t.rdbOrarioComputer = QStringLiteral("set the clock of the computer");
        t.chkAttivaz_nuovi_memo = QStringLiteral("Activate immediately the alarm for new memos");
        t.lblModEsecuzione = QStringLiteral("Execution mode");
        t.rdbUnaVolta = QStringLiteral("Once");
        t.rdbRipetuto = QStringLiteral("Until user's action");
        t.gbxCalDav = QStringLiteral(" Memos on other devices ");
        t.lblCalDavUrl = QStringLiteral("CalDAV collection address");
        t.editCalDavUrlHint = QStringLiteral("https://... (empty: no sync)");
        t.lblCalDavUtente = QStringLiteral("User");
        t.btnImporta = QStringLiteral("Import...");
        t.btnImportaHint = QStringLiteral("Add the memos and alarm clocks of an iCalendar file (.ics)");
        t.btnEsporta = QStringLiteral("Export...");
        t.btnEsportaHint = QStringLiteral("Write every memo and alarm clock to an iCalendar file (.ics)");
        t.filtroIcs = QStringLiteral("iCalendar files (*.ics);;All files (*)");
    } else {
        return 0;
    }
    t.gbxSuoni = QStringLiteral(" Sounds ");
    return 1;
}

bool Minuti_Accettabili(const QString& text, bool negativi, Currency& value)
{
    qint32 n = 0;
    const int code = Leggi_Intero(text, n);
    value = Currency::fromInt(code == INTERO_OK ? n : 0);
    if (code == INTERO_OK)
        return negativi || n >= 0;
    return code == INTERO_VUOTO || (negativi && code == INTERO_SOLO_SEGNO);
}

QString calDavRefusedText(const QString& lingua, const QString& address)
{
    if (lingua == languageItalian()) {
        return QStringLiteral("L'indirizzo CalDAV \"%1\" non è stato salvato: serve un indirizzo https:// "
                              "(http:// solo verso questo computer, localhost).")
            .arg(address);
    }
    return QStringLiteral("The CalDAV address \"%1\" was not saved: it needs to be an https:// address "
                          "(http:// only to this computer, localhost).")
        .arg(address);
}

QString icsOutcomeText(const QString& lingua, const IcsOutcome& o, const QString& path, bool exporting)
{
    const bool it = lingua == languageItalian();
    switch (o.fault) {
    case IcsOutcome::Fault::CannotRead:
        return (it ? QStringLiteral("Impossibile leggere il file %1.") : QStringLiteral("Cannot read the file %1."))
            .arg(path);
    case IcsOutcome::Fault::NotCalendar:
        return (it ? QStringLiteral("%1 non è un file iCalendar: nulla è stato importato.")
                   : QStringLiteral("%1 is not an iCalendar file: nothing was imported."))
            .arg(path);
    case IcsOutcome::Fault::CannotWrite:
        return (it ? QStringLiteral("Impossibile scrivere il file %1:\n%2")
                   : QStringLiteral("Cannot write the file %1:\n%2"))
            .arg(path, o.detail);
    case IcsOutcome::Fault::Unavailable:
        return (it ? QStringLiteral("I file iCalendar non sono disponibili in questa installazione:\n%1")
                   : QStringLiteral("iCalendar files are not available in this installation:\n%1"))
            .arg(o.detail);
    case IcsOutcome::Fault::None:
        break;
    }
    if (exporting) {
        return (it ? QStringLiteral("Esportati in %1:\n%2 promemoria e %3 sveglie.")
                   : QStringLiteral("Exported to %1:\n%2 memos and %3 alarm clocks."))
            .arg(path)
            .arg(o.memos)
            .arg(o.alarms);
    }
    return (it
            ? QStringLiteral("Importati da %1:\n%2 aggiunti, %3 aggiornati, %4 tralasciati (né promemoria né sveglie).")
            : QStringLiteral("Imported from %1:\n%2 added, %3 updated, %4 skipped (neither memos nor alarm clocks)."))
        .arg(path)
        .arg(o.added)
        .arg(o.updated)
        .arg(o.skipped);
}
