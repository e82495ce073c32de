#include "app/config/ConfigValues.h"

#include <array>
#include <limits>

namespace {

const QString* findKeyLine(const QStringList& lines, const QString& key)
{
    for (const QString& line : lines) {
        if (line.startsWith(key))
            return &line;
    }
    return nullptr;
}

// The line's quoted value, with extractQuotedValue's codes shifted by -10.
int quotedValueOfKey(const QStringList& lines, const QString& key, QString& value)
{
    value.clear();
    const QString* line = findKeyLine(lines, key);
    if (line == nullptr)
        return KEY_MISSING;
    const int r = extractQuotedValue(*line, value);
    return r == 1 ? KEY_OK : r - 10;
}

struct NamedColour {
    const char16_t* name;
    quint32 value;
};

constexpr quint32 SYSTEM_COLOUR = 0xFF000000;

// The platform's colour names: the sixteen basic colours, four extra ones and
// the system colours, which follow the user's desktop theme.
constexpr std::array<NamedColour, 52> COLOUR_NAMES{{
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0},
    {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},
    {u"clMedGray", 0xA4A0A0},
    {u"clNone", 0x1FFFFFFF},
    {u"clDefault", 0x20000000},
    {u"clScrollBar", SYSTEM_COLOUR + 0},
    {u"clBackground", SYSTEM_COLOUR + 1},
    {u"clActiveCaption", SYSTEM_COLOUR + 2},
    {u"clInactiveCaption", SYSTEM_COLOUR + 3},
    {u"clMenu", SYSTEM_COLOUR + 4},
    {u"clWindow", SYSTEM_COLOUR + 5},
    {u"clWindowFrame", SYSTEM_COLOUR + 6},
    {u"clMenuText", SYSTEM_COLOUR + 7},
    {u"clWindowText", SYSTEM_COLOUR + 8},
    {u"clCaptionText", SYSTEM_COLOUR + 9},
    {u"clActiveBorder", SYSTEM_COLOUR + 10},
    {u"clInactiveBorder", SYSTEM_COLOUR + 11},
    {u"clAppWorkSpace", SYSTEM_COLOUR + 12},
    {u"clHighlight", SYSTEM_COLOUR + 13},
    {u"clHighlightText", SYSTEM_COLOUR + 14},
    {u"clBtnFace", SYSTEM_COLOUR + 15},
    {u"clBtnShadow", SYSTEM_COLOUR + 16},
    {u"clGrayText", SYSTEM_COLOUR + 17},
    {u"clBtnText", SYSTEM_COLOUR + 18},
    {u"clInactiveCaptionText", SYSTEM_COLOUR + 19},
    {u"clBtnHighlight", SYSTEM_COLOUR + 20},
    {u"cl3DDkShadow", SYSTEM_COLOUR + 21},
    {u"cl3DLight", SYSTEM_COLOUR + 22},
    {u"clInfoText", SYSTEM_COLOUR + 23},
    {u"clInfoBk", SYSTEM_COLOUR + 24},
    {u"clHotLight", SYSTEM_COLOUR + 26},
    {u"clGradientActiveCaption", SYSTEM_COLOUR + 27},
    {u"clGradientInactiveCaption", SYSTEM_COLOUR + 28},
    {u"clMenuHighlight", SYSTEM_COLOUR + 29},
    {u"clMenuBar", SYSTEM_COLOUR + 30},
}};

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

} // namespace

int extractQuotedValue(const QString& line, QString& value)
{
    value.clear();
    const qsizetype open = line.indexOf(u'"');
    if (open < 0)
        return -2;
    const qsizetype close = line.indexOf(u'"', open + 1);
    if (close < 0)
        return -3;
    value = line.mid(open + 1, close - open - 1);
    return 1;
}

int readConfigText(const QStringList& lines, const QString& key, QString& value)
{
    return quotedValueOfKey(lines, key, value);
}

int readConfigBoolean(const QStringList& lines, const QString& key, bool& value)
{
    QString text;
    const int r = quotedValueOfKey(lines, key, text);
    if (r != KEY_OK)
        return r;
    if (text != u"0" && text != u"1")
        return KEY_BAD_VALUE;
    value = text == u"1";
    return KEY_OK;
}

int readConfigInteger(const QStringList& lines, const QString& key, qint32& value)
{
    QString text;
    const int r = quotedValueOfKey(lines, key, text);
    if (r != KEY_OK)
        return r;
    return parseConfigInteger(text, value) ? KEY_OK : KEY_BAD_VALUE;
}

int readConfigColour(const QStringList& lines, const QString& key, qint32& value)
{
    QString text;
    const int r = quotedValueOfKey(lines, key, text);
    if (r != KEY_OK)
        return r;
    return parseConfigColour(text, value) ? KEY_OK : KEY_BAD_VALUE;
}

bool parseConfigInteger(const QString& text, qint32& value)
{
    if (text.startsWith(u'$')) {
        const QStringView digits = QStringView(text).mid(1);
        quint64 n = 0;
        qsizetype significant = 0;
        if (digits.isEmpty())
            return false;
        for (const QChar c : digits) {
            const int d = hexDigit(c);
            if (d < 0)
                return false;
            n = n * 16 + quint64(d);
            if (n != 0 && ++significant > 8)
                return false;
        }
        value = static_cast<qint32>(static_cast<quint32>(n));
        return true;
    }
    qsizetype i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        i = 1;
    if (i == text.size())
        return false;
    qint64 n = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c.unicode() - u'0');
        if (n > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<qint32>::max() || n < std::numeric_limits<qint32>::min())
        return false;
    value = static_cast<qint32>(n);
    return true;
}

bool parseConfigColour(const QString& text, qint32& value)
{
    for (const NamedColour& colour : COLOUR_NAMES) {
        if (text.compare(QStringView(colour.name), Qt::CaseInsensitive) == 0) {
            value = static_cast<qint32>(colour.value);
            return true;
        }
    }
    return parseConfigInteger(text, value);
}
