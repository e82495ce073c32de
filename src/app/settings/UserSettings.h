#pragma once

#include "state/Settings.h"

#include <QString>
#include <QStringList>

class Autostart;
class Registry;
struct BuildConfig;

// "Software\Brivo\BrivoReminder\<program name>\Impostazioni".
QString settingsKey(const QString& programName);

// Reads every value in order, each missing or invalid one giving its default.
// soundNames are the names of the sound list, whose first entry is the sound
// default ("-nessun suono-" when there is none). Never fails: a stored
// language that is not one of the two gives way to the configured default,
// and is returned so that the person can be told; otherwise empty.
QString readSettings(UserSettings& settings, const Registry& registry, const QString& key, const BuildConfig& config,
    const QStringList& soundNames);

// Writes every value in one pass, then sets or removes the log-on start
// entry named after the program. False when the values could not be written.
bool writeSettings(const UserSettings& settings, Registry& registry, const QString& key, Autostart& autostart,
    const QString& programName);
