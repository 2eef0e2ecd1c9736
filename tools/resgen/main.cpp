// resgen OUTDIR: writes Stsnd01.wav, Stsnd02.wav and Kestrion.ico into OUTDIR.
#include "ResourceGen.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: resgen OUTDIR\n";
        return 2;
    }
    std::string dir = argv[1];
    struct Output {
        const char* name;
        resgen::Bytes bytes;
    } outputs[] = {{"Stsnd01.wav", resgen::errorSound()},
                   {"Stsnd02.wav", resgen::switchSound()},
                   {"Kestrion.ico", resgen::applicationIcon()}};
    for (const auto& o : outputs) {
        std::ofstream out(dir + "/" + o.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(o.bytes.data()),
                  static_cast<std::streamsize>(o.bytes.size()));
        if (!out) {
            std::cerr << "resgen: cannot write " << dir << "/" << o.name << '\n';
            return 1;
        }
    }
    return 0;
}
