#include "store/StoreFile.h"

#include "store/Codepage.h"
#include "store/Ut.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <filesystem>

namespace StoreFile {

namespace {

const QString memoMarker = QStringLiteral("#MEMO#");
const QString svegliaMarker = QStringLiteral("#SVEGLIA#");

// Tags in reading order; a result of -10 - n or -20 - n counts from 1 here.
constexpr std::array<const char*, 11> memoTags
    = {"#_ID:", "#TME:", "#_NT:", "#_AT:", "#_ES:", "#TDT:", "#_DT:", "#TOR:", "#_OR:", "#TAN:", "#_AN:"};
constexpr std::array<const char*, 6> svegliaTags = {"#TSV:", "#_MS:", "#_AT:", "#_OR:", "#_GN:", "#_SN:"};

enum class Encoding { Utf8, Windows1252 };

QString decodeValue(QByteArrayView v, Encoding enc)
{
    if (enc == Encoding::Utf8)
        return QString::fromUtf8(v);
    return Codepage::fromWindows1252(v.toByteArray());
}

// Finds the first value of every tag in a record. A tag counts only right
// after a tab, and its value runs to the next tab or the record's end.
template <size_t N>
void findValues(QByteArrayView record, const std::array<const char*, N>& tags, std::array<QByteArrayView, N>& values,
    std::array<bool, N>& found)
{
    found.fill(false);
    qsizetype tab = record.indexOf('\t');
    while (tab >= 0) {
        qsizetype next = record.indexOf('\t', tab + 1);
        const qsizetype end = next < 0 ? record.size() : next;
        const QByteArrayView field = record.sliced(tab + 1, end - tab - 1);
        if (field.size() >= 5 && field[0] == '#' && field[4] == ':') {
            for (size_t i = 0; i < N; ++i) {
                if (!found[i] && field.first(5) == QByteArrayView(tags[i], 5)) {
                    found[i] = true;
                    values[i] = field.sliced(5);
                    break;
                }
            }
        }
        tab = next;
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
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return i;
    }
    return text.size();
}

template <typename Rec, typename Parse>
int parsePass(QByteArrayView text, QByteArrayView marker, QList<Rec>& list, Parse parse, Encoding enc,
    const QString& what, int failure, QString& diagnostic)
{
    qsizetype pos = 0;
    while (true) {
        const qsizetype start = text.indexOf(marker, pos);
        if (start < 0)
            return 1;
        const qsizetype end = recordEnd(text, start + marker.size());
        list.append(Rec{});
        const int r = parse(text.sliced(start, end - start), list.last(), enc);
        if (r != 1) {
            diagnostic = what + QString::number(list.size()) + QStringLiteral(" esito=") + QString::number(r);
            return failure;
        }
        if (end >= text.size())
            return 1;
        pos = end;
    }
}

int parseBytes(QByteArrayView text, Encoding enc, MemoList& memos, SvegliaList& sveglie, QString& diagnostic)
{
    memos.clear();
    sveglie.clear();
    diagnostic.clear();
    const int r = parsePass(
        text, "#MEMO#", memos, parseMemoBytes, enc, QStringLiteral("Errore sul Memo numero "), -1, diagnostic);
    if (r != 1)
        return r;
    return parsePass(text, "#SVEGLIA#", sveglie, parseSvegliaBytes, enc, QStringLiteral("Errore sulla sveglia numero "),
        -2, diagnostic);
}

std::filesystem::path fsPath(const QString& path)
{
    return QFile(path).filesystemFileName();
}

} // namespace

QString cleanValue(const QString& value)
{
    QString v = value;
    for (QChar& c : v) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    // Break up markers until none is left ("#MEMO#MEMO#" needs two rounds).
    for (const QString& marker : {memoMarker, svegliaMarker}) {
        qsizetype at;
        while ((at = v.indexOf(marker)) >= 0) {
            v[at] = u' ';
            v[at + marker.size() - 1] = u' ';
        }
    }
    return v;
}

QString memoLine(const REC_Memo& m, QChar sep)
{
    QString line;
    line.reserve(96 + m.Nota.size());
    line += memoMarker;
    line += QStringLiteral("\t#_ID:") + QString::number(m.ID);
    line += QStringLiteral("\t#TME:") + QString::number(m.TipoMemo);
    line += QStringLiteral("\t#_NT:") + cleanValue(m.Nota);
    line += QStringLiteral("\t#_ES:") + QString::number(m.Eseguito);
    line += QStringLiteral("\t#_AT:") + QString::number(m.Attivo);
    line += QStringLiteral("\t#TDT:") + QString::number(m.TipoData);
    line += QStringLiteral("\t#_DT:") + formatDayNumber(DayNumbers::wholePart(m.Data), sep);
    line += QStringLiteral("\t#TOR:") + QString::number(m.TipoOrario);
    line += QStringLiteral("\t#_OR:") + formatDayNumber(DayNumbers::fractionPart(m.Orario), sep);
    line += QStringLiteral("\t#TAN:") + QString::number(m.TipoAnticipo);
    line += QStringLiteral("\t#_AN:") + QString::number(m.Anticipo);
    line += QStringLiteral("\r\n");
    return line;
}

QString svegliaLine(const REC_Sveglia& s, QChar sep)
{
    QString line;
    line += svegliaMarker;
    line += QStringLiteral("\t#TSV:") + QString::number(s.TipoSveglia);
    line += QStringLiteral("\t#_MS:") + cleanValue(s.Messaggio);
    line += QStringLiteral("\t#_GN:") + QString::number(s.Giorno);
    line += QStringLiteral("\t#_AT:") + QString::number(s.Attivo);
    line += QStringLiteral("\t#_OR:") + formatDayNumber(DayNumbers::fractionPart(s.Orario), sep);
    line += QStringLiteral("\t#_SN:") + cleanValue(s.Suono);
    line += QStringLiteral("\r\n");
    return line;
}

QString buildText(const MemoList& memos, const SvegliaList& sveglie, QChar sep)
{
    QString text;
    text.reserve(memos.size() * 128 + sveglie.size() * 96);
    for (const REC_Memo& m : memos)
        text += memoLine(m, sep);
    for (const REC_Sveglia& s : sveglie)
        text += svegliaLine(s, sep);
    return text;
}

int parseMemo(QStringView record, REC_Memo& memo)
{
    return parseMemoBytes(record.toUtf8(), memo, Encoding::Utf8);
}

int parseSveglia(QStringView record, REC_Sveglia& sveglia)
{
    return parseSvegliaBytes(record.toUtf8(), sveglia, Encoding::Utf8);
}

int parseText(QStringView text, MemoList& memos, SvegliaList& sveglie, QString& diagnostic)
{
    return parseBytes(text.toUtf8(), Encoding::Utf8, memos, sveglie, diagnostic);
}

int write(const QString& folder, const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator)
{
    const QDir dir(folder);
    const QString mainPath = dir.filePath(fileName);
    const QString oldPath = dir.filePath(oldFileName);
    const QString newPath = dir.filePath(fileName + QStringLiteral(".new"));
    const QByteArray bytes = Codepage::encodeStoreText(buildText(memos, sveglie, decimalSeparator));

    // QSaveFile flushes the new text to disk before its commit returns.
    QSaveFile out(newPath);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return -11;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return -12;
    }
    if (!out.commit()) {
        QFile::remove(newPath);
        return -12;
    }

