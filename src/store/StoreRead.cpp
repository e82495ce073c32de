// Reading the store file: every record of the bytes into the lists.
#include "store/StoreFile.h"

#include "store/Codepage.h"
#include "store/TextBlock.h"
#include "store/Ut.h"

#include <QtEndian>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace StoreFile {

namespace {

// A five-character tag as one number, for a quick comparison.
constexpr quint64 tagKey(const char* t)
{
    quint64 k = 0;
    for (int i = 0; i < 5; ++i)
        k |= quint64(static_cast<unsigned char>(t[i])) << (8 * i);
    return k;
}

// The same with the tab before it.
consteval quint64 tagKey6(const char* t)
{
    quint64 k = 0;
    for (int i = 0; i < 6; ++i)
        k |= quint64(static_cast<unsigned char>(t[i])) << (8 * i);
    return k;
}

// Tags in reading order; a result of -10 - n or -20 - n counts from 1 here.
constexpr std::array<quint64, 11> memoTags
    = {tagKey("#_ID:"), tagKey("#TME:"), tagKey("#_NT:"), tagKey("#_AT:"), tagKey("#_ES:"), tagKey("#TDT:"),
        tagKey("#_DT:"), tagKey("#TOR:"), tagKey("#_OR:"), tagKey("#TAN:"), tagKey("#_AN:")};
constexpr std::array<quint64, 6> svegliaTags
    = {tagKey("#TSV:"), tagKey("#_MS:"), tagKey("#_AT:"), tagKey("#_OR:"), tagKey("#_GN:"), tagKey("#_SN:")};

// Null for UTF-8 text.
using Encoding = Codepage::Windows1252Decoder*;

QString decodeValue(QByteArrayView v, Encoding enc)
{
    if (!enc)
        return QString::fromUtf8(v);
    return enc->decode(v);
}

// Position of the next tab at or after from, or n. Eight bytes at a time:
// a zero byte in (word ^ tabs) marks a tab.
qsizetype nextTab(const char* d, qsizetype from, qsizetype n)
{
    constexpr quint64 tabs = 0x0909090909090909ULL;
    constexpr quint64 low = 0x0101010101010101ULL;
    constexpr quint64 high = 0x8080808080808080ULL;
    qsizetype i = from;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, d + i, 8);
        const quint64 x = word ^ tabs;
        const quint64 hit = (x - low) & ~x & high;
        if (hit)
            return i + std::countr_zero(hit) / 8;
    }
    while (i < n && d[i] != '\t')
        ++i;
    return i;
}

// An integer field read where it starts, up to the tab that ends it; the
// usual plain digits need no second look. Returns where the value ends.
qsizetype readIntField(const char* d, qsizetype from, qsizetype n, qint32& out, bool& ok)
{
    qsizetype i = from;
    const bool negative = i < n && d[i] == '-';
    i += negative;
    const qsizetype digits = i;
    quint64 v = 0;
    while (i < n && i - digits < 11 && static_cast<unsigned char>(d[i] - '0') < 10)
        v = v * 10 + quint64(d[i++] - '0');
    if (i > digits && i - digits <= 10 && (i == n || d[i] == '\t')
        && v <= quint64(std::numeric_limits<qint32>::max()) + negative) {
        out = static_cast<qint32>(negative ? -qint64(v) : qint64(v));
        ok = true;
        return i;
    }
    // Blanks, a plus sign, too many digits or no number: the full rules.
    const qsizetype end = nextTab(d, i, n);
    ok = parseStoreInteger(QByteArrayView(d + from, end - from), out);
    return end;
}

enum class Kind : quint8 { Integer, Number, Text };

// Where one record's fields go: integers and numbers are read as they are
// met, texts kept as bytes until the file's texts are decoded together.
template <size_t N> struct Fields {
    const std::array<quint64, N>& tags;
    const std::array<Kind, N>& kinds;
    std::array<void*, N> targets; // qint32* or double*; unused for texts
    std::array<QByteArrayView, N> texts{};
};

