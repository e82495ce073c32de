#include "platform/SystemLocale.h"

#include <QRegularExpression>

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
    // Qt's short form keeps the seconds in some locales ("HH:mm:ss" in C);
    // the short time of the desktop has hours and minutes, and the memo
    // list's time column holds no more.
    QString format = m_locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[^hHmAaPp ]?s+(\\.z+)?"));
    format.remove(seconds);
    return format.trimmed();
}

QChar SystemLocale::decimalSeparator() const
{
    const QString point = m_locale.decimalPoint();
    return point.size() == 1 ? point.front() : QChar(u'.');
}

Qt::DayOfWeek SystemLocale::firstDayOfWeek() const
{
    return QLocale::system().firstDayOfWeek();
}
