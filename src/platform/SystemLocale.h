#pragma once

#include "platform/LocaleService.h"

#include <QLocale>

// The regional settings of a Qt locale, the user's own by default.
class SystemLocale : public LocaleService {
public:
    explicit SystemLocale(const QLocale& locale = QLocale::system());

    QString languageCode() const override;
    Qt::DayOfWeek firstDayOfWeek() const override;
    QString shortDateFormat() const override;
    QString shortTimeFormat() const override;
    QChar decimalSeparator() const override;

private:
    QLocale m_locale;
};

// A time format without its seconds: "HH:mm:ss" gives "HH:mm".
QString timeFormatWithoutSeconds(const QString& format);
