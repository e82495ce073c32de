#include "store/Ut.h"

#include <QFile>
#include <QTextBoundaryFinder>
#include <QtEndian>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Blanks as the Windows string trim counts them: every control character and space.
QStringView trimBlanks(QStringView s)
{
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s[a].unicode() <= 0x20)
        ++a;
    while (b > a && s[b - 1].unicode() <= 0x20)
        --b;
    return s.mid(a, b - a);
}

// Digits after an optional sign; false on anything else or beyond 32 bits.
int readSignedDigits(QStringView s, qint32& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i == s.size())
        return INTERO_SOLO_SEGNO;
    for (qsizetype k = i; k < s.size(); ++k) {
        if (!isDigit(s[k]))
            return INTERO_NON_NUMERO;
    }
    qint64 n = 0;
    for (; i < s.size(); ++i) {
        n = n * 10 + (s[i].unicode() - u'0');
        if (n > qint64(std::numeric_limits<qint32>::max()) + 1)
            return INTERO_FUORI_LIMITE;
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<qint32>::max() || n < std::numeric_limits<qint32>::min())
        return INTERO_FUORI_LIMITE;
    value = static_cast<qint32>(n);
    return INTERO_OK;
}

// The mark of a 12-hour clock at either end ("10:00 PM", "AM 8:20", "6.45pm",
// "6 p.m."), taken off s: 12 for the afternoon, 0 for the morning, -1 for none.
// A lone "a" or "p" is no mark: "7.3a" has always read as 07:03.
int takeMeridiem(QStringView& s)
{
    static constexpr struct {
        QStringView mark;
        int add;
    } marks[] = {{u"a.m.", 0}, {u"p.m.", 12}, {u"am", 0}, {u"pm", 12}};
    const QStringView t = s.trimmed(); // every Unicode blank, CLDR's narrow one too
    for (const auto& m : marks) {
        if (t.endsWith(m.mark, Qt::CaseInsensitive)) {
            s = t.chopped(m.mark.size()).trimmed();
            return m.add;
        }
        if (t.startsWith(m.mark, Qt::CaseInsensitive)) {
            s = t.mid(m.mark.size()).trimmed();
            return m.add;
        }
    }
    return -1;
}

// The typed forms: 4 or 5 characters, the hour from the first one or two
// digits, the minutes from the digits among the last two.
int readClock(QStringView s, int& hour, int& minutes)
{
    const qsizetype len = s.size();
    if (len != 4 && len != 5)
        return -1;
    if (!isDigit(s[0]))
        return -2;
    hour = s[0].unicode() - u'0';
    if (isDigit(s[1]))
        hour = hour * 10 + (s[1].unicode() - u'0');
    minutes = 0;
    bool anyDigit = false;
    for (qsizetype i = len - 2; i < len; ++i) {
        if (isDigit(s[i])) {
            minutes = minutes * 10 + (s[i].unicode() - u'0');
            anyDigit = true;
        }
    }
    return anyDigit ? 1 : -3;
}

// Before a 12-hour mark a shorter form also reads: "6" pm, "930" am.
int readTwelveHour(QStringView s, int& hour, int& minutes)
{
    if (s.size() > 3)
        return readClock(s, hour, minutes);
    if (s.isEmpty())
        return -1;
    for (const QChar c : s) {
        if (!isDigit(c))
            return isDigit(s[0]) ? -1 : -2;
    }
    const int n = s.toInt();
    hour = s.size() == 3 ? n / 100 : n;
    minutes = s.size() == 3 ? n % 100 : 0;
    return 1;
}

} // namespace

int Leggi_Intero(const QString& text, qint32& value)
{
    value = 0;
    const QStringView s = trimBlanks(text);
    if (s.isEmpty())
        return INTERO_VUOTO;
    qint32 n = 0;
    const int code = readSignedDigits(s, n);
    if (code == INTERO_OK)
        value = n;
    return code;
}

int Leggi_Orario(const QString& text, QTime& time)
{
    time = QTime(0, 0);
    QStringView s(text);
    const int afternoon = takeMeridiem(s);
    int hour = 0;
    int minutes = 0;
    const int code = afternoon < 0 ? readClock(text, hour, minutes) : readTwelveHour(s, hour, minutes);
    if (code != 1)
        return code;
    if (hour > (afternoon < 0 ? 23 : 12) || minutes > 59)
        return -4;
    if (afternoon >= 0)
        hour = hour % 12 + afternoon;
    time = QTime(hour, minutes, 0);
    return 1;
}

