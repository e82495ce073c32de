#pragma once

#include "engine/Suoni.h"
#include "state/Settings.h"
#include "store/Global.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The alarm-clock list without widgets: its texts, what each grid row
// shows, the sort key and what the steps of the plus/minus cells do.

// Data columns of the alarm-clock grid; 9 to 11 are not shown.
enum SveglieColumn {
    SV_COL_MESSAGE = 0,
    SV_COL_SWITCH = 1,
    SV_COL_REPEAT = 2,
    SV_COL_REPEAT_STEP = 3,
    SV_COL_TIME = 4,
    SV_COL_TIME_STEP = 5,
    SV_COL_SOUND = 6,
    SV_COL_PLAY = 7,
    SV_COL_SOUND_STEP = 8,
    SV_COL_INDEX = 10,
    SV_COL_KEY = 11,
};
constexpr int SVEGLIE_VISIBLE_COLUMNS = 9;
constexpr int SVEGLIE_DATA_COLUMNS = 12;
constexpr int SVEGLIE_MESSAGE_MAX = 150;

// How the lists show "no sound" (stored as noSoundName()), in the language
// (Italian for any other).
inline QString nessunSuonoMostrato(const QString& lingua = {})
{
    return lingua == QLatin1String("English (UK)") ? QStringLiteral("-No sound-") : QStringLiteral("-Nessun suono-");
}

struct TestiSveglie {
    QString caption;
    QString nuovo, nuovoHint;
    QString cancella, cancellaHint;
    QString chiudi, chiudiHint;
    QStringList NomiGiorni;    // 0 every day, 1..7 Sunday..Saturday
    QStringList TitoliColonne; // columns 0, 2, 4 and 6
    // For screen readers: every visible column by name, the switch in
    // words, the steppers by what they step, and their keys.
    QStringList nomiColonne;
    QString accesa, spenta, prova;
    QString passoRipetizione, passoOrario, passoSuono;
    QString tastoSpazio, tastiPasso;
    QString nessunSuono;
};

// 1 for a language it knows ("Italiano (Italia)", "English (UK)"), else 0.
int Testi_Sveglie(const QString& lingua, TestiSveglie& texts);

// The delete question in the language (Italian for any other).
QString domandaCancellaSveglia(const QString& lingua);

// What a screen reader is told of alarm-clock cell col, asked by Qt role;
// on is the row's switch. Invalid: the cell's own text is read.
QVariant svegliaCellSpoken(const TestiSveglie& texts, int col, int role, bool on);

// Every-day alarm clocks first, each group by time of day.
double Chiave_Ordine(const REC_Sveglia& s);

// The repetition cycle: every day, Monday, ..., Saturday, Sunday, every day.
void Passo_Ripetizione(REC_Sveglia& s, bool avanti);
// The ring time moved by minutes, wrapped into one day.
void Passo_Orario(REC_Sveglia& s, int minutes);
// The sound cycle: no sound, the first sound, ..., the last, no sound.
void Passo_Suono(REC_Sveglia& s, const SuonoList& suoni, bool avanti);

// The sound text of the list (Suono itself is never changed by showing it).
QString Suono_Mostrato(const REC_Sveglia& s, const SuonoList& suoni, const QString& suonoSveglie,
    const QString& nessuno = nessunSuonoMostrato());

// A new alarm clock: every day, on, ringing an hour from now.
REC_Sveglia Nuova_Sveglia(const QDateTime& now, const QString& suonoSveglie);

// Removes alarm clock a. Queue entries name alarm clocks by index: the
// entries of the removed one go, and those of the later ones follow them
// down, so none blocks or warns for another alarm clock.
void Cancella_Sveglia(SvegliaList& sveglie, AvvisoList& avvisi, qsizetype a);

struct SveglieRowFormat {
    TestiSveglie texts;
    QString timeFormat; // QTime::toString format of the short time
    const SuonoList* suoni = nullptr;
    QString suonoSveglie;
};

// Fills the data columns 0..10 of every alarm clock, and the sort keys of
// column 11: recomputed (ricalcola), or the largest key + 1 for the last row
// (nuovaRiga), else kept as they were.
void fillSveglieData(QList<QStringList>& dati, const SvegliaList& sveglie, const SveglieRowFormat& format,
    bool ricalcola, bool nuovaRiga);

// The ArrSveglie index held by data row d, or -1; an index past the list's
// count (a row left from before a deletion) is no alarm clock.
int svegliaOfDataRow(const QList<QStringList>& dati, int d, qsizetype count);
