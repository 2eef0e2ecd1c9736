#pragma once
// How the profile store turns a stored value into what a read returns.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// The most characters a read returns; longer values are cut.
inline constexpr std::size_t kMaxValueLength = 2047;

// A stored value as a read of text returns it: one pair of single or double quotation marks
// that encloses the whole value is removed, then the text is cut to kMaxValueLength.
std::string readableText(std::string_view stored);

// Reads an integer: an optional sign, then decimal digits, or hexadecimal digits after one of
// the prefixes "0x", "0X", "$", "x", "X". Decimal numbers must lie in the 32-bit signed range;
// hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1). Anything else, the empty text,
// trailing characters and larger numbers included, yields nothing.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

// How an integer is written: decimal, "-" in front when negative.
std::string formatIniInteger(std::int32_t value);

} // namespace profile
