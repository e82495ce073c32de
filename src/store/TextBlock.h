#pragma once

#include <QByteArrayView>
#include <QString>

// Many texts in few allocations, each handed out as an ordinary QString that
// holds a reference on its block: a block is freed with the last of its
// texts, and a text that is changed while others share the block detaches,
// as any shared QString does. A store's texts are read at every start; a
// block for thousands of them costs far less than an allocation each, and
// frees at once.
class TextBlock {
public:
    // Blocks of up to chunk UTF-16 units, a NUL after each text included;
    // total bounds what all the texts take (more still works), so that a
    // small store's block is no larger than its texts can be.
    explicit TextBlock(qsizetype total, qsizetype chunk = 32 * 1024);
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    // ASCII widened into a block; a null string when bytes (not empty) hold
    // anything else.
    QString ascii(QByteArrayView bytes);
    // A copy of text in a block; text itself when it is too long for one.
    QString copy(const QString& text);
    // Room for units (a NUL included) to write a text into, in this block
    // or a new one; nullptr when there is none. shareWritten(size) hands out
    // the first size units written there, before anything else is asked.
    char16_t* room(qsizetype units);
    QString shareWritten(qsizetype size);

private:
    bool makeRoom(qsizetype units);
    void release();

    QString::DataPointer m_block; // holds a reference of its own until released
    char16_t* m_free = nullptr;
    qsizetype m_room = 0;
    // References taken on the block ahead, one for each text it could still
    // hold: one atomic step a block rather than one a text.
    int m_ahead = 0;
    qsizetype m_left;
    qsizetype m_chunk;
};
