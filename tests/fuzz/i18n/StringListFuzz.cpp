// String-list values on arbitrary text: the items never hold more characters than the value.

#include "i18n/ValueDecoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view value(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const auto& item : i18n::decodeStringList(value))
        total += item.size();
    if (total > size)
        std::abort();
    return 0;
}
