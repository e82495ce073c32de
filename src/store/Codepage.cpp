#include "store/Codepage.h"

#include <QStringEncoder>

namespace Codepage {

namespace {

// Qt's ICU converter: the five bytes Windows-1252 leaves undefined map to the
// C1 controls of the same value, as Windows converts them.
constexpr const char* codePageName = "windows-1252";
const char* converterName = codePageName;

} // namespace

void setConverterNameForTests(const char* name)
{
    converterName = name ? name : codePageName;
}

std::optional<QByteArray> toWindows1252(QStringView text)
{
    QStringEncoder encoder(converterName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

Windows1252Decoder::Windows1252Decoder()
    : m_decoder(converterName, QStringConverter::Flag::Stateless)
{
}

bool Windows1252Decoder::isValid() const
{
    return m_decoder.isValid();
}

QString Windows1252Decoder::decode(QByteArrayView bytes)
{
    return m_decoder.decode(bytes);
}

} // namespace Codepage
