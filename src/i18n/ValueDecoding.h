#pragma once
// Decoding of language-file values into the form a property needs. Values reach these
// functions as the reader holds them: already trimmed, without line breaks or NUL bytes.
// None of them throws; a value that does not decode yields the documented fallback.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

// A text value in quoted-literal syntax. 'It''s' gives It's, 'A'#13#10'B' gives A, CR LF, B,
// and an unquoted value is taken as it stands, except that #n outside quotes adds the
// character n modulo 256 (# alone adds character 255). The result is empty for a value of
// fewer than two characters, for a quote that is never closed, and for a closing quote
// followed by anything but a quote or "#" (such as 'abc'x).
std::string UnquoteValue(std::string_view value);

// A string-list value: items separated by ",", each either quoted with "'" ('a, b' with ''
// standing for one quote) or a run of characters up to the next ",", space or control
// character. Spaces and control characters between items are skipped; a "," that ends the
// value adds one empty item. A quote that is never closed takes the rest of the value.
std::vector<std::string> decodeStringList(std::string_view value);

// An integer: optional sign and decimal digits, or hexadecimal digits after "$", or after
// "0x"/"0X" when the value is longer than two characters. Hexadecimal gives the 32-bit
// pattern ($FFFFFFFF is -1). Empty when the value is anything else or does not fit 32 bits.
std::optional<std::int32_t> decodeInteger(std::string_view value);

// A floating-point number in decimal notation: optional sign, digits with an optional
// fraction after `separator`, optional exponent. Empty when the value is anything else or
// out of range.
std::optional<double> decodeFloat(std::string_view value, char separator);

// Trims leading and trailing spaces and control characters (bytes up to 0x20).
std::string_view trimBlanks(std::string_view text);

} // namespace i18n
