// UnquoteValue on arbitrary text: it never reads past the value and never grows it (every
// character, "#" escape or quote pair yields at most one character).

#include "i18n/ValueDecoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view value(reinterpret_cast<const char*>(data), size);
    if (i18n::UnquoteValue(value).size() > size)
        std::abort();
    i18n::decodeInteger(value);
    i18n::decodeFloat(value, '.');
    i18n::decodeFloat(value, ',');
    return 0;
}
