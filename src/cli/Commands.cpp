#include "cli/Cli.h"
#include "cli/LangCommands.h"
#include "cli/LcdCommands.h"
#include "cli/LinkCommands.h"
#include "cli/PressCommands.h"
#include "cli/ProfileCommands.h"

// The table of commands. Each module's commands live in a file of their own beside this one
// (ProfileCommands.cpp, LcdCommands.cpp, ...) and are listed here.

namespace cli {

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"ini", kIniUsage, runIni},
        {"lang",
         "lang unquote VALUE | list VALUE | show FILE | resource FILE ID\n"
         "  kestrion-cli lang translate FILE --form TMainForm",
         runLang},
        {"lcd",
         "lcd render --out FILE.ppm [--preset ChannelLCD] [--set NAME=VALUE]... [--size WxH]\n"
         "  kestrion-cli lcd sheet --out FILE.ppm [--set NAME=VALUE]...",
         runLcd},
        {"profile", kProfileUsage, runProfile},
#ifdef _WIN32
        {"press", kPressUsage, runPress},
        {"send", "send COMMAND", runSend},
#endif
    };
    return table;
}

} // namespace cli
