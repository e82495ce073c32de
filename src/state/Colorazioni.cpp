#include "state/Colorazioni.h"

#include "controls/QSort.h"

#include <utility>

namespace {

TColorazione scheme(const char* name, ColourValue iconBar, ColourValue grid, ColourValue currentRow, ColourValue header,
    ColourValue headerText)
{
    TColorazione c;
    c.Descrizione = QString::fromLatin1(name);
    c.Nome = c.Descrizione;
    c.ColoreBarraIcone = iconBar;
    c.ColoreGriglia = grid;
    c.ColoreRigaCorrente = currentRow;
    c.ColoreIntestazione = header;
    c.ColoreTestoIntestazione = headerText;
    // The urgency colours are the same in every scheme.
    c.ColoreNormale = 0xFF000000;
    c.ColoreImminente = 0xFF008000;
    c.ColoreOggi = 0xFF008000;
    c.ColoreScaduto = 0xFFFF0000;
    c.ColoreSenzaAllarme = 0xFF808080;
    return c;
}

} // namespace

void Crea_Colorazioni(ColorazioneList& schemes)
{
    schemes.clear();
    schemes.append(scheme("Reminder", DESIGN_ICON_BAR_COLOUR, 0xFFFFFFFF, 0xFFFFFF00, 0xFFC0C0C0, 0xFF000000));
    schemes.append(scheme("Italia", 0xFFEEEEEE, 0xFFFFFFFF, 0xFFC4FFFF, 0xFF255FDC, 0xFFFFFFFF));
    schemes.append(scheme("Mattone", 0xFFA05050, 0xFFF7EEEE, 0xFFFFFFBF, 0xFFFF9F71, 0xFFFFFFFF));
    schemes.append(scheme("Viola", 0xFF8080C0, 0xFFE6E6FB, 0xFFFFFFFF, 0xFF800080, 0xFFFFFFFF));
    schemes.append(scheme("Grigio", 0xFF646464, 0xFFF2F2F2, 0xFFFFFFD7, 0xFFA0A0A0, 0xFFFFFFFF));
    schemes.append(scheme("Verde", 0xFF408080, 0xFFCBE4E4, 0xFFFFFFD7, 0xFF53A6A6, 0xFFFFFFFF));
    QSort(
        0, int(schemes.size()) - 1,
        [&schemes](
            int i, int j) { return QString::localeAwareCompare(schemes[i].Descrizione, schemes[j].Descrizione); },
        [&schemes](int i, int j) { std::swap(schemes[i], schemes[j]); });
}

int Indice_Colorazione(const ColorazioneList& schemes, const QString& tipo)
{
    for (int i = int(schemes.size()) - 1; i >= 0; --i) {
        if (schemes[i].Nome == tipo)
            return i;
    }
    return -1;
}

const TColorazione* Colorazione_Corrente(const ColorazioneList& schemes, const QString& tipo)
{
    const int i = Indice_Colorazione(schemes, tipo);
    return i >= 0 ? &schemes[i] : nullptr;
}

const TColorazione& Colorazione_Disegno(const ColorazioneList& schemes, const QString& tipo)
{
    if (const TColorazione* current = Colorazione_Corrente(schemes, tipo))
        return *current;
    if (!schemes.isEmpty())
        return schemes.first();
    static const TColorazione builtIn = [] {
        ColorazioneList list;
        Crea_Colorazioni(list);
        return list.first();
    }();
    return builtIn;
}

void Cambia_Colorazione(const ColorazioneList& schemes, QString& tipo, int delta)
{
    const int count = int(schemes.size());
    if (count == 0)
        return;
    int i = Indice_Colorazione(schemes, tipo);
    if (i < 0)
        i = 0;
    // A whole turn lands where it started, so only the remainder is walked.
    const int steps = int(qAbs(qint64(delta)) % count);
    for (int s = 0; s < steps; ++s)
        i = delta < 0 ? (i == 0 ? count - 1 : i - 1) : (i == count - 1 ? 0 : i + 1);
    tipo = schemes[i].Nome;
}
