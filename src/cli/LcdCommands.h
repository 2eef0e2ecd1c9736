#pragma once
// kestrion-cli commands over the LCD display control.

#include "cli/Cli.h"

namespace cli {

// lcd render --out FILE.ppm [--preset ChannelLCD] [--set NAME=VALUE]... [--size WxH]: makes
// a control (with the preset, as the main window's stored layout makes ChannelLCD), applies
// each --set through the property's setter in the order given, resizes it from outside,
// paints once and writes the picture as a binary PPM. Prints every published property and
// "Rejected", the texts of the error boxes shown.
// lcd sheet --out FILE.ppm [--set NAME=VALUE]...: every code of the current set, one cell
// each, sixteen to a row.
// Throws UsageError for a malformed command line and std::runtime_error for an unknown
// property, a value of the wrong form or a file that cannot be written (nothing is written
// then).
int runLcd(const Args& args, Io& io);

} // namespace cli
