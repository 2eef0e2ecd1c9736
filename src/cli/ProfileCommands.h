#pragma once
// kestrion-cli commands over the profile store and the profile data.

#include "cli/Cli.h"

namespace cli {

inline constexpr const char* kIniUsage = "ini get FILE SECTION KEY [DEFAULT] [--int|--flag]\n"
                                         "  kestrion-cli ini set FILE SECTION KEY VALUE\n"
                                         "  kestrion-cli ini erase FILE SECTION";
int runIni(const Args& args, Io& io);

inline constexpr const char* kProfileUsage = "profile show FILE\n"
                                             "  kestrion-cli profile start HOME\n"
                                             "  kestrion-cli profile save FILE < JSON";
int runProfile(const Args& args, Io& io);

} // namespace cli
