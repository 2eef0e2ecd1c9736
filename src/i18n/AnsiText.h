#pragma once
// Letter case and number formats of the system's 8-bit text, as the language files need
// them. Text is bytes of the ANSI code page; nothing here decodes UTF-8.

#include <string>
#include <string_view>

namespace i18n {

// The text upper-cased by the rules of the system's ANSI code page (Windows-1252 in the
// native build). Bytes without an upper-case form are kept.
std::string ansiUpper(std::string_view text);

// Whether two texts are equal once both are upper-cased as above.
bool sameText(std::string_view a, std::string_view b);

// The decimal separator of the user's regional settings ('.' in the native build).
char decimalSeparator();

} // namespace i18n
