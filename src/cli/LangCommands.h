#pragma once
// kestrion-cli commands over language files.

#include "cli/Cli.h"

namespace cli {

// lang unquote VALUE: the decoded text, as a JSON string.
// lang list VALUE: the string-list items, as a JSON array.
// lang show FILE: the sections in file order, [{"section":..., "entries":[{"name":...,
//   "value":...}]}], as the reader holds them (a line without "=" has the name "").
// lang resource FILE ID: {"found":bool, "text":string or null}, the translated message text
//   that FILE gives for ID.
// A missing or unreadable FILE is an error (status 1); the file is never written.
int runLang(const Args& args, Io& io);

} // namespace cli
