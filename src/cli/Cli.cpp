#include "cli/Cli.h"

#include <ostream>

namespace cli {

namespace {

void printUsage(std::ostream& os)
{
    os << "usage: kestrion-cli COMMAND [ARGS...]\n";
    for (const auto& command : commands())
        os << "  kestrion-cli " << command.usage << '\n';
}

} // namespace

int runCli(const Args& args, Io& io)
{
    if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        printUsage(args.empty() ? io.err : io.out);
        return args.empty() ? 2 : 0;
    }
    for (const auto& command : commands()) {
        if (args[0] != command.name)
            continue;
        Args rest(args.begin() + 1, args.end());
        try {
            return command.run(rest, io);
        } catch (const UsageError& e) {
            io.err << "kestrion-cli: " << e.what() << "\nusage: kestrion-cli " << command.usage
                   << '\n';
            return 2;
        } catch (const std::exception& e) {
            io.err << e.what() << '\n';
            return 1;
        }
    }
    io.err << "kestrion-cli: unknown command '" << args[0] << "'\n";
    printUsage(io.err);
    return 2;
}

} // namespace cli
