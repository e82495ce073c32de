#pragma once

#include <QByteArrayView>
#include <QString>

// Many texts in one allocation, each handed out as an ordinary QString that
// holds a reference on it: the block is freed with the last of them, and a
// text that is changed while others share the block detaches, as any shared
// QString does. A store's texts are read at every start; one allocation for
// all of them costs far less than one each, and frees at once.
class TextBlock {
public:
    // capacity in UTF-16 units, a NUL after each text included.
    explicit TextBlock(qsizetype capacity);
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    // ASCII widened into the block; a null string when bytes (not empty) hold
    // anything else.
    QString ascii(QByteArrayView bytes);
    // A copy of text in the block; text itself when there is no room left.
    QString copy(const QString& text);

private:
    QString share(char16_t* begin, qsizetype size);

    QString::DataPointer m_block; // holds a reference of its own until destroyed
    char16_t* m_free = nullptr;
    qsizetype m_room = 0;
};
