#include "store/Codepage.h"

#include <cstring>

namespace Codepage {

namespace {

// 0x80..0x9F of Windows-1252. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as Windows itself converts them,
// so every byte survives a round trip.
constexpr char16_t high[32] = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

int windows1252ByteImpl(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (high[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

int windows1252Byte(char16_t c)
{
    return windows1252ByteImpl(c);
}

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Stores are mostly ASCII: skip eight such bytes at a time.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned min;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and code points past Unicode are invalid.
        if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        p += extra + 1;
    }
    return true;
}

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= 0x80 && u < 0xA0 ? high[u - 0x80] : char16_t(u));
    }
    return text;
}

bool toWindows1252(const QString& text, QByteArray& out)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* p = bytes.data();
    for (const QChar c : text) {
        const int b = windows1252ByteImpl(c.unicode());
        if (b < 0)
            return false;
        *p++ = static_cast<char>(b);
    }
    out = bytes;
    return true;
}

QString decodeStoreText(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

QByteArray encodeStoreText(const QString& text)
{
    QByteArray bytes;
    // Windows-1252 bytes that happen to form valid UTF-8 (such as "Ã©") would be
    // read back as other characters; such text goes out as UTF-8 instead.
    if (toWindows1252(text, bytes) && (isAscii(bytes) || !isValidUtf8(bytes)))
        return bytes;
    return text.toUtf8();
}

} // namespace Codepage
