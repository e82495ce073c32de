#pragma once

#include "sync/IcsOutcome.h"

#include <QString>

#include <functional>

class RunningCopy;

// brivo-reminder --export-ics FILE / --import-ics FILE, run without a
// display. With a copy running it asks that copy to do it, so its lists and
// the store stay one; otherwise it reads and saves the store itself.
// -1 when the arguments hold neither verb; the exit code otherwise.
int runIcsVerb(int argc, char* argv[]);

// The running copy's side: the verbs "import-ics" and "export-ics" on its
// door, each done by transfer on its own lists.
using IcsTransferHook = std::function<IcsOutcome(bool exporting, const QString& path)>;
void addIcsVerbs(RunningCopy& door, IcsTransferHook transfer);
