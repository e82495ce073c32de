#pragma once

#include <QTranslator>

// Qt's own texts (message-box buttons, the calendar's tips) in the
// interface language: Qt's Italian translation for Italian, Qt's built-in
// English otherwise. Installed on the application while this object lives.
class QtTexts {
public:
    QtTexts() = default;
    QtTexts(const QtTexts&) = delete;
    QtTexts& operator=(const QtTexts&) = delete;

    // False when Italian is wanted and Qt's translation is not found: the
    // texts stay English.
    bool follow(bool italian);

private:
    QTranslator m_italian;
};
