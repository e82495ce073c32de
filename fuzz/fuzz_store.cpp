// Store reader and writer on the bytes of a file: any bytes parse without
// fault, and what was read, written as the file's bytes (Windows-1252 or
// UTF-8, as the writer chooses), reads back to the same lists and the same
// bytes (writing is a fixed point). A field the reader does not know, added
// at every line end, changes nothing read: the memos this program writes
// are read by a quicker walk than any other form, and both must agree.
#include "store/StoreFile.h"

#include <cstdlib>
#include <cstring>

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void sameAsAnyForm(
    const QByteArray& bytes, const MemoList& memos, const SvegliaList& sveglie, const QString& diagnostic)
{
    if (memos.isEmpty() && sveglie.isEmpty())
        return; // a file of line ends alone would no longer be one
    QByteArray other;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || (c == '\n' && (i == 0 || bytes[i - 1] != '\r')))
            other += "\t#XYZ:1";
        other += c;
    }
    other += "\t#XYZ:1";
    MemoList m2;
    SvegliaList s2;
    QString d2;
    StoreFile::parseFileBytes(other, m2, s2, d2);
    if (d2 != diagnostic || m2.size() != memos.size() || s2 != sveglie)
        std::abort();
    for (qsizetype i = 0; i < memos.size(); ++i) {
        if (m2[i] != memos[i] || !sameBits(m2[i].Data, memos[i].Data) || !sameBits(m2[i].Orario, memos[i].Orario))
            std::abort();
    }
}

// A large store is read in parts at once: any split gives what one reading
// from the start gives.
void sameInParts(const QByteArray& bytes, int result, const MemoList& memos, const SvegliaList& sveglie,
    const QString& diagnostic, const QList<int>& lines, StoreFile::CodePage codePage)
{
    for (int parts = 2; parts <= 3; ++parts) {
        MemoList m2;
        SvegliaList s2;
        QString d2;
        QList<int> l2;
        StoreFile::CodePage c2 = StoreFile::CodePage::Unknown;
        if (StoreFile::parseFileBytesInParts(bytes, parts, m2, s2, d2, &l2, &c2) != result || d2 != diagnostic
            || l2 != lines || c2 != codePage || m2.size() != memos.size() || s2 != sveglie)
            std::abort();
        for (qsizetype i = 0; i < memos.size(); ++i) {
            if (m2[i] != memos[i] || !sameBits(m2[i].Data, memos[i].Data) || !sameBits(m2[i].Orario, memos[i].Orario))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    MemoList memos;
    SvegliaList sveglie;
    QString diagnostic;
    QList<int> lines;
    StoreFile::CodePage codePage = StoreFile::CodePage::Unknown;
    const int result = StoreFile::parseFileBytes(bytes, memos, sveglie, diagnostic, &lines, &codePage);
    sameInParts(bytes, result, memos, sveglie, diagnostic, lines, codePage);
    sameAsAnyForm(bytes, memos, sveglie, diagnostic);

    // Whatever was read, failed records included, is written and read again.
    for (const QChar sep : {QChar(u','), QChar(u'.')}) {
        const QByteArray first = StoreFile::buildBytes(memos, sveglie, sep);
        MemoList m2;
        SvegliaList s2;
        QString d2;
        const int r = StoreFile::parseFileBytes(first, m2, s2, d2);
        if (r != 1 || m2.size() != memos.size() || s2.size() != sveglie.size())
            std::abort();
        for (qsizetype i = 0; i < memos.size(); ++i) {
            if (m2[i].Nota != StoreFile::cleanValue(memos[i].Nota))
                std::abort();
        }
        if (StoreFile::buildBytes(m2, s2, sep) != first)
            std::abort();
    }
    return 0;
}