// Reads a record's fields in one walk: a tag counts only right after a tab,
// its value runs to the next tab or the record's end, and of a tag met twice
// the first counts. 1, or -10 - n for the first tag n missing, -20 - n for
// the first value n not a number (in tag order, whichever comes first).
template <size_t N> int readFields(QByteArrayView record, Fields<N>& f)
{
    static_assert(N <= 32);
    quint32 found = 0;
    quint32 bad = 0;
    const char* d = record.data();
    const qsizetype n = record.size();
    qsizetype tab = nextTab(d, 0, n);
    size_t next = 0; // the tag most likely to come next: files keep one order
    while (tab < n) {
        const qsizetype start = tab + 1;
        qsizetype end = -1;
        if (n - start >= 5 && d[start] == '#' && d[start + 4] == ':') {
            // The same number as tagKey, read in two loads rather than five.
            const quint64 key
                = qFromLittleEndian<quint32>(d + start) | quint64(static_cast<unsigned char>(d[start + 4])) << 32;
            size_t i = next < N && !(found >> next & 1) && key == f.tags[next] ? next : 0;
            for (; i < N; ++i) {
                if (!(found >> i & 1) && key == f.tags[i])
                    break;
            }
            if (i < N) {
                found |= 1U << i;
                next = i + 1;
                const qsizetype value = start + 5;
                bool ok = true;
                switch (f.kinds[i]) {
                case Kind::Integer:
                    end = readIntField(d, value, n, *static_cast<qint32*>(f.targets[i]), ok);
                    break;
                case Kind::Number:
                    end = nextTab(d, value, n);
                    ok = parseDayNumber(QByteArrayView(d + value, end - value), *static_cast<double*>(f.targets[i]));
                    break;
                case Kind::Text:
                    end = nextTab(d, value, n);
                    f.texts[i] = QByteArrayView(d + value, end - value);
                    break;
                }
                if (!ok)
                    bad |= 1U << i;
            }
        }
        tab = end >= 0 ? end : nextTab(d, start, n);
    }
    for (size_t i = 0; i < N; ++i) {
        if (!(found >> i & 1))
            return -10 - int(i + 1);
        if (bad >> i & 1)
            return -20 - int(i + 1);
    }
    return 1;
}

constexpr std::array<Kind, 11> memoKinds = {Kind::Integer, Kind::Integer, Kind::Text, Kind::Integer, Kind::Integer,
    Kind::Integer, Kind::Number, Kind::Integer, Kind::Number, Kind::Integer, Kind::Integer};
constexpr std::array<Kind, 6> svegliaKinds
    = {Kind::Integer, Kind::Text, Kind::Integer, Kind::Number, Kind::Integer, Kind::Text};

// A memo as this program writes it: every field once, in the order written,
// integers as plain digits and numbers the exact reading takes, up to the
// line end. Anything else is left to readFields, which gives the same values
// for these. Read straight from the file, so the record's end is found on
// the way rather than looked for first.
class WrittenMemo {
public:
    // text from the record's marker to the file's end.
    explicit WrittenMemo(QByteArrayView text)
        : d(text.data())
        , n(text.size())
    {
    }

