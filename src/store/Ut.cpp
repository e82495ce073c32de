#include "store/Ut.h"

#include <QFile>

#include <charconv>
#include <cmath>
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
    const qsizetype len = text.size();
    if (len != 4 && len != 5)
        return -1;
    if (!isDigit(text[0]))
        return -2;
    int hour = text[0].unicode() - u'0';
    if (isDigit(text[1]))
        hour = hour * 10 + (text[1].unicode() - u'0');
    int minutes = 0;
    bool anyDigit = false;
    for (qsizetype i = len - 2; i < len; ++i) {
        if (isDigit(text[i])) {
            minutes = minutes * 10 + (text[i].unicode() - u'0');
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return -3;
    if (hour > 23 || minutes > 59)
        return -4;
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

QString formatDayNumber(double value, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    // 15 significant digits, correctly rounded, and the exponent; to_chars
    // ignores the C locale, which Qt sets from the environment.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    const bool negative = s.startsWith(u'-');
    if (negative)
        s.remove(0, 1);
    const qsizetype ePos = s.indexOf(u'e');
    const int exponent = s.mid(ePos + 1).toInt();
    QString digits = s.left(ePos).remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString out;
    if (exponent < -5 || exponent >= 15) {
        out = digits.left(1);
        if (digits.size() > 1)
            out += decimalSeparator + digits.mid(1);
        out += u'E' + QString::number(exponent);
    } else if (exponent < 0) {
        out = u'0' + QString(decimalSeparator) + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        out = digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
        out = digits.left(exponent + 1) + decimalSeparator + digits.mid(exponent + 1);
    }
    return negative ? u'-' + out : out;
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

bool parseDayNumber(QByteArrayView text, double& value)
{
    const QByteArrayView s = trimBlanks(text);
    char buf[64];
    if (s.size() >= qsizetype(sizeof buf))
        return false;
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
