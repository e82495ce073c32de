#pragma once

#include "platform/LocaleService.h"

#include <QLocale>

// Regional settings pinned to a named locale ("it_IT", "en_GB", "de_DE");
// every field may be changed afterwards.
class FakeLocale : public LocaleService {
public:
    explicit FakeLocale(const QString& name = QStringLiteral("en_GB"))
    {
        const QLocale locale(name);
        language = QLocale::languageToCode(locale.language(), QLocale::ISO639Part1);
        dateFormat = locale.dateFormat(QLocale::ShortFormat);
        timeFormat = locale.timeFormat(QLocale::ShortFormat);
        separator = locale.decimalPoint().front();
        firstDay = locale.firstDayOfWeek();
    }

    Qt::DayOfWeek firstDayOfWeek() const override
    {
        return firstDay;
    }

    QString languageCode() const override
    {
        return language;
    }

    QString shortDateFormat() const override
    {
        return dateFormat;
    }

    QString shortTimeFormat() const override
    {
        return timeFormat;
    }

    QChar decimalSeparator() const override
    {
        return separator;
    }

    QString language;
    Qt::DayOfWeek firstDay = Qt::Monday;
    QString dateFormat;
    QString timeFormat;
    QChar separator;
};