    // The record's length, or -1 when it is not one of these.
    qsizetype read(REC_Memo& m, QByteArrayView& nota)
    {
        const bool whole = tag<tagKey6("\t#_ID:")>() && integer(m.ID) && tag<tagKey6("\t#TME:")>()
            && integer(m.TipoMemo) && tag<tagKey6("\t#_NT:")>() && textField(nota) && tag<tagKey6("\t#_ES:")>()
            && integer(m.Eseguito) && tag<tagKey6("\t#_AT:")>() && integer(m.Attivo) && tag<tagKey6("\t#TDT:")>()
            && integer(m.TipoData) && tag<tagKey6("\t#_DT:")>() && number(m.Data) && tag<tagKey6("\t#TOR:")>()
            && integer(m.TipoOrario) && tag<tagKey6("\t#_OR:")>() && number(m.Orario) && tag<tagKey6("\t#TAN:")>()
            && integer(m.TipoAnticipo) && tag<tagKey6("\t#_AN:")>() && integer(m.Anticipo);
        return whole && (p == n || d[p] == '\r' || d[p] == '\n') ? p : -1;
    }
    bool textHasHash() const
    {
        return hashes != 0;
    }

private:
    // The tab and the tag, as one number in two loads.
    template <quint64 Key> Q_ALWAYS_INLINE bool tag()
    {
        if (n - p < 6)
            return false;
        const quint64 key = qFromLittleEndian<quint32>(d + p) | quint64(qFromLittleEndian<quint16>(d + p + 4)) << 32;
        if (key != Key)
            return false;
        p += 6;
        return true;
    }
    static bool digit(char c)
    {
        return static_cast<unsigned char>(c - '0') < 10;
    }
    // Digits after an optional minus, within 32 bits. Past one digit, up
    // to seven are read in one go: how many varies from memo to memo (an
    // advance of -5 or 15), which a loop keeps guessing wrong.
    Q_ALWAYS_INLINE bool integer(qint32& out)
    {
        if (n - p >= 2 && digit(d[p]) && !digit(d[p + 1])) { // most are one digit
            out = d[p++] - '0';
            return true;
        }
        if (n - p >= 9) {
            const bool negative = d[p] == '-';
            quint64 v = 0;
            const int count = readDigits(d + p + negative, v);
            if (count > 0 && count < 8) {
                out = negative ? -qint32(v) : qint32(v);
                p += negative + count;
                return true;
            }
        }
        qsizetype i = p;
        const bool negative = i < n && d[i] == '-';
        i += negative;
        const qsizetype first = i;
        quint64 v = 0;
        while (i < n && digit(d[i])) {
            if (i - first == 10)
                return false;
            v = v * 10 + quint64(d[i++] - '0');
        }
        if (i == first || v > quint64(std::numeric_limits<qint32>::max()) + negative)
            return false;
        out = static_cast<qint32>(negative ? -qint64(v) : qint64(v));
        p = i;
        return true;
    }
    // The forms written are a date's plain digits and a time's "0," and
    // digits; others go through the general exact reading.
    Q_ALWAYS_INLINE bool number(double& out)
    {
        if (n - p >= 32) {
            quint64 v = 0;
            const int whole = readDigits(d + p, v);
            if (whole > 0 && whole < 8 && d[p + whole] == '\t') {
                out = double(v);
                p += whole;
                return true;
            }
            if (whole == 1 && v == 0 && (d[p + 1] == ',' || d[p + 1] == '.') && fraction(out))
                return true;
        }
        const char* end = readExactDayNumber(d + p, d + n, out);
        if (!end)
            return false;
        p = end - d;
        return true;
    }
    // The digits after "0," up to a tab, at most 24 of them; room for them
    // checked by number().
    bool fraction(double& out)
    {
        static constexpr quint64 scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
        constexpr quint64 most = quint64(1) << 53;
        static constexpr quint64 room[] = {most, most / 10, most / 100, most / 1000, most / 10000, most / 100000,
            most / 1000000, most / 10000000, most / 100000000};
        static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13,
            1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        // The three words are read at once, not each after the count of
        // the one before; a later one counts only after eight digits.
        const char* q = d + p + 2;
        quint64 v[3] = {0, 0, 0};
        const int got[3] = {readDigits(q, v[0]), readDigits(q + 8, v[1]), readDigits(q + 16, v[2])};
        quint64 m = 0;
        int count = 0;
        for (int k = 0; k < 3; ++k) {
            if (m > room[got[k]]) // more digits than a double holds
                return false;
            m = m * scale[got[k]] + v[k];
            count += got[k];
            if (got[k] < 8)
                break;
        }
        if (count == 0 || count > 22 || q[count] != '\t' || m > most)
            return false;
        out = double(m) / powers[count];
        p += 2 + count;
        return true;
    }
    // Up to the next tab; false when a line end comes first (the record
    // ends inside the text). Eight bytes at a time: any byte below 0x0E
    // stops the look, and only a tab, CR or LF ends it. Notes a '#' on the
    // way, where an alarm clock's marker could be. ASCII is widened into
    // the room given on the way, while there is room, so that the text need
    // not be read again.
    bool textField(QByteArrayView& out)
    {
        constexpr quint64 low = 0x0101010101010101ULL;
        constexpr quint64 high = 0x8080808080808080ULL;
        qsizetype i = p;
        widenedTo = p;
        while (true) {
            if (widenedTo == i)
                widen(i);
            for (; i + 8 <= n; i += 8) {
                quint64 word;
                std::memcpy(&word, d + i, 8);
                const quint64 x = word ^ (0x23 * low);
                const quint64 hash = (x - low) & ~x & high;
                if (const quint64 hit = (word - 0x0E * low) & ~word & high) {
                    const int k = std::countr_zero(hit);
                    // Lowest set bits are exact: a '#' before the stop shows.
                    hashes |= hash & ((quint64(1) << k) - 1);
                    i += k / 8;
                    break;
                }
                hashes |= hash;
            }
            while (i < n && static_cast<unsigned char>(d[i]) >= 0x0E) {
                hashes |= d[i] == '#';
                ++i;
            }
            if (i == n || d[i] == '\t')
                break;
            if (d[i] == '\r' || d[i] == '\n')
                return false;
            // Another control character, part of the text.
            if (widenedTo == i && i - p + 1 < wideRoom) {
                wide[i - p] = char16_t(d[i]);
                ++widenedTo;
            }
            ++i;
        }
        out = QByteArrayView(d + p, i - p);
        widened = wide && widenedTo == i && i > p;
        p = i;
        return true;
    }
    // Widens text from i on, sixteen bytes at a time, up to a byte that is
    // below 0x0E or beyond ASCII, or as far as the room goes (a NUL after
    // the text kept room for); i and widenedTo end there.
    Q_ALWAYS_INLINE void widen(qsizetype& i)
    {
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        while (i + 16 <= n && i - p + 16 < wideRoom) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
            // Signed: bytes beyond ASCII are below 0x0E too.
            const int stop = _mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(0x0E)));
            const int hash = _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('#')));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(wide + (i - p)), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(wide + (i - p) + 8), _mm_unpackhi_epi8(v, zero));
            if (stop) {
                const int k = std::countr_zero(unsigned(stop));
                hashes |= unsigned(hash) & ((1U << k) - 1);
                i += k;
                break;
            }
            hashes |= unsigned(hash);
            i += 16;
        }
