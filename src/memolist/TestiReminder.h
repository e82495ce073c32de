#pragma once

#include <QString>
#include <QStringList>

// The main window's texts in the current interface language.
struct TestiReminder {
    QString hintNuovo;
    QString hintCancella;
    QString hintSort;
    QString hintSveglie;
    QString hintMail;
    QString hintProprieta;
    QString hintHelp;
    QString hintBanner; // imgConBanner and imgSenzaBanner
    QString hintTopMost;
    QString hintNormal;
    QString hintSuTutto;
    QString hintGiuTutto;
    QString hintSuUno;
    QString hintGiuUno;
    QString TestoNuovoMemo; // the placeholder row
    QString ieri;
    QString oggi;
    QString domani;
    QString popApri;
    QString popChiudi;
    QString hintColonnaNote; // header hints of columns 1, 3, 5 and 7
    QString hintColonnaData;
    QString hintColonnaOrario;
    QString hintColonnaAnticipo;
    QString domandaUscita; // the exit question, with the program name
    // What a screen reader says of the grid: column names, the marks in
    // words, the steppers by what they step, and the keys that work them.
    QStringList nomiColonne; // COL_DONE .. COL_ADVANCE_BUTTON
    QString eseguito, daFare, allarmeAcceso, allarmeSpento;
    QString passoData, passoOrario, passoAnticipo;
    QString tastoSpazio, tastiPasso, tastoCalendario;
    int helpContext = 0;
};

// Fills texts for lingua ("Italiano (Italia)" or "English (UK)", exactly).
// 1 = done; 0 = not a language of the program, texts left as they were.
int Testi_Lingua(const QString& lingua, const QString& nomeProgramma, TestiReminder& texts);

// The error text shown when a window's Testi_Lingua gives less than 1.
QString languageErrorText(int result, const QString& lingua);
