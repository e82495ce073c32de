#include "store/StoreFile.h"

#include "store/Codepage.h"
#include "store/Ut.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace StoreFile {

namespace {

const QString memoMarker = QStringLiteral("#MEMO#");
const QString svegliaMarker = QStringLiteral("#SVEGLIA#");

// A five-character tag as one number, for a quick comparison.
constexpr quint64 tagKey(const char* t)
{
    quint64 k = 0;
    for (int i = 0; i < 5; ++i)
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

// Finds the first value of every tag in a record. A tag counts only right
// after a tab, and its value runs to the next tab or the record's end.
template <size_t N>
void findValues(QByteArrayView record, const std::array<quint64, N>& tags, std::array<QByteArrayView, N>& values,
    std::array<bool, N>& found)
{
    found.fill(false);
    const char* d = record.data();
    const qsizetype n = record.size();
    qsizetype tab = nextTab(d, 0, n);
    size_t next = 0; // the tag most likely to come next: files keep one order
    while (tab < n) {
        const qsizetype end = nextTab(d, tab + 1, n);
        const qsizetype start = tab + 1;
        if (end - start >= 5 && d[start] == '#' && d[start + 4] == ':') {
            // The same number as tagKey, read in two loads rather than five.
            const quint64 key
                = qFromLittleEndian<quint32>(d + start) | quint64(static_cast<unsigned char>(d[start + 4])) << 32;
            size_t i = next < N && !found[next] && key == tags[next] ? next : 0;
            for (; i < N; ++i) {
                if (!found[i] && key == tags[i])
                    break;
            }
            if (i < N) {
                found[i] = true;
                values[i] = record.sliced(start + 5, end - start - 5);
                next = i + 1;
            }
        }
        tab = end;
    }
}

bool readInt(QByteArrayView v, qint32& out)
{
    return parseStoreInteger(v, out);
}

bool readNumber(QByteArrayView v, double& out)
{
    return parseDayNumber(v, out);
}

int parseMemoBytes(QByteArrayView record, REC_Memo& m, Encoding enc)
{
    std::array<QByteArrayView, 11> v;
    std::array<bool, 11> found;
    findValues(record, memoTags, v, found);
    qint32* ints[] = {&m.ID, &m.TipoMemo, nullptr, &m.Attivo, &m.Eseguito, &m.TipoData, nullptr, &m.TipoOrario, nullptr,
        &m.TipoAnticipo, &m.Anticipo};
    for (int i = 0; i < 11; ++i) {
        if (!found[i])
            return -10 - (i + 1);
        bool ok = true;
        if (i == 2)
            m.Nota = decodeValue(v[i], enc);
        else if (i == 6)
            ok = readNumber(v[i], m.Data);
        else if (i == 8)
            ok = readNumber(v[i], m.Orario);
        else
            ok = readInt(v[i], *ints[i]);
        if (!ok)
            return -20 - (i + 1);
    }
    return 1;
}

int parseSvegliaBytes(QByteArrayView record, REC_Sveglia& s, Encoding enc)
{
    std::array<QByteArrayView, 6> v;
    std::array<bool, 6> found;
    findValues(record, svegliaTags, v, found);
    for (int i = 0; i < 6; ++i) {
        if (!found[i])
            return -10 - (i + 1);
        bool ok = true;
        switch (i) {
        case 0:
            ok = readInt(v[i], s.TipoSveglia);
            break;
        case 1:
            s.Messaggio = decodeValue(v[i], enc);
            break;
        case 2:
            ok = readInt(v[i], s.Attivo);
            break;
        case 3:
            ok = readNumber(v[i], s.Orario);
            break;
        case 4:
            ok = readInt(v[i], s.Giorno);
            break;
        case 5:
            s.Suono = decodeValue(v[i], enc);
            break;
        }
        if (!ok)
            return -20 - (i + 1);
    }
    return 1;
}

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

// Lines of text, the last one counted whether or not it ends.
qsizetype lineCount(QByteArrayView text)
{
    qsizetype lines = 1;
    const char* p = text.data();
    const char* const end = p + text.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))) != nullptr) {
        ++lines;
        ++p;
    }
    return lines;
}

// The first marker in text at or after from, or -1. The file is searched
// for the marker's middle letter, which no tag of the other kind of record
// holds ("#SVEGLIA#"'s G among memo lines), with memchr, rather than for
// the whole marker from every '#'.
qsizetype findMarker(QByteArrayView text, QByteArrayView marker, qsizetype from)
{
    const qsizetype k = marker.size() / 2;
    const char* const d = text.data();
    const char* const end = d + text.size();
    const char* p = d + from + k;
    while (p < end && (p = static_cast<const char*>(std::memchr(p, marker[k], size_t(end - p)))) != nullptr) {
        const qsizetype start = p - d - k;
        if (start + marker.size() <= text.size() && text.sliced(start, marker.size()) == marker)
            return start;
        ++p;
    }
    return -1;
}

