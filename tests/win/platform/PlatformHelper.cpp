// A second program for the desktop services' Windows tests:
//
//   platform_helper record FILE ARGUMENT
//       Appends the argument and a line end to FILE: a stand-in for the program that the shell
//       starts for an address.
//
// Its version resource has a file version but no legal notice (PlatformHelper.rc).

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4 || std::string(argv[1]) != "record") {
        std::fprintf(stderr, "usage: platform_helper record FILE ARGUMENT\n");
        return 2;
    }
    FILE* file = std::fopen(argv[2], "ab");
    if (!file)
        return 1;
    std::fprintf(file, "%s\n", argv[3]);
    return std::fclose(file) == 0 ? 0 : 1;
}
