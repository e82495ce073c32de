#pragma once

#include <QString>
#include <QStringList>

// Reading one key of the configuration list. A line belongs to a key when it
// begins with the key's name; the value stands between the first double quote
// of the line and the next one.

// Results of the key readers.
constexpr int KEY_OK = 1;
constexpr int KEY_MISSING = -1;     // no line begins with the key
constexpr int KEY_BAD_VALUE = -2;   // a boolean other than "0"/"1", or a number that does not convert
constexpr int KEY_NO_QUOTE = -12;   // the line has no double quote
constexpr int KEY_NOT_CLOSED = -13; // the line has no closing double quote

// 1 = value found; -2 = no double quote; -3 = no closing double quote.
// value is empty unless the result is 1.
int extractQuotedValue(const QString& line, QString& value);

// The key readers: 1, -1, -12, -13 or -2 as above. The text reader empties the
// value first; the others leave it unchanged unless they return 1.
int readConfigText(const QStringList& lines, const QString& key, QString& value);
int readConfigBoolean(const QStringList& lines, const QString& key, bool& value);
int readConfigInteger(const QStringList& lines, const QString& key, qint32& value);
int readConfigColour(const QStringList& lines, const QString& key, qint32& value);

// A 32-bit integer in decimal with an optional sign, or "$" and up to eight
// hexadecimal digits (taken as the 32 bits: "$FFFFFFFF" is -1).
bool parseConfigInteger(const QString& text, qint32& value);

// A colour name of the platform ("clWhite", any letter case) or a colour
// number as parseConfigInteger reads it. Colours are 0x00BBGGRR; system
// colours are 0xFF000000 + their index.
bool parseConfigColour(const QString& text, qint32& value);