// Where the records that failed to parse were, for the person to find them.
struct Damage {
    QString diagnostic;
    QList<int> lines;
};

// Reads every record of one kind; a record that fails is left out and
// noted, and the records after it are read all the same. False when one failed.
template <typename Rec, typename Parse>
bool parsePass(QByteArrayView text, QByteArrayView marker, QList<Rec>& list, Parse parse, Encoding enc,
    const QString& what, Damage& damage)
{
    bool whole = true;
    int number = 0; // of the record, damaged ones included
    qsizetype counted = 0;
    int line = 1; // of text[counted]
    qsizetype pos = 0;
    while (true) {
        // The next record most often starts right after the line end.
        qsizetype at = pos;
        while (at < text.size() && (text[at] == '\r' || text[at] == '\n'))
            ++at;
        const qsizetype start = text.sliced(at).startsWith(marker) ? at : findMarker(text, marker, pos);
        if (start < 0)
            return whole;
        const qsizetype end = recordEnd(text, start + marker.size());
        ++number;
        list.append(Rec{});
        const int r = parse(text.sliced(start, end - start), list.last(), enc);
        if (r != 1) {
            // A record half read would come back as a memo of 30/12/1899, or
            // an alarm clock at midnight, and be saved so.
            list.removeLast();
            whole = false;
            line += lineEnds(text, counted, start);
            counted = start;
            if (!damage.diagnostic.isEmpty())
                damage.diagnostic += u'\n';
            damage.diagnostic += what + QString::number(number) + QStringLiteral(" esito=") + QString::number(r)
                + QStringLiteral(" riga=") + QString::number(line);
            damage.lines.append(line);
        }
        if (end >= text.size())
            return whole;
        pos = end;
    }
}

int parseBytes(QByteArrayView text, Encoding enc, MemoList& memos, SvegliaList& sveglie, Damage& damage)
{
    memos.clear();
    sveglie.clear();
    // A record a line at most: room for every memo at once, since a list
    // grown by doubling keeps up to half its room empty for the whole run.
    memos.reserve(lineCount(text));
    const bool memosWhole
        = parsePass(text, "#MEMO#", memos, parseMemoBytes, enc, QStringLiteral("Errore sul Memo numero "), damage);
    const bool sveglieWhole = parsePass(
        text, "#SVEGLIA#", sveglie, parseSvegliaBytes, enc, QStringLiteral("Errore sulla sveglia numero "), damage);
    std::sort(damage.lines.begin(), damage.lines.end());
    damage.lines.erase(std::unique(damage.lines.begin(), damage.lines.end()), damage.lines.end());
    if (!memosWhole)
        return -1;
    return sveglieWhole ? 1 : -2;
}

} // namespace

QString cleanValue(const QString& value)
{
    QString v = value;
    for (QChar& c : v) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    // Break up markers until none is left.
    for (const QString& marker : {memoMarker, svegliaMarker}) {
        qsizetype at;
        while ((at = v.indexOf(marker)) >= 0) {
            v[at] = u' ';
            v[at + marker.size() - 1] = u' ';
        }
    }
    return v;
}

namespace {

// Builds the file's bytes as UTF-8; the choice of encoding comes after.
class Writer {
public:
    Writer(QChar sep, qsizetype reserve)
        // Readers take "," and "."; any other separator would make the store unreadable.
        : m_sep(sep == u',' || sep == u'.' ? char(sep.unicode()) : '.')
    {
        m_out.reserve(size_t(reserve));
    }

    std::string take()
    {
        return std::move(m_out);
    }

