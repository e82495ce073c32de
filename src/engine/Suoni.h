#pragma once

#include <QList>
#include <QString>

class SoundPlayer;

struct REC_Suono {
    QString Descrizione; // file name without extension, shown in lists
    QString Nome;        // the same; what settings and alarm clocks store
    QString Percorso;    // full path of the file

    bool operator==(const REC_Suono&) const = default;
};

using SuonoList = QList<REC_Suono>;

// The WAV files of the sound folder (extension in any letter case), in file
// name order. A missing folder gives an empty list, silently.
SuonoList Carica_Suoni(const QString& folder);

// Index of the first sound whose Nome equals name exactly, or -1.
int Indice_Suono(const SuonoList& ArrSuoni, const QString& name);

// The sound of an alarm warning: the alarm clock's own, else (a removed file,
// "-nessun suono-") the first of the list. -1 only for an empty list.
int Indice_Suono_Sveglia(const SuonoList& ArrSuoni, const QString& name);

// Plays ArrSuoni[index] through the program's one player, once or in a loop,
// stopping what plays first when asked; an index outside the list plays
// nothing and stops nothing.
void Suona(SoundPlayer& player, const SuonoList& ArrSuoni, int index, bool loop, bool stopFirst);
