#include "store/Codepage.h"

#include <QStringEncoder>

#include <algorithm>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Sixteen bytes at a time, four at once: a store is read whole at every start.
bool isAscii(QByteArrayView bytes)
{
    const char* d = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    for (; i + 64 <= n; i += 64) {
        const auto* v = reinterpret_cast<const __m128i*>(d + i);
        const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
            _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3)));
        if (_mm_movemask_epi8(any))
            return false;
    }
#endif
    for (; i < n; ++i) {
        if (static_cast<unsigned char>(d[i]) >= 0x80)
            return false;
    }
    return true;
}

bool hasWindows1252(char32_t c)
{
    // What 0x80-0x9F stand for; the rest of 0x80-0xFF is Latin-1.
    static constexpr char16_t high[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
        0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return true;
    return std::find(std::begin(high), std::end(high), c) != std::end(high);
}

bool readAsWindows1252(QByteArrayView bytes, bool lastWrittenInWindows1252)
{
    if (!bytes.isValidUtf8())
        return true;
    if (!lastWrittenInWindows1252)
        return false;
    const QString text = QString::fromUtf8(bytes);
    for (const QChar c : text) {
        // Surrogates are the halves of characters past the first 64K.
        if (!c.isSurrogate() && !hasWindows1252(c.unicode()))
            return true;
    }
    return false;
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
