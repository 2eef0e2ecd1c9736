// The parser of temporary file names ("kes-<process id>-<serial>.tmp"), which decides which
// files of a profile's folder a write removes as left behind. The folder may be shared, so
// any name may stand there.
//
// Checked: a name is taken only in the writer's form; every name a writer makes is taken,
// with its id read back exactly.

#include "base/TemporaryName.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "TemporaryNameFuzz.cpp:%d: %s\n", __LINE__, #condition);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::uint32_t writer = input.ConsumeIntegral<std::uint32_t>();
    const unsigned serial = input.ConsumeIntegral<unsigned>();
    const bool ignoreCase = input.ConsumeBool();
    const std::string prefix = input.ConsumeRandomLengthString(8);
    const std::string name = input.ConsumeRemainingBytesAsString();

    if (auto id = base::temporaryNameWriter(prefix, name, ignoreCase)) {
        // A name that is taken has the writer's form: the prefix, a process id (never 0, no
        // process has it), a dash, a serial, ".tmp".
        check(*id != 0);
        check(name.size() >= prefix.size() + std::string_view("1-0.tmp").size());
        const char last = name[name.size() - 4];
        check(last == '.');
    }
    const std::string made = base::temporaryName(prefix, writer, serial);
    const auto parsed = base::temporaryNameWriter(prefix, made, ignoreCase);
    if (writer == 0)
        check(!parsed);
    else
        check(parsed == writer);
    return 0;
}
