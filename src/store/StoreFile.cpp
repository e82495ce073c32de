#include "store/StoreFile.h"

#include "store/Codepage.h"
#include "store/Ut.h"

#include <charconv>
#include <string>
#include <string_view>

namespace StoreFile {

namespace {

const QString memoMarker = QStringLiteral("#MEMO#");
const QString svegliaMarker = QStringLiteral("#SVEGLIA#");

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

std::string buildFile(const MemoList& memos, const SvegliaList& sveglie, QChar sep, CodePage* codePage)
{
    std::string utf8 = buildUtf8(memos, sveglie, sep);
    if (Codepage::isAscii(QByteArrayView(utf8.data(), qsizetype(utf8.size()))))
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

} // namespace StoreFile