    std::error_code ec;
    if (QFile::exists(mainPath)) {
        // rename replaces Store_old.dat in one step, so it is never missing.
        std::filesystem::rename(fsPath(mainPath), fsPath(oldPath), ec);
        if (ec) {
            QFile::remove(newPath);
            return -1;
        }
    }
    std::filesystem::rename(fsPath(newPath), fsPath(mainPath), ec);
    if (ec)
        return -11; // Store_old.dat holds the previous store, and the reader falls back to it
    return 1;
}

int read(const QString& folder, bool fallback, MemoList& memos, SvegliaList& sveglie, QString& diagnostic)
{
    memos.clear();
    sveglie.clear();
    diagnostic.clear();
    const QDir dir(folder);
    const QString mainPath = dir.filePath(fileName);
    const QString oldPath = dir.filePath(oldFileName);
    if (!QFile::exists(mainPath) && !QFile::exists(oldPath))
        return 0;
    QByteArray bytes;
    const int r = Leggi_File(mainPath, bytes);
    if (r < 0) {
        if (!fallback)
            return r - 10;
        const int r2 = Leggi_File(oldPath, bytes);
        if (r2 < 0)
            return -20 + r2; // -21 open failed, -22 short read
    }
    return parseFileBytes(bytes, memos, sveglie, diagnostic);
}

int parseFileBytes(const QByteArray& bytes, MemoList& memos, SvegliaList& sveglie, QString& diagnostic)
{
    const Encoding enc = Codepage::isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
    return parseBytes(bytes, enc, memos, sveglie, diagnostic);
}

bool keepDamagedCopies(const QString& folder, const QDateTime& now)
{
    const QDir dir(folder);
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    bool ok = true;
    for (const QString& name : {fileName, oldFileName}) {
        const QString from = dir.filePath(name);
        if (!QFile::exists(from))
            continue;
        const QString base = QFileInfo(name).completeBaseName() + QStringLiteral("_damaged_") + stamp;
        QString to = dir.filePath(base + QStringLiteral(".dat"));
        for (int n = 2; QFile::exists(to); ++n)
            to = dir.filePath(base + u'_' + QString::number(n) + QStringLiteral(".dat"));
        ok = QFile::copy(from, to) && ok;
    }
    return ok;
}

} // namespace StoreFile
