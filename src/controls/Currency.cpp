#include "controls/Currency.h"

#include <limits>

Currency Currency::fromInt(qint64 whole)
{
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / Scale;
    return fromUnits(qBound(-limit, whole, limit) * Scale);
}

QString Currency::toText(QChar decimalSeparator) const
{
    // Work on the magnitude as unsigned so the most negative value is safe.
    const bool negative = m_units < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(m_units) : static_cast<quint64>(m_units);
    QString text = QString::number(magnitude / Scale);
    quint64 fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) {
            digits.chop(1);
        }
        text += decimalSeparator + digits;
    }
    if (negative) {
        text.prepend(QLatin1Char('-'));
    }
    return text;
}

bool Currency::fromText(QStringView text, QChar decimalSeparator, Currency& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Accumulate in units with one extra digit for rounding; 2^63 fits in quint64.
    constexpr quint64 maxUnits = static_cast<quint64>(std::numeric_limits<qint64>::max()) + 1;
    quint64 units = 0;
    int decimals = -1; // -1 while before the separator
    int roundDigit = -1;
    bool sticky = false; // non-zero digits beyond the rounding digit
    int digitCount = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == decimalSeparator && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
        ++digitCount;
        const int d = ch.unicode() - '0';
        if (decimals >= 4) {
            if (roundDigit < 0) {
                roundDigit = d;
            } else if (d != 0) {
                sticky = true;
            }
            continue;
        }
        if (units > (maxUnits - static_cast<quint64>(d)) / 10) {
            return false;
        }
        units = units * 10 + static_cast<quint64>(d);
        if (decimals >= 0) {
            ++decimals;
        }
    }
    if (digitCount == 0) {
        return false;
    }
    for (int n = qMax(decimals, 0); n < 4; ++n) {
        if (units > maxUnits / 10) {
            return false;
        }
        units *= 10;
    }
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (units & 1) != 0))) {
        ++units;
    }
    if (units > maxUnits || (!negative && units == maxUnits)) {
        return false;
    }
    value = fromUnits(negative ? static_cast<qint64>(0 - units) : static_cast<qint64>(units));
    return true;
}

int Valore_da_Testo(const QString& text, Currency& value, QChar decimalSeparator)
{
    value = Currency();
    QString t = text.trimmed();
    if (t.isEmpty()) {
        return -1;
    }
    int separators = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar ch = t[i];
        if ((ch == QLatin1Char('+') || ch == QLatin1Char('-')) && i == 0) {
            continue;
        }
        if (ch.isDigit() && ch.unicode() < 128) {
            continue;
        }
        if (ch == QLatin1Char('.') || ch == QLatin1Char(',') || ch == decimalSeparator) {
            t[i] = decimalSeparator;
            ++separators;
            continue;
        }
        return -2;
    }
    if (separators > 1) {
        return -3;
    }
    Currency parsed;
    if (!Currency::fromText(t, decimalSeparator, parsed)) {
        return -4;
    }
    value = parsed;
    return 1;
}
