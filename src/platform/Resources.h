#pragma once

#include <QByteArray>
#include <QString>

// The resources built into the executable: the string table and the bitmaps.
class Resources {
public:
    // String ids the program looks at.
    static constexpr int FIRST_STRING_ID = 0;
    static constexpr int LAST_STRING_ID = 1000;

    virtual ~Resources() = default;

    // String N of the string table; empty when there is none.
    virtual QString loadString(int id) const = 0;

    // The encoded picture of a named bitmap ("LOGO", "BANNER"); empty when it
    // is missing or cannot be decoded.
    virtual QByteArray loadBitmap(const QString& name) const = 0;
};
