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

// The image format of an encoded picture by its first bytes ("PNG", "JPEG",
// "BMP"), or nullptr. Naming the format spares Qt probing every image plugin.
inline const char* pictureFormat(const QByteArray& data)
{
    if (data.startsWith("\x89PNG"))
        return "PNG";
    if (data.startsWith("\xFF\xD8\xFF"))
        return "JPEG";
    if (data.startsWith("BM"))
        return "BMP";
    return nullptr;
}
