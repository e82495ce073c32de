#pragma once

#include <QList>
#include <QString>

// A colour as 0xAARRGGBB (the layout of QRgb, so widgets take it as is);
// the core has no QtGui.
using ColourValue = quint32;

// One built-in colour scheme of the list windows.
struct TColorazione {
    QString Descrizione; // shown in the options dialog
    QString Nome;        // compared with the Tipo_colorazione setting
    ColourValue ColoreBarraIcone = 0;
    ColourValue ColoreGriglia = 0;
    ColourValue ColoreRigaCorrente = 0;
    ColourValue ColoreIntestazione = 0;
    ColourValue ColoreTestoIntestazione = 0;
    ColourValue ColoreNormale = 0;
    ColourValue ColoreImminente = 0;
    ColourValue ColoreOggi = 0;
    ColourValue ColoreScaduto = 0;
    ColourValue ColoreSenzaAllarme = 0;
};

using ColorazioneList = QList<TColorazione>;

// The design colours of the memo grid and the icon bar, kept while no scheme
// matches the setting.
constexpr ColourValue DESIGN_GRID_COLOUR = 0xFFFFFFFF;
constexpr ColourValue DESIGN_ICON_BAR_COLOUR = 0xFFFFFCD7;

// The six schemes, sorted by Descrizione in the user's locale.
void Crea_Colorazioni(ColorazioneList& schemes);

// Index of the last scheme whose Nome equals tipo, or -1.
int Indice_Colorazione(const ColorazioneList& schemes, const QString& tipo);

// The current scheme, or null when none matches.
const TColorazione* Colorazione_Corrente(const ColorazioneList& schemes, const QString& tipo);

// What the list windows draw with: the current scheme, else the first one;
// the built-in first scheme for an empty list (start-up never leaves it so).
const TColorazione& Colorazione_Disegno(const ColorazioneList& schemes, const QString& tipo);

// Steps delta schemes from the current one (from the first when none
// matches), wrapping at both ends, and stores its Nome in tipo.
void Cambia_Colorazione(const ColorazioneList& schemes, QString& tipo, int delta);
