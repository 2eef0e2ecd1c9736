#include "cli/Cli.h"
#ifdef _WIN32
#include "app/win32/DllSearch.h"
#endif

#include <iostream>

int main(int argc, char** argv)
{
#ifdef _WIN32
    // It ships beside kestrion.exe and takes its DLLs from the system folder in the same way.
    app::restrictDllSearch();
#endif
    cli::Args args(argv + 1, argv + argc);
    cli::Io io{std::cin, std::cout, std::cerr};
    int status = cli::runCli(args, io);
    std::cout.flush();
    return status;
}
