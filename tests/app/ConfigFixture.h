#pragma once

#include "fakes/FakeResources.h"

#include <QMap>
#include <QString>

// A complete, valid string table for the configuration reader, one key per
// id from 96, as the shipped build has them.
inline QMap<int, QString> validConfigLines()
{
    const char* lines[] = {
        "NOME_PROGRAMMA = \"Brivo Reminder\"",
        "SCRITTE_LINK_GRANDE = \"www.example.org/brivo\"",
        "INDIRIZZO_LINK_GRANDE = \"https://www.example.org/brivo/\"",
        "SCRITTE_LINK_PICCOLO = \"example.org\"",
        "INDIRIZZO_LINK_PICCOLO = \"https://www.example.org/\"",
        "LINK_BANNER = \"https://www.example.org/brivo/news.html\"",
        "LINK_E_MAIL = \"https://www.example.org/brivo/get.html\"",
        "LINGUA_DEFAULT = \"System\"",
        "CAMBIO_LINGUA_ON = \"1\"",
        "UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = \"1\"",
        "OGGETTO_EMAIL = \"Programma BrivoReminder\"",
        "COLORAZIONE_DEFAULT = \"Reminder\"",
        "BANNER_PRESENTE_ON = \"1\"",
        "LOGO_INIZIALE_DISPLAY_ON = \"1\"",
        "MODIFICA_COLORI_ON = \"1\"",
        "SECONDI_ATTESA_LOGO = \"1\"",
        "UTILIZZA_TASTIERA_BANNER_SALVATI_ON = \"1\"",
        "RIDIMENSIONAMENTO_ON = \"1\"",
        "DIMENSIONE_INIZIALE = \"2\"",
        "VIS_BANNER_FORZATA_ON = \"1\"",
        "VIS_BANNER_FORZATA_OGNI_QT_VOLTE = \"3\"",
        "COLORI_PERSONALIZZATI_ON = \"0\"",
        "COLORE_CIFRE = \"clWhite\"",
        "COLORE_SFONDO_DISPLAY = \"$00FABD05\"",
        "COLORE_BARRA_ICONE = \"clNavy\"",
    };
    QMap<int, QString> table;
    int id = 96;
    for (const char* line : lines)
        table.insert(id++, QString::fromLatin1(line));
    return table;
}

// The id of the line that begins with key, or -1.
inline int idOfKey(const QMap<int, QString>& table, const QString& key)
{
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (it.value().startsWith(key + u' '))
            return it.key();
    }
    return -1;
}

inline FakeResources validResources()
{
    FakeResources resources;
    resources.strings = validConfigLines();
    resources.bitmaps.insert(QStringLiteral("LOGO"), QByteArray("logo picture"));
    resources.bitmaps.insert(QStringLiteral("BANNER"), QByteArray("banner picture"));
    return resources;
}