#endif
        widenedTo = i;
    }

public:
    // Room for the text's UTF-16, a NUL after it included.
    void widenInto(char16_t* room, qsizetype units)
    {
        wide = room;
        wideRoom = room ? units : 0;
    }
    // True when all of the text read, not empty, is in that room.
    bool textWidened() const
    {
        return widened;
    }

private:
    const char* d;
    qsizetype n;
    qsizetype p = 6;    // after "#MEMO#"
    quint64 hashes = 0; // not zero once the text held a '#'
    char16_t* wide = nullptr;
    qsizetype wideRoom = 0;
    qsizetype widenedTo = 0; // the text's bytes before it are in wide
    bool widened = false;
};

// A record runs from its marker to the line end. Lines end with CR LF; a
// lone LF or CR ends one too, so a file whose line ends were changed by an
// editor or a copy still reads every record instead of running them together.
qsizetype recordEnd(QByteArrayView text, qsizetype from)
{
    const char* begin = text.data() + from;
    const size_t n = size_t(text.size() - from);
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', n));
    const size_t upTo = lf ? size_t(lf - begin) : n;
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', upTo));
    return from + qsizetype(cr ? cr - begin : upTo);
}

// Line ends in text[from, to), counted as recordEnd ends records: CR LF,
// or a lone LF or CR.
int lineEnds(QByteArrayView text, qsizetype from, qsizetype to)
{
    int n = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++n;
    }
    return n;
}

