#pragma once

// brivo-reminder --export-ics FILE / --import-ics FILE, run without a
// display. -1 when the arguments hold neither verb; the exit code otherwise.
int runIcsVerb(int argc, char* argv[]);
