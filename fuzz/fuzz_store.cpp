// Store reader: any bytes parse without fault, and a store written from what
// was read reads back to the same store (writing is a fixed point).
#include "store/StoreFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    MemoList memos;
    SvegliaList sveglie;
    QString diagnostic;
    StoreFile::parseFileBytes(bytes, memos, sveglie, diagnostic);

    // Whatever was read, failed records included, is written and read again.
    for (const QChar sep : {QChar(u','), QChar(u'.')}) {
        const QString first = StoreFile::buildText(memos, sveglie, sep);
        MemoList m2;
        SvegliaList s2;
        QString d2;
        if (StoreFile::parseText(first, m2, s2, d2) != 1 || m2.size() != memos.size() || s2.size() != sveglie.size())
            std::abort();
        if (StoreFile::buildText(m2, s2, sep) != first)
            std::abort();
    }
    return 0;
}
