#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    cli::Args args(argv + 1, argv + argc);
    cli::Io io{std::cin, std::cout, std::cerr};
    int status = cli::runCli(args, io);
    std::cout.flush();
    return status;
}
