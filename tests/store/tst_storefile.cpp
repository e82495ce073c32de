#include "SmallDisk.h"
#include "TestMain.h"
#include "state/AppState.h"
#include "store/Codepage.h"
#include "store/StoreFile.h"
#include "store/Ut.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

REC_Memo dentista()
{
    return REC_Memo{1, 1, QStringLiteral("Telefonare al dentista"), 1, 0, 1, 45366, 1, 0.4375, 2, -5};
}

REC_Sveglia riunione()
{
    return REC_Sveglia{2, 1, QStringLiteral("Riunione settimanale"), 2, DayNumbers::fromTime(QTime(7, 15)),
        QStringLiteral("-nessun suono-")};
}

QByteArray workedExample(char sep)
{
    QByteArray text = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Telefonare al dentista\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366\t#TOR:1"
                      "\t#_OR:0,4375\t#TAN:2\t#_AN:-5\r\n"
                      "#SVEGLIA#\t#TSV:2\t#_MS:Riunione settimanale\t#_GN:2\t#_AT:1\t#_OR:0,302083333333333"
                      "\t#_SN:-nessun suono-\r\n";
    text.replace(',', sep);
    return text;
}

QByteArray memoLine(int id, const char* extra = "")
{
    return "#MEMO#\t#_ID:" + QByteArray::number(id) + "\t#TME:1\t#_NT:memo " + QByteArray::number(id)
        + "\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366\t#TOR:1\t#_OR:0,5\t#TAN:2\t#_AN:-5" + extra + "\r\n";
}

QByteArray fileBytes(const QString& path)
{
    QByteArray data;
    Leggi_File(path, data);
    return data;
}

void put(const QString& path, const QByteArray& data)
{
    QVERIFY(Scrivi_File(path, data, false) == 1);
}

} // namespace

// What one read of the store gave.
struct Loaded {
    int result = 0;
    MemoList memos;
    SvegliaList sveglie;
    QString diag;
    StoreFile::ReadReport report;
};

struct FileRow {
    QString main, old;
    bool fallback;
    int result, memos;
};
struct ReadRow {
    QByteArray text;
    int result;
    QString diagnostic;
    int memos, sveglie;
    QList<int> lines = {};                                       // skipped
    StoreFile::CodePage codePage = StoreFile::CodePage::Unknown; // read as, with no history
};
struct KeptRow {
    QString main, old;
    int result;
    QStringList kept; // "copy" or "moved", per file
    int memos;
};
Q_DECLARE_METATYPE(FileRow)
Q_DECLARE_METATYPE(ReadRow)
Q_DECLARE_METATYPE(KeptRow)
Q_DECLARE_METATYPE(StoreFile::CodePage)

