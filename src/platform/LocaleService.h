#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

// The user's regional settings.
class LocaleService {
public:
    virtual ~LocaleService() = default;

    // ISO 639 code of the user's language, such as "it", "en" or "de".
    virtual QString languageCode() const = 0;

    // Qt date and time format strings (QDate::toString) of the short forms.
    virtual QString shortDateFormat() const = 0;
    virtual QString shortTimeFormat() const = 0;

    virtual QChar decimalSeparator() const = 0;

    // The day weeks start on in calendars.
    virtual Qt::DayOfWeek firstDayOfWeek() const = 0;
};
