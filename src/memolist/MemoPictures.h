#pragma once

#include <QPixmap>

// The pictures the memo grid (and the alarm-clock list) draw with. They are
// painted at run time for the screen's pixel density, so they stay sharp on
// a high-density screen; the background of each is transparent.
struct MemoPictures {
    explicit MemoPictures(qreal devicePixelRatio = 1.0);

    QPixmap imgCopy_DropDown;
    QPixmap imgCopy_Cancella;
    QPixmap imgCopy_PiuMeno; // upper half +, lower half -
    QPixmap imgCopy_Eseguito_True;
    QPixmap imgCopy_Eseguito_False;
    QPixmap imgCopy_Attivo_True;
    QPixmap imgCopy_Attivo_False;
    QPixmap imgCopy_PlaySuono;
    QPixmap imgCopy_Col_Eseguito;
    QPixmap imgCopy_Col_Data;
    QPixmap imgCopy_Col_Note;
    QPixmap imgCopy_Col_Orario;
    QPixmap imgCopy_Diff_Allarme;
    QPixmap imgCopy_Nuovo;

    // The main window's command icons (icon bar, move buttons, size and
    // stay-on-top switches).
    QPixmap imgNuovo;
    QPixmap imgCancella_Enabled;
    QPixmap imgCancella_Disabled;
    QPixmap imgSort;
    QPixmap imgSveglie;
    QPixmap imgProprieta;
    QPixmap imgMail;
    QPixmap imgHelp;
    QPixmap btnSuTutto;
    QPixmap btnGiuTutto;
    QPixmap btnSuUno;
    QPixmap btnGiuUno;
    QPixmap imgNormal;
    QPixmap imgTopMost;
    QPixmap imgConBanner;
    QPixmap imgSenzaBanner;
};
