#pragma once
// kestrion-cli lang translate: the program's forms, built headlessly and translated.

#include "cli/Cli.h"

namespace cli {

// lang translate FILE --form CLASS: builds the form of that class (TMainForm) without any
// window, over stand-in services (no client, no hook, no sound), applies the language file
// FILE as a language change would, and prints every named component of the form, the form
// first, with its class and its translatable properties (texts and string lists):
// [{"name":..., "class":..., "properties":{"Caption":"...", "Items":["..."]}}, ...].
// A missing or unreadable FILE is an error (status 1), so is an unknown CLASS (status 2).
int runLangTranslate(const Args& args, Io& io);

} // namespace cli
