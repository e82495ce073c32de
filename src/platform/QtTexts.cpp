#include "platform/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

bool QtTexts::follow(bool italian)
{
    if (!italian) {
        QCoreApplication::removeTranslator(&m_italian);
        return true;
    }
    if (m_italian.isEmpty()
        && !m_italian.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::removeTranslator(&m_italian); // installed once, however often asked
    return QCoreApplication::installTranslator(&m_italian);
}
