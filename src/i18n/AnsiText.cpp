#include "i18n/AnsiText.h"

// The native build follows Windows-1252, the ANSI code page of Western European Windows.

namespace i18n {

namespace {

char upper1252(char ch)
{
    auto byte = static_cast<unsigned char>(ch);
    if (byte >= 'a' && byte <= 'z')
        return static_cast<char>(byte - 0x20);
    // Latin-1 small letters, except the division sign; the y with diaeresis and the three
    // letters with caron and the small ligature sit elsewhere in this code page.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<char>(byte - 0x20);
    switch (byte) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return ch;
    }
}

} // namespace

std::string ansiUpper(std::string_view text)
{
    std::string out(text);
    for (char& ch : out)
        ch = upper1252(ch);
    return out;
}

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper1252(a[i]) != upper1252(b[i]))
            return false;
    }
    return true;
}

char decimalSeparator()
{
    return '.';
}

} // namespace i18n
