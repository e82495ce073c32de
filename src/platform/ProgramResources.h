#pragma once

#include "platform/Resources.h"

#include <QMap>

// The resources compiled into the program as Qt resources: the string table
// (":/stringtable.txt", one "<id> <text>" per line) and the bitmaps
// (":/bitmaps/<NAME>"). Tests may point at other files.
class ProgramResources : public Resources {
public:
    explicit ProgramResources(const QString& stringTable = QStringLiteral(":/stringtable.txt"),
        const QString& bitmapFolder = QStringLiteral(":/bitmaps"));

    QString loadString(int id) const override;
    QByteArray loadBitmap(const QString& name) const override;

    // Lines "<id> <text>"; blank lines and lines starting with "#" are
    // comments. Ids outside 0..1000 and malformed lines are skipped; of two
    // lines with one id the first counts.
    static QMap<int, QString> parseStringTable(const QByteArray& data);

private:
    QMap<int, QString> m_strings;
    QString m_bitmapFolder;
};
