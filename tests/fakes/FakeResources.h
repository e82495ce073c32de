#pragma once

#include "platform/Resources.h"

#include <QMap>

// A string table and named bitmaps held in memory.
class FakeResources : public Resources {
public:
    QString loadString(int id) const override
    {
        return strings.value(id);
    }

    QByteArray loadBitmap(const QString& name) const override
    {
        return bitmaps.value(name);
    }

    QMap<int, QString> strings;
    QMap<QString, QByteArray> bitmaps;
};
