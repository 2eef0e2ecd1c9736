// Any input either parses or raises JsonError; what parses, printed again, parses to the
// same strings.
#include "cli/Json.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        cli::JsonValue v = cli::parseJson(text);
        if (v.isString()) {
            std::string again;
            cli::appendJsonString(again, v.asString());
            if (cli::parseJson(again).asString() != v.asString())
                std::abort();
        }
    } catch (const cli::JsonError&) {
    }
    return 0;
}
