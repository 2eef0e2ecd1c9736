#pragma once
// kestrion-cli: inspection and scripting over the same libraries the program uses.
// Every command prints JSON on standard output; errors go to standard error with a
// non-zero exit status.

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// A command line that does not fit the command's usage; runCli prints it with the usage
// and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One top-level command ("ini", "profile", ...). `run` gets the arguments after the
// command's name and returns the exit status; it may throw UsageError, or any
// std::exception whose text is then printed as the error (exit status 1).
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args& args, Io& io);
};

// The commands this build offers, in the order `kestrion-cli help` lists them.
const std::vector<Command>& commands();

// Runs one command line (without the program name).
int runCli(const Args& args, Io& io);

} // namespace cli
