#include "store/TextBlock.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Widens ASCII, sixteen bytes at a time where it can; false at the first
// byte above 0x7F (what was written by then is garbage).
bool widenAscii(const char* in, qsizetype n, char16_t* out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(v))
            return false;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; i < n; ++i) {
        const auto c = static_cast<unsigned char>(in[i]);
        if (c >= 0x80)
            return false;
        out[i] = c;
    }
    return true;
}

} // namespace

TextBlock::TextBlock(qsizetype capacity)
{
    if (capacity <= 0)
        return;
    auto [header, data] = QTypedArrayData<char16_t>::allocate(capacity);
    if (!header)
        return; // every text then gets an allocation of its own
    m_block = QString::DataPointer(header, data, 0);
    m_free = data;
    m_room = capacity;
}

QString TextBlock::share(char16_t* begin, qsizetype size)
{
    begin[size] = u'\0'; // utf16() hands out the text as it is, terminated
    m_free = begin + size + 1;
    m_room -= size + 1;
    m_block.d_ptr()->ref();
    return QString(QString::DataPointer(m_block.d_ptr(), begin, size));
}

QString TextBlock::ascii(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    if (n + 1 > m_room) {
        QString own(n, Qt::Uninitialized);
        if (!widenAscii(bytes.data(), n, reinterpret_cast<char16_t*>(own.data())))
            return {};
        return own;
    }
    if (!widenAscii(bytes.data(), n, m_free))
        return {};
    return share(m_free, n);
}

QString TextBlock::copy(const QString& text)
{
    const qsizetype n = text.size();
    if (n + 1 > m_room)
        return text;
    std::memcpy(m_free, text.utf16(), size_t(n) * sizeof(char16_t));
    return share(m_free, n);
}
