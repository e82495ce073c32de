#pragma once

#include "sync/IcsOutcome.h"

#include <QDateTime>
#include <QString>

struct AppState;

// Calendar files in and out of the program's lists, the same for the
// command line and the running program. Neither saves the store: the
// outcome says when it wants a save.
namespace IcsFiles {

// Adds what the file at path holds (a UID already here updates that memo or
// alarm clock). New memos and alarm clocks start from the person's settings,
// as one made in the lists does. On a fault the lists are untouched.
IcsOutcome importFile(AppState& state, const QString& path, const QDateTime& now);

// Writes every memo and alarm clock to path, replacing a file there only
// by a whole new one. Records without a UID get one.
IcsOutcome exportFile(AppState& state, const QString& path, const QDateTime& now);

// The outcome in a line of English, as the command line prints it.
QString describe(const IcsOutcome& outcome, const QString& path, bool exporting);

} // namespace IcsFiles