int Scrivi_File(const QString& path, const QByteArray& data, bool append)
{
    QFile file(path);
    bool open = false;
    if (append)
        open = file.open(QIODevice::WriteOnly | QIODevice::Append);
    if (!open)
        open = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!open)
        return -1;
    const qint64 written = file.write(data);
    if (!file.flush() || written != data.size())
        return -2;
    return 1;
}

int Leggi_File(const QString& path, QByteArray& data)
{
    data.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const qint64 size = file.size();
    data = file.read(size);
    if (data.size() != size)
        return -2;
    return 1;
}

int formatDayNumber(double value, char decimalSeparator, char* out)
{
    char* p = out;
    if (!std::isfinite(value) || value == 0) {
        *p++ = '0';
        return int(p - out);
    }
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        // Whole numbers, the usual date, need no rounding.
        return int(std::to_chars(out, out + 24, static_cast<long long>(value)).ptr - out);
    }
    // 15 significant digits, correctly rounded, and the exponent; to_chars
    // ignores the C locale, which Qt sets from the environment.
    char buf[40];
    const char* end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    const char* q = buf;
    if (*q == '-') {
        *p++ = '-';
        ++q;
    }
    char digits[16];
    int nd = 0;
    while (*q != 'e') {
        if (*q != '.')
            digits[nd++] = *q;
        ++q;
    }
    int exponent = 0;
    std::from_chars(q + 1 + (q[1] == '+'), end, exponent);
    while (nd > 1 && digits[nd - 1] == '0')
        --nd;

    auto put = [&p](const char* from, int n) {
        for (int i = 0; i < n; ++i)
            *p++ = from[i];
    };
    if (exponent < -5 || exponent >= 15) {
        *p++ = digits[0];
        if (nd > 1) {
            *p++ = decimalSeparator;
            put(digits + 1, nd - 1);
        }
        *p++ = 'E';
        p = std::to_chars(p, p + 8, exponent).ptr;
    } else if (exponent < 0) {
        *p++ = '0';
        *p++ = decimalSeparator;
        for (int i = 0; i < -exponent - 1; ++i)
            *p++ = '0';
        put(digits, nd);
    } else if (nd <= exponent + 1) {
        put(digits, nd);
        for (int i = nd; i < exponent + 1; ++i)
            *p++ = '0';
    } else {
        put(digits, exponent + 1);
        *p++ = decimalSeparator;
        put(digits + exponent + 1, nd - exponent - 1);
    }
    return int(p - out);
}

QString formatDayNumber(double value, QChar decimalSeparator)
{
    char buf[dayNumberChars];
    const int n = formatDayNumber(value, char(decimalSeparator.unicode()), buf);
    return QString::fromLatin1(buf, n);
}

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

QByteArrayView trimBlanks(QByteArrayView s)
{
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 0x20)
        ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 0x20)
        --b;
    return s.sliced(a, b - a);
}

// Only ASCII can be a number; anything else fails the conversion.
bool toAscii(QStringView text, QByteArray& out)
{
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() >= 0x80)
            return false;
        out[i] = static_cast<char>(text[i].unicode());
    }
    return true;
}

} // namespace