    // std::string appends inline; QByteArray's out-of-line append per
    // character cost more than everything else in a save.
    void raw(std::string_view s)
    {
        m_out.append(s);
    }
    void integer(std::string_view tag, qint32 v)
    {
        m_out.append(tag);
        char buf[16];
        m_out.append(buf, size_t(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
    }
    void number(std::string_view tag, double v)
    {
        m_out.append(tag);
        char buf[dayNumberChars];
        m_out.append(buf, size_t(formatDayNumber(v, m_sep, buf)));
    }
    void text(std::string_view tag, const QString& value)
    {
        m_out.append(tag);
        const QString clean = value.contains(u'#') ? cleanValue(value) : value;
        const QByteArray utf8 = clean.toUtf8();
        for (const char c : utf8)
            m_out.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
    }

private:
    std::string m_out;
    char m_sep;
};

void writeAll(Writer& w, const MemoList& memos, const SvegliaList& sveglie)
{
    for (const REC_Memo& m : memos) {
        w.raw("#MEMO#");
        w.integer("\t#_ID:", m.ID);
        w.integer("\t#TME:", m.TipoMemo);
        w.text("\t#_NT:", m.Nota);
        w.integer("\t#_ES:", m.Eseguito);
        w.integer("\t#_AT:", m.Attivo);
        w.integer("\t#TDT:", m.TipoData);
        w.number("\t#_DT:", DayNumbers::wholePart(m.Data));
        w.integer("\t#TOR:", m.TipoOrario);
        w.number("\t#_OR:", DayNumbers::fractionPart(m.Orario));
        w.integer("\t#TAN:", m.TipoAnticipo);
        w.integer("\t#_AN:", m.Anticipo);
        w.raw("\r\n");
    }
    for (const REC_Sveglia& s : sveglie) {
        w.raw("#SVEGLIA#");
        w.integer("\t#TSV:", s.TipoSveglia);
        w.text("\t#_MS:", s.Messaggio);
        w.integer("\t#_GN:", s.Giorno);
        w.integer("\t#_AT:", s.Attivo);
        w.number("\t#_OR:", DayNumbers::fractionPart(s.Orario));
        w.text("\t#_SN:", s.Suono);
        w.raw("\r\n");
    }
}

std::string buildUtf8(const MemoList& memos, const SvegliaList& sveglie, QChar sep)
{
    Writer w(sep, memos.size() * 128 + sveglie.size() * 96);
    writeAll(w, memos, sveglie);
    return w.take();
}

// Eight bytes at a time: a store is read whole at every start.
bool isAscii(std::string_view bytes)
{
    constexpr quint64 high = 0x8080808080808080ULL;
    const char* d = bytes.data();
    const size_t n = bytes.size();
    size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        quint64 w[4];
        std::memcpy(w, d + i, sizeof w);
        if ((w[0] | w[1] | w[2] | w[3]) & high)
            return false;
    }
    for (; i < n; ++i) {
        if (static_cast<unsigned char>(d[i]) >= 0x80)
            return false;
    }
    return true;
}

std::string buildFile(const MemoList& memos, const SvegliaList& sveglie, QChar sep, CodePage* codePage)
{
    std::string utf8 = buildUtf8(memos, sveglie, sep);
    if (isAscii(utf8))
        return utf8;
    // Windows-1252 keeps files as the Windows program writes them, unless a
    // character does not fit or the bytes would not read back as written
    // ("Ã©" would come back as "é" from a file with no history).
    const bool history = codePage && *codePage == CodePage::Windows1252;
    const auto windows = Codepage::toWindows1252(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    const bool inCodePage = windows && Codepage::readAsWindows1252(*windows, history);
    if (codePage)
        *codePage = inCodePage ? CodePage::Windows1252 : CodePage::Utf8;
    return inCodePage ? windows->toStdString() : utf8;
}

} // namespace

QString codePageName(CodePage codePage)
{
    switch (codePage) {
    case CodePage::Utf8:
        return QStringLiteral("utf-8");
    case CodePage::Windows1252:
        return QStringLiteral("windows-1252");
    case CodePage::Unknown:
        break;
    }
    return {};
}

CodePage codePageNamed(const QString& name)
{
    for (const CodePage c : {CodePage::Utf8, CodePage::Windows1252})
        if (name == codePageName(c))
            return c;
    return CodePage::Unknown;
}

QByteArray buildBytes(const MemoList& memos, const SvegliaList& sveglie, QChar sep, CodePage* codePage)
{
    return QByteArray::fromStdString(buildFile(memos, sveglie, sep, codePage));
}

int parseFileBytes(QByteArrayView bytes, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    QList<int>* damagedLines, CodePage* codePage)
{
    memos.clear();
    sveglie.clear();
    diagnostic.clear();
    if (damagedLines)
        damagedLines->clear();
    std::optional<Codepage::Windows1252Decoder> windows;
    if (Codepage::readAsWindows1252(bytes, codePage && *codePage == CodePage::Windows1252)) {
        windows.emplace();
        if (!windows->isValid()) {
            diagnostic = QStringLiteral("Codifica Windows-1252 non disponibile");
            return -4;
        }
    }
    if (codePage && !isAscii(std::string_view(bytes.data(), size_t(bytes.size()))))
        *codePage = windows ? CodePage::Windows1252 : CodePage::Utf8;
    Damage damage;
    const int r = parseBytes(bytes, windows ? &*windows : nullptr, memos, sveglie, damage);
    diagnostic = damage.diagnostic;
    if (damagedLines)
        *damagedLines = damage.lines;
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
