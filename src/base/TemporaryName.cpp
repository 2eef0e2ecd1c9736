#include "base/TemporaryName.h"

#include <algorithm>

namespace base {

namespace {

constexpr std::string_view kSuffix = ".tmp";

bool sameStart(std::string_view text, std::string_view start, bool ignoreCase)
{
    if (text.size() < start.size())
        return false;
    auto fold = [ignoreCase](char c) {
        return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    };
    return std::equal(start.begin(), start.end(), text.begin(),
                      [&](char a, char b) { return fold(a) == fold(b); });
}

// A run of decimal digits that fits in 32 bits.
std::optional<std::uint32_t> decimal(std::string_view digits)
{
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::string temporaryName(std::string_view prefix, std::uint32_t writer, unsigned serial)
{
    return std::string(prefix) + std::to_string(writer) + "-" + std::to_string(serial) +
           std::string(kSuffix);
}

std::optional<std::uint32_t> temporaryNameWriter(std::string_view prefix, std::string_view name,
                                                 bool ignoreCase)
{
    if (!sameStart(name, prefix, ignoreCase) || name.size() < prefix.size() + kSuffix.size() ||
        !sameStart(name.substr(name.size() - kSuffix.size()), kSuffix, ignoreCase))
        return std::nullopt;
    name = name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || !decimal(name.substr(dash + 1)))
        return std::nullopt;
    auto writer = decimal(name.substr(0, dash));
    if (!writer || *writer == 0)
        return std::nullopt;
    return writer;
}

} // namespace base
