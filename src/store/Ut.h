#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QtEndian>

#include <bit>
#include <cstring>

// Leggi_Intero result codes.
constexpr int INTERO_OK = 1;
constexpr int INTERO_VUOTO = -1;
constexpr int INTERO_NON_NUMERO = -2;
constexpr int INTERO_FUORI_LIMITE = -3;
constexpr int INTERO_SOLO_SEGNO = -4;

// Signed 32-bit decimal integer, blanks trimmed at both ends.
// 1 = read; -1 = empty; -2 = not a number; -3 = out of range; -4 = a sign alone.
// value is 0 unless the result is 1.
int Leggi_Intero(const QString& text, qint32& value);

// A typed time of day: "9.30", "0930", "09:30", "12345" (12:45), "7.3a" (07:03);
// with a 12-hour mark at either end also "10:00 PM", "1030pm", "6.45pm", "6 pm".
// 1 = read; -1 = length not 4 or 5; -2 = first character not a digit;
// -3 = no minute digit; -4 = hour above 23 or minutes above 59 (time 00:00).
int Leggi_Orario(const QString& text, QTime& time);

// Whole-file write: 1 = written, -1 = open/create failed, -2 = short write.
// Without append the file is created new; with append the text goes at its
// end (the file is created when it cannot be opened).
int Scrivi_File(const QString& path, const QByteArray& data, bool append);

// Whole-file read: 1 = read, -1 = open failed, -2 = fewer bytes than its size.
int Leggi_File(const QString& path, QByteArray& data);

// A day number as the store writes it: rounded to 15 significant digits,
// general form without trailing zeros, exponent form below 0.00001
// ("5,78703703703704E-6"), with the given decimal separator.
QString formatDayNumber(double value, QChar decimalSeparator);
// The same into a buffer of dayNumberChars; returns the length written.
// The separator is a single ASCII character.
constexpr int dayNumberChars = 32;
int formatDayNumber(double value, char decimalSeparator, char* out);

// Reads what formatDayNumber writes, taking "," or "." as the separator
// whatever the locale, so a store outlives a change of regional settings.
bool parseDayNumber(QStringView text, double& value);
bool parseDayNumber(QByteArrayView text, double& value);
// The day number at the start of [begin, end) when it is one the quick way
// reads exactly (at most 16 significant digits and a power of ten up to 22,
// as the store writes them): where it ends, with value set as
// parseDayNumber would set it for those characters alone. nullptr
// otherwise, value untouched: parseDayNumber decides.
const char* readExactDayNumber(const char* begin, const char* end, double& value);
// The ASCII digits that start the eight bytes at p, up to eight, as a
// number; returns how many they are. All eight bytes are read. Inline: the
// store reader calls it a few times a memo.
Q_ALWAYS_INLINE int readDigits(const char* p, quint64& value)
{
    quint64 w;
    std::memcpy(&w, p, 8);
    w = qFromLittleEndian(w);
    constexpr quint64 zeros = 0x3030303030303030ULL;
    constexpr quint64 tops = 0xF0F0F0F0F0F0F0F0ULL;
    // A byte is a digit when its top half is 3 before and after adding 6;
    // a carry out of a byte only reaches bytes after a non-digit.
    const quint64 other = ((w & tops) ^ zeros) | (((w + 0x0606060606060606ULL) & tops) ^ zeros);
    const int n = other ? std::countr_zero(other) / 8 : 8;
    if (n == 0)
        return 0;
    if (n < 8) // the digits to the top, zeros before them
        w = (w << (8 * (8 - n))) | (zeros >> (8 * n));
    w -= zeros;
    w = (w * 10) + (w >> 8);
    w = (((w & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32)))
            + (((w >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32))))
        >> 32;
    value = w;
    return n;
}

// Decimal integer of the store: optional leading blanks and sign, digits, 32 bits.
bool parseStoreInteger(QStringView text, qint32& value);
bool parseStoreInteger(QByteArrayView text, qint32& value);

// The first max UTF-16 units of text, or fewer so that no character is cut:
// an emoji, a letter with its accents or a flag stays whole or goes whole.
QString leftCharacters(const QString& text, qsizetype max);
