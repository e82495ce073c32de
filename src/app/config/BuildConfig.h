#pragma once

#include "state/Configuration.h"

#include <QString>

class LocaleService;
class MessageBoxes;
class Resources;

// "System" becomes the user's language: Italian when the locale's language
// code starts with "it", else English. Any other value stays.
QString resolveDefaultLanguage(const QString& value, const LocaleService& locale);

// Reads the configuration list, every key in order and the pictures.
// 1 = done (errors of single keys have been shown and endRequested set);
// -3 = a picture could not be loaded (its box has been shown).
int readBuildConfig(BuildConfig& config, const Resources& resources, const LocaleService& locale, MessageBoxes& boxes);
