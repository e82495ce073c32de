#include "store/TextBlock.h"

#include <algorithm>
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

TextBlock::TextBlock(qsizetype total, qsizetype chunk)
    : m_left(total)
    , m_chunk(chunk)
{
}

TextBlock::~TextBlock()
{
    release();
}

void TextBlock::release()
{
    if (!m_block.d_ptr())
        return;
    // The block's own reference stays until m_block lets it go, so this
    // never frees it.
    m_block.d_ptr()->ref_.fetchAndAddOrdered(-m_ahead);
    m_ahead = 0;
    m_block = {};
    m_free = nullptr;
    m_room = 0;
}

bool TextBlock::makeRoom(qsizetype units)
{
    if (units <= m_room)
        return true;
    if (units > m_chunk / 4)
        return false; // a long text: an allocation of its own wastes less
    release();
    const qsizetype capacity = std::max(units, std::min(m_chunk, m_left));
    auto [header, data] = QTypedArrayData<char16_t>::allocate(capacity);
    if (!header)
        return false; // every text then gets an allocation of its own
    m_left = std::max<qsizetype>(0, m_left - capacity);
    // Every text takes a unit at least.
    m_ahead = int(capacity);
    header->ref_.fetchAndAddRelaxed(m_ahead);
    m_block = QString::DataPointer(header, data, 0);
    m_free = data;
    m_room = capacity;
    return true;
}

QString TextBlock::shareWritten(qsizetype size)
{
    char16_t* begin = m_free;
    begin[size] = u'\0'; // utf16() hands out the text as it is, terminated
    m_free = begin + size + 1;
    m_room -= size + 1;
    --m_ahead;
    return QString(QString::DataPointer(m_block.d_ptr(), begin, size));
}

QString TextBlock::ascii(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    if (!makeRoom(n + 1)) {
        QString own(n, Qt::Uninitialized);
        if (!widenAscii(bytes.data(), n, reinterpret_cast<char16_t*>(own.data())))
            return {};
        return own;
    }
    if (!widenAscii(bytes.data(), n, m_free))
        return {};
    return shareWritten(n);
}

QString TextBlock::copy(const QString& text)
{
    const qsizetype n = text.size();
    if (!makeRoom(n + 1))
        return text;
    std::memcpy(m_free, text.utf16(), size_t(n) * sizeof(char16_t));
    return shareWritten(n);
}

char16_t* TextBlock::room(qsizetype units)
{
    return makeRoom(units) ? m_free : nullptr;
}
