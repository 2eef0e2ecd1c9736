#include "cli/LinkCommands.h"

#include "app/RogerWilco.h"
#include "cli/Json.h"

#include <ostream>

#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#endif

namespace cli {

int runSendThrough(const Args& args, Io& io, platform::Services services)
{
    if (args.size() != 1)
        throw UsageError("send takes exactly one command text (quote it when it has blanks)");
    const std::string& command = args[0];
    app::RogerWilco link(services);
    bool delivered = link.SendClientCommand(command);

    JsonWriter json;
    json.beginObject()
        .member("command", command)
        .member("delivered", delivered)
        .member("clientLaunched", link.ClientLaunched())
        .endObject();
    io.out << json.str() << '\n';
    if (!delivered) {
        io.err << "kestrion-cli: the command did not reach Roger Wilco (not installed, not "
                  "startable, or not answering)\n";
        return 1;
    }
    return 0;
}

#ifdef _WIN32
int runSend(const Args& args, Io& io)
{
    return runSendThrough(args, io, platform::win32Services());
}
#endif

} // namespace cli
