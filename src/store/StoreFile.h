#pragma once

#include "store/Global.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

// The store file: every memo and alarm clock, one record a line.
namespace StoreFile {

inline const QString fileName = QStringLiteral("Store.dat");
inline const QString oldFileName = QStringLiteral("Store_old.dat");

// The whole text of a store, CR LF after every record. Values are written
// with the given decimal separator; tabs, line breaks and record markers
// inside a text are broken up so they cannot split or invent records.
// The file's bytes are Windows-1252 when every character fits (and the bytes
// cannot be mistaken for UTF-8), otherwise UTF-8 without a byte-order mark.
QByteArray buildBytes(const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator);
QString buildText(const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator);
QString cleanValue(const QString& value);

// 1 = filled; -10 - n = tag n missing; -20 - n = tag n not a number.
int parseMemo(QStringView record, REC_Memo& memo);
int parseSveglia(QStringView record, REC_Sveglia& sveglia);

// Parses a whole text into the lists (emptied first).
// 1 = read; -1 = a memo failed; -2 = an alarm clock failed (diagnostic says which).
int parseText(QStringView text, MemoList& memos, SvegliaList& sveglie, QString& diagnostic);

// Parses the bytes of a store file (UTF-8 when valid, else Windows-1252).
int parseFileBytes(const QByteArray& bytes, MemoList& memos, SvegliaList& sveglie, QString& diagnostic);

// Writes Store.dat in folder, keeping the previous one as Store_old.dat.
// The new text goes to a temporary file that is flushed to disk and renamed
// into place, so a complete store is on disk at every moment.
// 1 = written; -1 = moving Store.dat to Store_old.dat failed (nothing
// changed); -11 = creating the file failed; -12 = short write.
int write(const QString& folder, const MemoList& memos, const SvegliaList& sveglie, QChar decimalSeparator);

// Reads Store.dat (or Store_old.dat when Store.dat cannot be read and
// fallback is allowed) into the lists, emptied first.
// 1 = read; 0 = neither file exists; -1 memo failed; -2 alarm clock failed;
// -11/-12 Store.dat unreadable without fallback; -21/-22 both unreadable.
int read(const QString& folder, bool fallback, MemoList& memos, SvegliaList& sveglie, QString& diagnostic);

// Copies Store.dat and Store_old.dat, when present, to names with a
// date-time suffix, so that a save after a failed read cannot cost the last
// complete copy. Returns false when a present file could not be copied.
bool keepDamagedCopies(const QString& folder, const QDateTime& now);

} // namespace StoreFile
