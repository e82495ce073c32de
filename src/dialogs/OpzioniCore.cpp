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
