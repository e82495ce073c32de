#include "alarms/SveglieCore.h"

#include "controls/GridRoles.h"

#include "store/Ut.h"

#include <algorithm>

namespace {

const QString italiano = QStringLiteral("Italiano (Italia)");
const QString english = QStringLiteral("English (UK)");

} // namespace

int Testi_Sveglie(const QString& lingua, TestiSveglie& t)
{
    if (lingua == italiano) {
        t.caption = QStringLiteral("Impostazione sveglie");
        t.nuovo = QStringLiteral("Nuovo");
        t.nuovoHint = QStringLiteral("Aggiunge una nuova sveglia (F3)");
        t.cancella = QStringLiteral("Cancella");
        t.cancellaHint = QStringLiteral("Cancella la sveglia selezionata (F8)");
        t.chiudi = QStringLiteral("Chiudi");
        t.chiudiHint = QStringLiteral("Chiudi questa finestra");
        t.NomiGiorni = {QStringLiteral("Tutti i giorni"), QStringLiteral("ogni Domenica"),
            QStringLiteral("ogni Lunedì"), QStringLiteral("ogni Martedì"), QStringLiteral("ogni Mercoledì"),
            QStringLiteral("ogni Giovedì"), QStringLiteral("ogni Venerdì"), QStringLiteral("ogni Sabato")};
        t.TitoliColonne = {QStringLiteral("Messaggio"), QStringLiteral("Ripetizione"), QStringLiteral("Orario"),
            QStringLiteral("Suono")};
        t.nomiColonne = {QStringLiteral("Messaggio"), QStringLiteral("Attiva"), QStringLiteral("Ripetizione"),
            QStringLiteral("Ripetizione +/-"), QStringLiteral("Orario"), QStringLiteral("Orario +/-"),
            QStringLiteral("Suono"), QStringLiteral("Prova suono"), QStringLiteral("Suono +/-")};
        t.accesa = QStringLiteral("Attiva");
        t.spenta = QStringLiteral("Spenta");
        t.prova = QStringLiteral("Prova il suono");
        t.passoRipetizione = QStringLiteral("Ripetizione seguente o precedente");
        t.passoOrario = QStringLiteral("Orario avanti o indietro");
        t.passoSuono = QStringLiteral("Suono seguente o precedente");
        t.tastoSpazio = QStringLiteral("Spazio per cambiare");
        t.tastiPasso = QStringLiteral("Ctrl+Su avanti, Ctrl+Giù indietro");
        t.nessunSuono = nessunSuonoMostrato(lingua);
        return 1;
    }
    if (lingua == english) {
        t.caption = QStringLiteral("Clocks setup");
        t.nuovo = QStringLiteral("New");
        t.nuovoHint = QStringLiteral("Adds a new clock (F3)");
        t.cancella = QStringLiteral("Clear");
        t.cancellaHint = QStringLiteral("Deletes the selected clock (F8)");
        t.chiudi = QStringLiteral("Close");
        t.chiudiHint = QStringLiteral("Close this window");
        t.NomiGiorni = {QStringLiteral("Everyday"), QStringLiteral("every Sunday"), QStringLiteral("every Monday"),
            QStringLiteral("every Tuesday"), QStringLiteral("every Wednesday"), QStringLiteral("every Thursday"),
            QStringLiteral("every Friday"), QStringLiteral("every Saturday")};
        t.TitoliColonne
            = {QStringLiteral("Message"), QStringLiteral("Repeating"), QStringLiteral("Time"), QStringLiteral("Sound")};
        t.nomiColonne = {QStringLiteral("Message"), QStringLiteral("On"), QStringLiteral("Repeating"),
            QStringLiteral("Repeating +/-"), QStringLiteral("Time"), QStringLiteral("Time +/-"),
            QStringLiteral("Sound"), QStringLiteral("Try the sound"), QStringLiteral("Sound +/-")};
        t.accesa = QStringLiteral("On");
        t.spenta = QStringLiteral("Off");
        t.prova = QStringLiteral("Try the sound");
        t.passoRipetizione = QStringLiteral("Next or previous repetition");
        t.passoOrario = QStringLiteral("Time on or back");
        t.passoSuono = QStringLiteral("Next or previous sound");
        t.tastoSpazio = QStringLiteral("Space to change");
        t.tastiPasso = QStringLiteral("Ctrl+Up on, Ctrl+Down back");
        t.nessunSuono = nessunSuonoMostrato(lingua);
        return 1;
    }
    return 0;
}

