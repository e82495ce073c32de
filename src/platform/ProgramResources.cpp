#include "platform/ProgramResources.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QList>

ProgramResources::ProgramResources(const QString& stringTable, const QString& bitmapFolder)
    : m_bitmapFolder(bitmapFolder)
{
    QFile file(stringTable);
    if (file.open(QIODevice::ReadOnly))
        m_strings = parseStringTable(file.readAll());
}

QMap<int, QString> ProgramResources::parseStringTable(const QByteArray& data)
{
    QMap<int, QString> strings;
    const QList<QByteArray> lines = data.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        qsizetype digits = 0;
        while (digits < line.size() && digits < 5 && line[digits] >= '0' && line[digits] <= '9')
            ++digits;
        if (digits == 0 || digits == line.size() || (line[digits] != ' ' && line[digits] != '\t'))
            continue;
        const int id = line.left(digits).toInt();
        if (id < FIRST_STRING_ID || id > LAST_STRING_ID || strings.contains(id))
            continue;
        strings.insert(id, QString::fromUtf8(line.mid(digits + 1)));
    }
    return strings;
}

QString ProgramResources::loadString(int id) const
{
    return m_strings.value(id);
}

QByteArray ProgramResources::loadBitmap(const QString& name) const
{
    // Names are resource identifiers, never paths.
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'_') || c.unicode() > 0x7f)
            return QByteArray();
    }
    if (name.isEmpty())
        return QByteArray();
    QFile file(m_bitmapFolder + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray data = file.readAll();
    // The header tells whether the picture can be decoded; decoding it all
    // here as well as where it is shown would double its cost at start-up.
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, pictureFormat(data));
    if (!reader.canRead() || !reader.size().isValid())
        return QByteArray();
    return data;
}