const char* readExactDayNumber(const char* begin, const char* end, double& value)
{
    // Clinger's fast path: digits that make an integer of at most 2^53 and a
    // power of ten of at most 22 are both exact doubles, so one division or
    // multiplication gives the correctly rounded value, as from_chars would.
    static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14,
        1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    p += p < end && (*p == '-' || *p == '+');
    quint64 m = 0;
    // Digits into m; false once m can no longer end within 2^53 (more digits
    // only make it larger), which also keeps it from overflowing.
    auto digits = [&] {
        static constexpr quint64 scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
        constexpr quint64 most = quint64(1) << 53;
        static constexpr quint64 room[] = {most, most / 10, most / 100, most / 1000, most / 10000, most / 100000,
            most / 1000000, most / 10000000, most / 100000000};
        while (end - p >= 8) {
            quint64 eight = 0;
            const int n = readDigits(p, eight);
            if (n == 0)
                return true;
            if (m > room[n])
                return false;
            m = m * scale[n] + eight;
            p += n;
            if (n < 8)
                return true;
        }
        for (; p < end && isAsciiDigit(*p); ++p) {
            if (m > room[1])
                return false;
            m = m * 10 + quint64(*p - '0');
        }
        return true;
    };
    const char* const first = p;
    if (!digits())
        return nullptr;
    qsizetype count = p - first;
    int fraction = 0;
    if (p < end && (*p == ',' || *p == '.')) {
        const char* const after = ++p;
        if (!digits())
            return nullptr;
        fraction = int(p - after);
        count += fraction;
    }
    if (count == 0)
        return nullptr;
    int exponent = 0;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        const bool down = p < end && *p == '-';
        p += p < end && (*p == '-' || *p == '+');
        const char* const digit = p;
        for (; p < end && isAsciiDigit(*p) && p - digit < 4; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (p == digit || (p < end && isAsciiDigit(*p)))
            return nullptr;
        exponent = down ? -exponent : exponent;
    }
    const int e = exponent - fraction;
    // A number of 64 characters or more is refused, however it reads.
    if (p - begin >= 64 || m > (quint64(1) << 53) || e < -22 || e > 22)
        return nullptr;
    const double v = e < 0 ? double(m) / powers[-e] : double(m) * powers[e];
    value = negative ? -v : v;
    return p;
}

bool parseDayNumber(QByteArrayView text, double& value)
{
    const QByteArrayView s = trimBlanks(text);
    // Dates are whole numbers: read them without the floating-point parser.
    if (!s.isEmpty() && s.size() <= 9) {
        qint32 whole = 0;
        qsizetype k = 0;
        while (k < s.size() && isAsciiDigit(s[k]))
            whole = whole * 10 + (s[k++] - '0');
        if (k == s.size()) {
            value = whole;
            return true;
        }
    }
    char buf[64];
    if (s.size() >= qsizetype(sizeof buf))
        return false;
    double exact = 0;
    if (readExactDayNumber(s.begin(), s.end(), exact) == s.end()) {
        value = exact;
        return true;
    }
    qsizetype n = 0;
    qsizetype i = 0;
    auto takeDigits = [&] {
        qsizetype count = 0;
        while (i < s.size() && isAsciiDigit(s[i])) {
            buf[n++] = s[i++];
            ++count;
        }
        return count;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            buf[n++] = '-'; // from_chars takes no plus sign
        ++i;
    }
    qsizetype mantissaDigits = takeDigits();
    if (i < s.size() && (s[i] == ',' || s[i] == '.')) {
        buf[n++] = '.';
        ++i;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        buf[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            buf[n++] = s[i++];
        if (takeDigits() == 0)
            return false;
    }
    if (i != s.size())
        return false;
    double v = 0;
    const auto res = std::from_chars(buf, buf + n, v);
    if (res.ec != std::errc() || res.ptr != buf + n || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool parseDayNumber(QStringView text, double& value)
{
    QByteArray ascii;
    return toAscii(text, ascii) && parseDayNumber(QByteArrayView(ascii), value);
}

bool parseStoreInteger(QByteArrayView text, qint32& value)
{
    qsizetype i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20)
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    qint64 n = 0;
    for (; i < text.size(); ++i) {
        if (!isAsciiDigit(text[i]))
            return false;
        n = n * 10 + (text[i] - '0');
        if (n > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<qint32>::max())
        return false;
    value = static_cast<qint32>(n);
    return true;
}

bool parseStoreInteger(QStringView text, qint32& value)
{
    QByteArray ascii;
    return toAscii(text, ascii) && parseStoreInteger(QByteArrayView(ascii), value);
}

QString leftCharacters(const QString& text, qsizetype max)
{
    if (text.size() <= max)
        return text;
    if (max <= 0)
        return {};
    // Whether max is a boundary depends only on what comes before it and the
    // character there; a pasted megabyte need not be looked at whole.
    const QString head = text.left(max + 2);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, head);
    finder.setPosition(max);
    qsizetype end = finder.isAtBoundary() ? max : finder.toPreviousBoundary();
    if (end <= 0) {
        // One character longer than the limit (a letter under a heap of
        // accents): cut it between code points rather than lose the text.
        end = max;
        if (text[end].isLowSurrogate() && text[end - 1].isHighSurrogate())
            --end;
    }
    return text.left(end);
}
