#pragma once
// kestrion-cli commands over the voice-client link.

#include "cli/Cli.h"
#include "platform/Services.h"

namespace cli {

// send COMMAND: hands one command text to the client exactly as the program does (a running
// client by message; otherwise the client is started). Prints
// {"command":..., "delivered":bool, "clientLaunched":bool}; exit status 0 when delivered,
// 1 when not (with a line on standard error). Throws UsageError unless given one argument.
int runSendThrough(const Args& args, Io& io, platform::Services services);

#ifdef _WIN32
// send, over the real OS services.
int runSend(const Args& args, Io& io);
#endif

} // namespace cli
