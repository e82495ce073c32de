#pragma once

#include "store/Global.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// The store file: every memo and alarm clock, one record a line.
namespace StoreFile {

inline const QString fileName = QStringLiteral("Store.dat");
inline const QString oldFileName = QStringLiteral("Store_old.dat");

// How this copy last wrote (or read) a store holding more than ASCII: its
// history, which decides text whose bytes read both ways. Kept with the
// settings (codePageName) so it outlives the run.
enum class CodePage { Unknown, Utf8, Windows1252 };
QString codePageName(CodePage codePage);
CodePage codePageNamed(const QString& name);

// The whole text of a store, CR LF after every record. Values are written
// with the given decimal separator; tabs, line breaks and record markers
// inside a text are broken up so they cannot split or invent records.
// The file's bytes are Windows-1252 when every character fits and the bytes
// read back so (not UTF-8, or a file this copy last wrote in the code page,
// see Codepage::readAsWindows1252), otherwise UTF-8 without a byte-order
// mark. codePage, when given, is the history going in and what was written
// coming out (unchanged for ASCII).
QByteArray buildBytes(
    const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator, CodePage* codePage = nullptr);
QString cleanValue(const QString& value);

// Parses the bytes of a store file: UTF-8 when valid, else Windows-1252, and
// Windows-1252 also where codePage (the history going in, what the file was
// read as coming out) says the file was last written so and its UTF-8
// reading is one that code page's text makes.
// A damaged record costs only itself: it is skipped and the rest is read.
// 1 = read; -1 = a memo was skipped; -2 = an alarm clock was skipped (and no
// memo); the diagnostic has a line per skipped record with its number, its
// result (-10 - n for tag n missing, -20 - n for tag n not a number) and its
// line; damagedLines gets those lines, 1-based, ascending. -3 when a file
// that holds more than line ends has not one record: it is damaged, not an
// empty store. -4 when the file is Windows-1252 and this build cannot
// convert it: nothing is read rather than every text read as empty.
int parseFileBytes(QByteArrayView bytes, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    QList<int>* damagedLines = nullptr, CodePage* codePage = nullptr);
// The same with the memos read in up to parts parts at once, each on a
// thread of its own; parseFileBytes reads a small file in one part and a
// large one in one a core.
int parseFileBytesInParts(QByteArrayView bytes, int parts, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    QList<int>* damagedLines = nullptr, CodePage* codePage = nullptr);

// The file-system steps of a save, in order. Tests fail a chosen one.
enum class SaveStep { Create, Write, Flush, Sync, Close, SizeCheck, KeepOld, Replace };
using SaveFaults = std::function<bool(SaveStep)>; // true: this step fails

// Writes Store.dat in folder, keeping the previous one as Store_old.dat.
// The new text goes to a temporary file beside the real store (the file a
// link points to: the link stays), made new with the store's permissions
// (owner only for a first store) and never through a link left there; every
// write, the flush, the sync and the size on disk are checked before
// anything is renamed, and a failure removes the temporary file and leaves
// both stores as they were. A failure to keep Store_old.dat costs only that
// copy, never the save.
// 1 = written; -11 = the new file could not be created or put in place;
// -12 = writing it failed (short write, flush, sync, size).
// writtenBytes, when given, gets the bytes of a store that was written;
// codePage is buildBytes' (left alone when the save fails).
int write(const QString& folder, const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator,
    const SaveFaults& faults = {}, QByteArray* writtenBytes = nullptr, CodePage* codePage = nullptr);

// Writes a whole file of this program's own beside the store the way the
// store is written: a new file (owner only, or the old file's mode) checked
// to the disk, then renamed over path. 1, -11 (not created or not put in
// place) or -12 (not fully written); on failure path is as it was.
int writeWhole(const QString& path, QByteArrayView bytes, const SaveFaults& faults = {});

// Joins what another program changed in the store on disk since this copy
// last read or wrote it (base) into this copy's lists (ours): a record added
// there is added here with a new ID, a record deleted there is deleted here
// unless it was changed here too, so a record changed on both sides is kept
// in both versions. Records compare as the store writes them. The number of
// records added and deleted here.
struct Joined {
    int added = 0;
    int removed = 0;
};
Joined joinOutsideChanges(const MemoList& baseMemos, const SvegliaList& baseSveglie, const MemoList& theirMemos,
    const SvegliaList& theirSveglie, MemoList& ourMemos, SvegliaList& ourSveglie);

// What a read found beyond its result.
struct ReadReport {
    QString file;              // the file the lists came from (fileName or oldFileName); empty if none
    bool mainUnusable = false; // Store.dat exists but could not be read, or held no record
    QList<int> damagedLines;   // lines of file whose records were skipped
    QByteArray bytes;          // the bytes of file the lists were read from
};

// Reads Store.dat into the lists, emptied first; Store_old.dat instead when
// fallback is allowed and Store.dat cannot be read or holds no record.
// 1 = read; 0 = neither file exists; -1/-2 records skipped; -3 no record in
// a damaged file; -4 code page not convertible; -11/-12 Store.dat unreadable
// without fallback; -21/-22 both unreadable. codePage is parseFileBytes'.
int read(const QString& folder, bool fallback, MemoList& memos, SvegliaList& sveglie, QString& diagnostic,
    ReadReport* report = nullptr, CodePage* codePage = nullptr);

// Makes the folder (and its parents) when it is missing, the last one for
// its owner alone; false when it is not there after.
bool makePrivateFolder(const QString& path);

// Before the first save of day: copies Store.dat (the file a link points
// to) to Backup/Store_<yyyy-MM-dd>.dat in folder, owner only, made and
// checked as a save is, and
// removes the oldest such dated copies beyond 14; nothing else there is
// touched. 1 = copied; 0 = nothing to copy, or the day's copy is there;
// negative = not written, so the next save tries again.
int backupDaily(const QString& folder, const QDate& day);

// Keeps each named store file of folder as "<base>_damaged_<date-time>.dat":
// a copy, or the file itself renamed when it cannot be copied (a rename needs
// no permission to read it). Returns the paths kept; a file that could be
// neither copied nor renamed is left where it is.
QStringList keepDamaged(const QString& folder, const QStringList& names, const QDateTime& now);
// The same as "<base>_<why>_<date-time>.dat" ("outside" for a file another
// program wrote that could not be joined).
QStringList keepAs(const QString& folder, const QStringList& names, const QString& why, const QDateTime& now);
// The date-time of the names above: yyyyMMdd-HHmmss.
QString timeStamp(const QDateTime& now);

} // namespace StoreFile