// The first marker in text starting in [from, to), or -1; it may run on past
// to. The text is searched for the marker's middle letter, which no tag of
// the other kind of record holds ("#SVEGLIA#"'s G among memo lines), with
// memchr, rather than for the whole marker from every '#'.
qsizetype findMarker(QByteArrayView text, QByteArrayView marker, qsizetype from, qsizetype to)
{
    const qsizetype k = marker.size() / 2;
    const char* const d = text.data();
    const char* const end = d + std::min(text.size(), to + k);
    const char* p = d + from + k;
    while (p < end && (p = static_cast<const char*>(std::memchr(p, marker[k], size_t(end - p)))) != nullptr) {
        const qsizetype start = p - d - k;
        if (start + marker.size() <= text.size() && text.sliced(start, marker.size()) == marker)
            return start;
        ++p;
    }
    return -1;
}

// Whether the marker starts at text[at], compared with one call the compiler
// can do in place.
template <size_t N> bool markerAt(QByteArrayView text, qsizetype at, const char (&marker)[N])
{
    return text.size() - at >= qsizetype(N - 1) && std::memcmp(text.data() + at, marker, N - 1) == 0;
}

// A record that failed to parse: its number among the records of its kind,
// damaged ones included, its result and its line, for the person to find it.
struct Damaged {
    int number, result, line;
};

// The records that failed, of one kind, and how many records there were.
struct Damage {
    QList<Damaged> records;
    int count = 0;
};

// Bytes of the file that the written-memo walk did not read itself: the
// only places an alarm clock's marker, or a byte beyond ASCII, can be. Its
// memos hold neither, but in their texts (which it looks at for both).
struct Span {
    qsizetype begin, end;
};

class Unread {
public:
    void add(qsizetype begin, qsizetype end)
    {
        if (begin >= end)
            return;
        if (!m_spans.isEmpty() && m_spans.last().end >= begin)
            m_spans.last().end = std::max(m_spans.last().end, end);
        else
            m_spans.append({begin, end});
    }
    const QList<Span>& spans() const
    {
        return m_spans;
    }

private:
    QList<Span> m_spans; // ascending, apart
};

// A text of a record that waits for the file's encoding: beyond ASCII, or
// empty (which decodes to a null or an empty string by the encoding).
struct PendingText {
    qsizetype record;
    enum Field : quint8 { Nota, Messaggio, Suono } field;
    QByteArrayView bytes;
};

// Where the texts of records read so far go.
struct Texts {
    TextBlock block;
    QList<PendingText> pending;
    bool beyondAscii = false; // a text of the written-memo walk was

    // ASCII straight into the block; the rest once the encoding is known.
    void take(QByteArrayView bytes, QString& target, qsizetype record, PendingText::Field field)
    {
        if (!bytes.isEmpty()) {
            QString text = block.ascii(bytes);
            if (!text.isNull()) {
                target = std::move(text);
                return;
            }
            beyondAscii = true;
        }
        pending.append({record, field, bytes});
    }
};

// Reads every record of one kind, from the first marker find(pos) gives at
// or after pos; a record that fails is left out and noted, and the records
// after it are read all the same. False when one failed.
template <typename Rec, typename Find, typename Quick, typename Parse>
bool parsePass(
    QByteArrayView text, qsizetype markerSize, QList<Rec>& list, Find find, Quick quick, Parse parse, Damage& damage)
{
    bool whole = true;
    int& number = damage.count; // of the record, damaged ones included
    qsizetype counted = 0;
    int line = 1; // of text[counted]
    qsizetype pos = 0;
    while (true) {
        const qsizetype start = find(pos);
        if (start < 0)
            return whole;
        ++number;
        list.resize(list.size() + 1); // grown in place: the room is there
        Rec& rec = list.last();
        const qsizetype index = list.size() - 1;
        const qsizetype length = quick(text.sliced(start), rec, index);
        const qsizetype end = length >= 0 ? start + length : recordEnd(text, start + markerSize);
        const int r = length >= 0 ? 1 : parse(text.sliced(start, end - start), rec, index, start);
        if (r != 1) {
            // A record half read would come back as a memo of 30/12/1899, or
            // an alarm clock at midnight, and be saved so.
            list.removeLast();
            whole = false;
            line += lineEnds(text, counted, start);
            counted = start;
            damage.records.append({number, r, line});
        }
        if (end >= text.size())
            return whole;
        pos = end;
    }
}

