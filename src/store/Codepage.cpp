#include "store/Codepage.h"

#include <QStringEncoder>

namespace Codepage {

namespace {

// Qt's ICU converter: the five bytes Windows-1252 leaves undefined map to the
// C1 controls of the same value, as Windows converts them.
constexpr const char* codePageName = "windows-1252";

} // namespace

std::optional<QByteArray> toWindows1252(QStringView text)
{
    QStringEncoder encoder(codePageName, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

Windows1252Decoder::Windows1252Decoder()
    : m_decoder(codePageName, QStringConverter::Flag::Stateless)
{
}

QString Windows1252Decoder::decode(QByteArrayView bytes)
{
    return m_decoder.decode(bytes);
}

} // namespace Codepage