QString domandaCancellaSveglia(const QString& lingua)
{
    // A question about deleting must be understood: English in the English interface.
    if (lingua == english)
        return QStringLiteral("Are you sure you want to delete the selected clock? ");
    return QStringLiteral("Sei sicuro di voler cancellare la sveglia selezionata? ");
}

QVariant svegliaCellSpoken(const TestiSveglie& t, int col, int role, bool on)
{
    switch (role) {
    case GridStepRole:
        return col == SV_COL_REPEAT_STEP || col == SV_COL_TIME_STEP || col == SV_COL_SOUND_STEP;
    case Qt::CheckStateRole:
        return col == SV_COL_SWITCH ? QVariant(on ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::AccessibleTextRole:
        switch (col) {
        case SV_COL_SWITCH:
            return on ? t.accesa : t.spenta;
        case SV_COL_REPEAT_STEP:
            return t.passoRipetizione;
        case SV_COL_TIME_STEP:
            return t.passoOrario;
        case SV_COL_PLAY:
            return t.prova;
        case SV_COL_SOUND_STEP:
            return t.passoSuono;
        default:
            return {};
        }
    case Qt::AccessibleDescriptionRole:
        if (col == SV_COL_SWITCH || col == SV_COL_PLAY)
            return t.tastoSpazio;
        if (col == SV_COL_REPEAT || col == SV_COL_REPEAT_STEP || col == SV_COL_TIME || col == SV_COL_TIME_STEP
            || col == SV_COL_SOUND || col == SV_COL_SOUND_STEP)
            return t.tastiPasso;
        return {};
    default:
        return {};
    }
}

double Chiave_Ordine(const REC_Sveglia& s)
{
    return 10.0 * s.TipoSveglia + s.Orario;
}

void Passo_Ripetizione(REC_Sveglia& s, bool avanti)
{
    if (s.TipoSveglia == SVEGLIA_OGNI_GIORNO) {
        s.TipoSveglia = SVEGLIA_UN_GIORNO;
        s.Giorno = avanti ? 2 : 1;
    } else if (avanti) {
        if (s.Giorno == 1)
            s.TipoSveglia = SVEGLIA_OGNI_GIORNO;
        else if (s.Giorno == 7)
            s.Giorno = 1;
        else
            ++s.Giorno;
    } else {
        if (s.Giorno == 1)
            s.Giorno = 7;
        else if (s.Giorno == 2)
            s.TipoSveglia = SVEGLIA_OGNI_GIORNO;
        else
            --s.Giorno;
    }
}

void Passo_Orario(REC_Sveglia& s, int minutes)
{
    double v = s.Orario + minutes / 1440.0;
    if (v < 0)
        v += 1;
    s.Orario = DayNumbers::fractionPart(v);
}

void Passo_Suono(REC_Sveglia& s, const SuonoList& suoni, bool avanti)
{
    qsizetype next = -1;
    if (s.Suono == noSoundName()) {
        next = avanti ? 0 : suoni.size() - 1;
    } else {
        const int i = Indice_Suono(suoni, s.Suono);
        next = i < 0 ? 0 : (avanti ? i + 1 : i - 1);
    }
    s.Suono = next >= 0 && next < suoni.size() ? suoni[next].Nome : noSoundName();
}

QString Suono_Mostrato(
    const REC_Sveglia& s, const SuonoList& suoni, const QString& suonoSveglie, const QString& nessuno)
{
    if (s.Suono == noSoundName())
        return nessuno;
    int i = Indice_Suono(suoni, s.Suono);
    if (i < 0)
        i = Indice_Suono(suoni, suonoSveglie);
    return i < 0 ? nessuno : suoni[i].Descrizione;
}

REC_Sveglia Nuova_Sveglia(const QDateTime& now, const QString& suonoSveglie)
{
    REC_Sveglia s;
    s.TipoSveglia = SVEGLIA_OGNI_GIORNO;
    s.Attivo = 1;
    s.Giorno = DayNumbers::weekday(now.date());
    s.Orario = DayNumbers::fromTime(now.time()) + 1.0 / 24; // past 23:00 beyond one day; readers take the time
    s.Suono = suonoSveglie;
    return s;
}

void Cancella_Sveglia(SvegliaList& sveglie, AvvisoList& avvisi, qsizetype a)
{
    if (a < 0 || a >= sveglie.size())
        return;
    sveglie.removeAt(a);
    // Open warning windows point into the queue by position: renumber, never remove.
    for (REC_Avviso& e : avvisi) {
        if (e.Tipo != AVVISO_SVEGLIA)
            continue;
        if (e.Chiave == a) {
            e.Chiave = -1;
            e.Stato = STATO_RIARMATO;
        } else if (e.Chiave > a) {
            --e.Chiave;
        }
    }
}

void fillSveglieData(QList<QStringList>& dati, const SvegliaList& sveglie, const SveglieRowFormat& format,
    bool ricalcola, bool nuovaRiga)
{
    const qsizetype n = sveglie.size();
    double largest = 0;
    if (nuovaRiga) {
        for (qsizetype d = 0; d < n; ++d) {
            bool ok = false;
            const double key = dati[SV_COL_KEY][d].toDouble(&ok);
            if (ok)
                largest = std::max(largest, key);
        }
    }
    const QStringList& giorni = format.texts.NomiGiorni;
    const QString nessuno = format.texts.nessunSuono.isEmpty() ? nessunSuonoMostrato() : format.texts.nessunSuono;
    for (qsizetype d = 0; d < n; ++d) {
        const REC_Sveglia& s = sveglie[d];
        dati[SV_COL_MESSAGE][d] = s.Messaggio;
        QString repeat;
        if (s.TipoSveglia == SVEGLIA_OGNI_GIORNO && !giorni.isEmpty())
            repeat = giorni[0];
        else if (s.TipoSveglia == SVEGLIA_UN_GIORNO && s.Giorno >= 1 && s.Giorno < giorni.size())
            repeat = giorni[s.Giorno];
        dati[SV_COL_REPEAT][d] = repeat;
        dati[SV_COL_TIME][d] = DayNumbers::toTime(DayNumbers::fractionPart(s.Orario)).toString(format.timeFormat);
        dati[SV_COL_SOUND][d] = format.suoni ? Suono_Mostrato(s, *format.suoni, format.suonoSveglie, nessuno) : nessuno;
        dati[SV_COL_INDEX][d] = QString::number(d);
        // A hidden column: the C locale's digits read back whatever the user's locale.
        if (nuovaRiga && d == n - 1)
            dati[SV_COL_KEY][d] = QString::number(largest + 1, 'g', 17);
        else if (ricalcola)
            dati[SV_COL_KEY][d] = QString::number(Chiave_Ordine(s), 'g', 17);
    }
}

int svegliaOfDataRow(const QList<QStringList>& dati, int d, qsizetype count)
{
    if (d < 0 || dati.size() <= SV_COL_INDEX || d >= dati[SV_COL_INDEX].size())
        return -1;
    qint32 index = -1;
    return Leggi_Intero(dati[SV_COL_INDEX][d], index) == INTERO_OK && index < count ? index : -1;
}
