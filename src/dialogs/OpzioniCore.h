#pragma once

#include "controls/Currency.h"

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
};

// 1 for a language it knows ("Italiano (Italia)", "English (UK)"), else 0
// with the texts left as they were.
int Testi_Opzioni(const QString& lingua, TestiOpzioni& texts);

// The filter of a minute edit: an empty text stands for 0, a whole number
// for itself; negatives only when allowed. A lone sign is let through as 0
// where negatives are allowed, or "-3" could not be typed.
bool Minuti_Accettabili(const QString& text, bool negativi, Currency& value);
