#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The two interface languages.
inline QString languageItalian()
{
    return QStringLiteral("Italiano (Italia)");
}

inline QString languageEnglish()
{
    return QStringLiteral("English (UK)");
}

// Product-level choices of this build, read from the string table at start.
struct BuildConfig {
    // The configuration list: every non-empty string of ids 0..1000, in id order.
    QStringList lines;

    QString NOME_PROGRAMMA;
    QString SCRITTE_LINK_GRANDE;
    QString INDIRIZZO_LINK_GRANDE;
    QString SCRITTE_LINK_PICCOLO;
    QString INDIRIZZO_LINK_PICCOLO;
    QString LINK_BANNER;
    QString LINK_E_MAIL;
    QString LINGUA_DEFAULT; // "System" is already resolved to a language name
    bool CAMBIO_LINGUA_ON = false;
    bool UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = false;
    QString OGGETTO_EMAIL;
    QString COLORAZIONE_DEFAULT;
    bool BANNER_PRESENTE_ON = false;
    bool LOGO_INIZIALE_DISPLAY_ON = false;
    bool MODIFICA_COLORI_ON = false;
    qint32 SECONDI_ATTESA_LOGO = 0;
    bool UTILIZZA_TASTIERA_BANNER_SALVATI_ON = false;
    bool RIDIMENSIONAMENTO_ON = false;
    qint32 DIMENSIONE_INIZIALE = 0;
    bool VIS_BANNER_FORZATA_ON = false;
    qint32 VIS_BANNER_FORZATA_OGNI_QT_VOLTE = 0;
    bool COLORI_PERSONALIZZATI_ON = false;
    qint32 COLORE_CIFRE = 0;
    qint32 COLORE_SFONDO_DISPLAY = 0;
    qint32 COLORE_BARRA_ICONE = 0;

    // Default of the vis_banner setting: 1 when DIMENSIONE_INIZIALE is 2.
    qint32 bannerDefault = 0;

    // The encoded LOGO and BANNER pictures; empty when the build carries none.
    QByteArray logoPicture;
    QByteArray bannerPicture;

    // A key was missing or wrong: its box has been shown and the program must end.
    bool endRequested = false;
};
