#include "platform/SystemLocale.h"

SystemLocale::SystemLocale(const QLocale& locale)
    : m_locale(locale)
{
}

QString SystemLocale::languageCode() const
{
    // Two-letter code where the language has one, else the three-letter one.
    return QLocale::languageToCode(m_locale.language(), QLocale::ISO639Part1 | QLocale::ISO639Part2);
}

QString SystemLocale::shortDateFormat() const
{
    return m_locale.dateFormat(QLocale::ShortFormat);
}

QString SystemLocale::shortTimeFormat() const
{
    return m_locale.timeFormat(QLocale::ShortFormat);
}

QChar SystemLocale::decimalSeparator() const
{
    const QString point = m_locale.decimalPoint();
    return point.size() == 1 ? point.front() : QChar(u'.');
}
