#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Text of the stored files: Windows-1252 as the Windows program wrote it, or
// UTF-8 when the text holds characters that code page lacks.
namespace Codepage {

// The Windows-1252 bytes of text, or nothing when a character has none or
// this build has no converter for the code page (a Qt without ICU).
std::optional<QByteArray> toWindows1252(QStringView text);

// True when every byte is below 0x80: such text reads the same in UTF-8 and
// in the code page.
bool isAscii(QByteArrayView bytes);

// True when the code page has the character (the five undefined bytes
// count as the C1 controls they decode to).
bool hasWindows1252(char32_t c);

// True when bytes are to be read as Windows-1252: always when they are not
// UTF-8; and, for a file last written in the code page, also when their
// UTF-8 reading holds a character of the first 64K that the code page lacks,
// which is what its capitals followed by "…" "”" "€" make ("È…" would read
// as "ȅ"). A UTF-8 reading the code page could hold ("è"), or one with
// characters past the first 64K (an emoji), is left to UTF-8: the file was
// converted or typed in a UTF-8 editor.
bool readAsWindows1252(QByteArrayView bytes, bool lastWrittenInWindows1252);

// Decodes Windows-1252 bytes; every byte has a character, so every byte
// survives a round trip. Reuse one decoder for many values.
class Windows1252Decoder {
public:
    Windows1252Decoder();
    // False when this build cannot convert the code page: Qt then decodes
    // every text as empty, so nothing may be read with it.
    bool isValid() const;
    QString decode(QByteArrayView bytes);

private:
    QStringDecoder m_decoder;
};

// Tests name a converter no build has, as a Qt without ICU would see
// Windows-1252; nullptr goes back to the real one.
void setConverterNameForTests(const char* name);

} // namespace Codepage
