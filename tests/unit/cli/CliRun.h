#pragma once
// Runs one kestrion-cli command line in the test process, as the tool's main() does, and
// keeps what it printed.

#include "cli/Cli.h"

#include <sstream>
#include <string>

namespace clitest {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun run(const cli::Args& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out, err;
    cli::Io io{in, out, err};
    int status = cli::runCli(args, io);
    return {status, out.str(), err.str()};
}

} // namespace clitest