// The memos: the next record most often starts right after the line end,
// and one in the form this program writes is read in a single walk.
bool memoPass(QByteArrayView text, MemoList& memos, Texts& texts, Unread& unread, Damage& damage)
{
    const auto find = [&](qsizetype pos) {
        qsizetype at = pos;
        while (at < text.size() && (text[at] == '\r' || text[at] == '\n'))
            ++at;
        if (markerAt(text, at, "#MEMO#"))
            return at;
        const qsizetype start = findMarker(text, "#MEMO#", pos, text.size());
        unread.add(pos, start < 0 ? text.size() : start);
        return start;
    };
    const auto quick = [&](QByteArrayView rest, REC_Memo& m, qsizetype index) {
        WrittenMemo walk(rest);
        constexpr qsizetype room = 256;
        walk.widenInto(texts.block.room(room), room);
        QByteArrayView nota;
        const qsizetype length = walk.read(m, nota);
        if (length >= 0) {
            if (walk.textWidened())
                m.Nota = texts.block.shareWritten(nota.size());
            else
                texts.take(nota, m.Nota, index, PendingText::Nota);
            if (walk.textHasHash()) {
                const qsizetype at = nota.data() - text.data();
                unread.add(at, at + nota.size());
            }
        }
        return length;
    };
    const auto parse = [&](QByteArrayView record, REC_Memo& m, qsizetype index, qsizetype start) {
        unread.add(start, start + record.size());
        Fields<11> f{memoTags, memoKinds,
            {&m.ID, &m.TipoMemo, nullptr, &m.Attivo, &m.Eseguito, &m.TipoData, &m.Data, &m.TipoOrario, &m.Orario,
                &m.TipoAnticipo, &m.Anticipo}};
        const int r = readFields(record, f);
        if (r == 1)
            texts.take(f.texts[2], m.Nota, index, PendingText::Nota);
        return r;
    };
    return parsePass(text, 6, memos, find, quick, parse, damage);
}

// The alarm clocks, a few a store: looked for only where the memo walk did
// not read, and read by the full walk.
bool svegliaPass(QByteArrayView text, SvegliaList& sveglie, Texts& texts, const Unread& unread, Damage& damage)
{
    const QList<Span>& spans = unread.spans();
    qsizetype next = 0;
    const auto find = [&](qsizetype pos) -> qsizetype {
        for (; next < spans.size(); ++next) {
            if (spans[next].end <= pos)
                continue;
            const qsizetype start = findMarker(text, "#SVEGLIA#", std::max(pos, spans[next].begin), spans[next].end);
            if (start >= 0)
                return start;
        }
        return -1;
    };
    const auto quick = [](QByteArrayView, REC_Sveglia&, qsizetype) { return qsizetype(-1); };
    const auto parse = [&](QByteArrayView record, REC_Sveglia& s, qsizetype index, qsizetype) {
        Fields<6> f{svegliaTags, svegliaKinds, {&s.TipoSveglia, nullptr, &s.Attivo, &s.Orario, &s.Giorno, nullptr}};
        const int r = readFields(record, f);
        if (r == 1) {
            texts.take(f.texts[1], s.Messaggio, index, PendingText::Messaggio);
            texts.take(f.texts[5], s.Suono, index, PendingText::Suono);
        }
        return r;
    };
    return parsePass(text, 9, sveglie, find, quick, parse, damage);
}

