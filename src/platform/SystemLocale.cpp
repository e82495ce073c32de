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
    // Qt's short form keeps the seconds in some locales ("HH:mm:ss" in C);
    // the short time of the desktop has hours and minutes, and the memo
    // list's time column holds no more.
    return timeFormatWithoutSeconds(m_locale.timeFormat(QLocale::ShortFormat));
}

QString timeFormatWithoutSeconds(const QString& format)
{
    // The seconds go with the separator before them and any fraction after
    // them. A loop rather than a regular expression: compiling one at start
    // cost a third of a megabyte of resident memory for the rest of the run.
    const auto isTimeLetter = [](QChar c) { return QStringView(u"hHmAaPp ").contains(c); };
    QString out;
    const qsizetype n = format.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        if (format[i] != u's' && !isTimeLetter(format[i]) && i + 1 < n && format[i + 1] == u's')
            ++j;
        if (format[j] != u's') {
            out += format[i++];
            continue;
        }
        while (j < n && format[j] == u's')
            ++j;
        if (j + 1 < n && format[j] == u'.' && format[j + 1] == u'z') {
            ++j;
            while (j < n && format[j] == u'z')
                ++j;
        }
        i = j;
    }
    return out.trimmed();
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
