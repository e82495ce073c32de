#pragma once

#include <QByteArray>
#include <QString>

// Text of the stored files: Windows-1252 as the Windows program wrote it, or
// UTF-8 when the text holds characters that code page lacks.
namespace Codepage {

// UTF-8 when every byte sequence is valid UTF-8, otherwise Windows-1252.
QString decodeStoreText(const QByteArray& bytes);

// Windows-1252 when every character fits, otherwise UTF-8 without a BOM.
QByteArray encodeStoreText(const QString& text);

bool isValidUtf8(const QByteArray& bytes);
// The Windows-1252 byte of a character, or -1 when it has none.
int windows1252Byte(char16_t c);
QString fromWindows1252(const QByteArray& bytes);
// False (and out untouched) when a character has no Windows-1252 byte.
bool toWindows1252(const QString& text, QByteArray& out);

} // namespace Codepage