// One part of the file's memos, read on a thread of its own into lists of
// its own. A part starts at a memo's marker right after a line feed: no
// record runs over a line end, so a reading from the file's start finds a
// record there too, and the parts read together give what it gives.
struct MemoPart {
    MemoPart(QByteArrayView file, qsizetype from, qsizetype to)
        : text(file.sliced(from, to - from))
        , begin(from)
        , texts{TextBlock(to - from), {}}
    {
    }
    void read()
    {
        whole = memoPass(text, memos, texts, unread, damage);
    }

    QByteArrayView text;
    qsizetype begin; // of text, in the file
    MemoList memos;
    Texts texts;
    Unread unread; // in text
    Damage damage; // numbers and lines within the part
    bool whole = true;
};

// Where the parts start: at a memo's marker right after a line feed, about
// evenly apart; fewer parts where there is no such place.
QList<qsizetype> partStarts(QByteArrayView bytes, int parts)
{
    const std::string_view text(bytes.data(), size_t(bytes.size()));
    QList<qsizetype> starts{0};
    for (int k = 1; k < parts; ++k) {
        const size_t from = size_t(std::max(starts.last(), bytes.size() / parts * k));
        const size_t at = text.find("\n#MEMO#", from);
        if (at == std::string_view::npos)
            break;
        starts.append(qsizetype(at) + 1);
    }
    return starts;
}

// The memos of every part, read at once, put together as one reading from
// the start would give them: in order, records numbered and lines counted
// from the file's start.
bool memoParts(
    QByteArrayView bytes, int parts, MemoList& memos, std::unique_ptr<MemoPart>& first, Unread& unread, Damage& damage)
{
    const QList<qsizetype> starts = partStarts(bytes, parts);
    std::vector<std::unique_ptr<MemoPart>> read;
    for (qsizetype k = 0; k < starts.size(); ++k)
        read.push_back(
            std::make_unique<MemoPart>(bytes, starts[k], k + 1 < starts.size() ? starts[k + 1] : bytes.size()));
    // Room for every memo in the first part's list, which the others join.
    read[0]->memos.reserve(bytes.size() / 72 + 1);
    std::vector<std::jthread> threads;
    for (size_t k = 1; k < read.size(); ++k) {
        MemoPart& part = *read[k];
        part.memos.reserve(part.text.size() / 72 + 1);
        try {
            threads.emplace_back([&part] { part.read(); });
        } catch (const std::system_error&) {
            part.read(); // no thread to be had: read here
        }
    }
    read[0]->read();
    threads.clear(); // joins them

    bool whole = true;
    qsizetype counted = 0; // line ends before it are in lines
    int lines = 0;
    for (size_t k = 0; k < read.size(); ++k) {
        MemoPart& part = *read[k];
        whole = whole && part.whole;
        for (const Span& s : part.unread.spans())
            unread.add(part.begin + s.begin, part.begin + s.end);
        if (!part.damage.records.isEmpty()) {
            lines += lineEnds(bytes, counted, part.begin);
            counted = part.begin;
        }
        for (const Damaged& d : part.damage.records)
            damage.records.append({damage.count + d.number, d.result, lines + d.line});
        damage.count += part.damage.count;
        if (k == 0) {
            memos = std::move(part.memos);
            continue;
        }
        for (const PendingText& t : part.texts.pending)
            read[0]->texts.pending.append({memos.size() + t.record, t.field, t.bytes});
        read[0]->texts.beyondAscii = read[0]->texts.beyondAscii || part.texts.beyondAscii;
        memos.append(std::move(part.memos));
    }
    first = std::move(read[0]);
    return whole;
}

// The diagnostic's line for each damaged record of a kind.
void describe(const Damage& damage, QLatin1StringView what, QString& diagnostic, QList<int>& lines)
{
    for (const Damaged& d : damage.records) {
        if (!diagnostic.isEmpty())
            diagnostic += u'\n';
        diagnostic += what + QString::number(d.number) + QStringLiteral(" esito=") + QString::number(d.result)
            + QStringLiteral(" riga=") + QString::number(d.line);
        lines.append(d.line);
    }
}

} // namespace

