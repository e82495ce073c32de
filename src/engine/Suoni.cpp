#include "engine/Suoni.h"

#include "platform/SoundPlayer.h"

#include <QDir>

SuonoList Carica_Suoni(const QString& folder)
{
    SuonoList list;
    // Name order, as a Windows directory search returns it, rather than the
    // hash order of many Linux file systems.
    const QDir dir(folder);
    const QStringList files = dir.entryList(
        {QStringLiteral("*.wav")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        const qsizetype dot = file.lastIndexOf(u'.');
        const QString name = dot < 0 ? file : file.left(dot);
        list.append(REC_Suono{name, name, dir.filePath(file)});
    }
    return list;
}

int Indice_Suono(const SuonoList& ArrSuoni, const QString& name)
{
    for (int i = 0; i < ArrSuoni.size(); ++i) {
        if (ArrSuoni[i].Nome == name)
            return i;
    }
    return -1;
}

int Indice_Suono_Sveglia(const SuonoList& ArrSuoni, const QString& name)
{
    const int i = Indice_Suono(ArrSuoni, name);
    return i >= 0 || ArrSuoni.isEmpty() ? i : 0;
}

void Suona(SoundPlayer& player, const SuonoList& ArrSuoni, int index, bool loop, bool stopFirst)
{
    if (index < 0 || index >= ArrSuoni.size())
        return;
    if (stopFirst)
        player.stop();
    if (loop)
        player.playLoop(ArrSuoni[index].Percorso);
    else
        player.playOnce(ArrSuoni[index].Percorso);
}
