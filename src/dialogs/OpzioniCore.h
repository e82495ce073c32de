#pragma once

#include "controls/Currency.h"
#include "sync/IcsOutcome.h"

#include <QString>

// The options dialog without widgets: its texts and the filters of its
// minute edits.

struct TestiOpzioni {
    QString caption;
    QString chkConfCancell;
    QString chkAutoAvvio;
    QString chkNotifica_desktop;
    QString lblPulsantiInc;
    QString lblMinutiAnticipo;
    QString lblPreavvAllarme;
    QString minuti; // lblMinuti1, lblMinuti2, lblMinuti3
    QString btnChiudi, btnChiudiHint;
    QString lblColorazioni;
    QString lblLingua;
    QString gbxSuoni;
    QString lblSuonoMemo;
    QString lblSuonoAllarmi;
    QString gbxNuoviMemo;
    QString rdbNessunOrario;
    QString rdbOrarioComputer;
    QString chkAttivaz_nuovi_memo;
    QString lblModEsecuzione;
    QString rdbUnaVolta;
    QString rdbRipetuto;
    // Memos on other devices: the CalDAV collection and calendar files.
    QString gbxCalDav;
    QString lblCalDavUrl, editCalDavUrlHint;
    QString lblCalDavUtente;
    QString btnImporta, btnImportaHint;
    QString btnEsporta, btnEsportaHint;
    QString filtroIcs; // the file dialogs' filter
};

// 1 for a language it knows ("Italiano (Italia)", "English (UK)"), else 0
// with the texts left as they were.
int Testi_Opzioni(const QString& lingua, TestiOpzioni& texts);

// The filter of a minute edit: an empty text stands for 0, a whole number
// for itself; negatives only when allowed. A lone sign is let through as 0
// where negatives are allowed, or "-3" could not be typed.
bool Minuti_Accettabili(const QString& text, bool negativi, Currency& value);

// A CalDAV address that is not kept: why, in the interface language.
QString calDavRefusedText(const QString& lingua, const QString& address);

// What an import or export from the options did, or why it did not.
QString icsOutcomeText(const QString& lingua, const IcsOutcome& outcome, const QString& path, bool exporting);