int parseFileBytes(QByteArrayView bytes, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    QList<int>* damagedLines, CodePage* codePage)
{
    // Parts share the memory's bandwidth: at 10,000 memos (1.5 MB) two took
    // as long as one, with twice the CPU.
    constexpr qsizetype partsFrom = 4 * 1024 * 1024;
    const int parts = bytes.size() < partsFrom ? 1 : int(std::clamp(std::thread::hardware_concurrency(), 1U, 4U));
    return parseFileBytesInParts(bytes, parts, memos, sveglie, diagnostic, damagedLines, codePage);
}

int parseFileBytesInParts(QByteArrayView bytes, int parts, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    QList<int>* damagedLines, CodePage* codePage)
{
    memos.clear();
    sveglie.clear();
    diagnostic.clear();
    if (damagedLines)
        damagedLines->clear();
    // Every memo takes 72 bytes at least (its marker and eleven tags), so
    // the room memoParts reserves holds all of them at once: a list grown
    // by doubling keeps up to half its room empty for the whole run, and
    // pages of room never used are never given memory.
    std::unique_ptr<MemoPart> first;
    Unread unread;
    Damage memoDamage, svegliaDamage;
    const bool memosWhole = memoParts(bytes, std::max(1, parts), memos, first, unread, memoDamage);
    Texts& texts = first->texts;
    const bool sveglieWhole = svegliaPass(bytes, sveglie, texts, unread, svegliaDamage);
    QString damaged;
    QList<int> lines;
    describe(memoDamage, QLatin1StringView("Errore sul Memo numero "), damaged, lines);
    describe(svegliaDamage, QLatin1StringView("Errore sulla sveglia numero "), damaged, lines);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    const int r = !memosWhole ? -1 : sveglieWhole ? 1 : -2;

    // ASCII reads the same either way: no look for UTF-8, nor through it.
    // The memo walk saw its texts; the rest it left is looked at here.
    const QList<Span>& spans = unread.spans();
    const bool ascii = !texts.beyondAscii && std::all_of(spans.begin(), spans.end(), [&](const Span& s) {
        return Codepage::isAscii(bytes.sliced(s.begin, s.end - s.begin));
    });
    std::optional<Codepage::Windows1252Decoder> windows;
    if (!ascii && Codepage::readAsWindows1252(bytes, codePage && *codePage == CodePage::Windows1252)) {
        windows.emplace();
        if (!windows->isValid()) {
            memos.clear();
            sveglie.clear();
            diagnostic = QStringLiteral("Codifica Windows-1252 non disponibile");
            return -4;
        }
    }
    if (codePage && !ascii)
        *codePage = windows ? CodePage::Windows1252 : CodePage::Utf8;
    const Encoding enc = windows ? &*windows : nullptr;
    for (const PendingText& t : texts.pending) {
        QString text = decodeValue(t.bytes, enc);
        if (!t.bytes.isEmpty())
            text = texts.block.copy(text);
        switch (t.field) {
        case PendingText::Nota:
            memos[t.record].Nota = std::move(text);
            break;
        case PendingText::Messaggio:
            sveglie[t.record].Messaggio = std::move(text);
            break;
        case PendingText::Suono:
            sveglie[t.record].Suono = std::move(text);
            break;
        }
    }
    diagnostic = damaged;
    if (damagedLines)
        *damagedLines = lines;
    if (!memos.isEmpty() || !sveglie.isEmpty())
        return r;
    // Not one record, yet more than line ends: zeros left by a crash, or
    // another file altogether. Reading it as an empty store would let the
    // next saves rotate the real one away.
    const bool onlyLineEnds = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; });
    if (onlyLineEnds || r != 1)
        return r;
    diagnostic = QStringLiteral("Nessun record nel file");
    return -3;
}

} // namespace StoreFile
