#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// A money-style value: 64-bit fixed point with four decimals. The numeric
// edit keeps its value in one, and the grid's zero test converts to one.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 units)
    {
        Currency c;
        c.m_units = units;
        return c;
    }
    // Whole numbers beyond the range are clamped to it.
    static Currency fromInt(qint64 whole);

    constexpr qint64 units() const
    {
        return m_units;
    }
    constexpr bool isZero() const
    {
        return m_units == 0;
    }

    // No thousands separators, at most four decimals, trailing zeros dropped:
    // 15 -> "15", 1.5 -> "1<sep>5", -0.0001 -> "-0<sep>0001".
    QString toText(QChar decimalSeparator) const;

    // Optional sign, digits and at most one separator, at least one digit.
    // Decimals beyond the fourth round half to even. False (value untouched)
    // for anything else or a value out of range.
    static bool fromText(QStringView text, QChar decimalSeparator, Currency& value);

    friend constexpr bool operator==(Currency a, Currency b)
    {
        return a.m_units == b.m_units;
    }

private:
    qint64 m_units = 0;
};

// Grid zero test: 1 = read (value set); -1 = empty after trimming; -2 = a
// character other than digits, a leading sign or a separator ("." "," or the
// given one); -3 = more than one separator; -4 = passes the scan but is no
// number (a sign or a separator alone) or is out of range. value is 0 unless
// the result is 1.
int Valore_da_Testo(const QString& text, Currency& value, QChar decimalSeparator);
