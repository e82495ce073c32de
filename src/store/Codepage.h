#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <optional>

// Text of the stored files: Windows-1252 as the Windows program wrote it, or
// UTF-8 when the text holds characters that code page lacks.
namespace Codepage {

// The Windows-1252 bytes of text, or nothing when a character has none.
std::optional<QByteArray> toWindows1252(QStringView text);

// Decodes Windows-1252 bytes; every byte has a character, so every byte
// survives a round trip. Reuse one decoder for many values.
class Windows1252Decoder {
public:
    Windows1252Decoder();
    QString decode(QByteArrayView bytes);

private:
    QStringDecoder m_decoder;
};

} // namespace Codepage