class TestStoreFile : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    QString mainPath() const
    {
        return dir->filePath(StoreFile::fileName);
    }
    QString oldPath() const
    {
        return dir->filePath(StoreFile::oldFileName);
    }
    // The store and the older one as a kind: "" missing, "empty", "line ends",
    // "damaged" (in its second line), "store", "zeros", "no good record", or "folder" (no file can be opened there; a
    // folder with content, which root cannot read either).
    void placeFiles(const QString& main, const QString& old) const
    {
        const QMap<QString, QByteArray> contents{{"empty", {}}, {"line ends", "\r\n\n"},
            {"damaged", memoLine(1) + QByteArray(memoLine(2)).replace("#_DT:45366", "#_DT:abc") + memoLine(3)},
            {"store", workedExample(',')}, {"zeros", QByteArray(64, '\0')},
            {"no good record", QByteArray(memoLine(1)).replace("#_ID:1", "#_ID:x")}};
        for (const auto& [path, kind] : {std::pair{mainPath(), main}, std::pair{oldPath(), old}}) {
            if (contents.contains(kind))
                put(path, contents[kind]);
            else if (kind == "folder")
                QVERIFY(QDir().mkpath(path + "/inside"));
        }
    }
    Loaded load(bool fallback = true) const
    {
        Loaded l;
        l.result = StoreFile::read(dir->path(), fallback, l.memos, l.sveglie, l.diag, &l.report);
        return l;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void writesWorkedExampleByteForByte_data()
    {
        QTest::addColumn<char>("sep");
        QTest::newRow("comma") << ',';
        QTest::newRow("dot") << '.';
    }
    void writesWorkedExampleByteForByte()
    {
        QFETCH(char, sep);
        QCOMPARE(StoreFile::write(dir->path(), {dentista()}, {riunione()}, QChar(sep)), 1);
        QCOMPARE(fileBytes(mainPath()), workedExample(sep));
        QVERIFY(!QFile::exists(oldPath()));
        QVERIFY(!QFile::exists(mainPath() + ".new"));

        const Loaded l = load();
        QCOMPARE(l.result, 1);
        QCOMPARE(l.memos, MemoList{dentista()});
        QCOMPARE(l.sveglie.size(), 1);
        QCOMPARE(DayNumbers::hoursMinutes(l.sveglie[0].Orario), 7 * 60 + 15);
        QCOMPARE(l.sveglie[0].Messaggio, riunione().Messaggio);
        QVERIFY(l.diag.isEmpty());
        // The next save keeps this one as the old store; empty lists make a 0-byte store.
        QCOMPARE(StoreFile::write(dir->path(), {}, {}, QChar(sep)), 1);
        QCOMPARE(fileBytes(oldPath()), workedExample(sep));
        QCOMPARE(QFileInfo(mainPath()).size(), 0);
    }

    // Which file is read, as the two files stand (placeFiles); the old one
    // read in place of the store is startUpKeepsWhatItCannotUse's.
    void whichFileIsRead_data()
    {
        QTest::addColumn<FileRow>("r");
        QTest::newRow("neither file") << FileRow{"", "", true, 0, 0};
        QTest::newRow("0-byte store") << FileRow{"empty", "", true, 1, 0};
        QTest::newRow("line ends only") << FileRow{"line ends", "store", true, 1, 0};
        QTest::newRow("no record in it: the old one") << FileRow{"zeros", "store", true, 1, 1};
        QTest::newRow("only the old one, no fallback") << FileRow{"", "store", false, -11, 0};
        QTest::newRow("unopenable, no fallback") << FileRow{"folder", "store", false, -11, 0};
        QTest::newRow("unopenable, old missing") << FileRow{"folder", "", true, -21, 0};
    }
    void whichFileIsRead()
    {
        QFETCH(FileRow, r);
        placeFiles(r.main, r.old);
        // Stale content goes whatever the result.
        MemoList m{dentista(), dentista()};
        SvegliaList s{riunione()};
        QString diag = "stale";
        QCOMPARE(StoreFile::read(dir->path(), r.fallback, m, s, diag), r.result);
        QCOMPARE(m.size(), r.memos);
        QCOMPARE(s.size(), r.memos);
        QVERIFY(diag.isEmpty());
    }

    // What a read gives: a damaged record is skipped, named by its number and
    // line, and the rest is read; anything else a record may hold around its
    // fields is passed over.
    void reading_data()
    {
        QTest::addColumn<ReadRow>("r");
        const QByteArray noAt = QByteArray(memoLine(3)).replace("\t#_AT:1", "");
        const QByteArray badDate = QByteArray(memoLine(1)).replace("#_DT:45366", "#_DT:abc");
        const QByteArray noSound = "#SVEGLIA#\t#TSV:1\t#_MS:m\t#_GN:1\t#_AT:1\t#_OR:0\r\n";
        const QString none = "Nessun record nel file";
        QTest::newRow("third memo lacks #_AT:") << ReadRow{memoLine(1) + memoLine(2) + noAt + workedExample(','), -1,
            "Errore sul Memo numero 3 esito=-14 riga=3", 3, 1, {3}};
        QTest::newRow("date abc") << ReadRow{badDate, -1, "Errore sul Memo numero 1 esito=-27 riga=1", 0, 0, {1}};
        QTest::newRow("id x") << ReadRow{QByteArray(memoLine(1)).replace("#_ID:1", "#_ID:x"), -1,
            "Errore sul Memo numero 1 esito=-21 riga=1", 0, 0, {1}};
        QTest::newRow("alarm without sound")
            << ReadRow{memoLine(1) + noSound, -2, "Errore sulla sveglia numero 1 esito=-16 riga=2", 1, 0, {2}};
        QTest::newRow("alarm bad time") << ReadRow{"#SVEGLIA#\t#TSV:1\t#_MS:m\t#_GN:1\t#_AT:1\t#_OR:x\t#_SN:s\r\n", -2,
            "Errore sulla sveglia numero 1 esito=-24 riga=1", 0, 0, {1}};
        // Lines counted as records end: CR LF, LF or CR; text between records counts.
        QTest::newRow("a memo and an alarm clock damaged, mixed line ends") << ReadRow{memoLine(1) + "garbage\n"
                + noSound + QByteArray(memoLine(2)).replace("\r\n", "\r") + badDate + workedExample(','),
            -1, "Errore sul Memo numero 3 esito=-27 riga=5\nErrore sulla sveglia numero 1 esito=-16 riga=3", 3, 1,
            {3, 5}};
        QTest::newRow("zeros left by a crash") << ReadRow{QByteArray(4096, '\0'), -3, none, 0, 0};
        QTest::newRow("a blank line") << ReadRow{" \r\n", -3, none, 0, 0};
        QTest::newRow("last line without CR LF") << ReadRow{memoLine(1) + memoLine(2).chopped(2), 1, "", 2, 0};
        QTest::newRow("fields in another order")
            << ReadRow{"#MEMO#\t#_AN:-5\t#TAN:2\t#_OR:0,4375\t#TOR:1\t#_DT:45366\t#TDT:1\t#_AT:1\t#_ES:0"
                       "\t#_NT:Telefonare al dentista\t#TME:1\t#_ID:1\r\n",
                   1, "", 1, 0};
        QTest::newRow("extra and repeated fields") << ReadRow{memoLine(1, "\t#XYZ:9\t#_ID:77"), 1, "", 1, 0};
        QTest::newRow("text between records") << ReadRow{"garbage\r\n" + memoLine(1) + "more garbage\r\n", 1, "", 1, 0};
        // Not one this program wrote (it breaks markers up in texts), but a hand-edited file's.
        QTest::newRow("an alarm clock's marker inside a memo's text")
            << ReadRow{QByteArray(memoLine(1)).replace("memo 1", "memo #SVEGLIA# 1"), -2,
                   "Errore sulla sveglia numero 1 esito=-11 riga=1", 1, 0, {1}};
        QTest::newRow("line feeds only") << ReadRow{
            QByteArray(memoLine(1) + memoLine(2)).replace("\r\n", "\n"), 1, "", 2, 0};
        // The alarm clocks are looked for where the memo walk did not read.
        QTest::newRow("an alarm clock's marker running into a memo's")
            << ReadRow{"#SVEGLIA" + memoLine(1), -2, "Errore sulla sveglia numero 1 esito=-11 riga=1", 1, 0, {1}};
        QTest::newRow("an alarm clock's marker inside a memo in another order")
            << ReadRow{"#MEMO#\t#_AN:-5\t#TAN:2\t#_OR:0,4375\t#TOR:1\t#_DT:45366\t#TDT:1\t#_AT:1\t#_ES:0"
                       "\t#_NT:Telefonare #SVEGLIA# al dentista\t#TME:1\t#_ID:1\r\n",
                   -2, "Errore sulla sveglia numero 1 esito=-11 riga=1", 1, 0, {1}};
        QTest::newRow("an alarm clock after text between records") << ReadRow{
            memoLine(1) + "garbage #SVEGLIA#\t#TSV:1\t#_MS:m\t#_GN:1\t#_AT:1\t#_OR:0\t#_SN:s\r\n" + memoLine(2), 1, "",
            2, 1};
        QTest::newRow("a byte beyond ASCII between records")
            << ReadRow{memoLine(1) + "\xe8\r\n" + memoLine(2), 1, "", 2, 0, {}, StoreFile::CodePage::Windows1252};
        // Read in parts, damage, alarm clocks and texts to decode fall in each.
        QTest::newRow("damage, an alarm clock and UTF-8 spread out") << ReadRow{memoLine(1) + badDate + memoLine(3)
                + "garbage #SVEGLIA#\t#TSV:1\t#_MS:m\t#_GN:1\t#_AT:1\t#_OR:0\t#_SN:s\n"
                + QByteArray(memoLine(4)).replace("memo", "memo \xc3\xa8")
                + QByteArray(memoLine(5)).replace("#_ID:5", "#_ID:x") + memoLine(6),
            -1, "Errore sul Memo numero 2 esito=-27 riga=2\nErrore sul Memo numero 5 esito=-21 riga=6", 4, 1, {2, 6},
            StoreFile::CodePage::Utf8};
    }
    void reading()
    {
        QFETCH(ReadRow, r);
        put(mainPath(), r.text);
        Loaded l;
        StoreFile::CodePage codePage = StoreFile::CodePage::Unknown;
        l.result = StoreFile::read(dir->path(), true, l.memos, l.sveglie, l.diag, &l.report, &codePage);
        QCOMPARE(codePage, r.codePage);
        QCOMPARE(l.result, r.result);
        QCOMPARE(l.diag, r.diagnostic);
        QCOMPARE(l.memos.size(), r.memos);
        QCOMPARE(l.sveglie.size(), r.sveglie);
        QCOMPARE(l.report.damagedLines, r.lines);
        QCOMPARE(l.report.bytes, r.text); // the base a later save joins with
        // Only whole records: none of 30/12/1899 made of a damaged one.
        for (const REC_Memo& m : l.memos) {
            QVERIFY(m.ID >= 1);
            QCOMPARE(m.Anticipo, -5);
            QCOMPARE(m.Data, 45366.0);
        }
        // A large store is read in parts at once; the parts give what one
        // reading from the start gives, numbers and lines included.
        for (int parts = 2; parts <= 4; ++parts) {
            Loaded p;
            QList<int> lines;
            StoreFile::CodePage partsCodePage = StoreFile::CodePage::Unknown;
            p.result
                = StoreFile::parseFileBytesInParts(r.text, parts, p.memos, p.sveglie, p.diag, &lines, &partsCodePage);
            QCOMPARE(p.result, l.result);
            QCOMPARE(p.diag, l.diag);
            QCOMPARE(lines, l.report.damagedLines);
            QCOMPARE(partsCodePage, codePage);
            QCOMPARE(p.memos, l.memos);
            QCOMPARE(p.sveglie, l.sveglie);
        }
    }

    // A memo as this program writes it is read by a quicker walk than one in
    // any other form; both must give the same values, bit for bit, and fail
    // alike. The second reading has a field the walk does not know added.
    void writtenFormReadAsAnyForm_data()
    {
        QTest::addColumn<QByteArrayList>("fields"); // #_ID: to #_AN:, in the written order
        QTest::addColumn<int>("result");            // of the record
        const QByteArrayList plain{"1", "1", "memo", "0", "1", "1", "45366", "1", "0,4375", "2", "-5"};
        const auto with = [&](int field, const QByteArray& value) {
            QByteArrayList f = plain;
            f[field] = value;
            return f;
        };
        QTest::newRow("plain") << plain << 1;
        QTest::newRow("largest id") << with(0, "2147483647") << 1;
        QTest::newRow("id beyond 32 bits") << with(0, "2147483648") << -21;
        QTest::newRow("smallest advance") << with(10, "-2147483648") << 1;
        QTest::newRow("advance beyond 32 bits") << with(10, "-2147483649") << -31;
        QTest::newRow("leading zeros") << with(0, "000000000012") << 1;
        QTest::newRow("plus sign") << with(1, "+3") << 1;
        QTest::newRow("blank before") << with(3, " 1") << 1;
        QTest::newRow("minus zero") << with(3, "-0") << 1;
        QTest::newRow("sign alone") << with(4, "-") << -24;
        QTest::newRow("last date") << with(5 + 1, "2958465") << 1;
        QTest::newRow("eight-digit date") << with(6, "12345678") << 1;
        QTest::newRow("date with a time") << with(6, "45366,75") << 1;
        QTest::newRow("date before 1899") << with(6, "-1") << 1;
        QTest::newRow("time at midnight") << with(8, "0") << 1;
        QTest::newRow("time as written, 15 digits") << with(8, "0,999988425925926") << 1;
        QTest::newRow("time with leading zeros") << with(8, "0,000694444444444444") << 1;
        QTest::newRow("time with a dot") << with(8, "0.5") << 1;
        QTest::newRow("time in exponent form") << with(8, "5,78703703703704E-6") << 1;
        QTest::newRow("time of 23 digits") << with(8, "0,12345678901234567890123") << 1;
        QTest::newRow("time with separator only") << with(8, "0,") << 1;
        QTest::newRow("time beyond a day") << with(8, "1,25") << 1;
        QTest::newRow("negative time") << with(8, "-0,25") << 1;
        QTest::newRow("time with blanks") << with(8, "0,25 ") << 1;
        QTest::newRow("time not a number") << with(8, "0,2x") << -29;
        QTest::newRow("empty text") << with(2, "") << 1;
        QTest::newRow("text beyond ASCII") << with(2, "Perch\xc3\xa9 no") << 1;
        QTest::newRow("control character in text") << with(2,
            "a\x01"
            "b\x0b"
            "c") << 1;
        QTest::newRow("line end in text") << with(2, "first\rsecond") << -14;
        QTest::newRow("long text") << with(2, QByteArray(300, 'x')) << 1;
        QTest::newRow("text longer than a quarter block") << with(2, QByteArray(9000, 'x')) << 1;
    }
    void writtenFormReadAsAnyForm()
    {
        QFETCH(QByteArrayList, fields);
        QFETCH(int, result);
        static const char* tags[]
            = {"#_ID:", "#TME:", "#_NT:", "#_ES:", "#_AT:", "#TDT:", "#_DT:", "#TOR:", "#_OR:", "#TAN:", "#_AN:"};
        QByteArray line = "#MEMO#";
        for (int i = 0; i < 11; ++i)
            line += '\t' + QByteArray(tags[i]) + fields[i];
        // The last record of a file, and one followed by another.
        for (const QByteArray& after : {QByteArray("\r\n"), QByteArray("\r\n") + memoLine(9)}) {
            MemoList written, other;
            SvegliaList sveglie;
            QString diag, otherDiag;
            QCOMPARE(StoreFile::parseFileBytes(line + after, written, sveglie, diag), result == 1 ? 1 : -1);
            QCOMPARE(
                StoreFile::parseFileBytes(line + "\t#XYZ:1" + after, other, sveglie, otherDiag), result == 1 ? 1 : -1);
            QCOMPARE(diag, otherDiag);
            QCOMPARE(
                diag, result == 1 ? QString() : QStringLiteral("Errore sul Memo numero 1 esito=%1 riga=1").arg(result));
            QCOMPARE(written.size(), other.size());
            for (qsizetype i = 0; i < written.size(); ++i) {
                const REC_Memo &a = written[i], &b = other[i];
                QCOMPARE(a, b);
                QCOMPARE(std::bit_cast<quint64>(a.Data), std::bit_cast<quint64>(b.Data));
                QCOMPARE(std::bit_cast<quint64>(a.Orario), std::bit_cast<quint64>(b.Orario));
            }
            if (result == 1)
                QCOMPARE(written[0].Nota, QString::fromUtf8(fields[2]));
        }
    }

    // The texts of a read are shared out of one block, yet each behaves as a
    // string of its own: changed alone, terminated, kept as long as it is held,
    // from any thread.
    void textsOfARead()
    {
        const QByteArray text = memoLine(1) + memoLine(2) + QByteArray(memoLine(3)).replace("memo 3", "memo \xc3\xa8 3")
            + "#SVEGLIA#\t#TSV:1\t#_MS:sveglia\t#_GN:1\t#_AT:1\t#_OR:0\t#_SN:suono\r\n";
        MemoList memos;
        SvegliaList sveglie;
        QString diag;
        QCOMPARE(StoreFile::parseFileBytes(text, memos, sveglie, diag), 1);
        QList<QString*> texts;
        for (REC_Memo& m : memos)
            texts << &m.Nota;
        texts << &sveglie[0].Messaggio << &sveglie[0].Suono;
        QStringList read;
        for (const QString* t : texts) {
            QCOMPARE(t->utf16()[t->size()], u'\0');
            read << *t;
        }
        QCOMPARE(read, QStringList({"memo 1", "memo 2", QString::fromUtf8("memo è 3"), "sveglia", "suono"}));
        memos[0].Nota.append(" changed");
        memos[1].Nota[0] = u'M';
        sveglie[0].Messaggio.chop(1);
        QCOMPARE(memos[0].Nota, QString("memo 1 changed"));
        QCOMPARE(memos[1].Nota, QString("Memo 2"));
        QCOMPARE(memos[2].Nota, QString::fromUtf8("memo è 3"));
        QCOMPARE(sveglie[0].Messaggio, QString("svegli"));
        QCOMPARE(sveglie[0].Suono, QString("suono"));
        for (const QString* t : texts)
            QCOMPARE(t->utf16()[t->size()], u'\0');

        read.clear();
        QString kept = sveglie[0].Suono;
        QString handed = memos[2].Nota;
        QString there;
        std::thread other([copy = handed, &there]() mutable {
            copy.append(" there");
            there = copy;
        });
        memos.clear();
        sveglie.clear();
        other.join();
        QCOMPARE(there, QString::fromUtf8("memo è 3 there"));
        QCOMPARE(handed, QString::fromUtf8("memo è 3"));
        QVERIFY(!kept.isDetached()); // handed still shares the block
        handed.clear();
        QVERIFY(kept.isDetached()); // the last owner: no reference left over
        kept.append(QString(500, u'x'));
        QCOMPARE(kept, "suono" + QString(500, u'x'));
        QCOMPARE(kept.utf16()[kept.size()], u'\0');

        // Texts of many blocks: each block let go with its last text.
        QByteArray many;
        for (int i = 1; i <= 3000; ++i)
            many += QByteArray(memoLine(i)).replace("memo ", QByteArray(40, 'm'));
        QCOMPARE(StoreFile::parseFileBytes(many, memos, sveglie, diag), 1);
        QCOMPARE(memos.size(), 3000);
        const QString first = memos.first().Nota, last = memos.last().Nota;
        QCOMPARE(last, QByteArray(40, 'm') + "3000");
        memos.clear();
        QVERIFY(first.isDetached());
        QVERIFY(last.isDetached());
    }

    // Only the whole date and the time's fraction are written; kinds the
    // program does not know survive; an odd locale separator falls back to
    // one the reader takes (Arabic locales use U+066B).
    void writtenValues()
    {
        REC_Memo m{1, 7, "x", 5, 0, -3, 45366.75, 1, 1.25, 42, -5};
        REC_Sveglia s = riunione();
        s.Orario = 1.5; // a new alarm made after 23:00
        QCOMPARE(StoreFile::write(dir->path(), {m}, {s}, QChar(0x066B)), 1);
        const QByteArray bytes = fileBytes(mainPath());
        for (const char* piece : {"\t#_DT:45366\t", "\t#_OR:0.25\t", "\t#_OR:0.5\t#_SN:", "#TME:7\t", "#TAN:42\t"})
            QVERIFY2(bytes.contains(piece), piece);
        m.Data = 45366;
        m.Orario = 0.25;
        QCOMPARE(load().memos, MemoList{m});
    }

    // Text that would break the format is made harmless; text the code page
    // cannot hold, or whose code-page bytes would read as UTF-8, is written in
    // UTF-8 (code-page text is windowsFileRoundTrip's).
    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("tab") << QString("a\tb") << QString("a b");
        QTest::newRow("line breaks") << QString("a\r\nb\nc\rd") << QString("a  b c d");
        QTest::newRow("memo marker") << QString("x#MEMO#y") << QString("x MEMO y");
        QTest::newRow("alarm marker") << QString("#SVEGLIA#") << QString(" SVEGLIA ");
        QTest::newRow("overlapping markers") << QString("#MEMO#MEMO#") << QString(" MEMO MEMO#");
        QTest::newRow("tag lookalike") << QString("\t#_ID:99") << QString(" #_ID:99");
        QTest::newRow("plain hash kept") << QString("#1 priority") << QString("#1 priority");
        const QString utf8Looking = QString::fromUtf8("Ã© una prova"), beyond = QString::fromUtf8("Встреча 会議 ✓");
        QTest::newRow("code-page bytes that look like UTF-8") << utf8Looking << utf8Looking;
        QTest::newRow("beyond the code page") << beyond << beyond;
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        REC_Memo m = dentista();
        m.Nota = text;
        REC_Memo m2 = dentista();
        m2.ID = 2;
        REC_Sveglia s = riunione();
        s.Messaggio = text;
        s.Suono = text;
        QCOMPARE(StoreFile::write(dir->path(), {m, m2}, {s}, u','), 1);
        QVERIFY(fileBytes(mainPath()).contains(stored.toUtf8()));
        const Loaded l = load();
        QCOMPARE(l.result, 1);
        QCOMPARE(l.memos.size(), 2);
        QCOMPARE(l.sveglie.size(), 1);
        QCOMPARE(l.memos[0].Nota, stored);
        QCOMPARE(l.memos[0].Anticipo, -5);
        QCOMPARE(l.memos[1].ID, 2);
        QCOMPARE(l.sveglie[0].Messaggio, stored);
        QCOMPARE(l.sveglie[0].Suono, stored);
    }

    // A Windows file reads in its code page and is written back byte for byte,
    // the five bytes the code page leaves undefined included.
    void windowsFileRoundTrip()
    {
        QByteArray every;
        for (int b = 0x80; b < 0x100; ++b)
            every += char(b);
        const QByteArray text = "#MEMO#\t#_ID:1\t#TME:1\t#_NT:Perch\xe9 " + every
            + "\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45366\t#TOR:1\t#_OR:0,4375\t#TAN:2\t#_AN:-5\r\n";
        put(mainPath(), text);
        const Loaded l = load();
        QCOMPARE(l.result, 1);
        QVERIFY(l.memos[0].Nota.startsWith(QString::fromUtf8("Perché €\u0081‚")));
        QCOMPARE(StoreFile::write(dir->path(), l.memos, {}, u','), 1);
        QCOMPARE(fileBytes(mainPath()), text);
    }

    // Bytes that read both ways follow the file's history: a store this copy
    // last wrote in Windows-1252 is read and written back so, where its UTF-8
    // reading is one the code page's capitals followed by punctuation make;
    // a converted or UTF-8-typed text ("è", an emoji) stays UTF-8.
    void codePageByHistory_data()
    {
        using C = StoreFile::CodePage;
        QTest::addColumn<QByteArray>("note");
        QTest::addColumn<C>("history");
        QTest::addColumn<QString>("read");
        QTest::addColumn<C>("found");
        QTest::addColumn<bool>("same"); // written back byte for byte
        const QByteArray perche = "PERCH\xc8\x85";
        QTest::newRow("È… in a code-page file")
            << perche << C::Windows1252 << QString::fromUtf8("PERCHÈ…") << C::Windows1252 << true;
        QTest::newRow("the same bytes, no history")
            << perche << C::Unknown << QString::fromUtf8(perche) << C::Utf8 << true;
        QTest::newRow("É” in a code-page file")
            << QByteArray("CITT\xc9\x94") << C::Windows1252 << QString::fromUtf8("CITTÉ”") << C::Windows1252 << true;
        QTest::newRow("è…” in a code-page file") << QByteArray("Non \xe8\x85\x94") << C::Windows1252
                                                 << QString::fromUtf8("Non è…”") << C::Windows1252 << true;
        QTest::newRow("a byte UTF-8 lacks, UTF-8 history")
            << perche + " 5\x80" << C::Utf8 << QString::fromUtf8("PERCHÈ… 5€") << C::Windows1252 << true;
        QTest::newRow("converted to UTF-8 by an editor") << QByteArray("perch\xc3\xa9 \xe2\x80\xa6") << C::Windows1252
                                                         << QString::fromUtf8("perché …") << C::Utf8 << false;
        QTest::newRow("an emoji typed in a UTF-8 editor")
            << QByteArray("caff\xc3\xa8 \xf0\x9f\x98\x80") << C::Windows1252 << QString::fromUtf8("caffè 😀") << C::Utf8
            << true;
        QTest::newRow("ASCII keeps the history")
            << QByteArray("plain") << C::Windows1252 << QString("plain") << C::Windows1252 << true;
    }
    void codePageByHistory()
    {
        QFETCH(QByteArray, note);
        QFETCH(StoreFile::CodePage, history);
        QFETCH(QString, read);
        QFETCH(StoreFile::CodePage, found);
        QFETCH(bool, same);
        const QByteArray text = QByteArray(memoLine(1)).replace("memo 1", note);
        put(mainPath(), text);
        MemoList memos;
        SvegliaList sveglie;
        QString diag;
        StoreFile::CodePage codePage = history;
        QCOMPARE(StoreFile::read(dir->path(), false, memos, sveglie, diag, nullptr, &codePage), 1);
        QCOMPARE(memos.value(0).Nota, read);
        QCOMPARE(codePage, found);
        QCOMPARE(StoreFile::write(dir->path(), memos, sveglie, u',', {}, nullptr, &codePage), 1);
        QCOMPARE(fileBytes(mainPath()) == text, same);
        memos.clear();
        QCOMPARE(StoreFile::read(dir->path(), false, memos, sveglie, diag, nullptr, &codePage), 1);
        QCOMPARE(memos.value(0).Nota, read);
    }

    // A save that fails at any step, or on a real full disk (no byte left,
    // then 4 KB: the store of about 6 KB fits in neither), keeps both files
    // as they were, twice running; failing to keep the old one is no failure.
    // Once it can, the next save keeps the store it replaces.
    void failedSaveChangesNothing_data()
    {
        using S = StoreFile::SaveStep;
        QTest::addColumn<int>("step"); // a SaveStep, or -1: the full disk with free bytes left
        QTest::addColumn<qint64>("free");
        QTest::addColumn<int>("result");
        QTest::newRow("create") << int(S::Create) << 0LL << -11;
        QTest::newRow("write") << int(S::Write) << 0LL << -12;
        QTest::newRow("flush") << int(S::Flush) << 0LL << -12;
        QTest::newRow("sync") << int(S::Sync) << 0LL << -12;
        QTest::newRow("close") << int(S::Close) << 0LL << -12;
        QTest::newRow("size on disk") << int(S::SizeCheck) << 0LL << -12;
        QTest::newRow("replace") << int(S::Replace) << 0LL << -11;
        QTest::newRow("keep the old one") << int(S::KeepOld) << 0LL << 1;
        QTest::newRow("full disk") << -1 << 0LL << -12;
        QTest::newRow("4 KB left") << -1 << 4096LL << -12;
    }
    void failedSaveChangesNothing()
    {
        QFETCH(int, step);
        QFETCH(qint64, free);
        QFETCH(int, result);
        SmallDisk disk(256);
        if (step < 0 && !disk.mounted())
            QSKIP("needs root to mount a small tmpfs");
        const QDir folder(step < 0 ? disk.path() : dir->path());
        const auto bytesOf = [&](const QString& name) { return fileBytes(folder.filePath(name)); };
        put(folder.filePath(StoreFile::fileName), workedExample(','));
        put(folder.filePath(StoreFile::oldFileName), memoLine(7));
        MemoList memos;
        for (int i = 1; i <= 60; ++i)
            memos.append(REC_Memo{i, 1, QString("memo %1").arg(i), 0, 1, 1, 45366, 1, 0.5, 2, -5});
        if (step < 0) {
            disk.fill();
            disk.freeUp(free);
        }
        const auto failAt = [step](StoreFile::SaveStep s) { return int(s) == step; };
        for (int save = 0; save < 2; ++save)
            QCOMPARE(StoreFile::write(folder.path(), memos, {}, u',', failAt), result);
        QCOMPARE(bytesOf(StoreFile::fileName) == workedExample(','), result != 1);
        QCOMPARE(bytesOf(StoreFile::oldFileName), memoLine(7));
        QCOMPARE(folder.entryList({"Store*"}, QDir::Files).size(), 2);

        disk.empty();
        const QByteArray store = bytesOf(StoreFile::fileName);
        QCOMPARE(StoreFile::write(folder.path(), memos, {}, u','), 1);
        QCOMPARE(bytesOf(StoreFile::oldFileName), store);
    }

    void linkStaysALinkAndModeStays()
    {
        QVERIFY(QDir(dir->path()).mkdir("synced"));
        const QString real = dir->filePath("synced/real.dat");
        put(real, memoLine(1));
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link("synced/real.dat", mainPath()));
        QCOMPARE(StoreFile::write(dir->path(), {dentista()}, {}, u','), 1);
        QCOMPARE(StoreFile::write(dir->path(), {dentista()}, {riunione()}, u','), 1);
        QVERIFY(QFileInfo(mainPath()).isSymLink());
        QCOMPARE(fileBytes(real), workedExample(','));
        QCOMPARE(QFile::permissions(real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        const QByteArray first = workedExample(',');
        QCOMPARE(fileBytes(oldPath()), first.left(first.indexOf("#SVEGLIA#"))); // the previous one, a plain file
        QVERIFY(!QFileInfo(oldPath()).isSymLink());
        QVERIFY(!QFile::exists(real + ".new"));
    }

    // Memos are private: a first store, its backups and a data folder made for
    // them are the owner's alone, an existing store keeps its mode, and a link
    // planted where a temporary file goes is removed, never written through.
    void newFilesPrivatePlantedLinksNotFollowed()
    {
        const auto mode = [](const QString& path) {
            const QFileDevice::Permissions all = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
            return QFile::permissions(path) & all;
        };
        const QFileDevice::Permissions rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        AppState state;
        state.folders.data = dir->filePath("data");
        const QString store = state.folders.data + "/" + StoreFile::fileName;
        const QString backups = state.folders.data + "/Backup";
        state.ArrMemo = {dentista()};
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 6)), 1);
        QCOMPARE(mode(state.folders.data), rw | QFileDevice::ExeOwner);
        QCOMPARE(mode(store), rw);

        const QString victim = dir->filePath("victim.txt");
        put(victim, "not the store's");
        QVERIFY(QDir().mkpath(backups));
        QVERIFY(QFile::link(victim, store + ".new"));
        QVERIFY(QFile::link(victim, backups + "/Store_2026-12-07.dat.new"));
        QVERIFY(QFile::setPermissions(store, rw | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        state.ArrMemo[0].Nota = "after the links";
        QCOMPARE(state.writeStore(u',', QDate(2026, 12, 7)), 1);
        QCOMPARE(fileBytes(victim), QByteArray("not the store's"));
        QVERIFY(!QFileInfo(store).isSymLink() && fileBytes(store).contains("after the links"));
        QCOMPARE(mode(store), rw | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const QString copy = backups + "/Store_2026-12-07.dat";
        QVERIFY(!QFileInfo(copy).isSymLink() && fileBytes(copy).contains(dentista().Nota.toUtf8()));
        QCOMPARE(mode(copy), rw);
        QVERIFY(!QFileInfo(store + ".new").isSymLink() && !QFileInfo(copy + ".new").isSymLink());
    }

    // Another user on the machine, watching a data folder and a Backup folder
    // that let everyone in (folders made by hand, which keep their mode),
    // never opens a store file, a backup or a temporary one during 200 saves
    // over 20 days. A file open to all is read, so the watcher does read.
    void anotherUserReadsNoSave()
    {
        if (::geteuid() != 0)
            QSKIP("needs root, to watch as another user");
        const QString data = dir->filePath("data");
        QVERIFY(QDir().mkpath(data + "/Backup"));
        const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
        for (const QString& folder : {dir->path(), data, data + "/Backup"})
            QVERIFY(QFile::setPermissions(folder, open));
        put(data + "/open to all", "x");
        QVERIFY(QFile::setPermissions(data + "/open to all", open));

        QProcess watcher;
        watcher.setProcessChannelMode(QProcess::MergedChannels);
        const QString loop = R"(n=0; seen=
while [ ! -e "$1/stop" ]; do
  n=$((n+1))
  for f in "$1"/Store* "$1"/Backup/Store*; do cat "$f" >/dev/null 2>&1 && echo "read $f"; done
  [ -z "$seen" ] && cat "$1/open to all" >/dev/null 2>&1 && seen=1 && echo "read open to all"
done
echo "rounds $n")";
        watcher.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "sh", "-c", loop, "sh", data});
        QVERIFY(watcher.waitForStarted());
        // Watching before the first save.
        QVERIFY(QTest::qWaitFor(
            [&] { return watcher.canReadLine() || (watcher.waitForReadyRead(100) && watcher.canReadLine()); }, 10000));
        QCOMPARE(watcher.readLine().trimmed(), QByteArray("read open to all"));
        AppState state;
        state.folders.data = data;
        state.ArrMemo = {dentista()};
        for (int save = 0; save < 200; ++save) {
            state.ArrMemo[0].Nota = QStringLiteral("save %1").arg(save);
            QCOMPARE(state.writeStore(u',', QDate(2026, 11, 1).addDays(save / 10)), 1);
        }
        put(data + "/stop", "");
        QVERIFY(watcher.waitForFinished(10000));
        // Only the count of its rounds, however few a busy machine gives it.
        const QStringList lines = QString::fromUtf8(watcher.readAll()).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == 1 && lines[0].startsWith("rounds "), qPrintable(lines.join(", ")));
        QCOMPARE(QDir(data + "/Backup").entryList(QDir::Files).size(), 14);
    }

    // Another program changes Store.dat between two saves: what it added,
    // changed and deleted is taken in, a record changed on both sides is kept
    // twice, a file that cannot be joined is kept whole, and a file gone or a
    // pipe in its place loses nothing; no change outside takes nothing in.
    void outsideChangesTakenIn()
    {
        const auto replace = [](const QString& path, const QByteArray& from, const QByteArray& to) {
            QByteArray bytes = fileBytes(path);
            bytes.replace(from, to);
            QFile::remove(path);
            put(path, bytes);
        };
        const struct {
            const char* name;
            std::function<void(const QString&)> outside;
            QString ours; // memo 1's new text, if any
            QStringList notes;
            int sveglie;
            bool taken, copyKept;
            int result;
        } rows[] = {
            {"nothing changed outside", [](const QString&) {}, "ours", {"ours", "memo 2", "memo 3"}, 0, false, false,
                1},
            {"added outside", [](const QString& p) { put(p, fileBytes(p) + memoLine(4)); }, {},
                {"memo 1", "memo 2", "memo 3", "memo 4"}, 0, true, false, 1},
            {"alarm clock added outside",
                [](const QString& p) {
                    put(p, fileBytes(p) + "#SVEGLIA#\t#TSV:1\t#_MS:m\t#_GN:1\t#_AT:1\t#_OR:0\t#_SN:s\r\n");
                },
                "ours", {"ours", "memo 2", "memo 3"}, 1, true, false, 1},
            {"changed outside", [&](const QString& p) { replace(p, "memo 2", "memo 2 outside"); }, "ours",
                {"ours", "memo 3", "memo 2 outside"}, 0, true, false, 1},
            {"deleted outside", [&](const QString& p) { replace(p, memoLine(3), ""); }, "ours", {"ours", "memo 2"}, 0,
                true, false, 1},
            {"changed on both sides", [&](const QString& p) { replace(p, "memo 1", "memo 1 outside"); }, "ours",
                {"ours", "memo 2", "memo 3", "memo 1 outside"}, 0, true, false, 1},
            {"unreadable outside", [](const QString& p) { put(p, "not a store at all"); }, "ours",
                {"ours", "memo 2", "memo 3"}, 0, true, true, 1},
            {"removed outside", [](const QString& p) { QFile::remove(p); }, "ours", {"ours", "memo 2", "memo 3"}, 0,
                true, false, 1},
            {"a pipe in its place",
                [](const QString& p) { QFile::remove(p) && ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; },
                "ours", {"ours", "memo 2", "memo 3"}, 0, true, false, 1},
            {"a folder in its place", [](const QString& p) { QFile::remove(p) && QDir().mkpath(p + "/inside"); },
                "ours", {"ours", "memo 2", "memo 3"}, 0, true, false, -11},
        };
        // Against the file as this copy last wrote it, and as it read it at
        // start, kept whole and then packed as the start-up's end does.
        for (const auto& r : rows)
            for (const bool ownSaves : {true, false}) {
                init();
                put(mainPath(), memoLine(1) + memoLine(2) + memoLine(3));
                AppState state;
                state.folders.data = dir->path();
                QString diagnostic;
                QCOMPARE(state.readStore(diagnostic, QDateTime(QDate(2026, 12, 6), QTime(9, 0))), 1);
                if (ownSaves) {
                    state.ArrMemo[0].Nota = "before";
                    QCOMPARE(state.writeStore(u',', QDate(2026, 12, 6), QTime(9, 1)), 1); // this copy's own save
                    state.ArrMemo[0].Nota = "memo 1";
                    QCOMPARE(state.writeStore(u',', QDate(2026, 12, 6), QTime(9, 2)), 1);
                } else {
                    state.packStoreOnDisk();
                }
                QVERIFY(!state.storeChangedOutside());
                QVERIFY(!state.outsideChangesTaken);
                r.outside(mainPath());
                if (!r.ours.isEmpty())
                    state.ArrMemo[0].Nota = r.ours;
                QCOMPARE(state.writeStore(u',', QDate(2026, 12, 6), QTime(9, 3)), r.result);
                QVERIFY2(state.outsideChangesTaken == r.taken, r.name);
                QStringList notes;
                for (const REC_Memo& m : std::as_const(state.ArrMemo))
                    notes << m.Nota;
                QCOMPARE(notes, r.notes);
                QCOMPARE(state.ArrSveglie.size(), r.sveglie);
                if (r.result == 1) {
                    QCOMPARE(load().memos.size(), r.notes.size());
                    QCOMPARE(load().memos.last().Nota, r.notes.last());
                }
                QVERIFY2(state.outsideCopy.isEmpty() != r.copyKept, r.name);
                if (r.copyKept)
                    QCOMPARE(fileBytes(state.outsideCopy), QByteArray("not a store at all"));
            }
    }

    // Start-up keeps every file it could not use, at once and once, by a copy
    // or, when the file cannot be read, by renaming it; saves never wait for it.
    // A folder in place of a file is what root cannot read either.
    void startUpKeepsWhatItCannotUse_data()
    {
        QTest::addColumn<KeptRow>("r");
        QTest::newRow("damaged store, intact old one") << KeptRow{"damaged", "store", -1, {"copy"}, 2};
        QTest::newRow("unreadable store, older list read") << KeptRow{"folder", "store", 1, {"moved"}, 1};
        QTest::newRow("unreadable store, damaged old one") << KeptRow{"folder", "damaged", -1, {"moved", "copy"}, 2};
        QTest::newRow("no record in the store, older list read") << KeptRow{"zeros", "store", 1, {"copy"}, 1};
        QTest::newRow("no good record in the store, older list read")
            << KeptRow{"no good record", "store", 1, {"copy"}, 1};
        QTest::newRow("both unreadable") << KeptRow{"folder", "folder", -21, {"moved", "moved"}, 0};
        QTest::newRow("only the old one: nothing damaged") << KeptRow{"", "store", 1, {}, 1};
    }
    void startUpKeepsWhatItCannotUse()
    {
        QFETCH(KeptRow, r);
        placeFiles(r.main, r.old);
        AppState state;
        state.folders.data = dir->path();
        QString diag;
        const QDateTime now(QDate(2026, 12, 6), QTime(9, 15, 30));
        QCOMPARE(state.readStore(diag, now), r.result);
        QCOMPARE(state.ArrMemo.size(), r.memos);
        QCOMPARE(state.damagedLines, r.result == -1 ? QList<int>{2} : QList<int>{});
        const bool oldRead = QStringList{"", "folder", "zeros", "no good record"}.contains(r.main);
        QCOMPARE(state.damagedStoreFile, r.result <= -21 ? "" : oldRead ? "Store_old.dat" : "Store.dat");
        QCOMPARE(state.storeDamaged, !r.kept.isEmpty());
        QCOMPARE(state.keptDamagedFiles.size(), r.kept.size());
        const QStringList names{StoreFile::fileName, StoreFile::oldFileName};
        for (int i = 0; i < r.kept.size(); ++i) {
            const QString base = QFileInfo(names[i]).completeBaseName();
            QCOMPARE(state.keptDamagedFiles[i], dir->filePath(base + "_damaged_20261206-091530.dat"));
            QCOMPARE(QFileInfo::exists(dir->filePath(names[i])), r.kept[i] == "copy");
        }
        // Saves go ahead at once, and keep nothing more.
        for (int save = 0; save < 3; ++save)
            QCOMPARE(state.writeStore(u',', now.date()), 1);
        QCOMPARE(QDir(dir->path()).entryList({"*damaged*"}, QDir::AllEntries).size(), r.kept.size());
        const Loaded saved = load();
        QCOMPARE(saved.result, 1);
        QCOMPARE(saved.memos, state.ArrMemo);
        // Every good record, the third memo of a damaged store too, and no
        // memo of 30/12/1899 made of the damaged one.
        for (const REC_Memo& m : saved.memos)
            QCOMPARE(m.Data, 45366.0);
        if (r.memos > 0)
            QCOMPARE(saved.memos.last().ID, r.result == -1 ? 3 : 1);
    }

    // A Qt without ICU has no Windows-1252 converter: a store in that code
    // page is not read (Qt would give every text empty) nor written over; the
    // writer keeps to UTF-8, which loses nothing.
    void codePageMissing()
    {
        const QByteArray windows = QByteArray(memoLine(1)).replace("memo 1", "Perch\xe9");
        put(mainPath(), windows);
        Codepage::setConverterNameForTests("no-such-code-page");
        const auto restore = qScopeGuard([] { Codepage::setConverterNameForTests(nullptr); });
        AppState state;
        state.folders.data = dir->path();
        QString diag;
        QCOMPARE(state.readStore(diag, QDateTime::currentDateTime()), -4);
        QVERIFY(state.ArrMemo.isEmpty() && state.storeUnconvertible && !state.storeDamaged);
        state.ArrMemo = {dentista()};
        QVERIFY(state.writeStore(u',', QDate::currentDate()) < 0);
        QCOMPARE(fileBytes(mainPath()), windows);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{StoreFile::fileName});

        REC_Memo accented = dentista();
        accented.Nota = QString::fromUtf8("Perché");
        QVERIFY(StoreFile::buildBytes({accented}, {}, u',').contains("Perch\xc3\xa9"));
    }

    // Saves on 6, 6 and 7 December over 13 older dated copies and a file not
    // ours: the first save of each day keeps the store it replaces, the oldest
    // copy goes, nothing else. A Backup that cannot be written (a file in its
    // place, which stops root too) holds up no save and is tried again.
    void dailyBackups()
    {
        QDir backups(dir->filePath("Backup"));
        const auto copyOf = [&](int d) {
            return backups.filePath("Store_" + QDate(2026, 12, 6).addDays(d).toString(Qt::ISODate) + ".dat");
        };
        QVERIFY(QDir().mkpath(backups.path()));
        put(backups.filePath("Store_2000-13-01.dat"), "not ours: no such date");
        put(backups.filePath("Store_1999-1-011.dat"), "not ours: not our form of a date");
        for (int d = -13; d < 0; ++d)
            put(copyOf(d), "old");
        put(mainPath(), "first");
        AppState state;
        state.folders.data = dir->path();
        state.ArrMemo = {dentista()};
        int saves = 0;
        const auto saveOn = [&](int d) {
            state.ArrMemo[0].Nota = QStringLiteral("save %1").arg(++saves);
            return state.writeStore(u',', QDate(2026, 12, 6).addDays(d)) == 1
                && fileBytes(mainPath()).contains(state.ArrMemo[0].Nota.toUtf8());
        };
        QVERIFY(saveOn(0) && saveOn(0) && saveOn(1));
        QCOMPARE(backups.entryList({"Store_*.dat"}).size(), 14 + 2);
        QVERIFY(QFile::exists(backups.filePath("Store_1999-1-011.dat")));
        QCOMPARE(fileBytes(copyOf(0)), QByteArray("first"));
        QVERIFY(fileBytes(copyOf(1)).contains("save 2"));
        QVERIFY(!QFile::exists(copyOf(-13)) && QFile::exists(copyOf(-12)));

        QVERIFY(backups.removeRecursively());
        put(backups.path(), "in the way");
        QVERIFY(saveOn(2));
        QVERIFY(QFile::remove(backups.path()));
        QVERIFY(saveOn(2));
        QVERIFY(fileBytes(copyOf(2)).contains("save 4"));
    }
};

BRIVO_REGISTER_TEST(TestStoreFile)
#include "tst_storefile.moc"
