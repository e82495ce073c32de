#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

// Warning-queue entry kinds and states.
constexpr qint32 AVVISO_MEMO = 1;
constexpr qint32 AVVISO_SVEGLIA = 2;
constexpr qint32 STATO_NUOVO = 1;
constexpr qint32 STATO_MOSTRATO = 2;
constexpr qint32 STATO_RIARMATO = 3;

// Alarm-clock kinds.
constexpr qint32 SVEGLIA_OGNI_GIORNO = 1;
constexpr qint32 SVEGLIA_UN_GIORNO = 2;

// Memo time kinds.
constexpr qint32 ORARIO_PRESENTE = 1;
constexpr qint32 ORARIO_ASSENTE = 2;

// Dates and times are day numbers: days since 30 December 1899, the fraction
// being the time of day (0.5 = 12:00), as the stored files have them.
using DayNumber = double;

struct REC_Memo {
    qint32 ID = 0;
    qint32 TipoMemo = 0;
    QString Nota;
    qint32 Attivo = 0;
    qint32 Eseguito = 0;
    qint32 TipoData = 0;
    DayNumber Data = 0;
    qint32 TipoOrario = 0;
    DayNumber Orario = 0;
    qint32 TipoAnticipo = 0;
    qint32 Anticipo = 0;
    // The memo's iCalendar UID once it has one. Not in the store file: the
    // sync data beside it keeps it, so it follows the memo through moves.
    QString Uid{};

    bool operator==(const REC_Memo&) const = default;
};

struct REC_Sveglia {
    qint32 TipoSveglia = 0;
    qint32 Attivo = 0;
    QString Messaggio;
    qint32 Giorno = 0;
    DayNumber Orario = 0;
    QString Suono;
    QString Uid{}; // as REC_Memo::Uid

    bool operator==(const REC_Sveglia&) const = default;
};

struct REC_Avviso {
    qint32 Tipo = 0;
    qint32 Chiave = 0;
    qint32 Stato = 0;

    bool operator==(const REC_Avviso&) const = default;
};

// Plain values holding implicitly shared strings: QList may move them with memcpy.
Q_DECLARE_TYPEINFO(REC_Memo, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(REC_Sveglia, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(REC_Avviso, Q_PRIMITIVE_TYPE);

using MemoList = QList<REC_Memo>;
using SvegliaList = QList<REC_Sveglia>;
using AvvisoList = QList<REC_Avviso>;

namespace DayNumbers {

QDate epoch(); // 30 December 1899

double wholePart(DayNumber v);    // truncated towards zero
double fractionPart(DayNumber v); // v - wholePart(v)

DayNumber fromDate(QDate date);
DayNumber fromTime(QTime time); // fraction of a day, milliseconds kept
DayNumber fromDateTime(const QDateTime& dt);

QDate toDate(DayNumber v); // the whole part as a date
// Time of day of the fraction, rounded to the millisecond.
QTime toTime(DayNumber v);
QDateTime toDateTime(DayNumber v);

// Minutes since midnight of the fraction, as the due tests count it: the
// fraction in milliseconds, rounded, with seconds and milliseconds dropped.
int hoursMinutes(DayNumber v);

// Weekday 1..7 with 1 = Sunday, as REC_Sveglia::Giorno counts it.
int weekday(QDate date);

} // namespace DayNumbers

// Index of the first memo with this ID, or -1.
qsizetype findMemo(const MemoList& memos, qint32 id);
